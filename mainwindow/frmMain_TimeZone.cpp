// The Greenwich/Local options (wired in start-up), the zone list, Now and
// the clock.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "Moment.h"
#include "frmMain.h"
#include "vxdates.h"

namespace vx {

int16_t frmMain::SelectedZoneOffset() const { return TimeZoneOffsetFromItem(cboTimeZone->currentText().toStdString()); }

void frmMain::cboTimeZone_Click() {
    if (!isVisible() || RestoringSavedState) return;
    const int16_t z = SelectedZoneOffset();
    if (z != AppliedZoneOffset) {
        // The instant moves so that its reading on the local clock stays;
        // where that would leave the range, the zone goes back instead.
        const double moved = dblCurrentAJDate + DaysFromMinutes(AppliedZoneOffset - z);
        if (!CheckRange(moved)) {
            cboTimeZone->blockSignals(true);
            for (int i = 0; i < cboTimeZone->count(); ++i)
                if (TimeZoneOffsetFromItem(cboTimeZone->itemText(i).toStdString()) == AppliedZoneOffset)
                    cboTimeZone->setCurrentIndex(i);
            cboTimeZone->blockSignals(false);
            SetTheFocus();
            return;
        }
        dblCurrentAJDate = moved;
        AppliedZoneOffset = z;
    }
    ShowEclipseCaption({});
    ShowTimeLine();
    const std::string shown = ShowAllCalendars();
    DisplayMoonData(NavyColour);
    ShowDeltaT();
    if (!RestoringFromHistory && !RestoringSavedState) {
        const std::string h = AddHistoryEntry(shown, 0);
        if (!h.empty()) AddLogEntry(h, "Timezone changed.", "");
    }
    SetTheFocus();
}

void frmMain::cmdNow_Click() {
    txbDate->clear();
    txbPlusMinus->clear();
    LastEclipseLunation = NoLunation;
    if (MoveRunning) cmdStop_Click();
    ShowingNow = true;
    picCheck->setVisible(true);
    const std::string shown = SetMomentToNow();
    const std::string h = AddHistoryEntry(shown, 0);
    if (!h.empty()) AddLogEntry(h, "Now", "");
    Clock->setInterval(NowRefreshSeconds * 1000);
    Clock->start();
    if (cboTarget->currentIndex() == Target::SameSaros) cboTarget->setCurrentIndex(Target::AnyEclipse);
    SetTheFocus();
}

std::string frmMain::SetMomentToNow() {
    ShowEclipseCaption({});
    // The clock gives Universal Time: the instant is the same whatever zone
    // is selected, and the zone only says how it is shown.
    const ClockReading now = services_.clock->Now();
    EuroDateRecord rec{now.year, now.month, now.day, 'G', 0, 0};
    euro_date_to_jdn(&rec);
    const double cjd = rec.jdn + DaysFromSeconds((now.hour * MinutesPerHour + now.minute) * SecondsPerMinute + now.second);
    dblCurrentAJDate = MomentFromCJD(cjd, 0);
    ShowTimeLine();
    const std::string shown = ShowAllCalendars();
    DisplayMoonData(NavyColour);
    ShowDeltaT();
    return shown;
}

void frmMain::SelectSystemZone() {
    const int offset = services_.clock->Now().systemOffsetMinutes;
    const int index = offset % 30 == 0 && offset >= MinZoneOffset && offset <= MaxZoneOffset
                          ? (offset - MinZoneOffset) / 30
                          : (0 - MinZoneOffset) / 30;
    cboTimeZone->blockSignals(true);
    cboTimeZone->setCurrentIndex(index);
    cboTimeZone->blockSignals(false);
    AppliedZoneOffset = SelectedZoneOffset();
}

void frmMain::Clock_Timer() {
    if (ShowingNow) SetMomentToNow();
    else if (MoveRunning) MoveClockTick();
}

}  // namespace vx
