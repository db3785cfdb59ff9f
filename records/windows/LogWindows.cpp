#include "LogWindows.h"

#include "SavedState.h"

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
#include <QSignalBlocker>
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
    : QWidget(parent, Qt::Window),
      log_(log),
      services_(services),
      onLogEmptied_(std::move(onLogEmptied)),
      onClose_(std::move(onClose)) {
    txbText = new QPlainTextEdit(this);
    txbText->setFont(LogFont());
    txbText->setAccessibleName("Log");
    txbText->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdCopyToClipboard = new QPushButton("Copy to clipboard", this);
    cmdSave = new QPushButton("Save log as\u2026", this);
    cmdClear = new QPushButton("Clear log", this);
    cmdClose = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopyToClipboard);
    buttons->addWidget(cmdSave);
    buttons->addStretch();
    buttons->addWidget(cmdClear);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txbText);
    layout->addLayout(buttons);
    resize(900, 500);
    // Enter presses the focused button, as in the main window.
    for (QPushButton* b : {cmdCopyToClipboard, cmdSave, cmdClear, cmdClose}) b->setAutoDefault(true);
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, [this] { cmdCopyToClipboard_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    // The user may edit the log; the edits are the log, read back from the
    // box only when the log's text is next needed.
    connect(txbText, &QPlainTextEdit::textChanged, this, [this] {
        if (!updating_) log_.MarkEdited();
    });
    ShowChange(nullptr);
    log_.SetEditedSource([this] { return txbText->toPlainText().replace("\n", "\r\n").toStdString(); });
    log_.SetListener([this](const std::string* appended) { ShowChange(appended); });
    connect(txbText, &QPlainTextEdit::selectionChanged, this, [this] { UpdateCopyCaption(); });
    txbText->viewport()->installEventFilter(this);
}

frmLog::~frmLog() {
    log_.SetEditedSource(nullptr);
    log_.SetListener(nullptr);
}

// CR LF breaks are lines in the box. An append goes in at the end, leaving
// the user's caret and selection where they are.
void frmLog::ShowChange(const std::string* appended) {
    updating_ = true;
    if (appended != nullptr) {
        QTextCursor end(txbText->document());
        end.movePosition(QTextCursor::End);
        end.insertText(QString::fromStdString(*appended).replace("\r\n", "\n"));
    } else {
        txbText->setPlainText(QString::fromStdString(log_.Text()).replace("\r\n", "\n"));
    }
    updating_ = false;
}

void frmLog::ShowLog(const std::string& mainTitle) {
    setWindowTitle(QString::fromStdString("Log for " + mainTitle));
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
    // 3270 and 4425 twips wide, as the captions need.
    const bool selected = txbText->textCursor().hasSelection();
    cmdCopyToClipboard->setText(selected ? "Copy selected text to clipboard" : "Copy to clipboard");
    cmdCopyToClipboard->setFixedWidth((selected ? 4425 : 3270) * logicalDpiX() / TwipsPerInch);
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
        const QString text =
            c.hasSelection() ? c.selectedText().replace(QChar(0x2029), "\r\n") : QString::fromStdString(log_.Text());
        services_.clipboard->SetText(text.toStdString());
    }
    cmdCopyToClipboard->setText("Copy to clipboard");
    cmdCopyToClipboard->setFixedWidth(3270 * logicalDpiX() / TwipsPerInch);
    cmdClose->setFocus();
}

void frmLog::cmdSave_Click() {
    if (services_.files == nullptr) return;
    const std::string path = services_.files->Choose("Save log as", "vexaril-log.txt");
    if (path.empty()) return;
    std::string error;
    if (!WriteFileReplacing(path, log_.Text(), error))
        services_.messages->Show("Cannot save log", error, MessageIcon::Warning, MessageButtons::Ok);
}

bool frmLog::cmdClear_Click() {
    if (services_.messages->Show("Clear log", "Erase all data in the log?", MessageIcon::Question,
                                 MessageButtons::OkCancel) != MessageResult::Ok)
        return false;
    log_.Clear();
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
    onLogEmptied_();
    event->accept();
    onClose_();
}

frmLogPreferences::frmLogPreferences(LogPreferenceStore& prefs, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Window), prefs_(prefs), onClose_(std::move(onClose)) {
    setWindowTitle("Set log preferences");
    // Each calendar's box where its row puts it, the Moon's two between.
    std::array<std::string_view, IncludeBoxCount> captions{};
    captions[PhaseIncludeBox] = "Phase of Moon and illumination";
    captions[AgeIncludeBox] = "Lunation and age of Moon";
    for (const CalendarInfo& c : Calendars) captions[static_cast<size_t>(c.includeBox)] = c.includeText;
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Include in log entries:", this), 0, 0, 1, 2);
    for (int i = 0; i < IncludeBoxCount; ++i) {
        const std::string_view caption = captions[static_cast<size_t>(i)];
        include[static_cast<size_t>(i)] =
            new QCheckBox(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), this);
        layout->addWidget(include[static_cast<size_t>(i)], 1 + i % 6, i / 6);
        // Each box changes its own preference only.
        connect(include[static_cast<size_t>(i)], &QCheckBox::toggled, this,
                [this, i](bool on) { prefs_.Change([&](LogPreferences& p) { SetIncludeBox(p, i, on); }); });
    }
    layout->addWidget(new QLabel("Format:", this), 7, 0);
    optLogFormat = {new QRadioButton("calendar=date", this), new QRadioButton("date calendar,", this)};
    layout->addWidget(optLogFormat[0], 8, 0);
    layout->addWidget(optLogFormat[1], 8, 1);
    for (int i = 0; i < 2; ++i)
        connect(optLogFormat[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) prefs_.Change([&](LogPreferences& p) { p.optLogFormat = i; });
        });
    cmdSetALL = new QPushButton("Set all", this);
    cmdClearAll = new QPushButton("Clear all", this);
    cmdClose = new QPushButton("Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSetALL);
    buttons->addWidget(cmdClearAll);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons, 9, 0, 1, 2);
    for (QPushButton* b : {cmdSetALL, cmdClearAll, cmdClose}) b->setAutoDefault(true);
    connect(cmdSetALL, &QPushButton::clicked, this, [this] { cmdSetAll_Click(); });
    connect(cmdClearAll, &QPushButton::clicked, this, [this] { cmdClearAll_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        hide();
        onClose_();
    });
    Load();
    prefs_.SetListener([this] { Load(); });
}

frmLogPreferences::~frmLogPreferences() { prefs_.SetListener(nullptr); }

void frmLogPreferences::Load() {
    const LogPreferences prefs = prefs_.Get();
    for (int i = 0; i < IncludeBoxCount; ++i) {
        QCheckBox* box = include[static_cast<size_t>(i)];
        const QSignalBlocker quiet(box);
        box->setChecked(IncludeBox(prefs, i));
    }
    for (QRadioButton* o : optLogFormat) o->blockSignals(true);
    optLogFormat[prefs.optLogFormat == 0 ? 0 : 1]->setChecked(true);
    for (QRadioButton* o : optLogFormat) o->blockSignals(false);
}

void frmLogPreferences::ShowPreferences() {
    Load();
    show();
    raise();
    cmdClose->setFocus();
}

void frmLogPreferences::cmdSetAll_Click() {
    prefs_.Change([](LogPreferences& p) {
        for (int i = 0; i < IncludeBoxCount; ++i) SetIncludeBox(p, i, true);
    });
}

void frmLogPreferences::cmdClearAll_Click() {
    prefs_.Change([](LogPreferences& p) {
        for (int i = 0; i < IncludeBoxCount; ++i) SetIncludeBox(p, i, false);
    });
}

}  // namespace vx
