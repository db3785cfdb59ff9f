// The moon data panel: lunation and age, phase name and illumination, the
// drawing of the Moon on a 90 x 90 picture, and the delta T text. Qt-free;
// the window shows the texts and the picture.
#pragma once

#include <cstdint>
#include <string>

#include "MoonArt.h"
#include "PixelImage.h"

namespace vx {

// "12 days, 14 hrs, 28 mins" for 12.6034 days.
std::string FormatMoonAge(double days);

// The phase label: "Crescent moon (waxing), 23.4%".
std::string MoonPhaseText(double f, bool waxing);

// "More than 24 hours" above a day, else the long duration text of
// the whole minutes (ties to even).
std::string DeltaTText(double minutes);

// Which side of the disc's centre is painted with the background colour, and
// whether the points inside or outside the terminator are painted.
enum class ShadowPaint { None, InsideRight, OutsideLeft, OutsideRight, InsideLeft };

// The picture the panel starts from for illuminated fraction f, and the
// shadow painted on it: the first row of the panel's table that holds.
struct MoonPictureChoice {
    MoonPicture base = MoonPicture::Dark;
    ShadowPaint paint = ShadowPaint::None;
};
MoonPictureChoice ChooseMoonPicture(double f, bool waxing);

// The panel's picture and the drawing state kept between calls.
class MoonPainter {
public:
    // picturePath: the folder of the BMP files, with its trailing separator.
    explicit MoonPainter(std::string picturePath = {}) : picPath_(std::move(picturePath)) {}

    int16_t intMaxX = 89, intMaxY = 89;
    int16_t DiscCentreX = 0, DiscCentreY = 0;
    double DiscRadiusSquared = 0;

    // The picture for illuminated fraction f, waxing or waning, painted with
    // colour where the Moon is dark and outside the disc; also returns the
    // phase label text.
    std::string DrawMoonPicture(double f, bool waxing, Colour colour);
    void LoadMoonBase(MoonPicture picture, Colour colour);
    void RecolourMarkerPixels();

    const PixelImage& Picture() const { return picture_; }
    // True when the last picture came from its file, false when it was drawn
    // because the file was missing or unreadable.
    bool LoadedFromFile() const { return fromFile_; }

    // What the last picture was drawn from, for drawing it again larger: the
    // picture as loaded (before any painting), the shadow, k = |2f - 1|, and
    // the background colour as the picture shows it.
    const PixelImage& Base() const { return base_; }
    MoonPicture BasePicture() const { return basePicture_; }
    ShadowPaint Paint() const { return paint_; }
    double TerminatorScale() const { return k_; }
    Colour Background() const;

private:
    void Load(MoonPicture picture);

    std::string picPath_;
    PixelImage picture_{90, 90, NavyColour};
    bool fromFile_ = false;
    PixelImage base_{90, 90, NavyColour};
    MoonPicture basePicture_ = MoonPicture::Dark;
    ShadowPaint paint_ = ShadowPaint::None;
    double k_ = 1;
    Colour background_ = NavyColour;
};

// Everything DisplayMoonData shows for a moment; phaseResult is GetPhase's
// result (negative: the panel keeps its phase label and picture).
struct MoonData {
    int32_t lunation = 0;
    std::string ageText;  // "[282] 12 days, 14 hrs, 28 mins (42.7%)"
    int16_t phaseResult = 0;
    double fraction = 0;  // illuminated fraction, linear between phases
    bool waxing = true;
};
MoonData ComputeMoonData(double moment);

// The error text for a negative GetPhase result in DisplayMoonData.
std::string GetPhaseErrorText(int16_t code, const char* caller);

}  // namespace vx
