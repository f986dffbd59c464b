// What keeps an edit from being lost to another program, a second window or a
// crash: the stamp of what was read, checked before a save onto the open file
// and on return to the window, and the lock and recovery record of the file.

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QScopedValueRollback>
#include <exception>

#include "cfgfile/euro_writer.h"
#include "cfgfile/recovery_record.h"
#include "model/nation_catalogue.h"
#include "platform/platform.h"
#include "ui/main/frm_editor.h"

namespace velquor::ui {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

MessageAnswer frmEditor::ask(const QString& text, MessageIcon icon, MessageButtons buttons,
                             MessageAnswer preferred) {
    platform::MessageRequest request(text, QString(), icon, buttons);
    request.defaultAnswer = preferred;
    return platform_.dialogs.message(this, request);
}

std::unique_ptr<RecoveryFile> frmEditor::recoveryOf(const QString& path) {
    return std::make_unique<RecoveryFile>(
        path, [this](const std::set<std::string>& nations) { return recoveryRecord(nations); });
}

bool frmEditor::claimFile(const QString& path) {
    recovered_.clear();
    if (recovery_ && recovery_->guards(path)) {
        recovery_->discard();  // opened again: its edits were saved or given up
        return true;
    }
    auto claimed = recoveryOf(path);
    if (claimed->claim() == RecoveryFile::Claim::HeldElsewhere &&
        ask(texts::kOpenElsewhere.arg(shownPath(path)), MessageIcon::Question,
            MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return false;
    const std::string left = claimed->leftBehind();
    if (!left.empty() && askToRecover(path, left))
        recovered_ = left;
    else
        claimed->discard();
    if (recovery_)
        recovery_->discard();
    recovery_ = std::move(claimed);
    return true;
}

bool frmEditor::askToRecover(const QString& path, const std::string& record) {
    cfg::RecoveryFacts facts;
    try {
        cfg::recoverInto(record, *velquor::BuildNationCatalogue(), state_.NationNames);
        facts = cfg::readRecoveryFacts(record);
    } catch (const std::exception&) {
        return false;  // not a record this window wrote: nothing to give back
    }
    const auto now = FileStamp::onDisk(path, fs_);
    const bool changed = now && now->toHex().toStdString() != facts.stamp;
    const QDateTime when = QDateTime::fromString(QString::fromStdString(facts.time), Qt::ISODate);
    const QString text = texts::kRecover.arg(
        shownPath(path), QLocale().toString(when.toLocalTime(), QLocale::ShortFormat),
        changed ? texts::kChangedSince : QString());
    return ask(text, MessageIcon::Question, MessageButtons::RecoverDiscard,
               MessageAnswer::Recover) == MessageAnswer::Recover;
}

bool frmEditor::putBackRecovered() {
    const std::string record = std::exchange(recovered_, {});
    if (record.empty() || !recovery_)
        return false;
    try {
        for (const std::string& nation :
             cfg::recoverInto(record, *NationCatalogue, state_.NationNames))
            recovery_->edited(nation);  // written again, with the stamp of this load
        return true;
    } catch (const std::exception&) {
        return false;  // askToRecover read it whole already
    }
}

bool frmEditor::confirmOverwrite(const QString& target) {
    if (!stamp_ || !stamp_->isFile(target, fs_) || !stamp_->changedOnDisk(fs_))
        return true;
    return ask(texts::kChangedOnDisk.arg(shownPath(target)), MessageIcon::Warning,
               MessageButtons::SaveCancel, MessageAnswer::Cancel) == MessageAnswer::Save;
}

void frmEditor::savedTo(const QString& target) {
    stamp_.emplace(target, cfg::formatEuro(*NationCatalogue));
    if (recovery_ && recovery_->guards(target)) {
        recovery_->discard();
        return;
    }
    // Saved as another file: it is the open one now. Another window's lock
    // on it leaves this one without a record, and asks nothing.
    if (recovery_)
        recovery_->discard();
    recovery_ = recoveryOf(target);
}

void frmEditor::checkOnReturn() {
    // Never over a dialog of ours, nor inside a load or a handler that may show one.
    if (!stamp_ || unloaded_ || loading_ || handling_ || QApplication::activeModalWidget())
        return;
    const QScopedValueRollback<bool> handling(handling_, true);
    const QString name = shownPath(stamp_->path());
    switch (stamp_->news(fs_)) {
        case FileStamp::News::None:
            return;
        case FileStamp::News::Gone:
            state_.bUnsaved = true;  // the window holds the only copy now
            ask(texts::kGone.arg(name), MessageIcon::Information, MessageButtons::Ok,
                MessageAnswer::Ok);
            return;
        case FileStamp::News::Changed:
            const bool edits = state_.bUnsaved;
            if (ask((edits ? texts::kReloadLosingEdits : texts::kReload).arg(name),
                    MessageIcon::Question, MessageButtons::YesNo,
                    edits ? MessageAnswer::No : MessageAnswer::Yes) == MessageAnswer::Yes)
                reload();
            return;
    }
}

void frmEditor::reload() {
    const QString path = stamp_->path();
    if (!claimFile(path))  // the same file: its record goes with the edits
        return;
    emptyTree();
    takeOpenPath(path);
    openChosen(path);
}

std::string frmEditor::recoveryRecord(const std::set<std::string>& nations) const {
    if (!state_.bUnsaved || !NationCatalogue || !stamp_)
        return {};
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    return cfg::formatRecovery({now.toStdString(), stamp_->hex()}, *NationCatalogue, nations);
}

}  // namespace velquor::ui
