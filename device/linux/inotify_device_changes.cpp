// SPDX-License-Identifier: GPL-3.0-or-later
#include "inotify_device_changes.h"

#include "debug_log.h"
#include "errno_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tamo::device {

namespace {
constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::uint32_t kEvents = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;
} // namespace

InotifyDeviceChanges::InotifyDeviceChanges(const std::filesystem::path &devRoot)
    : devRoot_(devRoot)
    , fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    fingerprint_ = nodesFingerprint();
    if (fd_ < 0) {
        DebugLog(LogSource::Discovery, ErrnoText("inotify_init1", errno));
        return;
    }
    if (inotify_add_watch(fd_, devRoot.c_str(), kEvents) < 0) {
        DebugLog(LogSource::Discovery,
                 ErrnoText("inotify_add_watch(" + devRoot.string() + ")", errno));
        close(fd_);
        fd_ = -1;
    }
}

InotifyDeviceChanges::~InotifyDeviceChanges()
{
    if (fd_ >= 0)
        close(fd_);
}

std::string InotifyDeviceChanges::nodesFingerprint() const
{
    std::vector<std::string> nodes;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(devRoot_, error)) {
        const std::string name = entry.path().filename().string();
        struct stat status {};
        if (!name.starts_with(kNodePrefix) || ::stat(entry.path().c_str(), &status) != 0)
            continue;
        nodes.push_back(
            name + ' ' + std::to_string(status.st_ino) + ' ' + std::to_string(status.st_mode) + ' '
            + std::to_string(status.st_uid) + ' ' + std::to_string(status.st_gid) + ' '
            + std::to_string(status.st_ctim.tv_sec) + '.' + std::to_string(status.st_ctim.tv_nsec));
    }
    std::sort(nodes.begin(), nodes.end());
    std::string fingerprint;
    for (const std::string &node : nodes)
        fingerprint += node + '\n';
    return fingerprint;
}

bool InotifyDeviceChanges::changedOnDirectLook()
{
    std::string now = nodesFingerprint();
    const bool changed = now != fingerprint_;
    fingerprint_ = std::move(now);
    return changed;
}

bool InotifyDeviceChanges::changedSinceLastAsked()
{
    bool changed = first_ || fd_ < 0;
    first_ = false;
    if (fd_ < 0)
        return true;
    alignas(inotify_event) std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t length = read(fd_, buffer.data(), buffer.size());
        if (length <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const auto nameAt = static_cast<std::size_t>(at) + sizeof(inotify_event);
            const std::size_t nameBytes =
                std::min<std::size_t>(event.len, static_cast<std::size_t>(length) - nameAt);
            const std::string_view name(buffer.data() + nameAt,
                                        strnlen(buffer.data() + nameAt, nameBytes));
            // A lost event may hide any change.
            if ((event.mask & IN_Q_OVERFLOW) != 0 || name.starts_with(kNodePrefix))
                changed = true;
            // The directory itself has gone: nothing will be told again, so always scan.
            if ((event.mask & IN_IGNORED) != 0) {
                close(fd_);
                fd_ = -1;
                return true;
            }
            at = static_cast<ssize_t>(nameAt + event.len);
        }
    }
    // A full pass follows: the direct look compares with what it will see.
    if (changed)
        fingerprint_ = nodesFingerprint();
    return changed;
}

} // namespace tamo::device
