// The real main window with test doubles for every service, and what the
// window tests do with it: type and Enter, read a value, restart.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>

#include "FakeServices.h"
#include "WindowControls.h"
#include "frmMain.h"

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<vx::frmMain>(vx::Services{&messages, &clock, &appData, &clipboard, &web, &files});
        window->Form_Load();
        ui = std::make_unique<vxtest::WindowControls>(*window);
    }
    void TearDown() override {
        ui.reset();
        window.reset();
    }

    // Types text into the entry box and presses Enter.
    void Enter(const QString& text) {
        ui->txbDate->setFocus();
        ui->txbDate->setText(text);
        QTest::keyClick(ui->txbDate, Qt::Key_Return);
    }
    // Lets the event loop run until a repeated Move has ended; false when it
    // has not within the time.
    bool WaitForMoveEnd(int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return !window->MoveActive(); }, timeoutMs);
    }
    QString Value(const vx::LabelPair& pair) const { return pair[1]->text(); }
    QColor TextColour(QWidget* w) const { return w->property("vxTextColour").value<QColor>(); }

    // Closes the window and starts the program again on the same folder.
    void Restart() {
        ui.reset();
        window.reset();
        window = std::make_unique<vx::frmMain>(vx::Services{&messages, &clock, &appData, &clipboard, &web, &files});
        window->Form_Load();
        ui = std::make_unique<vxtest::WindowControls>(*window);
    }
    std::string StatePath() { return appData.Folder() + "/Corvane Systems/vxrl.usr"; }

    vxtest::RecordingMessages messages;
    vxtest::FixedClock clock;
    vxtest::TemporaryAppData appData;
    vxtest::RecordingClipboard clipboard;
    vxtest::RecordingWeb web;
    vxtest::ChosenFile files;
    std::unique_ptr<vx::frmMain> window;
    std::unique_ptr<vxtest::WindowControls> ui;  // the window's controls, by name
};
