// Writing a file all or nothing.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace meridel {

// Creates or replaces path with exactly bytes: they go to a temporary file beside it, which
// takes the file's place only when every byte reached the disk. On failure the previous file,
// if any, is untouched and the result is the system's reason; "" on success.
std::string ReplaceFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace meridel
