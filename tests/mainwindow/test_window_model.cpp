// The window as views of its moment model: one command adopts once and draws
// each view once; a history entry brings back its exact instant.
#include <QCheckBox>
#include <QComboBox>

#include "WindowFixture.h"

namespace {

using vx::frmMain;

TEST_F(MainWindow, OneConvertTellsOnceAndDrawsEachViewOnce) {
    Enter("2003-12-31 CE 12:00");
    int told = 0;
    window->Model().AddListener([&](unsigned) { ++told; });
    const frmMain::ViewDraws before = window->Draws();
    Enter("5-0544-12-26 OLC 10:00");  // another instant and another calendar
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    const frmMain::ViewDraws after = window->Draws();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(after.timeLine - before.timeLine, 1);
    EXPECT_EQ(after.dateLines - before.dateLines, 1);
    EXPECT_EQ(after.moonPanel - before.moonPanel, 1);
    EXPECT_EQ(after.deltaT - before.deltaT, 1);
}

// The eclipse found comes back to the second from the history, and with it
// the same eclipse details in the log.
TEST_F(MainWindow, AHistoryEntryRestoresItsExactInstant) {
    ui->chkLog->setChecked(true);
    Enter("2024-03-01 CE");
    ui->cboTarget->setCurrentIndex(7);  // Lunar eclipse
    ui->cmdSearch->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    const double found = window->CurrentMoment();
    const std::string extra = window->LoggedSearchExtra();
    const int entry = ui->cboHistory->count() - 1;
    Enter("2001-01-01 CE");
    ui->cboHistory->setCurrentIndex(entry);
    EXPECT_EQ(window->CurrentMoment(), found);
    const std::string& log = window->LogContents().Text();
    EXPECT_NE(log.find(extra), log.rfind(extra)) << "the same details logged again:\n" << log;
}

}  // namespace
