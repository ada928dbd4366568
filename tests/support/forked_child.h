#pragma once
// Runs a piece of a test in a child process of its own, bounded in time: for what must not touch
// the test process (a mount namespace) or what is cut short from outside (a kill).

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// Waits up to `timeout` for `fd` to become readable; false on time-out.
inline bool waitReadable(int fd, std::chrono::milliseconds timeout) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(timeout.count())) > 0;
}

// Runs `body` in a forked child; what it writes to the descriptor it is given comes back as the
// result. The child ends with _exit() after `body`; one that has not ended within `timeout` is
// killed, and the result is nullopt.
inline std::optional<std::string> runInChild(const std::function<void(int out)>& body,
                                             std::chrono::milliseconds timeout) {
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        ::close(fds[0]);
        body(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool ended = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !waitReadable(fds[0], left)) break;
        char buf[4096];
        const ssize_t n = ::read(fds[0], buf, sizeof buf);
        if (n <= 0) {
            ended = true;
            break;
        }
        output.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (!ended) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!ended) return std::nullopt;
    return output;
}

inline void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}
