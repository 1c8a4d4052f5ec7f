// The vocabulary of bodies and aspects, indexed by planet code and aspect code.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace meridel {

enum AspectCode : std::int16_t {
    kNoAspect = 0, kConjunction = 1, kOpposition = 2, kSquare = 3, kTrine = 4, kSextile = 5
};

extern std::array<std::string, 11> BodyName;   // "Earth", "Sun", ... "Pluto", "Moon"
extern std::array<std::string, 6> AspectName;  // "", "Conjunction", "Opposition", ...
extern std::array<double, 6> AspectAngle;      // radians; entry 0 is 0

void SetNameTables();
void SetAspectAngles();

}  // namespace meridel
