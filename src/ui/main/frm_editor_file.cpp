// Opening and saving euro.cfg from the window.

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QStringList>
#include <QTreeWidget>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <limits>

#include "cfgfile/euro_file.h"
#include "cfgfile/euro_reader.h"
#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"
#include "platform/native_path.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "ui/main/busy_cursor.h"
#include "ui/main/frm_editor.h"

namespace velquor::ui {

namespace {

// Up to and including the last separator; Qt's dialogs hand out "/" on
// every system, Windows users may also see "\".
QString folderOf(const QString& path) {
    qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
#ifdef _WIN32
    cut = std::max(cut, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return path.left(cut + 1);
}

// What actually happened, told as velquor-cfg tells it: the file, the line
// where there is one, and the reason.
QString failureDetails(const std::exception& error, const QString& file) {
    const auto* failure = dynamic_cast<const cfg::FileError*>(&error);
    if (!failure)
        return QString::fromLocal8Bit(error.what());
    // The reader quotes the file's bytes; any other reason is the system's text.
    const QString reason = failure->kind() == cfg::FileError::Kind::OrphanClubLine
                               ? platform::decodeText(failure->reason())
                               : QString::fromLocal8Bit(failure->reason());
    return QString::fromStdString(cfg::describeFailure(QDir::toNativeSeparators(file).toStdString(),
                                                       failure->line(), reason.toStdString()));
}

// QProgressBar counts in int; positions of larger files are scaled down.
class ProgressScale {
  public:
    explicit ProgressScale(std::size_t length)
        : divisor_(length / static_cast<std::size_t>(std::numeric_limits<int>::max()) + 1) {}
    int operator()(std::size_t position) const {
        return std::max(1, static_cast<int>(position / divisor_));
    }

  private:
    std::size_t divisor_;
};

}  // namespace

void frmEditor::emptyTree() {
    // Hiding the focused tree hands the focus to the stand-in, which keeps
    // it while hidden: keys would go nowhere the user can see.
    const bool hadFocus = Treeview1->hasFocus();
    TreeView2->show();
    Treeview1->hide();
    Treeview1->clear();
    Treeview1->repaint();
    TreeView2->hide();
    Treeview1->show();
    if (hadFocus || TreeView2->hasFocus())
        Treeview1->setFocus(Qt::OtherFocusReason);
}

QString frmEditor::askFilePath(bool forSaving) {
    // A dialog that fails is reported and counts as cancelled.
    try {
        const platform::FileRequest request{
            forSaving ? QStringLiteral("Save as") : QStringLiteral("Open"), texts::kOpenFilter,
            dialogFolder_};
        return forSaving ? platform_.dialogs.saveFile(this, request)
                         : platform_.dialogs.openFile(this, request);
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
        return {};
    }
}

QString frmEditor::AskOpenPath() {
    emptyTree();
    const QString path = askFilePath(false);
    if (path.isEmpty() || !claimFile(path))
        return {};
    takeOpenPath(path);
    return path;
}

void frmEditor::takeOpenPath(const QString& path) {
    state_.sCurrentFolder = folderOf(path);
    state_.sCurrentFile = path;
    rememberDialogFolder(path);
}

void frmEditor::BuildNationCatalogue() {
    NationCatalogue = velquor::BuildNationCatalogue();
}

bool frmEditor::LoadEuroFile(const QString& path) {
    BusyCursor busy;
    try {
        const std::filesystem::path file = platform::toPath(path);
        cfg::ensureBackup(file, platform::toPath(state_.sCurrentFolder), fs_);
        const std::string bytes = cfg::readEuroBytes(file, fs_);

        lblInfo->setGeometry(infoPlace());  // a refusal may have widened it
        lblInfo->setText(texts::kLoadingData);
        lblInfo->setVisible(true);
        // The one pass that draws the label. Clicks and keys wait for the
        // read to end; what still gets in here is held off by loading_.
        loading_ = true;
        const auto loaded = qScopeGuard([this] { loading_ = false; });
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

        const ProgressScale scale(bytes.size());
        pbar->setRange(1, scale(bytes.size()));
        pbar->setVisible(true);

        state_.sCurrentKey.clear();
        cfg::ReadOptions options;
        options.file = file;
        options.collectDiagnostics = true;
        options.droppedOnly = true;
        // Nothing is drawn until the read ends, so a value the bar cannot
        // show apart from the last one is not worth setting: with millions of
        // short lines, setting each one cost more than the reading.
        const std::size_t step = std::max<std::size_t>(1, bytes.size() / 4096);
        std::size_t shown = 0;
        options.progress = [this, &scale, step, &shown](std::size_t position) {
            if (position - shown < step && shown != 0)
                return;
            shown = position;
            pbar->setValue(scale(position));
        };
        cfg::ReadResult result =
            cfg::readEuro(bytes, *NationCatalogue, state_.NationNames, options);
        state_.sCurrentKey = result.currentKey;
        droppedLines_.opened(std::move(result.diagnostics));

        pbar->hide();
        lblInfo->hide();
        stamp_.emplace(path, bytes);
        return true;
    } catch (const std::exception& error) {
        busy.restore();
        failLoad(failureDetails(error, path));
        return false;
    }
}

void frmEditor::failLoad(const QString& details) {
    platform_.dialogs.message(
        this, {texts::kLoadingError, texts::kErrorTitle, platform::MessageIcon::Critical,
               platform::MessageButtons::Ok, details});
    closingAfterFailure_ = true;
    close();
}

void frmEditor::rememberDialogFolder(const QString& path) {
    dialogFolder_ = folderOf(path);
}

QString frmEditor::AskSaveAsPath() {
    const QString path = askFilePath(true);
    if (!path.isEmpty()) {
        state_.sCurrentFile = path;
        rememberDialogFolder(path);
    }
    return path;
}

bool frmEditor::confirmGaps() {
    if (!NationCatalogue)
        return true;
    const std::vector<std::string> gaps = cfg::nationsWithGaps(*NationCatalogue);
    if (gaps.empty())
        return true;
    QStringList names;
    for (const std::string& name : gaps)
        names << platform::decodeText(name);
    const QString text =
        tr("These nations have an empty place before a filled one: %1.\n\n"
           "When the file is read again, their later clubs move up a place. Save anyway?")
            .arg(names.join(QStringLiteral(", ")));
    return platform_.dialogs.message(this, {text, QString(), platform::MessageIcon::Warning,
                                            platform::MessageButtons::SaveCancel}) ==
           platform::MessageAnswer::Save;
}

bool frmEditor::SaveEuroFile(const QString& path) {
    const QString target = path.isEmpty() ? state_.sCurrentFile : path;
    if (!confirmOverwrite(target) || !droppedLines_.confirmSave(platform_.dialogs, this) ||
        !confirmGaps())
        return false;
    try {
        cfg::saveEuroFile(platform::toPath(target), NationCatalogue.get(), fs_);
    } catch (const std::exception& error) {
        platform_.dialogs.message(
            this, {texts::kSavingError, texts::kErrorTitle, platform::MessageIcon::Critical,
                   platform::MessageButtons::Ok, failureDetails(error, target)});
        return false;
    }
    state_.bUnsaved = false;
    showAsSaved();
    savedTo(target);
    return true;
}

}  // namespace velquor::ui
