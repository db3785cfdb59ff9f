// The window as a screen reader and the keyboard reach it: every control
// named through QAccessible, the date lines in the Tab order and acting on
// Space and Ctrl+C, Escape and F1, and the current calendar seen without
// its colour.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <deque>
#include <fstream>
#include <iterator>
#include <set>
#include <cmath>

#include "HelpWindows.h"
#include "WindowFixture.h"

namespace {

QString AccessibleText(QObject* o, QAccessible::Text t) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    return iface != nullptr ? iface->text(t) : QString();
}

double Luminance(QRgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

// The highest contrast of a pixel of the caption's marker room against the
// caption's ground.
double MarkerContrast(QWidget* caption) {
    const QImage image = caption->grab().toImage();
    const double ground = Luminance(image.pixel(0, 0));
    double best = 1;
    const int room = std::min(image.width(), vx::ClickLabel::MarkerRoom * image.width() / caption->width());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < room; ++x) {
            const double l = Luminance(image.pixel(x, y));
            best = std::max(best, (std::max(l, ground) + 0.05) / (std::min(l, ground) + 0.05));
        }
    return best;
}

const char* const kDateLines[] = {
    "lblCommonEraDate",         "lblJulianCalendarDate", "lblOmbrineLunarDate", "lblDornelVarrowSLCDate",
    "lblVTCLunarDate",          "lblVTCSolarDate",       "lblCorvaneLWCDate",   "lblChronologicalJulianDate",
    "lblAstronomicalJulianDate"};

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// Every control a user works has a name; the inputs are named by their captions.
TEST_F(MainWindow, EveryControlHasAnAccessibleName) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QLineEdit*>(w) || w->focusPolicy() != Qt::NoFocus;
        if (!input || !w->isVisibleTo(window.get()) || w->objectName().isEmpty()) continue;
        EXPECT_FALSE(AccessibleText(w, QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
    const std::pair<QWidget*, QString> named[] = {{ui->txbDate, "Enter date/time"},
                                                  {ui->txbPlusMinus, "days"},
                                                  {ui->cboTimeZone, "Timezone (location)"},
                                                  {ui->cboTarget, "Search for"},
                                                  {ui->cboMoveStep, "Move step"},
                                                  {ui->cboHistory, "History"},
                                                  {ui->cboRefreshPeriod, "Refresh period (in seconds)"},
                                                  {ui->lblCommonEraDate[1], "Common Era"},
                                                  {ui->lblTime[1], "Time"},
                                                  {ui->cmdCompute, "Convert"}};
    for (const auto& [w, name] : named) EXPECT_EQ(AccessibleText(w, QAccessible::Name), name);
    // A value line reads its value; a list its item.
    EXPECT_EQ(AccessibleText(ui->lblCommonEraDate[1], QAccessible::Value), Value(ui->lblCommonEraDate));
    EXPECT_EQ(AccessibleText(ui->cboTimeZone, QAccessible::Value), ui->cboTimeZone->currentText());
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(ui->lblTime[1])->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), Value(ui->lblTime));
    Enter("2024-01-14 CE 12:00");
    const QString moon = AccessibleText(ui->Get<QWidget>("picMoon"), QAccessible::Name);
    EXPECT_TRUE(moon.startsWith("Moon, crescent moon (waxing), ") && moon.endsWith(" % lit")) << moon.toStdString();
    EXPECT_EQ(AccessibleText(ui->lblCommonEraDate[1], QAccessible::Description), "Current calendar");
    window->Model().Update([](vx::MomentState& s) { s.ShowingNow = true; });
    EXPECT_FALSE(AccessibleText(ui->picCheck, QAccessible::Description).isEmpty());
    // Every button and option has its mnemonic; its visible caption is unchanged.
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        EXPECT_FALSE(QKeySequence::mnemonic(b->text()).isEmpty()) << b->objectName().toStdString();
}

// On a date line (the Tab order is the layout test's) Space does what a
// click does and Ctrl+C copies the value; Escape stops a repeated Move; F1
// opens the help from any control.
TEST_F(MainWindow, TheKeyboardReachesEveryLine) {
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    Enter("2024-01-14 CE 12:00");
    QTest::keyClick(ui->lblJulianCalendarDate[1], Qt::Key_Space);
    EXPECT_EQ(ui->txbDate->text(), "2024-01-01 JC 12:00");
    EXPECT_TRUE(ui->lblJulianCalendarDate[0]->IsCurrent());
    EXPECT_FALSE(ui->lblCommonEraDate[0]->IsCurrent());
    ui->lblVTCSolarDate[1]->setFocus();
    QTest::keyClick(ui->lblVTCSolarDate[1], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.text, Value(ui->lblVTCSolarDate).toStdString());

    ui->cboMoveStep->setCurrentIndex(2);
    ui->chkRepeatedly->setChecked(true);
    ui->cboRefreshPeriod->setCurrentIndex(0);
    ui->cmdMove->click();
    ASSERT_TRUE(window->IsMoveRunning());
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : window.get(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->MoveActive(); }, 5000));

    for (QWidget* w : std::initializer_list<QWidget*>{ui->cboTarget, ui->lblCommonEraDate[1], ui->optNext}) {
        if (window->HelpWindow() != nullptr) window->HelpWindow()->hide();
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
        ASSERT_NE(window->HelpWindow(), nullptr) << w->objectName().toStdString();
        EXPECT_TRUE(window->HelpWindow()->isVisible()) << w->objectName().toStdString();
    }
}

// The current calendar's caption carries a marker of at least 3:1 against
// its ground; the others none.
TEST_F(MainWindow, TheCurrentCalendarIsMarkedBeyondItsColour) {
    for (const char* current : {"lblCommonEraDate", "lblCorvaneLWCDate"}) {
        window->show();
        QTest::mouseClick(ui->Pair(current)[0], Qt::LeftButton);
        for (const char* line : kDateLines) {
            const double contrast = MarkerContrast(ui->Pair(line)[0]);
            if (std::string(line) == current)
                EXPECT_GE(contrast, 3.0) << line;
            else
                EXPECT_LT(contrast, 1.2) << line << " while " << current << " is current";
        }
    }
}

// Every link of the help, and every link of the pages they reach, leads to a
// page of the documentation folder and its anchor; a click opens it.
TEST_F(MainWindow, EveryHelpLinkReachesAPageAndItsAnchor) {
    ui->cmdHelp->click();
    vx::frmHelp& help = *window->HelpWindow();
    std::deque<QUrl> links;
    for (QTextBlock b = help.txbText->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor()) links.emplace_back(it.fragment().charFormat().anchorHref());
    ASSERT_GE(links.size(), 11u) << "seven calendars, the contents, the tool, astronomy, printing";
    EXPECT_EQ(links.front().fileName(), "calendars.html");
    EXPECT_EQ(links.front().fragment(), "ce");
    help.txbText->anchorClicked(links.front());
    ASSERT_EQ(web.opened.size(), 1u);
    EXPECT_EQ(web.opened.back(), links.front().toString(QUrl::FullyEncoded).toStdString());

    static const QRegularExpression href(R"re((?:href|src)="([^"#][^"]*|#[^"]+)")re");
    std::set<QString> read;
    int followed = 0;
    for (; !links.empty(); links.pop_front()) {
        const QUrl url = links.front();
        if (url.scheme() != "file") continue;  // the web's own pages are not ours to check
        const std::string page = FileText(url.toLocalFile().toStdString());
        ASSERT_FALSE(page.empty()) << url.toString().toStdString();
        if (url.hasFragment()) {
            EXPECT_NE(page.find("id=\"" + url.fragment().toStdString() + "\""), std::string::npos)
                << url.toString().toStdString();
        }
        ++followed;
        if (!url.toLocalFile().endsWith(".html") || !read.insert(url.toLocalFile()).second) continue;
        for (auto m = href.globalMatch(QString::fromStdString(page)); m.hasNext();)
            links.push_back(url.resolved(QUrl(m.next().captured(1))));
    }
    EXPECT_GE(read.size(), 6u) << "index, calendars, astronomy, the tool, printing, Corvane Systems";
    EXPECT_GT(followed, 20);
}

// Print CLW months: the sheet of the shown moment's CLW month and the next,
// in a file of its own that the browser opens.
TEST_F(MainWindow, PrintClwMonthsOpensTheirSheet) {
    Enter("2025-03-30 CE 12:00");
    ui->cmdHelp->click();
    window->HelpWindow()->cmdPrintClwMonths->click();
    ASSERT_EQ(web.opened.size(), 1u);
    const QString path = QUrl(QString::fromStdString(web.opened.back())).toLocalFile();
    const std::string page = FileText(path.toStdString());
    QFile::remove(path);
    const std::string clw = Value(ui->lblCorvaneLWCDate).section(' ', 0, 0).toStdString();
    EXPECT_NE(page.find("data-clw=\"" + clw + "\""), std::string::npos) << clw;
    size_t sections = 0;
    for (size_t at = page.find("<section"); at != std::string::npos; at = page.find("<section", at + 1)) ++sections;
    EXPECT_EQ(sections, 2u);
}
