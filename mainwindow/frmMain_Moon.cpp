// The moon panel in the window: the labels, the picture, delta T.
#include <QPaintEvent>
#include <QPainter>

#include "PhaseQueries.h"
#include "frmMain.h"

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

void frmMain::DisplayMoonData(Colour background) {
    const MoonData moon = ComputeMoonData(dblCurrentAJDate);
    lblAgeOfMoon[1]->setText(QString::fromStdString(moon.ageText));
    if (moon.phaseResult < 0) {
        services_.messages->Show("Error", GetPhaseErrorText(moon.phaseResult, "DisplayMoonData"), MessageIcon::Warning,
                                 MessageButtons::Ok);
        return;
    }
    painter_.intMaxX = intMaxX;
    painter_.intMaxY = intMaxY;
    const std::string phase = painter_.DrawMoonPicture(moon.fraction, moon.waxing, background);
    lblPhaseOfMoon[1]->setText(QString::fromStdString(phase));
    picMoon->SetPicture(painter_.Picture());
}

void frmMain::ShowDeltaT() { lblDeltaT[1]->setText(QString::fromStdString(DeltaTText(DeltaTForMoment(dblCurrentAJDate)))); }

}  // namespace vx
