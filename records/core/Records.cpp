#include "Records.h"

#include <cmath>
#include <utility>

#include "DateLines.h"
#include "Moment.h"
#include "MoonPanel.h"
#include "TextHelpers.h"

namespace vx {

std::string HistoryEntryText(const std::string& strDate, int currentCalendar, const std::string& timeLine,
                             bool greenwich, const std::string& zoneItem) {
    std::string text = strDate;
    if (currentCalendar != CJD && currentCalendar != AJD) text += " " + timeLine.substr(0, 5);
    const std::string zone = WithoutSpaces(zoneItem);
    text += greenwich ? " (Greenwich; local = " + zone + ")" : " (local = " + zone + ")";
    return text;
}

bool HistoryList::Add(HistoryEntry entry) {
    if (!entries_.empty() && entries_.back().text == entry.text) return false;
    if (entries_.size() >= Capacity) entries_.erase(entries_.begin());
    entries_.push_back(std::move(entry));
    return true;
}

HistoryZone ZoneOfHistoryEntry(const std::string& text) {
    HistoryZone z;
    z.greenwich = text.find("Greenwich;") != std::string::npos;
    double offset = 0;
    size_t p = text.find("GMT+");
    double sign = 1;
    if (p == std::string::npos) {
        p = text.find("GMT-");
        sign = -1;
    }
    if (p != std::string::npos) {
        p += 4;
        const std::string_view rest = std::string_view(text).substr(p);
        offset = sign * (60 * NumericValue(rest) + (rest.size() > 3 ? NumericValue(rest.substr(3)) : 0.0));
    }
    z.zoneIndex = static_cast<int>(RoundHalfEven(offset / 60 * 2 + 24));
    if (z.zoneIndex < 0 || z.zoneIndex > 48) z.zoneIndex = 24;
    return z;
}

DisplaySnapshot SnapshotAt(double moment, int offsetMinutes, int currentCalendar) {
    DisplaySnapshot shown;
    const auto order = CalendarsInLogOrder();
    for (size_t i = 0; i < order.size(); ++i)
        shown.dateLines[i] = CalendarLine(order[i], moment, offsetMinutes).longText;
    const MoonData moon = ComputeMoonData(moment);
    shown.ageCaption = moon.ageText;
    if (moon.phaseResult >= 0) shown.phaseCaption = MoonPhaseText(moon.fraction, moon.waxing);
    shown.currentCalendar = currentCalendar;
    return shown;
}

std::string LogCalendarLine(const DisplaySnapshot& shown, const LogPreferences& prefs) {
    std::string line;
    bool first = true;
    const auto order = CalendarsInLogOrder();
    for (size_t i = 0; i < order.size(); ++i) {
        const int calendar = order[i];
        if (!prefs.includeCalendar[i] || calendar == shown.currentCalendar) continue;
        const std::string& caption = shown.dateLines[i];
        const std::string code(CalendarCodeText(calendar));
        std::string item;
        if (prefs.optLogFormat == 0) {
            const size_t p = caption.find(code);  // 0-based: the date is the first p - 1 characters
            item =
                code + "=" + caption.substr(0, p == std::string::npos ? caption.size() : (p >= 1 ? p - 1 : 0)) + "  ";
        } else {
            if (calendar == CE || calendar == JC)
                item = caption.substr(0, caption.find(','));
            else if (calendar == CJD || calendar == AJD)
                item = caption;
            else {
                const size_t q = caption.find('(');
                item = caption.substr(0, q == std::string::npos ? caption.size() : (q >= 1 ? q - 1 : 0));
            }
            if (!first) line += ", ";
        }
        line += item;
        first = false;
    }
    return line;
}

std::string LogMoonLine(const DisplaySnapshot& shown, const LogPreferences& prefs) {
    if (!prefs.includePhaseOfMoonAndIllumination && !prefs.includeLunationAndAgeOfMoon) return {};
    std::string line;
    bool first = true;
    if (prefs.includePhaseOfMoonAndIllumination) {
        const size_t c = shown.phaseCaption.find(',');
        if (c == std::string::npos)
            line += shown.phaseCaption + ", illum. = ";
        else
            line += shown.phaseCaption.substr(0, c) + ", illum. = " + shown.phaseCaption.substr(c + 1);
        first = false;
    }
    if (prefs.includeLunationAndAgeOfMoon)
        line += (first ? "Lunation and age = " : ", lunat. and age = ") + shown.ageCaption;
    return line + ".";
}

std::string LogEntryText(const std::string& text, const std::string& operation, const std::string& extra,
                         const DisplaySnapshot& shown, const LogPreferences& prefs) {
    std::string entry = operation + "\r\n" + text + "\r\n";
    const std::string calendars = LogCalendarLine(shown, prefs);
    if (!calendars.empty()) entry += calendars + "\r\n";
    const std::string moon = LogMoonLine(shown, prefs);
    if (!moon.empty()) entry += moon + "\r\n";
    if (!extra.empty()) entry += extra + "\r\n";
    return entry + "\r\n";
}

std::string LogHeader(const std::string& windowTitle, const std::string& documentationAddress) {
    return windowTitle + "\r\n" + documentationAddress + "\r\n\r\n";
}

bool LogBook::Append(const std::string& piece) {
    if (Text().size() + piece.size() > capacity_) return false;
    text_ += piece;
    if (listener_) listener_(&piece);
    return true;
}

namespace {

// Where each box of the window's order lives: a calendar's place in log
// order (the calendar whose box it is), or one of the two Moon boxes.
constexpr int kPhaseBox = -1, kAgeBox = -2, kNoBox = -3;
int BoxField(int box) {
    if (box == PhaseIncludeBox) return kPhaseBox;
    if (box == AgeIncludeBox) return kAgeBox;
    for (const CalendarInfo& c : Calendars)
        if (c.includeBox == box) return c.logPlace;
    return kNoBox;
}

}  // namespace

bool IncludeBox(const LogPreferences& prefs, int box) {
    const int field = BoxField(box);
    if (field == kNoBox) return false;
    if (field == kPhaseBox) return prefs.includePhaseOfMoonAndIllumination;
    if (field == kAgeBox) return prefs.includeLunationAndAgeOfMoon;
    return prefs.includeCalendar[static_cast<size_t>(field)];
}

void SetIncludeBox(LogPreferences& prefs, int box, bool on) {
    const int field = BoxField(box);
    if (field == kPhaseBox)
        prefs.includePhaseOfMoonAndIllumination = on;
    else if (field == kAgeBox)
        prefs.includeLunationAndAgeOfMoon = on;
    else if (field != kNoBox)
        prefs.includeCalendar[static_cast<size_t>(field)] = on;
}

}  // namespace vx
