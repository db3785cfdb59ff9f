#include "MoonPanel.h"

#include <cmath>

#include "PhaseQueries.h"
#include "TextHelpers.h"

namespace vx {

namespace {

// Invariant like every other number the program writes: the log holds it.
std::string OneDecimal(double v) { return FixedText(v, 1); }

std::string Counted(int64_t n, const char* unit) { return std::to_string(n) + " " + unit + (n == 1 ? "" : "s"); }

}  // namespace

std::string FormatMoonAge(double days) {
    // To the whole second first: an age of whole hours, computed as the
    // difference of two instants, lies a rounding step either side of its
    // minute, and the floor of one just below would read a minute short.
    const double rounded = RoundHalfEven(SecondsFromDays(days));
    // Ages are never negative; anything else shows as no age at all.
    const int64_t seconds = rounded > 0 && rounded < 9e15 ? static_cast<int64_t>(rounded) : 0;
    const int64_t minutes = seconds / SecondsPerMinute;
    const int64_t d = minutes / MinutesPerDay;
    const int64_t rest = minutes % MinutesPerDay;
    return Counted(d, "day") + ", " + Counted(rest / MinutesPerHour, "hr") + ", " +
           Counted(rest % MinutesPerHour, "min");
}

std::string MoonPhaseText(double f, bool waxing) {
    // The name follows the value as shown, so "45.0%" is always a half moon.
    const double exact = f * 100;
    const std::string shownText = OneDecimal(exact);
    double pct = exact;
    ParseDecimal(shownText, pct);
    const char* name = pct < 1    ? "Dark moon"
                       : pct < 45 ? "Crescent moon"
                       : pct < 55 ? "Half moon"
                       : pct < 99 ? "Gibbous moon"
                                  : "Full moon";
    std::string text = name;
    if (exact >= 0.05 && exact <= 99.95) text += waxing ? " (waxing)" : " (waning)";
    return text + ", " + shownText + "%";
}

std::string DeltaTText(double minutes) {
    if (minutes > MinutesPerDay) return "More than 24 hours";
    return DurationText(static_cast<int32_t>(RoundHalfEven(minutes)), true);
}

void MoonPainter::Load(MoonPicture picture) {
    PixelImage file;
    fromFile_ = ReadBmp24(picPath_ + std::string(MoonPictureFile(picture)), file) && file.width == intMaxX + 1 &&
                file.height == intMaxY + 1;
    picture_ = fromFile_ ? std::move(file) : RenderMoonPicture(picture);
    base_ = picture_;
    basePicture_ = picture;
}

Colour MoonPainter::Background() const {
    // The painted background went through RecolourMarkerPixels as well.
    return background_ == Rgb(200, 0, 0) ? Rgb(192, 0, 0) : background_;
}

void MoonPainter::LoadMoonBase(MoonPicture picture, Colour colour) {
    Load(picture);
    for (int x = 0; x <= intMaxX; ++x)
        for (int y = 0; y <= intMaxY; ++y) {
            const double dx = x - DiscCentreX, dy = DiscCentreY - y;
            if (dx * dx + dy * dy > DiscRadiusSquared) picture_.Set(x, y, colour);
        }
}

void MoonPainter::RecolourMarkerPixels() {
    for (int x = 0; x <= intMaxX; ++x)
        for (int y = 0; y <= intMaxY; ++y)
            if (picture_.Get(x, y) == Rgb(200, 0, 0)) picture_.Set(x, y, Rgb(192, 0, 0));
}

MoonPictureChoice ChooseMoonPicture(double f, bool waxing) {
    if (f < 0.01) return {MoonPicture::Dark, ShadowPaint::None};
    if (f > 0.49 && f < 0.51 && waxing) return {MoonPicture::FirstQuarterLit, ShadowPaint::None};
    if (f > 0.99) return {MoonPicture::FullLit, ShadowPaint::None};
    if (f > 0.49 && f < 0.51) return {MoonPicture::LastQuarterLit, ShadowPaint::None};
    if (f < 0.5 && waxing) return {MoonPicture::FirstQuarterLit, ShadowPaint::InsideRight};
    if (f > 0.5 && waxing) return {MoonPicture::FullLit, ShadowPaint::OutsideLeft};
    if (f > 0.5) return {MoonPicture::FullLit, ShadowPaint::OutsideRight};
    return {MoonPicture::LastQuarterLit, ShadowPaint::InsideLeft};
}

std::string MoonPainter::DrawMoonPicture(double f, bool waxing, Colour colour) {
    const double k = f > 0.5 ? 2 * f - 1 : 1 - 2 * f;
    const double k2 = k * k;
    std::string label = MoonPhaseText(f, waxing);

    const MoonPictureChoice choice = ChooseMoonPicture(f, waxing);
    const MoonPicture base = choice.base;
    const ShadowPaint paint = choice.paint;
    paint_ = paint;
    k_ = k;
    background_ = colour;

    if (paint == ShadowPaint::None) {
        Load(base);
    } else {
        if (paint == ShadowPaint::InsideLeft) {
            DiscCentreX = static_cast<int16_t>(intMaxX / 2 + 2);
            DiscCentreY = static_cast<int16_t>(intMaxY / 2);
        } else {
            DiscCentreX = static_cast<int16_t>(intMaxX / 2);
            DiscCentreY = static_cast<int16_t>(intMaxY / 2 + 1);
        }
        DiscRadiusSquared = static_cast<double>(DiscCentreX) * DiscCentreX;
        LoadMoonBase(base, colour);
        const bool right = paint == ShadowPaint::InsideRight || paint == ShadowPaint::OutsideRight;
        const bool inside = paint == ShadowPaint::InsideRight || paint == ShadowPaint::InsideLeft;
        const int from = right ? DiscCentreX : 0, to = right ? intMaxX : DiscCentreX;
        for (int x = from; x <= to; ++x)
            for (int y = 0; y <= intMaxY; ++y) {
                const double dx = x - DiscCentreX, dy = DiscCentreY - y;
                const bool isInside = (DiscRadiusSquared - dy * dy) * k2 > dx * dx;
                if (isInside == inside) picture_.Set(x, y, colour);
            }
    }
    RecolourMarkerPixels();
    return label;
}

MoonData ComputeMoonData(double moment) {
    MoonData data;
    PhaseEclipseRecord rec{};
    const int32_t n = LunationOf(moment);
    data.lunation = n;
    const double thisNew = PhaseInstant(n, NewMoon, rec);
    const double age = moment - thisNew;
    const double nextNew = PhaseInstant(n + 1, NewMoon, rec);
    data.ageText =
        "[" + std::to_string(n) + "] " + FormatMoonAge(age) + " (" + OneDecimal(age * 100 / (nextNew - thisNew)) + "%)";
    bool exact = false;
    const int16_t k = GetPhase(n, moment, exact);
    data.phaseResult = k;
    if (k < 0) return data;
    const double t0 = PhaseInstant(n, k, rec);
    const double t1 = k == 3 ? PhaseInstant(n + 1, NewMoon, rec) : PhaseInstant(n, static_cast<PhaseKind>(k + 1), rec);
    const double span = t1 - t0;
    switch (k) {
        case 0:
            data.fraction = (moment - t0) / span / 2;
            break;
        case 1:
            data.fraction = (moment - t0) / span / 2 + 0.5;
            break;
        case 2:
            data.fraction = (t1 - moment) / span / 2 + 0.5;
            break;
        default:
            data.fraction = (t1 - moment) / span / 2;
            break;
    }
    data.waxing = k < 2;
    return data;
}

std::string GetPhaseErrorText(int16_t code, const char* caller) {
    return "Error" + std::to_string(code) + " when calling GetPhase() in " + caller + "().";
}

}  // namespace vx
