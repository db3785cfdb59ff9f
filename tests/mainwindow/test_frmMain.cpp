// The real main window under the offscreen platform, driven with key and
// mouse events: start-up, typed entries, the messages, the date lines and
// their clicks, time zones, Now and the moon panel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>

#include "FakeServices.h"
#include "VexarilVersion.h"
#include "WindowFixture.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "WebPage.h"
#include "frmMain.h"

namespace {

using vx::frmMain;

TEST_F(MainWindow, StartsAtTheCurrentMomentWithoutASavedState) {
    EXPECT_TRUE(window->StartUpCompleted());
    EXPECT_TRUE(window->IsShowingNow());
    EXPECT_TRUE(ui->picCheck->isVisible());
    EXPECT_TRUE(ui->cmdSaveState->isEnabled());
    EXPECT_TRUE(ui->Clock->isActive());
    EXPECT_EQ(ui->Clock->interval(), 5000);
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2003-12-31 CE (Wednesday, December 31, 2003)");
    EXPECT_EQ(Value(ui->lblTime), "15:55 (local=GMT)");
    EXPECT_TRUE(ui->txbDate->text().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->windowTitle(), "Vexaril " VX_VERSION) << "the project's version";
}

TEST_F(MainWindow, ListsAsFilled) {
    ASSERT_EQ(ui->cboTimeZone->count(), 49);
    EXPECT_EQ(ui->cboTimeZone->itemText(0), "GMT - 12:00");
    EXPECT_EQ(ui->cboTimeZone->itemText(23), "GMT - 00:30");
    EXPECT_EQ(ui->cboTimeZone->itemText(24), "GMT");
    EXPECT_EQ(ui->cboTimeZone->itemText(25), "GMT + 00:30");
    EXPECT_EQ(ui->cboTimeZone->itemText(48), "GMT + 12:00");
    EXPECT_EQ(ui->cboTimeZone->currentIndex(), 24);
    ASSERT_EQ(ui->cboMoveStep->count(), 19);
    EXPECT_EQ(ui->cboMoveStep->currentText(), "1 day");
    EXPECT_EQ(ui->cboMoveStep->itemText(18), "1 CLW year");
    ASSERT_EQ(ui->cboRefreshPeriod->count(), 5);
    EXPECT_EQ(ui->cboRefreshPeriod->currentText(), "1");
    ASSERT_EQ(ui->cboTarget->count(), 18);
    EXPECT_EQ(ui->cboTarget->itemData(0).toInt(), 2);
    EXPECT_EQ(ui->cboTarget->itemData(1).toInt(), 0);
    EXPECT_EQ(ui->cboTarget->itemData(3).toInt(), 3);
    EXPECT_EQ(ui->cboTarget->itemText(5), "");
    EXPECT_EQ(ui->cboTarget->itemText(13), "Eclipse in same saros series");
    EXPECT_EQ(ui->cboTarget->itemText(15), "Coincidence of 1sts of month");
}

TEST_F(MainWindow, ConvertingATypedDate) {
    clock.now.minute = 10;
    ui->cmdNow->click();
    Enter("2003-12-31 ce 15:55");
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_FALSE(window->IsShowingNow());
    EXPECT_FALSE(ui->picCheck->isVisible());
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2003-12-31 CE (Wednesday, December 31, 2003)");
    EXPECT_EQ(ui->lblCommonEraDate[1]->toolTip(),
              "The 31st day of December in the year 2003 in the Common Era Calendar");
    EXPECT_EQ(Value(ui->lblJulianCalendarDate), "2003-12-18 JC (Wednesday, December 18, 2003)");
    EXPECT_EQ(Value(ui->lblOmbrineLunarDate), "5-0549-01-08 OLC (Amarel 8, 5-549)");
    EXPECT_EQ(Value(ui->lblAstronomicalJulianDate), "2,453,005.1632 AJD");
    EXPECT_EQ(Value(ui->lblChronologicalJulianDate), "2,453,005.6632 CJD");
    EXPECT_TRUE(Value(ui->lblCorvaneLWCDate).endsWith(", 5003)"));
    EXPECT_EQ(Value(ui->lblTime), "15:55 (local=GMT)");
    EXPECT_EQ(ui->txbDate->text(), "2003-12-31 CE 15:55") << "the converted date is written back";
    EXPECT_EQ(Value(ui->lblDeltaT), "1 minute");
    EXPECT_TRUE(Value(ui->lblAgeOfMoon).startsWith("[49] ")) << Value(ui->lblAgeOfMoon).toStdString();
    EXPECT_TRUE(Value(ui->lblPhaseOfMoon).contains("%"));
    EXPECT_FALSE(ui->picMoon->Image().isNull());
    EXPECT_EQ(TextColour(ui->lblCommonEraDate[0]), frmMain::HighlightColour);
    EXPECT_EQ(TextColour(ui->lblJulianCalendarDate[0]), frmMain::NormalColour);
}

TEST_F(MainWindow, ConvertFailures) {
    ui->txbDate->clear();
    ui->cmdCompute->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Invalid date/time entry");
    EXPECT_EQ(messages.shown[0].text, "No date given.");

    Enter("2003 12 31");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Calendar must be specified (one of CE, JC, OLC, DV, LVT, SVT, CJD and AJD).");

    Enter("2003-12-31 CE 12:00");
    const size_t before = messages.shown.size();
    Enter("2003-12-31 CE 12:00");
    ASSERT_EQ(messages.shown.size(), before + 1);
    EXPECT_EQ(messages.shown.back().title, "Compute date");
    EXPECT_EQ(messages.shown.back().text, "Nothing to do!");
    ui->txbPlusMinus->setText("0");
    Enter("2003-12-31 CE 12:00");
    EXPECT_EQ(messages.shown.back().text, "Nothing to do!") << "a zero offset is stripped to none";
    EXPECT_EQ(ui->txbPlusMinus->text(), "");

    ui->txbPlusMinus->setText("5+");
    Enter("2003-12-31 CE 12:00");
    EXPECT_EQ(messages.shown.back().text, "Value for addition or subtraction is invalid.");

    Enter("6000-01-02 CE");
    ui->txbPlusMinus->clear();
    Enter("6000-01-02 CE");
    EXPECT_EQ(messages.shown.back().title, "Date out of range");
    EXPECT_EQ(messages.shown.back().text, "Resulting date is later than 6000-01-01 CE.");
    Enter("-3001-06-01 JC");
    EXPECT_EQ(messages.shown.back().text, "Resultng date is earlier than -3000-01-01 CE.");
}

TEST_F(MainWindow, DayOffsets) {
    Enter("2001-12-31 CE 14:28");
    ui->txbPlusMinus->setText("1,000");
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2004-09-26 CE (Sunday, September 26, 2004)");
    ui->txbPlusMinus->setText("0.5");
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(ui->txbDate->text(), "2002-01-01 CE 02:28");
    ui->optMinus->setChecked(true);
    ui->txbPlusMinus->setText("-1");
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(ui->txbDate->text(), "2002-01-01 CE 14:28") << "minus -1 adds a day";
    // Enter in the offset box with an empty date box does nothing.
    ui->txbDate->clear();
    const size_t shown = messages.shown.size();
    QTest::keyClick(ui->txbPlusMinus, Qt::Key_Return);
    EXPECT_EQ(messages.shown.size(), shown);
}

TEST_F(MainWindow, EntryBoxKeysFocusClearAndOptions) {
    ui->txbDate->clear();
    QTest::keyClick(ui->txbDate, Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty()) << "Enter in an empty box does nothing";
    ui->txbDate->setText("  2003-12-31 CE  ");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(ui->txbDate, &focusOut);
    EXPECT_EQ(ui->txbDate->text(), "2003-12-31 CE") << "losing the focus trims the entry";
    ui->txbPlusMinus->setText("3");
    ui->cmdClearDate->click();
    EXPECT_TRUE(ui->txbDate->text().isEmpty());
    EXPECT_TRUE(ui->txbPlusMinus->text().isEmpty());
    ui->optMinus->setChecked(true);
    EXPECT_EQ(TextColour(ui->optMinus), frmMain::HighlightColour);
    EXPECT_EQ(TextColour(ui->optPlus), frmMain::NormalColour);
    EXPECT_EQ(TextColour(ui->optLocal), frmMain::HighlightColour);
    EXPECT_EQ(TextColour(ui->optGreenwich), frmMain::NormalColour);
    EXPECT_EQ(TextColour(ui->optNext), frmMain::HighlightColour);
    EXPECT_EQ(TextColour(ui->optMoveDirection[0]), frmMain::HighlightColour);
    EXPECT_FALSE(ui->fraStopPauseResume->isVisible());
    EXPECT_FALSE(ui->lblSearching->isVisible());
}

TEST_F(MainWindow, ClicksOnDateLinesAndTheTimeLine) {
    Enter("2001-12-31 CE 14:28");
    QTest::mouseClick(ui->lblOmbrineLunarDate[0], Qt::LeftButton);
    EXPECT_EQ(window->ShownCalendar(), vx::OLC);
    EXPECT_EQ(TextColour(ui->lblOmbrineLunarDate[0]), frmMain::HighlightColour);
    EXPECT_EQ(ui->txbDate->text(), "2001-12-31 CE 14:28") << "a caption only selects the calendar";
    QTest::mouseClick(ui->lblOmbrineLunarDate[1], Qt::LeftButton);
    EXPECT_EQ(ui->txbDate->text(), "5-0546-13-16 OLC 14:28");
    QTest::mouseClick(ui->lblChronologicalJulianDate[1], Qt::LeftButton);
    EXPECT_EQ(ui->txbDate->text(), "2,452,275.6028 CJD");
    QTest::mouseClick(ui->lblCommonEraDate[1], Qt::LeftButton);
    ui->txbDate->setText("2001-12-31 CE 09:05");
    QTest::mouseClick(ui->lblTime[1], Qt::LeftButton);
    EXPECT_EQ(ui->txbDate->text(), "2001-12-31 CE 14:28") << "the time line replaces only the time";
    ui->txbDate->setText("20");
    QTest::mouseClick(ui->lblTime[0], Qt::LeftButton);
    EXPECT_EQ(ui->txbDate->text(), "20");
    // CLW: the time line reads the Corvane clock, six hours behind.
    QTest::mouseClick(ui->lblCorvaneLWCDate[0], Qt::LeftButton);
    EXPECT_EQ(Value(ui->lblTime), "08:28 (local CLW)");
}

TEST_F(MainWindow, TimeZonesUnderLocalAndGreenwich) {
    Enter("2001-12-31 CE 12:00");
    const QString ajd = Value(ui->lblAstronomicalJulianDate);
    EXPECT_EQ(Value(ui->lblTime), "12:00 (local=GMT)");
    ui->cboTimeZone->setCurrentIndex(26);  // GMT + 01:00
    EXPECT_EQ(Value(ui->lblTime), "12:00 (local)");
    EXPECT_EQ(Value(ui->lblAstronomicalJulianDate), "2,452,274.9583 AJD");
    EXPECT_NE(Value(ui->lblAstronomicalJulianDate), ajd);
    // Switching the clock never moves the instant.
    ui->optGreenwich->setChecked(true);
    EXPECT_EQ(Value(ui->lblTime), "11:00 (GMT)");
    EXPECT_EQ(Value(ui->lblAstronomicalJulianDate), "2,452,274.9583 AJD");
    ui->cboTimeZone->setCurrentIndex(24);
    EXPECT_EQ(Value(ui->lblTime), "12:00 (GMT=local)") << "under Greenwich the shown time moves";
    ui->optLocal->setChecked(true);
    EXPECT_EQ(Value(ui->lblTime), "12:00 (local=GMT)");
}

// The clock gives Universal Time; the selected zone only shows it.
TEST_F(MainWindow, NowInAZoneAndTheLiveClock) {
    ui->cboTimeZone->setCurrentIndex(24 + 11);  // GMT + 05:30
    clock.now = {2011, 12, 11, 4, 30, 0};
    ui->cmdNow->click();
    EXPECT_TRUE(window->IsShowingNow());
    EXPECT_EQ(Value(ui->lblTime), "10:00 (local)");
    ui->optGreenwich->setChecked(true);
    EXPECT_EQ(Value(ui->lblTime), "04:30 (GMT)");
    clock.now = {2011, 12, 10, 20, 30, 0};
    window->Clock_Timer();
    EXPECT_EQ(Value(ui->lblTime), "20:30 (GMT)");
    // Another zone shows the same instant.
    ui->cboTimeZone->setCurrentIndex(24 - 10);  // GMT - 05:00
    window->Clock_Timer();
    ui->optLocal->setChecked(true);
    EXPECT_EQ(Value(ui->lblTime), "15:30 (local)");
    // Converting stops the live display.
    ui->optGreenwich->setChecked(true);
    Enter("2011-12-11 CE 10:00");
    EXPECT_FALSE(window->IsShowingNow());
    clock.now = {2011, 12, 11, 3, 0, 0};
    window->Clock_Timer();
    EXPECT_EQ(Value(ui->lblTime), "10:00 (GMT)");
}

// A first start selects the zone the system is in, when the list has it;
// a saved zone wins.
TEST_F(MainWindow, AFirstStartSelectsTheSystemsZone) {
    const struct {
        int offset;
        const char* item;
        const char* time;
    } cases[] = {{-300, "GMT - 05:00", "10:55 (local)"},
                 {330, "GMT + 05:30", "21:25 (local)"},
                 {345, "GMT", "15:55 (local=GMT)"},
                 {-780, "GMT", "15:55 (local=GMT)"}};
    for (const auto& c : cases) {
        clock.now.systemOffsetMinutes = c.offset;
        Restart();
        EXPECT_EQ(ui->cboTimeZone->currentText().toStdString(), c.item) << c.offset;
        EXPECT_EQ(Value(ui->lblTime).toStdString(), c.time) << c.offset;
        EXPECT_EQ(Value(ui->lblAstronomicalJulianDate), "2,453,005.1632 AJD") << "the same instant in every zone";
    }
    ui->cmdSaveState->click();
    clock.now.systemOffsetMinutes = 60;
    Restart();
    EXPECT_EQ(ui->cboTimeZone->currentText(), "GMT");
}

TEST_F(MainWindow, SearchingFromATypedDate) {
    ui->txbDate->setText("2017-08-01 CE");
    ui->cboTarget->setCurrentIndex(11);  // Total solar eclipse
    ui->cmdSearch->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2017-08-21 CE (Monday, August 21, 2017)");
    EXPECT_EQ(ui->lblActualEclipseData->text(),
              "Central total solar eclipse\nLunation number = 218\nSaros number = 145");
    EXPECT_EQ(window->ShownEclipseCaption(),
              "Central total solar eclipse\r\nLunation number = 218\r\nSaros number = 145\r\n");
    EXPECT_EQ(window->LoggedSearchText(), "Search for next total solar eclipse.");
    EXPECT_EQ(window->LoggedSearchExtra(), "Central total solar eclipse, lunation number = 218, saros number = 145.");
    EXPECT_TRUE(ui->txbDate->text().startsWith("2017-08-21 CE 18:2"));
    EXPECT_FALSE(window->IsShowingNow());
    // The same series, one saros on; the list keeps its choice.
    ui->cboTarget->setCurrentIndex(13);
    ui->cmdSearch->click();
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2035-09-02 CE (Sunday, September 2, 2035)");
    EXPECT_EQ(ui->cboTarget->currentIndex(), 13);
    EXPECT_EQ(window->LoggedSearchText(), "Search for next eclipse in same saros series.");
    // A phase search clears the eclipse; a saros search then has nothing to go on.
    ui->cboTarget->setCurrentIndex(0);
    ui->cmdSearch->click();
    EXPECT_TRUE(ui->lblActualEclipseData->text().isEmpty());
    ui->cboTarget->setCurrentIndex(13);
    ui->cmdSearch->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "No eclipse displayed");
    EXPECT_EQ(ui->cboTarget->currentIndex(), 13);
    ui->cboTarget->setCurrentIndex(5);
    ui->cmdSearch->click();
    EXPECT_EQ(messages.shown.back().text, "Please specify target for search.");
    ui->cboTarget->setCurrentIndex(15);
    ui->optPrevious->setChecked(true);
    ui->cmdSearch->click();
    EXPECT_TRUE(Value(ui->lblTime).startsWith("12:00 ")) << Value(ui->lblTime).toStdString();
    EXPECT_FALSE(ui->lblSearching->isVisible());
}

TEST_F(MainWindow, SingleMoves) {
    // A Move leaves the eclipse found before it.
    Enter("2001-01-01 CE 14:28");
    ui->cboTarget->setCurrentIndex(11);  // Total solar eclipse
    ui->cmdSearch->click();
    ASSERT_FALSE(ui->lblActualEclipseData->text().isEmpty());
    ASSERT_NE(window->EclipseLunation(), vx::NoLunation);
    ui->cboMoveStep->setCurrentIndex(2);  // 1 day
    ui->cmdMove->click();
    EXPECT_EQ(window->EclipseLunation(), vx::NoLunation);
    EXPECT_TRUE(ui->lblActualEclipseData->text().isEmpty());

    Enter("2001-01-31 CE 14:28");
    ui->cboMoveStep->setCurrentIndex(3);  // 1 CE month
    ui->cmdMove->click();
    EXPECT_EQ(Value(ui->lblCommonEraDate), "2001-02-28 CE (Wednesday, February 28, 2001)");
    EXPECT_EQ(Value(ui->lblTime), "14:28 (local=GMT)");
    EXPECT_EQ(window->MoveSteps(), 1);
    EXPECT_EQ(window->LoggedMoveText(), "Move forward 1 CE month.");
    EXPECT_FALSE(ui->Clock->isActive());
    // A single step that would leave the range is refused with the message.
    Enter("5999-06-01 CE");
    ui->cboMoveStep->setCurrentIndex(4);
    ui->cmdMove->click();
    EXPECT_EQ(messages.shown.back().title, "Out of range");
    EXPECT_EQ(messages.shown.back().text, "Latest date exceeded.");
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "5999-06-01 CE") << "the display keeps the last date";
}

TEST_F(MainWindow, RepeatedMoveWithPauseResumeAndStop) {
    Enter("2001-01-01 CE 12:00");
    ui->cboMoveStep->setCurrentIndex(2);  // 1 day
    ui->chkRepeatedly->setChecked(true);
    ui->cboRefreshPeriod->setCurrentIndex(0);  // 0.2 s
    int stepsWhenPaused = -1, stepsAfterPause = -1;
    bool stopVisible = false, convertEnabled = true;
    QTimer::singleShot(450, [&] {
        stopVisible = ui->fraStopPauseResume->isVisible();
        convertEnabled = ui->cmdCompute->isEnabled();
        ui->cmdPauseResume->click();
        stepsWhenPaused = window->MoveSteps();
    });
    QTimer::singleShot(1000, [&] {
        stepsAfterPause = window->MoveSteps();
        EXPECT_EQ(ui->cmdPauseResume->text(), "Res&ume");
        ui->cboRefreshPeriod->setCurrentIndex(1);
        ui->cmdPauseResume->click();
    });
    QTimer::singleShot(1600, [&] { ui->cmdStop->click(); });
    ui->cmdMove->click();
    EXPECT_TRUE(window->IsMoveRunning()) << "the Move runs on after its handler";
    ASSERT_TRUE(WaitForMoveEnd());
    EXPECT_TRUE(stopVisible);
    EXPECT_FALSE(convertEnabled);
    EXPECT_EQ(stepsAfterPause, stepsWhenPaused) << "no steps while paused";
    EXPECT_GE(stepsWhenPaused, 2);
    EXPECT_LE(stepsWhenPaused, 4);
    EXPECT_GE(window->MoveSteps(), stepsWhenPaused + 1);
    EXPECT_LE(window->MoveSteps(), stepsWhenPaused + 3) << "0.5 s after resuming";
    EXPECT_FALSE(window->IsMoveRunning());
    EXPECT_FALSE(ui->fraStopPauseResume->isVisible());
    EXPECT_TRUE(ui->cmdCompute->isEnabled());
    EXPECT_FALSE(ui->Clock->isActive());
    EXPECT_EQ(ui->Clock->interval(), 5000);
    EXPECT_EQ(window->LoggedMoveText(), "Move forward 1 day repeatedly.");
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13),
              QString("2001-01-%1 CE").arg(1 + window->MoveSteps(), 2, 10, QChar('0')));
}

TEST_F(MainWindow, RepeatedMoveStopsAtBothEndsOfTheRange) {
    Enter("5850-01-01 CE");
    ui->cboMoveStep->setCurrentIndex(5);  // 1 CE century
    ui->chkRepeatedly->setChecked(true);
    ui->cboRefreshPeriod->setCurrentIndex(0);
    ui->cmdMove->click();
    ASSERT_TRUE(WaitForMoveEnd());
    EXPECT_EQ(messages.shown.back().text, "Latest date exceeded.");
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "5950-01-01 CE");
    EXPECT_FALSE(window->IsMoveRunning());
    Enter("-2850-01-01 CE");
    ui->optMoveDirection[1]->setChecked(true);
    ui->cmdMove->click();
    ASSERT_TRUE(WaitForMoveEnd());
    EXPECT_EQ(messages.shown.back().title, "Out of range");
    EXPECT_EQ(messages.shown.back().text, "Earliest date exceeded.");
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(14), "-2950-01-01 CE");
}

TEST_F(MainWindow, HistoryOfResults) {
    // Start-up's Now made the first entry.
    ASSERT_EQ(ui->cboHistory->count(), 1);
    EXPECT_EQ(ui->cboHistory->itemText(0), "2003-12-31 CE 15:55 (local = GMT)");
    Enter("2001-12-31 CE 14:28");
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(ui->cboHistory->count(), 2) << "the same result twice is one entry";
    Enter("2002-01-01 CE 14:28");
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(ui->cboHistory->count(), 4) << "A, B, A: three entries";
    for (int d = 1; d <= 9; ++d) Enter(QString("2005-01-%1 CE").arg(d, 2, 10, QChar('0')));
    EXPECT_EQ(ui->cboHistory->count(), 8);
    EXPECT_EQ(ui->cboHistory->itemText(7), "2005-01-09 CE 12:00 (local = GMT)");
    EXPECT_EQ(ui->cboHistory->itemText(0), "2005-01-02 CE 12:00 (local = GMT)");
    // A CJD result has no time; a Greenwich one says so.
    Enter("2452275.5 CJD");
    EXPECT_EQ(ui->cboHistory->itemText(7), "2,452,275.5000 CJD (local = GMT)");
    ui->cboTimeZone->setCurrentIndex(35);  // GMT + 05:30
    ui->optGreenwich->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    EXPECT_EQ(ui->cboHistory->itemText(7), "2001-12-31 CE 14:28 (Greenwich; local = GMT+05:30)");
    // Restoring an older entry: its moment, clock and zone.
    ui->optLocal->setChecked(true);
    ui->cboTimeZone->setCurrentIndex(24);  // a zone change is a result of its own
    EXPECT_EQ(ui->cboHistory->itemText(7), "2001-12-31 CE 19:58 (local = GMT)") << "the local clock reading stays";
    const int before = ui->cboHistory->count();
    const int greenwich = ui->cboHistory->findText("2001-12-31 CE 14:28 (Greenwich; local = GMT+05:30)");
    ASSERT_GE(greenwich, 0);
    ui->cboHistory->setCurrentIndex(greenwich);
    EXPECT_TRUE(ui->optGreenwich->isChecked());
    EXPECT_EQ(ui->cboTimeZone->currentIndex(), 35);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2001-12-31 CE");
    EXPECT_EQ(Value(ui->lblTime), "14:28 (GMT)");
    EXPECT_EQ(ui->cboHistory->count(), before) << "selecting adds nothing";
    EXPECT_FALSE(window->IsRestoringFromHistory());
}

TEST_F(MainWindow, EclipseEntriesFromHistoryLogTheirEclipse) {
    ui->chkLog->setChecked(true);
    Enter("2022-11-01 CE");
    ui->cboTarget->setCurrentIndex(8);  // Total lunar eclipse
    ui->cmdSearch->click();
    const int eclipse = ui->cboHistory->count() - 1;
    EXPECT_EQ(ui->cboHistory->itemData(eclipse).toInt(), 10);
    Enter("2022-12-01 CE");
    const size_t before = window->LogContents().Text().size();
    ui->cboHistory->setCurrentIndex(eclipse);
    const std::string added = window->LogContents().Text().substr(before);
    EXPECT_EQ(added.rfind("Selection from history\r\n2022-11-08 CE ", 0), 0u) << added;
    EXPECT_NE(added.find("Total lunar eclipse, lunation number = 282, saros number = 136, penumbral phase starts "),
              std::string::npos)
        << added;
    EXPECT_FALSE(ui->lblActualEclipseData->text().isEmpty());
    // Selecting the selected entry again does nothing.
    const size_t after = window->LogContents().Text().size();
    ui->cboHistory->setCurrentIndex(eclipse);
    EXPECT_EQ(window->LogContents().Text().size(), after);
}

TEST_F(MainWindow, LogEntriesAndThePendingResult) {
    EXPECT_FALSE(ui->cmdViewLog->isEnabled());
    Enter("2001-12-31 CE 14:28");  // logging off: kept aside
    EXPECT_TRUE(window->LogContents().Empty());
    EXPECT_TRUE(ui->cmdLogThisResult->isEnabled());
    Enter("2002-01-01 CE 14:28");
    ui->txbPlusMinus->setText("10");
    Enter("2002-01-01 CE 14:28");
    ui->cmdLogThisResult->click();
    const std::string log = window->LogContents().Text();
    EXPECT_EQ(log.rfind("Vexaril ", 0), 0u) << "the header starts the log";
    EXPECT_NE(log.find("\r\n\r\nConvert date plus 10 days\r\n2002-01-11 CE 14:28 (local = GMT)\r\n"), std::string::npos)
        << log;
    EXPECT_EQ(log.find("2001-12-31 CE 14:28 (local"), std::string::npos) << "only the last pending result";
    EXPECT_FALSE(ui->cmdLogThisResult->isEnabled());
    EXPECT_TRUE(ui->cmdViewLog->isEnabled());
    // With logging on every result is written; a repeat writes nothing.
    ui->chkLog->setChecked(true);
    EXPECT_EQ(TextColour(ui->chkLog), QColor(255, 255, 255));
    ui->txbPlusMinus->clear();
    Enter("2003-12-31 CE 15:55");
    const size_t length = window->LogContents().Text().size();
    ui->txbPlusMinus->setText("0");
    Enter("2003-12-31 CE 15:55");
    EXPECT_EQ(window->LogContents().Text().size(), length);
    EXPECT_NE(
        window->LogContents().Text().find("Convert date\r\n2003-12-31 CE 15:55 (local = GMT)\r\nJC=2003-12-18  OLC="),
        std::string::npos);
    ui->cboTarget->setCurrentIndex(8);  // Total lunar eclipse
    ui->cmdSearch->click();
    EXPECT_NE(window->LogContents().Text().find("Search for next total lunar eclipse.\r\n"), std::string::npos);
    EXPECT_NE(window->LogContents().Text().find("Total lunar eclipse, lunation number = "), std::string::npos);
    ui->cboMoveStep->setCurrentIndex(2);
    ui->cmdMove->click();
    EXPECT_NE(window->LogContents().Text().find("Move forward 1 day.\r\n"), std::string::npos);
}

TEST_F(MainWindow, AFullLogAsksToBeCleared) {
    ui->chkLog->setChecked(true);
    window->LimitLogForTest(600);
    Enter("2001-12-31 CE 14:28");
    ASSERT_FALSE(window->LogContents().Empty());
    messages.answers = {vx::MessageResult::Yes, vx::MessageResult::Ok};
    Enter("2002-12-31 CE 14:28");
    ASSERT_GE(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Log is full.  Clear log?");
    EXPECT_EQ(messages.shown[0].title, "");
    EXPECT_EQ(messages.shown[0].buttons, vx::MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[1].text, "Erase all data in the log?");
    EXPECT_TRUE(window->LogContents().Empty()) << "cleared, and the entry that did not fit is not written";
    Enter("2004-12-31 CE 14:28");
    EXPECT_EQ(window->LogContents().Text().rfind("Vexaril ", 0), 0u) << "the next entry starts with the header";
}

TEST_F(MainWindow, SaveQuitAndStartAgain) {
    EXPECT_TRUE(QDir(QString::fromStdString(appData.Folder() + "/Corvane Systems")).exists())
        << "the folder is made at the first start";
    Enter("2017-08-01 CE");
    ui->cboTarget->setCurrentIndex(11);
    ui->cmdSearch->click();  // the 2017 total solar eclipse, with its data
    ui->cboTarget->setCurrentIndex(13);
    ui->cboTimeZone->setCurrentIndex(28);  // GMT + 02:00
    ui->optGreenwich->setChecked(true);
    ui->optMinus->setChecked(true);
    ui->optPrevious->setChecked(true);
    ui->optMoveDirection[1]->setChecked(true);
    ui->cboMoveStep->setCurrentIndex(17);
    ui->cboRefreshPeriod->setCurrentIndex(4);
    ui->chkRepeatedly->setChecked(true);
    ui->chkLog->setChecked(true);
    window->LogPreferenceSettings().Change([](vx::LogPreferences& p) { p.optLogFormat = 1; });
    window->LogPreferenceSettings().Change([](vx::LogPreferences& p) { p.includeCalendar[3] = false; });
    QTest::mouseClick(ui->lblVTCSolarDate[0], Qt::LeftButton);
    const QString ce = Value(ui->lblCommonEraDate), time = Value(ui->lblTime);
    const QString eclipse = ui->lblActualEclipseData->text();
    ui->cmdSaveState->click();
    EXPECT_FALSE(ui->cmdSaveState->isEnabled()) << "disabled after a successful save";
    Restart();
    EXPECT_EQ(Value(ui->lblCommonEraDate), ce);
    EXPECT_EQ(Value(ui->lblTime), time);
    EXPECT_EQ(window->ShownCalendar(), vx::SVT);
    EXPECT_EQ(ui->cboTarget->currentIndex(), 6) << "the saros target comes back as any eclipse";
    EXPECT_EQ(ui->cboTimeZone->currentIndex(), 28);
    EXPECT_TRUE(ui->optGreenwich->isChecked());
    EXPECT_TRUE(ui->optMinus->isChecked());
    EXPECT_TRUE(ui->optPrevious->isChecked());
    EXPECT_TRUE(ui->optMoveDirection[1]->isChecked());
    EXPECT_EQ(ui->cboMoveStep->currentIndex(), 17);
    EXPECT_EQ(ui->cboRefreshPeriod->currentIndex(), 4);
    EXPECT_FALSE(ui->chkRepeatedly->isChecked()) << "repeatedly is never restored";
    EXPECT_TRUE(ui->chkLog->isChecked());
    EXPECT_EQ(window->LogPreferenceSettings().Get().optLogFormat, 1);
    EXPECT_FALSE(window->LogPreferenceSettings().Get().includeCalendar[3]);
    EXPECT_EQ(ui->lblActualEclipseData->text(), eclipse);
    EXPECT_FALSE(window->IsShowingNow());
    EXPECT_TRUE(ui->cmdSaveState->isEnabled());
    EXPECT_EQ(ui->cboHistory->count(), 1);
    EXPECT_NE(window->LogContents().Text().find("\r\nRestore saved state on startup\r\n"), std::string::npos);
    // A change of zone now moves the moment from the restored zone.
    const double before = window->CurrentMoment();
    ui->cboTimeZone->setCurrentIndex(30);  // GMT + 03:00
    EXPECT_NEAR(window->CurrentMoment() - before, -60.0 / 1440, 1e-9);
}

TEST_F(MainWindow, DamagedStateFilesFallBackToNow) {
    Enter("2001-12-31 CE 14:28");
    ui->cboMoveStep->setCurrentIndex(5);
    ui->cmdSaveState->click();
    // Cut after line 10: lines 1-10 stay applied, then the present moment.
    QFile file(QString::fromStdString(StatePath()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QByteArray cut;
    for (int i = 0; i < 10; ++i) cut += lines[i] + "\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(cut);
    file.close();
    Restart();
    EXPECT_TRUE(window->IsShowingNow()) << "the present moment is shown";
    EXPECT_EQ(ui->cboMoveStep->currentIndex(), 5) << "settings read before the failure stay";
    EXPECT_TRUE(ui->cmdSaveState->isEnabled());
    EXPECT_TRUE(messages.shown.empty());
    for (const QByteArray& junk : {QByteArray(""), QByteArray("\x00\x01\xff binary"), QByteArray(5000000, 'x'),
                                   QByteArray("2451545\r\n9\r\n"), QByteArray("nan\r\n")}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(junk);
        file.close();
        Restart();
        EXPECT_TRUE(window->IsShowingNow());
        EXPECT_TRUE(window->StartUpCompleted());
    }
}

TEST_F(MainWindow, ResetWithAndWithoutTheLogPreferences) {
    ui->optGreenwich->setChecked(true);
    ui->cboMoveStep->setCurrentIndex(9);
    ui->cboTarget->setCurrentIndex(8);
    ui->chkLog->setChecked(true);
    ui->cboTimeZone->setCurrentIndex(30);
    window->LogPreferenceSettings().Change([](vx::LogPreferences& p) { p.includeCalendar.fill(false); });
    window->LogPreferenceSettings().Change([](vx::LogPreferences& p) { p.optLogFormat = 1; });
    messages.answer = vx::MessageResult::No;
    ui->cmdReset->click();
    EXPECT_EQ(messages.shown.back().text, "Reset log preferences also?");
    EXPECT_EQ(messages.shown.back().title, "Reset");
    EXPECT_TRUE(ui->optLocal->isChecked());
    EXPECT_EQ(ui->cboMoveStep->currentIndex(), 2);
    EXPECT_EQ(ui->cboTarget->currentIndex(), 0);
    EXPECT_FALSE(ui->chkLog->isChecked());
    EXPECT_EQ(ui->cboTimeZone->currentIndex(), 30) << "the zone stays";
    EXPECT_EQ(window->LogPreferenceSettings().Get().optLogFormat, 1);
    EXPECT_TRUE(window->IsShowingNow());
    messages.answer = vx::MessageResult::Yes;
    ui->cmdReset->click();
    EXPECT_EQ(window->LogPreferenceSettings().Get().optLogFormat, 0);
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(window->LogPreferenceSettings().Get().includeCalendar[i], i != 6) << i;
    EXPECT_TRUE(window->LogPreferenceSettings().Get().includePhaseOfMoonAndIllumination);
}

TEST_F(MainWindow, TheLogWindow) {
    ui->cmdViewLog->setEnabled(true);
    ui->cmdViewLog->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "View Log");
    EXPECT_EQ(messages.shown[0].text, "Log is empty");
    EXPECT_EQ(window->LogWindow(), nullptr) << "an empty log opens no window";
    ui->chkLog->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    Enter("2002-12-31 CE 14:28");
    ui->cmdViewLog->click();
    ASSERT_NE(window->LogWindow(), nullptr);
    vx::frmLog& log = *window->LogWindow();
    EXPECT_TRUE(log.isVisible());
    EXPECT_TRUE(log.windowTitle().startsWith("Log for Vexaril "));
    EXPECT_TRUE(log.txbText->toPlainText().contains("Convert date\n2002-12-31 CE 14:28"));
    EXPECT_EQ(log.cmdCopyToClipboard->text(), "Copy to clipboard");
    log.cmdCopyToClipboard->click();
    EXPECT_EQ(clipboard.text, window->LogContents().Text());
    // A selection: the caption changes and only the selection is copied.
    QTextCursor c = log.txbText->textCursor();
    c.setPosition(0);
    c.setPosition(7, QTextCursor::KeepAnchor);
    log.txbText->setTextCursor(c);
    EXPECT_EQ(log.cmdCopyToClipboard->text(), "Copy selected text to clipboard");
    log.cmdCopyToClipboard->click();
    EXPECT_EQ(clipboard.text, "Vexaril");
    EXPECT_EQ(log.cmdCopyToClipboard->text(), "Copy to clipboard");
    // Clear: Cancel keeps everything, OK empties and closes.
    messages.answer = vx::MessageResult::Cancel;
    log.cmdClear->click();
    EXPECT_EQ(messages.shown.back().text, "Erase all data in the log?");
    EXPECT_EQ(messages.shown.back().title, "Clear log");
    EXPECT_FALSE(window->LogContents().Empty());
    EXPECT_TRUE(log.isVisible());
    messages.answer = vx::MessageResult::Ok;
    log.cmdClear->click();
    EXPECT_TRUE(window->LogContents().Empty());
    EXPECT_FALSE(log.isVisible());
    EXPECT_FALSE(ui->cmdViewLog->isEnabled());
    // After a clear the next entry starts with the header again.
    Enter("2003-12-30 CE 14:28");
    EXPECT_EQ(window->LogContents().Text().rfind("Vexaril ", 0), 0u);
    // Close keeps the log; the title bar's close discards it.
    ui->cmdViewLog->click();
    log.cmdClose->click();
    EXPECT_FALSE(window->LogContents().Empty());
    ui->cmdViewLog->click();
    log.close();
    EXPECT_TRUE(window->LogContents().Empty());
    EXPECT_FALSE(ui->cmdViewLog->isEnabled());
    EXPECT_FALSE(ui->cmdLogThisResult->isEnabled());
}

TEST_F(MainWindow, LogPreferencesWindow) {
    ui->cmdLogPreferences->click();
    ASSERT_NE(window->PreferencesWindow(), nullptr);
    vx::frmLogPreferences& prefs = *window->PreferencesWindow();
    EXPECT_EQ(prefs.windowTitle(), "Set log preferences");
    EXPECT_EQ(prefs.include[7]->text(), "AJD (Astronomicall Julian Date)");
    prefs.cmdClearAll->click();
    EXPECT_FALSE(window->LogPreferenceSettings().Get().includePhaseOfMoonAndIllumination);
    ui->chkLog->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    EXPECT_NE(window->LogContents().Text().find("Convert date\r\n2001-12-31 CE 14:28 (local = GMT)\r\n\r\n"),
              std::string::npos)
        << "no calendar line and no Moon line";
    prefs.cmdSetALL->click();
    prefs.optLogFormat[1]->setChecked(true);
    EXPECT_EQ(window->LogPreferenceSettings().Get().optLogFormat, 1);
    EXPECT_TRUE(window->LogPreferenceSettings().Get().includeCalendar[6]);
    prefs.cmdClose->click();
    EXPECT_FALSE(prefs.isVisible());
}

TEST_F(MainWindow, HelpCreditsAndF1) {
    QTest::keyRelease(ui->txbDate, Qt::Key_F1);
    ASSERT_NE(window->HelpWindow(), nullptr);
    vx::frmHelp& help = *window->HelpWindow();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), "Help screen for Vexaril");
    EXPECT_TRUE(help.txbText->toPlainText().startsWith(
        "This software converts among dates in the following calendars (explained in the web pages indicated):"));
    QTest::keyRelease(help.cmdClose, Qt::Key_F1);
    EXPECT_FALSE(help.isVisible()) << "F1 on Close closes the help";
    for (QWidget* w : std::initializer_list<QWidget*>{ui->txbPlusMinus, ui->cmdMove, ui->cmdHelp, ui->cmdCompute}) {
        help.hide();
        QTest::keyRelease(w, Qt::Key_F1);
        EXPECT_TRUE(help.isVisible());
    }
    help.showMinimized();
    ui->cmdHelp->click();
    EXPECT_FALSE(help.isMinimized()) << "a minimised help window is restored";
    EXPECT_TRUE(vx::CreditsText().find("NASA's GSFC") != std::string::npos);
}

TEST_F(MainWindow, WebLinksAndTheirErrors) {
    QTest::mouseClick(ui->lblOnlineDocumentation, Qt::LeftButton);
    ASSERT_EQ(web.opened.size(), 1u);
    EXPECT_EQ(web.opened[0], window->DocumentationAddress());
    EXPECT_TRUE(messages.shown.empty());
    web.result = 31;
    QTest::mouseClick(ui->lblCorvaneSystems, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Cannot launch web browser");
    EXPECT_EQ(messages.shown[0].text,
              "Error launching web browser, error code = 31.\r\n\r\nFile extension 'html' is not associated with any "
              "application program.");
}

TEST_F(MainWindow, MoonPanelAtAFullMoonAndDeltaT) {
    Enter("2022-11-08 CE 10:59");
    EXPECT_TRUE(Value(ui->lblPhaseOfMoon).startsWith("Full moon")) << Value(ui->lblPhaseOfMoon).toStdString();
    EXPECT_TRUE(Value(ui->lblAgeOfMoon).startsWith("[282] 14 days, "));
    Enter("-2999-06-01 CE");
    EXPECT_TRUE(Value(ui->lblDeltaT).startsWith("20 hours and ")) << Value(ui->lblDeltaT).toStdString();
}

}  // namespace
