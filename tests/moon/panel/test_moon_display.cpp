// The Moon as the window shows it, pixel by pixel: on a plain white picture
// every device pixel is checked against the lit area worked out here
// separately, in device pixels, from the terminator's x on each row and the
// distance from the centre.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "MoonArt.h"
#include "MoonDisplay.h"

namespace vx {
namespace {

constexpr Colour White = Rgb(255, 255, 255);
constexpr Colour Black = Rgb(0, 0, 0);
constexpr double Pi = 3.14159265358979323846;

struct Phase {
    double f;
    bool waxing;
    ShadowPaint paint;  // what ChooseMoonPicture must pick for it
};

// Fractions across the range of each painted case, thin crescents and
// near-full gibbous Moons included.
const std::vector<Phase>& PaintedPhases() {
    static const std::vector<Phase> phases = {
        {0.02, true, ShadowPaint::InsideRight},   {0.15, true, ShadowPaint::InsideRight},
        {0.3, true, ShadowPaint::InsideRight},    {0.47, true, ShadowPaint::InsideRight},
        {0.53, true, ShadowPaint::OutsideLeft},   {0.7, true, ShadowPaint::OutsideLeft},
        {0.85, true, ShadowPaint::OutsideLeft},   {0.98, true, ShadowPaint::OutsideLeft},
        {0.97, false, ShadowPaint::OutsideRight}, {0.8, false, ShadowPaint::OutsideRight},
        {0.66, false, ShadowPaint::OutsideRight}, {0.52, false, ShadowPaint::OutsideRight},
        {0.48, false, ShadowPaint::InsideLeft},   {0.375, false, ShadowPaint::InsideLeft},
        {0.2, false, ShadowPaint::InsideLeft},    {0.03, false, ShadowPaint::InsideLeft},
    };
    return phases;
}

double KOf(double f) { return std::fabs(2 * f - 1); }

bool Crescent(ShadowPaint paint) { return paint == ShadowPaint::InsideRight || paint == ShadowPaint::InsideLeft; }

MoonDisplaySource WhiteSource(const Phase& phase) {
    const MoonPictureChoice choice = ChooseMoonPicture(phase.f, phase.waxing);
    return {PixelImage(90, 90, White), PictureDisc(choice.base), choice.paint, KOf(phase.f), Black};
}

// The displayed disc in device pixels of a size x size picture: 90 units
// across, unit centres at whole numbers.
struct DeviceDisc {
    double cx, cy, r;
    explicit DeviceDisc(int size) {
        const double q = size / 90.0;
        cx = 44.5 * q;
        cy = 45.5 * q;
        r = 44 * q;
    }
};

// Whether the point (x, y) in device pixels is lit: inside the limb and on
// the lit side of the terminator's x for its row.
bool LitAt(ShadowPaint paint, double k, const DeviceDisc& d, double x, double y) {
    const double dx = x - d.cx, dy = d.cy - y;
    if (std::hypot(dx, dy) >= d.r) return false;
    const double xt = k * std::sqrt(d.r * d.r - dy * dy);
    switch (paint) {
        case ShadowPaint::InsideRight:
            return dx > xt;
        case ShadowPaint::OutsideLeft:
            return dx > -xt;
        case ShadowPaint::OutsideRight:
            return dx < xt;
        case ShadowPaint::InsideLeft:
            return dx < -xt;
        case ShadowPaint::None:
            return true;
    }
    return false;
}

// Whether a boundary (the limb, the terminator, the line through the centre
// where the lit side changes) may pass within h of the point, horizontally
// or vertically. Rough on the safe side: pixels it calls far are.
bool NearBoundary(double k, const DeviceDisc& d, double x, double y, double h) {
    const double dx = x - d.cx, dy = d.cy - y;
    if (std::fabs(std::hypot(dx, dy) - d.r) <= h * std::sqrt(2.0)) return true;
    if (std::fabs(dx) <= h) return true;
    const double lo = std::max(dy - h, -d.r), hi = std::min(dy + h, d.r);
    if (lo > hi) return false;
    // The terminator's |x| over the rows lo..hi: largest on the row nearest
    // the centre, smallest on the one farthest.
    const double nearest = lo <= 0 && hi >= 0 ? 0 : std::min(std::fabs(lo), std::fabs(hi));
    const double farthest = std::max(std::fabs(lo), std::fabs(hi));
    const double tmax = k * std::sqrt(d.r * d.r - nearest * nearest);
    const double tmin = k * std::sqrt(std::max(0.0, d.r * d.r - farthest * farthest));
    const double ax = std::fabs(dx);
    return ax + h >= tmin && ax - h <= tmax;
}

// The lit share of pixel (x, y), by a fine grid of points.
double LitShare(ShadowPaint paint, double k, const DeviceDisc& d, int x, int y) {
    constexpr int n = 24;
    int lit = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (LitAt(paint, k, d, x + (i + 0.5) / n, y + (j + 0.5) / n)) ++lit;
    return static_cast<double>(lit) / (n * n);
}

TEST(MoonDisplay, LitAreaPixelByPixel) {
    // The painted cases, and plain full and last quarter pictures, whose
    // limb is drawn the same way.
    std::vector<Phase> phases = PaintedPhases();
    phases.push_back({1.0, true, ShadowPaint::None});
    phases.push_back({0.5, false, ShadowPaint::None});
    for (const Phase& phase : phases) {
        const MoonDisplaySource source = WhiteSource(phase);
        ASSERT_EQ(source.paint, phase.paint) << phase.f;
        const double k = source.k;
        for (int size : {90, 180, 257, 360}) {
            SCOPED_TRACE("f " + std::to_string(phase.f) + (phase.waxing ? " waxing" : " waning") + ", size " +
                         std::to_string(size));
            const PixelImage image = RenderMoonDisplay(source, size);
            ASSERT_EQ(image.width, size);
            ASSERT_EQ(image.height, size);
            const DeviceDisc d(size);
            double total = 0, worst = 0;
            int far = 0, near = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const Colour c = image.Get(x, y);
                    const int r = static_cast<int>(c & 255);
                    ASSERT_EQ(c, Rgb(r, r, r)) << x << "," << y << ": white blended with black";
                    const double share = r / 255.0;
                    total += share;
                    if (NearBoundary(k, d, x + 0.5, y + 0.5, 1.0)) {
                        ++near;
                        worst = std::max(worst, std::fabs(share - LitShare(source.paint, k, d, x, y)));
                    } else {
                        ++far;
                        const Colour expected = LitAt(source.paint, k, d, x + 0.5, y + 0.5) ? White : Black;
                        ASSERT_EQ(c, expected) << x << "," << y;
                    }
                }
            EXPECT_GT(far, near);
            // Edges are blended by their lit share, not stepped.
            EXPECT_LT(worst, 0.05);
            // The lit area of the disc: half the disc and half the ellipse of
            // the terminator, less or more.
            const double disc = Pi * d.r * d.r;
            const double area = source.paint == ShadowPaint::None ? disc
                                : Crescent(source.paint)          ? disc * (1 - k) / 2
                                                                  : disc * (1 + k) / 2;
            EXPECT_NEAR(total, area, disc * 1e-4) << "a hundredth of a percent of the disc";
        }
    }
}

// Every source the window can show: the painted cases and the plain
// pictures, with the moon art as the panel draws it.
std::vector<MoonDisplaySource> ArtSources(Colour background) {
    MoonPainter painter("/nonexistent-folder/");
    std::vector<MoonDisplaySource> sources;
    for (const Phase& phase : PaintedPhases()) {
        painter.DrawMoonPicture(phase.f, phase.waxing, background);
        sources.push_back(DisplaySourceOf(painter));
    }
    for (const double f : {0.0, 0.5, 1.0}) {
        painter.DrawMoonPicture(f, true, background);
        sources.push_back(DisplaySourceOf(painter));
    }
    painter.DrawMoonPicture(0.5, false, background);
    sources.push_back(DisplaySourceOf(painter));
    return sources;
}

TEST(MoonDisplay, NothingOutsideTheDiscButBackground) {
    // Neither navy nor any colour of the art, so that the base's own
    // outside would show.
    const Colour background = Rgb(20, 160, 40);
    int waningCrescents = 0, plainLastQuarters = 0;
    for (const MoonDisplaySource& source : ArtSources(background)) {
        ASSERT_EQ(source.background, background);
        if (source.paint == ShadowPaint::InsideLeft) ++waningCrescents;
        if (source.paint == ShadowPaint::None && source.baseDisc.radius == 46) ++plainLastQuarters;
        for (int size : {180, 360}) {
            SCOPED_TRACE("paint " + std::to_string(static_cast<int>(source.paint)) + ", k " + std::to_string(source.k) +
                         ", size " + std::to_string(size));
            const PixelImage image = RenderMoonDisplay(source, size);
            const DeviceDisc d(size);
            const double q = size / 90.0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    // Outside the disc's box, then outside its circle by more
                    // than half a pixel's diagonal.
                    const bool outsideBox = x + 1 <= 0.5 * q || x >= 88.5 * q || y + 1 <= 1.5 * q || y >= 89.5 * q;
                    const bool outsideRing = std::hypot(x + 0.5 - d.cx, y + 0.5 - d.cy) > d.r + 0.71;
                    if (outsideBox || outsideRing) {
                        ASSERT_EQ(image.Get(x, y), background) << x << "," << y;
                    }
                }
        }
    }
    EXPECT_EQ(waningCrescents, 4);
    EXPECT_EQ(plainLastQuarters, 1);
}

TEST(MoonDisplay, AtNinetyThePanelsPointsAreClassifiedAsThePanelPaintsThem) {
    // Pictures whose lit points are white: the panel's painting then shows
    // which points it leaves lit.
    const std::string dir = ::testing::TempDir() + "vx-moon-display-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(dir);
    PixelImage firstQuarter(90, 90, NavyColour);
    for (int y = 0; y < 90; ++y)
        for (int x = 44; x < 90; ++x) firstQuarter.Set(x, y, White);
    ASSERT_TRUE(WriteBmp24(dir + "1stquarter.bmp", firstQuarter));
    ASSERT_TRUE(WriteBmp24(dir + "fullmoon.bmp", PixelImage(90, 90, White)));
    MoonPainter painter(dir);
    int compared = 0;
    for (const Phase& phase : PaintedPhases()) {
        if (phase.paint == ShadowPaint::InsideLeft) continue;  // drawn on another disc in the panel
        SCOPED_TRACE("f " + std::to_string(phase.f));
        painter.DrawMoonPicture(phase.f, phase.waxing, Black);
        ASSERT_TRUE(painter.LoadedFromFile());
        const PixelImage& panel = painter.Picture();
        MoonDisplaySource source = DisplaySourceOf(painter);
        const PixelImage shown = RenderMoonDisplay(source, 90);
        source.base = PixelImage(90, 90, White);
        const PixelImage shownWhite = RenderMoonDisplay(source, 90);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 90; ++x) {
                const bool lit = panel.Get(x, y) == White;
                const LitSpan span = MoonLitSpan(source.paint, source.k, DisplayedDisc.radius, DisplayedDisc.cy - y);
                ASSERT_EQ(span.Contains(x - DisplayedDisc.cx), lit) << x << "," << y;
                ++compared;
                // A pixel shown wholly lit or wholly dark has its centre so;
                // on the rows through the poles the lit part is one point.
                if (!(span.lo < span.hi)) continue;
                if (shownWhite.Get(x, y) == White) {
                    ASSERT_TRUE(lit) << x << "," << y;
                    ASSERT_EQ(shown.Get(x, y), White) << x << "," << y;
                }
                if (shownWhite.Get(x, y) == Black) {
                    ASSERT_FALSE(lit) << x << "," << y;
                    ASSERT_EQ(shown.Get(x, y), Black) << x << "," << y;
                }
            }
    }
    EXPECT_EQ(compared, 12 * 90 * 90);
    std::filesystem::remove_all(dir);
}

TEST(MoonDisplay, TextureComesFromTheSamePlaceOnTheBasesDisc) {
    // Red and green rise across the base's disc, so the colour shown names
    // the place on the base it was taken from.
    auto gradient = [](const MoonDisc& b) {
        PixelImage image(90, 90, 0);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 90; ++x)
                image.Set(x, y,
                          Rgb(static_cast<int>(std::lround(128 + 100 * (x - b.cx) / b.radius)),
                              static_cast<int>(std::lround(128 + 100 * (y - b.cy) / b.radius)), 50));
        return image;
    };
    for (const MoonPicture picture : {MoonPicture::LastQuarterLit, MoonPicture::FullLit}) {
        const MoonDisc b = PictureDisc(picture);
        for (const ShadowPaint paint : {ShadowPaint::None, ShadowPaint::OutsideRight}) {
            const MoonDisplaySource source{gradient(b), b, paint, 0.5, Black};
            for (int size : {90, 180, 360}) {
                SCOPED_TRACE("radius " + std::to_string(b.radius) + ", size " + std::to_string(size));
                const PixelImage image = RenderMoonDisplay(source, size);
                const double s = 90.0 / size;
                int checked = 0;
                for (int y = 0; y < size; ++y)
                    for (int x = 0; x < size; ++x) {
                        const double u = (x + 0.5) * s - 0.5, v = (y + 0.5) * s - 0.5;
                        const double du = (u - 44) / 44, dv = (v - 45) / 44;
                        if (std::hypot(du, dv) > 0.9) continue;
                        if (paint == ShadowPaint::OutsideRight && du > 0.5 * std::sqrt(1 - dv * dv) - 2 * s / 44)
                            continue;
                        const Colour c = image.Get(x, y);
                        ASSERT_NEAR(static_cast<double>(c & 255), 128 + 100 * du, 1.01) << x << "," << y;
                        ASSERT_NEAR(static_cast<double>((c >> 8) & 255), 128 + 100 * dv, 1.01) << x << "," << y;
                        ASSERT_EQ((c >> 16) & 255, 50u) << x << "," << y;
                        ++checked;
                    }
                EXPECT_GT(checked, size * size / 4);
            }
        }
    }
}

TEST(MoonDisplay, PainterKeepsWhatItDrewFrom) {
    MoonPainter painter("/nonexistent-folder/");
    painter.DrawMoonPicture(0.3, true, NavyColour);
    EXPECT_EQ(painter.Base().pixels, RenderMoonPicture(MoonPicture::FirstQuarterLit).pixels);
    EXPECT_NE(painter.Picture().pixels, painter.Base().pixels);
    EXPECT_EQ(painter.BasePicture(), MoonPicture::FirstQuarterLit);
    EXPECT_EQ(painter.Paint(), ShadowPaint::InsideRight);
    EXPECT_NEAR(painter.TerminatorScale(), 0.4, 1e-12);
    EXPECT_EQ(painter.Background(), NavyColour);

    painter.DrawMoonPicture(0.2, false, Rgb(200, 0, 0));
    EXPECT_EQ(painter.Base().pixels, RenderMoonPicture(MoonPicture::LastQuarterLit).pixels);
    EXPECT_EQ(painter.Paint(), ShadowPaint::InsideLeft);
    EXPECT_NEAR(painter.TerminatorScale(), 0.6, 1e-12);
    EXPECT_EQ(painter.Background(), Rgb(192, 0, 0)) << "as the picture shows the marker red";
    const MoonDisplaySource source = DisplaySourceOf(painter);
    EXPECT_EQ(source.baseDisc.cx, 46);
    EXPECT_EQ(source.baseDisc.cy, 44);
    EXPECT_EQ(source.baseDisc.radius, 46);
    EXPECT_EQ(source.background, Rgb(192, 0, 0));

    painter.DrawMoonPicture(1.0, true, NavyColour);
    EXPECT_EQ(painter.Paint(), ShadowPaint::None);
    EXPECT_EQ(painter.Base().pixels, painter.Picture().pixels) << "a plain picture is the base as loaded";
    EXPECT_EQ(DisplaySourceOf(painter).baseDisc.radius, 44);
}

TEST(MoonDisplay, EmptySizes) {
    MoonPainter painter("/nonexistent-folder/");
    painter.DrawMoonPicture(0.3, true, NavyColour);
    EXPECT_TRUE(RenderMoonDisplay(DisplaySourceOf(painter), 0).pixels.empty());
    const PixelImage one = RenderMoonDisplay(DisplaySourceOf(painter), 1);
    EXPECT_EQ(one.pixels.size(), 1u);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// FNV-1a over the picture's size and pixels.
uint64_t Fingerprint(const PixelImage& image) {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            h ^= (v >> (8 * i)) & 0xFFu;
            h *= 1099511628211ull;
        }
    };
    mix(static_cast<uint32_t>(image.width));
    mix(static_cast<uint32_t>(image.height));
    for (Colour c : image.pixels) mix(c);
    return h;
}

TEST(MoonPictures, TheFourPicturesAreTheOnesDrawn) {
    // The four bitmaps are painted from a handful of maria and a shading
    // rule: no reference exists for them but themselves. These fingerprints
    // pin them, so that a change to the art is a decision, not an accident
    // (an intended change updates them).
    EXPECT_EQ(Fingerprint(RenderMoonPicture(MoonPicture::Dark)), 15802561428084974616ull);
    EXPECT_EQ(Fingerprint(RenderMoonPicture(MoonPicture::FirstQuarterLit)), 11774284399281863026ull);
    EXPECT_EQ(Fingerprint(RenderMoonPicture(MoonPicture::FullLit)), 16994337523016621403ull);
    EXPECT_EQ(Fingerprint(RenderMoonPicture(MoonPicture::LastQuarterLit)), 7355946790635133583ull);
}

TEST(MoonPictures, TheDisplayedMoonIsTheOneDrawn) {
    // The textured pictures scaled for the screen: a crescent, a gibbous and
    // a full Moon at 100 % and at 200 % and 257 %, fingerprinted like the
    // pictures themselves (the shadow geometry is held pixel by pixel above;
    // this holds the texture's sampling, its limb and its edges).
    uint64_t all = 1469598103934665603ull;
    for (double f : {0.15, 0.7, 1.0})
        for (bool waxing : {true, false})
            for (int size : {90, 180, 257}) {
                const MoonPictureChoice choice = ChooseMoonPicture(f, waxing);
                const MoonDisplaySource source{RenderMoonPicture(choice.base), PictureDisc(choice.base), choice.paint,
                                               KOf(f), NavyColour};
                all = (all ^ Fingerprint(RenderMoonDisplay(source, size))) * 1099511628211ull;
            }
    EXPECT_EQ(all, 10407331669169995726ull);
}

TEST(MoonPictures, ATruncatedBitmapIsRefused) {
    const std::string dir = ::testing::TempDir() + "vx-bmp-cut-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(WriteBmp24(dir + "whole.bmp", PixelImage(90, 90, NavyColour)));
    PixelImage read;
    ASSERT_TRUE(ReadBmp24(dir + "whole.bmp", read));
    const auto size = std::filesystem::file_size(dir + "whole.bmp");
    std::filesystem::resize_file(dir + "whole.bmp", size - 1);
    read = PixelImage(3, 3, 0);
    EXPECT_FALSE(ReadBmp24(dir + "whole.bmp", read));
    EXPECT_EQ(read.width, 3) << "a refused file leaves the picture alone";
    std::filesystem::remove_all(dir);
}

TEST(MoonPictures, BitmapSizesAtTheLimits) {
    const std::string dir = ::testing::TempDir() + "vx-bmp-limits-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(dir);
    auto patchHeight = [](const std::string& path, int32_t h) {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(22);
        const unsigned char b[4] = {static_cast<unsigned char>(h), static_cast<unsigned char>(h >> 8),
                                    static_cast<unsigned char>(h >> 16), static_cast<unsigned char>(h >> 24)};
        f.write(reinterpret_cast<const char*>(b), 4);
    };
    PixelImage read;
    // 4096 pixels either way are read; one more is not a moon picture.
    ASSERT_TRUE(WriteBmp24(dir + "wide.bmp", PixelImage(4096, 1, NavyColour)));
    EXPECT_TRUE(ReadBmp24(dir + "wide.bmp", read));
    ASSERT_TRUE(WriteBmp24(dir + "wider.bmp", PixelImage(4097, 1, NavyColour)));
    EXPECT_FALSE(ReadBmp24(dir + "wider.bmp", read));
    ASSERT_TRUE(WriteBmp24(dir + "tall.bmp", PixelImage(1, 4096, NavyColour)));
    EXPECT_TRUE(ReadBmp24(dir + "tall.bmp", read));
    patchHeight(dir + "tall.bmp", -4096);  // the same rows, top-down
    EXPECT_TRUE(ReadBmp24(dir + "tall.bmp", read));
    EXPECT_EQ(read.height, 4096);
    ASSERT_TRUE(WriteBmp24(dir + "taller.bmp", PixelImage(1, 4097, NavyColour)));
    EXPECT_FALSE(ReadBmp24(dir + "taller.bmp", read));
    patchHeight(dir + "taller.bmp", -4097);
    EXPECT_FALSE(ReadBmp24(dir + "taller.bmp", read));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vx
