// The window's look, shared by the files that build and drive it: the
// colours of captions and values on the navy background, compact layouts,
// controls that keep their place, and the label pairs of the date lines.
#pragma once

#include <QColor>
#include <QString>

#include "frmMain.h"

class QFrame;
class QLayout;
class QWidget;

namespace vx {

extern const QColor kCaptionColour, kValueColour;
// The widest text a value line shows and the widest line of an eclipse
// caption; the window's tests check every line's longest text against them.
extern const QString kWidestValue, kWidestEclipseLine;

// A control's text colour, readable back from its "vxTextColour" property;
// disabled, it is drawn halfway to the background.
void SetTextColour(QWidget* w, const QColor& c);
// Hidden, the control keeps its place: showing it moves nothing.
void KeepPlaceWhenHidden(QWidget* w);
// Tighter spacing than the style's default.
void Tighten(QLayout* layout, int spacing = 4);
QFrame* NewFrame(QWidget* parent);
// A caption, a value label as wide as the widest value, and the two.
ClickLabel* NewCaption(QWidget* parent, const char* text);
ClickLabel* NewValue(QWidget* parent);
LabelPair NewPair(QWidget* parent, const char* text);

}  // namespace vx
