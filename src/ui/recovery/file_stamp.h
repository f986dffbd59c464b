#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "cfgfile/file_system.h"

namespace velquor::ui {

/// What the open file held when it was last read or written, to tell another
/// program's change from none. Bytes are compared, not times: a time misses a
/// change within its step and takes a touch for one.
class FileStamp {
  public:
    enum class News { None, Changed, Gone };

    FileStamp(QString path, std::string_view bytes);

    const QString& path() const { return path_; }
    /// The hash of the stamped bytes, in hex.
    std::string hex() const { return hash_.toHex().toStdString(); }

    /// The hash of what path holds now: empty when there is no file, nullopt
    /// when it cannot be read.
    static std::optional<QByteArray> onDisk(const QString& path, cfg::FileSystem& fs);
    static QByteArray hashOf(std::string_view bytes);

    /// Whether path names the stamped file now, in any spelling, through any link.
    bool isFile(const QString& path, cfg::FileSystem& fs) const;
    /// Whether the file holds other bytes now; one gone or unreadable holds none to keep.
    bool changedOnDisk(cfg::FileSystem& fs) const;
    /// What became of the file since it was stamped that was not told before:
    /// each new version once, its going once.
    News news(cfg::FileSystem& fs);

  private:
    QString path_;
    QByteArray hash_;
    QByteArray told_;  // the last version news() saw; empty: the file gone
};

}  // namespace velquor::ui
