// The Search command: the entry preamble it shares with Move, the target and
// direction, and showing what the search found.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "MoonPanel.h"
#include "Search.h"
#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

bool frmMain::TakePendingEntry() {
    txbDate->setText(QString::fromStdString(Trim(txbDate->text().toStdString())));
    if (txbDate->text().isEmpty()) return true;
    const DateEntryResult parsed = ReadEntry(txbDate->text().toStdString(), false);
    if (parsed.error != 0) {
        ShowDateEntryError(parsed.error);
        SetTheFocus();
        return false;
    }
    // The entry's calendar becomes current; its moment only inside the
    // range, and a date within a minute of the shown one is the shown one.
    const bool inRange = CheckRange(parsed.moment);
    model_.Update([&](MomentState& s) {
        s.CurrentCalendar = static_cast<int16_t>(parsed.calendar);
        if (inRange && std::fabs(s.dblCurrentAJDate - parsed.moment) >= 0.0007) s.dblCurrentAJDate = parsed.moment;
    });
    if (!inRange) SetTheFocus();
    return inRange;
}

void frmMain::cmdSearch_Click() {
    if (!TakePendingEntry()) return;
    const SearchTarget target = static_cast<SearchTarget>(cboTarget->currentIndex());
    if (IsSearchSeparator(target)) {
        services_.messages->Show(std::string(NoTargetTitle), std::string(NoTargetMessage), MessageIcon::Warning,
                                 MessageButtons::Ok);
        return;
    }
    const bool eclipseDisplayed = !Shown().EclipseCaption.empty();
    txbDate->clear();
    const bool next = optNext->isChecked();
    LastSearchLogText = SearchLogText(target, next);
    LastSearchExtra.clear();
    model_.Update([](MomentState& s) { s.ShowingNow = false; });
    Clock->stop();

    SearchState state = Shown().search;
    if (target == CoincidenceTarget) {
        lblSearching->setVisible(true);
        repaint();
    }
    const SearchOutcome found = RunSearch(target, next, Shown().dblCurrentAJDate, EffectiveZoneOffset(),
                                          eclipseDisplayed, state, ObserverPlace());
    lblSearching->setVisible(false);
    model_.Update([&](MomentState& s) { s.search = state; });
    switch (found.result) {
        case SearchOutcome::Result::Found:
            break;
        case SearchOutcome::Result::PhaseError:
            services_.messages->Show("Error", GetPhaseErrorText(found.phaseCode, "cmdSearch_Click"),
                                     MessageIcon::Warning, MessageButtons::Ok);
            return;
        default:
            services_.messages->Show(found.messageTitle, found.messageText, MessageIcon::Warning, MessageButtons::Ok);
            SetTheFocus();
            return;
    }
    // The shown eclipse stays shown (and usable) until a result replaces it.
    const SearchTargetInfo::Kind kind = SearchTargetOf(target).kind;
    const bool eclipseTarget = kind == SearchTargetInfo::Kind::Eclipse || kind == SearchTargetInfo::Kind::Saros ||
                               kind == SearchTargetInfo::Kind::SeenHere;
    std::string caption;
    if (eclipseTarget && found.record.kind > 0) {
        const EclipseDetails details = EclipseDetailsText(found.record, found.moment, EffectiveZoneOffset());
        caption = details.caption;
        LastSearchExtra = details.summary;
    }
    model_.Update([&](MomentState& s) {
        s.dblCurrentAJDate = found.moment;
        s.EclipseCaption = caption;
    });
    CopyCurrentDateToEntry();
    RecordResult(LastSearchLogText, eclipseTarget ? LastSearchExtra : std::string(),
                 static_cast<int16_t>(found.record.kind));
    SetTheFocus();
}

}  // namespace vx
