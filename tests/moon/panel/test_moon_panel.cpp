// The moon panel: texts, the choice of picture and the painted points, the
// pictures' files, and the data of a moment.
#include <gtest/gtest.h>

#include <cmath>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "MoonPanel.h"
#include "Moment.h"
#include "MoveSteps.h"
#include "PhaseQueries.h"
#include "TestScale.h"

namespace vx {
namespace {

TEST(MoonPanel, AgeTexts) {
    EXPECT_EQ(FormatMoonAge(12.6034), "12 days, 14 hrs, 28 mins");
    EXPECT_EQ(FormatMoonAge(0.0), "0 days, 0 hrs, 0 mins");
    EXPECT_EQ(FormatMoonAge(1 + 1.0 / 24 + 1.0 / 1440), "1 day, 1 hr, 1 min");
    // A rounding step either side of a whole minute is that minute.
    EXPECT_EQ(FormatMoonAge(std::nextafter(1.0 / 24, 0.0)), "0 days, 1 hr, 0 mins");
    EXPECT_EQ(FormatMoonAge(2.0 - 0.4 / 86400), "2 days, 0 hrs, 0 mins");
    EXPECT_EQ(FormatMoonAge(2.0 - 0.6 / 86400), "1 day, 23 hrs, 59 mins");
    EXPECT_EQ(FormatMoonAge(29.5 + 59.4 / 86400), "29 days, 12 hrs, 0 mins");
}

// The age in whole minutes that a text such as "1 day, 2 hrs, 3 mins" gives.
long AgeMinutes(const std::string& text) {
    long parts[3] = {0, 0, 0};
    size_t at = text.find(']') + 1;
    for (long& part : parts) {
        at = text.find_first_of("0123456789", at);
        if (at == std::string::npos) return -1;
        part = std::stol(text.substr(at));
        at = text.find(',', at);
    }
    return (parts[0] * 24 + parts[1]) * 60 + parts[2];
}

// From every phase of the range, whole-hour moves (as Move makes them)
// change the age by exactly those hours: from a new moon, an age of whole
// hours and no minutes.
TEST(MoonPanel, WholeHourMovesFromEveryPhaseGiveWholeHourAges) {
    int failures = 0, checked = 0;
    for (int32_t n = -62300; n <= 49400; n += 29 * vxtest::SweepStride) {
        for (PhaseKind k = NewMoon; k <= LastQuarter; ++k) {
            PhaseEclipseRecord record{};
            const double start = PhaseInstant(n, k, record);
            const long before = AgeMinutes(ComputeMoonData(start).ageText);
            double moment = start;
            for (int hours = 1; hours <= 3; ++hours) {
                moment = MoveStep(Step::Hour, true, moment, 0, CE).moment;
                const std::string age = ComputeMoonData(moment).ageText;
                ++checked;
                if (AgeMinutes(age) - before != 60 * hours && ++failures <= 5)
                    ADD_FAILURE() << "lunation " << n << " phase " << k << " + " << hours << " h: " << age;
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(checked, 40000 / vxtest::SweepStride);
}

TEST(MoonPanel, PhaseNamesAndSuffixes) {
    EXPECT_EQ(MoonPhaseText(0.0, true), "Dark moon, 0.0%");
    EXPECT_EQ(MoonPhaseText(0.5, true), "Half moon (waxing), 50.0%");
    EXPECT_EQ(MoonPhaseText(0.0004, true), "Dark moon, 0.0%");
    EXPECT_EQ(MoonPhaseText(0.0005, false), "Dark moon (waning), 0.1%");
    EXPECT_EQ(MoonPhaseText(0.9995, true), "Full moon (waxing), 100.0%");
    EXPECT_EQ(MoonPhaseText(0.9996, true), "Full moon, 100.0%");
    EXPECT_EQ(MoonPhaseText(0.010, true), "Crescent moon (waxing), 1.0%");
    EXPECT_EQ(MoonPhaseText(0.450, true), "Half moon (waxing), 45.0%");
    // The name follows the value as shown.
    EXPECT_EQ(MoonPhaseText(0.4495, true), "Half moon (waxing), 45.0%");
    EXPECT_EQ(MoonPhaseText(0.5496, false), "Gibbous moon (waning), 55.0%");
    EXPECT_EQ(MoonPhaseText(0.545, false), "Half moon (waning), 54.5%");
    EXPECT_EQ(MoonPhaseText(0.00996, true), "Crescent moon (waxing), 1.0%");
    EXPECT_EQ(MoonPhaseText(0.98951, true), "Full moon (waxing), 99.0%");
    EXPECT_EQ(MoonPhaseText(0.4494, true), "Crescent moon (waxing), 44.9%");
    EXPECT_EQ(MoonPhaseText(0.550, false), "Gibbous moon (waning), 55.0%");
    EXPECT_EQ(MoonPhaseText(0.990, false), "Full moon (waning), 99.0%");
    EXPECT_EQ(MoonPhaseText(0.985, true), "Gibbous moon (waxing), 98.5%");
}

TEST(MoonPanel, DeltaTTexts) {
    EXPECT_EQ(DeltaTText(1440.0), "1 day");
    EXPECT_EQ(DeltaTText(1440.5), "More than 24 hours");
    EXPECT_EQ(DeltaTText(125.4), "2 hours and 5 minutes");
    EXPECT_EQ(DeltaTText(1.0665), "1 minute");
    EXPECT_EQ(DeltaTText(0.5), "0 minutes") << "half a minute rounds to even";
}

class Painting : public ::testing::Test {
protected:
    // A folder without pictures: the painter draws them itself.
    MoonPainter painter{"/nonexistent-folder/"};
};

TEST_F(Painting, PlainPicturesAtTheQuartersAndEnds) {
    painter.DrawMoonPicture(0.0, true, NavyColour);
    EXPECT_FALSE(painter.LoadedFromFile());
    EXPECT_EQ(painter.Picture().pixels, RenderMoonPicture(MoonPicture::Dark).pixels);
    painter.DrawMoonPicture(0.5, true, NavyColour);
    EXPECT_EQ(painter.Picture().pixels, RenderMoonPicture(MoonPicture::FirstQuarterLit).pixels);
    painter.DrawMoonPicture(0.5, false, NavyColour);
    EXPECT_EQ(painter.Picture().pixels, RenderMoonPicture(MoonPicture::LastQuarterLit).pixels);
    painter.DrawMoonPicture(0.995, false, NavyColour);
    EXPECT_EQ(painter.Picture().pixels, RenderMoonPicture(MoonPicture::FullLit).pixels);
}

TEST_F(Painting, WaxingCrescentAtThirtyPercent) {
    const Colour red = Rgb(255, 0, 0);  // a colour the pictures never use
    painter.DrawMoonPicture(0.3, true, red);
    EXPECT_EQ(painter.DiscCentreX, 44);
    EXPECT_EQ(painter.DiscCentreY, 45);
    EXPECT_EQ(painter.DiscRadiusSquared, 44.0 * 44.0);
    const PixelImage base = RenderMoonPicture(MoonPicture::FirstQuarterLit);
    const double k2 = 0.4 * 0.4;
    for (int x = 0; x < 90; ++x)
        for (int y = 0; y < 90; ++y) {
            const double dx = x - 44, dy = 45 - y;
            const bool outsideDisc = dx * dx + dy * dy > 44.0 * 44.0;
            const bool insideTerminator = x >= 44 && (44.0 * 44.0 - dy * dy) * k2 > dx * dx;
            const Colour expected = (outsideDisc || insideTerminator) ? red : base.Get(x, y);
            ASSERT_EQ(painter.Picture().Get(x, y), expected) << x << "," << y;
        }
}

TEST(MoonPictures, TheChoiceAtItsBoundaries) {
    // Strict bounds: 1 % and 99 % are painted, 49 % and 51 % too; only the
    // open band around one half is a plain quarter.
    auto is = [](double f, bool waxing, MoonPicture base, ShadowPaint paint) {
        const MoonPictureChoice c = ChooseMoonPicture(f, waxing);
        return c.base == base && c.paint == paint;
    };
    EXPECT_TRUE(is(0.0099, true, MoonPicture::Dark, ShadowPaint::None));
    EXPECT_TRUE(is(0.01, true, MoonPicture::FirstQuarterLit, ShadowPaint::InsideRight));
    EXPECT_TRUE(is(0.49, true, MoonPicture::FirstQuarterLit, ShadowPaint::InsideRight));
    EXPECT_TRUE(is(0.495, true, MoonPicture::FirstQuarterLit, ShadowPaint::None));
    EXPECT_TRUE(is(0.505, false, MoonPicture::LastQuarterLit, ShadowPaint::None));
    EXPECT_TRUE(is(0.51, true, MoonPicture::FullLit, ShadowPaint::OutsideLeft));
    EXPECT_TRUE(is(0.51, false, MoonPicture::FullLit, ShadowPaint::OutsideRight));
    EXPECT_TRUE(is(0.49, false, MoonPicture::LastQuarterLit, ShadowPaint::InsideLeft));
    EXPECT_TRUE(is(0.99, false, MoonPicture::FullLit, ShadowPaint::OutsideRight));
    EXPECT_TRUE(is(0.9901, false, MoonPicture::FullLit, ShadowPaint::None));
}

TEST_F(Painting, EveryShadowCasePixelByPixel) {
    // The four painted cases: the picture they start from, the disc, the
    // half painted and which side of the terminator ellipse (semi-axes
    // r |2f - 1| and r) takes the background. Outside the disc is the
    // background too.
    struct Case {
        double f;
        bool waxing;
        MoonPicture base;
        int cx, cy;
        bool rightHalf, insideEllipse;
    };
    const Case cases[] = {
        {0.3, true, MoonPicture::FirstQuarterLit, 44, 45, true, true},   // waxing crescent
        {0.7, true, MoonPicture::FullLit, 44, 45, false, false},         // waxing gibbous
        {0.8, false, MoonPicture::FullLit, 44, 45, true, false},         // waning gibbous
        {0.2, false, MoonPicture::LastQuarterLit, 46, 44, false, true},  // waning crescent
    };
    const Colour red = Rgb(255, 0, 0);  // a colour the pictures never use
    for (const Case& c : cases) {
        painter.DrawMoonPicture(c.f, c.waxing, red);
        const PixelImage base = RenderMoonPicture(c.base);
        const double r2 = static_cast<double>(c.cx) * c.cx, k = std::fabs(2 * c.f - 1);
        for (int x = 0; x < 90; ++x)
            for (int y = 0; y < 90; ++y) {
                const double dx = x - c.cx, dy = c.cy - y;
                const bool outsideDisc = dx * dx + dy * dy > r2;
                const bool inHalf = c.rightHalf ? x >= c.cx : x <= c.cx;
                const bool inEllipse = (r2 - dy * dy) * k * k > dx * dx;
                Colour expected = (outsideDisc || (inHalf && inEllipse == c.insideEllipse)) ? red : base.Get(x, y);
                if (expected == Rgb(200, 0, 0)) expected = Rgb(192, 0, 0);  // the marker colour, recoloured
                ASSERT_EQ(painter.Picture().Get(x, y), expected)
                    << c.f << (c.waxing ? " waxing " : " waning ") << x << "," << y;
            }
    }
}

TEST_F(Painting, WaningCrescentUsesTheShiftedCentre) {
    painter.DrawMoonPicture(0.2, false, NavyColour);
    EXPECT_EQ(painter.DiscCentreX, 46);
    EXPECT_EQ(painter.DiscCentreY, 44);
    EXPECT_EQ(painter.DiscRadiusSquared, 46.0 * 46.0);
    painter.DrawMoonPicture(0.8, false, NavyColour);
    EXPECT_EQ(painter.DiscCentreX, 44);
    // The gibbous right side outside the terminator is dark: the right limb.
    EXPECT_EQ(painter.Picture().Get(87, 45), NavyColour);
    EXPECT_NE(painter.Picture().Get(10, 45), NavyColour);
}

TEST_F(Painting, MarkerRedIsRecoloured) {
    painter.DrawMoonPicture(0.3, true, Rgb(200, 0, 0));
    for (Colour c : painter.Picture().pixels) ASSERT_NE(c, Rgb(200, 0, 0));
    EXPECT_EQ(painter.Picture().Get(0, 0), Rgb(192, 0, 0));
}

TEST(MoonPictures, FilesRoundTripAndBadFilesAreRefused) {
    const std::string dir = ::testing::TempDir();
    for (MoonPicture p :
         {MoonPicture::Dark, MoonPicture::FirstQuarterLit, MoonPicture::FullLit, MoonPicture::LastQuarterLit}) {
        const std::string path = dir + std::string(MoonPictureFile(p));
        ASSERT_TRUE(WriteBmp24(path, RenderMoonPicture(p)));
        PixelImage back;
        ASSERT_TRUE(ReadBmp24(path, back));
        EXPECT_EQ(back.width, 90);
        EXPECT_EQ(back.pixels, RenderMoonPicture(p).pixels);
    }
    MoonPainter fromFiles(dir);
    fromFiles.DrawMoonPicture(0.3, true, NavyColour);
    EXPECT_TRUE(fromFiles.LoadedFromFile());
    // A truncated or foreign file is refused, and the painter draws instead.
    const std::string bad = dir + "1stquarter.bmp";
    {
        std::ofstream out(bad, std::ios::binary | std::ios::trunc);
        out << "BM not really a bitmap";
    }
    PixelImage image(3, 3, 7);
    EXPECT_FALSE(ReadBmp24(bad, image));
    EXPECT_EQ(image.width, 3) << "a failed read leaves the image alone";
    fromFiles.DrawMoonPicture(0.3, true, NavyColour);
    EXPECT_FALSE(fromFiles.LoadedFromFile());
    EXPECT_EQ(fromFiles.Picture().width, 90);
    std::remove(bad.c_str());
}

// Rows padded to four bytes for every width's remainder, and the header's
// reserved, compression and palette fields zero, as BMP readers expect.
TEST(MoonPictures, RowPaddingAndTheHeaderFields) {
    const std::string path = ::testing::TempDir() + "vx-bmp-rows-" + std::to_string(::getpid()) + ".bmp";
    for (int width : {1, 2, 3, 4, 5}) {
        PixelImage image(width, 2, 0);
        for (int x = 0; x < width; ++x) image.Set(x, 1, Rgb(10 * x + 1, 2, 3));
        ASSERT_TRUE(WriteBmp24(path, image));
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + 2 * row) << width;
        auto le32 = [&](size_t at) {
            return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
                   static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
                   static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
                   static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
        };
        EXPECT_EQ(le32(2), bytes.size());
        for (size_t at : {size_t{6}, size_t{30}, size_t{46}, size_t{50}}) EXPECT_EQ(le32(at), 0u) << at;
        EXPECT_EQ(le32(34), 2 * row);
        PixelImage back;
        ASSERT_TRUE(ReadBmp24(path, back));
        EXPECT_EQ(back.pixels, image.pixels) << width;
    }
    std::remove(path.c_str());
}

TEST(MoonData, BetweenPublishedPhases) {
    // 2017-07-04 10:00 UT. USNO: new moons 2017-06-24 02:31 and 07-23 09:46,
    // first quarter 07-01 00:51, full moon 07-09 04:07 (UT). So the age is
    // 10 d 7 h 29 min of a 29.302-day lunation (35.2 %), and the fraction
    // (3.3813 / 8.1361) / 2 + 1/2 = 0.7078.
    InitPhaseConstants();
    const MoonData d = ComputeMoonData(2457938.5 + 10.0 / 24);
    EXPECT_EQ(d.lunation, 216);
    EXPECT_EQ(d.phaseResult, 1);
    EXPECT_EQ(d.ageText, "[216] 10 days, 7 hrs, 29 mins (35.2%)");
    EXPECT_NEAR(d.fraction, 0.7078, 0.0003);
    EXPECT_TRUE(d.waxing);
}

// Halfway through each quarter of a lunation the lit share is halfway
// between the quarter's ends; at each phase instant itself GetPhase names
// that phase, exactly.
TEST(MoonData, HalfwayThroughEveryQuarter) {
    InitPhaseConstants();
    for (int32_t n : {-40000, 282, 45000}) {
        const double t[5] = {PhaseInstantOnly(n, NewMoon), PhaseInstantOnly(n, FirstQuarter),
                             PhaseInstantOnly(n, FullMoon), PhaseInstantOnly(n, LastQuarter),
                             PhaseInstantOnly(n + 1, NewMoon)};
        const double expected[4] = {0.25, 0.75, 0.75, 0.25};
        for (int k = 0; k < 4; ++k) {
            const MoonData d = ComputeMoonData((t[k] + t[k + 1]) / 2);
            EXPECT_EQ(d.phaseResult, k) << n;
            EXPECT_NEAR(d.fraction, expected[k], 1e-6) << n << " " << k;
            bool exact = false;
            EXPECT_EQ(GetPhase(n, t[k], exact), k) << n;
            EXPECT_TRUE(exact);
        }
    }
}

TEST(MoonData, AtANewMoonAndAtTheFirstQuarter) {
    InitPhaseConstants();
    PhaseEclipseRecord rec{};
    const double newMoon = PhaseInstant(282, NewMoon, rec);
    MoonData d = ComputeMoonData(newMoon);
    EXPECT_EQ(d.lunation, 282);
    EXPECT_EQ(d.phaseResult, 0);
    EXPECT_EQ(d.fraction, 0.0);
    EXPECT_EQ(d.ageText, "[282] 0 days, 0 hrs, 0 mins (0.0%)");
    const double quarter = PhaseInstant(282, FirstQuarter, rec);
    d = ComputeMoonData(quarter);
    EXPECT_EQ(d.phaseResult, 1);
    EXPECT_DOUBLE_EQ(d.fraction, 0.5);
    EXPECT_TRUE(d.waxing);
    d = ComputeMoonData((PhaseInstant(282, FullMoon, rec) + PhaseInstant(282, LastQuarter, rec)) / 2);
    EXPECT_NEAR(d.fraction, 0.75, 1e-9);
    EXPECT_FALSE(d.waxing);
    EXPECT_EQ(GetPhaseErrorText(-2, "DisplayMoonData"), "Error-2 when calling GetPhase() in DisplayMoonData().");
}

}  // namespace
}  // namespace vx
