// The observer's place in the window: its settings file, the Sky window and
// the searches seen from here.
#include <QFile>
#include <QTest>

#include "SkyWindow.h"
#include "WindowFixture.h"

namespace {

QByteArray Bytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(MainWindow, SearchesSeenFromHereNeedAPlace) {
    Enter("2026-12-09 CE");
    ui->cboTarget->setCurrentIndex(16);
    ui->cmdSearch->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().title, "No place set");
    EXPECT_EQ(messages.shown.front().text,
              "A place must be set in order to search for the next or previous eclipse seen from here.");
}

TEST_F(MainWindow, ThePlaceIsKeptApartFromTheSavedState) {
    ui->cmdSaveState->click();
    const QByteArray saved = Bytes(StatePath());
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_NE(window->SetPlace("91,0"), "") << "latitude out of range";
    EXPECT_NE(window->SetPlace("Nowhere/Atlantis"), "");
    EXPECT_EQ(window->ObserverPlace(), nullptr);
    EXPECT_EQ(window->SetPlace("Europe/Berlin"), "");
    ASSERT_NE(window->ObserverPlace(), nullptr);
    ui->cmdSaveState->click();
    EXPECT_EQ(Bytes(StatePath()), saved) << "the saved state does not carry the place";
    Restart();
    ASSERT_NE(window->ObserverPlace(), nullptr) << "kept across restarts";
    EXPECT_EQ(window->ObserverPlace()->name, "Europe/Berlin");
    // Found from Berlin: the next solar eclipse seen there, with its local lines.
    Enter("2026-12-09 CE");
    ui->cboTarget->setCurrentIndex(16);
    ui->cmdSearch->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_TRUE(ui->lblActualEclipseData->text().contains("Seen from here: partial"))
        << ui->lblActualEclipseData->text().toStdString();
    EXPECT_TRUE(Value(ui->lblCommonEraDate).contains("2027")) << Value(ui->lblCommonEraDate).toStdString();
    EXPECT_EQ(window->SetPlace(""), "");
    Restart();
    EXPECT_EQ(window->ObserverPlace(), nullptr) << "cleared for good";
}

TEST_F(MainWindow, TheSkyWindowFollowsTheMoment) {
    window->activateWindow();
    QTest::keyClick(ui->cmdQuit, Qt::Key_L, Qt::ControlModifier);
    vx::frmSky* sky = window->SkyWindow();
    ASSERT_NE(sky, nullptr);
    EXPECT_TRUE(sky->isVisible());
    EXPECT_TRUE(sky->lblSky->text().startsWith("No place set"));
    sky->cboPlace->setEditText("48.85,2.35,35");
    QTest::keyClick(sky->cboPlace, Qt::Key_Return);
    EXPECT_EQ(sky->lblPlaceError->text(), "");
    Enter("2024-04-08 CE 18:00");
    const QString first = sky->lblSky->text();
    EXPECT_TRUE(first.contains("Sun: rises")) << first.toStdString();
    Enter("2024-04-09 CE 18:00");
    EXPECT_NE(sky->lblSky->text(), first);
    sky->cboPlace->setEditText("here");
    QTest::keyClick(sky->cboPlace, Qt::Key_Return);
    EXPECT_FALSE(sky->lblPlaceError->text().isEmpty());
    QTest::keyClick(sky, Qt::Key_Escape);
    EXPECT_FALSE(sky->isVisible());
}

}  // namespace
