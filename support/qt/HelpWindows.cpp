#include "HelpWindows.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <array>
#include <cctype>

#include "Calendars.h"

namespace vx {

std::string DocumentAddress(const std::string& docFolder, const std::string& page, const std::string& anchor) {
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(docFolder + page));
    if (!anchor.empty()) url.setFragment(QString::fromStdString(anchor));
    return url.toString(QUrl::FullyEncoded).toStdString();
}

namespace {

// The calendars as their rows name them, in the help's order, each with its
// section of the calendars' page (its code is the anchor).
std::string CalendarList(const std::string& doc) {
    std::array<std::string, NumberOfCalendars> rows{};
    for (const CalendarInfo& c : Calendars) {
        if (c.helpName.empty()) continue;
        std::string anchor;
        for (char ch : c.codeText) anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        rows[static_cast<size_t>(c.helpPlace)] =
            std::string(c.helpName) + ": " + DocumentAddress(doc, "calendars.html", anchor);
    }
    std::string list =
        "This software converts among dates in the following calendars (explained in the web pages "
        "indicated):";
    for (const std::string& row : rows)
        if (!row.empty()) list += "\r\n  " + row;
    return list;
}

}  // namespace

std::string HelpText(const std::string& doc) {
    std::string t;
    auto para = [&](const std::string& p) { t += p + "\r\n\r\n"; };
    para(CalendarList(doc));
    para("The addresses above can be selected and copied into a web browser.");
    para("Only what is not obvious is explained here; a fuller explanation is in the online documentation: " +
         DocumentAddress(doc, "index.html") + " (the command-line tool: " + DocumentAddress(doc, "command-line.html") +
         "; phases, eclipses and the sky from here: " + DocumentAddress(doc, "astronomy.html") + ").");
    para(
        "Conversion: type a date in any calendar into the date box and press Enter or Convert. A time of day may be "
        "given, except with AJD and CJD, as in 2003-12-31 CE 15:55. Clicking a displayed date copies it into the "
        "date box.");
    para("CE and JC dates are shown and entered as year-month-day (ISO 8601).");
    para(
        "A period is added or subtracted either with Move forward or back, after choosing a step such as 1 day or "
        "1 OLC month, or with the plus/minus value in days.");
    para(
        "Both Julian dates reflect delta T, the difference between GMT and terrestrial dynamical time, so the times "
        "shown for astronomical events are close to the times observed.");
    para(
        "The AJD is relative to the prime meridian and changes at noon GMT; it does not depend on the local time. "
        "The CJD is relative to local time and changes at local midnight. With local time equal to GMT the CJD "
        "exceeds the AJD by exactly 0.5; otherwise they differ by 0.5 plus or minus at most 0.5, depending on the "
        "local offset.");
    para("The time given for an eclipse is the time of its greatest intensity.");
    para(
        "The results of the eight most recent operations are kept in the history list; selecting one restores the "
        "display to it.");
    para(
        "Operations are recorded in a log while logging is on. The log text, or a selected part of it, can be "
        "copied into a text editor and printed there, or saved to a file with Save log as in the log window.");
    para(
        "Keyboard: Tab reaches each date line and the time line; Space or Enter on one does what a click does, "
        "Ctrl+C copies its value. Alt with a button's underlined letter presses it. Escape stops a repeated Move, "
        "F1 opens this help, Ctrl+M the eclipse map and Ctrl+L the sky from here.");
    para("The state can be saved at any time with Save state and is restored at the next start.");
    para(
        "Because delta T is too uncertain outside -1000 CE to 3000 CE for phases and eclipses, only dates from "
        "-3000-01-01 CE through 6000-01-01 CE (or the same days in other calendars) are accepted.");
    para(
        "The current and the next month of the Corvane Lunar Week Calendar (the months of the shown moment) print "
        "with the Print CLW months button below: it opens their printable sheet in the web browser, which prints "
        "each month on its own page. A whole CLW year prints from a page the command-line tool writes "
        "(vexaril-cli sheet CLW 5026 > clw-5026.html); more in " +
        DocumentAddress(doc, "printing.html") + ".");
    return t;
}

std::string CreditsText() {
    return "Vexaril was written, with its documentation, by the Vexaril developers in 2026.\r\n\r\n"
           "The calendars it supports: the Gregorian and Julian calendars; the Ombrine Lunar Calendar, the "
           "Dornel-Varrow Solilunar Calendar and the two Veltane Triday Calendars as the program defines them "
           "(their rules are in the documentation); and the Corvane Lunar Week Calendar of Corvane Systems.\r\n\r\n"
           "Lunar phases and eclipses are computed from VSOP87 (P. Bretagnon and G. Francou, Bureau des "
           "Longitudes) and the ELP/MPP02 lunar theory (J. Chapront and G. Francou), with methods from Jean Meeus, "
           "Astronomical Algorithms; the series' coefficients as the astronomia package publishes them "
           "(MIT licence, Copyright (c) 2013 Sonia Keys, (c) 2016 Commenthol). Delta T follows F. Espenak and J. "
           "Meeus.\r\n\r\n"
           "The eclipses were checked against the Five Millennium Canon of Solar and Lunar Eclipses: eclipse "
           "predictions by Fred Espenak, NASA's GSFC.\r\n\r\n"
           "Thanks to everyone who tested the program and suggested improvements.\r\n";
}

frmCredits::frmCredits(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Credits");
    txbMsg = new QPlainTextEdit(this);
    txbMsg->setReadOnly(true);
    txbMsg->setPlainText(QString::fromStdString(CreditsText()).replace("\r\n", "\n"));
    cmdClose = new QPushButton("Close", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txbMsg);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    resize(560, 360);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

namespace {

// The help text as a page: the addresses are links, the lines as written.
QString HelpPage(const std::string& text) {
    QString page = QString::fromStdString(text).toHtmlEscaped();
    // An address ends before a space, or before the punctuation that closes a sentence.
    static const QRegularExpression address(R"(((?:file|https?)://[^\s<>]*[^\s<>().,;]))");
    page.replace(address, R"(<a href="\1">\1</a>)");
    page.replace("\r\n", "<br>");
    return page;
}

}  // namespace

frmHelp::frmHelp(const std::string& docFolder, HelpActions actions, QWidget* parent)
    : QWidget(parent, Qt::Window), actions_(std::move(actions)) {
    setWindowTitle("Help screen for Vexaril");
    txbText = new QTextBrowser(this);
    txbText->setOpenLinks(false);
    txbText->setHtml(HelpPage(HelpText(docFolder)));
    txbText->setAccessibleName("Help text");
    cmdCredit = new QPushButton("Credits", this);
    cmdPrintClwMonths = new QPushButton("Print CLW months", this);
    cmdClose = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCredit);
    buttons->addStretch();
    buttons->addWidget(cmdPrintClwMonths);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txbText);
    layout->addLayout(buttons);
    // Enter presses the focused button, as in the main window.
    for (QPushButton* b : {cmdCredit, cmdPrintClwMonths, cmdClose}) b->setAutoDefault(true);
    connect(cmdCredit, &QPushButton::clicked, this, [this] { cmdCredit_Click(); });
    connect(cmdPrintClwMonths, &QPushButton::clicked, this, [this] {
        if (actions_.printClwMonths) actions_.printClwMonths();
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(txbText, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (actions_.open) actions_.open(url.toString(QUrl::FullyEncoded).toStdString());
    });
    cmdClose->installEventFilter(this);
}

void frmHelp::ShowHelp(const QRect& main) {
    if (isMinimized()) {
        showNormal();
        return;
    }
    if (!isVisible())
        setGeometry(main.left() + 14, main.top() + 33, std::max(400, main.width() - 28),
                    std::max(300, main.height() - 47));
    show();
    raise();
}

void frmHelp::cmdCredit_Click() {
    if (credits == nullptr) credits = new frmCredits(this);
    credits->move(geometry().center() - credits->rect().center());
    credits->exec();
}

void frmHelp::cmdClose_Click() { hide(); }

bool frmHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdClose && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1)
        cmdClose_Click();
    return QWidget::eventFilter(watched, event);
}

}  // namespace vx
