#include "ephemeris/data_folder.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>


namespace meridel {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// "/usr/bin/../share/meridel" becomes "/usr/share/meridel/", so messages name a plain path.
// The executable's folder comes from /proc/self/exe with links resolved, so ".." means the same
// lexically as on disk.
std::string AsFolder(const std::filesystem::path& path) {
    std::string text = path.lexically_normal().string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

void AddXdgFolder(std::vector<std::string>& folders, const std::string& base) {
    if (base.empty() || base.front() != '/') return;
    folders.push_back(AsFolder(std::filesystem::path(base) / "meridel"));
}

}  // namespace

std::string ExecutableFolder() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string exe(path, static_cast<std::size_t>(n));
    std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "./" : exe.substr(0, slash + 1);
}

std::vector<std::string> DataFolderCandidates(const std::string& executableFolder) {
    std::vector<std::string> folders{executableFolder};
    folders.push_back(AsFolder(std::filesystem::path(executableFolder) / ".." / "share" / "meridel"));

    std::string dataHome = Environment("XDG_DATA_HOME");
    if (dataHome.empty()) {
        const std::string home = Environment("HOME");
        if (!home.empty()) dataHome = home + "/.local/share";
    }
    AddXdgFolder(folders, dataHome);

    std::string dataDirs = Environment("XDG_DATA_DIRS");
    if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dataDirs.size();) {
        std::size_t colon = dataDirs.find(':', start);
        if (colon == std::string::npos) colon = dataDirs.size();
        AddXdgFolder(folders, dataDirs.substr(start, colon - start));
        start = colon + 1;
    }
    return folders;
}

std::string DataFolderHolding(const std::string& fileName, const std::string& executableFolder) {
    for (const std::string& folder : DataFolderCandidates(executableFolder)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder + fileName, error)) return folder;
    }
    return executableFolder;
}

}  // namespace meridel
