#include "app/atspi_client.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QTest>

#include <map>

namespace {

constexpr int kCallMs = 10000;
constexpr int kWaitMs = 20000;

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
constexpr unsigned kLabelledBy = 2;

// The AT-SPI states the walk looks at, by their numbers.
const std::map<unsigned, QString> kStates = {
    {4, QStringLiteral("checked")},    {7, QStringLiteral("editable")}, {11, QStringLiteral("focusable")},
    {24, QStringLiteral("sensitive")}, {25, QStringLiteral("showing")}, {43, QStringLiteral("read-only")},
};

// AT-SPI's names of the roles the walk meets, by their numbers (as a screen
// reader names them; Qt's own role names differ in places).
const std::map<uint, QString> kRoles = {
    {2, QStringLiteral("alert")},          {7, QStringLiteral("check box")},
    {11, QStringLiteral("combo box")},     {27, QStringLiteral("image")},
    {29, QStringLiteral("label")},         {35, QStringLiteral("menu item")},
    {43, QStringLiteral("push button")},   {51, QStringLiteral("slider")},
    {52, QStringLiteral("spin button")},   {61, QStringLiteral("text")},
    {101, QStringLiteral("notification")},
};

// (so) references in an array: their object paths, with their bus names.
std::vector<std::pair<QString, QString>> references(const QDBusArgument& argument)
{
    std::vector<std::pair<QString, QString>> found;
    argument.beginArray();
    while (!argument.atEnd()) {
        QString service;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> service >> path;
        argument.endStructure();
        found.emplace_back(service, path.path());
    }
    argument.endArray();
    return found;
}

QString variant_text(const QVariant& value)
{
    const QVariant inner =
        value.canConvert<QDBusVariant>() ? qvariant_cast<QDBusVariant>(value).variant() : value;
    return inner.metaType().id() == QMetaType::QString ? inner.toString() : QString();
}

} // namespace

QString AtSpiClient::connect_bus()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return QStringLiteral("no D-Bus session");
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusReply<QString> address = session.call(ask, QDBus::Block, kCallMs);
    if (!address.isValid())
        return QStringLiteral("no accessibility bus: ") + address.error().message();
    bus_ = QDBusConnection::connectToBus(address.value(), QStringLiteral("atspi-walk"));
    if (!bus_.isConnected())
        return QStringLiteral("cannot reach the accessibility bus at ") + address.value();
    for (const char* signal : {"PropertyChange", "StateChanged", "TextChanged", "SelectionChanged"})
        bus_.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                     QString::fromLatin1(signal), this, SLOT(received(QDBusMessage)));
    bus_.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Focus"), QStringLiteral("Focus"),
                 this, SLOT(received(QDBusMessage)));
    for (const char* kind : {"object:", "focus:"}) {
        QDBusMessage listen =
            QDBusMessage::createMethodCall(kRegistry, QStringLiteral("/org/a11y/atspi/registry"), kRegistry,
                                           QStringLiteral("RegisterEvent"));
        listen << QString::fromLatin1(kind) << QStringList() << QString();
        const QDBusMessage reply = bus_.call(listen, QDBus::Block, kCallMs);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return QStringLiteral("the registry takes no listener: ") + reply.errorMessage();
    }
    return {};
}

bool AtSpiClient::find_self()
{
    const auto published = [this] {
        const QDBusMessage apps =
            QDBusMessage::createMethodCall(kRegistry, kRoot, kAccessible, QStringLiteral("GetChildren"));
        const QDBusMessage reply = bus_.call(apps, QDBus::BlockWithGui, kCallMs);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return false;
        for (const auto& [service, path] :
             references(qvariant_cast<QDBusArgument>(reply.arguments().first()))) {
            const QDBusReply<uint> pid = bus_.interface()->servicePid(service);
            if (pid.isValid() && pid.value() == QCoreApplication::applicationPid()) {
                app_ = service;
                return !children(kRoot).isEmpty();
            }
        }
        return false;
    };
    return QTest::qWaitFor(published, kWaitMs);
}

QDBusMessage AtSpiClient::call(const QString& path, const QString& interface, const QString& method,
                               const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(app_, path, interface, method);
    message.setArguments(arguments);
    return bus_.call(message, QDBus::BlockWithGui, kCallMs);
}

QVariant AtSpiClient::property(const QString& path, const QString& interface, const QString& name)
{
    const QDBusMessage reply = call(path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant();
}

QStringList AtSpiClient::children(const QString& path)
{
    const QDBusMessage reply = call(path, kAccessible, QStringLiteral("GetChildren"));
    QStringList paths;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return paths;
    for (const auto& child : references(qvariant_cast<QDBusArgument>(reply.arguments().first())))
        paths << child.second;
    return paths;
}

AtSpiNode AtSpiClient::read(const QString& path)
{
    AtSpiNode node;
    node.path = path;
    const uint role = call(path, kAccessible, QStringLiteral("GetRole")).arguments().value(0).toUInt();
    const auto known = kRoles.find(role);
    node.role = known != kRoles.end() ? known->second : QStringLiteral("role %1").arg(role);
    node.name = property(path, kAccessible, QStringLiteral("Name")).toString();
    const QDBusMessage states = call(path, kAccessible, QStringLiteral("GetState"));
    QList<uint> words;
    qvariant_cast<QDBusArgument>(states.arguments().value(0)) >> words;
    for (const auto& [bit, state] : kStates) {
        if (static_cast<int>(bit / 32) < words.size() &&
            (words[static_cast<int>(bit / 32)] >> (bit % 32)) & 1u)
            node.states.insert(state);
    }
    const QDBusMessage relations = call(path, kAccessible, QStringLiteral("GetRelationSet"));
    const QDBusArgument set = qvariant_cast<QDBusArgument>(relations.arguments().value(0));
    set.beginArray();
    while (!set.atEnd()) {
        uint type = 0;
        set.beginStructure();
        set >> type;
        for (const auto& target : references(set)) {
            if (type == kLabelledBy)
                node.labelled_by << property(target.second, kAccessible, QStringLiteral("Name")).toString();
        }
        set.endStructure();
    }
    set.endArray();
    const QStringList interfaces =
        call(path, kAccessible, QStringLiteral("GetInterfaces")).arguments().value(0).toStringList();
    if (interfaces.contains(QStringLiteral("org.a11y.atspi.Text")))
        node.text = call(path, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("GetText"), {0, -1})
                        .arguments()
                        .value(0)
                        .toString();
    if (interfaces.contains(QStringLiteral("org.a11y.atspi.Value")))
        node.value =
            property(path, QStringLiteral("org.a11y.atspi.Value"), QStringLiteral("CurrentValue")).toDouble();
    if (interfaces.contains(QStringLiteral("org.a11y.atspi.Action")))
        node.key = call(path, QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("GetKeyBinding"), {0})
                       .arguments()
                       .value(0)
                       .toString();
    return node;
}

void AtSpiClient::walk_into(const QString& path, std::vector<AtSpiNode>& found)
{
    found.push_back(read(path));
    if (found.back().role == QLatin1String("combo box"))
        return;
    for (const QString& child : children(path))
        walk_into(child, found);
}

std::vector<AtSpiNode> AtSpiClient::walk()
{
    std::vector<AtSpiNode> found;
    for (const QString& window : children(kRoot))
        walk_into(window, found);
    return found;
}

void AtSpiClient::received(const QDBusMessage& message)
{
    if (message.service() != app_ && !app_.isEmpty() && !message.service().isEmpty())
        return;
    AtSpiEvent event;
    event.signal = message.member();
    event.path = message.path();
    const QVariantList arguments = message.arguments();
    event.kind = arguments.value(0).toString();
    event.detail1 = arguments.value(1).toInt();
    event.data = variant_text(arguments.value(3));
    events_.push_back(event);
}

bool AtSpiClient::wait_for_event(const std::function<bool(const AtSpiEvent&)>& match)
{
    const auto seen = [&] {
        for (const AtSpiEvent& event : events_) {
            if (match(event))
                return true;
        }
        return false;
    };
    return QTest::qWaitFor(seen, kWaitMs);
}
