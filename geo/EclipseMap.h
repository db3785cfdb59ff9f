// The map of one eclipse: where the shadow falls (solar) or where the Moon is
// up (lunar), on the whole Earth in an equirectangular projection, as one
// self-contained SVG document.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Place.h"
#include "vxphase.h"

namespace vx {

// What the map shows, in degrees: lines as (latitude, longitude) pairs with
// NaN pairs between pieces.
struct EclipseMapData {
    bool lunar = false;
    std::vector<std::pair<double, double>> central, umbraNorth, umbraSouth, penumbraNorth, penumbraSouth;
    double latitude = 0, longitude = 0;  // greatest eclipse, or the Moon's zenith point
    // Lunar: the Moon's zenith points at each contact there is, in time
    // order: the penumbral, umbral and total phases' beginnings, then their
    // ends.
    struct Contact {
        std::string name;
        double latitude, longitude;
    };
    std::vector<Contact> contacts;
};

// The eclipse syzyg wrote into the record, as the map draws it.
EclipseMapData MapDataOf(const PhaseEclipseRecord& eclipse);

// The SVG document, width pixels wide (half as high); title names the
// eclipse, caption the instant of greatest eclipse; place, when given, is
// marked.
std::string EclipseMapSvg(const EclipseMapData& data, int width, const std::string& title, const std::string& caption,
                          const Place* place);

}  // namespace vx
