#include "ephemeris/data_folder.h"

#include <climits>
#include <unistd.h>

#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

std::string DataFolder;

std::string ExecutableFolder() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string exe(path, static_cast<std::size_t>(n));
    std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

void InitEphemeris() {
    DataFolder = ExecutableFolder();
    set_datafiles_folder(DataFolder);
    Pi = 3.14159265358979;
    SetAspectAngles();
    SetNameTables();
}

}  // namespace meridel
