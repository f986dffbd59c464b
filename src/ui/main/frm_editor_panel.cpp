// The nation tree and the panel of club boxes.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <exception>

#include "cfgfile/euro_writer.h"
#include "model/competition.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "ui/main/busy_cursor.h"
#include "ui/main/club_validator.h"
#include "ui/main/frm_editor.h"

namespace velquor::ui {

namespace {

constexpr int kTagRole = Qt::UserRole;

// A label shut with its frame keeps the greyed colour: a disabled panel
// shows no nation's marks.
void colour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
}

// The red label says it with colour alone; a screen reader says it in words.
void describePlace(QLineEdit* box, bool hasPlace) {
    box->setAccessibleDescription(hasPlace ? QString() : texts::kNoPlace);
}

ClubValidator* validatorOf(QLineEdit* box) {
    return const_cast<ClubValidator*>(qobject_cast<const ClubValidator*>(box->validator()));
}

}  // namespace

void frmEditor::BuildTree() {
    BusyCursor busy;
    try {
        for (const Liga& record : namedNations(*NationCatalogue)) {
            const QString name = platform::decodeText(record.LigaName);
            auto* node = new QTreeWidgetItem(Treeview1, {name});
            node->setIcon(0, ImageList1.picture(name == QLatin1String("Northern Ireland")
                                                    ? QStringLiteral("Pelota")
                                                    : name));
            node->setData(0, kTagRole, platform::decodeText(record.key()));
        }
    } catch (const std::exception& error) {
        busy.restore();
        failLoad(QString::fromLocal8Bit(error.what()));
    }
}

void frmEditor::onSelectionChanged() {
    // Choosing a node with the keyboard is a click too. The focus entering
    // the tree only marks a node, without choosing it, so it shows nothing.
    const QList<QTreeWidgetItem*> selected = Treeview1->selectedItems();
    if (selected.isEmpty() || searching_)
        return;
    filledOnPress_ = selected.first();
    Treeview1_NodeClick(selected.first());
}

void frmEditor::onItemClicked(QTreeWidgetItem* item) {
    if (item == filledOnPress_) {
        filledOnPress_ = nullptr;
        return;
    }
    Treeview1_NodeClick(item);
}

void frmEditor::Treeview1_NodeClick(QTreeWidgetItem* Node) {
    if (!Node)
        return;
    try {
        state_.bFilling = true;
        state_.sCurrentKey = platform::encodeText(Node->data(0, kTagRole).toString()).value_or("");
        if (!bPanelEnabled())
            EnablePanel(true);
        fillBoxes(true);
        lblLiga->setText(texts::kCurrentLeaguePrefix + platform::decodeText(state_.sCurrentKey));
        ApplyPlaceCounts();
        state_.bFilling = false;
    } catch (const std::exception& error) {
        state_.bFilling = false;
        showError(QString::fromLocal8Bit(error.what()));
    }
}

std::array<frmEditor::PanelGroup, 3> frmEditor::panelGroups() const {
    return {{{kCompetitions[0], txtUCL, lblUCL},
             {kCompetitions[1], txtUEFA, lblUEFA},
             {kCompetitions[2], txtIntertoto, lblintertoto}}};
}

bool frmEditor::bPanelEnabled() const {
    return Frame1->isEnabledTo(this);
}

void frmEditor::fillBoxes(bool everyBox) {
    const auto record = currentRecord();  // the boxes' edits go into this same record
    for (const PanelGroup& group : panelGroups()) {
        for (std::size_t k = 0; k < group.boxes.size(); ++k) {
            QLineEdit* box = group.boxes[k];
            const std::string* text =
                record ? group.competition.place(*record, static_cast<int>(k) + 1) : nullptr;
            const QString shown = text ? platform::decodeText(*text) : QString();
            // The file's text is what later edits are judged against.
            validatorOf(box)->setAccepted(shown);
            // Setting a text also drops the box's undo steps, which belong to
            // the nation shown before.
            if (everyBox || box->text() != shown)
                box->setText(shown);
        }
    }
}

void frmEditor::showAsSaved() {
    cfg::settleAsWritten(*NationCatalogue, state_.NationNames);
    if (!currentRecord())
        return;
    state_.bFilling = true;
    fillBoxes(false);
    state_.bFilling = false;
}

std::shared_ptr<Liga> frmEditor::currentRecord() const {
    if (!NationCatalogue || state_.sCurrentKey.empty())
        return nullptr;
    return findNation(*NationCatalogue, state_.sCurrentKey);
}

void frmEditor::connectPanel() {
    for (const PanelGroup& group : panelGroups()) {
        for (std::size_t k = 0; k < group.boxes.size(); ++k) {
            QLineEdit* box = group.boxes[k];
            const Competition* competition = &group.competition;
            const int place = static_cast<int>(k) + 1;
            connect(box, &QLineEdit::textChanged, this, [this, box, competition, place] {
                validatorOf(box)->setAccepted(box->text());
                txtChange(box, *competition, place);
            });
            // A refusal stays while the user types on, and goes with the focus.
            box->installEventFilter(this);
            connect(box, &QLineEdit::inputRejected, this,
                    [this, box] { showRefusal(validatorOf(box)->reason()); });
        }
    }

    connect(Treeview1, &QTreeWidget::itemSelectionChanged, this, [this] { onSelectionChanged(); });
    connect(Treeview1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onItemClicked(item); });
}

void frmEditor::txtChange(QLineEdit* box, const Competition& competition, int place) {
    if (!state_.bFilling) {
        state_.bModified = true;
        state_.bUnsaved = true;
    }
    const auto record = currentRecord();
    if (!record)
        return;
    if (!state_.bFilling && recovery_)
        recovery_->edited(state_.sCurrentKey);
    std::string* text = competition.place(*record, place);
    const auto bytes = platform::encodeText(box->text());
    if (text && bytes)
        *text = *bytes;
}

void frmEditor::showRefusal(const QString& reason) {
    if (reason.isEmpty() || pbar->isVisible())
        return;
    // Wider than while loading: the progress bar beside it is hidden now.
    lblInfo->setGeometry(pbar->geometry().united(lblInfo->geometry()));
    lblInfo->setText(reason);
    lblInfo->setVisible(true);
}

void frmEditor::ApplyPlaceCounts() {
    EnablePanel(true);
    ResetLabelColours();
    const auto record = currentRecord();
    if (!record)
        return;
    for (const PanelGroup& group : panelGroups()) {
        const int count = (*record).*group.competition.places;
        for (int n = static_cast<int>(group.boxes.size()); n > count && n >= 1; --n) {
            group.boxes[static_cast<std::size_t>(n - 1)]->setEnabled(false);
            describePlace(group.boxes[static_cast<std::size_t>(n - 1)], false);
            colour(group.labels[static_cast<std::size_t>(n - 1)], Qt::red);
        }
    }
}

void frmEditor::EnablePanel(bool bEnabled) {
    // A box shut with the whole panel has a place; it is only not shown yet.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setEnabled(bEnabled);
        describePlace(box, true);
    }
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setEnabled(bEnabled);
}

void frmEditor::ResetLabelColours() {
    for (QLabel* label : findChildren<QLabel*>())
        colour(label, Qt::black);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        describePlace(box, true);
}

void frmEditor::clearPanel() {
    state_.sCurrentKey.clear();
    state_.bFilling = true;
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        validatorOf(box)->setAccepted(QString());
        box->clear();
    }
    state_.bFilling = false;
    lblLiga->setText(texts::kCurrentLeague);
    EnablePanel(false);
    restoreStartColours();
}

}  // namespace velquor::ui
