#pragma once
// A program started as a child of the test, its standard output read line by line and its
// standard error kept, ended at the latest when the test ends.
//
//   RunningProgram program({ZARVEX_SCORES_PROGRAM, "--port", "0"});
//   program.Line();                  // the next line it prints; empty at its end
//   program.WaitForExit(30s);        // its wait status; -1 when it is still running then

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class RunningProgram {
public:
    explicit RunningProgram(const std::vector<std::string>& arguments) {
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        output_ = fdopen(out[0], "r");
        errors_ = err[0];
    }

    ~RunningProgram() {
        if (pid_ > 0 && !waited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ != nullptr) fclose(output_);
        if (errors_ >= 0) close(errors_);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    pid_t Pid() const { return pid_; }

    // The next line the program prints; empty at its end.
    std::string Line() {
        char line[1024];
        return output_ != nullptr && fgets(line, sizeof line, output_) != nullptr ? line : "";
    }

    void Signal(int signal) { kill(pid_, signal); }

    // The program's wait status once it has ended, or -1 when it is still running at the
    // deadline (a generous one: it only fails a program that never ends).
    int WaitForExit(std::chrono::milliseconds deadline) {
        if (waited_) return status_;
        const int watch = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
        if (watch >= 0) {
            pollfd ended{watch, POLLIN, 0};
            const int ready = poll(&ended, 1, static_cast<int>(deadline.count()));
            close(watch);
            if (ready != 1) return -1;
        }
        waitpid(pid_, &status_, 0);
        waited_ = true;
        return status_;
    }

    // Everything the program wrote to standard error, read once it has ended.
    std::string ErrorText() {
        std::string text;
        char chunk[4096];
        ssize_t n;
        while ((n = read(errors_, chunk, sizeof chunk)) > 0)
            text.append(chunk, static_cast<std::size_t>(n));
        return text;
    }

private:
    pid_t pid_ = -1;
    bool waited_ = false;
    int status_ = 0;
    FILE* output_ = nullptr;
    int errors_ = -1;
};

// "zarvex2-scores: serving http://127.0.0.1:PORT/ from FILE" -> "http://127.0.0.1:PORT"
inline std::string BaseFrom(const std::string& line) {
    const auto start = line.find("http://");
    const auto end = line.find("/ from ");
    if (start == std::string::npos || end == std::string::npos) return "";
    return line.substr(start, end - start);
}

// The port at the end of a base address: "http://[::1]:8642" -> 8642.
inline int PortOf(const std::string& base) {
    const auto colon = base.rfind(':');
    return colon == std::string::npos ? -1 : std::atoi(base.c_str() + colon + 1);
}
