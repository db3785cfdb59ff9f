// Saving the state, restoring it at start-up, and Reset.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "SavedState.h"
#include "frmMain.h"

namespace vx {

std::string frmMain::DataFilePath(const std::string& fileName, const std::string& folderName) const {
    const std::string base = services_.appData != nullptr ? services_.appData->Folder() : std::string();
    if (base.empty()) return {};
    // The folder is made at start-up whether or not a state is ever saved,
    // with every level above it: a fresh account may have none of them.
    QDir().mkpath(QString::fromStdString(base + "/" + folderName));
    std::string path = base + "/" + folderName + "/" + fileName;
    // A save killed between its write and its rename left its temporary file.
    RemoveStaleTemporaries(path);
    return path;
}

void frmMain::cmdSaveState_Click() {
    SavedState s;
    s.moment = Shown().dblCurrentAJDate;
    s.currentCalendar = Shown().CurrentCalendar;
    s.moveForward = optMoveDirection[0]->isChecked();
    s.plus = optPlus->isChecked();
    s.next = optNext->isChecked();
    s.greenwich = optGreenwich->isChecked();
    s.moveStep = cboMoveStep->currentIndex();
    s.searchTarget = cboTarget->currentIndex();
    s.timeZone = cboTimeZone->currentIndex();
    s.refreshPeriod = cboRefreshPeriod->currentIndex();
    s.repeatedly = chkRepeatedly->isChecked();
    s.logResults = chkLog->isChecked();
    s.eclipseData = Shown().EclipseCaption;
    const LogPreferences& prefs = logPreferences.Get();
    s.logFormatCalendarDate = prefs.optLogFormat == 0;
    for (int box = 0; box < IncludeBoxCount; ++box) s.include[static_cast<size_t>(box)] = IncludeBox(prefs, box);
    std::string error;
    if (SavedStatePath.empty())
        error = "no application-data folder: neither HOME nor the account names a home folder";
    else if (WriteFileReplacing(SavedStatePath, FormatSavedState(s), error)) {
        cmdSaveState->setEnabled(false);
        FocusDateEntry();
        return;
    }
    services_.messages->Show("Save state", "Error when attempting to save the state: " + error, MessageIcon::Warning,
                             MessageButtons::Ok);
    cmdSaveState->setEnabled(true);
}

bool frmMain::RestoreSavedState() {
    RestoringSavedState = true;
    std::string text, error;
    // A state file is a few hundred bytes; anything huge, or anything that
    // is not a plain file (a FIFO, a device), is not one.
    if (SavedStatePath.empty() || !ReadRegularFile(SavedStatePath, 1 << 20, text, error)) {
        SelectSystemZone();
        RestoringSavedState = false;
        return false;
    }
    SavedState s;
    const int good = ReadSavedState(
        text, s, {cboMoveStep->count(), cboTarget->count(), cboTimeZone->count(), cboRefreshPeriod->count()});
    // Apply what was read, in file order, even when a later value fails; the
    // model takes its part in one change.
    MomentState shown = Shown();
    if (good >= 1) shown.dblCurrentAJDate = s.moment;  // in range: the reader checks
    if (good >= 2) shown.CurrentCalendar = static_cast<int16_t>(s.currentCalendar);
    ApplySavedOptions(s, good, shown);
    // A caption of blanks shows nothing and counts as none.
    if (good >= 13)
        shown.EclipseCaption = QString::fromStdString(s.eclipseData).trimmed().isEmpty() ? "" : s.eclipseData;
    shown.ShowingNow = false;
    Clock->stop();
    RestoringSavedState = false;
    // What was read stays; when the file was not whole, the present moment
    // follows.
    model_.Update([&](MomentState& m) { m = shown; });
    if (good < SavedStateValues || !IsInSupportedRange(shown.dblCurrentAJDate)) return false;
    RecordResult("Restore saved state on startup", "", 0);
    SetTheFocus();
    return true;
}

void frmMain::ApplySavedOptions(const SavedState& s, int good, MomentState& shown) {
    if (good >= 3) optMoveDirection[s.moveForward ? 0 : 1]->setChecked(true);
    if (good >= 4) (s.plus ? optPlus : optMinus)->setChecked(true);
    if (good >= 5) (s.next ? optNext : optPrevious)->setChecked(true);
    if (good >= 6) {
        (s.greenwich ? optGreenwich : optLocal)->setChecked(true);
        shown.local = !s.greenwich;
    }
    if (good >= 7) cboMoveStep->setCurrentIndex(s.moveStep);
    if (good >= 8)
        cboTarget->setCurrentIndex(s.searchTarget == Target::SameSaros ? Target::AnyEclipse : s.searchTarget);
    if (good >= 9)
        cboTimeZone->setCurrentIndex(s.timeZone);
    else
        SelectSystemZone();  // the file did not say
    shown.AppliedZoneOffset = SelectedZoneOffset();
    if (good >= 10) cboRefreshPeriod->setCurrentIndex(s.refreshPeriod);
    chkRepeatedly->setChecked(false);
    if (good >= 12) {
        chkLog->setChecked(s.logResults);
        LoggingOn = s.logResults;
    }
    // Lines 15 on, each applied when it was read; the include boxes in the
    // window's order.
    logPreferences.Change([&](LogPreferences& prefs) {
        if (good >= 15) prefs.optLogFormat = s.logFormatCalendarDate ? 0 : 1;
        for (int box = 0; box < IncludeBoxCount && good >= 16 + box; ++box)
            SetIncludeBox(prefs, box, s.include[static_cast<size_t>(box)]);
    });
}

void frmMain::cmdReset_Click() {
    SetDefaultOptions();
    LoggingOn = false;
    cboMoveStep->setCurrentIndex(Step::Day);
    cboRefreshPeriod->setCurrentIndex(2);
    cboTarget->setCurrentIndex(Target::FullMoon);
    if (services_.messages->Show("Reset", "Reset log preferences also?", MessageIcon::Question,
                                 MessageButtons::YesNo) == MessageResult::Yes) {
        // The boxes and the format; a calendar the table marks (CLW) keeps
        // its box's state.
        logPreferences.Change([](LogPreferences& prefs) {
            const LogPreferences before = prefs;
            prefs = LogPreferences{};
            for (const CalendarInfo& c : Calendars)
                if (c.keptByReset) SetIncludeBox(prefs, c.includeBox, IncludeBox(before, c.includeBox));
        });
    }
    cmdNow_Click();
}

}  // namespace vx
