#include "xlsx/replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <csignal>
#include <cstring>

#include "core/errors.h"

namespace xlsx {
namespace {

// A write past the file-size limit would otherwise kill the process; ignored,
// the write fails with EFBIG and the export reports it.
void ignoreFileSizeSignal() {
    static const bool ignored = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)ignored;
}

QByteArray local(const QString& path) { return QFile::encodeName(path); }

// A link is followed so that the file it names is replaced, not the link.
QString resolvedTarget(const QString& target) {
    const QFileInfo info(target);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

QString randomSuffix() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += QChar(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    }
    return suffix;
}

bool hasNoWriteBit(const struct stat& status) { return (status.st_mode & 0222) == 0; }

}  // namespace

QString systemReason(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

ReplacingFile::ReplacingFile(const QString& target)
    : target_(resolvedTarget(target)), folder_(QFileInfo(target_).absolutePath()) {
    ignoreFileSizeSignal();
    checkTarget();
    createTemporary();
}

ReplacingFile::~ReplacingFile() { removeTemporary(); }

QString ReplacingFile::displayPath() const { return QDir::toNativeSeparators(target_); }

void ReplacingFile::checkTarget() const {
    struct stat status;
    if (::stat(local(folder_).constData(), &status) != 0) failCreate(errno);
    if (!S_ISDIR(status.st_mode)) failCreate(ENOTDIR);
    if (::access(local(folder_).constData(), W_OK | X_OK) != 0) failCreate(errno);
    if (::stat(local(target_).constData(), &status) != 0) return;
    if (S_ISDIR(status.st_mode)) failCreate(EISDIR);
    // Honoured even where the user's rights would allow writing (as root): a
    // file marked read-only is not meant to be replaced.
    if (hasNoWriteBit(status)) failCreate(EACCES);
    if (::access(local(target_).constData(), W_OK) != 0) failCreate(errno);
}

void ReplacingFile::createTemporary() {
    const QString name = QFileInfo(target_).fileName();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path =
            folder_ + QStringLiteral("/.") + name + u'.' + randomSuffix() + QStringLiteral(".tmp");
        descriptor_ =
            ::open(local(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            temporaryPath_ = path;
            return;
        }
        if (errno != EEXIST) failCreate(errno);
    }
    failCreate(EEXIST);
}

void ReplacingFile::commit() {
    flushTemporary();
    struct stat status;
    // The replacement keeps the permissions the replaced file had.
    if (::stat(local(target_).constData(), &status) == 0) {
        ::chmod(local(temporaryPath_).constData(), status.st_mode & 07777);
    }
    if (::rename(local(temporaryPath_).constData(), local(target_).constData()) != 0) {
        failCreate(errno);
    }
    temporaryPath_.clear();
    syncFolder();
}

void ReplacingFile::flushTemporary() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::fsync(descriptor) != 0) {
        const int reason = errno;
        ::close(descriptor);
        failWrite(systemReason(reason));
    }
    if (::close(descriptor) != 0) failWrite(systemReason(errno));
}

// The rename is made durable as well; the workbook is already in place, so
// a folder that cannot be synced is no reason to report a failure.
void ReplacingFile::syncFolder() const {
    const int descriptor = ::open(local(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

void ReplacingFile::removeTemporary() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    if (!temporaryPath_.isEmpty()) ::unlink(local(temporaryPath_).constData());
    temporaryPath_.clear();
}

void ReplacingFile::failCreate(int errorNumber) const {
    throw wt::Error(QStringLiteral("Cannot create file \"%1\". %2")
                        .arg(displayPath(), systemReason(errorNumber)));
}

void ReplacingFile::failWrite(const QString& reason) const {
    throw wt::Error(QStringLiteral("Cannot write file \"%1\". %2").arg(displayPath(), reason));
}

}  // namespace xlsx
