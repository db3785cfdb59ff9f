// The repeated Move as a user lives it: Now, Stop, Pause, the range end and
// closing the window each end or change it at once, and only once.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "WindowFixture.h"

namespace {

QStringList HistoryItems(const vxtest::WindowControls& w) {
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
        ui->cboMoveStep->setCurrentIndex(stepUnit);
        ui->chkRepeatedly->setChecked(true);
        ui->cboRefreshPeriod->setCurrentIndex(0);
        ui->cmdMove->click();
    }
    int MoveEntriesInLog() const {
        int n = 0;
        for (size_t at = window->LogContents().Text().find("Move forward"); at != std::string::npos;
             at = window->LogContents().Text().find("Move forward", at + 1))
            ++n;
        return n;
    }
};

TEST_F(RepeatedMove, NowEndsTheMoveAndTheClockGoesOnTicking) {
    ui->chkLog->setChecked(true);
    StartDays("2001-08-01 CE 04:40");
    QTest::qWait(450);
    ASSERT_TRUE(window->IsMoveRunning());
    const QString lastMoveDate = Value(ui->lblCommonEraDate).left(13);
    clock.now = {2003, 12, 31, 15, 55, 0};
    ui->cmdNow->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_TRUE(window->IsShowingNow());
    EXPECT_TRUE(ui->picCheck->isVisible());
    EXPECT_TRUE(ui->Clock->isActive()) << "the live clock keeps ticking";
    EXPECT_EQ(ui->Clock->interval(), 5000);
    EXPECT_TRUE(ui->cmdCompute->isEnabled());
    EXPECT_TRUE(ui->cmdQuit->isEnabled());
    EXPECT_FALSE(ui->fraStopPauseResume->isVisible());

    // The history: the Move's last date with its own time, then Now; no
    // mixture of the two.
    const QStringList items = HistoryItems(*ui);
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.back(), "2003-12-31 CE 15:55 (local = GMT)");
    EXPECT_EQ(items[items.size() - 2], lastMoveDate + " 04:40 (local = GMT)");
    for (const QString& item : items)
        EXPECT_FALSE(item.startsWith("2001") && item.contains("15:55")) << item.toStdString();
    EXPECT_EQ(MoveEntriesInLog(), 1);

    // Nothing of the Move comes after Now, and the ticks follow the clock.
    const int steps = window->MoveSteps();
    ui->Clock->setInterval(50);
    clock.now = {2003, 12, 31, 16, 10, 0};
    QTest::qWait(400);
    EXPECT_EQ(window->MoveSteps(), steps);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2003-12-31 CE");
    EXPECT_TRUE(Value(ui->lblTime).startsWith("16:10")) << Value(ui->lblTime).toStdString();
    EXPECT_EQ(HistoryItems(*ui), items) << "the ticks add no entries";
}

TEST_F(RepeatedMove, StopThenNow) {
    StartDays("2001-08-01 CE 12:00");
    QTest::qWait(300);
    ui->cmdStop->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_FALSE(ui->Clock->isActive());
    const int steps = window->MoveSteps();
    const int entries = ui->cboHistory->count();
    window->cmdStop_Click();  // a second Stop changes nothing
    EXPECT_EQ(ui->cboHistory->count(), entries);
    ui->cmdNow->click();
    EXPECT_TRUE(ui->Clock->isActive());
    EXPECT_EQ(ui->cboHistory->count(), entries + 1);
    QTest::qWait(500);
    EXPECT_EQ(window->MoveSteps(), steps);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2003-12-31 CE");
}

TEST_F(RepeatedMove, FiveStepsASecondAtTheShortestPeriod) {
    StartDays("2001-08-01 CE 12:00");
    QTest::qWait(1090);
    ui->cmdStop->click();
    // The first step at once, then one per 0.2 s tick.
    EXPECT_LE(window->MoveSteps(), 6);
    EXPECT_GE(window->MoveSteps(), 3);
}

TEST_F(RepeatedMove, TheRangeEndReachedAfterAPauseEndsItOnce) {
    ui->chkLog->setChecked(true);
    StartDays("5750-01-01 CE", 5);  // 1 CE century
    ui->cmdPauseResume->click();
    EXPECT_TRUE(window->IsMovePaused());
    EXPECT_TRUE(ui->cboRefreshPeriod->isEnabled());
    QTest::qWait(500);
    EXPECT_EQ(window->MoveSteps(), 1) << "no steps while paused";
    ui->cboRefreshPeriod->setCurrentIndex(1);  // 0.5 s, taken at Resume
    ui->cboRefreshPeriod->activated(1);
    EXPECT_FALSE(ui->Clock->isActive());
    ui->cmdPauseResume->click();
    EXPECT_EQ(ui->Clock->interval(), 500);
    const size_t before = messages.shown.size();
    ASSERT_TRUE(WaitForMoveEnd());
    EXPECT_EQ(messages.shown.size(), before + 1);
    EXPECT_EQ(messages.shown.back().text, "Latest date exceeded.");
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "5950-01-01 CE");
    EXPECT_EQ(ui->cboHistory->itemText(ui->cboHistory->count() - 1).toStdString(), "5950-01-01 CE 12:00 (local = GMT)");
    EXPECT_EQ(MoveEntriesInLog(), 1);
    EXPECT_FALSE(ui->Clock->isActive());
    EXPECT_EQ(ui->Clock->interval(), 5000);
    EXPECT_TRUE(ui->fraHistory->isEnabled());
    EXPECT_TRUE(ui->cmdQuit->isEnabled());
    EXPECT_EQ(ui->cmdPauseResume->text(), "Pa&use");
    QTest::qWait(300);
    EXPECT_EQ(messages.shown.size(), before + 1) << "the range end is told once";
}

TEST_F(RepeatedMove, StopWhilePaused) {
    StartDays("2001-08-01 CE 12:00");
    ui->cmdPauseResume->click();
    const int entries = ui->cboHistory->count();
    ui->cmdStop->click();
    EXPECT_FALSE(window->MoveActive());
    EXPECT_FALSE(window->IsMovePaused());
    EXPECT_EQ(ui->cboHistory->count(), entries + 1);
    EXPECT_FALSE(ui->Clock->isActive());
}

TEST_F(RepeatedMove, ClosingTheWindowQuitsTheApplication) {
    Enter("2001-08-01 CE 12:00");
    ui->cboMoveStep->setCurrentIndex(0);  // 1 minute: the range end is far away
    ui->chkRepeatedly->setChecked(true);
    ui->cboRefreshPeriod->setCurrentIndex(0);
    bool runningWhenClosed = false;
    QTimer::singleShot(0, [&] { ui->cmdMove->click(); });
    QTimer::singleShot(500, [&] {
        runningWhenClosed = window->IsMoveRunning();
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
    EXPECT_FALSE(ui->Clock->isActive());
}
