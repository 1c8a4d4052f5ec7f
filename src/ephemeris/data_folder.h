// Where the data files lie: the folder a sky is made with (sky.h).
#pragma once

#include <string>
#include <vector>

namespace meridel {

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

// The data folder of this installation: the one holding pluto.slx (mrd_help.txt and the position
// store are installed beside it).
inline std::string InstalledDataFolder() { return DataFolderHolding("pluto.slx"); }

}  // namespace meridel
