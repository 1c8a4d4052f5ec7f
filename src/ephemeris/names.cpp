#include "ephemeris/names.h"

#include "ephemeris/planet_longitude.h"

namespace meridel {

std::array<std::string, 11> BodyName;
std::array<std::string, 6> AspectName;
std::array<double, 6> AspectAngle{};

void SetNameTables() {
    BodyName = {"Earth", "Sun",    "Mercury", "Venus",   "Mars", "Jupiter",
                "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};
    AspectName = {"", "Conjunction", "Opposition", "Square", "Trine", "Sextile"};
}

void SetAspectAngles() {
    static const double degrees[6] = {0, 0, 180, 90, 120, 60};
    for (int a = 0; a < 6; ++a) AspectAngle[a] = degrees[a] / 360 * kFullCircle;
}

}  // namespace meridel
