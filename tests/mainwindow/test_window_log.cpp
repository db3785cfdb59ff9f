// The log and its preferences have one owner each; their windows show that
// owner live, so nothing typed or appended is lost and Reset shows at once.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "LogWindows.h"
#include "WindowFixture.h"

namespace {

std::string BoxText(vx::frmLog& log) { return log.txbText->toPlainText().replace("\n", "\r\n").toStdString(); }

}  // namespace

TEST_F(MainWindow, AnAppendReachesTheOpenLogWindow) {
    ui->chkLog->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    ui->cmdViewLog->click();
    ASSERT_NE(window->LogWindow(), nullptr);
    vx::frmLog& log = *window->LogWindow();
    Enter("2002-12-31 CE 14:28");
    EXPECT_TRUE(log.txbText->toPlainText().contains("Convert date\n2002-12-31 CE 14:28"));
    EXPECT_EQ(BoxText(log), window->LogContents().Text());
    // Hidden by Close, the window still follows the log.
    log.cmdClose->click();
    Enter("2003-12-31 CE 14:28");
    EXPECT_EQ(BoxText(log), window->LogContents().Text());
}

TEST_F(MainWindow, AnEditThenAnAppendKeepBoth) {
    ui->chkLog->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    ui->cmdViewLog->click();
    vx::frmLog& log = *window->LogWindow();
    QTextCursor end = log.txbText->textCursor();
    end.movePosition(QTextCursor::End);
    log.txbText->setTextCursor(end);
    QTest::keyClicks(log.txbText, "seen from the garden");
    QTest::keyClick(log.txbText, Qt::Key_Return);
    EXPECT_NE(window->LogContents().Text().find("seen from the garden\r\n"), std::string::npos)
        << "the edit is the log";
    // The user selects a word; an entry arrives meanwhile.
    QTextCursor word = log.txbText->textCursor();
    word.setPosition(0);
    word.setPosition(7, QTextCursor::KeepAnchor);
    log.txbText->setTextCursor(word);
    Enter("2002-12-31 CE 14:28");
    const std::string& text = window->LogContents().Text();
    EXPECT_NE(text.find("seen from the garden\r\n"), std::string::npos) << "the append kept the edit";
    EXPECT_NE(text.find("Convert date\r\n2002-12-31 CE 14:28"), std::string::npos);
    EXPECT_EQ(BoxText(log), text);
    EXPECT_EQ(log.txbText->textCursor().selectedText(), "Vexaril") << "the selection stays";
    // View log again and copy the whole log: both are there.
    ui->cmdViewLog->click();
    log.txbText->moveCursor(QTextCursor::End);
    log.cmdCopyToClipboard->click();
    EXPECT_EQ(clipboard.text, text);
    EXPECT_NE(clipboard.text.find("seen from the garden"), std::string::npos);
    EXPECT_NE(clipboard.text.find("2002-12-31 CE 14:28"), std::string::npos);
}

TEST_F(MainWindow, ResetShowsInTheOpenPreferencesWindow) {
    ui->cmdLogPreferences->click();
    ASSERT_NE(window->PreferencesWindow(), nullptr);
    vx::frmLogPreferences& prefs = *window->PreferencesWindow();
    prefs.cmdClearAll->click();
    prefs.optLogFormat[1]->setChecked(true);
    for (QCheckBox* box : prefs.include) EXPECT_FALSE(box->isChecked());
    messages.answer = vx::MessageResult::Yes;
    ui->cmdReset->click();
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(prefs.include[static_cast<size_t>(i)]->isChecked()) << i;
    EXPECT_FALSE(prefs.include[10]->isChecked()) << "CLW keeps its state";
    EXPECT_TRUE(prefs.optLogFormat[0]->isChecked());
    // A tick of one box changes that box only; Reset is not undone.
    prefs.include[0]->setChecked(false);
    const vx::LogPreferences& now = window->LogPreferenceSettings().Get();
    EXPECT_FALSE(now.includeCalendar[0]);
    EXPECT_TRUE(now.includeCalendar[1]);
    EXPECT_TRUE(now.includeLunationAndAgeOfMoon);
    EXPECT_EQ(now.optLogFormat, 0);
    EXPECT_FALSE(now.includeCalendar[6]);
}

// "Save log as..." writes the log as kept (CR LF), edits included, through a
// temporary file: to a link's target, never over a FIFO; cancelled, nothing.
TEST_F(MainWindow, TheLogIsSavedByteForByte) {
    ui->chkLog->setChecked(true);
    Enter("2001-12-31 CE 14:28");
    ui->cmdViewLog->click();
    vx::frmLog& log = *window->LogWindow();
    QTest::keyClicks(log.txbText, "notes ");
    Enter("2002-12-31 CE 14:28");
    const std::string folder = appData.Folder();
    const std::string target = folder + "/kept.txt", link = folder + "/link.txt", fifo = folder + "/fifo";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        bool saved;
    };
    for (const Case& c : {Case{"", false}, Case{target, true}, Case{link, true}, Case{fifo, false}}) {
        files.path = c.path;
        messages.shown.clear();
        std::remove(target.c_str());
        log.cmdSave->click();
        std::ifstream in(target, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(written, c.saved ? window->LogContents().Text() : "") << c.path;
        EXPECT_EQ(messages.shown.size(), c.path == fifo ? 1u : 0u) << c.path;
    }
    EXPECT_NE(window->LogContents().Text().find("notes "), std::string::npos);
    EXPECT_NE(window->LogContents().Text().find("\r\n"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO is left alone";
}
