// SPDX-License-Identifier: GPL-3.0-or-later
// ReplaceFile on Windows: a new file of a unique name beside the target, flushed, then put in
// the target's place by ReplaceFileA, which keeps the target's attributes and access rights.
#include "file_io.h"
#include "windows_error_text.h"

#include <windows.h>
// The system's own ReplaceFile is a macro for ReplaceFileA or ReplaceFileW.
#undef ReplaceFile

#include <algorithm>
#include <filesystem>
#include <random>

namespace tamo::settings_file {

namespace {

// The file a link (symbolic link or junction) ends at; name itself when it is none or does
// not exist yet.
std::string FollowLinks(const std::string &name)
{
    const DWORD attributes = ::GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return name;
    const HANDLE file = ::CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return name;
    char path[MAX_PATH * 4] = {};
    const DWORD length = ::GetFinalPathNameByHandleA(file, path, sizeof path, FILE_NAME_NORMALIZED);
    ::CloseHandle(file);
    if (length == 0 || length >= sizeof path)
        return name;
    return path;
}

} // namespace

bool ReplaceFile(const std::string &name, const std::string &text, std::string &error)
{
    if (name.empty()) {
        error = "no file name given";
        return false;
    }
    const std::string target = FollowLinks(name);
    const std::string shown = target == name ? name : name + " (a link to " + target + ")";
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = shown + ": is a directory";
        return false;
    }
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        error = shown
                + ": write-protected (read-only), so it is not replaced; clear its "
                  "read-only attribute or name another file";
        return false;
    }
    const std::filesystem::path targetPath(target);
    const std::filesystem::path folder =
        targetPath.has_parent_path() ? targetPath.parent_path() : std::filesystem::path(".");
    std::random_device random;
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD why = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary =
            (folder / (targetPath.filename().string() + "." + std::to_string(random()) + ".tmp"))
                .string();
        file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            why = ::GetLastError();
            if (why != ERROR_FILE_EXISTS)
                break;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        error = shown + ": cannot write in its folder " + folder.string() + ": "
                + device::WindowsErrorText(why);
        return false;
    }
    bool written = true;
    for (std::size_t at = 0; written && at < text.size();) {
        DWORD done = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - at, 1u << 20));
        written = ::WriteFile(file, text.data() + at, chunk, &done, nullptr) && done > 0;
        at += done;
    }
    written = written && ::FlushFileBuffers(file);
    why = ::GetLastError();
    ::CloseHandle(file);
    if (!written) {
        error = shown + ": writing failed: " + device::WindowsErrorText(why);
        ::DeleteFileA(temporary.c_str());
        return false;
    }
    const BOOL moved =
        exists ? ::ReplaceFileA(target.c_str(), temporary.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               : ::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!moved) {
        error = shown + ": " + device::WindowsErrorText(::GetLastError());
        ::DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace tamo::settings_file
