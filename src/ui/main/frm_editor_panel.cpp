// The nation tree and the panel of club boxes.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <exception>

#include "cfgfile/euro_writer.h"
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
constexpr int kKeyRole = Qt::UserRole + 1;

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
        for (const auto& element : *NationCatalogue) {
            const auto record = std::dynamic_pointer_cast<Liga>(element);
            if (!record || record->LigaName.empty())
                continue;
            const QString name = platform::decodeText(record->LigaName);
            auto* node = new QTreeWidgetItem(Treeview1, {name});
            node->setData(0, kKeyRole, name);
            node->setIcon(0, ImageList1.picture(name == QLatin1String("Northern Ireland")
                                                    ? QStringLiteral("Pelota")
                                                    : name));
            node->setData(0, kTagRole, platform::decodeText(record->key()));
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
        if (!state_.bPanelEnabled)
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

void frmEditor::fillBoxes(bool everyBox) {
    auto fill = [this, everyBox](auto& boxes, Group group) {
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const auto record = currentRecord();
            const std::string* text =
                record ? member(*record, group, static_cast<int>(k)) : nullptr;
            const QString shown = text ? platform::decodeText(*text) : QString();
            // The file's text is what later edits are judged against.
            validatorOf(boxes[k])->setAccepted(shown);
            // Setting a text also drops the box's undo steps, which belong to
            // the nation shown before.
            if (everyBox || boxes[k]->text() != shown)
                boxes[k]->setText(shown);
        }
    };
    fill(txtUCL, Group::UCL);
    fill(txtUEFA, Group::UEFA);
    fill(txtIntertoto, Group::Intertoto);
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

std::string* frmEditor::member(Liga& record, Group group, int index) const {
    switch (group) {
        case Group::UCL:
            return record.ucl(index + 1);
        case Group::UEFA:
            return record.uefa(index + 1);
        case Group::Intertoto:
            return record.intertoto(index + 1);
    }
    return nullptr;
}

void frmEditor::connectPanel() {
    auto wire = [this](auto& boxes, Group group) {
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            QLineEdit* box = boxes[k];
            const int index = static_cast<int>(k);
            connect(box, &QLineEdit::textChanged, this, [this, box, group, index] {
                validatorOf(box)->setAccepted(box->text());
                txtChange(group, index);
            });
            // A refusal stays while the user types on, and goes with the focus.
            box->installEventFilter(this);
            connect(box, &QLineEdit::inputRejected, this,
                    [this, box] { showRefusal(validatorOf(box)->reason()); });
        }
    };
    wire(txtUCL, Group::UCL);
    wire(txtUEFA, Group::UEFA);
    wire(txtIntertoto, Group::Intertoto);

    connect(Treeview1, &QTreeWidget::itemSelectionChanged, this, [this] { onSelectionChanged(); });
    connect(Treeview1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { onItemClicked(item); });
}

void frmEditor::txtChange(Group group, int index) {
    QLineEdit* box = group == Group::UCL    ? txtUCL[static_cast<std::size_t>(index)]
                     : group == Group::UEFA ? txtUEFA[static_cast<std::size_t>(index)]
                                            : txtIntertoto[static_cast<std::size_t>(index)];
    if (!state_.bFilling) {
        state_.bModified = true;
        state_.bUnsaved = true;
    }
    const auto record = currentRecord();
    if (!record)
        return;
    if (!state_.bFilling && recovery_)
        recovery_->edited(state_.sCurrentKey);
    std::string* text = member(*record, group, index);
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
    auto apply = [](auto& boxes, auto& labels, int count) {
        for (int n = static_cast<int>(boxes.size()); n > count && n >= 1; --n) {
            boxes[static_cast<std::size_t>(n - 1)]->setEnabled(false);
            describePlace(boxes[static_cast<std::size_t>(n - 1)], false);
            colour(labels[static_cast<std::size_t>(n - 1)], Qt::red);
        }
    };
    apply(txtUCL, lblUCL, record->NUCL);
    apply(txtUEFA, lblUEFA, record->NUEFA);
    apply(txtIntertoto, lblintertoto, record->NIntertoto);
}

void frmEditor::EnablePanel(bool bEnabled) {
    // A box shut with the whole panel has a place; it is only not shown yet.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setEnabled(bEnabled);
        describePlace(box, true);
    }
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        frame->setEnabled(bEnabled);
    state_.bPanelEnabled = bEnabled;
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
