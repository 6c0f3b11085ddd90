#include "plans/week_chart.h"

#include "plans/plan_time.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zuzo {
namespace {

// The layout, in pixels.
constexpr double kLeft = 130;      // the day names
constexpr double kRight = 20;      //
constexpr double kGridTop = 92;    // under the title and the hour labels
constexpr double kRowHeight = 140; // a day
constexpr double kBarFoot = 12;    // from the row's bottom to the bars' foot
constexpr double kBarHighest = 60; // 100 %
constexpr double kBarWidth = 4;    //
constexpr double kMinutesPerDay = 24 * 60;
constexpr double kGridBottom = kGridTop + kDays * kRowHeight;
constexpr int kHeight = static_cast<int>(kGridBottom) + 64;

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

// The bar of one switched-on interval, with its time and volume.
std::string interval_mark(const DeviceProgram& p, int day, int k)
{
    const auto d = static_cast<std::size_t>(day);
    const auto i = static_cast<std::size_t>(k);
    const std::int32_t volume = p.plan_volume[d][i];
    const double x = x_of(p.plan_hour[d][i] * 60.0 + p.plan_minute[d][i]);
    const double foot = row_top(day) + kRowHeight - kBarFoot;
    const double height = kBarHighest * std::clamp(volume, 0, 100) / 100.0;
    std::string id(1, 'd'); // "d<day>i<interval>"
    id += std::to_string(day) + 'i' + std::to_string(k);
    std::string out = "<rect id=\"" + id + "\" x=\"" + num(x - kBarWidth / 2) + "\" y=\"" +
                      num(foot - height) + "\" width=\"" + num(kBarWidth) + "\" height=\"" + num(height) +
                      "\" fill=\"#000000\"/>\n";
    out += "<circle cx=\"" + num(x) + "\" cy=\"" + num(foot - height) + "\" r=\"3\" fill=\"#000000\"/>\n";
    // Written upwards from above the bar, so that close intervals keep apart.
    const double tx = x + 3.5;
    const double ty = foot - height - 6;
    const std::string label =
        stored_time_text({p.plan_hour[d][i], p.plan_minute[d][i]}) + "  " + std::to_string(volume) + " %";
    out += text_at(tx, ty, 10, "start", label, " transform=\"rotate(-90 " + num(tx) + " " + num(ty) + ")\"");
    return out;
}

} // namespace

std::string week_chart_svg(const DeviceProgram& p, const std::string& title)
{
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      std::to_string(kChartWidth) + "\" height=\"" + std::to_string(kHeight) +
                      "\" viewBox=\"0 0 " + std::to_string(kChartWidth) + " " + std::to_string(kHeight) +
                      "\" font-family=\"DejaVu Sans, Arial, sans-serif\" fill=\"#000000\">\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(kChartWidth) + "\" height=\"" +
           std::to_string(kHeight) + "\" fill=\"#ffffff\"/>\n";
    svg += text_at(kLeft, 30, 20, "start", title, " font-weight=\"bold\"");
    svg += text_at(kLeft, 54, 12, "start",
                   "Недельный план: включенные интервалы. По горизонтали — время суток, ч; высота "
                   "столбика — громкость (полная высота — 100 %).");
    std::string hidden; // switched on, but at no time of the day
    for (int day = 1; day <= kDays; ++day) {
        const double top = row_top(day);
        svg += "<rect id=\"day" + std::to_string(day) + "\" x=\"" + num(kLeft) + "\" y=\"" + num(top) +
               "\" width=\"" + num(kChartWidth - kLeft - kRight) + "\" height=\"" + num(kRowHeight) +
               "\" fill=\"" + (day % 2 == 0 ? "#eeeeee" : "#ffffff") + "\" stroke=\"#666666\"/>\n";
        svg += text_at(kLeft - 10, top + kRowHeight / 2 + 5, 14, "end",
                       weekday_names()[static_cast<std::size_t>(day - 1)]);
    }
    svg += hour_grid();
    for (int day = 1; day <= kDays; ++day) {
        int shown = 0;
        for (int k = 1; k <= kIntervals; ++k) {
            const auto d = static_cast<std::size_t>(day);
            const auto i = static_cast<std::size_t>(k);
            if (p.plan_enabled[d][i] != 1)
                continue;
            if (!is_showable_time({p.plan_hour[d][i], p.plan_minute[d][i]})) {
                hidden += std::string(hidden.empty() ? "" : ", ") +
                          weekday_names()[static_cast<std::size_t>(day - 1)] + ", интервал " +
                          std::to_string(k) + " (" +
                          stored_time_text({p.plan_hour[d][i], p.plan_minute[d][i]}) + ")";
                continue;
            }
            svg += interval_mark(p, day, k);
            ++shown;
        }
        if (shown == 0)
            svg += text_at(kLeft + 12, row_top(day) + kRowHeight / 2 + 5, 13, "start",
                           "нет включенных интервалов", " font-style=\"italic\" fill=\"#444444\"");
    }
    if (!hidden.empty())
        svg += text_at(kLeft, kGridBottom + 44, 12, "start",
                       "Не показаны интервалы со временем вне 00:00–23:59: " + hidden);
    return svg + "</svg>\n";
}

} // namespace zuzo
