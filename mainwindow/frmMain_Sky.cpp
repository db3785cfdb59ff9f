// The observer's place and the views of it: its settings file, the "Sky
// from here" window, and the local lines of the eclipse data.
#include <QSettings>

#include "Illumination.h"
#include "LocalSky.h"
#include "SkyWindow.h"
#include "frmMain.h"

namespace vx {

namespace {
constexpr const char* kPlaceFileName = "place.ini";
constexpr const char* kPlaceKey = "place/text";
}  // namespace

std::string frmMain::PlaceSettingsPath() const { return DataFilePath(kPlaceFileName, SavedStateFolderName); }

void frmMain::LoadPlace() {
    const std::string path = PlaceSettingsPath();
    if (path.empty()) return;
    const QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
    const std::string text = settings.value(kPlaceKey).toString().toStdString();
    Place place;
    std::string error;
    // A place that no longer reads (a zone gone from the database) is no place.
    if (!text.empty() && ReadPlace(text, place, error)) {
        place_ = place;
        placeText_ = text;
    }
}

std::string frmMain::SetPlace(const std::string& text) {
    Place place;
    std::string error;
    if (!text.empty() && !ReadPlace(text, place, error)) return error;
    if (text.empty())
        place_.reset();
    else
        place_ = place;
    placeText_ = text;
    const std::string path = PlaceSettingsPath();
    if (!path.empty()) {
        QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
        if (text.empty())
            settings.remove(kPlaceKey);
        else
            settings.setValue(kPlaceKey, QString::fromStdString(text));
        settings.sync();
        if (settings.status() != QSettings::NoError) error = "The place could not be saved in " + path;
    }
    ShowEclipseData();
    ShowSky();
    return error;
}

void frmMain::OpenSky() {
    if (skyWindow == nullptr)
        skyWindow = new frmSky(
            ZoneNames(), [this](const std::string& text) { return SetPlace(text); }, this);
    skyWindow->show();
    skyWindow->raise();
    skyWindow->activateWindow();
    ShowSky();
}

void frmMain::ShowSky() {
    if (skyWindow == nullptr || !skyWindow->isVisible()) return;
    std::vector<std::string> lines;
    if (place_) {
        const double moment = Shown().dblCurrentAJDate;
        lines = LocalSkyLines(moment, EffectiveZoneOffset(), *place_, IlluminatedFractionAtMoment(moment));
        const std::string eclipse = LocalEclipseText();
        if (!eclipse.empty()) lines.push_back("Eclipse shown:\n" + eclipse);
    }
    skyWindow->ShowSky(placeText_, lines);
}

// The local lines of the eclipse shown, one per line; "" without a place or
// an eclipse.
std::string frmMain::LocalEclipseText() const {
    PhaseEclipseRecord record{};
    if (!place_ || !ShownEclipseRecord(record)) return {};
    std::string text;
    for (const std::string& line : LocalEclipseLines(record, *place_, EffectiveZoneOffset())) text += line + "\n";
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace vx
