// The window's layout as a desktop user sees it: it fits a 1920 x 1080
// screen at 200 % with the longest text of every line, it does not grow or
// shrink as controls appear, disabled controls look disabled, Tab follows
// the visual order and Enter presses the focused button.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <map>

#include "DateLines.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "Moment.h"
#include "MoonPanel.h"
#include "TestScale.h"
#include "WindowFixture.h"

namespace {

// 960 x 540 logical pixels less a desktop panel and a title bar.
constexpr int kMaxWidth = 950, kMaxHeight = 480;

// The longest value every date line shows over the supported range, in the
// window's font: a sweep of moments and both ends.
std::map<int, QString> LongestDateTexts(const QFontMetrics& metrics) {
    std::map<int, QString> longest;
    auto consider = [&](double moment) {
        for (const vx::DateLine& line : vx::AllCalendarLines(moment, 0)) {
            QString& best = longest[line.calendar];
            // Measured only when it could be wider: measuring is the slow part.
            if (line.longText.size() + 3 < static_cast<size_t>(best.size())) continue;
            const QString text = QString::fromStdString(line.longText);
            if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(best)) best = text;
        }
    };
    // Every month and weekday name meets every kind of year in this stride.
    const double step = 31.3 * vxtest::SweepStride;
    for (double m = vx::FirstSupportedMoment; m <= vx::LastSupportedMoment; m += step) consider(m);
    consider(vx::FirstSupportedMoment);
    consider(vx::LastSupportedMoment);
    return longest;
}

// The brightest grey of a control's text: right of an option's indicator.
int BrightestGrey(QWidget* w) {
    const QImage image = w->grab().toImage();
    const int from = qobject_cast<QLabel*>(w) != nullptr ? 0 : w->height();
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < image.width(); ++x) best = std::max(best, qGray(image.pixel(x, y)));
    return best;
}

}  // namespace

TEST_F(MainWindow, TheLongestTextsFitOnASmallScreen) {
    const QFontMetrics metrics = ui->lblCommonEraDate[1]->fontMetrics();
    const std::map<int, QString> longest = LongestDateTexts(metrics);
    for (const auto& [calendar, text] : longest) {
        vx::LabelPair& pair = *std::array<vx::LabelPair*, 9>{&ui->lblCommonEraDate,
                                                             &ui->lblJulianCalendarDate,
                                                             &ui->lblOmbrineLunarDate,
                                                             &ui->lblDornelVarrowSLCDate,
                                                             &ui->lblVTCLunarDate,
                                                             &ui->lblVTCSolarDate,
                                                             &ui->lblChronologicalJulianDate,
                                                             &ui->lblAstronomicalJulianDate,
                                                             &ui->lblCorvaneLWCDate}[static_cast<size_t>(calendar)];
        pair[1]->setText(text);
    }
    ui->lblPhaseOfMoon[1]->setText("Crescent moon (waning), 44.9%");
    ui->lblAgeOfMoon[1]->setText("[-62345] 29 days, 23 hrs, 59 mins (100.0%)");
    ui->lblTime[1]->setText("23:59 (Greenwich CLW)");
    ui->lblDeltaT[1]->setText("23 hours and 59 minutes");
    ui->lblActualEclipseData->setText(
        "Total lunar eclipse\nLunation number = -62345\nSaros number = 188\n"
        "Penumbral phase starts 23:59 and lasts 5h 59m.\nUmbral phase starts 23:59 and lasts 3h 59m.\n"
        "Total phase starts 23:59 and lasts 1h 47m.");
    ui->cboHistory->addItem("-2999-13-4-7 CLW 23:59 (Greenwich; local = GMT+12:00)");
    ui->cboHistory->setCurrentIndex(ui->cboHistory->count() - 1);
    QApplication::processEvents();
    window->adjustSize();
    QApplication::processEvents();
    const QSize minimum = window->minimumSizeHint();
    EXPECT_LE(minimum.width(), kMaxWidth);
    EXPECT_LE(minimum.height(), kMaxHeight);
    window->resize(minimum);
    QApplication::processEvents();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisible()) continue;
        const QFontMetrics m = label->fontMetrics();
        for (const QString& line : label->text().split('\n')) {
            EXPECT_LE(m.horizontalAdvance(line), label->contentsRect().width())
                << "cut: " << line.toStdString() << " in " << label->contentsRect().width() << " px";
        }
        EXPECT_LE(m.lineSpacing() * (label->text().count('\n') + 1), label->contentsRect().height() + 2)
            << label->text().toStdString();
    }
    // Every command is inside the window.
    for (QPushButton* w : window->findChildren<QPushButton*>()) {
        if (!w->isVisible()) continue;
        const QRect r(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(window->rect().contains(r)) << w->text().toStdString();
    }
    for (QWidget* w : {static_cast<QWidget*>(ui->fraDates), static_cast<QWidget*>(ui->fraTime),
                       static_cast<QWidget*>(ui->fraConvert), static_cast<QWidget*>(ui->fraSearch),
                       static_cast<QWidget*>(ui->fraMove), static_cast<QWidget*>(ui->fraStopPauseResume),
                       static_cast<QWidget*>(ui->fraHistory), static_cast<QWidget*>(ui->lblActualEclipseData)})
        std::cout << w->metaObject()->className() << " " << w->minimumSizeHint().width() << " x "
                  << w->minimumSizeHint().height() << "\n";
    std::cout << "minimum " << minimum.width() << " x " << minimum.height() << "\n";
}

TEST_F(MainWindow, DisabledControlsLookDisabled) {
    Enter("2001-08-01 CE 12:00");
    const int enabledOption = BrightestGrey(ui->optMinus);
    ui->chkRepeatedly->setChecked(true);
    ui->cmdMove->click();
    ui->cmdPauseResume->click();  // the period list and its caption are enabled while paused
    QApplication::processEvents();
    const int enabledCaption = BrightestGrey(ui->lblRefreshPeriod);
    ui->cmdPauseResume->click();
    QApplication::processEvents();
    ASSERT_FALSE(ui->lblRefreshPeriod->isEnabled());
    ASSERT_FALSE(ui->optMinus->isEnabled());
    EXPECT_LT(BrightestGrey(ui->lblRefreshPeriod), enabledCaption - 40);
    EXPECT_LT(BrightestGrey(ui->optMinus), enabledOption - 40);
    ui->cmdStop->click();
    QApplication::processEvents();
    EXPECT_EQ(BrightestGrey(ui->optMinus), enabledOption) << "enabled again, bright again";
}

TEST_F(MainWindow, TheWindowKeepsItsSize) {
    QApplication::processEvents();
    const QSize start = window->size();
    const QPoint now = ui->cmdNow->mapTo(window.get(), QPoint(0, 0));
    auto settled = [&] {
        QApplication::processEvents();
        return window->size();
    };
    Enter("2001-08-01 CE 12:00");
    EXPECT_FALSE(ui->picCheck->isVisible());
    EXPECT_EQ(ui->cmdNow->mapTo(window.get(), QPoint(0, 0)), now) << "Now keeps its place without the check mark";
    ui->chkRepeatedly->setChecked(true);
    ui->cmdMove->click();
    EXPECT_TRUE(ui->fraStopPauseResume->isVisible());
    EXPECT_EQ(settled(), start) << "the Stop and Pause row has its place already";
    ui->cmdStop->click();
    EXPECT_EQ(settled(), start);
    ui->chkRepeatedly->setChecked(false);
    ui->cboTarget->setCurrentIndex(8);  // Total lunar eclipse
    ui->cmdSearch->click();
    ASSERT_EQ(ui->lblActualEclipseData->text().count('\n'), 5) << ui->lblActualEclipseData->text().toStdString();
    EXPECT_EQ(settled(), start) << "the eclipse data has its place already";
    const QRect eclipse(ui->lblActualEclipseData->mapTo(window.get(), QPoint(0, 0)), ui->lblActualEclipseData->size());
    const QRect link(ui->lblOnlineDocumentation->mapTo(window.get(), QPoint(0, 0)), ui->lblOnlineDocumentation->size());
    EXPECT_GE(link.top() - eclipse.bottom(), 4) << "a gap between the eclipse data and the links";
    Enter("2001-08-01 CE 12:00");
    EXPECT_TRUE(ui->lblActualEclipseData->text().isEmpty());
    EXPECT_EQ(settled(), start);
}

TEST_F(MainWindow, TabFollowsTheVisualOrder) {
    const std::vector<QWidget*> order = {ui->lblCommonEraDate[1],
                                         ui->lblJulianCalendarDate[1],
                                         ui->lblOmbrineLunarDate[1],
                                         ui->lblDornelVarrowSLCDate[1],
                                         ui->lblVTCLunarDate[1],
                                         ui->lblVTCSolarDate[1],
                                         ui->lblCorvaneLWCDate[1],
                                         ui->lblChronologicalJulianDate[1],
                                         ui->lblAstronomicalJulianDate[1],
                                         ui->cmdNow,
                                         ui->lblTime[1],
                                         ui->optGreenwich,
                                         ui->optLocal,
                                         ui->cboTimeZone,
                                         ui->txbDate,
                                         ui->cmdCompute,
                                         ui->cmdClearDate,
                                         ui->optPlus,
                                         ui->optMinus,
                                         ui->txbPlusMinus,
                                         ui->cmdReset,
                                         ui->cmdSearch,
                                         ui->optNext,
                                         ui->optPrevious,
                                         ui->cboTarget,
                                         ui->cmdMove,
                                         ui->cboMoveStep,
                                         ui->optMoveDirection[0],
                                         ui->optMoveDirection[1],
                                         ui->chkRepeatedly,
                                         ui->cmdStop,
                                         ui->cmdPauseResume,
                                         ui->cboRefreshPeriod,
                                         ui->cboHistory,
                                         ui->chkLog,
                                         ui->cmdLogThisResult,
                                         ui->cmdViewLog,
                                         ui->cmdLogPreferences,
                                         ui->cmdSaveState,
                                         ui->cmdHelp,
                                         ui->cmdQuit};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next != order[i] && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << "after " << order[i]->metaObject()->className() << " " << i;
    }
}

TEST_F(MainWindow, EnterPressesTheFocusedButton) {
    Enter("2001-01-31 CE 14:28");
    ui->cmdMove->setFocus();
    QTest::keyClick(ui->cmdMove, Qt::Key_Return);
    EXPECT_EQ(Value(ui->lblCommonEraDate).left(13), "2001-02-01 CE");
    ui->cmdHelp->setFocus();
    QTest::keyClick(ui->cmdHelp, Qt::Key_Enter);
    ASSERT_NE(window->HelpWindow(), nullptr);
    EXPECT_TRUE(window->HelpWindow()->isVisible());
    // In the side windows too.
    ui->chkLog->setChecked(true);
    Enter("2002-01-31 CE 14:28");
    ui->cmdViewLog->click();
    ASSERT_NE(window->LogWindow(), nullptr);
    window->LogWindow()->cmdClose->setFocus();
    QTest::keyClick(window->LogWindow()->cmdClose, Qt::Key_Return);
    EXPECT_FALSE(window->LogWindow()->isVisible());
    // A disabled button does nothing.
    ui->cmdSaveState->click();
    ASSERT_FALSE(ui->cmdSaveState->isEnabled());
    const size_t shown = messages.shown.size();
    QTest::keyClick(ui->cmdSaveState, Qt::Key_Return);
    EXPECT_EQ(messages.shown.size(), shown);
}
