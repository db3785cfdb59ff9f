#include "Search.h"

#include <array>
#include <cmath>

#include "CalendarStep.h"
#include "Corvane.h"
#include "Moment.h"
#include "PhaseQueries.h"
#include "TextHelpers.h"
#include "vxombrine.h"
#include "vxsolilunar.h"
#include "vxtriday.h"

namespace vx {

namespace {

using Info = SearchTargetInfo;
using Kind = SearchTargetInfo::Kind;

constexpr unsigned Phases(std::initializer_list<PhaseKind> phases) {
    unsigned bits = 0;
    for (PhaseKind p : phases) bits |= 1u << p;
    return bits;
}
constexpr unsigned Kinds(std::initializer_list<int> kinds) {
    unsigned bits = 0;
    for (int k : kinds) bits |= 1u << k;
    return bits;
}
constexpr unsigned kSolarKinds =
    Kinds({VXPHASE_SOLAR_PARTIAL, VXPHASE_SOLAR_ANNULAR, VXPHASE_SOLAR_TOTAL, VXPHASE_SOLAR_TOTAL_NONCENTRAL,
           VXPHASE_SOLAR_ANNULAR_NONCENTRAL, VXPHASE_SOLAR_HYBRID, VXPHASE_SOLAR_HYBRID_NONCENTRAL});
constexpr unsigned kLunarKinds = Kinds({VXPHASE_LUNAR_PENUMBRAL, VXPHASE_LUNAR_PARTIAL, VXPHASE_LUNAR_TOTAL});
constexpr unsigned kSyzygies = Phases({NewMoon, FullMoon});

// In the order of the window's list.
constexpr std::array<Info, NumberOfSearchTargets> kTargets = {{
    {"Full moon", Kind::Phase, Phases({FullMoon}), 0, FullMoon},
    {"Dark moon", Kind::Phase, Phases({NewMoon}), 0, NewMoon},
    {"Half moon (1st quarter)", Kind::Phase, Phases({FirstQuarter}), 0, FirstQuarter},
    {"Half moon (last quarter)", Kind::Phase, Phases({LastQuarter}), 0, LastQuarter},
    {"Quarter", Kind::Phase, Phases({NewMoon, FirstQuarter, FullMoon, LastQuarter})},
    {"", Kind::Separator},
    {"Lunar or solar eclipse", Kind::Eclipse, kSyzygies, kSolarKinds | kLunarKinds},
    {"Lunar eclipse", Kind::Eclipse, Phases({FullMoon}), kLunarKinds},
    {"Total lunar eclipse", Kind::Eclipse, Phases({FullMoon}), Kinds({VXPHASE_LUNAR_TOTAL})},
    {"Total or umbral lunar eclipse", Kind::Eclipse, Phases({FullMoon}),
     Kinds({VXPHASE_LUNAR_PARTIAL, VXPHASE_LUNAR_TOTAL})},
    {"Solar eclipse", Kind::Eclipse, Phases({NewMoon}), kSolarKinds},
    {"Total solar eclipse", Kind::Eclipse, Phases({NewMoon}),
     Kinds(
         {VXPHASE_SOLAR_TOTAL, VXPHASE_SOLAR_TOTAL_NONCENTRAL, VXPHASE_SOLAR_HYBRID, VXPHASE_SOLAR_HYBRID_NONCENTRAL})},
    {"Annular solar eclipse", Kind::Eclipse, Phases({NewMoon}),
     Kinds({VXPHASE_SOLAR_ANNULAR, VXPHASE_SOLAR_ANNULAR_NONCENTRAL, VXPHASE_SOLAR_HYBRID,
            VXPHASE_SOLAR_HYBRID_NONCENTRAL})},
    {"Eclipse in same saros series", Kind::Saros},
    {"", Kind::Separator},
    {"Coincidence of 1sts of month", Kind::Coincidence},
    {"Solar eclipse seen from here", Kind::SeenHere, Phases({NewMoon}), kSolarKinds},
    {"Lunar eclipse seen from here", Kind::SeenHere, Phases({FullMoon}), kLunarKinds},
}};
constexpr Info kNoTarget{"", Kind::Separator};

bool InRange(double moment) { return moment >= FirstSupportedMoment && moment <= LastSupportedMoment; }

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

SearchOutcome NotFound(SearchTarget target, bool next) {
    SearchOutcome o;
    o.result = SearchOutcome::Result::NotFound;
    o.messageTitle = "Search";
    o.messageText = "No " + Lower(SearchTargetText(target)) + " found " +
                    (next ? "after this date before 6000-01-01 CE." : "before this date after -3000-01-01 CE.");
    return o;
}

// The lunation window of the supported range, with a lunation to spare.
constexpr int32_t kFirstLunation = -62400;
constexpr int32_t kLastLunation = 49500;

}  // namespace

const SearchTargetInfo& SearchTargetOf(SearchTarget target) {
    return target >= 0 && target < NumberOfSearchTargets ? kTargets[static_cast<size_t>(target)] : kNoTarget;
}

std::string_view SearchTargetText(SearchTarget target) { return SearchTargetOf(target).text; }

int SearchTargetPhase(SearchTarget target) { return SearchTargetOf(target).itemPhase; }

bool EclipseKindAccepted(SearchTarget target, int kind) {
    return kind >= 1 && kind < 32 && (SearchTargetOf(target).eclipseKinds >> kind & 1u) != 0;
}

bool IsSearchSeparator(SearchTarget target) { return SearchTargetOf(target).kind == Kind::Separator; }

std::string SearchLogText(SearchTarget target, bool next) {
    return std::string("Search for") + (next ? " next" : " previous") + " " + Lower(SearchTargetText(target)) + ".";
}

bool AllFirstsCoincide(int32_t jdn) {
    OmbrineDateRecord o{};
    o.jdn = jdn;
    jdn_to_odate(&o);
    if (o.day != 1) return false;
    SolilunarDateRecord d{};
    d.jdn = jdn;
    jdn_to_dvslcdate(&d);
    if (d.day != 1) return false;
    LunarTridayRecord l{};
    l.jdn = jdn;
    jdn_to_vtclunar(&l);
    if (l.day != 1) return false;
    CorvaneDateRecord c;
    c.jdn = jdn;
    CorvaneDateFromDay(c);
    return c.week == 1 && c.day == 1;
}

namespace {

// The greatest eclipse of the record, in UT.
double GreatestEclipse(const PhaseEclipseRecord& record) { return UniversalFromDynamical(record.greatest_tt); }

// An event strictly beyond the start in the direction of the search. A start
// shown as exactly at the event (within the exactness of a phase, either
// side: a written date puts it a few seconds before or after) is that event,
// which next and previous both pass over, so that searches chained through
// written dates move on.
bool Beyond(double t, double start, bool next) {
    if (std::fabs(t - start) < PhaseExactTolerance) return false;
    return next ? t > start : t < start;
}

// The eclipse in o.record (of lunation n) is the answer: remember it for the
// saros search and show its greatest eclipse in UT. Nothing is remembered
// unless the answer is accepted.
SearchOutcome EclipseFound(SearchOutcome o, int32_t n, SearchTarget target, bool next, SearchState& state) {
    o.moment = GreatestEclipse(o.record);
    if (!InRange(o.moment)) return NotFound(target, next);
    state.LastEclipseLunation = n;
    state.LastEclipseWasLunar = IsLunarEclipse(o.record.kind);
    o.result = SearchOutcome::Result::Found;
    return o;
}

// A phase of a lunation; the searches step through them.
struct PhaseEvent {
    int32_t lunation;
    PhaseKind phase;
};

// The next (or previous) event among the phases visited.
PhaseEvent StepEvent(PhaseEvent e, unsigned phases, bool next) {
    do {
        if (next) {
            if (++e.phase > LastQuarter) {
                e.phase = NewMoon;
                ++e.lunation;
            }
        } else if (--e.phase < NewMoon) {
            e.phase = LastQuarter;
            --e.lunation;
        }
    } while ((phases >> e.phase & 1u) == 0);
    return e;
}

// The one search loop of the phase and eclipse targets: it visits the
// target's phases from a lunation before the start, in the direction, and
// takes the first event strictly beyond the start: a phase instant, or an
// accepted eclipse's greatest eclipse (which can lie hours from its syzygy,
// with the start between them). The eclipse last found is not found again.
SearchOutcome PhaseOrEclipseSearch(SearchTarget target, bool next, double start, const SearchState& shown,
                                   SearchState& result, const Place* place) {
    const Info& info = SearchTargetOf(target);
    const bool eclipses = info.kind == Kind::Eclipse || info.kind == Kind::SeenHere;
    const int32_t n0 = LunationOf(start);
    PhaseEvent e = StepEvent(next ? PhaseEvent{n0 - 1, NewMoon} : PhaseEvent{n0 + 1, LastQuarter}, info.phases, next);
    SearchOutcome o;
    for (;; e = StepEvent(e, info.phases, next)) {
        if (e.lunation < kFirstLunation || e.lunation > kLastLunation) return NotFound(target, next);
        if (eclipses && !EclipsePossible(e.lunation, e.phase)) continue;
        const double instant = PhaseInstant(e.lunation, e.phase, o.record);
        if (next ? instant > LastSupportedMoment : instant < FirstSupportedMoment) return NotFound(target, next);
        if (!eclipses) {
            if (!Beyond(instant, start, next)) continue;
            if (!InRange(instant)) return NotFound(target, next);
            o.moment = instant;
            o.result = SearchOutcome::Result::Found;
            return o;
        }
        const bool sameAsLast =
            e.lunation == shown.LastEclipseLunation && (e.phase == FullMoon) == shown.LastEclipseWasLunar;
        if (EclipseKindAccepted(target, o.record.kind) && !sameAsLast &&
            Beyond(GreatestEclipse(o.record), start, next) &&
            (place == nullptr || (LocalCircumstances(o.record, *place).flags & VXPHASE_LOCAL_VISIBLE) != 0))
            return EclipseFound(o, e.lunation, target, next, result);
    }
}

}  // namespace

void SyzygyOfShownEclipse(int kind, int32_t& lunation, int16_t& phase) {
    if (IsLunarEclipse(kind) && phase == FirstQuarter) phase = FullMoon;
    if (IsSolarEclipse(kind) && phase == LastQuarter) {
        phase = NewMoon;
        ++lunation;
    }
}

bool FindDisplayedEclipse(double moment, int32_t& lunation, bool& lunar) {
    // No two eclipses are within days of each other at the same phase, so
    // the one within the tolerance is the one.
    double a = 0, b = 0;
    const int32_t n0 = LunationBetweenNewMoons(moment, a, b);
    for (int32_t n = n0 - 1; n <= n0 + 1; ++n) {
        for (PhaseKind phase : {NewMoon, FullMoon}) {
            if (!EclipsePossible(n, phase)) continue;
            PhaseEclipseRecord record{};
            syzyg(n, phase, &record);
            if (record.kind > 0 && std::fabs(GreatestEclipse(record) - moment) < ShownEclipseTolerance) {
                lunation = n;
                lunar = phase == FullMoon;
                return true;
            }
        }
    }
    return false;
}

namespace {

// The member of the shown eclipse's saros series one saros (223 lunations)
// away.
SearchOutcome SarosSearch(bool next, double moment, bool eclipseDisplayed, const SearchState& state,
                          SearchState& result) {
    constexpr SearchTarget target = Target::SameSaros;
    SearchOutcome o;
    int32_t shownLunation = state.LastEclipseLunation;
    bool shownLunar = state.LastEclipseWasLunar;
    // Without a remembered lunation (after a restart, say) the displayed
    // moment itself tells which eclipse is shown.
    const bool known =
        eclipseDisplayed && (shownLunation != NoLunation || FindDisplayedEclipse(moment, shownLunation, shownLunar));
    if (!known) {
        o.result = SearchOutcome::Result::NoEclipseDisplayed;
        o.messageTitle = "No eclipse displayed";
        o.messageText =
            "Eclipse date must be displayed in order to search for "
            "the next or previous eclipse in the same saros series.";
        return o;
    }
    // The member of the same series is exactly one saros, 223 lunations,
    // away.
    const int32_t partner = shownLunation + (next ? 223 : -223);
    const PhaseKind phase = shownLunar ? FullMoon : NewMoon;
    PhaseEclipseRecord shown{};
    syzyg(shownLunation, phase, &shown);
    if (partner < kFirstLunation || partner > kLastLunation) return NotFound(target, next);
    PhaseInstant(partner, phase, o.record);
    if (o.record.kind <= 0 || (shown.kind > 0 && o.record.saros != shown.saros)) {
        o.result = SearchOutcome::Result::NotFound;
        o.messageTitle = "Search";
        o.messageText = std::string("The saros series has no eclipse ") + (next ? "after" : "before") + " this one.";
        return o;
    }
    return EclipseFound(o, partner, target, next, result);
}

// The next or previous day on which the four lunar calendars begin a month,
// stepping by OLC months; found at its noon.
SearchOutcome CoincidenceSearch(bool next, double moment, int zoneOffset) {
    SearchOutcome o;
    // Coincidence of the first days of months, stepping by OLC months.
    int32_t d = CivilDay(moment, zoneOffset);
    OmbrineDateRecord olc{};
    olc.jdn = d;
    jdn_to_odate(&olc);
    if (next) {
        olc.day = 1;
        StepOmbrineMonth(olc, true);
    } else if (olc.day == 1) {
        StepOmbrineMonth(olc, false);
    } else {
        olc.day = 1;
    }
    for (;;) {
        odate_to_jdn(&olc);
        if (olc.valid != 1) return NotFound(CoincidenceTarget, next);
        d = olc.jdn;
        const double noon = MomentFromCJD(d + 0.5, zoneOffset);
        if (!InRange(noon)) return NotFound(CoincidenceTarget, next);
        if (AllFirstsCoincide(d) && Beyond(noon, moment, next)) {
            o.moment = noon;
            o.record = PhaseEclipseRecord{};
            o.result = SearchOutcome::Result::Found;
            return o;
        }
        StepOmbrineMonth(olc, next);
    }
}

}  // namespace

SearchOutcome RunSearch(SearchTarget target, bool next, double moment, int zoneOffset, bool eclipseDisplayed,
                        SearchState& state, const Place* place) {
    SearchOutcome o;
    if (IsSearchSeparator(target)) {
        o.result = SearchOutcome::Result::NoTarget;
        o.messageTitle = NoTargetTitle;
        o.messageText = NoTargetMessage;
        return o;
    }
    // The caller's state changes only with a result that is accepted.
    SearchState result = state;
    auto accept = [&](SearchOutcome outcome) {
        if (outcome.result == SearchOutcome::Result::Found) state = result;
        return outcome;
    };
    bool exact = false;
    const int16_t phaseReached = GetPhase(LunationOf(moment), moment, exact);
    result.blnExact = exact;
    if (phaseReached < 0) {
        o.result = SearchOutcome::Result::PhaseError;
        o.phaseCode = phaseReached;
        return o;
    }
    const Kind kind = SearchTargetOf(target).kind;
    if (kind == Kind::SeenHere && place == nullptr) {
        o.result = SearchOutcome::Result::NoPlace;
        o.messageTitle = "No place set";
        o.messageText =
            "A place must be set in order to search for the next or previous "
            "eclipse seen from here.";
        return o;
    }

    if (kind == Kind::Saros) return accept(SarosSearch(next, moment, eclipseDisplayed, state, result));
    if (kind == Kind::Phase || kind == Kind::Eclipse)
        return accept(PhaseOrEclipseSearch(target, next, moment, state, result, nullptr));
    if (kind == Kind::SeenHere) return accept(PhaseOrEclipseSearch(target, next, moment, state, result, place));
    return accept(CoincidenceSearch(next, moment, zoneOffset));
}

LocalEclipseRecord LocalCircumstances(const PhaseEclipseRecord& record, const Place& place) {
    LocalEclipseRecord local{};
    ecllocal(&record, place.latitude, place.longitude, place.height, &local);
    return local;
}

std::vector<std::string> LocalEclipseLines(const PhaseEclipseRecord& record, const Place& place, int zoneOffset) {
    const LocalEclipseRecord l = LocalCircumstances(record, place);
    const bool lunar = l.phase == FullMoon;
    if (l.kind == 0 || l.local_kind == 0) return {"Not seen from here"};
    if ((l.flags & VXPHASE_LOCAL_VISIBLE) == 0)
        return {std::string("Not seen from here: the ") + (lunar ? "Moon" : "Sun") + " is below the horizon"};
    auto at = [&](int i) {
        if (std::isnan(l.contacts_ut[i])) return std::string("--:--:--");
        const double c = CJDFromMoment(l.contacts_ut[i], zoneOffset);
        return TimeText(c - std::floor(c), true);
    };
    std::vector<std::string> lines;
    const std::string sky = std::string(lunar ? "Moon" : "Sun") + " at greatest: altitude " +
                            FixedText(l.altitude_deg, 1) + "\u00b0, azimuth " + FixedText(l.azimuth_deg, 1) + "\u00b0";
    if (lunar) {
        static constexpr const char* kNames[7] = {"P1 ", "U1 ", "U2 ", "greatest ", "U3 ", "U4 ", "P4 "};
        std::string contacts;
        for (int i = 0; i < 7; ++i)
            if (!std::isnan(l.contacts_ut[i]))
                contacts += (contacts.empty() ? "" : ", ") + std::string(kNames[i]) + at(i);
        lines = {"Seen from here", contacts, sky};
    } else {
        static constexpr const char* kKinds[4] = {"", "partial", "annular", "total"};
        lines.push_back(std::string("Seen from here: ") + kKinds[l.local_kind] + ", magnitude " +
                        FixedText(l.magnitude, 3) + ", obscuration " + FixedText(l.obscuration * 100, 1) + " %");
        std::string contacts = "Begins " + at(0);
        if (!std::isnan(l.contacts_ut[1])) contacts += ", central " + at(1) + " to " + at(3);
        lines.push_back(contacts + ", greatest " + at(2) + ", ends " + at(4));
        lines.push_back(sky);
    }
    return lines;
}

EclipseDetails EclipseDetailsText(const PhaseEclipseRecord& record, double moment, int zoneOffset) {
    EclipseDetails out;
    const int kind = record.kind;
    out.EclipseLines[0] = std::string(EclipseKindText(kind));
    out.EclipseLines[1] = "Lunation number = " + std::to_string(record.lunation);
    out.EclipseLines[2] = "Saros number = " + std::to_string(record.saros);
    const double c = CJDFromMoment(moment, zoneOffset);
    struct PhaseLine {
        int minKind, line;
        const char* prefix;
        double half;
    };
    const PhaseLine phases[] = {{8, 3, "Penumbral phase starts ", record.penumbral_half_min},
                                {9, 4, "Umbral phase starts ", record.umbral_half_min},
                                {10, 5, "Total phase starts ", record.total_half_min}};
    for (const PhaseLine& p : phases) {
        if (kind < p.minKind) continue;
        const double s = c - p.half / 60.0 / 24.0;
        const int32_t minutes = static_cast<int32_t>(RoundHalfEven(2 * p.half));
        out.EclipseLines[static_cast<size_t>(p.line)] =
            p.prefix + TimeText(s - std::floor(s), false) + " and lasts " + DurationText(minutes, false);
    }
    for (size_t i = 0; i <= 5; ++i) {
        const std::string& line = out.EclipseLines[i];
        if (line.empty()) continue;
        out.caption += line;
        if (i > 2) out.caption += ".";
        out.caption += "\r\n";
        out.summary += i == 0 ? line : ", " + Lower(line);
    }
    out.summary += ".";
    return out;
}

}  // namespace vx
