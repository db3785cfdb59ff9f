// The program as a user meets it: start without a saved state, convert a
// date, search the next total solar eclipse, move a CLW month, save, start
// again, and find everything where it was; the log compared with the text
// it must hold.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FakeServices.h"
#include "WindowControls.h"
#include "frmMain.h"

namespace {

TEST(EndToEnd, ConvertSearchMoveSaveRestart) {
    vxtest::RecordingMessages messages;
    vxtest::FixedClock clock;
    clock.now = {2017, 6, 1, 9, 0, 0};
    vxtest::TemporaryAppData appData;
    vxtest::RecordingClipboard clipboard;
    vxtest::RecordingWeb web;
    const vx::Services services{&messages, &clock, &appData, &clipboard, &web};

    auto window = std::make_unique<vx::frmMain>(services);
    window->Form_Load();
    auto ui = std::make_unique<vxtest::WindowControls>(*window);
    ui->chkLog->setChecked(true);
    ui->txbDate->setText("2017-07-04 CE 10:00");
    QTest::keyClick(ui->txbDate, Qt::Key_Return);
    ui->cboTarget->setCurrentIndex(11);  // Total solar eclipse
    ui->cmdSearch->click();
    ui->cboMoveStep->setCurrentIndex(17);  // 1 CLW month
    ui->cmdMove->click();
    const QString shown = ui->lblCorvaneLWCDate[1]->text();
    const std::string log = window->LogContents().Text();
    ui->cmdSaveState->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;

    const std::string header =
        window->windowTitle().toStdString() + "\r\n" + window->DocumentationAddress() + "\r\n\r\n";
    const std::string expected =
        header +
        "Convert date\r\n"
        "2017-07-04 CE 10:00 (local = GMT)\r\n"
        "JC=2017-06-21  OLC=5-0562-07-10  DV=104-23-04-10  LVT=2-117-01-04-2  SVT=113-2-06-1  CLW=5017-04-2-4  "
        "CJD=2,457,939.4167  AJD=2,457,938.9167  \r\n"
        "Gibbous moon (waxing), illum. =  70.8%, lunat. and age = [216] 10 days, 7 hrs, 29 mins (35.2%).\r\n"
        "\r\n"
        "Search for next total solar eclipse.\r\n"
        "2017-08-21 CE 18:25 (local = GMT)\r\n"
        "JC=2017-08-08  OLC=5-0562-08-29  DV=104-23-05-29  LVT=2-117-02-10-2  SVT=113-2-22-1  CLW=5017-05-4-7  "
        "CJD=2,457,987.7674  AJD=2,457,987.2674  \r\n"
        "Dark moon, illum. =  0.0%, lunat. and age = [217] 29 days, 8 hrs, 39 mins (100.0%).\r\n"
        "Central total solar eclipse, lunation number = 218, saros number = 145.\r\n"
        "\r\n"
        "Move forward 1 CLW month.\r\n"
        "5017-06-4-6 CLW 12:25 (local = GMT)\r\n"
        "CE=2017-09-19  JC=2017-09-06  OLC=5-0562-09-28  DV=104-23-06-28  LVT=2-117-03-10-1  SVT=113-2-31-3  "
        "CJD=2,458,016.7674  AJD=2,458,016.2674  \r\n"
        "Crescent moon (waning), illum. =  3.3%, lunat. and age = [218] 28 days, 23 hrs, 54 mins (98.4%).\r\n"
        "\r\n";
    EXPECT_EQ(log, expected);

    ui.reset();
    window.reset();
    window = std::make_unique<vx::frmMain>(services);
    window->Form_Load();
    ui = std::make_unique<vxtest::WindowControls>(*window);
    EXPECT_EQ(ui->lblCorvaneLWCDate[1]->text(), shown);
    EXPECT_EQ(window->ShownCalendar(), vx::CLW);
    EXPECT_EQ(ui->cboMoveStep->currentIndex(), 17);
    EXPECT_EQ(ui->cboTarget->currentIndex(), 11);
    EXPECT_TRUE(ui->chkLog->isChecked());
    EXPECT_EQ(ui->cboHistory->count(), 1);
    EXPECT_NE(window->LogContents().Text().find("Restore saved state on startup\r\n"), std::string::npos);
    EXPECT_FALSE(window->IsShowingNow());
}

}  // namespace
