#pragma once
// A screen reader's view of this very process, over AT-SPI: the objects Qt's
// bridge publishes on the accessibility bus (role, name, states, labels,
// text, value, key) and the events it sends, read with plain D-Bus calls as
// any AT-SPI client reads them. The bridge answers from this thread, so every
// call waits in a nested event loop, with a bound.

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QDBusMessage;

struct AtSpiNode {
    QString path;
    QString role; // as AT-SPI names it: "combo box", "push button", ...
    QString name;
    QSet<QString> states;    // "focused", "editable", "read-only", ...
    QStringList labelled_by; // the names of the objects that label it
    std::optional<QString> text;
    std::optional<double> value;
    QString key; // the key binding of its first action
};

struct AtSpiEvent {
    QString signal; // "StateChanged", "PropertyChange", "TextChanged", "Focus", ...
    QString kind;   // "showing", "accessible-name", "insert", ...
    int detail1 = 0;
    QString data; // the text an event carries, if any
    QString path; // the object the event is about
};

class AtSpiClient : public QObject {
    Q_OBJECT
public:
    // Connects to the session's accessibility bus and listens to every
    // object and focus event. Returns why it cannot, or an empty string.
    [[nodiscard]] QString connect_bus();
    // Waits until this process is published as an application with a window.
    [[nodiscard]] bool find_self();

    // Every object under this process's windows, depth first; the items of a
    // combo box's list are left out.
    [[nodiscard]] std::vector<AtSpiNode> walk();
    [[nodiscard]] AtSpiNode read(const QString& path);

    // Events received from this process so far, and waiting for one.
    [[nodiscard]] const std::vector<AtSpiEvent>& events() const { return events_; }
    void clear_events() { events_.clear(); }
    [[nodiscard]] bool wait_for_event(const std::function<bool(const AtSpiEvent&)>& match);

private slots:
    void received(const QDBusMessage& message);

private:
    [[nodiscard]] QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                                    const QVariantList& arguments = {});
    [[nodiscard]] QVariant property(const QString& path, const QString& interface, const QString& name);
    [[nodiscard]] QStringList children(const QString& path);
    void walk_into(const QString& path, std::vector<AtSpiNode>& found);

    QDBusConnection bus_{QString()};
    QString app_; // this process's name on the accessibility bus
    std::vector<AtSpiEvent> events_;
};
