#pragma once
// Everything the user sees of the serial link: connect, disconnect, the
// status tick's clock display, supervision and brightness preview, the port
// tick's discovery, and the program write and read.

#include <QObject>

struct AppContext;

class LinkController : public QObject {
    Q_OBJECT
public:
    explicit LinkController(AppContext& ctx, QObject* parent = nullptr);
    ~LinkController() override;

    // Connects ConnectButton, DisconnectButton, WriteProgramButton and
    // ReadProgramButton to their handlers.
    void bind();

    [[nodiscard]] bool link_is_open() const;
    void clock_display();      // status tick step 1
    void supervision();        // status tick step 2
    void brightness_preview(); // status tick step 3
    void port_discovery();     // port tick
    void close_link();         // at exit

private:
    AppContext& ctx_;
};
