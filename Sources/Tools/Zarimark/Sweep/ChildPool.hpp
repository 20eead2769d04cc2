#ifndef ZARIMARK_SWEEP_CHILDPOOL_HPP
#define ZARIMARK_SWEEP_CHILDPOOL_HPP

#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace Sweep {

// How a child process ended, and what it wrote to its pipe.
struct ChildEnd {
    enum class Kind { Exited, Signalled, TimedOut };
    std::size_t tag = 0;
    std::string output;
    Kind kind = Kind::Exited;
    int code = 0; // the exit status, or the signal

    bool Normal() const { return kind == Kind::Exited && code == 0; }
    // "exited with 3", "was killed by signal 6 (Aborted)", "was still running after 10 s and was
    // killed".
    std::string Describe(std::chrono::milliseconds timeout) const;
};

// Forked children, at most `jobs` at a time, each writing its result to a pipe of its own: a
// child that crashes takes nothing down with it. A child still running after `timeout` (zero:
// never) is killed.
class ChildPool {
public:
    using Done = std::function<void(const ChildEnd&)>;

    ChildPool(std::size_t jobs, std::chrono::milliseconds timeout, Done done);
    ~ChildPool();
    ChildPool(const ChildPool&) = delete;
    ChildPool& operator=(const ChildPool&) = delete;

    // Waits for a free place and forks. In the child: the descriptor its result goes to, the pool
    // emptied of its siblings; in the parent: -1.
    int Fork(std::size_t tag);
    void WaitAll();
    std::chrono::milliseconds GetTimeout() const { return timeout_; }

private:
    struct Child {
        pid_t pid = -1;
        int fd = -1;
        std::size_t tag = 0;
        std::string output;
        std::chrono::steady_clock::time_point deadline;
    };

    // Reads what the children wrote until one of them has ended.
    void WaitForOne();
    bool ReadFrom(Child& child); // false at the end of its output
    void Finish(std::size_t index, bool timedOut);

    std::size_t jobs_;
    std::chrono::milliseconds timeout_;
    Done done_;
    std::vector<Child> children_;
};

// Writes all of `text`, however the pipe takes it.
void WriteAll(int fd, const std::string& text);
// Ends a child at once after writing `text`: no destructor runs and no buffer of the parent's is
// flushed twice.
[[noreturn]] void EndChild(int fd, const std::string& text);
// Ends a child that failed at once, saying why on stderr: an exception must not unwind into the
// parent's code, which the child shares.
[[noreturn]] void FailChild(const char* why);

// Runs `work` in the child and ends it with what the work gave.
template <typename Work>
[[noreturn]] void RunChild(int fd, Work&& work) {
    try {
        EndChild(fd, work());
    } catch (const std::exception& error) {
        FailChild(error.what());
    } catch (...) {
        FailChild("unknown exception");
    }
}

} // namespace Sweep

#endif
