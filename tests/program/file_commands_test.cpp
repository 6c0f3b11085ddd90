// New, Open and Save through the "Файл" menu, on real widgets and real files.

#include "program/core/cp1251.h"
#include "program/core/ptm_format.h"
#include "program/file_size_limit.h"
#include "program/optics_fixture.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

using zuzo::DeviceProgram;
using Bytes = std::vector<std::uint8_t>;

// The tool's messages for a file it could not write or read, with the line
// that says why.
QString write_failed(const QString& cause)
{
    return "При записи произошла ошибка.\nФайл сохранить не удалось.\nПричина: " + cause;
}

QString read_failed(const QString& cause)
{
    return "При чтении произошла ошибка.\nФайл открыть не удалось.\n\nПричина: " + cause;
}

class FileCommandsTest : public OpticsFixture {
protected:
    void menu(MenuId id) { ui().menu_actions[id]->trigger(); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    void put(const QString& file, const QByteArray& content)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
        ASSERT_EQ(f.write(content), content.size());
    }

    void put(const QString& file, const Bytes& content)
    {
        put(file, QByteArray(reinterpret_cast<const char*>(content.data()),
                             static_cast<qsizetype>(content.size())));
    }

    QByteArray get(const QString& file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }

    static QByteArray bytes(const Bytes& b)
    {
        return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    }

    QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // Saves under name, answering Yes to an overwrite question if one comes.
    void save_as(const QString& name)
    {
        files().save_names = {name};
        boxes().default_answer = MsgAnswer::Yes;
        menu(MenuId::Save);
        boxes().default_answer.reset();
    }

    // Opens file, answering Yes to the question.
    void open(const QString& file)
    {
        files().open_names = {file};
        boxes().answers = {MsgAnswer::Yes};
        menu(MenuId::Open);
    }

    QTemporaryDir dir_;
};

DeviceProgram changed()
{
    DeviceProgram p;
    p.plan_enabled[1][1] = 1;
    p.plan_hour[1][1] = 7;
    p.plan_minute[1][1] = 30;
    p.plan_volume[1][1] = 80;
    p.plan_enabled[4][12] = 1;
    p.plan_hour[4][12] = 23;
    p.plan_minute[4][12] = 59;
    p.plan_volume[4][12] = 100;
    p.weekday_name = "Четверг";
    p.sound_type = "Сигнал №3";
    p.fast_pulse_time = "42";
    p.sound_off = 1;
    p.sensor_off_brightness = {91, 92, 93, 94, 95};
    p.evening_brightness = {55, 56, 57, 58, 59};
    p.day_brightness = {71, 72, 73, 74, 75};
    p.module_min_brightness = 52;
    p.indicator_min_brightness = 53;
    p.optical_sensor_on = 1;
    p.evening_lux_threshold = 300;
    p.day_lux_threshold = 4000;
    return p;
}

TEST_F(FileCommandsTest, NewDocumentSavesAsTheGoldenFile)
{
    save_as(path("plan"));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(get(path("plan.ptm")), bytes(zuzo::write_ptm(DeviceProgram{})));
    EXPECT_EQ(get(path("plan.ptm")).size(), 463);
    ASSERT_EQ(files().calls.size(), 1u);
    EXPECT_TRUE(files().calls[0].save);
    EXPECT_EQ(files().calls[0].title, "Сохранить");
    EXPECT_EQ(files().calls[0].filter, "Файлы (*.ptm)");
}

struct NameCase {
    QString chosen;
    QString saved;
};

class SaveName : public FileCommandsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SaveName, FollowsTheExtensionRule)
{
    save_as(path(GetParam().chosen));
    EXPECT_EQ(entries(), QStringList{GetParam().saved});
}

INSTANTIATE_TEST_SUITE_P(Names, SaveName,
                         ::testing::Values(NameCase{"plan", "plan.ptm"}, NameCase{"plan.ptm", "plan.ptm"},
                                           NameCase{"plan.PTM", "plan.PTM"}, NameCase{"plan.Ptm", "plan.Ptm"},
                                           NameCase{"plan.txt", "plan.txt.ptm"},
                                           NameCase{"my.dir name", "my.dir name.ptm"},
                                           NameCase{"план", "план.ptm"}));

TEST_F(FileCommandsTest, OverwriteAnsweredNoShowsTheDialogAgain)
{
    put(path("old.ptm"), QByteArray("old content"));
    files().save_names = {path("old"), ""};
    boxes().answers = {MsgAnswer::No};
    menu(MenuId::Save);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Подтвердить сохранение");
    EXPECT_EQ(shown()[0].text, "old.ptm уже существует.\nЗаменить?");
    EXPECT_EQ(shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(files().calls.size(), 2u);
    EXPECT_EQ(get(path("old.ptm")), "old content");
}

TEST_F(FileCommandsTest, OverwriteNoThenAnotherName)
{
    put(path("old.ptm"), QByteArray("old content"));
    files().save_names = {path("old.ptm"), path("new")};
    boxes().answers = {MsgAnswer::No};
    menu(MenuId::Save);
    EXPECT_EQ(get(path("old.ptm")), "old content");
    EXPECT_EQ(get(path("new.ptm")), bytes(zuzo::write_ptm(DeviceProgram{})));
}

TEST_F(FileCommandsTest, OverwriteYesLeavesExactlyTheNewContent)
{
    put(path("old.ptm"), QByteArray(4000, 'x'));
    save_as(path("old.ptm"));
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(get(path("old.ptm")), bytes(zuzo::write_ptm(DeviceProgram{})));
    EXPECT_EQ(entries(), QStringList{"old.ptm"});
}

TEST_F(FileCommandsTest, FailedSaveKeepsTheOldFileByteForByte)
{
    // A file-size limit makes the write itself fail, also for root.
    if (const char* why = FileSizeLimit::why_unavailable())
        GTEST_SKIP() << why;
    const QByteArray old(1000, 'o');
    put(path("old.ptm"), old);
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.active());
        save_as(path("old.ptm"));
    }
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].title, "Ошибка");
    EXPECT_EQ(shown()[1].text, write_failed("превышен предельный размер файла"));
    EXPECT_EQ(shown()[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(shown()[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(get(path("old.ptm")), old);
    EXPECT_EQ(entries(), QStringList{"old.ptm"}); // no temporary file left
}

TEST_F(FileCommandsTest, SaveIntoAFolderThatIsAFileFails)
{
    put(path("plain"), QByteArray("x"));
    save_as(path("plain/plan"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, write_failed("«" + path("plain") + "» не папка"));
    EXPECT_EQ(entries(), QStringList{"plain"});
    EXPECT_EQ(get(path("plain")), "x");
}

TEST_F(FileCommandsTest, DirectoryOfTheNameCountsAsMissingAndFails)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.ptm"));
    save_as(path("folder.ptm"));
    ASSERT_EQ(shown().size(), 1u); // no overwrite question, only the failure
    EXPECT_EQ(shown()[0].text, write_failed("это папка, а не файл"));
    EXPECT_TRUE(QFileInfo(path("folder.ptm")).isDir());
    EXPECT_EQ(entries(), QStringList{"folder.ptm"});
}

TEST_F(FileCommandsTest, CancelledSaveWritesNothing)
{
    menu(MenuId::Save);
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(FileCommandsTest, SaveTakesTheFourFieldsFromTheControls)
{
    ctx().program.weekday_name = "stale";
    ui().WeekdayCombo->setCurrentIndex(2);
    ui().SoundTypeCombo->setCurrentIndex(-1);
    ui().FastPulseTimeEdit->setText("77");
    ui().SoundOffCheck->setChecked(true);
    save_as(path("a.ptm"));
    DeviceProgram back;
    const QByteArray file = get(path("a.ptm"));
    ASSERT_EQ(zuzo::read_ptm({reinterpret_cast<const std::uint8_t*>(file.constData()),
                              static_cast<std::size_t>(file.size())},
                             back),
              zuzo::PtmReadResult::Loaded);
    EXPECT_EQ(back.weekday_name, "Среда");
    EXPECT_EQ(back.sound_type, "");
    EXPECT_EQ(back.fast_pulse_time, "77");
    EXPECT_EQ(back.sound_off, 1);
}

TEST_F(FileCommandsTest, OpenSetsControlsAndRebuilds)
{
    const DeviceProgram p = changed();
    put(path("a.ptm"), zuzo::write_ptm(p));
    open(path("a.ptm"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Чтение файла");
    EXPECT_EQ(shown()[0].text, "Загруженная программа полностью заменит текущую!\nПродолжить?");
    EXPECT_EQ(shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(files().calls[0].title, "Открыть");
    EXPECT_EQ(files().calls[0].filter, "Файлы (*.ptm)");
    EXPECT_EQ(ctx().program, p);
    EXPECT_EQ(ui().WeekdayCombo->currentText(), "Четверг");
    EXPECT_EQ(ui().SoundTypeCombo->currentText(), "Сигнал №3");
    EXPECT_EQ(ui().FastPulseTimeEdit->text(), "42");
    EXPECT_TRUE(ui().SoundOffCheck->isChecked());
    // Optics refresh: sensor on with the dark option shows the evening set.
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), 1);
    EXPECT_EQ(ui().ChannelEdit[1]->text(), "55");
    EXPECT_EQ(ui().MinModuleBrightnessEdit->text(), "52");
    EXPECT_EQ(ui().LightThresholdEdit->text(), "4000");
    // The rules ran: day 71 is above evening 55, all above the minimums.
    for (std::size_t c = 1; c <= 5; ++c)
        EXPECT_EQ(ui().ChannelWarning[c]->userData(), 0);
    // Saving again gives the same file.
    save_as(path("b.ptm"));
    EXPECT_EQ(get(path("b.ptm")), get(path("a.ptm")));
}

// Every byte of the fast-pulse line that does not end it comes back as it
// was: 0x98, which Windows-1251 leaves unassigned, and the control bytes.
TEST_F(FileCommandsTest, OpenAndSaveKeepEveryByteOfTheFastPulseLine)
{
    std::string line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line += static_cast<char>(b);
    }
    DeviceProgram p = changed();
    p.fast_pulse_time = zuzo::cp1251_to_utf8(line);
    put(path("a.ptm"), zuzo::write_ptm(p));
    open(path("a.ptm"));
    save_as(path("b.ptm"));
    EXPECT_EQ(get(path("b.ptm")), get(path("a.ptm")));
}

TEST_F(FileCommandsTest, OpenedFaultsShowAgain)
{
    DeviceProgram p = changed();
    p.day_brightness.indicator_green = 10;
    put(path("a.ptm"), zuzo::write_ptm(p));
    open(path("a.ptm"));
    EXPECT_EQ(ui().ChannelWarning[5]->userData(), 2);
    EXPECT_FALSE(ui().ChannelWarning[5]->isHidden());
}

TEST_F(FileCommandsTest, OpenAnsweredNoShowsNoDialog)
{
    put(path("a.ptm"), zuzo::write_ptm(changed()));
    files().open_names = {path("a.ptm")};
    boxes().answers = {MsgAnswer::No};
    menu(MenuId::Open);
    EXPECT_TRUE(files().calls.empty());
    EXPECT_EQ(ctx().program, DeviceProgram{});
}

struct BadFile {
    const char* name;
    QByteArray content; // empty name part: no file at all
    bool exists;
    QString message;
};

class OpenRefused : public FileCommandsTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(OpenRefused, ShowsTheMessageAndChangesNothing)
{
    const QString file = path("bad.ptm");
    if (GetParam().exists)
        put(file, GetParam().content);
    ui().WeekdayCombo->setCurrentIndex(3);
    const DeviceProgram before = ctx().program;
    open(file);
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].title, "Ошибка");
    EXPECT_EQ(shown()[1].text, GetParam().message);
    EXPECT_EQ(shown()[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(shown()[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(ctx().program, before);
    EXPECT_EQ(ui().WeekdayCombo->currentIndex(), 3);
    EXPECT_EQ(QFileInfo::exists(file), GetParam().exists); // reading creates nothing
}

INSTANTIATE_TEST_SUITE_P(Files, OpenRefused,
                         ::testing::Values(BadFile{"missing", {}, false, read_failed("файла нет")},
                                           BadFile{"empty", {}, true, "Формат файла не поддерживается"},
                                           BadFile{"letter_case", "Wersia 3.01 unic\r\n", true,
                                                   "Формат файла не поддерживается"},
                                           BadFile{"other_version", "wersia 3.00 unic\r\n", true,
                                                   "Формат файла не поддерживается"}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(FileCommandsTest, OpenOfADirectoryIsAReadFailure)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("d.ptm"));
    open(path("d.ptm"));
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].text, read_failed("это папка, а не файл"));
}

struct ComboCase {
    const char* name;
    std::string line;
    int weekday_index; // -2: as it was
};

class OpenWeekdayLine : public FileCommandsTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(OpenWeekdayLine, SelectsIgnoringCaseOrLeavesTheSelection)
{
    ui().WeekdayCombo->setCurrentIndex(5);
    ui().SoundTypeCombo->setCurrentIndex(1);
    DeviceProgram p;
    p.weekday_name = GetParam().line;
    p.sound_type = GetParam().line == "" ? "" : "сигнал №3";
    put(path("a.ptm"), zuzo::write_ptm(p));
    open(path("a.ptm"));
    const int expected = GetParam().weekday_index == -2 ? 5 : GetParam().weekday_index;
    EXPECT_EQ(ui().WeekdayCombo->currentIndex(), expected);
    EXPECT_EQ(ui().SoundTypeCombo->currentIndex(), GetParam().line == "" ? -1 : 2);
    // The model mirrors what the controls now hold.
    EXPECT_EQ(ctx().program.weekday_name,
              expected < 0 ? "" : ui().WeekdayCombo->itemText(expected).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Lines, OpenWeekdayLine,
                         ::testing::Values(ComboCase{"exact", "Вторник", 1}, ComboCase{"upper", "ПЯТНИЦА", 4},
                                           ComboCase{"mixed", "вОСКРЕСЕНЬЕ", 6}, ComboCase{"empty", "", -1},
                                           ComboCase{"unknown", "Funday", -2},
                                           ComboCase{"blank_after", "Среда ", -2}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(FileCommandsTest, TruncatedFileLoadsZerosAndEmptyLines)
{
    put(path("short.ptm"), QByteArray("wersia 3.01 unic\r\n"));
    open(path("short.ptm"));
    EXPECT_EQ(shown().size(), 1u); // no message
    EXPECT_EQ(ui().WeekdayCombo->currentIndex(), -1);
    EXPECT_EQ(ui().SoundTypeCombo->currentIndex(), -1);
    EXPECT_EQ(ui().FastPulseTimeEdit->text(), "");
    EXPECT_FALSE(ui().SoundOffCheck->isChecked());
    EXPECT_EQ(ctx().program.day_lux_threshold, 0);
    EXPECT_EQ(ui().LuxThresholdWarning->userData(), 6);
}

TEST_F(FileCommandsTest, NewAnsweredNoChangesNothing)
{
    put(path("a.ptm"), zuzo::write_ptm(changed()));
    open(path("a.ptm"));
    boxes().clear();
    boxes().answers = {MsgAnswer::No};
    menu(MenuId::New);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Создать");
    EXPECT_EQ(shown()[0].text, "Созданная  программа полностью заменит текущую!\nПродолжить?");
    EXPECT_EQ(shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ctx().program, changed());
}

TEST_F(FileCommandsTest, NewRestoresTheDefaults)
{
    put(path("a.ptm"), zuzo::write_ptm(changed()));
    open(path("a.ptm"));
    ui().LightThresholdOption->setChecked(true);
    boxes().answers = {MsgAnswer::Yes};
    menu(MenuId::New);
    EXPECT_EQ(ctx().program, DeviceProgram{});
    EXPECT_EQ(ui().WeekdayCombo->currentText(), "Понедельник");
    EXPECT_EQ(ui().SoundTypeCombo->currentText(), "Сигнал №1");
    EXPECT_EQ(ui().FastPulseTimeEdit->text(), "10");
    EXPECT_FALSE(ui().SoundOffCheck->isChecked());
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), 0);
    EXPECT_EQ(ui().ChannelEdit[1]->text(), "100");
    for (std::size_t c = 1; c <= 5; ++c)
        EXPECT_EQ(ui().ChannelWarning[c]->userData(), 0);
    EXPECT_TRUE(ui().LightThresholdOption->isChecked()); // display state is not reset
    save_as(path("new.ptm"));
    EXPECT_EQ(get(path("new.ptm")).size(), 463);
}

} // namespace
