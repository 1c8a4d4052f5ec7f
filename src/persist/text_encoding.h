// The program's files are 8-bit text in Windows-1252 (the degree sign is the one byte 0xB0).
#pragma once

#include <QByteArray>
#include <QString>

namespace meridel {

// text as Windows-1252 bytes; a character the code page lacks becomes "?".
QByteArray ToWindows1252(const QString& text);
// Windows-1252 bytes as text (the five unassigned bytes map to the control characters of
// the same number).
QString FromWindows1252(const QByteArray& bytes);
// A text file's bytes as text: UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString DecodeTextFile(const QByteArray& bytes);

}  // namespace meridel
