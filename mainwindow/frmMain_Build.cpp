// The window's controls frame by frame, their names and the layout.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "WindowStyle.h"
#include "frmMain.h"

namespace vx {

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
    DescribeControls();
}

// Every control's object name is its member's name: the tests and anyone
// inspecting the window find them by it.
void frmMain::NameControls() {
    // clang-format off
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
    // clang-format on
    for (const auto& [control, name] : controls) control->setObjectName(QString::fromLatin1(name));
    std::vector<std::pair<LabelPair*, QString>> pairs = {{&lblPhaseOfMoon, "lblPhaseOfMoon"},
                                                         {&lblAgeOfMoon, "lblAgeOfMoon"},
                                                         {&lblTime, "lblTime"},
                                                         {&lblDeltaT, "lblDeltaT"}};
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
    cmdNow = new QPushButton("&Now", fraDates);
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
    optGreenwich = new QRadioButton("&Greenwich", fraTime);
    optLocal = new QRadioButton("L&ocal", fraTime);
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
    cmdCompute = new QPushButton("&Convert", fraConvert);
    cmdClearDate = new QPushButton("Cle&ar", fraConvert);
    optPlus = new QRadioButton("&plus", fraConvert);
    optMinus = new QRadioButton("m&inus", fraConvert);
    txbPlusMinus = new QLineEdit(fraConvert);
    txbPlusMinus->setMaximumWidth(txbPlusMinus->fontMetrics().horizontalAdvance(QString(12, '0')));
    lblDays = NewCaption(fraConvert, "days");
    lblDays->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cmdReset = new QPushButton("&Reset", fraConvert);
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
    optNext = new QRadioButton("ne&xt", fraSearch);
    optPrevious = new QRadioButton("pre&vious", fraSearch);
    cmdSearch = new QPushButton("&Search for", fraSearch);
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
    optMoveDirection = {new QRadioButton("forwar&d", fraMoveDirection), new QRadioButton("&back", fraMoveDirection)};
    cmdMove = new QPushButton("&Move", fraMove);
    chkRepeatedly = new QCheckBox("repeatedl&y", fraMove);
    fraStopPauseResume = new QFrame(this);
    cmdStop = new QPushButton("S&top", fraStopPauseResume);
    cmdPauseResume = new QPushButton("Pa&use", fraStopPauseResume);
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
    chkLog = new QCheckBox("&Log results", fraHistory);
    cmdLogThisResult = new QPushButton("Log this r&esult", fraHistory);
    cmdViewLog = new QPushButton("Vie&w log", fraHistory);
    cmdLogPreferences = new QPushButton("Set log pre&ferences", fraHistory);
    cmdSaveState = new QPushButton("S&ave state", fraHistory);
    cmdHelp = new QPushButton("&Help", fraHistory);
    cmdQuit = new QPushButton("&Quit", fraHistory);
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
    lblActualEclipseData->setMinimumSize(lblActualEclipseData->fontMetrics().horizontalAdvance(kWidestEclipseLine) + 4,
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

}  // namespace vx
