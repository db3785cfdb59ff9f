// The window as views of its moment model: one command adopts once and draws
// each view once; a history entry brings back its exact instant.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "MapWindow.h"

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

// The eclipse data opens its map (a click or Ctrl+M); the map follows the
// eclipse shown, and its Close button hides it without moving the window.
TEST_F(MainWindow, TheEclipseDataOpensItsMap) {
    Enter("2024-03-01 CE");
    QTest::mouseClick(ui->lblActualEclipseData, Qt::LeftButton);
    EXPECT_EQ(window->MapWindow(), nullptr) << "no eclipse shown, no map";
    const QRect before = window->geometry();
    const struct {
        int target;
        const char* title;
    } finds[] = {{11, "total solar eclipse, 2024-04-08 CE"}, {7, "lunar eclipse, 2024-09-18 CE"}};
    for (const auto& f : finds) {
        ui->cboTarget->setCurrentIndex(f.target);
        ui->cmdSearch->click();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
        if (window->MapWindow() == nullptr) QTest::mouseClick(ui->lblActualEclipseData, Qt::LeftButton);
        ASSERT_NE(window->MapWindow(), nullptr);
        EXPECT_TRUE(window->MapWindow()->isVisible());
        EXPECT_TRUE(window->MapWindow()->windowTitle().endsWith(f.title))
            << window->MapWindow()->windowTitle().toStdString();
        EXPECT_TRUE(window->MapWindow()->view->HasMap());
    }
    window->MapWindow()->cmdClose->click();
    EXPECT_FALSE(window->MapWindow()->isVisible());
    EXPECT_EQ(window->geometry(), before);
    window->activateWindow();
    QTest::keyClick(ui->cmdQuit, Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(window->MapWindow()->isVisible());
    Enter("2001-01-01 CE");  // no eclipse shown: the open map goes
    EXPECT_FALSE(window->MapWindow()->isVisible());
}

}  // namespace
