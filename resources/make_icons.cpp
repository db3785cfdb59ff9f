// Writes the application icon as PNG files of the sizes the desktops ask for:
// the full-moon picture's texture, darkened into a waxing gibbous Moon, on a
// transparent ground. Usage: make_icons FOLDER (writes FOLDER/SIZE.png).
#include <array>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "MoonArt.h"

namespace {

uint32_t Crc32(const unsigned char* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void Chunk(std::vector<unsigned char>& png, const char* type, const std::vector<unsigned char>& data) {
    Put32(png, static_cast<uint32_t>(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Put32(png, Crc32(body.data(), body.size()));
}

// RGBA rows, each led by filter byte 0, in a zlib stream of stored blocks:
// icons are small, and this keeps the encoder a few lines long.
std::vector<unsigned char> Png(int size, const std::vector<unsigned char>& rgba) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + static_cast<std::ptrdiff_t>(y) * size * 4,
                   rgba.begin() + static_cast<std::ptrdiff_t>(y + 1) * size * 4);
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<unsigned char>(n & 0xFF));
        z.push_back(static_cast<unsigned char>(n >> 8));
        z.push_back(static_cast<unsigned char>(~n & 0xFF));
        z.push_back(static_cast<unsigned char>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
    Put32(z, (b << 16) | a);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    Put32(header, static_cast<uint32_t>(size));
    Put32(header, static_cast<uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

// The Moon at size x size: texture from the full-moon picture (disc centred
// at (44, 45), radius 44), night side to the left of a terminator at 3/4
// illumination, alpha from the disc's edge, 4 x 4 samples a pixel.
std::vector<unsigned char> Moon(int size, const vx::PixelImage& full) {
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4, 0);
    const double k = 0.5;  // terminator half-width over radius: 1 - 2 (1 - f) for f = 3/4
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, bl = 0, alpha = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double u = ((x + (sx + 0.5) / 4) / size) * 2 - 1;  // -1..1 across the disc
                    const double v = ((y + (sy + 0.5) / 4) / size) * 2 - 1;
                    if (u * u + v * v > 0.94 * 0.94) continue;
                    const double uu = u / 0.94, vv = v / 0.94;
                    const int px = static_cast<int>(std::lround(44 + uu * 43)),
                              py = static_cast<int>(std::lround(45 + vv * 43));
                    const vx::Colour c = full.Get(px, py);
                    double cr = c & 0xFFu, cg = (c >> 8) & 0xFFu, cb = (c >> 16) & 0xFFu;
                    const double half = std::sqrt(std::max(0.0, 1 - vv * vv));
                    if (uu < -k * half) cr *= 0.22, cg *= 0.24, cb = cb * 0.3 + 30;  // the night side, bluish
                    r += cr, g += cg, bl += cb, alpha += 1;
                }
            if (alpha == 0) continue;
            unsigned char* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = static_cast<unsigned char>(r / alpha);
            p[1] = static_cast<unsigned char>(g / alpha);
            p[2] = static_cast<unsigned char>(bl / alpha);
            p[3] = static_cast<unsigned char>(std::lround(255 * alpha / 16));
        }
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const vx::PixelImage full = vx::RenderMoonPicture(vx::MoonPicture::FullLit);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::vector<unsigned char> png = Png(size, Moon(size, full));
        const std::string path = folder + std::to_string(size) + ".png";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || std::fwrite(png.data(), 1, png.size(), f) != png.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
