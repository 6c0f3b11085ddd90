#pragma once
// The "Оптика" tab bound to the optics fields of the device program.

#include "program/core/device_program.h"

#include <QObject>

struct AppContext;
class NumericEdit;
class WarningPicture;

class OpticsEditor : public QObject {
    Q_OBJECT
public:
    explicit OpticsEditor(AppContext& ctx, QObject* parent = nullptr);

    // Connects the handlers of every optics control and warning picture.
    void bind();
    // Copies the model into the optics controls and sets their enabling.
    void refresh();
    // Runs the six optics rules: shows/hides the warnings, stores the codes.
    void run_rules();
    // Optics defaults into the model, then refresh() and run_rules().
    void apply_optics_defaults();

    // The edit mode the optics controls select now.
    [[nodiscard]] zuzo::EditMode current_mode() const;

private:
    void on_slider(int channel);
    void on_channel_edit(int channel);
    void on_minimum_edit(NumericEdit* edit, std::int32_t& field);
    void on_threshold_edit(NumericEdit* edit, std::int32_t& field);
    void on_sensor_combo();
    void on_option(bool dark);
    void on_factory_reset();
    // channel: 1..5 for a channel's warning, 0 for the thresholds'.
    void on_warning(WarningPicture* warning, int channel, Qt::MouseButton button);
    // Stores v in channel c of the set of the current mode (nothing in mode 0).
    void store_channel(int channel, std::int32_t value);

    AppContext& ctx_;
};
