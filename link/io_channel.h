#pragma once
// The input/output half of one exchange, as the protocol sees it.

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
    // Flush waiting input, send the frame, collect the reply until "#" CR or
    // 300 ms of waiting. Stalled when the frame could not be written in time.
    virtual IoResult run_io(const std::string& frame) = 0;
};

} // namespace zuzo
