#pragma once
// The input/output half of one exchange, as the protocol sees it.

#include <cstddef>
#include <string>

namespace zuzo {

enum class IoStatus { Done, Stalled };

struct IoResult {
    IoStatus status = IoStatus::Done;
    std::string reply; // everything collected; may be empty or incomplete
};

class IoChannel {
public:
    virtual ~IoChannel() = default;
    [[nodiscard]] virtual bool is_open() const = 0;
    // How many characters a well-formed reply to the next frame has (0:
    // not known). Only the next run_io uses it, and only to know how long the
    // rest of a reply takes on the line once its first character is in: the
    // reply is still collected until "#" CR or 300 ms, whatever its length.
    virtual void expect_reply(std::size_t characters) { (void)characters; }
    // Flush waiting input, send the frame, collect the reply until "#" CR or
    // 300 ms of waiting. Stalled when the frame could not be written in time.
    virtual IoResult run_io(const std::string& frame) = 0;
};

} // namespace zuzo
