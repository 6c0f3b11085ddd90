#pragma once
// The optics transfer as the device takes it, for the tool and the
// companion alike. The program write sends CMD_WRITE_OPTICS_A with bytes
// 1..12 of the optics, then CMD_WRITE_OPTICS_B with bytes 13..22; the
// program read sends CMD_READ_OPTICS_A, _B and _C and hands each reply on
// as soon as its command is done. A command is sent only once the one before
// it is done. How one command is run (the attempt rule, the stop check,
// progress, the fault questions, what is told) is the caller's.

#include "link/core/exchange.h"
#include "link/core/io_channel.h"
#include "link/core/optics_bytes.h"
#include "link/core/protocol.h"

#include <array>
#include <cstdint>
#include <functional>

namespace zuzo {

// One command of a transfer, handed to the caller to run.
struct TransferStep {
    std::uint8_t code = 0;
    std::function<ExchangeResult()> exchange; // one attempt
    std::function<void()> done;               // once the command is done: a read's reply is taken
};

// Runs one step: its exchange under the caller's rule, then, when the
// command is done, its done() before anything the caller does after it.
// True when the command is done and the transfer goes on.
using RunTransferStep = std::function<bool(const TransferStep& step)>;

// The read commands, in the order they are sent.
inline constexpr std::array<std::uint8_t, 3> kOpticsReadCodes = {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B,
                                                                 CMD_READ_OPTICS_C};

// The program write of bytes; how many of its two commands were done.
int write_optics(IoChannel& io, FaultPrompt& prompt, const OpticsBytes& bytes, const RunTransferStep& run);

// The program read; each reply goes to take(code, reply) as its command is
// done. How many of its three commands were done.
int read_optics(IoChannel& io, FaultPrompt& prompt, const RunTransferStep& run,
                const std::function<void(std::uint8_t code, const ReplyBytes& reply)>& take);

} // namespace zuzo
