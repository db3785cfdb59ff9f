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
    QDir dir(QString::fromStdString(base));
    // The folder is made at start-up whether or not a state is ever saved.
    if (dir.exists() && !dir.exists(QString::fromStdString(folderName))) dir.mkdir(QString::fromStdString(folderName));
    return base + "/" + folderName + "/" + fileName;
}

void frmMain::cmdSaveState_Click() {
    SavedState s;
    s.moment = dblCurrentAJDate;
    s.currentCalendar = CurrentCalendar;
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
    const QVariant caption = lblActualEclipseData->property("vxCaption");
    s.eclipseData = lblActualEclipseData->text().isEmpty() ? std::string() : caption.toString().toStdString();
    s.logFormatCalendarDate = logPreferences.optLogFormat == 0;
    // CE, JC, OLC, DV, LVT, SVT, CJD, AJD, phase, lunation and age, CLW.
    const auto& c = logPreferences.includeCalendar;  // CE JC OLC DV LVT SVT CLW CJD AJD
    s.include = {c[0], c[1], c[2], c[3], c[4], c[5], c[7], c[8], logPreferences.includePhaseOfMoonAndIllumination,
                 logPreferences.includeLunationAndAgeOfMoon, c[6]};
    std::string error;
    if (SavedStatePath.empty()) error = "no application-data folder";
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
    std::string text;
    {
        QFile file(QString::fromStdString(SavedStatePath));
        // A state file is a few hundred bytes; anything huge is not one.
        if (SavedStatePath.empty() || !file.open(QIODevice::ReadOnly) || file.size() > (1 << 20)) {
            RestoringSavedState = false;
            return false;
        }
        text = file.readAll().toStdString();
    }
    SavedState s;
    const int good = ReadSavedState(text, s);
    // Apply what was read, in file order, even when a later value fails.
    if (good >= 1) dblCurrentAJDate = s.moment;
    if (good >= 2) CurrentCalendar = static_cast<int16_t>(s.currentCalendar);
    if (good >= 3) optMoveDirection[s.moveForward ? 0 : 1]->setChecked(true);
    if (good >= 4) (s.plus ? optPlus : optMinus)->setChecked(true);
    if (good >= 5) (s.next ? optNext : optPrevious)->setChecked(true);
    if (good >= 6) (s.greenwich ? optGreenwich : optLocal)->setChecked(true);
    if (good >= 7) cboMoveStep->setCurrentIndex(s.moveStep);
    if (good >= 8) cboTarget->setCurrentIndex(s.searchTarget == 13 ? 6 : s.searchTarget);
    if (good >= 9) {
        cboTimeZone->setCurrentIndex(s.timeZone);
        AppliedZoneOffset = SelectedZoneOffset();
    }
    if (good >= 10) cboRefreshPeriod->setCurrentIndex(s.refreshPeriod);
    chkRepeatedly->setChecked(false);
    if (good >= 12) {
        chkLog->setChecked(s.logResults);
        LoggingOn = s.logResults;
    }
    if (good >= 13) {
        lblActualEclipseData->setProperty("vxCaption", QString::fromStdString(s.eclipseData));
        lblActualEclipseData->setText(QString::fromStdString(s.eclipseData).replace("\r\n", "\n").trimmed());
    }
    if (good >= 15) logPreferences.optLogFormat = s.logFormatCalendarDate ? 0 : 1;
    if (good >= 26) {
        const auto& i = s.include;  // CE JC OLC DV LVT SVT CJD AJD phase age CLW
        logPreferences.includeCalendar = {i[0], i[1], i[2], i[3], i[4], i[5], i[10], i[6], i[7]};
        logPreferences.includePhaseOfMoonAndIllumination = i[8];
        logPreferences.includeLunationAndAgeOfMoon = i[9];
    }
    ShowingNow = false;
    picCheck->setVisible(false);
    Clock->stop();
    RestoringSavedState = false;
    if (good < 26 || !IsInSupportedRange(dblCurrentAJDate)) return false;

    ShowTimeLine();
    const std::string shown = ShowAllCalendars();
    DisplayMoonData(NavyColour);
    ShowDeltaT();
    const std::string h = AddHistoryEntry(shown, 0);
    AddLogEntry(h, "Restore saved state on startup", "");
    HighlightCurrentCalendar();
    SetTheFocus();
    return true;
}

void frmMain::cmdReset_Click() {
    HighlightCurrentCalendar();
    SetDefaultOptions();
    LoggingOn = false;
    cboMoveStep->setCurrentIndex(2);
    cboRefreshPeriod->setCurrentIndex(2);
    cboTarget->setCurrentIndex(0);
    if (services_.messages->Show("Reset", "Reset log preferences also?", MessageIcon::Question,
                                 MessageButtons::YesNo) == MessageResult::Yes) {
        logPreferences.optLogFormat = 0;
        const bool clw = logPreferences.includeCalendar[6];
        logPreferences.includeCalendar.fill(true);
        logPreferences.includeCalendar[6] = clw;
        logPreferences.includePhaseOfMoonAndIllumination = true;
        logPreferences.includeLunationAndAgeOfMoon = true;
    }
    cmdNow_Click();
}

}  // namespace vx
