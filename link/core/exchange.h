#pragma once
// One command to the device: read_exchange and write_exchange, the EEPROM
// fault questions they may ask, and the attempt rule around them.

#include "link/core/io_channel.h"
#include "link/core/protocol.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace zuzo {

enum class ExchangeResult {
    EXCHANGE_DONE = 0,
    EXCHANGE_BROKEN = 1,
    EXCHANGE_STALLED = 2,
    EXCHANGE_FAILED = 3
};

constexpr int kAttemptLimit = 8;

enum class FaultAnswer { Yes, No, Cancel };

// One EEPROM fault box: title "Внимание!", error icon; Yes/No/Cancel for a
// read command, Yes/No for a write command.
struct FaultQuestion {
    std::string_view title;
    std::string_view text;
    bool offers_cancel = false;
};

// The four questions, by command kind and marker.
[[nodiscard]] const FaultQuestion& read_fault_micro();     // read, "os#"
[[nodiscard]] const FaultQuestion& read_fault_external();  // read, "ol#"
[[nodiscard]] const FaultQuestion& write_fault_micro();    // write, "os#"
[[nodiscard]] const FaultQuestion& write_fault_external(); // write, "ol#"

// Asks the user one fault question and returns the button pressed. A closed
// Yes/No/Cancel box answers Cancel, a closed Yes/No box No.
class FaultPrompt {
public:
    virtual ~FaultPrompt() = default;
    virtual FaultAnswer ask(const FaultQuestion& question) = 0;
};

// A read command: code with two parameters; on success the ten data bytes
// are in reply (a skipped fault puts 255 in each). Any other outcome leaves
// reply as it was.
[[nodiscard]] ExchangeResult read_exchange(IoChannel& io, FaultPrompt& prompt, ReplyBytes& reply,
                                           std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0);

// A write command: code with twelve parameters; only the markers count.
[[nodiscard]] ExchangeResult write_exchange(IoChannel& io, FaultPrompt& prompt, std::uint8_t code,
                                            const WriteParams& params);

struct AttemptOutcome {
    ExchangeResult result = ExchangeResult::EXCHANGE_FAILED;
    int attempts = 0; // exchanges actually made
};

// The attempt rule: the exchange is repeated while it fails or stalls, at
// most kAttemptLimit times; a broken exchange is never repeated. If
// stop_requested is given it is asked before every attempt; when it says yes
// no further attempt is made and the result is EXCHANGE_FAILED.
[[nodiscard]] AttemptOutcome run_attempts(const std::function<ExchangeResult()>& exchange,
                                          const std::function<bool()>& stop_requested = {});

} // namespace zuzo
