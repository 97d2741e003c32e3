// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program run by a test as a separate process, with its standard output read
// line by line, so that the test can wait for it to reach a point, kill it, or
// collect its exit status. The child inherits the test's environment.
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    // Starts `program` with `arguments`; check running() for success.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments = {})
    {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        std::vector<std::string> all{program};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        output_ = pipeFds[0];
    }
    ~ChildProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        if (output_ >= 0)
            ::close(output_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running() const { return pid_ > 0; }

    // The next line the child prints (without its newline); nothing when it ended
    // (or closed its output) first, or after `timeoutMs`.
    std::optional<std::string> NextLine(int timeoutMs)
    {
        for (;;) {
            const size_t end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            pollfd wanted{output_, POLLIN, 0};
            if (::poll(&wanted, 1, timeoutMs) <= 0)
                return std::nullopt;
            char chunk[256];
            const ssize_t got = ::read(output_, chunk, sizeof chunk);
            if (got <= 0)
                return std::nullopt;
            buffer_.append(chunk, size_t(got));
        }
    }

    // True once the child has printed the line `line` (earlier lines are skipped).
    bool WaitForLine(const std::string& line, int timeoutMs = 20000)
    {
        while (std::optional<std::string> got = NextLine(timeoutMs)) {
            if (*got == line)
                return true;
        }
        return false;
    }

    void Kill() const
    {
        if (pid_ > 0)
            ::kill(pid_, SIGKILL);
    }

    // The wait status of the ended child (see waitpid); nothing when it was never started.
    std::optional<int> Wait()
    {
        if (pid_ <= 0)
            return status_;
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        status_ = status;
        return status_;
    }

    // The exit code, or -1 when the child was killed by a signal or never ran.
    int ExitCode()
    {
        const std::optional<int> status = Wait();
        return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffer_;
    std::optional<int> status_;
};
