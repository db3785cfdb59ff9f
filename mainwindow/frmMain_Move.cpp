// The Move command, once or repeatedly, with Stop, Pause/Resume and the
// refresh period.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "MoveSteps.h"
#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

int frmMain::RefreshPeriodMs() const {
    return static_cast<int>(RoundHalfEven(NumericValue(cboRefreshPeriod->currentText().toStdString()) * 1000));
}

void frmMain::EnableCommandFrames(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{fraMove, cmdMove, fraConvert, cmdCompute, cmdClearDate, fraSearch,
                                                     cmdSearch, cmdHelp, cmdReset, cmdViewLog, cmdLogThisResult})
        w->setEnabled(enabled);
}

void frmMain::cmdMove_Click() {
    if (!TakePendingEntry()) return;
    lblActualEclipseData->clear();
    LastEclipseLunation = -10000000;
    const bool forward = optMoveDirection[0]->isChecked();
    LastMoveLogText = MoveLogText(static_cast<StepUnit>(cboMoveStep->currentIndex()), forward,
                                  chkRepeatedly->isChecked());
    MoveRunning = chkRepeatedly->isChecked();
    ShowingNow = false;
    picCheck->setVisible(false);
    MoveStepsMade = 0;
    if (MoveRunning) {
        EnableCommandFrames(false);
        fraHistory->setEnabled(false);
        cmdQuit->setEnabled(false);
        cmdViewLog->setEnabled(false);
        cmdLogThisResult->setEnabled(false);
        cmdPauseResume->setText("Pause");
        MovePaused = false;
        lblRefreshPeriod->setEnabled(false);
        cboRefreshPeriod->setEnabled(false);
        fraStopPauseResume->setVisible(true);
        cmdStop->setFocus();
        Clock->stop();
        Clock->setInterval(RefreshPeriodMs());
        Clock->start();
    }
    MoveTick = true;
    std::string lastShown;
    do {
        if (MoveTick) {
            const StepUnit unit = static_cast<StepUnit>(cboMoveStep->currentIndex());
            const MoveStepResult step = MoveStep(unit, optMoveDirection[0]->isChecked(), dblCurrentAJDate,
                                                 EffectiveZoneOffset(), CurrentCalendar);
            MoveTick = false;
            // A step that would leave the supported range is not taken: the
            // display keeps the last date inside it.
            const RangeVerdict verdict = CheckSupportedRange(step.moment);
            if (verdict != RangeVerdict::InRange) {
                if (MoveRunning) cmdStop_Click();
                services_.messages->Show("Out of range",
                                         verdict == RangeVerdict::TooEarly ? "Earliest date exceeded."
                                                                           : "Latest date exceeded.",
                                         MessageIcon::Warning, MessageButtons::Ok);
                break;
            }
            dblCurrentAJDate = step.moment;
            CurrentCalendar = static_cast<int16_t>(step.currentCalendar);
            HighlightCurrentCalendar();
            ShowTimeLine();
            lastShown = ShowAllCalendars();
            CopyCurrentDateToEntry();
            DisplayMoonData(NavyColour);
            ShowDeltaT();
            ++MoveStepsMade;
        }
        if (!MoveRunning) {
            QCoreApplication::processEvents();
            break;
        }
        // Sleep until the next event (a tick, Stop, Pause): no busy waiting.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } while (MoveRunning);
    // One history and log entry for the whole Move, with the last date shown.
    if (!lastShown.empty()) AddLogEntry(AddHistoryEntry(lastShown, 0), LastMoveLogText, "");
    Clock->setInterval(NowRefreshSeconds * 1000);
    Clock->stop();
    EnableCommandFrames(true);
    fraHistory->setEnabled(true);
    cmdQuit->setEnabled(true);
    cmdViewLog->setEnabled(!Log.Empty());
    fraStopPauseResume->setVisible(false);
    FocusMoveOrQuit();
}

void frmMain::cmdStop_Click() {
    MoveRunning = false;
    MovePaused = false;
    fraStopPauseResume->setVisible(false);
    Clock->start();
}

void frmMain::cmdPauseResume_Click() {
    if (MovePaused) {
        cmdPauseResume->setText("Pause");
        MovePaused = false;
        lblRefreshPeriod->setEnabled(false);
        cboRefreshPeriod->setEnabled(false);
        Clock->setInterval(RefreshPeriodMs());
        Clock->start();
        cmdStop->setFocus();
    } else {
        cmdPauseResume->setText("Resume");
        MovePaused = true;
        lblRefreshPeriod->setEnabled(true);
        cboRefreshPeriod->setEnabled(true);
        Clock->stop();
        cmdPauseResume->setFocus();
    }
}

void frmMain::cboRefreshPeriod_Click() {
    if (!MovePaused) return;
    Clock->setInterval(RefreshPeriodMs());
    cmdPauseResume->setFocus();
}

}  // namespace vx
