#include "MoonArt.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

struct Mare {
    double u, v, ru, rv, depth;  // centre and radii in disc units (u east/right, v north/up)
};

// A rough chart of the near side's maria, as seen from the northern
// hemisphere: Imbrium, Serenitatis, Tranquillitatis, Crisium, Fecunditatis,
// Nectaris, Nubium, Procellarum, Frigoris, Humorum.
constexpr Mare kMaria[] = {
    {-0.30, 0.45, 0.30, 0.24, 0.30},  {0.18, 0.40, 0.17, 0.15, 0.28},  {0.35, 0.12, 0.22, 0.16, 0.30},
    {0.70, 0.28, 0.11, 0.09, 0.32},   {0.60, -0.10, 0.12, 0.16, 0.26}, {0.45, -0.30, 0.10, 0.09, 0.22},
    {-0.20, -0.35, 0.18, 0.14, 0.22}, {-0.62, 0.10, 0.25, 0.42, 0.26}, {-0.05, 0.75, 0.45, 0.07, 0.18},
    {-0.55, -0.45, 0.09, 0.08, 0.22},
};

double Albedo(double u, double v) {
    double a = 1.0;
    for (const Mare& m : kMaria) {
        const double du = (u - m.u) / m.ru, dv = (v - m.v) / m.rv;
        a -= m.depth * std::exp(-(du * du + dv * dv) * 1.5);
    }
    // A little irregular texture, and the bright ray crater Tycho in the south.
    a += 0.012 * (std::sin(23.1 * u + 7.3 * v) + std::sin(17.7 * v - 11.9 * u) + std::sin(31.3 * (u + v)));
    const double tu = (u + 0.15) / 0.06, tv = (v + 0.68) / 0.06;
    a += 0.15 * std::exp(-(tu * tu + tv * tv));
    return std::clamp(a, 0.45, 1.1);
}

Colour Blend(Colour a, Colour b, double t) {
    auto mix = [&](int shift) {
        const double x = ((a >> shift) & 255) * (1 - t) + ((b >> shift) & 255) * t;
        return static_cast<Colour>(std::lround(std::clamp(x, 0.0, 255.0))) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

}  // namespace

std::string_view MoonPictureFile(MoonPicture picture) {
    switch (picture) {
        case MoonPicture::Dark:
            return "darkmoon.bmp";
        case MoonPicture::FirstQuarterLit:
            return "1stquarter.bmp";
        case MoonPicture::FullLit:
            return "fullmoon.bmp";
        case MoonPicture::LastQuarterLit:
            return "lastquarter.bmp";
    }
    return {};
}

PixelImage RenderMoonPicture(MoonPicture picture) {
    PixelImage image(90, 90, NavyColour);
    const bool last = picture == MoonPicture::LastQuarterLit;
    const double cx = last ? 46 : 44, cy = last ? 44 : 45, radius = last ? 46 : 44;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 90; ++x) {
            const double dx = x - cx, dy = cy - y;
            const double r = std::sqrt(dx * dx + dy * dy);
            // Fraction of the point inside the disc, for a soft edge.
            const double cover = std::clamp(radius + 0.5 - r, 0.0, 1.0);
            if (cover <= 0) continue;
            const double u = dx / radius, v = dy / radius;
            const double mu = std::sqrt(std::max(0.0, 1.0 - u * u - v * v));
            const double shade = (0.72 + 0.28 * mu) * Albedo(u, v);
            bool lit = false;
            switch (picture) {
                case MoonPicture::FullLit:
                    lit = true;
                    break;
                case MoonPicture::FirstQuarterLit:
                    lit = dx >= 0;
                    break;
                case MoonPicture::LastQuarterLit:
                    lit = dx <= 0;
                    break;
                case MoonPicture::Dark:
                    lit = false;
                    break;
            }
            Colour surface;
            if (lit) {
                const double g = std::clamp(shade, 0.0, 1.0);
                surface = Rgb(static_cast<int>(232 * g), static_cast<int>(228 * g), static_cast<int>(214 * g));
            } else if (picture == MoonPicture::Dark) {
                // Earthshine: a faint, bluish glow of the same surface.
                const double g = std::clamp(shade, 0.0, 1.0);
                surface = Rgb(static_cast<int>(34 * g), static_cast<int>(38 * g), static_cast<int>(150 * g));
            } else {
                surface = NavyColour;
            }
            image.Set(x, y, Blend(NavyColour, surface, cover));
        }
    return image;
}

}  // namespace vx
