// SPDX-License-Identifier: GPL-3.0-or-later
// ReplaceFile on POSIX systems: mkstemp beside the target, fsync, rename.
#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamo::settings_file {

namespace {

namespace fs = std::filesystem;

std::string Reason(int error)
{
    return std::strerror(error);
}

// The file a chain of symbolic links ends at (which need not exist yet); name itself when it
// is no link. Empty, with error set, for a loop.
std::string FollowLinks(const std::string &name, std::string &error)
{
    fs::path path = name;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code code;
        if (!fs::is_symlink(fs::symlink_status(path, code)))
            return path.string();
        const fs::path target = fs::read_symlink(path, code);
        if (code) {
            error = name + ": " + code.message();
            return {};
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = name + ": " + Reason(ELOOP);
    return {};
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool ReplaceFile(const std::string &name, const std::string &text, std::string &error)
{
    if (name.empty()) {
        error = "no file name given";
        return false;
    }
    const std::string target = FollowLinks(name, error);
    if (target.empty())
        return false;
    // A link's name is the user's; where it points is said too.
    const std::string shown = target == name ? name : name + " (a link to " + target + ")";
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        error = shown + ": " + Reason(errno);
        return false;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        error = shown + (S_ISDIR(old.st_mode) ? ": is a directory" : ": is not a regular file");
        return false;
    }
    // Root may write anything; a file that grants writing to no one is still meant to stay.
    if (exists
        && (::access(target.c_str(), W_OK) != 0
            || (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(old.st_mode & 07777));
        error = shown + ": write-protected (mode " + mode
                + "), so it is not replaced; make it writable (chmod u+w) or name another file";
        return false;
    }

    const fs::path targetPath(target);
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
    std::string temporary =
        (folder / ("." + targetPath.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        const int why = errno;
        error = shown + ": cannot write in its folder " + folder.string() + ": " + Reason(why);
        return false;
    }
    // mkstemp makes 0600: a new file gets what the umask gives any new file, an old one keeps
    // its own permissions and, where we may, its owner.
    mode_t mode = old.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    } else if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    const bool written = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        error = shown + ": writing failed: " + Reason(written ? errno : writeError);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = shown + ": " + Reason(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace tamo::settings_file
