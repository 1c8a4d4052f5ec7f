#include "persist/registry.h"

#include "store/settings_text.h"
#include "store/settings_values.h"
#include "persist/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace meridel {

namespace {

enum class StoreKind { File, Memory };

struct StoreChoice {
    StoreKind kind = StoreKind::File;
    std::string path;  // File: "" until first use, then the default path
    SettingsKeys memory;
};

StoreChoice& Store() {
    static StoreChoice choice;
    return choice;
}

const std::string& FilePath() {
    StoreChoice& s = Store();
    if (s.path.empty()) s.path = DefaultSettingsFilePath();
    return s.path;
}

enum class LoadResult { Loaded, Missing, Corrupted, Unreadable };

LoadResult LoadFile(SettingsKeys& keys) {
    keys.clear();
    const QString path = QString::fromStdString(FilePath());
    QFileInfo info(path);
    if (!info.exists()) return LoadResult::Missing;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) return LoadResult::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return LoadResult::Unreadable;
    auto parsed = ParseSettingsText(bytes.toStdString());
    if (!parsed) return LoadResult::Corrupted;
    keys = std::move(*parsed);
    return LoadResult::Loaded;
}

std::string SaveFile(const SettingsKeys& keys) {
    const QString path = QString::fromStdString(FilePath());
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ReplaceFileWhole(path, QByteArray::fromStdString(SettingsText(keys)));
}

}  // namespace

std::string DefaultSettingsFilePath() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return (base + "/Vantorel/Meridel.ini").toStdString();
}

void UseSettingsFile(const std::string& path) {
    StoreChoice& s = Store();
    s.kind = StoreKind::File;
    s.path = path;
    s.memory.clear();
}

void UseMemorySettings() {
    StoreChoice& s = Store();
    s.kind = StoreKind::Memory;
    s.memory.clear();
}

std::string WriteRegistryString(RegistryRoot, const std::string& key, const std::string& name,
                                const std::string& value) {
    const std::string refusal = SettingsWriteRefusal(key, name);
    if (!refusal.empty()) return refusal;
    if (Store().kind == StoreKind::Memory) return PutSettingsValue(Store().memory, key, name, value);

    // A corrupted file holds no usable state and is replaced; one that cannot be read is left
    // alone rather than overwritten with this single value.
    SettingsKeys keys;
    if (LoadFile(keys) == LoadResult::Unreadable) return SettingsWriteFailure(5, "The settings file cannot be read.");
    const std::string status = PutSettingsValue(keys, key, name, value);
    const std::string reason = SaveFile(keys);
    if (!reason.empty()) return SettingsWriteFailure(5, reason);
    return status;
}

std::string ReadRegistryString(RegistryRoot, const std::string& key, const std::string& name,
                               std::string& value) {
    if (Store().kind == StoreKind::Memory) return ReadSettingsValue(Store().memory, key, name, value);
    // A missing, unreadable or corrupted file is no saved state: an empty store.
    SettingsKeys keys;
    if (LoadFile(keys) != LoadResult::Loaded) keys.clear();
    return ReadSettingsValue(keys, key, name, value);
}

bool SaveRegistryValue(const std::string& keyPart, const std::string& name, const std::string& value,
                       std::string* status) {
    const std::string stored = value.empty() ? std::string(" ") : value;
    const std::string written = WriteRegistryString(RegistryRoot::CurrentUser,
                                                    std::string(kRegistryBaseKey) + keyPart, name, stored);
    if (status) *status = written;
    return !written.empty() && written[0] == '0';
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
