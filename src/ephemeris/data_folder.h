// DataFolder and the ephemeris start-up.
#pragma once

#include <string>

namespace meridel {

// Folder of the running executable followed by "/"; pluto.slx and mrd_help.txt lie there.
extern std::string DataFolder;

// The folder of the running executable, with a trailing "/".
std::string ExecutableFolder();

// DataFolder = ExecutableFolder(); tells the planet library; Pi; AspectAngle; SetNameTables.
void InitEphemeris();

}  // namespace meridel
