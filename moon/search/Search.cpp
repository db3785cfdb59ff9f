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

constexpr std::array<std::string_view, NumberOfSearchTargets> kTargets = {
    "Full moon",        "Dark moon",          "Half moon (1st quarter)",       "Half moon (last quarter)",
    "Quarter",          "",                   "Lunar or solar eclipse",        "Lunar eclipse",
    "Total lunar eclipse", "Total or umbral lunar eclipse", "Solar eclipse", "Total solar eclipse",
    "Annular solar eclipse", "Eclipse in same saros series", "", "Coincidence of 1sts of month"};

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

std::string_view SearchTargetText(SearchTarget target) {
    return target >= 0 && target < NumberOfSearchTargets ? kTargets[static_cast<size_t>(target)] : std::string_view{};
}

int SearchTargetPhase(SearchTarget target) {
    static constexpr int kPhases[4] = {2, 0, 1, 3};
    return target >= 0 && target < 4 ? kPhases[target] : -1;
}

bool EclipseKindAccepted(SearchTarget target, int kind) {
    switch (target) {
        case 6: return kind >= 1 && kind <= 10;
        case 7: return kind >= 8 && kind <= 10;
        case 8: return kind == 10;
        case 9: return kind == 9 || kind == 10;
        case 10: return kind >= 1 && kind <= 7;
        case 11: return kind == 3 || kind == 4 || kind == 6 || kind == 7;
        case 12: return kind == 2 || kind == 5 || kind == 6 || kind == 7;
        default: return false;
    }
}

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

constexpr int32_t kNoLunation = -10000000;

// The greatest eclipse of the record, in UT.
double GreatestEclipse(const PhaseEclipseRecord& record) {
    return record.greatest_tt - DeltaTForMoment(record.greatest_tt) / 1440.0;
}

bool Beyond(double t, double start, bool next) { return next ? t > start : t < start; }

// The eclipse in o.record (of lunation n) is the answer: remember it for the
// saros search and show its greatest eclipse in UT. Nothing is remembered
// unless the answer is accepted.
SearchOutcome EclipseFound(SearchOutcome o, int32_t n, SearchTarget target, bool next, SearchState& state) {
    o.moment = GreatestEclipse(o.record);
    if (!InRange(o.moment)) return NotFound(target, next);
    state.LastEclipseLunation = n;
    state.LastEclipseWasLunar = o.record.kind >= 8;
    o.result = SearchOutcome::Result::Found;
    return o;
}

// The eclipse loop from (n, P), in the direction, within the range. An
// eclipse counts only when its greatest eclipse lies beyond the start (the
// start can fall between greatest eclipse and the syzygy), and the eclipse
// last found is never found again.
SearchOutcome EclipseLoop(SearchTarget target, bool next, int32_t n, int P, double start, const SearchState& state,
                          SearchState& result) {
    SearchOutcome o;
    for (;;) {
        if (n < kFirstLunation || n > kLastLunation) return NotFound(target, next);
        const PhaseKind phase = static_cast<PhaseKind>(P);
        if (EclipsePossible(n, phase)) {
            const double t = PhaseInstant(n, phase, o.record);
            if (next ? t > LastSupportedMoment : t < FirstSupportedMoment) return NotFound(target, next);
            const bool sameAsLast = n == state.LastEclipseLunation && (phase == FullMoon) == state.LastEclipseWasLunar;
            if (o.record.kind > 0 && EclipseKindAccepted(target, o.record.kind) && !sameAsLast &&
                Beyond(GreatestEclipse(o.record), start, next))
                break;
        }
        if (target == 6) {
            if (next) {
                if (P == 0) {
                    P = 2;
                } else {
                    P = 0;
                    ++n;
                }
            } else if (P == 2) {
                P = 0;
            } else {
                P = 2;
                --n;
            }
        } else {
            n += next ? 1 : -1;
        }
    }
    return EclipseFound(o, n, target, next, result);
}

// The phase instant of (n, P) or, when it is not beyond the start, the same
// phase one lunation further on.
SearchOutcome PhaseFound(SearchTarget target, bool next, int32_t n, PhaseKind P, double start, bool quarters) {
    SearchOutcome o;
    for (int guard = 0; guard < 8; ++guard) {
        o.moment = PhaseInstant(n, P, o.record);
        if (Beyond(o.moment, start, next)) break;
        if (!quarters) {
            n += next ? 1 : -1;
        } else if (next) {
            if (++P > 3) {
                P = 0;
                ++n;
            }
        } else if (--P < 0) {
            P = 3;
            --n;
        }
    }
    if (!InRange(o.moment) || !Beyond(o.moment, start, next)) return NotFound(target, next);
    o.result = SearchOutcome::Result::Found;
    return o;
}

}  // namespace

bool FindDisplayedEclipse(double moment, int32_t& lunation, bool& lunar) {
    // The displayed moment is the eclipse's greatest eclipse, or that moment
    // read back to the minute; no two eclipses are within days of each other
    // at the same phase, so the nearest within a few minutes is the one.
    constexpr double kTolerance = 5.0 / 1440.0;
    double a = 0, b = 0;
    const int32_t n0 = LunationBetweenNewMoons(moment, a, b);
    for (int32_t n = n0 - 1; n <= n0 + 1; ++n) {
        for (PhaseKind phase : {NewMoon, FullMoon}) {
            if (!EclipsePossible(n, phase)) continue;
            PhaseEclipseRecord record{};
            syzyg(n, phase, &record);
            if (record.kind > 0 && std::fabs(GreatestEclipse(record) - moment) < kTolerance) {
                lunation = n;
                lunar = phase == FullMoon;
                return true;
            }
        }
    }
    return false;
}

SearchOutcome RunSearch(SearchTarget target, bool next, double moment, int zoneOffset, bool eclipseDisplayed,
                        SearchState& state) {
    SearchOutcome o;
    if (target == 5 || target == 14 || target < 0 || target >= NumberOfSearchTargets) {
        o.result = SearchOutcome::Result::NoTarget;
        o.messageTitle = "Search";
        o.messageText = "Please specify target for search.";
        return o;
    }
    // The caller's state changes only with a result that is accepted.
    SearchState result = state;
    auto accept = [&](SearchOutcome outcome) {
        if (outcome.result == SearchOutcome::Result::Found) state = result;
        return outcome;
    };
    int32_t n = LunationOf(moment);
    bool exact = false;
    const int16_t Y = GetPhase(n, moment, exact);
    result.blnExact = exact;
    if (Y < 0) {
        o.result = SearchOutcome::Result::PhaseError;
        o.phaseCode = Y;
        return o;
    }

    if (target == SarosTarget) {
        int32_t shownLunation = state.LastEclipseLunation;
        bool shownLunar = state.LastEclipseWasLunar;
        // Without a remembered lunation (after a restart, say) the displayed
        // moment itself tells which eclipse is shown.
        const bool known = eclipseDisplayed && (shownLunation != kNoLunation || FindDisplayedEclipse(moment, shownLunation, shownLunar));
        if (!known) {
            o.result = SearchOutcome::Result::NoEclipseDisplayed;
            o.messageTitle = "No eclipse displayed";
            o.messageText = "Eclipse date must be displayed in order to search for "
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
        return accept(EclipseFound(o, partner, target, next, result));
    }

    if (target <= 3) {
        const int P = SearchTargetPhase(target);
        if (next) {
            if (Y >= P) ++n;
        } else if (P > Y || (P == Y && exact)) {
            --n;
        }
        return accept(PhaseFound(target, next, n, static_cast<PhaseKind>(P), moment, false));
    }
    if (target == 4) {
        int P;
        if (next) {
            P = Y + 1;
            if (P > 3) {
                P = 0;
                ++n;
            }
        } else if (exact) {
            P = Y - 1;
            if (P < 0) {
                P = 3;
                --n;
            }
        } else {
            P = Y;
        }
        return accept(PhaseFound(target, next, n, static_cast<PhaseKind>(P), moment, true));
    }
    if (target >= 6 && target <= 12) {
        // The loop starts at the first syzygy whose eclipse could lie beyond
        // the moment (greatest eclipse and syzygy can be hours apart, with
        // the moment between them); what is not beyond is passed over.
        const bool lunarOnly = target <= 9 && target != 6;
        int P = lunarOnly ? 2 : 0;
        if (!next && !lunarOnly) ++n;
        return accept(EclipseLoop(target, next, n, P, moment, state, result));
    }

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
            return accept(o);
        }
        StepOmbrineMonth(olc, next);
    }
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
