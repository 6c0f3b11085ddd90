#include "link/core/optics_transfer.h"

#include <utility>

namespace zuzo {

int write_optics(IoChannel& io, FaultPrompt& prompt, const OpticsBytes& bytes, const RunTransferStep& run)
{
    const std::array<std::pair<std::uint8_t, WriteParams>, 2> commands = {
        {{CMD_WRITE_OPTICS_A, write_a_params(bytes)}, {CMD_WRITE_OPTICS_B, write_b_params(bytes)}}};
    int done = 0;
    for (const auto& [code, params] : commands) {
        const TransferStep step{code,
                                [&io, &prompt, code = code, &params = params] {
                                    return write_exchange(io, prompt, code, params);
                                },
                                [] {}};
        if (!run(step))
            break;
        ++done;
    }
    return done;
}

int read_optics(IoChannel& io, FaultPrompt& prompt, const RunTransferStep& run,
                const std::function<void(std::uint8_t code, const ReplyBytes& reply)>& take)
{
    int done = 0;
    for (const std::uint8_t code : kOpticsReadCodes) {
        ReplyBytes reply;
        const TransferStep step{code, [&] { return read_exchange(io, prompt, reply, code, 0, 0); },
                                [&] { take(code, reply); }};
        if (!run(step))
            break;
        ++done;
    }
    return done;
}

} // namespace zuzo
