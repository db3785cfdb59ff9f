// The Move command, once or repeatedly, with Stop, Pause/Resume and the
// refresh period. A repeated Move is driven by the clock's ticks: each tick
// makes one step and returns to the event loop, so Now, Stop, Pause, closing
// the window and the range end each act at once and exactly once.
#include <QCheckBox>
#include <QComboBox>
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
    if (moveActive_) return;
    if (!TakePendingEntry()) return;
    const bool forward = optMoveDirection[0]->isChecked();
    LastMoveLogText =
        MoveLogText(static_cast<StepUnit>(cboMoveStep->currentIndex()), forward, chkRepeatedly->isChecked());
    MoveRunning = chkRepeatedly->isChecked();
    MovePaused = false;
    model_.Update([](MomentState& s) {
        s.EclipseCaption.clear();
        s.search.LastEclipseLunation = NoLunation;
        s.ShowingNow = false;
    });
    MoveStepsMade = 0;
    moveActive_ = true;
    if (!MoveRunning) {
        // A single Move: one step, then the same ending as a repeated one.
        EndMove(MakeMoveStep());
        return;
    }
    EnableCommandFrames(false);
    fraHistory->setEnabled(false);
    cmdQuit->setEnabled(false);
    cmdViewLog->setEnabled(false);
    cmdLogThisResult->setEnabled(false);
    cmdPauseResume->setText("Pa&use");
    lblRefreshPeriod->setEnabled(false);
    cboRefreshPeriod->setEnabled(false);
    fraStopPauseResume->setVisible(true);
    cmdStop->setFocus();
    Clock->stop();
    Clock->setInterval(RefreshPeriodMs());
    // The first step at once, the others at the ticks.
    if (const char* ended = MakeMoveStep()) {
        EndMove(ended);
        return;
    }
    Clock->start();
}

const char* frmMain::MakeMoveStep() {
    const StepUnit unit = static_cast<StepUnit>(cboMoveStep->currentIndex());
    const MoveStepResult step = MoveStep(unit, optMoveDirection[0]->isChecked(), Shown().dblCurrentAJDate,
                                         EffectiveZoneOffset(), Shown().CurrentCalendar);
    // A step that would leave the supported range is not taken: the display
    // keeps the last date inside it.
    const RangeVerdict verdict = CheckSupportedRange(step.moment);
    if (verdict != RangeVerdict::InRange)
        return verdict == RangeVerdict::TooEarly ? "Earliest date exceeded." : "Latest date exceeded.";
    model_.Update([&](MomentState& s) {
        s.dblCurrentAJDate = step.moment;
        s.CurrentCalendar = static_cast<int16_t>(step.currentCalendar);
    });
    CopyCurrentDateToEntry();
    ++MoveStepsMade;
    return nullptr;
}

void frmMain::MoveClockTick() {
    if (!MoveRunning || MovePaused) return;
    if (const char* ended = MakeMoveStep()) EndMove(ended);
}

void frmMain::EndMove(const char* rangeMessage) {
    if (!moveActive_) return;
    moveActive_ = false;
    MoveRunning = false;
    MovePaused = false;
    Clock->stop();
    Clock->setInterval(NowRefreshSeconds * 1000);
    fraStopPauseResume->setVisible(false);
    cmdPauseResume->setText("Pa&use");
    EnableCommandFrames(true);
    fraHistory->setEnabled(true);
    cmdQuit->setEnabled(true);
    cmdLogThisResult->setEnabled(HavePendingLogEntry);
    if (rangeMessage != nullptr)
        services_.messages->Show("Out of range", rangeMessage, MessageIcon::Warning, MessageButtons::Ok);
    // One history and log entry for the whole Move, with the last date shown.
    if (MoveStepsMade > 0) RecordResult(LastMoveLogText, "", 0);
    cmdViewLog->setEnabled(!Log.Empty());
    FocusMoveOrQuit();
}

void frmMain::cmdStop_Click() { EndMove(nullptr); }

void frmMain::cmdPauseResume_Click() {
    if (!MoveRunning) return;
    if (MovePaused) {
        cmdPauseResume->setText("Pa&use");
        MovePaused = false;
        lblRefreshPeriod->setEnabled(false);
        cboRefreshPeriod->setEnabled(false);
        Clock->setInterval(RefreshPeriodMs());
        Clock->start();
        cmdStop->setFocus();
    } else {
        cmdPauseResume->setText("Res&ume");
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
    if (!HoldFocus) cmdPauseResume->setFocus();
}

}  // namespace vx
