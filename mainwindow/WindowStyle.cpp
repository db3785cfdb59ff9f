#include "WindowStyle.h"

#include <QFrame>
#include <QGridLayout>
#include <QLayout>

namespace vx {

const QColor kCaptionColour(224, 224, 224);
const QColor kValueColour(255, 255, 128);
// The widest text a value line shows (the lunar week calendar's longest
// date); the window's tests check every line's longest text against it.
// The widest line of an eclipse caption.
const QString kWidestEclipseLine = "Penumbral phase starts 00:00 and lasts 5h 58m.";
const QString kWidestValue = "-2999-13-4-7 CLW (Lumaday in Quartweek of Vennmonth, -2999)";

// Text colours are kept in a property as well, so that the program (and its
// tests) can read back what it set. They are the colours of an enabled
// control; a disabled one is drawn halfway to the navy background, so that
// it looks disabled.
void SetTextColour(QWidget* w, const QColor& c) {
    w->setProperty("vxTextColour", c);
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, c);
    p.setColor(QPalette::Inactive, QPalette::WindowText, c);
    p.setColor(QPalette::Disabled, QPalette::WindowText,
               QColor((c.red() + 0) / 2, (c.green() + 0) / 2, (c.blue() + 128) / 2));
    w->setPalette(p);
}

// A control that keeps its place while hidden, so showing it never moves
// or grows anything.
void KeepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// Tighter spacing than the style's default: the window fits a 960 x 540
// screen (a 1920 x 1080 one at 200 %).
void Tighten(QLayout* layout, int spacing) {
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(spacing);
    // Rows close together, but a caption never touches its value.
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) grid->setHorizontalSpacing(6);
}

QFrame* NewFrame(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

// The small check mark shown while the display follows the clock.

ClickLabel* NewCaption(QWidget* parent, const char* text) {
    auto* l = new ClickLabel(QString::fromUtf8(text), parent);
    SetTextColour(l, kCaptionColour);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

ClickLabel* NewValue(QWidget* parent) {
    auto* l = new ClickLabel(parent);
    SetTextColour(l, kValueColour);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    // As wide as the longest value of any line, whatever it shows now: a new
    // text never changes the window's size.
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(kWidestValue));
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return l;
}

LabelPair NewPair(QWidget* parent, const char* text) { return LabelPair{NewCaption(parent, text), NewValue(parent)}; }

}  // namespace vx
