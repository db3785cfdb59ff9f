// The window as a desktop shows it: the check mark drawn at the screen's
// pixels at 200 %, message boxes wide enough for their titles and an empty
// title kept empty, a maximised window keeping its layout composed, and a
// second window opening beside the first.
#include <QApplication>
#include <QFrame>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>

#include "QtServices.h"
#include "WindowFixture.h"

namespace {

TEST_F(MainWindow, TheCheckMarkHasTheScreensPixelsAt200Percent) {
    QImage image(54, 56, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::black);
    ui->picCheck->render(&image);
    // An enlarged 27 x 28 bitmap would be made of 2 x 2 blocks of one colour.
    int finer = 0;
    for (int y = 0; y < 56; y += 2)
        for (int x = 0; x < 54; x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c) ++finer;
        }
    EXPECT_GT(finer, 20);
}

TEST(MessageBoxes, WideEnoughForTheirTitleAndAnEmptyTitleStaysEmpty) {
    for (const char* title : {"Invalid date/time entry", "No eclipse displayed", "Date out of range", "Error"}) {
        QMessageBox box;
        vx::PrepareMessageBox(box, title, "Short.", vx::MessageIcon::Warning, vx::MessageButtons::Ok);
        box.show();
        QFont bold = box.font();
        bold.setBold(true);
        EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance(title) + vx::MessageTitleAllowance) << title;
        EXPECT_EQ(box.windowTitle().toStdString(), title);
    }
    QMessageBox full;
    vx::PrepareMessageBox(full, "", "Log is full.  Clear log?", vx::MessageIcon::Question, vx::MessageButtons::YesNo);
    // Blank but not empty: an empty title would get the program's name.
    EXPECT_FALSE(full.windowTitle().isEmpty());
    EXPECT_TRUE(full.windowTitle().trimmed().isEmpty());
}

TEST_F(MainWindow, AMaximisedWindowKeepsItsLayoutComposed) {
    const QSize normal = window->size();
    QSize dates[2];
    for (int scale : {3, 4}) {
        window->resize(normal.width() * scale, normal.height() * scale);
        QApplication::processEvents();
        dates[scale - 3] = ui->fraDates->size();
        const QPoint centre = ui->fraDates->mapTo(window.get(), ui->fraDates->rect().center());
        EXPECT_NEAR(centre.x(), window->width() / 2, 2) << "the controls stay together in the middle";
        EXPECT_LT(ui->fraDates->width(), normal.width() * 3 / 2);
    }
    EXPECT_EQ(dates[0], dates[1]) << "nothing stretches with the window";
}

TEST(InstanceSlots, EachRunningWindowHasItsOwnPlace) {
    QTemporaryDir folder;
    auto first = std::make_unique<vx::InstanceSlot>(folder.path());
    const vx::InstanceSlot second(folder.path());
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(second.Index(), 1);
    first.reset();
    EXPECT_EQ(vx::InstanceSlot(folder.path()).Index(), 0) << "a closed window's place is free again";
}

}  // namespace
