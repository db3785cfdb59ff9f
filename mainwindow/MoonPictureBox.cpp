#include "MoonPictureBox.h"

#include <QPaintEvent>
#include <QPainter>

namespace vx {

MoonPictureBox::MoonPictureBox(QWidget* parent) : QWidget(parent) {
    // The 90 x 90 picture drawn twice its size; fixed, so the layout keeps
    // its place when the picture is cleared.
    setFixedSize(180, 180);
}

void MoonPictureBox::SetPicture(const PixelImage& image) {
    QImage img(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.Get(x, y);
            img.setPixel(x, y, qRgb(static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255),
                                    static_cast<int>((c >> 16) & 255)));
        }
    image_ = img;
    update();
}

void MoonPictureBox::Clear() {
    image_ = QImage();
    update();
}

void MoonPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 128));
    if (!image_.isNull()) p.drawImage(rect(), image_);
}

}  // namespace vx
