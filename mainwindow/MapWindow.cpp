#include "MapWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace vx {

MapView::MapView(QWidget* parent) : QWidget(parent), renderer_(new QSvgRenderer(this)) {
    setMinimumSize(400, 200);
    setAccessibleName("Eclipse map");
}

void MapView::SetSvg(const std::string& svg) {
    renderer_->load(QByteArray::fromStdString(svg));
    update();
}

bool MapView::HasMap() const { return renderer_->isValid(); }

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!renderer_->isValid()) return;
    // The whole Earth, twice as wide as high, as large as the view allows:
    // a vector drawing, so it is sharp at any scale.
    const double w = std::min<double>(width(), 2.0 * height());
    const QRectF target((width() - w) / 2, (height() - w / 2) / 2, w, w / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, target);
}

frmMap::frmMap(QWidget* parent) : QWidget(parent, Qt::Window) {
    view = new MapView(this);
    cmdClose = new QPushButton("Close", this);
    cmdClose->setAutoDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    resize(1000, 560);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
}

void frmMap::ShowMap(const std::string& title, const std::string& svg) {
    setWindowTitle(QString::fromStdString(title));
    view->setAccessibleDescription(QString::fromStdString(title));
    view->SetSvg(svg);
    show();
    raise();
    activateWindow();
    cmdClose->setFocus();
}

void frmMap::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vx
