// SPDX-License-Identifier: GPL-3.0-or-later
#include "running_program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tamo::test {

std::string ProgramPath(const char *variable, const char *name, const char *built)
{
    if (const char *path = std::getenv(variable))
        return path;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const auto beside = self.parent_path() / name;
        if (std::filesystem::exists(beside, error))
            return beside.string();
    }
    return built;
}

RunningProgram::RunningProgram(const std::vector<std::string> &argv)
{
    int out[2];
    int err[2];
    if (argv.empty() || ::pipe2(out, O_CLOEXEC) != 0)
        return;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return;
    }
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (pid_ < 0) {
        ::close(out[0]);
        ::close(err[0]);
        return;
    }
    reader_ = std::thread([this, outFd = out[0], errFd = err[0]] { readOutput(outFd, errFd); });
}

RunningProgram::~RunningProgram()
{
    if (pid_ > 0)
        finish(std::chrono::milliseconds(0));
    if (reader_.joinable())
        reader_.join();
}

void RunningProgram::readOutput(int outFd, int errFd)
{
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    while (open > 0 && !stopReading_) {
        // Woken now and then to see whether the program's end came without the pipes' end.
        if (::poll(fds, 2, 100) < 0 && errno != EINTR)
            break;
        for (pollfd &entry : fds) {
            if (entry.fd < 0 || entry.revents == 0)
                continue;
            char chunk[4096];
            const ssize_t got = ::read(entry.fd, chunk, sizeof chunk);
            if (got <= 0) {
                ::close(entry.fd);
                entry.fd = -1;
                --open;
                continue;
            }
            std::lock_guard lock(mutex_);
            (entry.fd == outFd ? out_ : err_).append(chunk, static_cast<std::size_t>(got));
            changed_.notify_all();
        }
    }
    for (const pollfd &entry : fds)
        if (entry.fd >= 0)
            ::close(entry.fd);
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

bool RunningProgram::waitForOutput(const std::string &part, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return out_.find(part) != std::string::npos || closed_;
    }) && out_.find(part) != std::string::npos;
}

std::string RunningProgram::outputSoFar() const
{
    std::lock_guard lock(mutex_);
    return out_;
}

void RunningProgram::interrupt()
{
    if (pid_ > 0)
        ::kill(pid_, SIGINT);
}

ProgramResult RunningProgram::finish(std::chrono::milliseconds timeout)
{
    ProgramResult result;
    if (pid_ <= 0)
        return result;
    int status = 0;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!(ended = ::waitpid(pid_, &status, WNOHANG) == pid_)
           && std::chrono::steady_clock::now() < deadline)
        ::usleep(10'000);
    if (!ended) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    // A process the program left behind (a daemon) may hold the pipes open for ever: what it
    // wrote within a moment counts, the rest does not.
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(2), [&] { return closed_; });
    }
    stopReading_ = true;
    if (reader_.joinable())
        reader_.join();
    result.status = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::lock_guard lock(mutex_);
    result.out = out_;
    result.err = err_;
    return result;
}

ProgramResult RunProgram(const std::vector<std::string> &argv, std::chrono::milliseconds timeout)
{
    RunningProgram program(argv);
    return program.finish(timeout);
}

} // namespace tamo::test
