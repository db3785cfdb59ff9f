// The map window: where the shown eclipse is seen, drawn from the same SVG
// document the command-line tool writes, at the screen's resolution.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <string>

class QSvgRenderer;

namespace vx {

class MapView : public QWidget {
public:
    explicit MapView(QWidget* parent = nullptr);
    void SetSvg(const std::string& svg);
    bool HasMap() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};

class frmMap : public QWidget {
public:
    explicit frmMap(QWidget* parent = nullptr);
    // title: the window's and the map's; svg: the map.
    void ShowMap(const std::string& title, const std::string& svg);
    MapView* view;
    QPushButton* cmdClose;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vx
