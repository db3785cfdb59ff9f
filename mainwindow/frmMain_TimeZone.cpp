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
    const int16_t applied = Shown().AppliedZoneOffset;
    // The instant moves so that its reading on the local clock stays; where
    // that would leave the range, the zone goes back instead.
    const double moved = Shown().dblCurrentAJDate + DaysFromMinutes(applied - z);
    if (z != applied && !CheckRange(moved)) {
        cboTimeZone->blockSignals(true);
        for (int i = 0; i < cboTimeZone->count(); ++i)
            if (TimeZoneOffsetFromItem(cboTimeZone->itemText(i).toStdString()) == applied)
                cboTimeZone->setCurrentIndex(i);
        cboTimeZone->blockSignals(false);
        SetTheFocus();
        return;
    }
    model_.Update([&](MomentState& s) {
        if (z != applied) s.dblCurrentAJDate = moved;
        s.AppliedZoneOffset = z;
        s.EclipseCaption.clear();
    });
    if (!RestoringFromHistory && !RestoringSavedState) RecordResult("Timezone changed.", "", 0);
    SetTheFocus();
}

void frmMain::cmdNow_Click() {
    txbDate->clear();
    txbPlusMinus->clear();
    if (MoveRunning) cmdStop_Click();
    model_.Update([&](MomentState& s) {
        s.dblCurrentAJDate = ClockMoment();
        s.ShowingNow = true;
        s.search.LastEclipseLunation = NoLunation;
        s.EclipseCaption.clear();
    });
    RecordResult("Now", "", 0);
    Clock->setInterval(NowRefreshSeconds * 1000);
    Clock->start();
    if (cboTarget->currentIndex() == Target::SameSaros) cboTarget->setCurrentIndex(Target::AnyEclipse);
    SetTheFocus();
}

double frmMain::ClockMoment() const {
    // The clock gives Universal Time: the instant is the same whatever zone
    // is selected, and the zone only says how it is shown.
    const ClockReading now = services_.clock->Now();
    EuroDateRecord rec{now.year, now.month, now.day, 'G', 0, 0};
    euro_date_to_jdn(&rec);
    const double cjd =
        rec.jdn + DaysFromSeconds((now.hour * MinutesPerHour + now.minute) * SecondsPerMinute + now.second);
    return MomentFromCJD(cjd, 0);
}

void frmMain::SelectSystemZone() {
    const int offset = services_.clock->Now().systemOffsetMinutes;
    const int index = offset % 30 == 0 && offset >= MinZoneOffset && offset <= MaxZoneOffset
                          ? (offset - MinZoneOffset) / 30
                          : (0 - MinZoneOffset) / 30;
    cboTimeZone->blockSignals(true);
    cboTimeZone->setCurrentIndex(index);
    cboTimeZone->blockSignals(false);
    model_.Update([this](MomentState& s) { s.AppliedZoneOffset = SelectedZoneOffset(); });
}

void frmMain::Clock_Timer() {
    if (Shown().ShowingNow)
        model_.Update([this](MomentState& s) {
            s.dblCurrentAJDate = ClockMoment();
            s.EclipseCaption.clear();
        });
    else if (MoveRunning)
        MoveClockTick();
}

}  // namespace vx
