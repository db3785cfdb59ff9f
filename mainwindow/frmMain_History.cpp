// The history list and the log entries of every result.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QUrl>
#include <exception>

#include "ClwSheet.h"
#include "DateLines.h"
#include "PhaseQueries.h"
#include "Search.h"
#include "HelpWindows.h"
#include "LogWindows.h"
#include "ProgramData.h"
#include "WebPage.h"
#include "frmMain.h"

namespace vx {

std::string frmMain::AddHistoryEntry(int16_t intEclipseType) {
    AddingHistoryEntry = true;
    std::string result;
    const MomentState& shown = Shown();
    // Date and time of the shown minute, written as they read back; the log
    // entry that follows describes that one instant in every calendar (never
    // the 31st beside "2004-01-01 00:00").
    const WrittenBack written = WrittenBackText(shown.CurrentCalendar, ShownMinuteMoment(), EffectiveZoneOffset());
    EntryMoment = WrittenBackMoment(shown.CurrentCalendar, ShownMinuteMoment(), EffectiveZoneOffset());
    HistoryEntry entry;
    entry.text = HistoryEntryText(written.date, shown.CurrentCalendar, written.time, !shown.local,
                                  ZoneItemText(shown.AppliedZoneOffset));
    // The instant shown: while following the clock, the clock's minute, which
    // the text and the time line give; otherwise the Moment to the last bit.
    entry.moment = ShownMinuteMoment();
    entry.calendar = shown.CurrentCalendar;
    entry.zoneIndex = (shown.AppliedZoneOffset - MinZoneOffset) / 30;
    entry.greenwich = !shown.local;
    entry.eclipseKind = intEclipseType;
    // The list shows the history: an entry added is an item added.
    if (history_.Add(entry)) {
        if (cboHistory->count() >= HistoryCapacity) cboHistory->removeItem(0);
        cboHistory->addItem(QString::fromStdString(entry.text), static_cast<int>(intEclipseType));
        cboHistory->setCurrentIndex(cboHistory->count() - 1);
        SelectedHistoryIndex = cboHistory->count() - 1;
        result = entry.text;
    }
    AddingHistoryEntry = false;
    cmdViewLog->setEnabled(!Log.Empty());
    cmdSaveState->setEnabled(true);
    return result;
}

void frmMain::RecordResult(const std::string& operation, const std::string& extra, int16_t eclipseKind) {
    AddLogEntry(AddHistoryEntry(eclipseKind), operation, extra);
}

bool frmMain::HistoryEntryAt(int index, HistoryEntry& entry) {
    const std::string text = cboHistory->itemText(index).toStdString();
    // The list's items and the history's entries end together; an item
    // without an entry of its own is read from its text, as a typed date.
    const auto& entries = history_.Entries();
    const int fromEnd = cboHistory->count() - 1 - index;
    if (fromEnd < static_cast<int>(entries.size()) &&
        entries[entries.size() - 1 - static_cast<size_t>(fromEnd)].text == text) {
        entry = entries[entries.size() - 1 - static_cast<size_t>(fromEnd)];
        return true;
    }
    const HistoryZone zone = ZoneOfHistoryEntry(text);
    DateEntryInputs inputs;
    inputs.currentCalendar = Shown().CurrentCalendar;
    inputs.zoneOffset =
        zone.greenwich ? 0 : TimeZoneOffsetFromItem(cboTimeZone->itemText(zone.zoneIndex).toStdString());
    inputs.fromHistory = true;
    const DateEntryResult parsed = ParseDateEntry(text, inputs);
    if (parsed.error != 0) {
        services_.messages->Show("Error", "Error " + std::to_string(parsed.error) + " when selecting from History.",
                                 MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    entry = {text, parsed.moment, parsed.calendar, zone.zoneIndex, zone.greenwich, cboHistory->itemData(index).toInt()};
    return true;
}

void frmMain::SetEntryClock(const HistoryEntry& entry) {
    // The clock the entry was made on comes back without moving anything.
    for (QRadioButton* option : {optGreenwich, optLocal}) option->blockSignals(true);
    (entry.greenwich ? optGreenwich : optLocal)->setChecked(true);
    SetOptionColours(entry.greenwich ? optGreenwich : optLocal, entry.greenwich ? optLocal : optGreenwich);
    for (QRadioButton* option : {optGreenwich, optLocal}) option->blockSignals(false);
    cboTimeZone->blockSignals(true);
    cboTimeZone->setCurrentIndex(entry.zoneIndex);
    cboTimeZone->blockSignals(false);
}

std::string frmMain::EclipseOfEntry(const HistoryEntry& entry, int32_t n, int16_t k, SearchState& search,
                                    std::string& summary) {
    // The eclipse at the phase last reached, or at the syzygy of the
    // eclipse result the entry was made from.
    SyzygyOfShownEclipse(entry.eclipseKind, n, k);
    PhaseInstant(n, k, SharedPhaseRecord);
    if (SharedPhaseRecord.kind == 0) return {};
    const int offset = entry.greenwich ? 0 : SelectedZoneOffset();
    const EclipseDetails details = EclipseDetailsText(SharedPhaseRecord, entry.moment, offset);
    search.LastEclipseLunation = n;
    search.LastEclipseWasLunar = IsLunarEclipse(SharedPhaseRecord.kind);
    summary = details.summary;
    return details.caption;
}

void frmMain::cboHistory_Click() {
    if (AddingHistoryEntry) {
        FocusDateEntry();
        return;
    }
    const int index = cboHistory->currentIndex();
    if (index < 0 || index == SelectedHistoryIndex) return;
    txbDate->clear();
    txbPlusMinus->clear();
    RestoringFromHistory = true;
    Clock->stop();
    // A failure stops the live clock and clears the eclipse data, and leaves
    // the rest as it was.
    const auto abandon = [this](bool focus) {
        model_.Update([](MomentState& s) {
            s.ShowingNow = false;
            s.EclipseCaption.clear();
        });
        RestoringFromHistory = false;
        if (focus) FocusDateEntry();
    };
    HistoryEntry entry;
    // The same range test as Convert: no entry adopts a moment outside it.
    if (!HistoryEntryAt(index, entry) || !CheckRange(entry.moment)) {
        abandon(true);
        return;
    }
    // The phase is asked before anything is redrawn, so that a failure is
    // reported here, by this handler, and leaves the display as it was.
    int32_t n = LunationOf(entry.moment);
    bool exact = false;
    int16_t k = GetPhase(n, entry.moment, exact);
    if (k < 0) {
        services_.messages->Show("Error", GetPhaseErrorText(k, "cboHistory_Click"), MessageIcon::Warning,
                                 MessageButtons::Ok);
        abandon(false);
        return;
    }
    SetEntryClock(entry);
    SearchState search = Shown().search;
    std::string extra;
    const std::string caption = EclipseOfEntry(entry, n, k, search, extra);
    model_.Update([&](MomentState& s) {
        s.dblCurrentAJDate = entry.moment;
        s.CurrentCalendar = static_cast<int16_t>(entry.calendar);
        s.AppliedZoneOffset = SelectedZoneOffset();
        s.local = !entry.greenwich;
        s.ShowingNow = false;
        s.search = search;
        s.EclipseCaption = caption;
    });
    EntryMoment = WrittenBackMoment(entry.calendar, entry.moment, EffectiveZoneOffset());
    AddLogEntry(entry.text, "Selection from history", extra);
    SelectedHistoryIndex = index;
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
        logWindow->move(x(), y() + DateLine(CLW)[0]->mapTo(this, QPoint(0, 0)).y() + 53);
    }
    logWindow->ShowLog(windowTitle().toStdString());
}

bool frmMain::ClearLogFromFull() {
    EnsureLogWindow();
    return logWindow->cmdClear_Click();
}

void frmMain::cmdLogPreferences_Click() {
    if (prefsWindow == nullptr)
        prefsWindow = new frmLogPreferences(
            logPreferences, [this] { FocusDateEntry(); }, this);
    prefsWindow->ShowPreferences();
}

void frmMain::cmdHelp_Click() {
    if (helpWindow == nullptr) {
        HelpActions actions;
        actions.open = [this](const std::string& address) {
            if (services_.web != nullptr) OpenWebPage(address, *services_.web, *services_.messages);
        };
        actions.printClwMonths = [this] { PrintClwMonths(); };
        helpWindow = new frmHelp(DocumentationFolder(), std::move(actions), this);
    }
    helpWindow->ShowHelp(geometry());
}

// The sheet of the shown moment's CLW month and the next, in a new temporary
// file (made by QTemporaryFile: a name of its own, never a planted link)
// that the browser opens and prints; the file stays for the browser to read.
void frmMain::PrintClwMonths() {
    const std::string page = ClwMonthsSheet(CorvaneDay(Shown().dblCurrentAJDate, EffectiveZoneOffset()), 2);
    const std::string title = "Print CLW months";
    if (page.empty()) {
        services_.messages->Show(title, "The CLW month after the shown one is beyond the supported range.",
                                 MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    QTemporaryFile file(QDir::tempPath() + "/vexaril-clw-XXXXXX.html");
    file.setAutoRemove(false);
    const bool written =
        file.open() && file.write(page.data(), static_cast<qint64>(page.size())) == static_cast<qint64>(page.size()) &&
        file.flush();
    if (!written) {
        const std::string why = file.errorString().toStdString();
        if (!file.fileName().isEmpty()) file.remove();
        services_.messages->Show(title, "The page could not be written to the temporary folder: " + why,
                                 MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    file.close();
    if (services_.web != nullptr)
        OpenWebPage(QUrl::fromLocalFile(file.fileName()).toString(QUrl::FullyEncoded).toStdString(), *services_.web,
                    *services_.messages);
}

void frmMain::AddLogEntry(const std::string& text, const std::string& operation, const std::string& extra) {
    AppendLogEntry({text, operation, extra, SnapshotAt(EntryMoment, EffectiveZoneOffset(), Shown().CurrentCalendar)});
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
