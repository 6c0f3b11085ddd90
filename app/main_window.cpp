#include "app/main_window.h"

#include "app/accessibility.h"
#include "app/accessible_roles.h"
#include "app/window_pages.h"
#include "ui/controls.h"
#include "ui/pictures.h"
#include "ui/window_focus.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTime>
#include <QToolBar>
#include <QVBoxLayout>

#include <new>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint)
{
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    // A disabled window (a secondary window is open) takes no close request.
    if (isEnabled())
        emit closeRequested();
}

namespace {

struct ToolEntry {
    MenuId id;
    const char* name;
    Picture picture;
    const char* tooltip;
    bool separator_before;
};

// Toolbar buttons left to right; the id is the one the button raises.
constexpr ToolEntry kToolEntries[] = {
    {MenuId::New, "ToolNewButton", Picture::ToolNew, "Создать новый документ", false},
    {MenuId::Open, "ToolOpenButton", Picture::ToolOpen, "Открыть файл", false},
    {MenuId::Save, "ToolSaveButton", Picture::ToolSave, "Сохранить файл", false},
    {MenuId::Help, "ToolHelpButton", Picture::ToolHelp, "Открыть справку", true},
    {MenuId::Site, "ToolSiteButton", Picture::ToolSite, "Сайт программы", false},
    {MenuId::About, "ToolAboutButton", Picture::ToolAbout, "О программе", false},
    {MenuId::Exit, "ToolExitButton", Picture::ToolExit, "Выход", true},
};

void build_toolbar(MainControls& ui)
{
    auto* bar = new QToolBar(ui.MainWindow);
    bar->setObjectName(QStringLiteral("MainToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    ui.MainWindow->addToolBar(Qt::TopToolBarArea, bar);
    ui.MainToolBar = bar;
    for (const ToolEntry& entry : kToolEntries) {
        if (entry.separator_before)
            bar->addSeparator();
        auto* action = new QAction(picture_icon(entry.picture), QString::fromUtf8(entry.tooltip), bar);
        action->setToolTip(QString::fromUtf8(entry.tooltip));
        action->setObjectName(QString::fromLatin1(entry.name) + QStringLiteral("Action"));
        bar->addAction(action);
        if (QWidget* button = bar->widgetForAction(action))
            button->setObjectName(QString::fromLatin1(entry.name));
        ui.tool_actions[entry.id] = action;
    }
}

// keys: the item's usual shortcut, shown in the menu; it raises the item's
// id like a click.
QAction* add_item(MainControls& ui, QMenu* menu, MenuId id, const char* text, const QKeySequence& keys = {})
{
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setShortcut(keys);
    ui.menu_actions[id] = action;
    return action;
}

// The captions carry their access letters ("&"), which the menu underlines
// and Alt reaches: Alt+Ф, then В is Exit; Alt+С, then О is About. Alt alone
// takes the keyboard to the menu bar, as on Windows; F10 opens its first
// menu.
void build_menu(MainControls& ui)
{
    QMenuBar* bar = ui.MainWindow->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    bar->setNativeMenuBar(false);
    ui.MainMenu = bar;
    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    add_item(ui, file, MenuId::New, "&Создать", QKeySequence(Qt::CTRL | Qt::Key_N));
    add_item(ui, file, MenuId::Open, "&Открыть", QKeySequence(Qt::CTRL | Qt::Key_O));
    add_item(ui, file, MenuId::Save, "Со&хранить", QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addSeparator();
    add_item(ui, file, MenuId::Exit, "&Выход");
    QMenu* help = bar->addMenu(QStringLiteral("&Справка"));
    add_item(ui, help, MenuId::Help, "&Справка", QKeySequence(Qt::Key_F1));
    add_item(ui, help, MenuId::Site, "С&айт");
    add_item(ui, help, MenuId::About, "&О программе");
    // F10 opens the first menu, where the arrow keys go on.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), ui.MainWindow);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        const QList<QAction*> menus = bar->actions();
        if (!menus.isEmpty())
            bar->setActiveAction(menus.first());
    });
}

// Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
// Ctrl+PageUp the previous one, wherever the focus is on the panel: a combo
// box with the focus would otherwise take the keys for itself.
void add_page_keys(QTabWidget* panel)
{
    const auto step = [panel](int by) {
        const int count = panel->count();
        panel->setCurrentIndex((panel->currentIndex() + by + count) % count);
    };
    const struct {
        QKeySequence keys;
        int by;
    } page_keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                     {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                     {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& key : page_keys) {
        auto* shortcut = new QShortcut(key.keys, panel);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, panel, [step, by = key.by] { step(by); });
    }
}

void build_panel(MainControls& ui, const QTime& now)
{
    auto* central = new QWidget(ui.MainWindow);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(5, 3, 6, 4);
    auto* panel = new QTabWidget(central);
    panel->setObjectName(QStringLiteral("MainPanel"));
    layout->addWidget(panel);
    ui.MainPanel = panel;

    auto* config = new QWidget;
    build_config_page(config, ui, now);
    panel->addTab(config, QStringLiteral("Конфигурация"));
    auto* optics = new QWidget;
    build_optics_page(optics, ui);
    panel->addTab(optics, QStringLiteral("Оптика"));
    panel->setCurrentIndex(0);
    add_page_keys(panel);
    ui.MainWindow->setCentralWidget(central);
}

void centre_on_screen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace

bool build_main_window(MainControls& ui, const QTime& now)
{
    // Before any control exists: a screen reader may ask for one as soon as
    // it is made, and Qt keeps the first answer.
    install_accessible_roles();
    auto* window = new (std::nothrow) MainWindow;
    if (!window)
        return false;
    window->setObjectName(QStringLiteral("MainWindow"));
    window->setWindowTitle(QStringLiteral("Vestorin Zuzo transport"));
    window->setWindowIcon(application_icon());
    ui.MainWindow = window;
    build_toolbar(ui);
    build_menu(ui);
    build_panel(ui, now);
    describe_controls(ui);
    set_tab_order(ui);
    enter_presses_buttons(window);
    window->setFixedSize(MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT);
    centre_on_screen(window);
    return true;
}
