// The nine date lines, the time line, and copying a shown date into the
// entry box.
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "DateLines.h"
#include "EclipseMap.h"
#include "MapWindow.h"
#include "PhaseQueries.h"
#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

// The views of the model: each reads it and draws one part of the window.
void frmMain::FollowModel(unsigned changes) {
    using Change = MomentModel::Change;
    if (changes & (Change::InstantChanged | Change::CalendarChanged | Change::ClockChanged | Change::FollowingChanged))
        ShowTimeLine();
    if (changes & (Change::InstantChanged | Change::ClockChanged)) ShowAllCalendars();
    if (changes & Change::CalendarChanged) HighlightCurrentCalendar();
    if (changes & Change::InstantChanged) {
        DisplayMoonData(NavyColour);
        ShowDeltaT();
    }
    if (changes & Change::FollowingChanged) picCheck->setVisible(Shown().ShowingNow);
    if (changes & Change::EclipseChanged) ShowEclipseData();
    if (changes & (Change::InstantChanged | Change::EclipseChanged | Change::ClockChanged)) ShowSky();
}

void frmMain::ShowAllCalendars() {
    ++draws_.dateLines;
    for (const vx::DateLine& line : AllCalendarLines(Shown().dblCurrentAJDate, EffectiveZoneOffset())) {
        LabelPair& pair = DateLine(line.calendar);
        pair[1]->setText(QString::fromStdString(line.longText));
        pair[1]->setToolTip(QString::fromStdString(line.sentence));
    }
}

void frmMain::ShowTimeLine() {
    ++draws_.timeLine;
    // While following the clock, the clock's minute of the moment it gave:
    // one reading for the time line, the dates and what is written back.
    const MomentState& shown = Shown();
    lblTime[1]->setText(QString::fromStdString(
        TimeLineText(ShownMinuteMoment(), shown.AppliedZoneOffset, shown.local, shown.CurrentCalendar)));
}

// The eclipse data as written (CR LF between lines), line by line.
// With a place, the local lines follow where the label's six lines leave
// room (a solar eclipse's three); they are always in its tool tip and in the
// sky window.
void frmMain::ShowEclipseData() {
    QString text = QString::fromStdString(Shown().EclipseCaption).replace("\r\n", "\n").trimmed();
    const QString local = QString::fromStdString(LocalEclipseText());
    if (!local.isEmpty() && text.count('\n') + local.count('\n') + 2 <= 6) text += "\n" + local;
    lblActualEclipseData->setText(text);
    const bool shown = !Shown().EclipseCaption.empty();
    lblActualEclipseData->setCursor(shown ? Qt::PointingHandCursor : Qt::ArrowCursor);
    const QString map = shown ? "Click, or press Ctrl+M, for the map of this eclipse" : "";
    lblActualEclipseData->setToolTip(local.isEmpty() ? map : local + "\n\n" + map);
    lblActualEclipseData->setAccessibleDescription(
        shown ? (local.isEmpty() ? "" : local + "\n") + "Ctrl+M opens the map of this eclipse" : "");
    // An open map follows the eclipse shown.
    PhaseEclipseRecord record{};
    if (mapWindow != nullptr && mapWindow->isVisible()) {
        if (ShownEclipseRecord(record))
            ShowMapOf(record);
        else
            mapWindow->hide();
    }
}

bool frmMain::ShownEclipseRecord(PhaseEclipseRecord& record) const {
    if (Shown().EclipseCaption.empty()) return false;
    int32_t lunation = Shown().search.LastEclipseLunation;
    bool lunar = Shown().search.LastEclipseWasLunar;
    // A caption restored from the saved file: the eclipse at its moment.
    if (lunation == NoLunation && !FindDisplayedEclipse(Shown().dblCurrentAJDate, lunation, lunar)) return false;
    PhaseInstantTT(lunation, lunar ? FullMoon : NewMoon, record);
    return record.kind != 0;
}

void frmMain::ShowMapOf(const PhaseEclipseRecord& record) {
    if (mapWindow == nullptr) mapWindow = new frmMap(this);
    const double ut = UniversalFromDynamical(record.greatest_tt);
    const std::string date = CalendarLine(CE, ut, 0).shortText;
    const std::string time = TimeLineText(ut, 0, true, CE).substr(0, 5);
    const std::string title = std::string(EclipseKindText(record.kind)) + ", " + date;
    const std::string caption =
        std::string(record.phase == FullMoon ? "Moon in the zenith" : "Greatest eclipse") + " at " + time + " UT";
    mapWindow->ShowMap(title, EclipseMapSvg(MapDataOf(record), 1000, title, caption, ObserverPlace()));
}

void frmMain::OpenMap() {
    PhaseEclipseRecord record{};
    if (ShownEclipseRecord(record)) ShowMapOf(record);
}

std::string frmMain::WrittenDate(int calendar) const {
    // Date and time of the shown minute, so that the text reads back to it
    // (23:59:40 is written as the next day's 00:00); CJD and AJD as shown.
    if (calendar == CJD || calendar == AJD)
        return CalendarLine(calendar, Shown().dblCurrentAJDate, EffectiveZoneOffset()).shortText;
    return WrittenBackText(calendar, ShownMinuteMoment(), EffectiveZoneOffset()).Text();
}

void frmMain::CopyDateLineToEntry(int calendar, int element) {
    model_.Update([calendar](MomentState& s) { s.CurrentCalendar = static_cast<int16_t>(calendar); });
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
    const int current = Shown().CurrentCalendar;
    const WrittenBack shown = WrittenBackText(current, ShownMinuteMoment(), EffectiveZoneOffset());
    if (shown.time.empty()) return;
    // The shown date itself gets the date of the shown minute with it.
    const std::string shownDate = CalendarLine(current, Shown().dblCurrentAJDate, EffectiveZoneOffset()).shortText;
    text = text == shownDate ? shown.Text() : text + " " + shown.time;
    txbDate->setText(QString::fromStdString(text));
}

void frmMain::CopyCurrentDateToEntry() { CopyDateLineToEntry(Shown().CurrentCalendar, 1); }

}  // namespace vx
