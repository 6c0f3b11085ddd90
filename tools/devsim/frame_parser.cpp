#include "tools/devsim/frame_parser.h"

#include "link/core/protocol.h"

namespace zuzo::sim {

bool parse_frame(std::string_view text, Frame& out)
{
    if (text.size() != kReadFrameLength - 1 && text.size() != kWriteFrameLength - 1)
        return false;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int h = hex_digit(text[i]);
        const int l = hex_digit(text[i + 1]);
        if (h < 0 || l < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(h * 16 + l));
    }
    const std::uint8_t checksum = bytes.back();
    bytes.pop_back();
    if (text_checksum(text.substr(0, text.size() - 2)) != checksum)
        return false;
    out.code = bytes.front();
    out.params.assign(bytes.begin() + 1, bytes.end());
    out.text = std::string(text);
    return true;
}

void FrameParser::feed(std::string_view bytes, std::vector<Frame>& out)
{
    for (char c : bytes) {
        if (c == '\n' || c == '\0')
            continue;
        if (c != '\r') {
            line_ += c;
            if (line_.size() > kMaxLine)
                line_.erase(0, line_.size() - kMaxLine);
            continue;
        }
        Frame f;
        const std::string_view line(line_);
        bool found = false;
        for (std::size_t len : {kWriteFrameLength - 1, kReadFrameLength - 1}) {
            if (line.size() >= len && parse_frame(line.substr(line.size() - len), f)) {
                found = true;
                break;
            }
        }
        if (found)
            out.push_back(std::move(f));
        else
            ++rejected_;
        line_.clear();
    }
}

} // namespace zuzo::sim
