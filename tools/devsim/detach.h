#pragma once
// Going to the background as daemons do (--detach): the program forks, the
// child serves the port, and the parent returns only once the child has
// published it, or has told why it could not.

#include <optional>
#include <string>

namespace zuzo::sim {

// The child's line back to the waiting parent.
class ReadyLine {
public:
    explicit ReadyLine(int fd) : fd_(fd) {}
    ~ReadyLine();
    ReadyLine(const ReadyLine&) = delete;
    ReadyLine& operator=(const ReadyLine&) = delete;
    ReadyLine(ReadyLine&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ReadyLine& operator=(ReadyLine&& other) noexcept;

    // The port is published: the parent prints the child's process id.
    void published();
    // It is not: the parent prints the reason (one line) and fails.
    void failed(const std::string& reason);

private:
    void tell(const std::string& text);
    int fd_;
};

struct Detached {
    std::optional<int> parent_exit; // set in the parent: the code to exit with
    std::optional<ReadyLine> child; // set in the child: how to report back
};

// Forks. The parent waits for the child's report, prints the child's process
// id alone on standard output (published) or "zuzo-devsim: REASON" on
// standard errors (not), and gets the exit code, 0 or 1. The child runs in a
// session of its own (the terminal's Ctrl+C and hang-up do not reach it),
// with its working folder "/" and its standard streams on /dev/null: whoever
// reads its output, such as a shell's $( ), is not kept waiting for it.
// Call it before any thread starts.
[[nodiscard]] Detached detach();

} // namespace zuzo::sim
