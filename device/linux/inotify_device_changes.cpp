#include "inotify_device_changes.h"

#include "debug_log.h"
#include "errno_text.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/inotify.h>
#include <unistd.h>

namespace tamo::device {

namespace {
constexpr std::string_view kNodePrefix = "hidraw";
constexpr std::uint32_t kEvents = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;
} // namespace

InotifyDeviceChanges::InotifyDeviceChanges(const std::filesystem::path &devRoot)
    : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
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
    return changed;
}

} // namespace tamo::device
