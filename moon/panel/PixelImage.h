// A small RGB picture for the moon panel, painted point by point, with the
// 24-bit BMP reading and writing the moon pictures need. Colours are
// r + 256 g + 65536 b, as the panel's rules state them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
inline constexpr Colour NavyColour = Rgb(0, 0, 128);

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row by row from the top

    PixelImage() = default;
    PixelImage(int w, int h, Colour fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Colour Get(int x, int y) const { return Contains(x, y) ? pixels[static_cast<size_t>(y) * width + x] : 0; }
    void Set(int x, int y, Colour c) {
        if (Contains(x, y)) pixels[static_cast<size_t>(y) * width + x] = c;
    }
};

// Reads an uncompressed 24-bit BMP (bottom-up or top-down); false for any
// other or damaged file, leaving image alone.
bool ReadBmp24(const std::string& path, PixelImage& image);
bool WriteBmp24(const std::string& path, const PixelImage& image);

}  // namespace vx
