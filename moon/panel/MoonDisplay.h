// The Moon as the window shows it: the panel's drawing redone at the
// screen's device pixels, from the unpainted picture, with the limb and the
// terminator smooth at any size. Qt-free; the panel's 90 x 90 picture stays
// as MoonPainter paints it.
#pragma once

#include "MoonArt.h"
#include "MoonPanel.h"
#include "PixelImage.h"

namespace vx {

// The picture's box is this many units across; pixel centres of the 90 x 90
// picture are at whole units, x to the right, y down.
inline constexpr int PictureUnits = 90;

struct MoonDisc {
    double cx = 44, cy = 45, radius = 44;
};

// Every displayed Moon is drawn on this disc, which fits the box.
inline constexpr MoonDisc DisplayedDisc{44, 45, 44};

// Where the moon art puts its disc: the last quarter's is larger and offset.
MoonDisc PictureDisc(MoonPicture picture);

// The lit part of one row of a disc, dx from the centre in picture units.
// The ends follow the panel's inequalities: a point exactly on the
// terminator of a gibbous Moon is dark, one on the limb is lit.
struct LitSpan {
    double lo = 1, hi = 0;
    bool loOpen = false, hiOpen = false;
    bool Contains(double dx) const { return (loOpen ? dx > lo : dx >= lo) && (hiOpen ? dx < hi : dx <= hi); }
};

// The row dy above the centre of a disc of the given radius; k = |2f - 1|,
// the terminator's half-width as a fraction of the row's.
LitSpan MoonLitSpan(ShadowPaint paint, double k, double radius, double dy);

// Everything the displayed Moon is drawn from.
struct MoonDisplaySource {
    PixelImage base;  // the picture as loaded, nothing painted on it
    MoonDisc baseDisc;
    ShadowPaint paint = ShadowPaint::None;
    double k = 0;
    Colour background = NavyColour;
};

// What the painter's last DrawMoonPicture drew, for the display.
MoonDisplaySource DisplaySourceOf(const MoonPainter& painter);

// The Moon at size x size device pixels. A device pixel's centre maps to
// picture units as u = (X + 0.5) * 90 / size - 0.5, so at size 90 the rows
// and columns are the panel's points. Points outside the lit part of the
// displayed disc get the background colour; the edges are blended by the
// share of the pixel that is lit.
PixelImage RenderMoonDisplay(const MoonDisplaySource& source, int size);

}  // namespace vx
