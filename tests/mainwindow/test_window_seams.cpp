// The window where two rules meet: a decimal-comma locale, the last half
// minute of a day, a fresh account, damaged or hostile state files, zone
// changes at the range's end, eclipses kept for the saros search across a
// failed Convert, a failed search and a restart.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "DecimalComma.h"
#include "PhaseQueries.h"
#include "SavedState.h"
#include "WindowFixture.h"

namespace {

std::string FileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Every label the window shows a value in.
std::vector<std::string> ShownTexts(const vxtest::WindowControls& w) {
    std::vector<std::string> out;
    for (const vx::LabelPair* pair :
         {&w.lblCommonEraDate, &w.lblJulianCalendarDate, &w.lblOmbrineLunarDate, &w.lblDornelVarrowSLCDate,
          &w.lblVTCLunarDate, &w.lblVTCSolarDate, &w.lblCorvaneLWCDate, &w.lblChronologicalJulianDate,
          &w.lblAstronomicalJulianDate, &w.lblPhaseOfMoon, &w.lblAgeOfMoon, &w.lblTime, &w.lblDeltaT})
        out.push_back((*pair)[1]->text().toStdString());
    out.push_back(w.txbDate->text().toStdString());
    out.push_back(w.lblActualEclipseData->text().toStdString());
    for (int i = 0; i < w.cboHistory->count(); ++i) out.push_back(w.cboHistory->itemText(i).toStdString());
    return out;
}

// The same session under the C locale and a decimal-comma one: the same
// texts, the same file bytes, and each locale restores the other's file.
TEST_F(MainWindow, TheSameTextsAndFileInADecimalCommaLocale) {
    bool missing = false;
    const std::string why = vxtest::PrepareDecimalCommaLocale(missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    auto session = [&](bool german, std::vector<std::string>& texts, double& moment) {
        if (german) {
            ASSERT_TRUE(vxtest::UseDecimalCommaLocale());
        }
        std::filesystem::remove(StatePath());
        Restart();
        messages.shown.clear();
        Enter("999999.99 CJD");
        EXPECT_EQ(Value(ui->lblChronologicalJulianDate), "999,999.9900 CJD");
        Enter("2,111,111 AJD");
        Enter("2024-03-25 CE 07:00");  // a penumbral eclipse: magnitudes and times
        ui->cboTarget->setCurrentIndex(7);
        ui->cmdSearch->click();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
        // A history entry made in this locale restores its own moment.
        const double found = window->CurrentMoment();
        ui->cboHistory->setCurrentIndex(0);
        ui->cboHistory->setCurrentIndex(ui->cboHistory->count() - 1);
        EXPECT_NEAR(window->CurrentMoment(), found, 31.0 / 86400);
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
        texts = ShownTexts(*ui);
        moment = window->CurrentMoment();
        ui->cmdSaveState->click();
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    };
    std::vector<std::string> inC, inGerman;
    double momentC = 0, momentGerman = 0;
    session(false, inC, momentC);
    const std::string fileC = FileContent(StatePath());
    session(true, inGerman, momentGerman);
    const std::string fileGerman = FileContent(StatePath());
    EXPECT_EQ(inGerman, inC);
    EXPECT_EQ(fileGerman, fileC);
    EXPECT_EQ(momentGerman, momentC);
    // The C file under the German locale, then the German file under C.
    WriteFile(StatePath(), fileC);
    Restart();
    EXPECT_EQ(window->CurrentMoment(), momentC);
    vxtest::UseCLocale();
    WriteFile(StatePath(), fileGerman);
    Restart();
    EXPECT_EQ(window->CurrentMoment(), momentGerman);
    EXPECT_TRUE(messages.shown.empty());
}

// The last entry of the log: its text, calendar line and Moon line (not the
// operation, nor the eclipse data a restore may add).
std::string LastLogEntryBody(const std::string& log) {
    const size_t end = log.rfind("\r\n\r\n");
    const size_t start = log.rfind("\r\n\r\n", end - 1) + 4;
    std::string entry = log.substr(start, end - start);
    entry = entry.substr(entry.find("\r\n") + 2);
    size_t cut = 0;
    for (int line = 0; line < 3 && cut != std::string::npos; ++line) cut = entry.find("\r\n", cut + 1);
    return entry.substr(0, cut);
}

// Where the shown minute rounds into the next day, one history entry and its
// log entry describe one instant in all nine calendars: the log of the
// result is what selecting that history entry shows and logs again.
TEST_F(MainWindow, OneEntryDescribesOneInstantAcrossMidnight) {
    ui->chkLog->setChecked(true);
    const vx::LabelPair* lines[] = {&ui->lblCommonEraDate,
                                    &ui->lblJulianCalendarDate,
                                    &ui->lblOmbrineLunarDate,
                                    &ui->lblDornelVarrowSLCDate,
                                    &ui->lblVTCLunarDate,
                                    &ui->lblVTCSolarDate,
                                    &ui->lblChronologicalJulianDate,
                                    &ui->lblAstronomicalJulianDate,
                                    &ui->lblCorvaneLWCDate};  // in CalendarCode order
    for (int calendar = 0; calendar < vx::NumberOfCalendars; ++calendar) {
        // 2001-12-31 23:59:45 on the clock of the calendar (CLW's turns at 06:00).
        Enter(calendar == vx::CLW ? "2452275.24983 CJD" : "2452275.99983 CJD");
        (*lines[calendar])[1]->clicked();
        ui->cmdMove->click();  // a day on: a history entry and its log entry
        ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
        const std::string logged = LastLogEntryBody(window->LogContents().Text());
        const int newest = ui->cboHistory->count() - 1;
        ui->cboHistory->setCurrentIndex(newest - 1);
        ui->cboHistory->setCurrentIndex(newest);
        EXPECT_EQ(LastLogEntryBody(window->LogContents().Text()), logged) << "calendar " << calendar;
    }
}

// A moment at 23:59:45 shows as 24:00 on the time line; what is written
// back is the next day's 00:00 and every path that reads it again works.
TEST_F(MainWindow, TheLastHalfMinuteOfADayReadsBack) {
    Enter("2452275.99983 CJD");  // 2001-12-31 23:59:45
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    ui->lblCommonEraDate[1]->clicked();
    EXPECT_EQ(ui->lblTime[1]->text().toStdString(), "24:00 (local=GMT)");
    EXPECT_EQ(ui->txbDate->text(), "2002-01-01 CE 00:00");
    // A day on, in CE: the history has the rounded minute's date, and
    // selecting it shows again what the Move showed (its exact instant).
    ui->cmdMove->click();
    const std::string entry = ui->cboHistory->itemText(ui->cboHistory->count() - 1).toStdString();
    EXPECT_EQ(entry, "2002-01-02 CE 00:00 (local = GMT)");
    const QString moved = ui->lblCommonEraDate[1]->text(), movedTime = ui->lblTime[1]->text();
    messages.shown.clear();
    ui->cboTarget->setCurrentIndex(0);
    ui->cmdSearch->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    ui->cboHistory->setCurrentIndex(ui->cboHistory->findText(QString::fromStdString(entry)));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(ui->lblCommonEraDate[1]->text(), moved);
    EXPECT_EQ(ui->lblTime[1]->text(), movedTime);
    // On the Corvane clock the same happens at 05:59:45.
    Enter("2452275.24983 CJD");
    ui->lblCorvaneLWCDate[1]->clicked();
    const std::string clw = ui->txbDate->text().toStdString();
    EXPECT_EQ(clw.substr(clw.size() - 6), " 00:00");
    Enter(QString::fromStdString(clw));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
}

// The live clock shows its minute as a clock does: at 23:59:45 the time line,
// the history, the log and the entry box all say 23:59 of the same day.
TEST_F(MainWindow, TheLiveClockWritesTheMinuteItShows) {
    clock.now = {2001, 12, 31, 23, 59, 45};
    ui->cmdNow->click();
    EXPECT_EQ(ui->lblTime[1]->text().toStdString(), "23:59 (local=GMT)");
    EXPECT_EQ(ui->lblCommonEraDate[1]->text().left(13), "2001-12-31 CE");
    EXPECT_EQ(ui->cboHistory->itemText(ui->cboHistory->count() - 1).toStdString(), "2001-12-31 CE 23:59 (local = GMT)");
    ui->lblCommonEraDate[1]->clicked();
    EXPECT_EQ(ui->txbDate->text(), "2001-12-31 CE 23:59");
    // Whole minutes stay as they are, however the moment's last bit falls.
    clock.now = {2001, 12, 31, 12, 0, 0};
    ui->cmdNow->click();
    EXPECT_EQ(ui->cboHistory->itemText(ui->cboHistory->count() - 1).toStdString(), "2001-12-31 CE 12:00 (local = GMT)");
    // On the Corvane clock, six hours behind: 05:59:45 is 23:59 of the CLW
    // day before, also on the time line.
    clock.now = {2001, 12, 31, 5, 59, 45};
    ui->cmdNow->click();
    ui->lblCorvaneLWCDate[1]->clicked();
    EXPECT_EQ(ui->lblTime[1]->text().toStdString(), "23:59 (local CLW)");
    const std::string clw = ui->txbDate->text().toStdString();
    EXPECT_EQ(clw.substr(clw.size() - 6), " 23:59");
    Enter(QString::fromStdString(clw));
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_NEAR(window->CurrentMoment(), vx::MomentFromCJD(2452275.0 + 359.0 / 1440.0, 0), 1e-6);
}

TEST(FreshAccount, TheWholeApplicationDataPathIsMade) {
    vxtest::RecordingMessages messages;
    vxtest::FixedClock clock;
    vxtest::RecordingClipboard clipboard;
    vxtest::RecordingWeb web;
    struct DeepAppData : vx::AppDataService {
        QTemporaryDir home;
        std::string Folder() override { return home.path().toStdString() + "/.local/share"; }
    } appData;
    vx::frmMain w(vx::Services{&messages, &clock, &appData, &clipboard, &web});
    w.Form_Load();
    const auto ui = std::make_unique<vxtest::WindowControls>(w);
    EXPECT_TRUE(QDir(QString::fromStdString(appData.Folder() + "/Corvane Systems")).exists());
    ui->cmdSaveState->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_FALSE(ui->cmdSaveState->isEnabled());
}

TEST_F(MainWindow, StateFilesThatAreNotFilesStartAtNow) {
    clock.now = {2010, 5, 5, 5, 5, 0};
    const std::string path = StatePath();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    Restart();  // would hang in open() on the FIFO
    EXPECT_TRUE(window->IsShowingNow());
    std::filesystem::remove(path);
    std::filesystem::create_symlink("/dev/zero", path);
    Restart();  // would read without end
    EXPECT_TRUE(window->IsShowingNow());
    std::filesystem::remove(path);
    WriteFile(path, std::string(2 << 20, '1'));
    Restart();
    EXPECT_TRUE(window->IsShowingNow());
    EXPECT_TRUE(messages.shown.empty());
}

// Save state replaces only a regular file: through a link to a FIFO it
// warns, names the file the user knows and leaves the FIFO alone; without
// any home folder it says so and writes nothing.
TEST_F(MainWindow, SaveStateRefusesWhatIsNotAFile) {
    const std::string fifo = appData.Folder() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, StatePath());
    messages.shown.clear();
    ui->cmdSaveState->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Save state");
    EXPECT_EQ(messages.shown[0].text, "Error when attempting to save the state: not a regular file: " + StatePath());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(ui->cmdSaveState->isEnabled());

    struct NoHome : vx::AppDataService {
        std::string Folder() override { return {}; }
    } noHome;
    vx::frmMain homeless(vx::Services{&messages, &clock, &noHome, &clipboard, &web});
    homeless.Form_Load();
    messages.shown.clear();
    vxtest::WindowControls(homeless).cmdSaveState->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Save state");
    EXPECT_NE(messages.shown[0].text.find("no application-data folder"), std::string::npos);
}

TEST_F(MainWindow, AStartRemovesWhatAKilledSaveLeft) {
    const std::string left = StatePath() + ".tmp4242";
    WriteFile(left, "2451545\r\n");
    std::filesystem::last_write_time(left, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    Restart();
    EXPECT_FALSE(std::filesystem::exists(left));
}

TEST_F(MainWindow, AStoredCaptionIsShownAsPlainText) {
    vx::SavedState s;
    s.moment = 2451545.0;
    s.eclipseData = "<img src=/dev/zero>x<b>bold</b>";
    WriteFile(StatePath(), vx::FormatSavedState(s));
    Restart();
    EXPECT_FALSE(window->IsShowingNow());
    EXPECT_EQ(ui->lblActualEclipseData->text(), "<img src=/dev/zero>x<b>bold</b>");
    EXPECT_EQ(ui->lblActualEclipseData->textFormat(), Qt::PlainText);
    for (QLabel* label : window->findChildren<QLabel*>()) EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(MainWindow, AFileCutAmongTheIncludeLinesKeepsTheLinesBefore) {
    vx::SavedState s;
    s.moment = 2451545.0;
    s.include.fill(false);
    std::string text = vx::FormatSavedState(s);
    size_t pos = 0;
    for (int i = 0; i < 20; ++i) pos = text.find('\n', pos) + 1;  // lines 16..20: CE JC OLC DV LVT
    WriteFile(StatePath(), text.substr(0, pos));
    window->LogPreferenceSettings().Change([](vx::LogPreferences& p) { p.includeCalendar.fill(true); });
    Restart();
    EXPECT_TRUE(window->IsShowingNow()) << "an incomplete file ends in Now";
    const auto& c = window->LogPreferenceSettings().Get().includeCalendar;  // CE JC OLC DV LVT SVT CLW CJD AJD
    EXPECT_FALSE(c[0]);
    EXPECT_FALSE(c[4]);
    EXPECT_TRUE(c[5]) << "SVT, line 21, was not in the file";
    EXPECT_TRUE(c[7]);
}

TEST_F(MainWindow, AZoneChangeNeverLeavesTheRange) {
    Enter("-3000-01-01 CE 12:00");
    const double first = window->CurrentMoment();
    messages.shown.clear();
    ui->cboTimeZone->setCurrentIndex(24 + 11);  // GMT + 05:30
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, vx::RangeMessageTitle);
    EXPECT_EQ(window->CurrentMoment(), first);
    EXPECT_EQ(ui->cboTimeZone->currentIndex(), 24) << "the zone goes back";
    ui->cboTimeZone->setCurrentIndex(24 - 2);  // GMT - 01:00 moves it later: fine
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_GT(window->CurrentMoment(), first);
    // A history entry whose moment lies outside the range is not adopted.
    ui->cboHistory->addItem("-3000-01-01 CE 12:00 (local = GMT+05:30)", 0);
    ui->cboHistory->setCurrentIndex(ui->cboHistory->count() - 1);
    EXPECT_EQ(messages.shown.back().title, vx::RangeMessageTitle);
    EXPECT_TRUE(vx::IsInSupportedRange(window->CurrentMoment()));
}

// The eclipse shown stays usable for the saros search: after a restart,
// after a Convert that fails, after the series has ended.
TEST_F(MainWindow, TheSarosSearchAfterARestartAndAFailedConvert) {
    Enter("2022-11-01 CE");
    ui->cboTarget->setCurrentIndex(8);  // Total lunar eclipse
    ui->cmdSearch->click();
    ASSERT_EQ(ui->lblCommonEraDate[1]->text().left(13), "2022-11-08 CE");
    ui->cmdSaveState->click();
    Restart();
    messages.shown.clear();
    ui->txbDate->clear();
    ui->cboTarget->setCurrentIndex(13);
    ui->optPrevious->setChecked(true);
    ui->cmdSearch->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_TRUE(
        ui->lblActualEclipseData->text().startsWith("Total lunar eclipse\nLunation number = 59\nSaros number = 136"))
        << ui->lblActualEclipseData->text().toStdString();
    Enter("no date at all");
    ASSERT_EQ(messages.shown.size(), 1u);
    ui->txbDate->clear();
    ui->optNext->setChecked(true);
    ui->cmdSearch->click();
    ASSERT_EQ(messages.shown.size(), 1u) << messages.shown.back().text;
    EXPECT_TRUE(ui->lblActualEclipseData->text().contains("Lunation number = 282"));
}

TEST_F(MainWindow, TheEclipseStaysUsableAfterTheSeriesHasEnded) {
    vx::InitPhaseConstants();
    // The last member of lunar series 136 inside the range.
    int32_t n = 282;
    PhaseEclipseRecord r{};
    for (;;) {
        PhaseEclipseRecord p{};
        syzyg(n + 223, vx::FullMoon, &p);
        if (p.kind <= 0 || p.saros != 136) break;
        n += 223;
    }
    syzyg(n, vx::FullMoon, &r);
    vx::SavedState s;
    s.moment = r.greatest_tt - vx::DeltaTForMoment(r.greatest_tt) / 1440.0;
    s.eclipseData = "Partial lunar eclipse\r\nLunation number = " + std::to_string(n) + "\r\nSaros number = 136\r\n";
    s.searchTarget = 13;
    WriteFile(StatePath(), vx::FormatSavedState(s));
    Restart();
    messages.shown.clear();
    ui->txbDate->clear();
    ui->cboTarget->setCurrentIndex(13);
    for (int press = 0; press < 2; ++press) {
        ui->cmdSearch->click();
        ASSERT_EQ(messages.shown.size(), static_cast<size_t>(press + 1));
        EXPECT_EQ(messages.shown.back().text, "The saros series has no eclipse after this one.");
    }
    ui->optPrevious->setChecked(true);
    ui->cmdSearch->click();
    EXPECT_EQ(messages.shown.size(), 2u) << messages.shown.back().text;
    EXPECT_TRUE(ui->lblActualEclipseData->text().contains(QString::number(n - 223)));
}

TEST_F(MainWindow, ASignOrPointAloneInThePlusMinusBoxIsNoNumber) {
    ui->chkLog->setChecked(true);
    for (const char* alone : {"-", "+", "."}) {
        ui->txbPlusMinus->setText(alone);
        Enter("2020-02-02 CE 10:00");
        ui->txbPlusMinus->setText(alone);
        Enter("2020-02-03 CE 10:00");
    }
    EXPECT_EQ(window->LogContents().Text().find("Convert date plus"), std::string::npos);
    EXPECT_EQ(window->LogContents().Text().find("Convert date minus"), std::string::npos);
    EXPECT_NE(window->LogContents().Text().find("Convert date"), std::string::npos);
}

}  // namespace
