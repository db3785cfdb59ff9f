// The main window: its controls, the state the commands share, start-up and
// the handlers. The handlers are split by concern into frmMain_*.cpp files
// (start-up and enabling, convert, the calendar display, time zone and
// clock, the moon panel); the computing they forward to is Qt-free.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "DateEntry.h"
#include "MoonPanel.h"
#include "MoonPictureBox.h"
#include "Records.h"
#include "SavedState.h"
#include "Calendars.h"
#include "MomentModel.h"
#include "MoveSteps.h"
#include "Search.h"
#include "Services.h"

namespace vx {
class frmLog;
class frmLogPreferences;
class frmHelp;
class frmMap;
class frmSky;
}  // namespace vx

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

// A label that reports clicks (the date lines and the time line). Given the
// focus, it draws a focus frame, Space or Enter click it, and Ctrl+C asks
// for its value to be copied. A caption marked current draws a marker in
// its left margin: the current calendar is seen without its colour.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void SetCurrent(bool current);
    bool IsCurrent() const { return current_; }
    static constexpr int MarkerRoom = 10;  // a caption's left margin
signals:
    void clicked();
    void copyRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool current_ = false;
};

// The live clock's check mark.
class CheckMarkLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

using LabelPair = std::array<ClickLabel*, 2>;  // element 0 caption, element 1 value

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(Services services, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up: initial values, lists, colours, showing the window, then the
    // current moment (Now).
    void Form_Load();
    // Which window of the program this is (0 for the first one running): a
    // later one opens a little below and to the right of the earlier ones.
    void SetInstanceSlot(int slot) { InstanceSlot = slot; }

    // The text colours of the highlighted calendar and of the others.
    static constexpr QColor HighlightColour{255, 255, 255};
    static constexpr QColor NormalColour{200, 200, 200};

    // The clock's tick and Stop, which the tests also call directly (Stop
    // when its button is hidden).
    void Clock_Timer();
    void cmdStop_Click();

    // Read-only views of the shared state, for the tests and the benchmark;
    // the controls are found by their object names.
    bool StartUpCompleted() const { return blnStartUpCompleted; }
    double CurrentMoment() const { return Shown().dblCurrentAJDate; }
    int16_t ShownCalendar() const { return Shown().CurrentCalendar; }
    bool IsShowingNow() const { return Shown().ShowingNow; }
    bool IsRestoringFromHistory() const { return RestoringFromHistory; }
    bool IsMoveRunning() const { return MoveRunning; }
    bool IsMovePaused() const { return MovePaused; }
    bool MoveActive() const { return moveActive_; }
    int MoveSteps() const { return MoveStepsMade; }
    int32_t EclipseLunation() const { return Shown().search.LastEclipseLunation; }
    const std::string& ShownEclipseCaption() const { return Shown().EclipseCaption; }
    // The moment model the views follow, and how often each view has been
    // drawn: a test checks that one command draws each once.
    MomentModel& Model() { return model_; }
    struct ViewDraws {
        int timeLine = 0, dateLines = 0, moonPanel = 0, deltaT = 0;
    };
    const ViewDraws& Draws() const { return draws_; }
    const std::string& LoggedSearchText() const { return LastSearchLogText; }
    const std::string& LoggedSearchExtra() const { return LastSearchExtra; }
    const std::string& LoggedMoveText() const { return LastMoveLogText; }
    const LogBook& LogContents() const { return Log; }
    const MoonPainter& Painter() const { return painter_; }
    std::string DocumentationAddress() const;
    frmLog* LogWindow() const { return logWindow; }
    frmLogPreferences* PreferencesWindow() const { return prefsWindow; }
    frmMap* MapWindow() const { return mapWindow; }
    // The map of the eclipse the eclipse data shows (a click on it, or
    // Ctrl+M); nothing when none is shown.
    void OpenMap();
    // The "Sky from here" window (Ctrl+L), made on first use.
    void OpenSky();
    frmSky* SkyWindow() const { return skyWindow; }
    // The observer's place, kept in its own settings file; null when none
    // is set. SetPlace answers "" or why the text is no place ("" clears it).
    const Place* ObserverPlace() const { return place_ ? &*place_ : nullptr; }
    std::string SetPlace(const std::string& text);
    std::string PlaceSettingsPath() const;
    frmHelp* HelpWindow() const { return helpWindow; }
    // The log preferences are a setting the user changes in their own
    // window; tests change them here the same way.
    LogPreferenceStore& LogPreferenceSettings() { return logPreferences; }
    // A small log, so that a test can fill it.
    void LimitLogForTest(size_t capacity) { Log.SetCapacity(capacity); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Start-up state and the moon picture's size and folder.
    bool blnStartUpCompleted = false;
    int16_t intMaxX = 89, intMaxY = 89;
    std::string strPicPath;
    int InstanceSlot = 0;

    // The displayed instant and what interprets it (the Moment, the current
    // calendar, the applied zone, Greenwich/Local, following the clock, the
    // search's flags, the eclipse shown): one owner, which the views follow.
    MomentModel model_;
    const MomentState& Shown() const { return model_.State(); }
    // The views, drawn from the model when it tells what changed.
    void FollowModel(unsigned changes);
    ViewDraws draws_;

    // Controls, named as the window's model names them; each has its name as
    // its object name ("lblTime(1)" for a pair's value), by which the tests
    // find them.
    QFrame *fraDates, *fraTime, *fraConvert, *fraSearch, *fraMove, *fraMoveStep, *fraMoveDirection, *fraStopPauseResume,
        *fraHistory;
    // The date lines (lblCommonEraDate, ...: each calendar's row names its
    // pair), by calendar code; then the Moon's two lines, time and delta T.
    std::array<LabelPair, NumberOfCalendars> dateLines_;
    LabelPair lblPhaseOfMoon, lblAgeOfMoon, lblTime, lblDeltaT;
    QPushButton* cmdNow;
    QLabel* picCheck;
    QLabel *lblTimeZone, *lblTimeSystem, *lblEnterDateTime, *lblDays, *lblRefreshPeriod, *lblSearching,
        *lblActualEclipseData;
    ClickLabel *lblOnlineDocumentation, *lblCorvaneSystems;
    QRadioButton *optGreenwich, *optLocal, *optPlus, *optMinus, *optNext, *optPrevious;
    std::array<QRadioButton*, 2> optMoveDirection;
    QComboBox *cboTimeZone, *cboTarget, *cboMoveStep, *cboRefreshPeriod, *cboHistory;
    QLineEdit *txbDate, *txbPlusMinus;
    QPushButton *cmdCompute, *cmdClearDate, *cmdReset, *cmdSearch, *cmdMove, *cmdStop, *cmdPauseResume,
        *cmdLogThisResult, *cmdViewLog, *cmdLogPreferences, *cmdSaveState, *cmdHelp, *cmdQuit;
    QCheckBox *chkRepeatedly, *chkLog;
    MoonPictureBox* picMoon;
    QTimer* Clock;

    // State the commands share.
    bool RestoringFromHistory = false;
    bool MoveRunning = false, MovePaused = false;
    bool LoggingOn = false;
    // What the last search gives the log: its text and the eclipse summary.
    std::string LastSearchLogText, LastSearchExtra;
    std::string LastMoveLogText;
    int MoveStepsMade = 0;  // steps of the last Move
    LogPreferenceStore logPreferences;
    LogBook Log;
    frmLog* logWindow = nullptr;
    frmLogPreferences* prefsWindow = nullptr;
    frmHelp* helpWindow = nullptr;
    frmMap* mapWindow = nullptr;  // made on first use
    frmSky* skyWindow = nullptr;  // made on first use
    std::optional<Place> place_;
    std::string placeText_;
    void LoadPlace();
    void ShowSky();
    std::string LocalEclipseText() const;

    // More state the commands share.
    int16_t NowRefreshSeconds = 5;
    bool RestoringSavedState = false;
    static constexpr int16_t HistoryCapacity = 8;

    // Start-up and enabling.
    void EnableDisableFunctions(bool enable);
    void SetTheFocus();
    void FocusDateEntry();
    // The drop-down lists act on a choice, not on every stop: arrow keys and
    // the wheel over a closed list only move its selection; Enter, or the
    // focus leaving it, then chooses (a click on an item of the open list
    // chooses at once); ChooseFromList runs the list's own handler.
    bool ListChoiceEvent(QComboBox* list, QEvent* event);
    std::optional<int> ListKeyStep(QComboBox* list, const QKeyEvent* key);
    void ChooseFromList(QComboBox* list, bool focusLeaving);
    QComboBox* PendingList = nullptr;  // moved by keys or the wheel, not yet chosen
    bool HoldFocus = false;            // a choice made as the focus leaves keeps it where it goes
    void FocusMoveOrQuit();
    void FocusSearchOrQuit();
    void HighlightCurrentCalendar();

    // Convert.
    void cmdCompute_Click();
    void cmdClearDate_Click();
    void ShowDateEntryError(DateEntryError code) const;
    bool CheckRange(double moment) const;

    // The calendar display: views of the model.
    void ShowAllCalendars();
    void ShowTimeLine();
    void ShowEclipseData();
    void CopyDateLineToEntry(int calendar, int element);
    void AppendTimeToEntry();
    void CopyCurrentDateToEntry();

    // Time zone, clock and Now.
    int16_t SelectedZoneOffset() const;
    void cboTimeZone_Click();
    void cmdNow_Click();
    // The clock's present moment, a Moment.
    double ClockMoment() const;
    // A first start: the zone item of the system's present offset, when the
    // list has one, else GMT.
    void SelectSystemZone();

    // History and log.
    // Adds the shown moment (from the model) to the history; its text, or ""
    // when it repeats the newest entry.
    std::string AddHistoryEntry(int16_t intEclipseType);
    // The common ending of a command that showed a new moment: the history
    // entry and its log entry.
    void RecordResult(const std::string& operation, const std::string& extra, int16_t eclipseKind);
    void cboHistory_Click();
    // The entry at a list index: the history's own, or, for an item without
    // one, read from its text; false (with the message) when it does not read.
    bool HistoryEntryAt(int index, HistoryEntry& entry);
    // Selecting an entry: its Greenwich/Local choice and zone item set back;
    // the eclipse data and the log's summary of the eclipse it shows.
    void SetEntryClock(const HistoryEntry& entry);
    std::string EclipseOfEntry(const HistoryEntry& entry, int32_t n, int16_t k, SearchState& search,
                               std::string& summary);
    HistoryList history_;
    // Logs the result just added to the history: its text, the command's
    // operation and extra text, and the display of the entry's instant.
    void AddLogEntry(const std::string& text, const std::string& operation, const std::string& extra);
    void cmdLogThisResult_Click();
    bool AddingHistoryEntry = false;
    int SelectedHistoryIndex = -1;
    // The instant the newest history text stands for (its minute as it reads
    // back); the log entry of the same result describes it.
    double EntryMoment = 0.0;
    struct PendingEntry {
        std::string text, operation, extra;
        DisplaySnapshot shown;
    } PendingLogEntry;
    void AppendLogEntry(const PendingEntry& entry);
    bool HavePendingLogEntry = false;

    // The log window, the preferences, help and the web links.
    void cmdViewLog_Click();
    void cmdLogPreferences_Click();
    void cmdHelp_Click();
    void PrintClwMonths();
    // The eclipse the eclipse data shows: its record; false when none.
    bool ShownEclipseRecord(PhaseEclipseRecord& record) const;
    void ShowMapOf(const PhaseEclipseRecord& record);
    bool ClearLogFromFull();
    void EnsureLogWindow();
    std::string DocumentationFolder() const;

    // Saved state and Reset.
    std::string SavedStatePath;
    std::string DataFilePath(const std::string& fileName, const std::string& folderName) const;
    bool RestoreSavedState();
    // The values read from the file that the window's controls keep (lines 3
    // to 12 and 15 on); the model's part goes into shown.
    void ApplySavedOptions(const SavedState& s, int good, MomentState& shown);
    void cmdSaveState_Click();
    void cmdReset_Click();

    // Search.
    bool TakePendingEntry();
    void cmdSearch_Click();

    // Move.
    void cmdMove_Click();
    void cmdPauseResume_Click();
    void cboRefreshPeriod_Click();
    void EnableCommandFrames(bool enabled);
    int RefreshPeriodMs() const;

    // The moon panel.
    void DisplayMoonData(Colour background);
    void ShowDeltaT();

    // Reads text with the entry parser, with this window's calendar, zone,
    // day offset and shown date; a typed text's normalised form goes back
    // into the entry box, and a text read makes its calendar current.
    DateEntryResult ReadEntry(const std::string& text, bool fromHistory);
    // The date of calendar as a click on its line writes it into the entry box.
    std::string WrittenDate(int calendar) const;

    int EffectiveZoneOffset() const { return Shown().EffectiveZoneOffset(); }
    double ShownMinuteMoment() const { return Shown().ShownMinuteMoment(); }
    void BuildControls();
    void NameControls();
    // Accessible names from the captions, buddies, the date box's hints and
    // the controls' mnemonics.
    void DescribeControls();
    void SetUpValueLines();
    // The value a date line or the time line shows, for Ctrl+C.
    std::string LineValue(const ClickLabel* value) const;
    void BuildDatesFrame();
    void BuildTimeFrame();
    void BuildConvertFrame();
    void BuildSearchFrame();
    void BuildMoveFrames();
    void BuildHistoryFrame();
    void BuildWindowLabels();
    void AssembleWindow();
    void InitialiseMainWindow();
    void SetInitialValues();
    void SetDefaultOptions();
    void FillLists();
    void ResetDisplayColours();
    void ConnectHandlers();
    void ConnectCommands();
    void ConnectOptions();
    void ConnectMoveAndHistory();
    void ConnectLabels();
    void SetUpKeyboard();
    void SetOptionColours(QRadioButton* selected, QRadioButton* other);
    LabelPair& DateLine(int calendar);
    void cmdQuit_Click();
    // One step of the Move; the range message when the step was refused.
    const char* MakeMoveStep();
    void MoveClockTick();
    // Back to idle, once: the history and log entry, the controls, the clock.
    void EndMove(const char* rangeMessage);

    Services services_;
    MoonPainter painter_;
    std::string windowTitle_;
    bool moveActive_ = false;  // from Move until its ending
};

}  // namespace vx
