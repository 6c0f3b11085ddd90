#pragma once
// Cuts the bytes the device receives into command frames: text up to CR,
// ending in 3 or 13 hex pairs and their checksum pair. Whatever precedes a
// frame on its line, and lines that hold no frame, are dropped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuzo::sim {

struct Frame {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> params; // 2 for a read command, 12 for a write
    std::string text;                 // the hex pairs and checksum, without CR
    bool operator==(const Frame&) const = default;
};

// A valid frame text (without CR) as a Frame; false if it is not one.
[[nodiscard]] bool parse_frame(std::string_view text, Frame& out);

class FrameParser {
public:
    // Feeds bytes in any pieces; complete frames are appended to out.
    void feed(std::string_view bytes, std::vector<Frame>& out);
    // Lines ended by CR that held no frame.
    [[nodiscard]] std::size_t rejected() const { return rejected_; }

private:
    static constexpr std::size_t kMaxLine = 256; // longer lines keep their tail
    std::string line_;
    std::size_t rejected_ = 0;
};

} // namespace zuzo::sim
