// The drop-down lists act on a choice, not on every stop: wheel notches and
// arrow keys over a closed list only move its selection; Enter, or the focus
// leaving the list, chooses once; the focus stays on a list while it is worked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "WindowFixture.h"

namespace {

void Wheel(QWidget* w, int notches) {
    for (int i = 0; i < std::abs(notches); ++i) {
        const QPointF at(5, 5);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, notches > 0 ? -120 : 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    }
}

class Lists : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        Enter("2003-12-31 CE 15:55");
        entries = ui->cboHistory->count();
        moment = window->CurrentMoment();
    }
    int History() const { return ui->cboHistory->count() - entries; }
    double Moved() const { return (window->CurrentMoment() - moment) * 1440; }
    int entries = 0;
    double moment = 0;
};

TEST_F(Lists, WheelNotchesOverTheZoneListApplyOneZone) {
    Wheel(ui->cboTimeZone, 3);
    EXPECT_EQ(ui->cboTimeZone->currentText(), "GMT + 01:30");
    EXPECT_EQ(History(), 0);
    EXPECT_EQ(Moved(), 0);
    QTest::keyClick(ui->cboTimeZone, Qt::Key_Return);
    EXPECT_EQ(History(), 1);
    EXPECT_NEAR(Moved(), -90, 1e-6);
    Wheel(ui->cboTimeZone, -1);
    ui->txbPlusMinus->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(History(), 2) << "leaving the list chooses";
    EXPECT_NEAR(Moved(), -60, 1e-6);
}

TEST_F(Lists, ArrowKeysKeepTheFocusOnTheList) {
    const struct {
        QComboBox* list;
        int steps;
        QWidget* chosenFocus;  // where Enter sends the focus
    } cases[] = {{ui->cboTimeZone, 2, ui->txbDate}, {ui->cboMoveStep, 3, ui->cmdMove}, {ui->cboTarget, 2, ui->txbDate}};
    for (const auto& c : cases) {
        c.list->setFocus(Qt::TabFocusReason);
        const int start = c.list->currentIndex();
        for (int i = 0; i < c.steps; ++i) QTest::keyClick(c.list, Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), c.list) << c.list->objectName().toStdString();
        EXPECT_EQ(c.list->currentIndex(), start + c.steps);
        QTest::keyClick(c.list, Qt::Key_Up);
        EXPECT_EQ(c.list->currentIndex(), start + c.steps - 1) << "no key was lost";
        EXPECT_EQ(History(), 0);
        QTest::keyClick(c.list, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), c.chosenFocus) << c.list->objectName().toStdString();
        entries = ui->cboHistory->count();
    }
    EXPECT_NEAR(Moved(), -30, 1e-6) << "the zone one item on";
    // Typed letters move to the next item starting with them, nothing more.
    ui->cboTarget->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(ui->cboTarget, "tt");
    EXPECT_EQ(ui->cboTarget->currentText(), "Total or umbral lunar eclipse");
    EXPECT_EQ(QApplication::focusWidget(), ui->cboTarget);
}

TEST_F(Lists, TheHistoryRestoresTheEntryChosen) {
    Enter("2001-01-01 CE 12:00");
    Enter("2002-02-02 CE 12:00");
    ui->cboHistory->setFocus(Qt::TabFocusReason);
    const std::string log = window->LogContents().Text();
    QTest::keyClick(ui->cboHistory, Qt::Key_Up);
    QTest::keyClick(ui->cboHistory, Qt::Key_Up);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2002-02-02 CE") << "nothing restored while moving";
    EXPECT_EQ(window->LogContents().Text(), log);
    QTest::keyClick(ui->cboHistory, Qt::Key_Return);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2003-12-31 CE");
}

}  // namespace
