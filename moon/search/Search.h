// The searches of the Search command: the next or previous phase, quarter,
// eclipse of a class, member of the same saros series, or day on which four
// lunar calendars all begin a month; and the text of a found eclipse. The
// window takes care of the entry box, the labels, messages, history and log.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Place.h"
#include "TimeUnits.h"
#include "vxphase.h"

namespace vx {

// Index of the target list; the indices are those of the saved state.
using SearchTarget = int16_t;
namespace Target {
inline constexpr SearchTarget FullMoon = 0, DarkMoon = 1, FirstQuarter = 2, LastQuarter = 3, Quarter = 4,
                              FirstSeparator = 5, AnyEclipse = 6, LunarEclipse = 7, TotalLunarEclipse = 8,
                              TotalOrUmbralLunarEclipse = 9, SolarEclipse = 10, TotalSolarEclipse = 11,
                              AnnularSolarEclipse = 12, SameSaros = 13, SecondSeparator = 14, Coincidence = 15,
                              SolarEclipseSeenHere = 16, LunarEclipseSeenHere = 17;
}  // namespace Target
inline constexpr int NumberOfSearchTargets = 18;
inline constexpr SearchTarget SarosTarget = Target::SameSaros;
inline constexpr SearchTarget CoincidenceTarget = Target::Coincidence;

// The message of a search for a separator of the list.
inline constexpr std::string_view NoTargetTitle = "Search";
inline constexpr std::string_view NoTargetMessage = "Please specify target for search.";

// No eclipse lunation remembered.
inline constexpr int32_t NoLunation = -10000000;

// What a target looks for: the window's list and the search read this one
// table.
struct SearchTargetInfo {
    enum class Kind { Phase, Separator, Eclipse, Saros, Coincidence, SeenHere };
    std::string_view text;  // the list's item, "" for a separator
    Kind kind;
    // Phases and eclipses: the phases visited, a bit per PhaseKind.
    unsigned phases = 0;
    // Eclipses: the kinds accepted, a bit per eclipse kind 1..10.
    unsigned eclipseKinds = 0;
    // The first four: the phase the item stands for (its item data), else -1.
    int itemPhase = -1;
};
const SearchTargetInfo& SearchTargetOf(SearchTarget target);

// "Full moon", ..., "" for the separators 5 and 14.
std::string_view SearchTargetText(SearchTarget target);
// The phase the first four targets stand for, -1 for the others.
int SearchTargetPhase(SearchTarget target);
// Whether an eclipse of kind belongs to the class of an eclipse target.
bool EclipseKindAccepted(SearchTarget target, int kind);
// A separator or an index outside the list: nothing to search for.
bool IsSearchSeparator(SearchTarget target);

// "Search for next full moon."
std::string SearchLogText(SearchTarget target, bool next);

// The main window's variables that searches read and set.
struct SearchState {
    bool blnExact = false;
    int32_t LastEclipseLunation = NoLunation;
    bool LastEclipseWasLunar = false;
};

struct SearchOutcome {
    enum class Result { Found, NoTarget, PhaseError, NoEclipseDisplayed, NoPlace, NotFound };
    Result result = Result::NotFound;
    double moment = 0.0;                    // the new Moment when found
    PhaseEclipseRecord record{};            // the last library call's record
    int16_t phaseCode = 0;                  // GetPhase's negative result for PhaseError
    std::string messageTitle, messageText;  // for the results other than Found
};

// Runs target from moment in a direction. zoneOffset is the effective
// offset (for the coincidence search's noon); eclipseDisplayed tells whether
// an eclipse is shown (the saros search needs one); place is the observer's
// (the searches for eclipses seen from here need one). Never leaves the
// supported range: when nothing is found inside it the outcome is NotFound
// with a message naming the target, the direction and the limit.
SearchOutcome RunSearch(SearchTarget target, bool next, double moment, int zoneOffset, bool eclipseDisplayed,
                        SearchState& state, const Place* place = nullptr);

// The eclipse of the record as seen from the place (the library's record).
LocalEclipseRecord LocalCircumstances(const PhaseEclipseRecord& record, const Place& place);
// The lines the eclipse data gains for a place: how the eclipse is seen
// there, its contacts in the zone (offset in minutes), and the Sun's or the
// Moon's altitude at the maximum.
std::vector<std::string> LocalEclipseLines(const PhaseEclipseRecord& record, const Place& place, int zoneOffset);

// The eclipse whose greatest eclipse is within ShownEclipseTolerance of
// moment: its lunation, and whether it is lunar. False when there is none.
bool FindDisplayedEclipse(double moment, int32_t& lunation, bool& lunar);
// How far a displayed moment may lie from an eclipse's greatest eclipse and
// still show it: the greatest eclipse itself, or read back from a date
// written to the minute. The window and the command-line tool both use it.
inline constexpr double ShownEclipseTolerance = DaysFromMinutes(1);

// The syzygy whose eclipse a history entry of eclipse kind (1..10) shows,
// from the lunation and phase GetPhase gives at the entry's moment: a lunar
// eclipse's greatest eclipse can come just before its full moon (phase 1
// reached), a solar one just before its new moon (phase 3 of the lunation
// before). Other kinds and phases are left as they are.
void SyzygyOfShownEclipse(int kind, int32_t& lunation, int16_t& phase);

// True when OLC day 1, DV day 1, LVT day 1 (of its triday) and CLW week 1
// day 1 fall on day number jdn (the CLW day of the same number).
bool AllFirstsCoincide(int32_t jdn);

// The six lines of a found eclipse, the label's caption and the one-line
// summary for the log. moment is the maximum (UT); zoneOffset as above.
struct EclipseDetails {
    std::array<std::string, 7> EclipseLines;
    std::string caption;
    std::string summary;
};
EclipseDetails EclipseDetailsText(const PhaseEclipseRecord& record, double moment, int zoneOffset);

}  // namespace vx
