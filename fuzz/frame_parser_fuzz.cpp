// The simulator's frame parser on any bytes cut into any pieces: no crash,
// the same frames whatever the cut, and every frame it finds is one the tool
// could have sent (rebuilding it from its bytes gives its text back).

#include "fuzz/fuzz_check.h"
#include "link/core/protocol.h"
#include "tools/devsim/frame_parser.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string rebuilt(const zuzo::sim::Frame& f)
{
    if (f.params.size() == 2)
        return zuzo::read_frame(f.code, f.params[0], f.params[1]);
    zuzo::WriteParams p{};
    std::copy(f.params.begin(), f.params.end(), p.begin());
    return zuzo::write_frame(f.code, p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zuzo::sim;
    if (size == 0)
        return 0;
    // The first byte chooses the size of the pieces the rest arrives in.
    const std::size_t piece = 1 + data[0] % 37;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    FrameParser whole;
    std::vector<Frame> at_once;
    whole.feed(bytes, at_once);

    FrameParser cut;
    std::vector<Frame> in_pieces;
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        cut.feed(bytes.substr(at, piece), in_pieces);

    FUZZ_CHECK(at_once == in_pieces);
    FUZZ_CHECK(whole.rejected() == cut.rejected());
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    FUZZ_CHECK(at_once.size() + whole.rejected() == lines);

    for (const Frame& f : at_once) {
        FUZZ_CHECK(f.params.size() == 2 || f.params.size() == 12);
        // The checksum is of the characters as they came, so only an
        // upper-case frame gives its whole text back.
        const std::string again_text = rebuilt(f);
        const std::size_t pairs = f.text.size() - 2;
        FUZZ_CHECK(again_text.substr(0, pairs) == upper(f.text.substr(0, pairs)));
        if (upper(f.text) == f.text)
            FUZZ_CHECK(again_text == f.text + "\r");
        Frame again;
        FUZZ_CHECK(parse_frame(f.text, again) && again == f);
    }
    return 0;
}
