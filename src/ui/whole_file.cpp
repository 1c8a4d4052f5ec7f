#include "ui/whole_file.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace meridel {

std::string ReplaceFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Writing in place would leave half a file behind on failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    // Written through the descriptor: QSaveFile::commit does not notice a failure while
    // flushing its own buffer (a full disk cuts the last write short), and errno gives the
    // system's reason.
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        ssize_t written = ::write(file.handle(), data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            std::string reason = std::strerror(written < 0 ? errno : EIO);
            file.cancelWriting();
            return reason;
        }
        data += written;
        left -= written;
    }
    if (::fsync(file.handle()) != 0) {
        std::string reason = std::strerror(errno);
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return "";
}

}  // namespace meridel
