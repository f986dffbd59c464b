#include "ui/recovery/recovery_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <exception>

#include "cfgfile/safe_save.h"
#include "platform/native_path.h"

namespace velquor::ui {

namespace {

// An edit waits at most this long for the record, well within two seconds.
constexpr int kRecordDelayMs = 1000;

QString realPath(const QString& file) {
    const QString path = QFileInfo(file).canonicalFilePath();
#ifdef _WIN32
    return path.toLower();  // Windows takes names without regard to case
#else
    return path;
#endif
}

}  // namespace

RecoveryFile::RecoveryFile(const QString& file, Record record)
    : realPath_(realPath(file)), record_(std::move(record)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kRecordDelayMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { write(); });
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (realPath_.isEmpty() || folder.isEmpty() || !QDir().mkpath(folder))
        return;
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(realPath_.toUtf8(), QCryptographicHash::Sha256).toHex());
    recordPath_ = folder + QStringLiteral("/%1.record").arg(name);
    lock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/%1.lock").arg(name));
    // Held while the file is open, however long: stale only once its process is gone.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        claim_ = Claim::Ours;
    else if (lock_->error() == QLockFile::LockFailedError)
        claim_ = Claim::HeldElsewhere;
}

RecoveryFile::~RecoveryFile() = default;

bool RecoveryFile::guards(const QString& file) const {
    return !realPath_.isEmpty() && realPath(file) == realPath_;
}

std::string RecoveryFile::leftBehind() const {
    QFile file(recordPath_);
    if (claim_ != Claim::Ours || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void RecoveryFile::edited(const std::string& nation) {
    nations_.insert(nation);
    timer_.start();
}

void RecoveryFile::discard() {
    timer_.stop();
    nations_.clear();
    if (claim_ == Claim::Ours)
        QFile::remove(recordPath_);
}

void RecoveryFile::write() {
    const std::string text = claim_ == Claim::Ours ? record_(nations_) : std::string();
    if (text.empty())
        return;
    try {
        cfg::saveSafely(platform::toPath(recordPath_),
                        [&text](cfg::OutputFile& out) { out.write(text); });
    } catch (const std::exception&) {
        // Without its record the editor works on as it did before there were any.
    }
}

}  // namespace velquor::ui
