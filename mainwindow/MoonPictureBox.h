// The moon panel's picture on screen.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "MoonDisplay.h"
#include "PixelImage.h"

namespace vx {

// Shows the panel's Moon at twice the 90 x 90 picture's size, drawn afresh
// at the screen's device pixels rather than enlarged.
class MoonPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit MoonPictureBox(QWidget* parent = nullptr);
    // picture: the panel's 90 x 90 picture, kept as Image(); source: what the
    // box draws.
    void SetPicture(const PixelImage& picture, MoonDisplaySource source);
    void Clear();
    const QImage& Image() const { return image_; }
    // The drawing at device pixels as last painted; null until then.
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    std::optional<MoonDisplaySource> source_;
    QImage shown_;  // kept until the source, the size or the scale changes
};

}  // namespace vx
