#include "ui/registry.h"

#include "calendar/str_proc.h"
#include "ui/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <optional>
#include <system_error>

namespace meridel {

namespace {

constexpr const char* kSuccessReason = "The operation completed successfully.";
constexpr const char* kKeyNotFound = "1 Key not found or is empty.";
constexpr const char* kNameNotSpecified = "2 Name not specified.";
constexpr const char* kNameNotFound = "3 Name not found.";

// key ("Software\Vantorel\MRD") -> value name -> text.
using Keys = std::map<std::string, std::map<std::string, std::string>>;

enum class StoreKind { File, Memory };

struct StoreChoice {
    StoreKind kind = StoreKind::File;
    std::string path;  // File: "" until first use, then the default path
    Keys memory;
};

StoreChoice& store() {
    static StoreChoice choice;
    return choice;
}

const std::string& filePath() {
    StoreChoice& s = store();
    if (s.path.empty()) s.path = DefaultSettingsFilePath();
    return s.path;
}

// "Software\Vantorel\" and "\Software\Vantorel" name the same key as "Software\Vantorel".
std::string normalKey(const std::string& key) {
    std::string out;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string::npos) end = key.size();
        if (end > start) {
            if (!out.empty()) out += '\\';
            out += key.substr(start, end - start);
        }
        start = end + 1;
    }
    return out;
}

// The file is an ini file with one section per key, "[Software\Vantorel\MRD]", then
// "name=value" lines. In names and values, backslashes, control characters and (in names) "="
// and a leading "[", ";" or "#" are written as \\ and \xHH, so that every value keeps its exact
// text, blanks included, on one line. Reading is lenient: any other backslash is kept as it is.
std::string escape(const std::string& text, bool isName) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        bool special = c < 32 || c == 127 || c == '\\' ||
                       (isName && (c == '=' || (i == 0 && (c == '[' || c == ';' || c == '#'))));
        if (c == '\\') {
            out += "\\\\";
        } else if (special) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string serialize(const Keys& keys) {
    std::string out;
    for (const auto& [key, values] : keys) {
        if (values.empty()) continue;
        out += "[" + key + "]\n";
        for (const auto& [name, text] : values) out += escape(name, true) + "=" + escape(text, false) + "\n";
        out += "\n";
    }
    return out;
}

// nullopt when the text is not a file this program wrote (or could have written).
std::optional<Keys> parse(const std::string& text) {
    Keys keys;
    bool inSection = false;
    std::string current;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return std::nullopt;
            current = normalKey(line.substr(1, line.size() - 2));
            if (current.empty()) return std::nullopt;
            keys[current];
            inSection = true;
            continue;
        }
        size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos) return std::nullopt;
        const std::string name = unescape(line.substr(0, equals));
        if (name.empty()) return std::nullopt;
        keys[current][name] = unescape(line.substr(equals + 1));
    }
    return keys;
}

enum class LoadResult { Loaded, Missing, Corrupted, Unreadable };

LoadResult loadFile(Keys& keys) {
    keys.clear();
    const QString path = QString::fromStdString(filePath());
    QFileInfo info(path);
    if (!info.exists()) return LoadResult::Missing;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) return LoadResult::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return LoadResult::Unreadable;
    auto parsed = parse(bytes.toStdString());
    if (!parsed) return LoadResult::Corrupted;
    keys = std::move(*parsed);
    return LoadResult::Loaded;
}

bool keyExists(const Keys& keys, const std::string& key) {
    auto it = keys.find(key);
    if (it != keys.end() && !it->second.empty()) return true;
    const std::string prefix = key + "\\";
    for (auto sub = keys.lower_bound(prefix); sub != keys.end(); ++sub) {
        if (sub->first.compare(0, prefix.size(), prefix) != 0) break;
        if (!sub->second.empty()) return true;
    }
    return false;
}

std::string writeFailure(int code, const std::string& reason) {
    return std::to_string(code) + " Unable to create (or find) key.  " + reason;
}

std::string saveFile(const Keys& keys) {
    const QString path = QString::fromStdString(filePath());
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ReplaceFileWhole(path, QByteArray::fromStdString(serialize(keys)));
}

}  // namespace

int NumberFromRegistryText(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    auto isDigit = [&](size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (isDigit(i)) ++i, digits = true;
    if (i < n && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, digits = true;
    }
    if (!digits) return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < n && (text[e] == '+' || text[e] == '-')) ++e;
        if (isDigit(e)) {
            while (isDigit(e)) ++e;
            i = e;
        }
    }
    // from_chars takes no leading "+" and, unlike strtod, ignores the locale.
    const size_t from = text[start] == '+' ? start + 1 : start;
    double value = 0;
    auto result = std::from_chars(text.data() + from, text.data() + i, value);
    const bool negative = text[start] == '-';
    if (result.ec == std::errc::result_out_of_range)
        value = negative ? -1e300 : 1e300;
    else if (result.ec != std::errc())
        return 0;
    value = std::nearbyint(value);
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::string DefaultSettingsFilePath() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return (base + "/Vantorel/Meridel.ini").toStdString();
}

void UseSettingsFile(const std::string& path) {
    StoreChoice& s = store();
    s.kind = StoreKind::File;
    s.path = path;
    s.memory.clear();
}

void UseMemorySettings() {
    StoreChoice& s = store();
    s.kind = StoreKind::Memory;
    s.memory.clear();
}

std::string SettingsFilePath() {
    return store().kind == StoreKind::Memory ? std::string() : filePath();
}

std::string WriteRegistryString(RegistryRoot, const std::string& key, const std::string& name,
                                const std::string& value) {
    const std::string normal = normalKey(key);
    if (normal.empty() || name.empty()) return writeFailure(87, "The parameter is incorrect.");

    Keys fileKeys;
    Keys& keys = store().kind == StoreKind::Memory ? store().memory : fileKeys;
    if (store().kind == StoreKind::File) {
        // A corrupted file holds no usable state and is replaced; one that cannot be read is
        // left alone rather than overwritten with this single value.
        if (loadFile(fileKeys) == LoadResult::Unreadable)
            return writeFailure(5, "The settings file cannot be read.");
    }
    const bool existed = keyExists(keys, normal);
    keys[normal][name] = value;
    if (store().kind == StoreKind::File) {
        std::string reason = saveFile(keys);
        if (!reason.empty()) return writeFailure(5, reason);
    }
    return std::string(existed ? "0 Key already exists." : "0 New key created.") + "  " +
           kSuccessReason;
}

std::string ReadRegistryString(RegistryRoot, const std::string& key, const std::string& name,
                               std::string& value) {
    value.clear();
    const std::string normal = normalKey(key);
    if (normal.empty()) return kKeyNotFound;

    Keys fileKeys;
    const Keys& keys = store().kind == StoreKind::Memory ? store().memory : fileKeys;
    // A missing, unreadable or corrupted file is no saved state.
    if (store().kind == StoreKind::File && loadFile(fileKeys) != LoadResult::Loaded) return kKeyNotFound;
    if (!keyExists(keys, normal)) return kKeyNotFound;
    if (name.empty()) return kNameNotSpecified;
    auto values = keys.find(normal);
    if (values == keys.end()) return kNameNotFound;
    auto it = values->second.find(name);
    if (it == values->second.end()) return kNameNotFound;
    std::string read = it->second;
    StripTrailingControlChars(read);
    if (read.empty()) return kNameNotFound;
    value = read;
    return "0 OK";
}

bool SaveRegistryValue(const std::string& keyPart, const std::string& name, const std::string& value) {
    const std::string stored = value.empty() ? std::string(" ") : value;
    std::string status = WriteRegistryString(RegistryRoot::CurrentUser,
                                             std::string(kRegistryBaseKey) + keyPart, name, stored);
    return !status.empty() && status[0] == '0';
}

bool RestoreRegistryValue(const std::string& keyPart, const std::string& name, std::string& value,
                          const std::string& defaultValue) {
    value.clear();
    std::string status = ReadRegistryString(RegistryRoot::CurrentUser,
                                            std::string(kRegistryBaseKey) + keyPart, name, value);
    bool ok = !status.empty() && status[0] == '0';
    if (!ok) value = defaultValue;
    return ok;
}

}  // namespace meridel
