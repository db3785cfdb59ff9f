// The moon panel's picture on screen.
#pragma once

#include <QImage>
#include <QWidget>

#include "PixelImage.h"

namespace vx {

// Shows the panel's 90 x 90 picture, enlarged.
class MoonPictureBox : public QWidget {
public:
    explicit MoonPictureBox(QWidget* parent = nullptr);
    void SetPicture(const PixelImage& image);
    void Clear();
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace vx
