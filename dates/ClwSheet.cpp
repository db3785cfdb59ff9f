#include "ClwSheet.h"

#include <cmath>
#include <string_view>

#include "Corvane.h"
#include "Moment.h"
#include "TextHelpers.h"
#include "vxdates.h"

namespace vx {

namespace {

// The CE (proleptic Gregorian) date of a day number, ISO 8601:
// "2025-03-30", "-0500-03-21".
std::string IsoDate(int32_t jdn) {
    EuroDateRecord rec{};
    rec.letter = 'G';
    rec.jdn = jdn;
    jdn_to_euro_date(&rec);
    const std::string year = PadNumber(rec.year < 0 ? -int64_t{rec.year} : rec.year, 4);
    return (rec.year < 0 ? "-" : "") + year + "-" + PadNumber(rec.month, 2) + "-" + PadNumber(rec.day, 2);
}

// "2025-03-29 10:58 UT" of an instant (AJD, UT).
std::string IsoMinute(double ajd) {
    const double cjd = ajd + 0.5;
    const double day = std::floor(cjd);
    return IsoDate(FloorToDay(day)) + " " + TimeText(cjd - day, false) + " UT";
}

constexpr std::string_view kOpeningPhases[4] = {"new moon", "first quarter", "full moon", "last quarter"};

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;color:#123;margin:1.5em}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin:1.2em 0 .4em}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{border:1px solid #889;padding:.3em .4em;vertical-align:top;font-size:.9em}"
    "th{background:#eef;text-align:left;width:11em;font-weight:normal}"
    "th b{display:block}td .name{display:block;font-weight:bold}td time{color:#456}"
    "td.blank{border:none}"
    "@media print{body{margin:0}section.month{page-break-after:always;break-after:page}"
    "section.month:last-of-type{page-break-after:auto;break-after:auto}p.how{display:none}}";

// Every day from first (a month's first) to end inside the range: its first
// day from 06:00, its last ending at 06:00 of the day end.
bool InsideRange(int32_t first, int32_t end) {
    return first + CorvaneDayShift - 0.5 >= FirstSupportedMoment && end + CorvaneDayShift - 0.5 <= LastSupportedMoment;
}

std::string PageStart(const std::string& title, const std::string& heading) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>" + title + "</title>\n<style>" +
           std::string(kStyle) + "</style></head>\n<body>\n<h1>" + heading + "</h1>\n" +
           "<p class=\"how\">Print this page from the browser: each month comes on its own page. Days run from "
           "06:00 to 06:00; the dates are those of the Common Era (Gregorian) days on whose 06:00 they begin.</p>\n";
}

// The months from day first (a month's first) up to day end, each a
// section; "" when a day is not a CLW day.
std::string Months(int32_t first, int32_t end) {
    std::string html;
    int32_t day = first;
    while (day < end) {
        // The new moon that opens the month closes the month before.
        CorvaneDateRecord before{};
        before.jdn = day - 1;
        CorvaneDateFromDay(before);
        const double newMoon = CorvanePhaseInstants[4];
        CorvaneDateRecord r{};
        r.jdn = day;
        const int16_t monthLength = CorvaneDateFromDay(r);
        if (monthLength <= 0) return {};
        const int32_t month = r.month, year = r.year;
        html += "<section class=\"month\">\n<h2>" + std::string(CorvaneMonthName(month)) + " " + std::to_string(year) +
                " (month " + std::to_string(month) + ", " + std::to_string(monthLength) + " days)</h2>\n<table>\n";
        // The phases that end weeks 1..3 open weeks 2..4.
        const double opening[4] = {newMoon, CorvanePhaseInstants[1], CorvanePhaseInstants[2], CorvanePhaseInstants[3]};
        int16_t lengths[5];
        for (int w = 0; w < 5; ++w) lengths[w] = CorvaneWeekLengths[w];
        for (int week = 1; week <= 4; ++week) {
            html += "<tr><th><b>" + std::string(CorvaneWeekName(week)) + "</b>after the " +
                    std::string(kOpeningPhases[week - 1]) + " of " + IsoMinute(opening[week - 1]) + "</th>";
            for (int d = 1; d <= 9; ++d) {
                if (d > lengths[week]) {
                    html += "<td class=\"blank\"></td>";
                    continue;
                }
                CorvaneDateRecord named{};
                named.jdn = day;
                CorvaneDateFromDay(named);
                std::string clw = FormatCorvaneDate(named, 1);
                clw.resize(clw.size() - 4);  // without " CLW"
                html += "<td class=\"day\" data-clw=\"" + clw + "\"><span class=\"name\">" +
                        std::string(CorvaneDayName(named)) + "</span><time datetime=\"" + IsoDate(day) + "\">" +
                        IsoDate(day) + "</time></td>";
                ++day;
            }
            html += "</tr>\n";
        }
        html += "</table>\n</section>\n";
    }
    return html;
}

}  // namespace

std::string ClwYearSheet(int32_t year) {
    if (year < 0 || year > 9000) return {};
    CorvaneDateRecord first{year, 1, 1, 1, 0, 0};
    CorvaneDateRecord next{year + 1, 1, 1, 1, 0, 0};
    if (CorvaneDayFromDate(first) != 0 || CorvaneDayFromDate(next) != 0) return {};
    if (!InsideRange(first.jdn, next.jdn)) return {};
    const std::string months = Months(first.jdn, next.jdn);
    if (months.empty()) return {};
    return PageStart("CLW year " + std::to_string(year), "Corvane Lunar Week Calendar, year " + std::to_string(year) +
                                                             " (from " + IsoDate(first.jdn) + " to " +
                                                             IsoDate(next.jdn - 1) + ")") +
           months + "</body>\n</html>\n";
}

std::string ClwMonthsSheet(int32_t day, int count) {
    if (count < 1 || count > 24) return {};
    CorvaneDateRecord r{};
    r.jdn = day;
    if (CorvaneDateFromDay(r) <= 0) return {};
    CorvaneDateRecord first{r.year, r.month, 1, 1, 0, 0};
    if (CorvaneDayFromDate(first) != 0) return {};
    // The first day after the last month: the month after, or the next year's first.
    CorvaneDateRecord end = first;
    for (int i = 0; i < count; ++i) {
        CorvaneDateRecord next{end.year, end.month + 1, 1, 1, 0, 0};
        if (CorvaneDayFromDate(next) != 0) next = CorvaneDateRecord{end.year + 1, 1, 1, 1, 0, 0};
        if (CorvaneDayFromDate(next) != 0) return {};
        end = next;
    }
    if (!InsideRange(first.jdn, end.jdn)) return {};
    const std::string months = Months(first.jdn, end.jdn);
    if (months.empty()) return {};
    const std::string from = std::string(CorvaneMonthName(first.month)) + " " + std::to_string(first.year);
    return PageStart("CLW months from " + from, "Corvane Lunar Week Calendar, " + std::to_string(count) +
                                                    (count == 1 ? " month" : " months") + " from " + from + " (" +
                                                    IsoDate(first.jdn) + " to " + IsoDate(end.jdn - 1) + ")") +
           months + "</body>\n</html>\n";
}

}  // namespace vx
