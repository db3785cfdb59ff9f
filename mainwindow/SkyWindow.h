// The "Sky from here" window: the place (a tz database location, found by
// typing, or typed coordinates) and the local sky of the shown moment. It is
// a view: the main window owns the place and the moment and gives it text.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace vx {

class frmSky : public QWidget {
public:
    // zoneNames: the places offered in the list; apply: asked to set a place
    // from its text, answers "" or the reason it cannot.
    frmSky(const std::vector<std::string>& zoneNames, std::function<std::string(const std::string&)> apply,
           QWidget* parent = nullptr);
    // The place's text as set, and the lines to show ("" text: none set).
    void ShowSky(const std::string& placeText, const std::vector<std::string>& lines);
    QComboBox* cboPlace;
    QLabel* lblPlaceError;
    QLabel* lblSky;
    QPushButton* cmdClose;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Apply();
    std::function<std::string(const std::string&)> apply_;
};

}  // namespace vx
