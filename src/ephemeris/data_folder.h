// DataFolder and the ephemeris start-up.
#pragma once

#include <string>
#include <vector>

namespace meridel {

// The folder, followed by "/", that holds pluto.slx and mrd_help.txt (see DataFolderHolding).
extern std::string DataFolder;

// The folder of the running executable, with a trailing "/".
std::string ExecutableFolder();

// The folders searched for a data file, each with a trailing "/", first to last: the executable's
// folder (build folder, portable copy), its ../share/meridel/ (an installed or relocated prefix),
// $XDG_DATA_HOME/meridel/ (default ~/.local/share), then each of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share) + meridel/. Relative XDG entries are ignored, as the XDG base
// directory rules ask.
std::vector<std::string> DataFolderCandidates(const std::string& executableFolder);

// The first of DataFolderCandidates(executableFolder) that holds the regular file `fileName`.
// When none does, the executable's folder: a failed read then names the same path as it always
// did.
std::string DataFolderHolding(const std::string& fileName, const std::string& executableFolder = ExecutableFolder());

// DataFolder = DataFolderHolding("pluto.slx") (mrd_help.txt is installed beside it); tells the
// planet library; Pi; AspectAngle; SetNameTables.
void InitEphemeris();

}  // namespace meridel
