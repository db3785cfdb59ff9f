#include "MoonPictureBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <utility>

namespace vx {

namespace {

QImage ToQImage(const PixelImage& image) {
    QImage img(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const Colour* from = image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width);
        for (int x = 0; x < image.width; ++x) {
            const Colour c = from[x];
            line[x] =
                qRgb(static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255), static_cast<int>((c >> 16) & 255));
        }
    }
    return img;
}

}  // namespace

MoonPictureBox::MoonPictureBox(QWidget* parent) : QWidget(parent) {
    // Twice the 90 x 90 picture; fixed, so the layout keeps its place when
    // the picture is cleared.
    setFixedSize(180, 180);
}

void MoonPictureBox::SetPicture(const PixelImage& picture, MoonDisplaySource source) {
    image_ = ToQImage(picture);
    source_ = std::move(source);
    shown_ = QImage();
    update();
}

void MoonPictureBox::Clear() {
    image_ = QImage();
    source_.reset();
    shown_ = QImage();
    update();
}

void MoonPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!source_) {
        p.fillRect(rect(), QColor(0, 0, 128));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const int size = qRound(width() * ratio);
    if (shown_.isNull() || shown_.width() != size || shown_.devicePixelRatio() != ratio) {
        shown_ = ToQImage(RenderMoonDisplay(*source_, size));
        shown_.setDevicePixelRatio(ratio);
    }
    p.drawImage(QPointF(0, 0), shown_);
}

}  // namespace vx
