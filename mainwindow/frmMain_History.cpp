// The history list and the log entries of every result.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <exception>

#include "DateLines.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "ProgramData.h"
#include "frmMain.h"

namespace vx {

std::string frmMain::AddHistoryEntry(const std::string& /*strDate*/, int16_t intEclipseType) {
    AddingHistoryEntry = true;
    std::string result;
    const QString newest = cboHistory->count() > 0 ? cboHistory->itemText(cboHistory->count() - 1) : QString();
    // Date and time of the shown minute, written as they read back; the
    // shown date line passed in differs from it only when the minute rounds
    // up into the next day.
    const WrittenBack shown = WrittenBackText(CurrentCalendar, ShownMinuteMoment(), EffectiveZoneOffset());
    // The log entry that follows describes the instant this text reads back
    // to, in every calendar: never the 31st beside "2004-01-01 00:00".
    EntryMoment = WrittenBackMoment(CurrentCalendar, ShownMinuteMoment(), EffectiveZoneOffset());
    const std::string text = HistoryEntryText(shown.date, CurrentCalendar, shown.time, optGreenwich->isChecked(),
                                              cboTimeZone->currentText().toStdString());
    if (QString::fromStdString(text) != newest) {
        if (cboHistory->count() >= HistoryCapacity) cboHistory->removeItem(0);
        cboHistory->addItem(QString::fromStdString(text), static_cast<int>(intEclipseType));
        cboHistory->setCurrentIndex(cboHistory->count() - 1);
        SelectedHistoryIndex = cboHistory->count() - 1;
        result = text;
    }
    AddingHistoryEntry = false;
    cmdViewLog->setEnabled(!Log.Empty());
    cmdSaveState->setEnabled(true);
    return result;
}

void frmMain::cboHistory_Click() {
    if (AddingHistoryEntry) {
        FocusDateEntry();
        return;
    }
    const int index = cboHistory->currentIndex();
    if (index < 0 || index == SelectedHistoryIndex) return;
    ShowEclipseCaption({});
    txbDate->clear();
    txbPlusMinus->clear();
    RestoringFromHistory = true;
    ShowingNow = false;
    picCheck->setVisible(false);
    Clock->stop();
    const std::string text = cboHistory->itemText(index).toStdString();
    const int kind = cboHistory->itemData(index).toInt();
    const HistoryZone zone = ZoneOfHistoryEntry(text);
    if (zone.greenwich) optGreenwich->setChecked(true);
    else optLocal->setChecked(true);
    // The zone is set back without moving anything: the entry's text says
    // what the clock read.
    cboTimeZone->blockSignals(true);
    cboTimeZone->setCurrentIndex(zone.zoneIndex);
    cboTimeZone->blockSignals(false);
    AppliedZoneOffset = SelectedZoneOffset();

    const DateEntryResult parsed = ReadEntry(text, true);
    if (parsed.error != 0) {
        services_.messages->Show("Error", "Error " + std::to_string(parsed.error) + " when selecting from History.",
                                 MessageIcon::Warning, MessageButtons::Ok);
        RestoringFromHistory = false;
        FocusDateEntry();
        return;
    }
    // The same range test as Convert: no entry adopts a moment outside it.
    if (!CheckRange(parsed.moment)) {
        RestoringFromHistory = false;
        FocusDateEntry();
        return;
    }
    // The phase is asked before anything is redrawn, so that a failure is
    // reported here, by this handler, and leaves the display as it was.
    int32_t n = LunationOf(parsed.moment);
    bool exact = false;
    int16_t k = GetPhase(n, parsed.moment, exact);
    if (k < 0) {
        services_.messages->Show("Error", GetPhaseErrorText(k, "cboHistory_Click"), MessageIcon::Warning,
                                 MessageButtons::Ok);
        RestoringFromHistory = false;
        return;
    }
    dblCurrentAJDate = parsed.moment;
    EntryMoment = parsed.moment;
    ShowTimeLine();
    ShowAllCalendars();
    DisplayMoonData(NavyColour);
    ShowDeltaT();

    SyzygyOfShownEclipse(kind, n, k);
    PhaseInstant(n, k, SharedPhaseRecord);
    std::string extra;
    if (SharedPhaseRecord.kind != 0) {
        const EclipseDetails details = EclipseDetailsText(SharedPhaseRecord, dblCurrentAJDate, EffectiveZoneOffset());
        EclipseLines = details.EclipseLines;
        ShowEclipseCaption(details.caption);
        LastEclipseLunation = n;
        LastEclipseWasLunar = IsLunarEclipse(SharedPhaseRecord.kind);
        extra = details.summary;
    }
    AddLogEntry(text, "Selection from history", extra);
    SelectedHistoryIndex = index;
    HighlightCurrentCalendar();
    RestoringFromHistory = false;
    FocusDateEntry();
}

std::string frmMain::DocumentationFolder() const {
    const std::string folder = ProgramDataFolder(QCoreApplication::applicationDirPath().toStdString(), VX_BIN_TO_DATA);
    return QUrl::fromLocalFile(QString::fromStdString(folder + "/doc")).toString().toStdString() + "/";
}

std::string frmMain::DocumentationAddress() const { return DocumentationFolder() + "index.html"; }

// Made on first use; closing it from the title bar discards the log, which disables the log buttons.
void frmMain::EnsureLogWindow() {
    if (logWindow != nullptr) return;
    logWindow = new frmLog(
        Log, services_,
        [this] {
            cmdViewLog->setEnabled(false);
            cmdLogThisResult->setEnabled(false);
        },
        [this] { FocusDateEntry(); }, this);
}

void frmMain::cmdViewLog_Click() {
    if (Log.Empty()) {
        services_.messages->Show("View Log", "Log is empty", MessageIcon::Information, MessageButtons::Ok);
        FocusDateEntry();
        return;
    }
    EnsureLogWindow();
    if (!logWindow->isVisible() && !logWindow->isMinimized()) {
        logWindow->resize(width(), logWindow->height());
        logWindow->move(x(), y() + lblCorvaneLWCDate[0]->mapTo(this, QPoint(0, 0)).y() + 53);
    }
    logWindow->ShowLog(windowTitle().toStdString());
}

bool frmMain::ClearLogFromFull() {
    EnsureLogWindow();
    return logWindow->cmdClear_Click();
}

void frmMain::cmdLogPreferences_Click() {
    if (prefsWindow == nullptr) prefsWindow = new frmLogPreferences(logPreferences, [this] { FocusDateEntry(); }, this);
    prefsWindow->ShowPreferences();
}

void frmMain::cmdHelp_Click() {
    if (helpWindow == nullptr) helpWindow = new frmHelp(DocumentationFolder(), this);
    helpWindow->ShowHelp(geometry());
}

void frmMain::AddLogEntry(const std::string& text, const std::string& operation, const std::string& extra) {
    AppendLogEntry({text, operation, extra, SnapshotAt(EntryMoment, EffectiveZoneOffset(), CurrentCalendar)});
}

void frmMain::AppendLogEntry(const PendingEntry& entry) {
    if (!LoggingOn) {
        PendingLogEntry = entry;
        HavePendingLogEntry = true;
        cmdLogThisResult->setEnabled(true);
        return;
    }
    const std::string& text = entry.text;
    if (text.empty()) {
        cmdLogThisResult->setEnabled(false);
        return;
    }
    PendingLogEntry = {};
    HavePendingLogEntry = false;
    cmdLogThisResult->setEnabled(false);
    const DisplaySnapshot& shown = entry.shown;
    const std::string& operation = entry.operation;
    const std::string& extra = entry.extra;
    bool appended = false;
    try {
        std::string piece;
        if (Log.Empty()) piece = LogHeader(windowTitle().toStdString(), DocumentationAddress());
        piece += LogEntryText(text, operation, extra, shown, logPreferences.Get());
        appended = Log.Append(piece);
    } catch (const std::exception& e) {
        // Out of memory and the like: the entry is dropped whole, the log keeps what it had.
        services_.messages->Show("Error when adding log entry.", e.what(), MessageIcon::Warning, MessageButtons::Ok);
        cmdViewLog->setEnabled(!Log.Empty());
        return;
    }
    if (!appended) {
        // The log is full: the entry is not written; Clear asks on its own.
        if (services_.messages->Show("", "Log is full.  Clear log?", MessageIcon::Question, MessageButtons::YesNo) ==
            MessageResult::Yes)
            ClearLogFromFull();
    }
    cmdViewLog->setEnabled(!Log.Empty());
}

void frmMain::cmdLogThisResult_Click() {
    const bool was = LoggingOn;
    LoggingOn = true;
    const PendingEntry pending = PendingLogEntry;
    AppendLogEntry(pending);
    LoggingOn = was;
    cmdLogThisResult->setEnabled(false);
    FocusDateEntry();
}

}  // namespace vx
