// History entry texts and log entries, without Qt: the text of a history
// item and the zone it records, and the pieces the log is built from. The
// log text itself is kept by LogBook, which the log window shows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Calendars.h"

namespace vx {

// "2003-12-31 CE 15:55 (local = GMT+01:00)": the date text, the time of day
// (hh:mm from the time line, left out for CJD and AJD) and the zone.
std::string HistoryEntryText(const std::string& strDate, int currentCalendar, const std::string& timeLine,
                             bool greenwich, const std::string& zoneItem);

// One history entry: the text the list shows, and what it was made from,
// which selecting it restores exactly (no re-reading of the text).
struct HistoryEntry {
    std::string text;
    double moment = 0.0;  // the Moment shown, to the last bit
    int calendar = 0;     // the current calendar then
    int zoneIndex = 24;   // the zone list's item then
    bool greenwich = false;
    int eclipseKind = 0;  // of the result that made it; 0 for none
};

// The history: the most recent entries, oldest first, at most Capacity. An
// entry whose text repeats the newest one is not added.
class HistoryList {
public:
    static constexpr size_t Capacity = 8;
    // True when added (the oldest dropped when the list was full).
    bool Add(HistoryEntry entry);
    const std::vector<HistoryEntry>& Entries() const { return entries_; }

private:
    std::vector<HistoryEntry> entries_;
};

// What an entry's text says of the clock: Greenwich or local, and the index
// of its zone in the zone list (24 = GMT).
struct HistoryZone {
    bool greenwich = false;
    int zoneIndex = 24;
};
HistoryZone ZoneOfHistoryEntry(const std::string& text);

// The include boxes of the log preferences and the format.
struct LogPreferences {
    // In log order (CE, JC, OLC, DV, LVT, SVT, CLW, CJD, AJD): every calendar.
    std::array<bool, NumberOfCalendars> includeCalendar = [] {
        std::array<bool, NumberOfCalendars> all{};
        all.fill(true);
        return all;
    }();
    bool includePhaseOfMoonAndIllumination = true;
    bool includeLunationAndAgeOfMoon = true;
    int optLogFormat = 0;  // 0 "calendar=date", 1 "date calendar,"
};

// The eleven include boxes in the order the preferences window and the saved
// state list them: CE JC OLC DV LVT SVT CJD AJD, phase and illumination,
// lunation and age, CLW.
inline constexpr int IncludeBoxCount = NumberOfCalendars + 2;
// The two boxes that are no calendar's: the Moon's phase and its age.
inline constexpr int PhaseIncludeBox = 8, AgeIncludeBox = 9;
bool IncludeBox(const LogPreferences& prefs, int box);
void SetIncludeBox(LogPreferences& prefs, int box, bool on);

// The one set of log preferences. The preferences window shows it and edits
// it; every change, from the window or from Reset and the restore, reaches
// the listener (the window), so what it shows is never a stale copy.
class LogPreferenceStore {
public:
    const LogPreferences& Get() const { return prefs_; }
    void Set(const LogPreferences& prefs) {
        prefs_ = prefs;
        if (listener_) listener_();
    }
    template <class Edit>
    void Change(Edit&& edit) {
        LogPreferences p = prefs_;
        edit(p);
        Set(p);
    }
    void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    LogPreferences prefs_;
    std::function<void()> listener_;
};

// What the log reads from the display when an entry is made.
struct DisplaySnapshot {
    // Value labels in log order (CE, JC, OLC, DV, LVT, SVT, CLW, CJD, AJD).
    std::array<std::string, NumberOfCalendars> dateLines;
    std::string phaseCaption;  // "Crescent moon (waxing), 23.4%"
    std::string ageCaption;    // "[282] 12 days, 14 hrs, 28 mins (42.7%)"
    int currentCalendar = 0;
};

// What the display shows for moment (offsetMinutes: the effective zone
// offset): the date lines' values and the Moon's two texts, all of that one
// instant.
DisplaySnapshot SnapshotAt(double moment, int offsetMinutes, int currentCalendar);

// The calendar line's items (without the line break), "" when none.
std::string LogCalendarLine(const DisplaySnapshot& shown, const LogPreferences& prefs);
// The Moon line's items with its closing ".", "" when neither Moon box is checked.
std::string LogMoonLine(const DisplaySnapshot& shown, const LogPreferences& prefs);
// A whole entry: operation, text, the two lines, extra, the empty line.
std::string LogEntryText(const std::string& text, const std::string& operation, const std::string& extra,
                         const DisplaySnapshot& shown, const LogPreferences& prefs);
// The header of an empty log.
std::string LogHeader(const std::string& windowTitle, const std::string& documentationAddress);

// The one log text, with the capacity at which it is full. The log window
// shows it live: the listener hears of every change, with the appended piece
// for an append and nullptr when the whole text changed.
class LogBook {
public:
    using Listener = std::function<void(const std::string* appended)>;
    // The text the user is editing in the log window, read back on demand.
    using EditedText = std::function<std::string()>;
    explicit LogBook(size_t capacity = 4u << 20) : capacity_(capacity) {}
    const std::string& Text() const {
        if (edited_ && source_) {
            text_ = source_();
            edited_ = false;
        }
        return text_;
    }
    bool Empty() const { return Text().empty(); }
    // Appends when the piece fits; false (and nothing appended) when full.
    bool Append(const std::string& piece);
    void Clear() { SetText({}); }
    void SetText(std::string text) {
        text_ = std::move(text);
        edited_ = false;
        if (listener_) listener_(nullptr);
    }
    // The user may edit the log text in its window, which then holds the
    // newest text: an edit only marks this copy out of date, so a keystroke
    // costs nothing in the log's length, and the text is read back from the
    // window when it is next needed.
    void SetEditedSource(EditedText source) {
        Text();
        source_ = std::move(source);
    }
    void MarkEdited() { edited_ = source_ != nullptr; }
    size_t Capacity() const { return capacity_; }
    void SetCapacity(size_t capacity) { capacity_ = capacity; }
    void SetListener(Listener listener) { listener_ = std::move(listener); }

private:
    mutable std::string text_;
    mutable bool edited_ = false;
    size_t capacity_;
    Listener listener_;
    EditedText source_;
};

}  // namespace vx
