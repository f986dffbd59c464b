#include "ui/recovery/file_stamp.h"

#include <QCryptographicHash>
#include <exception>

#include "platform/native_path.h"

namespace velquor::ui {

FileStamp::FileStamp(QString path, std::string_view bytes)
    : path_(std::move(path)), hash_(hashOf(bytes)), told_(hash_) {}

QByteArray FileStamp::hashOf(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), std::ssize(bytes)),
                                    QCryptographicHash::Sha256);
}

std::optional<QByteArray> FileStamp::onDisk(const QString& path, cfg::FileSystem& fs) {
    try {
        const auto file = platform::toPath(path);
        return fs.exists(file) ? hashOf(fs.readAll(file)) : QByteArray();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool FileStamp::isFile(const QString& path, cfg::FileSystem& fs) const {
    try {
        const auto mine = fs.inspect(platform::toPath(path_));
        const auto theirs = fs.inspect(platform::toPath(path));
        return mine && theirs && mine->identity && mine->identity == theirs->identity;
    } catch (const std::exception&) {
        return false;
    }
}

bool FileStamp::changedOnDisk(cfg::FileSystem& fs) const {
    const auto now = onDisk(path_, fs);
    return now && !now->isEmpty() && *now != hash_;
}

FileStamp::News FileStamp::news(cfg::FileSystem& fs) {
    const auto now = onDisk(path_, fs);
    if (!now || *now == told_)
        return News::None;
    told_ = *now;
    if (now->isEmpty())
        return News::Gone;
    return *now == hash_ ? News::None : News::Changed;
}

}  // namespace velquor::ui
