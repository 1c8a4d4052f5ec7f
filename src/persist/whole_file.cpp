#include "persist/whole_file.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace meridel {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Writes every byte to fd and waits until they are on the disk: "" or the system's reason.
// Written through the descriptor: QSaveFile::commit does not notice a failure while flushing
// its own buffer (a full disk cuts the last write short), and errno gives the system's reason.
std::string WriteAndSync(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return SystemReason(written < 0 ? errno : EIO);
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0) return SystemReason(errno);
    return "";
}

// Through a temporary file beside path. temporaryMade tells whether the temporary file could be
// made at all; when not, nothing was written.
std::string ReplaceThroughTemporary(const QString& path, const QByteArray& bytes, bool& temporaryMade) {
    QSaveFile file(path);
    // Writing in place would leave half a file behind on failure.
    file.setDirectWriteFallback(false);
    temporaryMade = file.open(QIODevice::WriteOnly);
    if (!temporaryMade) return file.errorString().toStdString();
    const std::string reason = WriteAndSync(file.handle(), bytes);
    if (!reason.empty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return "";
}

std::string WriteInPlace(const QByteArray& nativePath, const QByteArray& bytes) {
    const int fd = ::open(nativePath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return SystemReason(errno);
    std::string reason = WriteAndSync(fd, bytes);
    if (::close(fd) != 0 && reason.empty()) reason = SystemReason(errno);
    return reason;
}

}  // namespace

std::string ReplaceFileWhole(const QString& path, const QByteArray& bytes) {
    bool temporaryMade = false;
    return ReplaceThroughTemporary(path, bytes, temporaryMade);
}

std::string CreateOrOverwriteFile(const QString& path, const QByteArray& bytes) {
    const QByteArray nativePath = QFile::encodeName(path);
    // Ask the system whether the user may write an existing file, without changing it: a
    // temporary file renamed over a read-only file would replace it. Non-blocking, so that a
    // named pipe without a reader is refused rather than waited for.
    const int probe = ::open(nativePath.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe >= 0) {
        ::close(probe);
    } else if (errno != ENOENT) {
        return SystemReason(errno);
    }
    bool temporaryMade = false;
    const std::string reason = ReplaceThroughTemporary(path, bytes, temporaryMade);
    if (temporaryMade) return reason;
    return WriteInPlace(nativePath, bytes);
}

}  // namespace meridel
