// The repeated Move as a user lives it: Now, Stop, Pause, the range end and
// closing the window each end or change it at once, and only once.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "WindowFixture.h"

using vx::frmMain;

namespace {

QStringList HistoryItems(frmMain& w) {
    QStringList items;
    for (int i = 0; i < w.cboHistory->count(); ++i) items << w.cboHistory->itemText(i);
    return items;
}

}  // namespace

class RepeatedMove : public MainWindow {
protected:
    // Starts "1 day forward repeatedly" every 0.2 s from the given date.
    void StartDays(const QString& from, int stepUnit = 2) {
        Enter(from);
        window->cboMoveStep->setCurrentIndex(stepUnit);
        window->chkRepeatedly->setChecked(true);
        window->cboRefreshPeriod->setCurrentIndex(0);
        window->cmdMove->click();
    }
    int MoveEntriesInLog() const {
        int n = 0;
        for (size_t at = window->Log.Text().find("Move forward"); at != std::string::npos;
             at = window->Log.Text().find("Move forward", at + 1))
            ++n;
        return n;
    }
};

TEST_F(RepeatedMove, NowEndsTheMoveAndTheClockGoesOnTicking) {
    window->chkLog->setChecked(true);
    StartDays("2001-08-01 CE 04:40");
    QTest::qWait(450);
    ASSERT_TRUE(window->MoveRunning);
    const QString lastMoveDate = Value(window->lblCommonEraDate).left(13);
    clock.now = {2003, 12, 31, 15, 55, 0};
    window->cmdNow->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_TRUE(window->ShowingNow);
    EXPECT_TRUE(window->picCheck->isVisible());
    EXPECT_TRUE(window->Clock->isActive()) << "the live clock keeps ticking";
    EXPECT_EQ(window->Clock->interval(), 5000);
    EXPECT_TRUE(window->cmdCompute->isEnabled());
    EXPECT_TRUE(window->cmdQuit->isEnabled());
    EXPECT_FALSE(window->fraStopPauseResume->isVisible());

    // The history: the Move's last date with its own time, then Now; no
    // mixture of the two.
    const QStringList items = HistoryItems(*window);
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.back(), "2003-12-31 CE 15:55 (local = GMT)");
    EXPECT_EQ(items[items.size() - 2], lastMoveDate + " 04:40 (local = GMT)");
    for (const QString& item : items) EXPECT_FALSE(item.startsWith("2001") && item.contains("15:55")) << item.toStdString();
    EXPECT_EQ(MoveEntriesInLog(), 1);

    // Nothing of the Move comes after Now, and the ticks follow the clock.
    const int steps = window->MoveStepsMade;
    window->Clock->setInterval(50);
    clock.now = {2003, 12, 31, 16, 10, 0};
    QTest::qWait(400);
    EXPECT_EQ(window->MoveStepsMade, steps);
    EXPECT_EQ(Value(window->lblCommonEraDate).left(13), "2003-12-31 CE");
    EXPECT_TRUE(Value(window->lblTime).startsWith("16:10")) << Value(window->lblTime).toStdString();
    EXPECT_EQ(HistoryItems(*window), items) << "the ticks add no entries";
}

TEST_F(RepeatedMove, StopThenNow) {
    StartDays("2001-08-01 CE 12:00");
    QTest::qWait(300);
    window->cmdStop->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_FALSE(window->Clock->isActive());
    const int steps = window->MoveStepsMade;
    const int entries = window->cboHistory->count();
    window->cmdStop_Click();  // a second Stop changes nothing
    EXPECT_EQ(window->cboHistory->count(), entries);
    window->cmdNow->click();
    EXPECT_TRUE(window->Clock->isActive());
    EXPECT_EQ(window->cboHistory->count(), entries + 1);
    QTest::qWait(500);
    EXPECT_EQ(window->MoveStepsMade, steps);
    EXPECT_EQ(Value(window->lblCommonEraDate).left(13), "2003-12-31 CE");
}

TEST_F(RepeatedMove, FiveStepsASecondAtTheShortestPeriod) {
    StartDays("2001-08-01 CE 12:00");
    QTest::qWait(1090);
    window->cmdStop->click();
    // The first step at once, then one per 0.2 s tick.
    EXPECT_LE(window->MoveStepsMade, 6);
    EXPECT_GE(window->MoveStepsMade, 3);
}

TEST_F(RepeatedMove, TheRangeEndReachedAfterAPauseEndsItOnce) {
    window->chkLog->setChecked(true);
    StartDays("5750-01-01 CE", 5);  // 1 CE century
    window->cmdPauseResume->click();
    EXPECT_TRUE(window->MovePaused);
    EXPECT_TRUE(window->cboRefreshPeriod->isEnabled());
    QTest::qWait(500);
    EXPECT_EQ(window->MoveStepsMade, 1) << "no steps while paused";
    window->cboRefreshPeriod->setCurrentIndex(1);  // 0.5 s, taken at Resume
    window->cboRefreshPeriod->activated(1);
    EXPECT_FALSE(window->Clock->isActive());
    window->cmdPauseResume->click();
    EXPECT_EQ(window->Clock->interval(), 500);
    const size_t before = messages.shown.size();
    ASSERT_TRUE(WaitForMoveEnd());
    EXPECT_EQ(messages.shown.size(), before + 1);
    EXPECT_EQ(messages.shown.back().text, "Latest date exceeded.");
    EXPECT_EQ(Value(window->lblCommonEraDate).left(13), "5950-01-01 CE");
    EXPECT_EQ(window->cboHistory->itemText(window->cboHistory->count() - 1).toStdString(), "5950-01-01 CE 12:00 (local = GMT)");
    EXPECT_EQ(MoveEntriesInLog(), 1);
    EXPECT_FALSE(window->Clock->isActive());
    EXPECT_EQ(window->Clock->interval(), 5000);
    EXPECT_TRUE(window->fraHistory->isEnabled());
    EXPECT_TRUE(window->cmdQuit->isEnabled());
    EXPECT_EQ(window->cmdPauseResume->text(), "Pause");
    QTest::qWait(300);
    EXPECT_EQ(messages.shown.size(), before + 1) << "the range end is told once";
}

TEST_F(RepeatedMove, StopWhilePaused) {
    StartDays("2001-08-01 CE 12:00");
    window->cmdPauseResume->click();
    const int entries = window->cboHistory->count();
    window->cmdStop->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_FALSE(window->MovePaused);
    EXPECT_EQ(window->cboHistory->count(), entries + 1);
    EXPECT_FALSE(window->Clock->isActive());
}

TEST_F(RepeatedMove, ClosingTheWindowQuitsTheApplication) {
    Enter("2001-08-01 CE 12:00");
    window->cboMoveStep->setCurrentIndex(0);  // 1 minute: the range end is far away
    window->chkRepeatedly->setChecked(true);
    window->cboRefreshPeriod->setCurrentIndex(0);
    bool runningWhenClosed = false;
    QTimer::singleShot(0, [&] { window->cmdMove->click(); });
    QTimer::singleShot(500, [&] {
        runningWhenClosed = window->MoveRunning;
        window->close();
    });
    // A way out if closing does not quit: stop the Move and leave with 7.
    QTimer::singleShot(8000, [&] {
        window->cmdStop_Click();
        QApplication::exit(7);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(runningWhenClosed);
    EXPECT_FALSE(window->MoveActive());
    EXPECT_FALSE(window->Clock->isActive());
}
