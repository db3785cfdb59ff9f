// Building the window, start-up, enabling and focus, quitting.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "Corvane.h"
#include "Equinox.h"
#include "PhaseQueries.h"
#include "SavedState.h"
#include "TextHelpers.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "WebPage.h"
#include "ProgramData.h"
#include "VexarilVersion.h"
#include "frmMain.h"

namespace vx {

namespace {

constexpr const char* kVersion = VX_VERSION;
const QColor kCaptionColour(224, 224, 224);
// The widest text a value line shows (the lunar week calendar's longest
// date); the window's tests check every line's longest text against it.
// The widest line of an eclipse caption.
const QString kWidestEclipseLine = "Penumbral phase starts 00:00 and lasts 5h 58m.";
const QString kWidestValue = "-2999-13-4-7 CLW (Lumaday in Quartweek of Vennmonth, -2999)";

// Text colours are kept in a property as well, so that the program (and its
// tests) can read back what it set. They are the colours of an enabled
// control; a disabled one is drawn halfway to the navy background, so that
// it looks disabled.
void SetTextColour(QWidget* w, const QColor& c) {
    w->setProperty("vxTextColour", c);
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, c);
    p.setColor(QPalette::Inactive, QPalette::WindowText, c);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor((c.red() + 0) / 2, (c.green() + 0) / 2, (c.blue() + 128) / 2));
    w->setPalette(p);
}

// A control that keeps its place while hidden, so showing it never moves
// or grows anything.
void KeepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// Tighter spacing than the style's default: the window fits a 960 x 540
// screen (a 1920 x 1080 one at 200 %).
void Tighten(QLayout* layout, int spacing = 4) {
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(spacing);
    // Rows close together, but a caption never touches its value.
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) grid->setHorizontalSpacing(6);
}

QFrame* NewFrame(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

// The small check mark shown while the display follows the clock.
}  // namespace

void CheckMarkLabel::paintEvent(QPaintEvent*) {
    // Drawn in the label's own coordinates, so at every scale the mark has
    // the screen's pixels (a 27 x 28 bitmap would be enlarged, blocky).
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 128));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 230, 120), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(5, 15), QPointF(11, 21));
    p.drawLine(QPointF(11, 21), QPointF(22, 7));
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit clicked();
}

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

namespace {

const QColor kValueColour(255, 255, 128);

ClickLabel* NewCaption(QWidget* parent, const char* text) {
    auto* l = new ClickLabel(QString::fromUtf8(text), parent);
    SetTextColour(l, kCaptionColour);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

ClickLabel* NewValue(QWidget* parent) {
    auto* l = new ClickLabel(parent);
    SetTextColour(l, kValueColour);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    // As wide as the longest value of any line, whatever it shows now: a new
    // text never changes the window's size.
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(kWidestValue));
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return l;
}

LabelPair NewPair(QWidget* parent, const char* text) { return LabelPair{NewCaption(parent, text), NewValue(parent)}; }

}  // namespace

// The controls frame by frame, then the window's own labels and the layout.
void frmMain::BuildControls() {
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(navy);
    BuildDatesFrame();
    BuildTimeFrame();
    BuildConvertFrame();
    BuildSearchFrame();
    BuildMoveFrames();
    BuildHistoryFrame();
    BuildWindowLabels();
    AssembleWindow();
    NameControls();
}

// Every control's object name is its member's name: the tests and anyone
// inspecting the window find them by it.
void frmMain::NameControls() {
    const std::pair<QObject*, const char*> controls[] = {
        {fraDates, "fraDates"}, {fraTime, "fraTime"}, {fraConvert, "fraConvert"}, {fraSearch, "fraSearch"},
        {fraMove, "fraMove"}, {fraMoveStep, "fraMoveStep"}, {fraMoveDirection, "fraMoveDirection"},
        {fraStopPauseResume, "fraStopPauseResume"}, {fraHistory, "fraHistory"}, {cmdNow, "cmdNow"},
        {picCheck, "picCheck"}, {lblTimeZone, "lblTimeZone"}, {lblTimeSystem, "lblTimeSystem"},
        {lblEnterDateTime, "lblEnterDateTime"}, {lblDays, "lblDays"}, {lblRefreshPeriod, "lblRefreshPeriod"},
        {lblSearching, "lblSearching"}, {lblActualEclipseData, "lblActualEclipseData"},
        {lblOnlineDocumentation, "lblOnlineDocumentation"}, {lblCorvaneSystems, "lblCorvaneSystems"},
        {optGreenwich, "optGreenwich"}, {optLocal, "optLocal"}, {optPlus, "optPlus"}, {optMinus, "optMinus"},
        {optNext, "optNext"}, {optPrevious, "optPrevious"}, {optMoveDirection[0], "optMoveDirection(0)"},
        {optMoveDirection[1], "optMoveDirection(1)"}, {cboTimeZone, "cboTimeZone"}, {cboTarget, "cboTarget"},
        {cboMoveStep, "cboMoveStep"}, {cboRefreshPeriod, "cboRefreshPeriod"}, {cboHistory, "cboHistory"},
        {txbDate, "txbDate"}, {txbPlusMinus, "txbPlusMinus"}, {cmdCompute, "cmdCompute"},
        {cmdClearDate, "cmdClearDate"}, {cmdReset, "cmdReset"}, {cmdSearch, "cmdSearch"}, {cmdMove, "cmdMove"},
        {cmdStop, "cmdStop"}, {cmdPauseResume, "cmdPauseResume"}, {cmdLogThisResult, "cmdLogThisResult"},
        {cmdViewLog, "cmdViewLog"}, {cmdLogPreferences, "cmdLogPreferences"}, {cmdSaveState, "cmdSaveState"},
        {cmdHelp, "cmdHelp"}, {cmdQuit, "cmdQuit"}, {chkRepeatedly, "chkRepeatedly"}, {chkLog, "chkLog"},
        {picMoon, "picMoon"}, {Clock, "Clock"}};
    for (const auto& [control, name] : controls) control->setObjectName(QString::fromLatin1(name));
    std::vector<std::pair<LabelPair*, QString>> pairs = {
        {&lblPhaseOfMoon, "lblPhaseOfMoon"}, {&lblAgeOfMoon, "lblAgeOfMoon"}, {&lblTime, "lblTime"}, {&lblDeltaT, "lblDeltaT"}};
    for (const CalendarInfo& c : Calendars)
        pairs.emplace_back(&DateLine(c.code),
                           QString::fromUtf8(c.lineControl.data(), static_cast<qsizetype>(c.lineControl.size())));
    for (const auto& [pair, name] : pairs)
        for (int element = 0; element < 2; ++element)
            (*pair)[element]->setObjectName(name + "(" + QString::number(element) + ")");
}

void frmMain::BuildDatesFrame() {
    // The dates, the Moon's data and the picture.
    fraDates = NewFrame(this);
    for (int code : CalendarsInDisplayOrder())
        DateLine(code) = NewPair(fraDates, std::string(CalendarOf(code).caption).c_str());
    lblPhaseOfMoon = NewPair(fraDates, "Phase of Moon, illumination:");
    lblAgeOfMoon = NewPair(fraDates, "[Lunation] Age of Moon:");
    cmdNow = new QPushButton("Now", fraDates);
    picCheck = new CheckMarkLabel(fraDates);
    picCheck->setFixedSize(27, 28);
    picMoon = new MoonPictureBox(fraDates);

    auto* dates = new QGridLayout(fraDates);
    Tighten(dates, 1);
    std::vector<const LabelPair*> lines;
    for (int code : CalendarsInDisplayOrder()) lines.push_back(&DateLine(code));
    lines.push_back(&lblPhaseOfMoon);
    lines.push_back(&lblAgeOfMoon);
    int row = 0;
    for (const LabelPair* p : lines) {
        dates->addWidget((*p)[0], row, 0);
        dates->addWidget((*p)[1], row, 1);
        ++row;
    }
    // The check mark keeps its place while hidden: Now does not jump.
    KeepPlaceWhenHidden(picCheck);
    auto* moonColumn = new QVBoxLayout;
    moonColumn->setSpacing(2);
    moonColumn->addWidget(picMoon, 0, Qt::AlignHCenter);
    auto* nowRow = new QHBoxLayout;
    nowRow->addStretch();
    nowRow->addWidget(cmdNow);
    nowRow->addWidget(picCheck);
    nowRow->addStretch();
    moonColumn->addLayout(nowRow);
    moonColumn->addStretch();
    dates->addLayout(moonColumn, 0, 2, row, 1);
    dates->setColumnStretch(1, 1);
}

void frmMain::BuildTimeFrame() {
    // Time.
    fraTime = NewFrame(this);
    lblTime = NewPair(fraTime, "Time:");
    lblDeltaT = NewPair(fraTime, "Delta T:");
    lblTimeZone = NewCaption(fraTime, "Local time:");
    optGreenwich = new QRadioButton("Greenwich", fraTime);
    optLocal = new QRadioButton("Local", fraTime);
    lblTimeSystem = NewCaption(fraTime, "Timezone (location):");
    cboTimeZone = new QComboBox(fraTime);
    // The time line and delta T are short: as wide as their longest texts.
    lblTime[1]->setMinimumWidth(lblTime[1]->fontMetrics().horizontalAdvance("00:00 (Greenwich CLW)"));
    lblDeltaT[1]->setMinimumWidth(lblDeltaT[1]->fontMetrics().horizontalAdvance("23 hours and 59 minutes"));
    auto* time = new QGridLayout(fraTime);
    Tighten(time, 2);
    time->addWidget(lblTime[0], 0, 0);
    time->addWidget(lblTime[1], 0, 1);
    time->addWidget(lblDeltaT[0], 0, 2);
    time->addWidget(lblDeltaT[1], 0, 3);
    time->addWidget(lblTimeZone, 1, 0);
    auto* zoneOptions = new QHBoxLayout;
    zoneOptions->addWidget(optGreenwich);
    zoneOptions->addWidget(optLocal);
    zoneOptions->addStretch();
    time->addLayout(zoneOptions, 1, 1);
    time->addWidget(lblTimeSystem, 1, 2);
    time->addWidget(cboTimeZone, 1, 3);
    time->setColumnStretch(1, 1);
    time->setColumnStretch(3, 1);
}

void frmMain::BuildConvertFrame() {
    // Entering and converting a date.
    fraConvert = NewFrame(this);
    lblEnterDateTime = NewCaption(fraConvert, "Enter date/time:");
    txbDate = new QLineEdit(fraConvert);
    txbDate->setMinimumWidth(txbDate->fontMetrics().horizontalAdvance(QString(30, '0')));
    cmdCompute = new QPushButton("Convert", fraConvert);
    cmdClearDate = new QPushButton("Clear", fraConvert);
    optPlus = new QRadioButton("plus", fraConvert);
    optMinus = new QRadioButton("minus", fraConvert);
    txbPlusMinus = new QLineEdit(fraConvert);
    txbPlusMinus->setMaximumWidth(txbPlusMinus->fontMetrics().horizontalAdvance(QString(12, '0')));
    lblDays = NewCaption(fraConvert, "days");
    lblDays->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cmdReset = new QPushButton("Reset", fraConvert);
    auto* convert = new QGridLayout(fraConvert);
    Tighten(convert, 2);
    convert->addWidget(lblEnterDateTime, 0, 0);
    convert->addWidget(txbDate, 0, 1, 1, 5);
    convert->addWidget(cmdCompute, 0, 6);
    convert->addWidget(cmdClearDate, 0, 7);
    convert->addWidget(optPlus, 1, 1);
    convert->addWidget(optMinus, 1, 2);
    convert->addWidget(txbPlusMinus, 1, 3);
    convert->addWidget(lblDays, 1, 4);
    convert->addWidget(cmdReset, 1, 7);
    convert->setColumnStretch(5, 1);
}

void frmMain::BuildSearchFrame() {
    // Search.
    fraSearch = NewFrame(this);
    cboTarget = new QComboBox(fraSearch);
    optNext = new QRadioButton("next", fraSearch);
    optPrevious = new QRadioButton("previous", fraSearch);
    cmdSearch = new QPushButton("Search for", fraSearch);
    auto* search = new QHBoxLayout(fraSearch);
    Tighten(search);
    search->addWidget(cmdSearch);
    search->addWidget(optNext);
    search->addWidget(optPrevious);
    search->addWidget(cboTarget, 1);
}

void frmMain::BuildMoveFrames() {
    // Move.
    fraMove = NewFrame(this);
    fraMoveStep = new QFrame(fraMove);
    fraMoveDirection = new QFrame(fraMove);
    cboMoveStep = new QComboBox(fraMoveStep);
    optMoveDirection = {new QRadioButton("forward", fraMoveDirection), new QRadioButton("back", fraMoveDirection)};
    cmdMove = new QPushButton("Move", fraMove);
    chkRepeatedly = new QCheckBox("repeatedly", fraMove);
    fraStopPauseResume = new QFrame(this);
    cmdStop = new QPushButton("Stop", fraStopPauseResume);
    cmdPauseResume = new QPushButton("Pause", fraStopPauseResume);
    lblRefreshPeriod = NewCaption(fraStopPauseResume, "Refresh period (in seconds):");
    cboRefreshPeriod = new QComboBox(fraStopPauseResume);
    auto* step = new QHBoxLayout(fraMoveStep);
    step->setContentsMargins(0, 0, 0, 0);
    step->addWidget(cboMoveStep);
    auto* directions = new QHBoxLayout(fraMoveDirection);
    directions->setContentsMargins(0, 0, 0, 0);
    directions->addWidget(optMoveDirection[0]);
    directions->addWidget(optMoveDirection[1]);
    auto* stop = new QHBoxLayout(fraStopPauseResume);
    Tighten(stop);
    stop->addWidget(cmdStop);
    stop->addWidget(cmdPauseResume);
    stop->addWidget(lblRefreshPeriod);
    stop->addWidget(cboRefreshPeriod);
    stop->addStretch();
    auto* move = new QGridLayout(fraMove);
    Tighten(move);
    move->addWidget(cmdMove, 0, 0);
    move->addWidget(fraMoveStep, 0, 1);
    move->addWidget(fraMoveDirection, 0, 2);
    move->addWidget(chkRepeatedly, 0, 3);
    move->setColumnStretch(1, 1);
    // Reserved while hidden, so a repeated Move does not grow the window.
    KeepPlaceWhenHidden(fraStopPauseResume);
    fraStopPauseResume->setVisible(false);
}

void frmMain::BuildHistoryFrame() {
    // History, log, state, help.
    fraHistory = NewFrame(this);
    cboHistory = new QComboBox(fraHistory);
    chkLog = new QCheckBox("Log results", fraHistory);
    cmdLogThisResult = new QPushButton("Log this result", fraHistory);
    cmdViewLog = new QPushButton("View log", fraHistory);
    cmdLogPreferences = new QPushButton("Set log preferences", fraHistory);
    cmdSaveState = new QPushButton("Save state", fraHistory);
    cmdHelp = new QPushButton("Help", fraHistory);
    cmdQuit = new QPushButton("Quit", fraHistory);
    // Entries longer than the list is wide are cut at its edge rather than
    // widening the window.
    cboHistory->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboHistory->setMinimumContentsLength(24);
    auto* history = new QGridLayout(fraHistory);
    Tighten(history, 3);
    history->addWidget(cboHistory, 0, 0, 1, 3);
    history->addWidget(chkLog, 1, 0);
    history->addWidget(cmdLogThisResult, 1, 1);
    history->addWidget(cmdViewLog, 1, 2);
    history->addWidget(cmdLogPreferences, 2, 0, 1, 2);
    history->addWidget(cmdSaveState, 2, 2);
    history->addWidget(cmdHelp, 3, 1);
    history->addWidget(cmdQuit, 3, 2);
}

void frmMain::BuildWindowLabels() {
    for (QWidget* w : std::initializer_list<QWidget*>{optGreenwich, optLocal, optPlus, optMinus, optNext, optPrevious,
                                                     optMoveDirection[0], optMoveDirection[1], chkRepeatedly, chkLog})
        SetTextColour(w, NormalColour);

    lblSearching = new QLabel("Searching ...", this);
    SetTextColour(lblSearching, kValueColour);
    KeepPlaceWhenHidden(lblSearching);
    lblSearching->setVisible(false);
    // Room for the longest eclipse caption (six lines) at all times: a found
    // eclipse does not grow the window, nor does clearing it shrink it.
    lblActualEclipseData = new QLabel(this);
    SetTextColour(lblActualEclipseData, kValueColour);
    lblActualEclipseData->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The margins come on top of the text: the widest line has its width
    // inside them.
    lblActualEclipseData->setContentsMargins(4, 2, 0, 2);
    lblActualEclipseData->setMinimumSize(
        lblActualEclipseData->fontMetrics().horizontalAdvance(kWidestEclipseLine) + 4,
        lblActualEclipseData->fontMetrics().lineSpacing() * 6 + 4);
    lblActualEclipseData->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblOnlineDocumentation = new ClickLabel("Online documentation", this);
    lblCorvaneSystems = new ClickLabel("Corvane Systems", this);
    lblOnlineDocumentation->setCursor(Qt::PointingHandCursor);
    lblCorvaneSystems->setCursor(Qt::PointingHandCursor);
    SetTextColour(lblOnlineDocumentation, kCaptionColour);
    SetTextColour(lblCorvaneSystems, kCaptionColour);

    Clock = new QTimer(this);
    // Precise: a 0.2 s Move never makes more than five steps a second.
    Clock->setTimerType(Qt::PreciseTimer);
}

void frmMain::AssembleWindow() {
    // The dates across the top; below them the commands on the left and the
    // eclipse data and the history on the right; the links at the bottom.
    // Everything in one panel at its natural size, centred: a maximised
    // window keeps the layout composed instead of stretching the controls.
    auto* panel = new QWidget(this);
    panel->setObjectName("panel");
    auto* centring = new QGridLayout(this);
    centring->setContentsMargins(0, 0, 0, 0);
    centring->addWidget(panel, 0, 0, Qt::AlignCenter);
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(6, 6, 6, 4);
    outer->setSpacing(4);
    outer->addWidget(fraDates);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(fraTime);
    left->addWidget(fraConvert);
    left->addWidget(fraSearch);
    left->addWidget(fraMove);
    left->addWidget(fraStopPauseResume);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(lblActualEclipseData);
    right->addStretch();
    right->addWidget(fraHistory);
    columns->addLayout(left, 1);
    columns->addLayout(right, 0);
    outer->addLayout(columns, 1);
    auto* links = new QHBoxLayout;
    links->addWidget(lblOnlineDocumentation);
    links->addStretch();
    links->addWidget(lblSearching);
    links->addStretch();
    links->addWidget(lblCorvaneSystems);
    outer->addLayout(links);
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
    for (int e = 0; e < 2; ++e)
        connect(lblTime[e], &ClickLabel::clicked, this, [this] {
            AppendTimeToEntry();
        });
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

// Enter, F1 and Tab.
void frmMain::SetUpKeyboard() {
    for (QWidget* w : std::initializer_list<QWidget*>{txbDate, txbPlusMinus}) w->installEventFilter(this);
    // Every button: Enter presses it (F1 on Move and Help opens help).
    for (QPushButton* b : findChildren<QPushButton*>()) b->installEventFilter(this);
    for (QComboBox* list : {cboTimeZone, cboTarget, cboMoveStep, cboRefreshPeriod, cboHistory}) list->installEventFilter(this);
    // Tab follows what the eye reads: Now at the top, the commands on the
    // left from top to bottom, then the history column.
    const QWidget* order[] = {cmdNow,      optGreenwich, optLocal,  cboTimeZone,         txbDate,
                              cmdCompute,  cmdClearDate, optPlus,   optMinus,            txbPlusMinus,
                              cmdReset,    cmdSearch,    optNext,   optPrevious,         cboTarget,
                              cmdMove,     cboMoveStep,  optMoveDirection[0], optMoveDirection[1], chkRepeatedly,
                              cmdStop,     cmdPauseResume, cboRefreshPeriod, cboHistory,  chkLog,
                              cmdLogThisResult, cmdViewLog, cmdLogPreferences, cmdSaveState, cmdHelp,
                              cmdQuit};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
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
        cboMoveStep->addItem(QString::fromUtf8(StepUnitText(unit).data(), static_cast<qsizetype>(StepUnitText(unit).size())));
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
        if (info.itemPhase >= 0) cboTarget->addItem(text, info.itemPhase);
        else cboTarget->addItem(text);
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
    for (QWidget* w : std::initializer_list<QWidget*>{cmdMove, cmdCompute, cmdClearDate, cmdReset, cmdSearch,
                                                     cmdLogPreferences, cmdLogThisResult, chkLog, cmdSaveState, txbDate,
                                                     txbPlusMinus})
        w->setEnabled(enable);
    cmdViewLog->setEnabled(enable && !Log.Empty());
    FocusMoveOrQuit();
}

// The time line follows the model on its own; only the focus goes back.
void frmMain::SetTheFocus() {
    if (isVisible() && fraConvert->isEnabled()) FocusDateEntry();
}

void frmMain::FocusDateEntry() {
    if (HoldFocus) return;
    if (txbDate->isEnabled()) {
        txbDate->setFocus();
        txbDate->setCursorPosition(static_cast<int>(txbDate->text().size()));
    } else {
        cmdQuit->setFocus();
    }
}

void frmMain::FocusMoveOrQuit() {
    if (!isVisible() || HoldFocus) return;
    if (cmdMove->isEnabled()) cmdMove->setFocus();
    else cmdQuit->setFocus();
}

void frmMain::FocusSearchOrQuit() {
    if (HoldFocus) return;
    if (cmdSearch->isEnabled()) cmdSearch->setFocus();
    else cmdQuit->setFocus();
}

void frmMain::HighlightCurrentCalendar() {
    for (int c = 0; c < NumberOfCalendars; ++c)
        SetTextColour(DateLine(c)[0], c == Shown().CurrentCalendar ? HighlightColour : NormalColour);
}

void frmMain::cmdQuit_Click() { QApplication::exit(0); }

void frmMain::closeEvent(QCloseEvent* event) {
    // A running Move ends with the program; nothing of it is recorded.
    moveActive_ = MoveRunning = MovePaused = false;
    Clock->stop();
    if (logWindow != nullptr && logWindow->isVisible()) logWindow->hide();
    event->accept();
    cmdQuit_Click();
}

bool frmMain::ListChoiceEvent(QComboBox* list, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Wheel && type != QEvent::KeyPress && type != QEvent::FocusOut) return false;
    // Asked only now: the list's view is made on first use, with events of its own.
    const bool closed = !list->view()->isVisible();
    int step = 0;
    if (event->type() == QEvent::Wheel && closed) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        step = delta > 0 ? -1 : delta < 0 ? 1 : 0;
        if (step == 0) return true;
        list->setFocus(Qt::MouseFocusReason);
    } else if (event->type() == QEvent::KeyPress && closed) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;  // Alt+Down opens the list
        switch (key->key()) {
            case Qt::Key_Up: step = -1; break;
            case Qt::Key_Down: step = 1; break;
            case Qt::Key_PageUp: step = -10; break;
            case Qt::Key_PageDown: step = 10; break;
            case Qt::Key_Home: step = -list->count(); break;
            case Qt::Key_End: step = list->count(); break;
            case Qt::Key_Return:
            case Qt::Key_Enter: ChooseFromList(list, false); return true;
            default: {
                // A typed letter moves to the next item that starts with it.
                const QString typed = key->text();
                if (typed.size() != 1 || !typed[0].isPrint() || typed[0].isSpace()) return false;
                for (int i = 1; i <= list->count() && step == 0; ++i) {
                    const int at = (list->currentIndex() + i) % list->count();
                    if (list->itemText(at).startsWith(typed, Qt::CaseInsensitive)) step = at - list->currentIndex();
                }
                if (step == 0) return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (PendingList == list) ChooseFromList(list, true);
        return false;
    } else {
        return false;
    }
    const int index = std::clamp(list->currentIndex() + step, 0, list->count() - 1);
    if (index != list->currentIndex()) {
        // Only the selection moves: the handler runs when the user chooses.
        list->blockSignals(true);
        list->setCurrentIndex(index);
        list->blockSignals(false);
        PendingList = list;
    }
    return true;
}

void frmMain::ChooseFromList(QComboBox* list, bool focusLeaving) {
    const bool moved = PendingList == list;
    PendingList = nullptr;
    // Enter on a list whose item was not moved chooses nothing new: only the
    // lists that are read later refocus as a choice from the open list does.
    if (!moved && (focusLeaving || list == cboTimeZone || list == cboHistory)) return;
    HoldFocus = focusLeaving;
    if (list == cboTimeZone) cboTimeZone_Click();
    else if (list == cboHistory) cboHistory_Click();
    else if (list == cboTarget) SetTheFocus();
    else if (list == cboMoveStep) FocusMoveOrQuit();
    else if (list == cboRefreshPeriod) cboRefreshPeriod_Click();
    HoldFocus = false;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (auto* list = qobject_cast<QComboBox*>(watched)) return ListChoiceEvent(list, event) || QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        (watched == txbDate || watched == txbPlusMinus || watched == cmdMove || watched == cmdHelp)) {
        cmdHelp_Click();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QPushButton*>(watched)) {
                if (button->isEnabled()) button->click();
                return true;
            }
            if (watched == txbDate && !txbDate->text().isEmpty()) cmdCompute_Click();
            if (watched == txbPlusMinus && !txbDate->text().isEmpty() && !txbPlusMinus->text().isEmpty())
                cmdCompute_Click();
            return true;  // swallowed
        }
    } else if (event->type() == QEvent::FocusOut && watched == txbDate) {
        txbDate->setText(QString::fromStdString(Trim(txbDate->text().toStdString())));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vx
