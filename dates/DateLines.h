// One instant written in every calendar: the short form, the long form and
// the descriptive sentence of each date line, in display order, and the time
// line. The window and the command-line tool both show these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Moment.h"

namespace vx {

struct DateLine {
    int16_t calendar = CE;
    std::string shortText;  // what a click copies into the entry box
    std::string longText;   // the displayed value
    std::string sentence;   // the tool tip; "" where there is none
};

// The lines of one calendar for a Moment; offsetMinutes is the effective
// zone offset (0 with Greenwich).
DateLine CalendarLine(int calendar, double moment, int offsetMinutes);

// What the program writes back for a Moment (entry box, history): the short
// date of calendar and "hh:mm", both of the moment's minute as rounded for
// display, so that a time that shows as 24:00 is written as 00:00 of the next
// day and reads back to the same minute. CLW dates and times are on the
// Corvane clock, six hours behind. CJD and AJD have their number only and an
// empty time.
struct WrittenBack {
    std::string date;
    std::string time;
    std::string Text() const { return time.empty() ? date : date + " " + time; }
};
WrittenBack WrittenBackText(int calendar, double moment, int offsetMinutes);

// The instant that written-back text stands for: what the entry parser reads
// from it. A history or log entry describes this one instant in every part.
double WrittenBackMoment(int calendar, double moment, int offsetMinutes);

// The start of the minute of a moment the clock gave in whole seconds: what
// a clock showing hh:mm means (every zone offset is whole minutes).
double StartOfClockMinute(double moment);

// Every line in display order: CE, JC, OLC, DV, LVT, SVT, CLW, CJD, AJD.
std::vector<DateLine> AllCalendarLines(double moment, int offsetMinutes);

// " (GMT)", " (local)", " (GMT=local)", " (local=GMT)", " (Greenwich CLW)",
// " (local CLW)": which clock the time line reads.
std::string TimeLineSuffix(int zoneOffset, bool localSelected, bool corvane);

// The time line for a Moment: hh:mm of the selected clock (six hours behind
// it for CLW), then the suffix. zoneOffset is the selected zone item's
// offset, whether or not "Local" is selected.
std::string TimeLineText(double moment, int zoneOffset, bool localSelected, int currentCalendar);

}  // namespace vx
