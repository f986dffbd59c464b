#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>

#include "cfgfile/file_system.h"
#include "cfgfile/nation_names.h"
#include "model/mtxu_collection.h"
#include "platform/dialogs.h"
#include "ui/find/buscar.h"
#include "ui/main/dropped_lines.h"
#include "ui/main/image_list.h"
#include "ui/recovery/file_stamp.h"
#include "ui/recovery/recovery_file.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace velquor {
class Liga;
struct Competition;
}  // namespace velquor
namespace velquor::platform {
struct Platform;
}

namespace velquor::ui {

class ClubValidator;

/// The fixed texts of the window's messages.
namespace texts {
inline const QString kCaption = QStringLiteral("Velquor EC");
inline const QString kCurrentLeague = QStringLiteral("Current league:");
inline const QString kCurrentLeaguePrefix = QStringLiteral("Current League: ");
inline const QString kLoadingData = QStringLiteral("Loading data...");
inline const QString kOpenFilter = QStringLiteral("Euro setup (euro.cfg)");
inline const QString kModifiedQuestion =
    QStringLiteral("You have modified data. Do you want to save?");
inline const QString kLoadingError = QStringLiteral(
    "Errors found during the loading process. This problem migth caused by corrupted data in "
    "your player setup file. Please check it or replace it for another one");
inline const QString kSavingError = QStringLiteral(
    "Some errors found during the saving process. This problem maybe is caused by incorrect "
    "data. Your euro.cfg is safe, there is a backup file in the app folder");
inline const QString kErrorTitle = QStringLiteral("Error");
// Each %1 is the file's path.
inline const QString kChangedOnDisk = QStringLiteral(
    "%1 has been changed by another program since it was opened. Save and overwrite those "
    "changes?");
inline const QString kReload = QStringLiteral("%1 has been changed by another program. Reload it?");
inline const QString kReloadLosingEdits =
    QStringLiteral("%1 has been changed by another program. Reload it and lose your edits?");
inline const QString kGone = QStringLiteral(
    "%1 has been deleted or moved by another program. The clubs shown here are kept: Save writes "
    "the file again.");
inline const QString kOpenElsewhere =
    QStringLiteral("%1 is open in another Velquor window. Open it here too?");
/// %2 is when the edits were made; %3 is empty or kChangedSince.
inline const QString kRecover =
    QStringLiteral("Velquor closed without saving your edits to %1 (%2).%3 Recover them?");
inline const QString kChangedSince = QStringLiteral(
    " The file has been changed since then: the recovered nations replace what it holds for them.");
/// What a screen reader says of a box the nation has no place for.
inline const QString kNoPlace = QStringLiteral("No place for this team");
}  // namespace texts

/// The program's main window: the nation tree, the toolbar and the panel of
/// club boxes, and all editing state of a run.
class frmEditor : public QMainWindow {
    Q_OBJECT
  public:
    /// The state a run keeps, under the names the rest of the program uses.
    struct State {
        QString sCurrentFile;     // where Save writes
        QString sCurrentFolder;   // the opened file's folder, with its last separator
        std::string sCurrentKey;  // the nation the panel shows (and the loader's working key)
        bool bModified = false;   // an edit was made this run; never reset
        bool bFilling = false;    // the panel is being filled from a record
        bool bUnsaved = false;    // edits since the last open, reload or save: closing asks then
        cfg::NationNames NationNames;
    };

    explicit frmEditor(platform::Platform& platform, cfg::FileSystem& fs = cfg::FileSystem::real(),
                       QWidget* parent = nullptr);
    ~frmEditor() override;

    const State& state() const { return state_; }
    /// The records being edited; null before the first open and after unload.
    std::shared_ptr<mtxU_Collection> catalogue() const { return NationCatalogue; }
    const ImageList& imageList() const { return ImageList1; }

    /// Opens path as the open tool does with it chosen: the question about
    /// unsaved edits, the backup, the load, and its failure.
    void openFile(const QString& path);

    // Routines of the window, public so the nation search and tests reach them.
    QString AskOpenPath();
    /// False when the load failed; the window is closed then.
    bool LoadEuroFile(const QString& path);
    void BuildTree();
    void UpdateTools();
    /// Writes the catalogue to path (empty: sCurrentFile). False when nothing was written.
    bool SaveEuroFile(const QString& path);
    QString AskSaveAsPath();
    void EnablePanel(bool bEnabled);
    void ApplyPlaceCounts();
    void ResetLabelColours();
    /// What a click on a node does: shows its nation in the panel.
    void Treeview1_NodeClick(QTreeWidgetItem* Node);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A euro.cfg dropped on the window opens as if chosen in the dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    /// One competition's frame: its boxes and labels, one per place.
    struct PanelGroup {
        const Competition& competition;
        std::span<QLineEdit* const> boxes;
        std::span<QLabel* const> labels;
    };

    // Make-up (frm_editor_layout.cpp).
    void buildWindow();
    void buildToolbar();
    void buildTrees(QWidget* client);
    void buildPanel(QWidget* client);
    void buildStatus(QWidget* client);
    void setTabOrder();
    std::array<QLabel*, 7> requiredLabels() const;
    /// The labels' colours as the window starts: no nation's marks.
    void restoreStartColours();
    static QRect infoPlace();

    // Behaviour (frm_editor.cpp).
    void Form_Load();
    void ActiveBar1_ToolClick(QAction* Tool);
    void openTool();
    void openChosen(const QString& path);
    bool offerSaveBeforeOpen();
    /// "Do you want to save?" with Yes, No and Cancel; false when the edits
    /// are still unsaved and whatever asked must not go on.
    bool askToSaveEdits();
    void markFirstNodeIfFocused();
    void showError(const QString& description);
    platform::MessageAnswer ask(const QString& text, platform::MessageIcon icon,
                                platform::MessageButtons buttons,
                                platform::MessageAnswer preferred);

    // Loading and saving (frm_editor_file.cpp).
    void BuildNationCatalogue();
    void emptyTree();
    /// The loading error, with what happened as its details; then the window closes.
    void failLoad(const QString& details);
    bool confirmGaps();
    void rememberDialogFolder(const QString& path);
    void takeOpenPath(const QString& path);
    QString askFilePath(bool forSaving);

    // Edits kept from other programs, other windows and crashes (frm_editor_guard.cpp).
    std::unique_ptr<RecoveryFile> recoveryOf(const QString& path);
    /// Takes path's lock and asks what a second window or a record left behind
    /// calls for; false: the file is not to be opened.
    bool claimFile(const QString& path);
    bool askToRecover(const QString& path, const std::string& record);
    /// Puts the record askToRecover kept into the loaded catalogue; whether it did.
    bool putBackRecovered();
    /// False when the open file has changed on disk and the user keeps that change.
    bool confirmOverwrite(const QString& target);
    void savedTo(const QString& target);
    void checkOnReturn();
    void reload();
    std::string recoveryRecord(const std::set<std::string>& nations) const;

    // The panel (frm_editor_panel.cpp).
    void connectPanel();
    std::array<PanelGroup, 3> panelGroups() const;
    /// The last value given to EnablePanel, as the frames keep it.
    bool bPanelEnabled() const;
    void txtChange(QLineEdit* box, const Competition& competition, int place);
    void clearPanel();
    /// Fills the boxes from the record shown; everyBox false leaves a box
    /// that already shows its text as it is, with its cursor and undo steps.
    void fillBoxes(bool everyBox);
    /// After a save: the records, and the boxes, hold the clubs where the
    /// file now has them.
    void showAsSaved();
    void showRefusal(const QString& reason);
    std::shared_ptr<Liga> currentRecord() const;
    void onSelectionChanged();
    void onItemClicked(QTreeWidgetItem* item);

    platform::Platform& platform_;
    cfg::FileSystem& fs_;
    State state_;
    std::shared_ptr<mtxU_Collection> NationCatalogue;
    SearchMemory searchMemory_;
    ImageList ImageList1;
    DroppedLines droppedLines_;
    QString dialogFolder_;  // where the next file dialog starts
    bool closingAfterFailure_ = false;
    bool unloaded_ = false;
    bool loading_ = false;                      // inside the one pass over pending events of a load
    bool searching_ = false;                    // the search fills the panel itself
    QTreeWidgetItem* filledOnPress_ = nullptr;  // filled by the press of the running click
    bool handling_ = false;                     // inside a handler that may show dialogs
    std::optional<FileStamp> stamp_;            // what was last read from or written to the file
    std::unique_ptr<RecoveryFile> recovery_;    // of the open file
    std::string recovered_;                     // a record to put back once its file is loaded

    QToolBar* Band1 = nullptr;
    QAction* tolAbrir = nullptr;
    QAction* tolGuardar = nullptr;
    QAction* tolSaveAs = nullptr;
    QAction* tolFind = nullptr;
    QAction* tolAbout = nullptr;
    QTreeWidget* Treeview1 = nullptr;
    QTreeWidget* TreeView2 = nullptr;
    QLabel* lblLiga = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QLineEdit*, 4> txtUCL{};
    std::array<QLineEdit*, 4> txtUEFA{};
    std::array<QLineEdit*, 3> txtIntertoto{};
    std::array<QLabel*, 4> lblUCL{};
    std::array<QLabel*, 4> lblUEFA{};
    std::array<QLabel*, 3> lblintertoto{};
    QLabel* lblInfo = nullptr;
    QProgressBar* pbar = nullptr;
};

}  // namespace velquor::ui
