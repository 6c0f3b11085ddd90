#pragma once
// The words of "zuzo device ...", and the answer --on-eeprom-fault gives to
// the device's EEPROM fault questions, with a record of what was asked.

#include "link/core/exchange.h"

#include <optional>
#include <string>
#include <vector>

namespace zuzo::cli {

struct DeviceOptions {
    std::string command;            // status, read, write or verify
    std::string port;               // --port, or the words of --ports
    std::vector<std::string> ports; // --ports, expanded (port_set.h); empty with --port
    std::string into;
    std::string journal;
    std::vector<std::string> files;
    FaultAnswer on_fault = FaultAnswer::Cancel;
    bool json = false;
    bool verify_after_write = false;           // write --verify
    std::optional<long long> max_clock_offset; // seconds either way (status, verify, write --verify)
};

// Empty text when the words are good; the problem (Russian, one line)
// otherwise. json is set whenever "--json" is among the words, so that a
// problem can be told as JSON too.
[[nodiscard]] std::string parse_device_options(const std::vector<std::string>& args, DeviceOptions& o);

// "repeat", "skip" or "break".
[[nodiscard]] const char* fault_answer_word(FaultAnswer answer);

// Answers every EEPROM fault question as the option says, and remembers the
// questions of the current exchange and the answer that counted.
class OptionFaultPrompt : public FaultPrompt {
public:
    explicit OptionFaultPrompt(FaultAnswer answer) : answer_(answer) {}
    FaultAnswer ask(const FaultQuestion& q) override;

    // Forgets what the previous exchange asked.
    void begin_exchange();
    // Whether the current exchange met a fault marker.
    [[nodiscard]] bool asked() const { return !questions_.empty(); }
    // What the device said, e.g. "«Повреждена EEPROM микроконтроллера»"
    // (both, when it reported both).
    [[nodiscard]] std::string what_the_device_said() const;
    // "microcontroller", "external" or "both".
    [[nodiscard]] const char* fault_name() const;
    // The answer that decided the exchange: a write offers no skip, so a
    // skip there breaks.
    [[nodiscard]] FaultAnswer given() const { return given_; }
    [[nodiscard]] FaultAnswer option() const { return answer_; }

private:
    FaultAnswer answer_;
    FaultAnswer given_ = FaultAnswer::Cancel;
    std::vector<const FaultQuestion*> questions_;
};

} // namespace zuzo::cli
