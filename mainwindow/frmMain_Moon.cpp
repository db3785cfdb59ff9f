// The moon panel in the window: the labels, the picture, delta T.
#include "Illumination.h"
#include "MoonDisplay.h"
#include "TextHelpers.h"
#include "PhaseQueries.h"
#include "frmMain.h"

namespace vx {

void frmMain::DisplayMoonData(Colour background) {
    ++draws_.moonPanel;
    const MoonData moon = ComputeMoonData(Shown().dblCurrentAJDate);
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
    // The percentage runs linearly in time between the phases; the lit part
    // of the disc is another quantity, said here.
    const std::string lit = FixedText(IlluminatedFractionAtMoment(Shown().dblCurrentAJDate) * 100, 1);
    lblPhaseOfMoon[1]->setToolTip(
        QString::fromStdString("The percentage grows linearly in time from new moon to full moon and back; " + lit +
                               " % of the Moon's disc is lit (Ctrl+L: Sky from here)"));
    // What the picture shows, for a screen reader: the phase's name without
    // the line's percentage, and the lit part of the disc.
    QString name = QString::fromStdString(phase.substr(0, phase.rfind(", ")));
    if (!name.isEmpty()) name[0] = name[0].toLower();
    picMoon->setAccessibleName("Moon, " + name + ", " + QString::fromStdString(lit) + " % lit");
    picMoon->SetPicture(painter_.Picture(), DisplaySourceOf(painter_));
}

void frmMain::ShowDeltaT() {
    ++draws_.deltaT;
    lblDeltaT[1]->setText(QString::fromStdString(DeltaTText(DeltaTForMoment(Shown().dblCurrentAJDate))));
}

}  // namespace vx
