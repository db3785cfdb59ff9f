// The commands of one moment: convert, search and moon, each reading its
// date as the window's entry box does.
#include <charconv>
#include <cmath>

#include "CliInternal.h"
#include "Illumination.h"
#include "DateLines.h"
#include "MoonPanel.h"
#include "Place.h"
#include "Search.h"
#include "TextHelpers.h"

namespace vx::cli {

int Convert(const Arguments& a, Output& out, std::ostream& err) {
    ZoneOptions zone;
    int calendar = CE;
    if (!ReadZoneOptions(a, zone, err)) return ExitUsage;
    for (const auto& [name, value] : a.options)
        if (name == "--calendar" && (calendar = CalendarIndex(value)) < 0)
            return UsageError(err, "unknown calendar code: " + value);

    DateEntryInputs host;
    host.currentCalendar = calendar;
    double moment = 0;
    if (!ReadZonedEntry(a.operands[0], zone, host, moment, err)) return ExitFailed;
    for (const DateLine& line : AllCalendarLines(moment, zone.ShownOffset(moment)))
        out.Put(Row(CalendarCodeText(line.calendar), line.longText, line.sentence));
    out.Put(TimeRow(moment, zone, host.currentCalendar));
    return ExitDone;
}

std::string TargetList() {
    std::string list;
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!IsSearchSeparator(t))
            list += (t < 10 ? "   " : "  ") + IntText(t) + "  " + std::string(SearchTargetText(t)) + "\n";
    return list;
}

// A target's text (any case) or index; -1 for neither, the index itself for
// a separator, which the caller refuses.
SearchTarget ReadTarget(const std::string& text) {
    for (SearchTarget t = 0; t < NumberOfSearchTargets; ++t)
        if (!IsSearchSeparator(t) && ToUpperAscii(SearchTargetText(t)) == ToUpperAscii(text)) return t;
    SearchTarget index = -1;
    if (!text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos)
        std::from_chars(text.data(), text.data() + text.size(), index);
    return index < NumberOfSearchTargets ? index : -1;
}

bool ReadOptionalPlace(const Arguments& a, Place& place, bool& placed, std::ostream& err) {
    for (const auto& [name, value] : a.options) {
        std::string error;
        if (name == "--at" && !ReadPlace(value, place, error)) {
            UsageError(err, "--at: " + error);
            return false;
        }
        placed = placed || name == "--at";
    }
    return true;
}

// The coincidence is found at noon with the offset of the start; a named
// zone may have another offset by then, and that day's noon is with it.
void KeepLocalNoon(SearchOutcome& found, double start, bool next, int startOffset, const ZoneOptions& zone) {
    const double noon = found.moment - DaysFromMinutes(zone.ShownOffset(found.moment) - startOffset);
    if (IsInSupportedRange(noon) && (next ? noon > start : noon < start)) found.moment = noon;
}

int Search(const Arguments& a, Output& out, std::ostream& err) {
    const std::string& targetText = a.operands[0];
    const std::string& direction = a.operands[1];
    const SearchTarget target = ReadTarget(targetText);
    if (target < 0 || IsSearchSeparator(target)) {
        UsageError(err, (target < 0 ? "not a search target: \"" + targetText + "\""
                                    : targetText + " is a separator of the target list, not a target") +
                            "; the targets are:");
        err << TargetList();
        return ExitUsage;
    }
    if (direction != "next" && direction != "previous")
        return UsageError(err, "the direction is next or previous, not \"" + direction + "\"");
    const bool next = direction == "next";
    ZoneOptions zone;
    if (!ReadZoneOptions(a, zone, err)) return ExitUsage;

    DateEntryInputs host;
    double moment = 0;
    Place place;
    bool placed = false;
    if (!ReadOptionalPlace(a, place, placed, err)) return ExitUsage;
    if (!ReadZonedEntry(a.operands[2], zone, host, moment, err)) return ExitFailed;
    InitPhaseConstants();
    // An eclipse counts as displayed when the date is its greatest eclipse,
    // as the window shows it; only the saros search starts from it.
    SearchState state;
    int32_t shownLunation = NoLunation;
    bool shownLunar = false;
    const bool eclipseShown = FindDisplayedEclipse(moment, shownLunation, shownLunar);
    if (eclipseShown && target == SarosTarget) {
        state.LastEclipseLunation = shownLunation;
        state.LastEclipseWasLunar = shownLunar;
    }
    const int startOffset = zone.ShownOffset(moment);
    SearchOutcome found = RunSearch(target, next, moment, startOffset, eclipseShown, state, placed ? &place : nullptr);
    if (found.result != SearchOutcome::Result::Found) {
        err << Row(
            "error", found.messageTitle,
            found.result == SearchOutcome::Result::PhaseError ? "Error" + IntText(found.phaseCode) : found.messageText);
        return ExitFailed;
    }
    const SearchTargetInfo::Kind kind = SearchTargetOf(target).kind;
    if (kind == SearchTargetInfo::Kind::Coincidence) KeepLocalNoon(found, moment, next, startOffset, zone);
    const int offset = zone.ShownOffset(found.moment);
    const DateLine line = CalendarLine(host.currentCalendar, found.moment, offset);
    out.Put(Row("DATE", line.longText));
    out.Put(TimeRow(found.moment, zone, host.currentCalendar));
    // The eclipse's times are in the offset at greatest eclipse.
    if (found.record.kind > 0 && kind != SearchTargetInfo::Kind::Phase && kind != SearchTargetInfo::Kind::Coincidence) {
        const EclipseDetails details = EclipseDetailsText(found.record, found.moment, offset);
        for (const std::string& l : details.EclipseLines)
            if (!l.empty()) out.Put(Row("ECLIPSE", l));
        if (placed)
            for (const std::string& l : LocalEclipseLines(found.record, place, offset)) out.Put(Row("LOCAL", l));
    }
    return ExitDone;
}

std::string_view PaintingText(ShadowPaint paint) {
    switch (paint) {
        case ShadowPaint::InsideRight:
            return "waxing crescent";
        case ShadowPaint::OutsideLeft:
            return "waxing gibbous";
        case ShadowPaint::OutsideRight:
            return "waning gibbous";
        case ShadowPaint::InsideLeft:
            return "waning crescent";
        case ShadowPaint::None:
            break;
    }
    return "none";
}

// The moon panel's texts and picture for DATE, then the lit part of the
// disc, which the panel's percentage is not.
int Moon(const Arguments& a, Output& out, std::ostream& err) {
    ZoneOptions zone;
    if (!ReadZoneOptions(a, zone, err)) return ExitUsage;
    DateEntryInputs host;
    double moment = 0;
    if (!ReadZonedEntry(a.operands[0], zone, host, moment, err)) return ExitFailed;

    InitPhaseConstants();
    const MoonData moon = ComputeMoonData(moment);
    if (moon.phaseResult < 0) {
        err << Row("error", "Error", GetPhaseErrorText(moon.phaseResult, "DisplayMoonData"));
        return ExitFailed;
    }
    const MoonPictureChoice picture = ChooseMoonPicture(moon.fraction, moon.waxing);
    out.Put(Row("PHASE", MoonPhaseText(moon.fraction, moon.waxing)));
    out.Put(Row("AGE", moon.ageText));
    out.Put(Row("DELTAT", DeltaTText(DeltaTForMoment(moment))));
    out.Put(Row("PICTURE", MoonPictureFile(picture.base), PaintingText(picture.paint)));
    out.Put(Row("LIT", FixedText(IlluminatedFractionAtMoment(moment) * 100, 1)));
    return ExitDone;
}

}  // namespace vx::cli
