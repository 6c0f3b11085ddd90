// "zuzo ptm diff" and "zuzo ptm plan chart" on hand-made program files.

#include "program/core/ptm_format.h"
#include "support/cli_fixture.h"
#include "support/sample_programs.h"
#include "tools/zuzo/json/json.h"

#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace zuzo;

namespace {

using PtmDiff = CliFixture;
using PlanChart = CliFixture;

DeviceProgram planned()
{
    DeviceProgram p = sound_program();
    set_interval(p, {2, 2, 1, 8, 0, 70});
    return p;
}

} // namespace

// Each kind of field is found and worded as verify words it; a program
// written differently (LF line ends) is the same program.
TEST_F(PtmDiff, EveryKindOfFieldInTheWordsOfVerify)
{
    const struct {
        const char* change;
        std::function<void(DeviceProgram&)> edit;
        const char* line; // empty: no difference
    } rows[] = {
        {"nothing", [](DeviceProgram&) {}, ""},
        {"weekday on show", [](DeviceProgram& p) { p.weekday_name = "Среда"; },
         "weekday_name: в a.ptm «Понедельник»; в b.ptm «Среда»"},
        {"interval time", [](DeviceProgram& p) { p.plan_minute[2][2] = 5; },
         "Вторник, интервал 2: в a.ptm вкл., 08:00, 70 %; в b.ptm вкл., 08:05, 70 %"},
        {"interval switched off", [](DeviceProgram& p) { p.plan_enabled[2][2] = 0; },
         "Вторник, интервал 2: в a.ptm вкл., 08:00, 70 %; в b.ptm выкл., 08:00, 70 %"},
        {"volume of Sunday's last", [](DeviceProgram& p) { p.plan_volume[7][12] = 30; },
         "Воскресенье, интервал 12: в a.ptm выкл., 00:00, 0 %; в b.ptm выкл., 00:00, 30 %"},
        {"sound type", [](DeviceProgram& p) { p.sound_type = "Сигнал №3"; },
         "sound_type: в a.ptm «Сигнал №1»; в b.ptm «Сигнал №3»"},
        {"fast pulses", [](DeviceProgram& p) { p.fast_pulse_time = "15"; },
         "fast_pulse_time: в a.ptm «10»; в b.ptm «15»"},
        {"sound off", [](DeviceProgram& p) { p.sound_off = 1; },
         "sound_off: в a.ptm звук вкл.; в b.ptm звук выкл."},
        {"a brightness", [](DeviceProgram& p) { p.evening_brightness.module_red = 61; },
         "evening_brightness.module_red: в a.ptm 60 %; в b.ptm 61 %"},
        {"a brightness the device cannot hold",
         [](DeviceProgram& p) { p.day_brightness.indicator_green = 150; },
         "day_brightness.indicator_green: в a.ptm 84 %; в b.ptm 150 % (вне диапазона устройства)"},
        {"the sensor", [](DeviceProgram& p) { p.optical_sensor_on = 0; },
         "optical_sensor_on: в a.ptm вкл.; в b.ptm выкл."},
        {"a threshold", [](DeviceProgram& p) { p.day_lux_threshold = 4100; },
         "day_lux_threshold: в a.ptm 4000 Lux; в b.ptm 4100 Lux"},
    };
    put(path("a.ptm"), write_ptm(planned()));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(path(""))); // the files by the names the lines show
    for (const auto& row : rows) {
        DeviceProgram b = planned();
        row.edit(b);
        std::vector<std::uint8_t> bytes = write_ptm(b);
        if (std::string(row.line).empty()) // the same program with LF line ends
            std::erase(bytes, std::uint8_t{'\r'});
        put(path("b.ptm"), bytes);
        const bool same = std::string(row.line).empty();
        EXPECT_EQ(run({"ptm", "diff", "a.ptm", "b.ptm"}), same ? 0 : 3) << row.change;
        EXPECT_EQ(out_.str(), same ? std::string("Программы в файлах совпадают\n")
                                   : std::string("Программы в файлах различаются:\n  ") + row.line + "\n")
            << row.change;
    }
    QDir::setCurrent(before);
}

TEST_F(PtmDiff, JsonAndBadFiles)
{
    DeviceProgram b = planned();
    b.sound_off = 1;
    b.module_min_brightness = 35;
    put(path("a.ptm"), write_ptm(planned()));
    put(path("b.ptm"), write_ptm(b));
    put(path("bad.ptm"), std::string("not a program\r\n"));
    ASSERT_EQ(run({"ptm", "diff", path("a.ptm"), path("b.ptm"), "--json"}), 3);
    const json::ParseResult r = json::parse(out_.str());
    ASSERT_EQ(r.status, json::ParseStatus::Ok) << out_.str();
    EXPECT_EQ(r.value.at("differences").size(), 2u);
    EXPECT_EQ(r.value.at("differences")[1].at("field"), "module_min_brightness");
    EXPECT_EQ(r.value.at("differences")[1].at("second"), "35 %");
    EXPECT_EQ(r.value.at("outcome"), "differs");

    EXPECT_EQ(run({"ptm", "diff", path("a.ptm"), path("bad.ptm")}), 2);
    EXPECT_EQ(err_.str(), path("bad.ptm") + ": Формат файла не поддерживается\n");
    EXPECT_EQ(run({"ptm", "diff", path("a.ptm"), path("none.ptm"), "--json"}), 2);
    EXPECT_EQ(json::parse(out_.str()).value.at("outcome"), "file_failed");
    EXPECT_EQ(run({"ptm", "diff", path("a.ptm")}), 2);
}

namespace {

// A number attribute of the element with the given id.
double attribute(const std::string& svg, const std::string& id, const std::string& name)
{
    const QRegularExpression element(QString::fromStdString("<\\w+ [^>]*?id=\"" + id + "\"[^>]*>"));
    const QString tag = element.match(QString::fromStdString(svg)).captured(0);
    const QRegularExpression value(QString::fromStdString(" " + name + "=\"([-0-9.]+)\""));
    const QRegularExpressionMatch m = value.match(tag);
    EXPECT_TRUE(m.hasMatch()) << id << " " << name;
    return m.captured(1).toDouble();
}

} // namespace

// The intervals land where the plan puts them: against the chart's own hour
// lines and day bands, bars as high as their volumes; switched-off intervals
// are not drawn, one at no time of the day is named instead.
TEST_F(PlanChart, IntervalsLandWhereThePlanPutsThem)
{
    DeviceProgram p;
    set_interval(p, {1, 1, 1, 12, 0, 100});
    set_interval(p, {1, 2, 1, 6, 30, 50});
    set_interval(p, {7, 12, 1, 0, 0, 0});
    set_interval(p, {3, 3, 0, 10, 0, 80});  // off
    set_interval(p, {5, 4, 1, 25, 70, 60}); // no time of the day
    put(path("week.ptm"), write_ptm(p));
    ASSERT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.svg")}), 0) << err_.str();
    const std::string svg = text(path("week.svg"));

    const auto centre = [&](const std::string& id) {
        return attribute(svg, id, "x") + attribute(svg, id, "width") / 2;
    };
    const double hour = attribute(svg, "h7", "x1") - attribute(svg, "h6", "x1");
    EXPECT_NEAR(centre("d1i1"), attribute(svg, "h12", "x1"), 0.01);
    EXPECT_NEAR(centre("d1i2"), attribute(svg, "h6", "x1") + hour / 2, 0.01);
    EXPECT_NEAR(centre("d7i12"), attribute(svg, "h0", "x1"), 0.01);
    EXPECT_NEAR(attribute(svg, "d1i2", "height") * 2, attribute(svg, "d1i1", "height"), 0.01);
    EXPECT_GT(attribute(svg, "d1i1", "height"), 0);
    EXPECT_EQ(attribute(svg, "d7i12", "height"), 0);
    for (const auto& [bar, day] : {std::pair{"d1i1", "day1"}, std::pair{"d7i12", "day7"}}) {
        const double top = attribute(svg, day, "y");
        const double bottom = top + attribute(svg, day, "height");
        EXPECT_GE(attribute(svg, bar, "y"), top) << bar;
        EXPECT_LE(attribute(svg, bar, "y") + attribute(svg, bar, "height"), bottom) << bar;
    }
    EXPECT_GT(attribute(svg, "day7", "y"), attribute(svg, "day1", "y")); // Monday first
    EXPECT_EQ(svg.find("id=\"d3i3\""), std::string::npos);
    EXPECT_EQ(svg.find("id=\"d5i4\""), std::string::npos);
    EXPECT_NE(svg.find("Пятница, интервал 4 (25:70)"), std::string::npos);
    EXPECT_NE(svg.find(">week.ptm</text>"), std::string::npos);
    EXPECT_NE(svg.find(">12:00  100 %</text>"), std::string::npos);

    // The PNG is that picture: the bar is black where the SVG puts it, the
    // same row is white where no interval is.
    ASSERT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.png")}), 0) << err_.str();
    const QImage png(QString::fromStdString(path("week.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.width(),
              static_cast<int>(attribute(svg, "day1", "x") + attribute(svg, "day1", "width") + 20));
    const int bar_y = static_cast<int>(attribute(svg, "d1i1", "y") + attribute(svg, "d1i1", "height") / 2);
    EXPECT_LT(qGray(png.pixel(static_cast<int>(centre("d1i1")), bar_y)), 80);
    EXPECT_GT(qGray(png.pixel(static_cast<int>(attribute(svg, "h18", "x1") + hour / 2), bar_y)), 200);
}

// Every label can be read: intervals at one time each have a band of their
// own, the hour line under a label is covered, and a long list of intervals
// at no time of the day wraps within the picture.
TEST_F(PlanChart, LabelsStayReadable)
{
    DeviceProgram p;
    set_interval(p, {1, 1, 1, 12, 0, 10});
    set_interval(p, {1, 2, 1, 12, 0, 50});
    set_interval(p, {1, 3, 1, 12, 0, 100});
    set_interval(p, {1, 4, 1, 12, 1, 30});
    for (int k = 0; k < 28; ++k)
        set_interval(p, {2 + k / 12, 1 + k % 12, 1, 25, 70, 10});
    put(path("week.ptm"), write_ptm(p));
    ASSERT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.svg")}), 0) << err_.str();
    const std::string svg = text(path("week.svg"));
    std::vector<double> bands;
    for (const char* id : {"t1i1", "t1i2", "t1i3", "t1i4"})
        bands.push_back(attribute(svg, id, "x"));
    std::sort(bands.begin(), bands.end());
    for (std::size_t k = 1; k < bands.size(); ++k)
        EXPECT_GE(bands[k] - bands[k - 1], 10.0) << k; // a label is 10 px across
    EXPECT_EQ(QString::fromStdString(svg).count(QRegularExpression("интервал \\d+ \\(25:70\\)")), 28);

    ASSERT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.png")}), 0) << err_.str();
    const QImage png(QString::fromStdString(path("week.png")));
    ASSERT_FALSE(png.isNull());
    // The line of 12:00 as drawn where nothing covers it, then under the
    // first label, which is written upwards from its foot.
    const int column = static_cast<int>(attribute(svg, "h12", "x1")) - 1;
    const int line = qGray(png.pixel(column, static_cast<int>(attribute(svg, "day7", "y")) + 20));
    ASSERT_LT(line, 230);
    const int foot = static_cast<int>(attribute(svg, "t1i1", "y"));
    int crossed = 0;
    for (int y = foot - 55; y < foot; ++y)
        crossed += std::abs(qGray(png.pixel(column, y)) - line) <= 6 ? 1 : 0;
    EXPECT_LT(crossed, 6) << "of 55 pixels under the label have the line's grey";
    // Nothing of the footnote reaches the picture's right edge.
    for (int y = static_cast<int>(attribute(svg, "h0", "y2")) + 20; y < png.height(); ++y)
        for (int x = png.width() - 15; x < png.width(); ++x)
            ASSERT_GT(qGray(png.pixel(x, y)), 200) << x << "," << y;
}

TEST_F(PlanChart, WritesOnlyAPictureOverAPicture)
{
    put(path("week.ptm"), write_ptm(planned()));
    put(path("other.ptm"), write_ptm(planned()));
    const std::vector<std::uint8_t> other = get(path("other.ptm"));
    EXPECT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.txt")}), 2);
    EXPECT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("other.ptm")}), 2);
    put(path("other.svg"), write_ptm(planned())); // a program, whatever its name
    EXPECT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("other.svg")}), 2);
    EXPECT_EQ(err_.str(), path("other.svg") + ": это файл программы, а не рисунок; файл не изменен\n");
    ASSERT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.png")}), 0);
    EXPECT_EQ(run({"ptm", "plan", "chart", path("week.ptm"), path("week.png")}), 0); // over its own kind
    EXPECT_EQ(get(path("other.ptm")), other);
}
