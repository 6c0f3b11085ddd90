#include "program/write_gate.h"

#include "ui/controls.h"
#include "ui/warning_picture.h"

bool write_gate_passes(const MainControls& ui)
{
    // The plan results are 1 when sound, the optics codes 0.
    const int plan_sum = ui.DuplicateIntervalsWarning->userData() + ui.VolumeRangeWarning->userData();
    int optics_sum = ui.LuxThresholdWarning->userData();
    for (std::size_t c = 1; c < ui.ChannelWarning.size(); ++c)
        optics_sum += ui.ChannelWarning[c]->userData();
    return plan_sum == 2 && optics_sum == 0;
}
