#include "MoonDisplay.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vx {

namespace {

// Rows sampled per device pixel; along a row the lit share is exact, so
// only edges close to horizontal (the poles) see these steps.
constexpr int SubRows = 16;

struct Channels {
    double r, g, b;
};

Channels Unpack(Colour c) {
    return {static_cast<double>(c & 255), static_cast<double>((c >> 8) & 255), static_cast<double>((c >> 16) & 255)};
}

Colour Pack(double r, double g, double b) {
    auto q = [](double x) { return static_cast<Colour>(std::clamp(x, 0.0, 255.0) + 0.5); };
    return q(r) | q(g) << 8 | q(b) << 16;
}

Channels Bilinear(const PixelImage& image, double x, double y) {
    x = std::clamp(x, 0.0, static_cast<double>(image.width - 1));
    y = std::clamp(y, 0.0, static_cast<double>(image.height - 1));
    const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, image.width - 1), y1 = std::min(y0 + 1, image.height - 1);
    const double fx = x - x0, fy = y - y0;
    const Channels a = Unpack(image.Get(x0, y0)), b = Unpack(image.Get(x1, y0));
    const Channels c = Unpack(image.Get(x0, y1)), d = Unpack(image.Get(x1, y1));
    auto mix = [&](double p, double q, double s, double t) {
        return (p + (q - p) * fx) * (1 - fy) + (s + (t - s) * fx) * fy;
    };
    return {mix(a.r, b.r, c.r, d.r), mix(a.g, b.g, c.g, d.g), mix(a.b, b.b, c.b, d.b)};
}

// The base's colour for the displayed point (u, v): the same place on the
// base's disc, kept off the base's own soft limb (blended with navy) and, for
// a half-lit base, off its dark half, so that only the blend here makes the
// edges.
Channels Texture(const MoonDisplaySource& source, double u, double v) {
    const MoonDisc& d = DisplayedDisc;
    const MoonDisc& b = source.baseDisc;
    const double scale = b.radius / d.radius;
    double dx = (u - d.cx) * scale, dy = (v - d.cy) * scale;
    const double r = std::sqrt(dx * dx + dy * dy), rmax = b.radius - 2;
    if (r > rmax) {
        dx *= rmax / r;
        dy *= rmax / r;
    }
    if (source.paint == ShadowPaint::InsideRight) dx = std::max(dx, 0.0);
    if (source.paint == ShadowPaint::InsideLeft) dx = std::min(dx, 0.0);
    return Bilinear(source.base, b.cx + dx, b.cy + dy);
}

}  // namespace

MoonDisc PictureDisc(MoonPicture picture) {
    return picture == MoonPicture::LastQuarterLit ? MoonDisc{46, 44, 46} : MoonDisc{44, 45, 44};
}

LitSpan MoonLitSpan(ShadowPaint paint, double k, double radius, double dy) {
    const double m = radius * radius - dy * dy;
    if (m < 0) return {};
    const double w = std::sqrt(m), t = k * w;
    switch (paint) {
        case ShadowPaint::None:
            return {-w, w, false, false};
        case ShadowPaint::InsideRight:
            return {t, w, false, false};
        case ShadowPaint::OutsideLeft:
            return {-t, w, true, false};
        case ShadowPaint::OutsideRight:
            return {-w, t, false, true};
        case ShadowPaint::InsideLeft:
            return {-w, -t, false, false};
    }
    return {};
}

MoonDisplaySource DisplaySourceOf(const MoonPainter& painter) {
    return {painter.Base(), PictureDisc(painter.BasePicture()), painter.Paint(), painter.TerminatorScale(),
            painter.Background()};
}

PixelImage RenderMoonDisplay(const MoonDisplaySource& source, int size) {
    PixelImage out(std::max(size, 0), std::max(size, 0), source.background);
    if (size <= 0 || source.base.width <= 0 || source.base.height <= 0) return out;
    const double s = static_cast<double>(PictureUnits) / size;  // picture units per device pixel
    const double k = std::clamp(source.k, 0.0, 1.0);
    const MoonDisc& d = DisplayedDisc;
    const Channels bg = Unpack(source.background);
    std::vector<double> cover(static_cast<size_t>(size), 0.0);

    for (int y = 0; y < size; ++y) {
        int first = size, last = -1;  // the pixels of the row some span reached
        for (int j = 0; j < SubRows; ++j) {
            const double v = (y + (j + 0.5) / SubRows) * s - 0.5;
            const LitSpan span = MoonLitSpan(source.paint, k, d.radius, d.cy - v);
            if (!(span.lo < span.hi)) continue;
            // The span in device x, where pixel X covers [X, X + 1).
            const double a = std::clamp((d.cx + span.lo + 0.5) / s, 0.0, static_cast<double>(size));
            const double e = std::clamp((d.cx + span.hi + 0.5) / s, 0.0, static_cast<double>(size));
            if (!(a < e)) continue;
            const int ia = static_cast<int>(a), ie = std::min(static_cast<int>(e), size - 1);
            if (ia == ie) {
                cover[static_cast<size_t>(ia)] += e - a;
            } else {
                cover[static_cast<size_t>(ia)] += ia + 1 - a;
                for (int x = ia + 1; x < ie; ++x) cover[static_cast<size_t>(x)] += 1;
                cover[static_cast<size_t>(ie)] += std::min(e - ie, 1.0);
            }
            first = std::min(first, ia);
            last = std::max(last, ie);
        }
        const double v = (y + 0.5) * s - 0.5;
        for (int x = first; x <= last; ++x) {
            const double c = cover[static_cast<size_t>(x)] / SubRows;
            cover[static_cast<size_t>(x)] = 0;
            if (c <= 0) continue;
            const Channels t = Texture(source, (x + 0.5) * s - 0.5, v);
            const Colour colour = c >= 1
                                      ? Pack(t.r, t.g, t.b)
                                      : Pack(bg.r + (t.r - bg.r) * c, bg.g + (t.g - bg.g) * c, bg.b + (t.b - bg.b) * c);
            out.pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] = colour;
        }
    }
    return out;
}

}  // namespace vx
