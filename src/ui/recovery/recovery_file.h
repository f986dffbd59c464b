#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <string>

class QLockFile;

namespace velquor::ui {

/// The lock and the record of unsaved edits of one open file, kept in the
/// user's data folder under a name made from the file's full real path. The
/// lock tells a second window that the file is open; the record, written
/// soon after the edits, brings them back when Velquor ends without saving.
/// A data folder that cannot be written leaves the file without either.
class RecoveryFile {
  public:
    enum class Claim { Ours, HeldElsewhere, Unavailable };
    /// The record's text for the nations edited; an empty text writes none.
    using Record = std::function<std::string(const std::set<std::string>& nations)>;

    /// Locks the record of file, an existing file.
    RecoveryFile(const QString& file, Record record);
    /// Unlocks; the record stays for the next open to offer.
    ~RecoveryFile();

    Claim claim() const { return claim_; }
    /// Whether file, in any spelling, is the one this record is of.
    bool guards(const QString& file) const;
    /// The record a Velquor that ended without saving left; empty when none.
    std::string leftBehind() const;
    /// The nation was edited: the record is written when the edits pause.
    void edited(const std::string& nation);
    /// The edits are saved or given up: the record goes.
    void discard();

  private:
    void write();

    QString realPath_;
    QString recordPath_;
    std::unique_ptr<QLockFile> lock_;
    Claim claim_ = Claim::Unavailable;
    std::set<std::string> nations_;
    QTimer timer_;
    Record record_;
};

}  // namespace velquor::ui
