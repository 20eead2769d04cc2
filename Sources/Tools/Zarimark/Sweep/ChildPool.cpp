#include "Sweep/ChildPool.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Sweep {

namespace {

pid_t WaitFor(pid_t pid, int* status) {
    pid_t result = -1;
    do {
        result = waitpid(pid, status, 0);
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace

std::string ChildEnd::Describe(std::chrono::milliseconds timeout) const {
    switch (kind) {
    case Kind::Exited:
        return "exited with " + std::to_string(code);
    case Kind::Signalled:
        return "was killed by signal " + std::to_string(code) + " (" + strsignal(code) + ")";
    case Kind::TimedOut:
        break;
    }
    const auto seconds = std::chrono::duration<double>(timeout).count();
    std::string text = std::to_string(seconds);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return "was still running after " + text + " s and was killed";
}

ChildPool::ChildPool(std::size_t jobs, std::chrono::milliseconds timeout, Done done)
    : jobs_(std::max<std::size_t>(jobs, 1)), timeout_(timeout), done_(std::move(done)) {}

ChildPool::~ChildPool() {
    for (Child& child : children_) {
        kill(child.pid, SIGKILL);
        int status = 0;
        WaitFor(child.pid, &status);
        close(child.fd);
    }
}

int ChildPool::Fork(std::size_t tag) {
    while (children_.size() >= jobs_)
        WaitForOne();
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    std::cout.flush();
    std::cerr.flush();
    const pid_t pid = fork();
    if (pid < 0) {
        const int error = errno;
        close(fds[0]);
        close(fds[1]);
        throw std::runtime_error(std::string("fork: ") + std::strerror(error));
    }
    if (pid == 0) {
        close(fds[0]);
        // A sibling's pipe held open here would keep the parent waiting for its end.
        for (const Child& sibling : children_)
            close(sibling.fd);
        children_.clear();
        return fds[1];
    }
    close(fds[1]);
    Child child;
    child.pid = pid;
    child.fd = fds[0];
    child.tag = tag;
    child.deadline = std::chrono::steady_clock::now() + timeout_;
    children_.push_back(std::move(child));
    return -1;
}

void ChildPool::WaitAll() {
    while (!children_.empty())
        WaitForOne();
}

bool ChildPool::ReadFrom(Child& child) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(child.fd, buffer, sizeof(buffer));
        if (count > 0) {
            child.output.append(buffer, static_cast<std::size_t>(count));
            return true;
        }
        if (count == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

void ChildPool::WaitForOne() {
    const std::size_t before = children_.size();
    while (children_.size() == before) {
        std::vector<pollfd> polled;
        auto first = std::chrono::steady_clock::time_point::max();
        for (const Child& child : children_) {
            polled.push_back({child.fd, POLLIN, 0});
            first = std::min(first, child.deadline);
        }
        int wait = -1;
        if (timeout_.count() > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                first - std::chrono::steady_clock::now());
            wait = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count() + 1, 0));
        }
        const int ready = poll(polled.data(), polled.size(), wait);
        if (ready < 0 && errno != EINTR)
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        const auto now = std::chrono::steady_clock::now();
        // From the back, so that finishing a child leaves the indices still to visit in place.
        for (std::size_t i = polled.size(); i-- > 0;) {
            if (ready > 0 && (polled[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
                !ReadFrom(children_[i]))
                Finish(i, false);
            else if (timeout_.count() > 0 && now >= children_[i].deadline)
                Finish(i, true);
        }
    }
}

void ChildPool::Finish(std::size_t index, bool timedOut) {
    Child child = std::move(children_[index]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    if (timedOut)
        kill(child.pid, SIGKILL);
    int status = 0;
    WaitFor(child.pid, &status);
    close(child.fd);
    ChildEnd end;
    end.tag = child.tag;
    end.output = std::move(child.output);
    if (timedOut) {
        end.kind = ChildEnd::Kind::TimedOut;
    } else if (WIFSIGNALED(status)) {
        end.kind = ChildEnd::Kind::Signalled;
        end.code = WTERMSIG(status);
    } else {
        end.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    done_(end);
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = write(fd, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        done += static_cast<std::size_t>(count);
    }
}

void EndChild(int fd, const std::string& text) {
    WriteAll(fd, text);
    close(fd);
    _exit(0);
}

void FailChild(const char* why) {
    const std::string text = std::string("zarimark sweep: a run failed: ") + why + "\n";
    WriteAll(STDERR_FILENO, text);
    _exit(70);
}

} // namespace Sweep
