#pragma once
// The "Оптика" tab bound to the optics fields of the device program.

#include <QObject>

struct AppContext;

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

private:
    AppContext& ctx_;
};
