// SPDX-License-Identifier: GPL-3.0-or-later
// A program run from a test as a user runs it: arguments in, standard output, standard error
// and exit status out, and Ctrl-C (SIGINT) for one that runs until stopped.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace tamo::test {

struct ProgramResult {
    // The exit status, or -1 when it did not end by itself in time (it was killed).
    int status = -1;
    std::string out;
    std::string err;
};

class RunningProgram {
public:
    explicit RunningProgram(const std::vector<std::string> &argv);
    ~RunningProgram();
    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    bool started() const { return pid_ > 0; }
    // Whether standard output came to hold part within the time.
    bool waitForOutput(const std::string &part, std::chrono::milliseconds timeout);
    std::string outputSoFar() const;
    void interrupt();
    // Waits for the end; kills the program when it does not end in time.
    ProgramResult finish(std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    void readOutput(int outFd, int errFd);

    pid_t pid_ = -1;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string out_;
    std::string err_;
    bool closed_ = false;
    std::atomic<bool> stopReading_ = false;
};

// The program named by the environment variable, else the one of that name beside the running
// program (as inside the test VM), else the build's own.
std::string ProgramPath(const char *variable, const char *name, const char *built);

// Runs a program to its end.
ProgramResult RunProgram(const std::vector<std::string> &argv,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));

} // namespace tamo::test
