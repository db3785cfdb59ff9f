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
    if (!CheckRange(parsed.moment)) {
        SetTheFocus();
        return false;
    }
    // A date within a minute of the shown one is the shown one.
    if (std::fabs(dblCurrentAJDate - parsed.moment) >= 0.0007) dblCurrentAJDate = parsed.moment;
    return true;
}

// The caption is the one record of whether an eclipse is shown; a caption
// of blanks shows nothing and counts as none.
void frmMain::ShowEclipseCaption(const std::string& caption) {
    const QString shown = QString::fromStdString(caption).replace("\r\n", "\n").trimmed();
    EclipseCaption = shown.isEmpty() ? std::string() : caption;
    lblActualEclipseData->setText(shown);
}

void frmMain::cmdSearch_Click() {
    if (!TakePendingEntry()) return;
    const SearchTarget target = static_cast<SearchTarget>(cboTarget->currentIndex());
    if (IsSearchSeparator(target)) {
        services_.messages->Show(std::string(NoTargetTitle), std::string(NoTargetMessage), MessageIcon::Warning,
                                 MessageButtons::Ok);
        return;
    }
    const bool eclipseDisplayed = !EclipseCaption.empty();
    txbDate->clear();
    const bool next = optNext->isChecked();
    LastSearchLogText = SearchLogText(target, next);
    LastSearchExtra.clear();
    ShowingNow = false;
    picCheck->setVisible(false);
    Clock->stop();

    SearchState state{blnExact, LastEclipseLunation, LastEclipseWasLunar};
    if (target == CoincidenceTarget) {
        lblSearching->setVisible(true);
        repaint();
    }
    const SearchOutcome found =
        RunSearch(target, next, dblCurrentAJDate, EffectiveZoneOffset(), eclipseDisplayed, state);
    lblSearching->setVisible(false);
    blnExact = state.blnExact;
    LastEclipseLunation = state.LastEclipseLunation;
    LastEclipseWasLunar = state.LastEclipseWasLunar;
    switch (found.result) {
        case SearchOutcome::Result::Found: break;
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
    ShowEclipseCaption({});
    dblCurrentAJDate = found.moment;
    ShowTimeLine();
    const std::string shown = ShowAllCalendars();
    CopyCurrentDateToEntry();
    DisplayMoonData(NavyColour);
    ShowDeltaT();
    const bool eclipseTarget = SearchTargetOf(target).kind == SearchTargetInfo::Kind::Eclipse ||
                               SearchTargetOf(target).kind == SearchTargetInfo::Kind::Saros;
    if (eclipseTarget && found.record.kind > 0) {
        const EclipseDetails details = EclipseDetailsText(found.record, dblCurrentAJDate, EffectiveZoneOffset());
        EclipseLines = details.EclipseLines;
        ShowEclipseCaption(details.caption);
        LastSearchExtra = details.summary;
    }
    const std::string h = AddHistoryEntry(shown, static_cast<int16_t>(found.record.kind));
    AddLogEntry(h, LastSearchLogText, eclipseTarget ? LastSearchExtra : std::string());
    SetTheFocus();
}

}  // namespace vx
