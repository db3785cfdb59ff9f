// The nine date lines, the time line, and copying a shown date into the
// entry box.
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "DateLines.h"
#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

std::string frmMain::ShowAllCalendars() {
    const int offset = EffectiveZoneOffset();
    std::string result;
    // First pass: the short forms and the tool tips; then the long forms.
    const std::vector<vx::DateLine> lines = AllCalendarLines(dblCurrentAJDate, offset);
    const int current = (CurrentCalendar >= 0 && CurrentCalendar < NumberOfCalendars) ? int{CurrentCalendar} : int{CE};
    for (const vx::DateLine& line : lines) {
        LabelPair& pair = DateLine(line.calendar);
        pair[1]->setText(QString::fromStdString(line.shortText));
        pair[1]->setToolTip(QString::fromStdString(line.sentence));
        if (line.calendar == current) result = line.shortText;
    }
    for (const vx::DateLine& line : lines) DateLine(line.calendar)[1]->setText(QString::fromStdString(line.longText));
    return result;
}

void frmMain::ShowTimeLine() {
    // While following the clock, the clock's minute of the moment it gave:
    // one reading for the time line, the dates and what is written back.
    lblTime[1]->setText(QString::fromStdString(
        TimeLineText(ShownMinuteMoment(), SelectedZoneOffset(), optLocal->isChecked(), CurrentCalendar)));
}

std::string frmMain::WrittenDate(int calendar) const {
    // Date and time of the shown minute, so that the text reads back to it
    // (23:59:40 is written as the next day's 00:00); CJD and AJD as shown.
    if (calendar == CJD || calendar == AJD) return CalendarLine(calendar, dblCurrentAJDate, EffectiveZoneOffset()).shortText;
    return WrittenBackText(calendar, ShownMinuteMoment(), EffectiveZoneOffset()).Text();
}

void frmMain::CopyDateLineToEntry(int calendar, int element) {
    CurrentCalendar = static_cast<int16_t>(calendar);
    if (element == 1) txbDate->setText(QString::fromStdString(WrittenDate(calendar)));
    HighlightCurrentCalendar();
    SetTheFocus();
}

void frmMain::AppendTimeToEntry() {
    std::string text = txbDate->text().toStdString();
    if (text.size() <= 2) return;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) text.resize(colon >= 2 ? colon - 2 : 0);
    text = Trim(text);
    const WrittenBack shown = WrittenBackText(CurrentCalendar, ShownMinuteMoment(), EffectiveZoneOffset());
    if (shown.time.empty()) return;
    // The shown date itself gets the date of the shown minute with it.
    const std::string shownDate = CalendarLine(CurrentCalendar, dblCurrentAJDate, EffectiveZoneOffset()).shortText;
    text = text == shownDate ? shown.Text() : text + " " + shown.time;
    txbDate->setText(QString::fromStdString(text));
}

void frmMain::CopyCurrentDateToEntry() { CopyDateLineToEntry(CurrentCalendar, 1); }

}  // namespace vx
