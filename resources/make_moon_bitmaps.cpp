// Writes the four moon pictures (90 x 90, 24-bit BMP) into a folder: the
// build runs it so that they stand next to the program.
#include <cstdio>
#include <string>

#include "MoonArt.h"

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    if (!folder.empty() && folder.back() != '/') folder += '/';
    for (vx::MoonPicture p : {vx::MoonPicture::Dark, vx::MoonPicture::FirstQuarterLit, vx::MoonPicture::FullLit,
                              vx::MoonPicture::LastQuarterLit}) {
        const std::string path = folder + std::string(vx::MoonPictureFile(p));
        if (!vx::WriteBmp24(path, vx::RenderMoonPicture(p))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
