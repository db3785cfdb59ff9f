// Start-up, the handlers' connections, the lists' contents, enabling, and
// quitting.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "Equinox.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "PhaseQueries.h"
#include "ProgramData.h"
#include "SavedState.h"
#include "VexarilVersion.h"
#include "WebPage.h"
#include "WindowStyle.h"
#include "MapWindow.h"
#include "frmMain.h"

namespace vx {

namespace {

constexpr const char* kVersion = VX_VERSION;

}  // namespace

frmMain::frmMain(Services services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName("frmMain");
    BuildControls();
    // Labels show data (a restored eclipse caption among them): never as markup.
    for (QLabel* label : findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    ConnectHandlers();
    model_.AddListener([this](unsigned changes) { FollowModel(changes); });
}

// The side windows listen to the log and its preferences, members of this
// window: they go first.
frmMain::~frmMain() {
    delete logWindow;
    delete prefsWindow;
    delete helpWindow;
}

void frmMain::ConnectHandlers() {
    ConnectCommands();
    ConnectOptions();
    ConnectMoveAndHistory();
    ConnectLabels();
    SetUpKeyboard();
}

// The commands, the clock and the zone list.
void frmMain::ConnectCommands() {
    connect(cmdCompute, &QPushButton::clicked, this, [this] { cmdCompute_Click(); });
    connect(cmdClearDate, &QPushButton::clicked, this, [this] { cmdClearDate_Click(); });
    connect(cmdNow, &QPushButton::clicked, this, [this] { cmdNow_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(Clock, &QTimer::timeout, this, [this] { Clock_Timer(); });
    connect(cboTimeZone, &QComboBox::currentIndexChanged, this, [this] { cboTimeZone_Click(); });
}

// The option pairs colour themselves and refocus; the zone pair redisplays.
void frmMain::ConnectOptions() {
    connect(optPlus, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        SetOptionColours(optPlus, optMinus);
        if (isVisible()) SetTheFocus();
    });
    connect(optMinus, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        SetOptionColours(optMinus, optPlus);
        if (isVisible()) SetTheFocus();
    });
    // The Moment stays; only the clock it is shown on changes.
    auto zoneOption = [this](QRadioButton* selected, QRadioButton* other) {
        SetOptionColours(selected, other);
        const bool local = selected == optLocal;
        model_.Update([local](MomentState& s) { s.local = local; });
        if (isVisible() && !RestoringFromHistory) SetTheFocus();
    };
    connect(optGreenwich, &QRadioButton::toggled, this, [=, this](bool on) {
        if (on) zoneOption(optGreenwich, optLocal);
    });
    connect(optLocal, &QRadioButton::toggled, this, [=, this](bool on) {
        if (on) zoneOption(optLocal, optGreenwich);
    });
    connect(optNext, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        SetOptionColours(optNext, optPrevious);
        if (isVisible()) FocusSearchOrQuit();
    });
    connect(optPrevious, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        SetOptionColours(optPrevious, optNext);
        if (isVisible()) FocusSearchOrQuit();
    });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cboTarget, &QComboBox::activated, this, [this] { SetTheFocus(); });
    for (int i = 0; i < 2; ++i)
        connect(optMoveDirection[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on) return;
            SetOptionColours(optMoveDirection[i], optMoveDirection[1 - i]);
            if (isVisible()) FocusMoveOrQuit();
        });
    connect(chkLog, &QCheckBox::toggled, this, [this](bool on) {
        LoggingOn = on;
        SetTextColour(chkLog, on ? QColor(255, 255, 255) : QColor(200, 200, 200));
        if (isVisible()) SetTheFocus();
    });
}

// History, log, state, Reset and the Move controls.
void frmMain::ConnectMoveAndHistory() {
    connect(cboHistory, &QComboBox::currentIndexChanged, this, [this] { cboHistory_Click(); });
    connect(cmdLogThisResult, &QPushButton::clicked, this, [this] { cmdLogThisResult_Click(); });
    connect(cmdSaveState, &QPushButton::clicked, this, [this] { cmdSaveState_Click(); });
    connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(cmdMove, &QPushButton::clicked, this, [this] { cmdMove_Click(); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
    connect(cmdPauseResume, &QPushButton::clicked, this, [this] { cmdPauseResume_Click(); });
    connect(cboRefreshPeriod, &QComboBox::activated, this, [this] { cboRefreshPeriod_Click(); });
    connect(cboMoveStep, &QComboBox::activated, this, [this] {
        if (isVisible()) FocusMoveOrQuit();
    });
    connect(chkRepeatedly, &QCheckBox::toggled, this, [this](bool on) {
        SetTextColour(chkRepeatedly, on ? HighlightColour : NormalColour);
        if (isVisible()) FocusMoveOrQuit();
    });
}

// Clicks on the date lines, the time line and the links; the side windows.
void frmMain::ConnectLabels() {
    for (int c = 0; c < NumberOfCalendars; ++c)
        for (int e = 0; e < 2; ++e)
            connect(DateLine(c)[e], &ClickLabel::clicked, this, [this, c, e] { CopyDateLineToEntry(c, e); });
    for (int e = 0; e < 2; ++e) connect(lblTime[e], &ClickLabel::clicked, this, [this] { AppendTimeToEntry(); });
    connect(cmdViewLog, &QPushButton::clicked, this, [this] { cmdViewLog_Click(); });
    connect(cmdLogPreferences, &QPushButton::clicked, this, [this] { cmdLogPreferences_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(lblOnlineDocumentation, &ClickLabel::clicked, this, [this] {
        if (services_.web != nullptr) OpenWebPage(DocumentationAddress(), *services_.web, *services_.messages);
        FocusDateEntry();
    });
    connect(lblCorvaneSystems, &ClickLabel::clicked, this, [this] {
        if (services_.web != nullptr)
            OpenWebPage(DocumentationFolder() + "corvane-systems.html", *services_.web, *services_.messages);
    });
}

void frmMain::SetOptionColours(QRadioButton* selected, QRadioButton* other) {
    SetTextColour(selected, HighlightColour);
    SetTextColour(other, NormalColour);
}

LabelPair& frmMain::DateLine(int calendar) { return dateLines_[static_cast<size_t>(CalendarOf(calendar).code)]; }

void frmMain::Form_Load() {
    blnStartUpCompleted = false;
    windowTitle_ = std::string("Vexaril ") + kVersion;
    setWindowTitle(QString::fromStdString(windowTitle_));
    EnableDisableFunctions(true);
    cmdQuit->setEnabled(true);
    cmdNow->setEnabled(true);
    InitialiseMainWindow();
    // A second window of the program opens beside the first, not on it.
    const int cascade = 32 * InstanceSlot;
    move(100 * logicalDpiX() / TwipsPerInch + cascade, 100 * logicalDpiY() / TwipsPerInch + cascade);
    model_.Update([](MomentState& s) { s.CurrentCalendar = CE; });
    HighlightCurrentCalendar();
    show();
    setWindowTitle(QString::fromStdString(windowTitle_));
    EnableDisableFunctions(true);
    cmdQuit->setEnabled(true);
    cmdNow->setEnabled(true);
    SetTheFocus();
    if (!RestoreSavedState()) {
        RestoringSavedState = false;
        cmdNow_Click();
        cmdSaveState->setEnabled(true);
        SetTheFocus();
    }
    blnStartUpCompleted = true;
}

void frmMain::InitialiseMainWindow() {
    SetInitialValues();
    // One-time initialisations of the other modules, in their order.
    InitPhaseConstants();
    FillEquinoxTermTable();
    DateLine(CLW)[0]->setVisible(true);
    DateLine(CLW)[1]->setVisible(true);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        QFont f = b->font();
        f.setBold(false);
        b->setFont(f);
    }
    FillLists();
    ResetDisplayColours();
    model_.Update([this](MomentState& s) { s.AppliedZoneOffset = SelectedZoneOffset(); });
    SetOptionColours(optLocal, optGreenwich);
    SetOptionColours(optMoveDirection[0], optMoveDirection[1]);
    SetOptionColours(optNext, optPrevious);
    SetOptionColours(optPlus, optMinus);
    LoggingOn = chkLog->isChecked();
}

// The option buttons and check boxes as a first start (and Reset) leaves them.
void frmMain::SetDefaultOptions() {
    optLocal->setChecked(true);
    optNext->setChecked(true);
    optPlus->setChecked(true);
    optMoveDirection[0]->setChecked(true);
    chkRepeatedly->setChecked(false);
    chkLog->setChecked(false);
}

void frmMain::SetInitialValues() {
    strPicPath = ProgramDataFolder(QCoreApplication::applicationDirPath().toStdString(), VX_BIN_TO_DATA) + "/";
    SavedStatePath = DataFilePath(SavedStateFileName, SavedStateFolderName);
    LoadPlace();
    painter_ = MoonPainter(strPicPath);
    NowRefreshSeconds = 5;
    intMaxX = intMaxY = 89;
    model_.Update([](MomentState& s) {
        s.EclipseCaption.clear();
        s.search.LastEclipseLunation = NoLunation;
        s.ShowingNow = false;
    });
    SetDefaultOptions();
    picCheck->setVisible(false);
}

void frmMain::FillLists() {
    cboTimeZone->blockSignals(true);
    cboTimeZone->clear();
    for (int z = -24; z <= 24; ++z) cboTimeZone->addItem(QString::fromStdString(ZoneItemText(z * 30)));
    cboTimeZone->setCurrentIndex(24);
    cboTimeZone->blockSignals(false);

    cboMoveStep->clear();
    for (StepUnit unit = 0; unit < NumberOfStepUnits; ++unit)
        cboMoveStep->addItem(
            QString::fromUtf8(StepUnitText(unit).data(), static_cast<qsizetype>(StepUnitText(unit).size())));
    cboMoveStep->setCurrentIndex(Step::Day);

    cboRefreshPeriod->clear();
    for (std::string_view period : RefreshPeriods)
        cboRefreshPeriod->addItem(QString::fromUtf8(period.data(), static_cast<qsizetype>(period.size())));
    cboRefreshPeriod->setCurrentIndex(2);

    // The targets as the search describes them; the first four carry their phase.
    cboTarget->clear();
    for (SearchTarget target = 0; target < NumberOfSearchTargets; ++target) {
        const SearchTargetInfo& info = SearchTargetOf(target);
        const QString text = QString::fromUtf8(info.text.data(), static_cast<qsizetype>(info.text.size()));
        if (info.itemPhase >= 0)
            cboTarget->addItem(text, info.itemPhase);
        else
            cboTarget->addItem(text);
    }
    cboTarget->setCurrentIndex(Target::FullMoon);
}

void frmMain::ResetDisplayColours() {
    for (QWidget* w : std::initializer_list<QWidget*>{lblPhaseOfMoon[0], lblAgeOfMoon[0], lblTime[0], lblDeltaT[0],
                                                      lblTimeSystem, lblTimeZone, lblDays})
        SetTextColour(w, NormalColour);
    for (int c = 0; c < NumberOfCalendars; ++c) DateLine(c)[1]->clear();
    for (LabelPair* p : {&lblPhaseOfMoon, &lblAgeOfMoon, &lblTime, &lblDeltaT}) (*p)[1]->clear();
    picMoon->Clear();
}

void frmMain::EnableDisableFunctions(bool enable) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdMove, cmdCompute, cmdClearDate, cmdReset, cmdSearch, cmdLogPreferences,
                                         cmdLogThisResult, chkLog, cmdSaveState, txbDate, txbPlusMinus})
        w->setEnabled(enable);
    cmdViewLog->setEnabled(enable && !Log.Empty());
    FocusMoveOrQuit();
}

void frmMain::HighlightCurrentCalendar() {
    for (int c = 0; c < NumberOfCalendars; ++c) {
        const bool current = c == Shown().CurrentCalendar;
        SetTextColour(DateLine(c)[0], current ? HighlightColour : NormalColour);
        DateLine(c)[0]->SetCurrent(current);
        DateLine(c)[1]->setAccessibleDescription(current ? "Current calendar" : "");
    }
}

void frmMain::cmdQuit_Click() { QApplication::exit(0); }

void frmMain::closeEvent(QCloseEvent* event) {
    // A running Move ends with the program; nothing of it is recorded.
    moveActive_ = MoveRunning = MovePaused = false;
    Clock->stop();
    if (logWindow != nullptr && logWindow->isVisible()) logWindow->hide();
    if (mapWindow != nullptr && mapWindow->isVisible()) mapWindow->hide();
    event->accept();
    cmdQuit_Click();
}

}  // namespace vx
