#include "PixelImage.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace vx {

namespace {

uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Put32(std::vector<unsigned char>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i)));
}
void Put16(std::vector<unsigned char>& v, uint16_t x) {
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
}

}  // namespace

bool ReadBmp24(const std::string& path, PixelImage& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 54 || size > (64 << 20)) return false;
    in.seekg(0);
    std::vector<unsigned char> data(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(data.data()), size)) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t offset = Le32(&data[10]);
    const uint32_t headerSize = Le32(&data[14]);
    if (headerSize < 40) return false;
    const int32_t w = static_cast<int32_t>(Le32(&data[18]));
    int32_t h = static_cast<int32_t>(Le32(&data[22]));
    const uint16_t bits = Le16(&data[28]);
    const uint32_t compression = Le32(&data[30]);
    if (bits != 24 || compression != 0 || w <= 0 || w > 4096 || h == 0 || h > 4096 || h < -4096) return false;
    const bool topDown = h < 0;
    if (topDown) h = -h;
    const size_t rowBytes = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    if (offset > data.size() || data.size() - offset < rowBytes * static_cast<size_t>(h)) return false;
    PixelImage result(w, h, 0);
    for (int32_t row = 0; row < h; ++row) {
        const unsigned char* p = &data[offset + rowBytes * static_cast<size_t>(row)];
        const int32_t y = topDown ? row : h - 1 - row;
        for (int32_t x = 0; x < w; ++x, p += 3) result.Set(x, y, Rgb(p[2], p[1], p[0]));
    }
    image = std::move(result);
    return true;
}

bool WriteBmp24(const std::string& path, const PixelImage& image) {
    if (image.width <= 0 || image.height <= 0) return false;
    const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * static_cast<size_t>(image.height));
    std::vector<unsigned char> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        size_t written = 0;
        for (int x = 0; x < image.width; ++x, written += 3) {
            const Colour c = image.Get(x, y);
            out.push_back(static_cast<unsigned char>(c >> 16));
            out.push_back(static_cast<unsigned char>(c >> 8));
            out.push_back(static_cast<unsigned char>(c));
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace vx
