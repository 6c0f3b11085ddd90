// What a screen reader gets of the real windows over AT-SPI, on an X server
// with the session's accessibility bus (the ctest atspi_walk runs it so): the
// name, value and states of each control, a changed item or time told as it
// changes, and the outcome of each step with the device told as it happens
// while the keyboard stays on the button that started it.

#include "support/app_fixture.h"
#include "support/sim_fixture.h"

#include "app/atspi_client.h"
#include "app/auxiliary_commands.h"
#include "plans/plan_editor.h"
#include "program/core/device_program.h"
#include "ui/qt_seams.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>

#include <memory>
#include <string>

namespace {

// One connection to the bus for the whole run.
AtSpiClient& client()
{
    static AtSpiClient* shared = new AtSpiClient;
    return *shared;
}

class AtSpiWalk : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim_.start("COM1"));
        AppFixture::SetUp();
        static const QString why = client().connect_bus();
        if (!why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        ASSERT_TRUE(client().find_self()) << "the tool never showed on the accessibility bus";
        stop_timers();
        // Interval 1 of Monday on at 07:45, volume 50; the rest off.
        zuzo::DeviceProgram& program = ctx().program;
        program.plan_enabled[1][1] = 1;
        program.plan_hour[1][1] = 7;
        program.plan_minute[1][1] = 45;
        program.plan_volume[1][1] = 50;
        app().plans().refresh_plan_view();
        ASSERT_TRUE(activate_main_window());
        client().clear_events();
    }

    SimFixture sim_;
};

// What a screen reader reads as an object's value.
QString value_of(const AtSpiNode& node)
{
    if (node.role == QLatin1String("menu item"))
        return node.key;
    // The item a combo box shows, the time a picker shows.
    if (node.role == QLatin1String("combo box") || node.role == QLatin1String("spin button"))
        return node.text.value_or(QString());
    if (node.value)
        return QString::number(*node.value);
    return node.text.value_or(QString());
}

// The object of that role heard as label: its name, or for a combo box
// (which Qt names by its item) the label it is linked to.
const AtSpiNode* find(const std::vector<AtSpiNode>& nodes, const QString& role, const QString& label)
{
    for (const AtSpiNode& node : nodes) {
        const QString heard = node.role == QLatin1String("combo box") ? node.labelled_by.value(0) : node.name;
        if (node.role == role && heard == label)
            return &node;
    }
    return nullptr;
}

struct Heard {
    const char* role;
    const char* label;
    const char* value; // nullptr: not looked at
    std::vector<const char*> states;
    std::vector<const char*> not_states;
};

// The main window as the tool starts, with the interval above. A row with no
// role says that no shown label has that text.
const Heard kMainWindow[] = {
    // Fault: a combo box offered no item at all (Qt's bridge names it by
    // its item; Orca read the label and no item).
    {"combo box", "Порт", "COM1", {"focusable", "sensitive"}, {}},
    {"combo box", "День недели", "Понедельник", {}, {}},
    {"combo box", "Вид звукового сопровождения", "Сигнал №1", {}, {"sensitive"}},
    {"combo box", "Автоматическая регулировка яркости", "Откл.оптический датчик", {}, {}},
    // Fault: editable and read-only at once.
    {"text", "Системная дата", nullptr, {"read-only", "focusable"}, {"editable"}},
    {"text", "Дата счит. с устройства", "", {"read-only"}, {"editable", "sensitive"}},
    // Fault: a number 0 in a range 0..0 whatever the time (its number is
    // the minutes of the day).
    {"spin button", "Время интервала 1", "07:45", {"editable", "sensitive"}, {}},
    {"text", "Громкость интервала 1", "50", {"editable"}, {"read-only"}},
    // Fault: "Интервал 4 включен" read out for an unchecked box.
    {"check box", "Включен, интервал 1", nullptr, {"checked"}, {}},
    {"check box", "Включен, интервал 4", nullptr, {}, {"checked"}},
    {"slider", "Красный, яркость модуля", "100", {}, {}},
    {"text", "Статус устройства", "", {"read-only"}, {"editable"}},
    {"push button", "Установить связь", nullptr, {"focusable", "sensitive"}, {}},
    // Fault: the toolbar's overflow button had no name.
    {"check box", "Остальные кнопки панели инструментов", nullptr, {}, {"showing"}},
    // Fault: the menus had no access letters.
    {"menu item", "Файл", "Alt+Ф", {}, {}},
    {"menu item", "Справка", "Alt+С", {}, {}},
    {"menu item", "Выход", "Alt+В", {}, {}},
    {"menu item", "Сохранить", "Ctrl+S", {}, {}},
    {"menu item", "Сайт", "Alt+а", {}, {}},
    {"menu item", "О программе", "Alt+О", {}, {}},
    // Fault: the units were read as labels of their own.
    {nullptr, "%", nullptr, {}, {}},
    {nullptr, "L", nullptr, {}, {}},
};

// The About window over the main window, and a message box over both.
const Heard kAboutAndBox[] = {
    // Fault: the picture and the icon had no name.
    {"image", "Эмблема программы", nullptr, {"showing"}, {}},
    {"image", "Предупреждение", nullptr, {"showing"}, {}},
    {"push button", "Ок", nullptr, {"sensitive"}, {}},
    {"alert", "Выход", nullptr, {}, {}},
};

void expect_heard(const std::vector<AtSpiNode>& nodes, const Heard& row)
{
    SCOPED_TRACE(std::string(row.role ? row.role : "no label") + " " + row.label);
    if (row.role == nullptr) {
        for (const AtSpiNode& node : nodes)
            EXPECT_FALSE(node.name == QString::fromUtf8(row.label) &&
                         node.states.contains(QStringLiteral("showing")));
        return;
    }
    const AtSpiNode* node = find(nodes, QString::fromLatin1(row.role), QString::fromUtf8(row.label));
    if (node == nullptr) {
        QStringList heard; // what there is of that role instead
        for (const AtSpiNode& n : nodes) {
            if (n.role == QLatin1String(row.role))
                heard << n.name + QLatin1Char('/') + n.labelled_by.join(QLatin1Char(','));
        }
        FAIL() << "not found among: " << heard.join(QLatin1String("; ")).toStdString();
    }
    if (row.value != nullptr) {
        EXPECT_EQ(value_of(*node), QString::fromUtf8(row.value));
    }
    if (node->role == QLatin1String("spin button")) {
        const QTime shown = QTime::fromString(value_of(*node), QStringLiteral("hh:mm"));
        EXPECT_EQ(node->value.value_or(-1.0), shown.msecsSinceStartOfDay() / 60000.0) << "the minutes shown";
    }
    for (const char* state : row.states)
        EXPECT_TRUE(node->states.contains(QString::fromLatin1(state))) << state;
    for (const char* state : row.not_states)
        EXPECT_FALSE(node->states.contains(QString::fromLatin1(state))) << state;
}

TEST_F(AtSpiWalk, EveryControlIsHeardWithItsNameValueAndStates)
{
    const std::vector<AtSpiNode> nodes = client().walk();
    ASSERT_GT(nodes.size(), 100u);
    for (const Heard& row : kMainWindow)
        expect_heard(nodes, row);

    app().commands().about();
    int busy = 0;
    QtMessageBoxes real(busy);
    std::vector<AtSpiNode> over;
    QTimer::singleShot(0, [&] {
        over = client().walk();
        if (auto* box = QApplication::activeModalWidget())
            box->close();
    });
    (void)real.show(app().commands().about_window(), QStringLiteral("Выход"), QStringLiteral("Выйти?"),
                    MsgButtons::YesNo, MsgIcon::Exclamation);
    app().commands().close_about();
    for (const Heard& row : kAboutAndBox)
        expect_heard(over, row);
}

// A change of item or time, made with the keyboard, is told as it happens.
struct Change {
    const char* name;
    const char* control;
    const char* role;
    const char* label;
    Qt::Key key;
    const char* signal; // the event that tells it
    const char* kind;
    const char* heard; // the value read afterwards
};

class AtSpiChange : public AtSpiWalk, public ::testing::WithParamInterface<Change> {};

TEST_P(AtSpiChange, IsToldAsItHappens)
{
    const Change& c = GetParam();
    QWidget* control = ui().MainWindow->findChild<QWidget*>(QString::fromLatin1(c.control));
    ASSERT_NE(control, nullptr);
    const std::vector<AtSpiNode> nodes = client().walk();
    const AtSpiNode* node = find(nodes, QString::fromLatin1(c.role), QString::fromUtf8(c.label));
    ASSERT_NE(node, nullptr);
    const QString path = node->path;
    control->setFocus(Qt::TabFocusReason);
    process_events();
    client().clear_events();
    QTest::keyClick(control, c.key);
    EXPECT_TRUE(client().wait_for_event([&](const AtSpiEvent& e) {
        return e.path == path && e.signal == QLatin1String(c.signal) && e.kind == QLatin1String(c.kind);
    }));
    EXPECT_EQ(value_of(client().read(path)), QString::fromUtf8(c.heard));
}

INSTANTIATE_TEST_SUITE_P(
    Items, AtSpiChange,
    // Fault: the port combo box sent nothing and offered no item.
    ::testing::Values(Change{"port", "PortCombo", "combo box", "Порт", Qt::Key_Down, "TextChanged", "insert",
                             "COM2"},
                      // Fault: the time was a number that never changed.
                      Change{"time", "IntervalTimePicker1", "spin button", "Время интервала 1", Qt::Key_Up,
                             "PropertyChange", "accessible-value", "08:45"}),
    [](const ::testing::TestParamInfo<Change>& case_info) { return std::string(case_info.param.name); });

// The outcome of each step with the device, started by Enter on its button:
// told at once as a notification, and the log's new line as inserted text,
// while the keyboard stays on a button of the window.
struct Outcome {
    const char* step;
    std::function<void(SimFixture&)> before;
    const char* button; // Enter is pressed on it
    const char* told;   // part of the notification
    const char* keeps;  // the control with the keyboard afterwards
};

TEST_F(AtSpiWalk, OutcomesAreToldWhileTheKeyboardStays)
{
    const auto none = [](SimFixture&) {};
    const Outcome steps[] = {
        {"connect", none, "ConnectButton", "Устройство готово", "ConnectButton"},
        {"read", none, "ReadProgramButton", "Программа считана", "ReadProgramButton"},
        {"write", none, "WriteProgramButton", "Программа записана", "WriteProgramButton"},
        // The disconnected buttons are disabled: the keyboard moves on.
        {"disconnect", none, "DisconnectButton", "Порт закрыт", "ConnectButton"},
        {"silent device", [](SimFixture& sim) { ASSERT_TRUE(sim.set_fault("silence")); }, "ConnectButton",
         "Устройство не отвечает", "ConnectButton"},
    };
    for (const Outcome& s : steps) {
        SCOPED_TRACE(s.step);
        s.before(sim_);
        status_tick(); // the transfer buttons follow the link
        auto* button = ui().MainWindow->findChild<QPushButton*>(QString::fromLatin1(s.button));
        ASSERT_TRUE(button != nullptr && button->isEnabled());
        button->setFocus(Qt::TabFocusReason);
        process_events();
        client().clear_events();
        // Fault: Enter on a focused button did nothing; only Space pressed it.
        QTest::keyClick(button, Qt::Key_Return);
        const QString told = QString::fromUtf8(s.told);
        EXPECT_TRUE(client().wait_for_event([&](const AtSpiEvent& e) {
            return e.signal == QLatin1String("StateChanged") && e.kind == QLatin1String("showing") &&
                   e.detail1 == 1 && client().read(e.path).name.contains(told);
        }));
        EXPECT_TRUE(client().wait_for_event([&](const AtSpiEvent& e) {
            return e.signal == QLatin1String("TextChanged") && e.kind == QLatin1String("insert") &&
                   e.data.contains(told);
        }));
        EXPECT_EQ(QApplication::focusWidget(),
                  ui().MainWindow->findChild<QWidget*>(QString::fromLatin1(s.keeps)));
    }
}

} // namespace
