// The saved-state file: the displayed moment and the window's settings, 26
// values (15 and an include box each) one per line (CR LF), numbers in the invariant form, booleans -1/0,
// strings between double quotes. Reading checks every value's type and
// range and stops at the first that fails.
#pragma once

#include <sys/types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Records.h"

namespace vx {

inline constexpr const char* SavedStateFolderName = "Corvane Systems";
inline constexpr const char* SavedStateFileName = "vxrl.usr";
inline constexpr const char* SavedStateMarker = "Looking for something?";

struct SavedState {
    double moment = 0;                  // 1
    int currentCalendar = 0;            // 2: a calendar code
    bool moveForward = true;            // 3
    bool plus = true;                   // 4
    bool next = true;                   // 5
    bool greenwich = false;             // 6
    int moveStep = 2;                   // 7: an index of each list (SavedStateLists)
    int searchTarget = 0;               // 8
    int timeZone = 24;                  // 9
    int refreshPeriod = 2;              // 10
    bool repeatedly = false;            // 11
    bool logResults = false;            // 12
    std::string eclipseData;            // 13
    bool logFormatCalendarDate = true;  // 15
    // 16..: the include boxes in their order (CE, JC, OLC, DV, LVT, SVT, CJD,
    // AJD, phase, lunation and age, CLW).
    std::array<bool, IncludeBoxCount> include = [] {
        std::array<bool, IncludeBoxCount> all{};
        all.fill(true);
        return all;
    }();
};

// How many values a whole file holds.
inline constexpr int SavedStateValues = 15 + IncludeBoxCount;

// The sizes of the lists whose selected item the file keeps (lines 7 to 10):
// an index beyond its list is not read.
struct SavedStateLists {
    int moveSteps, searchTargets, zones, refreshPeriods;
};
// The program's own lists, as the window fills them from the same tables.
SavedStateLists ProgramLists();

// The file's text.
std::string FormatSavedState(const SavedState& state);

// Reads text into state value by value, in file order; returns how many of
// the values were read and are valid (SavedStateValues when the whole file
// is good). The values after the first bad one are left as they were.
int ReadSavedState(const std::string& text, SavedState& state, const SavedStateLists& lists = ProgramLists());

// The system calls a save makes; tests replace them to inject failures.
struct FileOperations {
    int (*open)(const char* path, int flags, int mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
const FileOperations& PosixFileOperations();

// Writes content to path through a new, uniquely named temporary file beside
// it (never following a link planted there), flushed to disk and then
// renamed over the old file, so a failed save leaves the old file whole. A
// symlink at path is followed: its target is replaced when it is a regular
// file or missing; anything else (a device, a FIFO, a folder, a loop of
// links) is refused and left alone. Every failure, of the writes, the
// flush, the close or the rename, gives false with a description that names
// path, not the temporary file.
bool WriteFileReplacing(const std::string& path, const std::string& content, std::string& error,
                        const FileOperations& ops = PosixFileOperations());

// Removes the temporary files a save of path left behind when it was killed
// before its rename: regular files named path's name, ".tmp" and digits,
// beside path and beside the file a link at path leads to, and not
// modified in the last minimumAgeSeconds. Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path, int64_t minimumAgeSeconds = 60);

// Reads path only when it is a regular file (after links), never more than
// limit + 1 bytes: a FIFO, a device or a file over limit gives false.
bool ReadRegularFile(const std::string& path, size_t limit, std::string& content, std::string& error);

}  // namespace vx
