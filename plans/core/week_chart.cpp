#include "plans/core/week_chart.h"

#include "plans/core/plan_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace zuzo {
namespace {

// The layout, in pixels.
constexpr double kLeft = 130;      // the day names
constexpr double kRight = 20;      //
constexpr double kGridTop = 92;    // under the title and the hour labels
constexpr double kRowHeight = 140; // a day
constexpr double kBarFoot = 10;    // from the row's bottom to the bars' foot
constexpr double kBarHighest = 56; // 100 %, so that its label fits above it in the row
constexpr double kBarWidth = 4;    //
constexpr double kMinutesPerDay = 24 * 60;
constexpr double kGridBottom = kGridTop + kDays * kRowHeight;
constexpr int kHeight = static_cast<int>(kGridBottom) + 64;
// The footnote: a line's height, and the characters that fit into one at
// 12 px in the chart's width (at a generous 8 px a character).
constexpr int kFootnoteLine = 17;
constexpr std::size_t kFootnoteCharacters = 130;

const char* band_colour(int day)
{
    return day % 2 == 0 ? "#eeeeee" : "#ffffff";
}

// A coordinate with two decimals, whatever the locale.
std::string num(double v)
{
    std::array<char, 32> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 2);
    std::string s(buf.data(), r.ptr);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

double x_of(double minutes)
{
    return kLeft + minutes * (kChartWidth - kLeft - kRight) / kMinutesPerDay;
}

double row_top(int day)
{
    return kGridTop + (day - 1) * kRowHeight;
}

std::string text_at(double x, double y, int size, const std::string& anchor, const std::string& text,
                    const std::string& extra = {})
{
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-size=\"" + std::to_string(size) +
           "\" text-anchor=\"" + anchor + "\"" + extra + ">" + escaped(text) + "</text>\n";
}

std::string hour_grid()
{
    std::string out;
    for (int h = 0; h <= 24; ++h) {
        const double x = x_of(h * 60.0);
        const bool major = h % 6 == 0;
        out += "<line id=\"h" + std::to_string(h) + "\" x1=\"" + num(x) + "\" y1=\"" + num(kGridTop) +
               "\" x2=\"" + num(x) + "\" y2=\"" + num(kGridBottom) + "\" stroke=\"" +
               (major ? "#666666" : "#bbbbbb") + "\" stroke-width=\"1\"" +
               (major ? "" : " stroke-dasharray=\"3,3\"") + "/>\n";
        const std::string label = std::to_string(h);
        out += text_at(x, kGridTop - 8, 12, "middle", label);
        out += text_at(x, kGridBottom + 16, 12, "middle", label);
    }
    return out;
}

// A label of an interval, written upwards beside its bar: its band across
// the chart (the glyphs reach left of the baseline by kLabelAscent), where
// it starts, and its text.
struct Label {
    double band = 0; // left edge of the label's band
    double foot = 0; // where the text starts, above the bars under it
    std::string text;
};

// One switched-on interval at a time of the day.
struct Mark {
    int interval = 0;
    double x = 0;   // the bar's middle
    double top = 0; // the bar's top
    Label label;
};

constexpr double kLabelSize = 10;    // font size of the labels
constexpr double kLabelAscent = 8;   // left of the baseline once turned upwards
constexpr double kLabelBand = 11;    // across, with the descent and a pixel apart
constexpr double kLabelOffset = 4.5; // the band starts this far left of its bar

// The length of a label's text (DejaVu Sans at 10 px; Arial is narrower).
double label_length(const std::string& text)
{
    double length = 0;
    for (const char c : text)
        length += c == ' ' || c == ':' ? 3.4 : c == '%' ? 9.5 : 6.4;
    return length;
}

// The marks of one day in the order of their times, each label in a band of
// its own: at its bar, or right of the label before it when that is closer
// (intervals at one time, or a few minutes apart), and starting above every
// bar its band covers.
std::vector<Mark> day_marks(const DeviceProgram& p, int day)
{
    const auto d = static_cast<std::size_t>(day);
    const double foot = row_top(day) + kRowHeight - kBarFoot;
    std::vector<Mark> marks;
    for (int k = 1; k <= kIntervals; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (p.plan_enabled[d][i] != 1 || !is_showable_time({p.plan_hour[d][i], p.plan_minute[d][i]}))
            continue;
        const std::int32_t volume = p.plan_volume[d][i];
        Mark m;
        m.interval = k;
        m.x = x_of(p.plan_hour[d][i] * 60.0 + p.plan_minute[d][i]);
        m.top = foot - kBarHighest * std::clamp(volume, 0, 100) / 100.0;
        m.label.text =
            stored_time_text({p.plan_hour[d][i], p.plan_minute[d][i]}) + "  " + std::to_string(volume) + " %";
        marks.push_back(m);
    }
    std::stable_sort(marks.begin(), marks.end(), [](const Mark& a, const Mark& b) { return a.x < b.x; });
    double next_free = 0;
    for (Mark& m : marks) {
        m.label.band = std::max(m.x - kLabelOffset, next_free);
        next_free = m.label.band + kLabelBand;
    }
    for (Mark& m : marks) {
        double highest = m.top;
        for (const Mark& other : marks) {
            if (other.x + kBarWidth / 2 > m.label.band && other.x - kBarWidth / 2 < m.label.band + kLabelBand)
                highest = std::min(highest, other.top);
        }
        m.label.foot = highest - 6;
    }
    return marks;
}

// What lies under a label and covers the grid lines there, in the colour of
// its day's band, so that no line runs through the text; never past the
// top of the band.
std::string label_ground(const Label& l, int day)
{
    const double x = l.band + kLabelAscent; // the baseline
    const double length = std::min(label_length(l.text) + 3, l.foot - row_top(day) - 1);
    const std::string turn = " transform=\"rotate(-90 " + num(x) + " " + num(l.foot) + ")\"";
    return "<rect x=\"" + num(x - 1) + "\" y=\"" + num(l.foot - kLabelAscent) + "\" width=\"" + num(length) +
           "\" height=\"" + num(kLabelBand - 1) + "\" fill=\"" + band_colour(day) + "\"" + turn + "/>\n";
}

// The bar of one switched-on interval and its dot.
std::string bar(const Mark& m, int day)
{
    const double foot = row_top(day) + kRowHeight - kBarFoot;
    std::string id(1, 'd'); // "d<day>i<interval>"
    id += std::to_string(day) + 'i' + std::to_string(m.interval);
    return "<rect id=\"" + id + "\" x=\"" + num(m.x - kBarWidth / 2) + "\" y=\"" + num(m.top) +
           "\" width=\"" + num(kBarWidth) + "\" height=\"" + num(foot - m.top) + "\" fill=\"#000000\"/>\n" +
           "<circle cx=\"" + num(m.x) + "\" cy=\"" + num(m.top) + "\" r=\"3\" fill=\"#000000\"/>\n";
}

std::string label(const Mark& m, int day)
{
    const double x = m.label.band + kLabelAscent;
    return text_at(x, m.label.foot, static_cast<int>(kLabelSize), "start", m.label.text,
                   " id=\"t" + std::to_string(day) + 'i' + std::to_string(m.interval) +
                       "\" transform=\"rotate(-90 " + num(x) + " " + num(m.label.foot) + ")\"");
}

// Splits a list of items joined by ", " into lines of at most width
// characters (an item longer than that stands alone), for the footnote.
std::vector<std::string> wrapped(const std::vector<std::string>& items, std::size_t width)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t length = 0; // in characters, not bytes
    for (std::size_t k = 0; k < items.size(); ++k) {
        const std::string piece = items[k] + (k + 1 < items.size() ? "," : "");
        std::size_t piece_length = 0;
        for (const char c : piece)
            piece_length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        if (!line.empty() && length + 1 + piece_length > width) {
            lines.push_back(line);
            line.clear();
            length = 0;
        }
        line += (line.empty() ? "" : " ") + piece;
        length += (length == 0 ? 0 : 1) + piece_length;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

std::string week_chart_svg(const DeviceProgram& p, const std::string& title)
{
    // The intervals switched on at no time of the day, named under the
    // picture in as many lines as they take.
    std::vector<std::string> hidden;
    for (int day = 1; day <= kDays; ++day) {
        const auto d = static_cast<std::size_t>(day);
        for (int k = 1; k <= kIntervals; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (p.plan_enabled[d][i] == 1 && !is_showable_time({p.plan_hour[d][i], p.plan_minute[d][i]}))
                hidden.push_back(std::string(weekday_names()[d - 1]) + ", интервал " + std::to_string(k) +
                                 " (" + stored_time_text({p.plan_hour[d][i], p.plan_minute[d][i]}) + ")");
        }
    }
    std::vector<std::string> footnote;
    if (!hidden.empty()) {
        footnote = wrapped(hidden, kFootnoteCharacters);
        footnote.insert(footnote.begin(), "Не показаны интервалы со временем вне 00:00–23:59:");
    }
    const int height = kHeight + static_cast<int>(footnote.size()) * kFootnoteLine;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      std::to_string(kChartWidth) + "\" height=\"" + std::to_string(height) +
                      "\" viewBox=\"0 0 " + std::to_string(kChartWidth) + " " + std::to_string(height) +
                      "\" font-family=\"DejaVu Sans, Arial, sans-serif\" fill=\"#000000\">\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(kChartWidth) + "\" height=\"" +
           std::to_string(height) + "\" fill=\"#ffffff\"/>\n";
    svg += text_at(kLeft, 30, 20, "start", title, " font-weight=\"bold\"");
    svg += text_at(kLeft, 54, 12, "start",
                   "Недельный план: включенные интервалы. По горизонтали — время суток, ч; высота "
                   "столбика — громкость (полная высота — 100 %).");
    for (int day = 1; day <= kDays; ++day) {
        const double top = row_top(day);
        svg += "<rect id=\"day" + std::to_string(day) + "\" x=\"" + num(kLeft) + "\" y=\"" + num(top) +
               "\" width=\"" + num(kChartWidth - kLeft - kRight) + "\" height=\"" + num(kRowHeight) +
               "\" fill=\"" + band_colour(day) + "\" stroke=\"#666666\"/>\n";
        svg += text_at(kLeft - 10, top + kRowHeight / 2 + 5, 14, "end",
                       weekday_names()[static_cast<std::size_t>(day - 1)]);
    }
    svg += hour_grid();
    for (int day = 1; day <= kDays; ++day) {
        const std::vector<Mark> marks = day_marks(p, day);
        for (const Mark& m : marks)
            svg += label_ground(m.label, day);
        for (const Mark& m : marks)
            svg += bar(m, day);
        for (const Mark& m : marks)
            svg += label(m, day);
        if (marks.empty())
            svg += text_at(kLeft + 12, row_top(day) + kRowHeight / 2 + 5, 13, "start",
                           "нет включенных интервалов", " font-style=\"italic\" fill=\"#444444\"");
    }
    for (std::size_t k = 0; k < footnote.size(); ++k)
        svg += text_at(kLeft, kGridBottom + 44 + static_cast<double>(k * kFootnoteLine), 12, "start",
                       footnote[k]);
    return svg + "</svg>\n";
}

} // namespace zuzo
