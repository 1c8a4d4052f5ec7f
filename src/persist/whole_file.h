// Writing a file all or nothing, or as close to that as the folder allows.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace meridel {

// Creates or replaces path with exactly bytes: they go to a temporary file beside it, which
// takes the file's place only when every byte reached the disk. On failure the previous file,
// if any, is untouched and the result is the system's reason; "" on success.
std::string ReplaceFileWhole(const QString& path, const QByteArray& bytes);

// Creates or overwrites path with exactly bytes, as ReplaceFileWhole where a temporary file can
// be made beside it. Where none can (a folder the user may not add files to), the file itself
// is emptied and written, and a failure part-way leaves it cut short. A file the user may not
// write is refused either way. "" on success, otherwise the system's reason.
std::string CreateOrOverwriteFile(const QString& path, const QByteArray& bytes);

}  // namespace meridel
