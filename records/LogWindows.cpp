#include "LogWindows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vx {

namespace {

// Courier New where it is installed, otherwise the system's fixed-pitch font.
QFont LogFont() {
    QFont f("Courier New");
    if (!QFontInfo(f).fixedPitch()) f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return f;
}

}  // namespace

frmLog::frmLog(LogBook& log, Services services, std::function<void()> onLogEmptied, std::function<void()> onClose,
               QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log), services_(services), onLogEmptied_(std::move(onLogEmptied)),
      onClose_(std::move(onClose)) {
    txbText = new QPlainTextEdit(this);
    txbText->setFont(LogFont());
    txbText->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdCopyToClipboard = new QPushButton("Copy to clipboard", this);
    cmdClear = new QPushButton("Clear log", this);
    cmdClose = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopyToClipboard);
    buttons->addStretch();
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txbText);
    layout->addLayout(buttons);
    resize(900, 500);
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, [this] { cmdCopyToClipboard_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    // The user may edit the log; the edits are the log.
    connect(txbText, &QPlainTextEdit::textChanged, this, [this] {
        if (!updating_) log_.SetText(txbText->toPlainText().replace("\n", "\r\n").toStdString());
    });
    connect(txbText, &QPlainTextEdit::selectionChanged, this, [this] { UpdateCopyCaption(); });
    txbText->viewport()->installEventFilter(this);
}

void frmLog::ShowLog(const std::string& mainTitle) {
    setWindowTitle(QString::fromStdString("Log for " + mainTitle));
    updating_ = true;
    // CR LF breaks are lines in the box.
    txbText->setPlainText(QString::fromStdString(log_.Text()).replace("\r\n", "\n"));
    updating_ = false;
    QTextCursor end = txbText->textCursor();
    end.movePosition(QTextCursor::End);
    txbText->setTextCursor(end);
    cmdCopyToClipboard->setEnabled(true);
    UpdateCopyCaption();
    if (isMinimized()) showNormal();
    show();
    raise();
    cmdClose->setFocus();
}

void frmLog::UpdateCopyCaption() {
    // 3270 and 4425 twips wide (1/1440 inch), as the captions need.
    const bool selected = txbText->textCursor().hasSelection();
    cmdCopyToClipboard->setText(selected ? "Copy selected text to clipboard" : "Copy to clipboard");
    cmdCopyToClipboard->setFixedWidth((selected ? 4425 : 3270) * logicalDpiX() / 1440);
}

bool frmLog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txbText->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && cmdCopyToClipboard->isEnabled())
        UpdateCopyCaption();
    return QWidget::eventFilter(watched, event);
}

void frmLog::cmdCopyToClipboard_Click() {
    if (!log_.Empty() && services_.clipboard != nullptr) {
        services_.clipboard->Clear();
        const QTextCursor c = txbText->textCursor();
        const QString text = c.hasSelection() ? c.selectedText().replace(QChar(0x2029), "\r\n")
                                              : QString::fromStdString(log_.Text());
        services_.clipboard->SetText(text.toStdString());
    }
    cmdCopyToClipboard->setText("Copy to clipboard");
    cmdCopyToClipboard->setFixedWidth(3270 * logicalDpiX() / 1440);
    cmdClose->setFocus();
}

bool frmLog::cmdClear_Click() {
    if (services_.messages->Show("Clear log", "Erase all data in the log?", MessageIcon::Question,
                                 MessageButtons::OkCancel) != MessageResult::Ok)
        return false;
    log_.Clear();
    updating_ = true;
    txbText->clear();
    updating_ = false;
    onLogEmptied_();
    cmdClose_Click();
    return true;
}

void frmLog::cmdClose_Click() {
    hide();
    onClose_();
}

void frmLog::closeEvent(QCloseEvent* event) {
    // Closed through the title bar: the log goes with the window.
    log_.Clear();
    updating_ = true;
    txbText->clear();
    updating_ = false;
    onLogEmptied_();
    event->accept();
    onClose_();
}

frmLogPreferences::frmLogPreferences(LogPreferences& prefs, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Window), prefs_(prefs), onClose_(std::move(onClose)) {
    setWindowTitle("Set log preferences");
    const char* captions[11] = {"CE (Common Era Calendar)",
                                "JC (Julian Calendar)",
                                "OLC (Ombrine Lunar Calendar)",
                                "DV (Dornel-Varrow Solilunar Calendar)",
                                "LVT (Lunar Veltane Triday Calendar)",
                                "SVT (Solar Veltane Triday Calendar)",
                                "CJD (Chronological Julian Date)",
                                "AJD (Astronomicall Julian Date)",
                                "Phase of Moon and illumination",
                                "Lunation and age of Moon",
                                "CLW (Corvane Lunar Week Calendar)"};
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Include in log entries:", this), 0, 0, 1, 2);
    for (int i = 0; i < 11; ++i) {
        include[static_cast<size_t>(i)] = new QCheckBox(captions[i], this);
        layout->addWidget(include[static_cast<size_t>(i)], 1 + i % 6, i / 6);
        connect(include[static_cast<size_t>(i)], &QCheckBox::toggled, this, [this] { Store(); });
    }
    layout->addWidget(new QLabel("Format:", this), 7, 0);
    optLogFormat = {new QRadioButton("calendar=date", this), new QRadioButton("date calendar,", this)};
    layout->addWidget(optLogFormat[0], 8, 0);
    layout->addWidget(optLogFormat[1], 8, 1);
    for (QRadioButton* o : optLogFormat) connect(o, &QRadioButton::toggled, this, [this] { Store(); });
    cmdSetALL = new QPushButton("Set all", this);
    cmdClearAll = new QPushButton("Clear all", this);
    cmdClose = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSetALL);
    buttons->addWidget(cmdClearAll);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons, 9, 0, 1, 2);
    connect(cmdSetALL, &QPushButton::clicked, this, [this] { cmdSetAll_Click(); });
    connect(cmdClearAll, &QPushButton::clicked, this, [this] { cmdClearAll_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        hide();
        onClose_();
    });
}

void frmLogPreferences::Load() {
    // Window order: CE JC OLC DV LVT SVT CJD AJD phase age CLW; the record
    // keeps the calendars in log order CE JC OLC DV LVT SVT CLW CJD AJD.
    const auto& c = prefs_.includeCalendar;
    const bool values[11] = {c[0], c[1], c[2], c[3], c[4], c[5], c[7], c[8], prefs_.includePhaseOfMoonAndIllumination,
                             prefs_.includeLunationAndAgeOfMoon, c[6]};
    const LogPreferences keep = prefs_;
    for (size_t i = 0; i < 11; ++i) {
        include[i]->blockSignals(true);
        include[i]->setChecked(values[i]);
        include[i]->blockSignals(false);
    }
    for (QRadioButton* o : optLogFormat) o->blockSignals(true);
    optLogFormat[keep.optLogFormat == 0 ? 0 : 1]->setChecked(true);
    for (QRadioButton* o : optLogFormat) o->blockSignals(false);
}

void frmLogPreferences::Store() {
    auto on = [&](size_t i) { return include[i]->isChecked(); };
    prefs_.includeCalendar = {on(0), on(1), on(2), on(3), on(4), on(5), on(10), on(6), on(7)};
    prefs_.includePhaseOfMoonAndIllumination = on(8);
    prefs_.includeLunationAndAgeOfMoon = on(9);
    prefs_.optLogFormat = optLogFormat[1]->isChecked() ? 1 : 0;
}

void frmLogPreferences::ShowPreferences() {
    Load();
    show();
    raise();
    cmdClose->setFocus();
}

void frmLogPreferences::cmdSetAll_Click() {
    for (QCheckBox* c : include) c->setChecked(true);
}

void frmLogPreferences::cmdClearAll_Click() {
    for (QCheckBox* c : include) c->setChecked(false);
}

}  // namespace vx
