#include "ui/find/buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/nation_catalogue.h"
#include "support/scripted_dialogs.h"

using velquor::platform::MessageIcon;
using velquor::test::ScriptedDialogs;
using velquor::ui::Buscar;
using velquor::ui::SearchMemory;

namespace {

enum class Leave { Ok, Enter, Cancel, CloseBox };

TEST(BuscarTest, FindsTheNextNationHoldingThePatternOrSaysWhyNot) {
    QWidget window;
    auto* tree = new QTreeWidget(&window);
    auto* elsewhere = new QLineEdit(&window);
    for (const auto& nation : velquor::kNationTable)
        new QTreeWidgetItem(tree, {QString::fromLatin1(nation.name.data(), nation.name.size())});
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ScriptedDialogs dialogs;
    SearchMemory memory;

    const QString kNoMatch = QStringLiteral("No matches found");
    const struct {
        const char* from;  // nullptr: no node selected; "": where the last search left it
        const char* text;
        bool matchCase;
        Leave leave;
        const char* found;  // the node selected afterwards
        QString message;
        bool remembered;  // the next search opens with this one's text and case
    } rows[] = {
        {"Scotland", "LaNd", false, Leave::Ok, "England", {}, true},  // round from the last
        {"", "", false, Leave::Enter, "Faeroe Islands", {}, true},    // the prefill, in turn
        {"", "", false, Leave::Enter, "Finland", {}, true},
        {"Albania", "spain", true, Leave::Ok, "Albania", kNoMatch, true},
        {"", "spain", false, Leave::Ok, "Spain", {}, true},
        {"Spain", "pain", false, Leave::Ok, "Spain", {}, true},  // the selected node comes last
        {"Spain", "#", false, Leave::Ok, "Spain", kNoMatch, true},
        {"Albania", "s?ain", false, Leave::Ok, "Spain", {}, true},
        {"Spain", "[!a-z ]", true, Leave::Ok, "Switzerland", {}, true},
        {"Finland", "spain", false, Leave::Cancel, "Finland", {}, false},
        {"Finland", "spain", false, Leave::CloseBox, "Finland", {}, false},
        {"Finland", "   ", false, Leave::Ok, "Finland", {}, false},
        {nullptr, "spain", false, Leave::Ok, "", "Object variable or With block variable not set",
         false},
        {"Italy", "[ab", false, Leave::Ok, "Italy", "Invalid pattern string", false},
        {"Albania", "Malta", false, Leave::Ok, "Malta", "the panel could not be filled", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.from ? row.from : "none") + " " + row.text);
        if (!row.from) {
            tree->setCurrentItem(nullptr);
            tree->clearSelection();
        } else if (*row.from) {
            tree->setCurrentItem(tree->findItems(row.from, Qt::MatchExactly).value(0));
        }
        elsewhere->setFocus();
        const SearchMemory before = memory;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        dialogs.script.push_back([&](QDialog& dlg) {
            auto* box = dlg.findChild<QLineEdit*>("txtBuscar");
            auto* check = dlg.findChild<QCheckBox*>("chkMayusculas");
            EXPECT_EQ(box->text(), before.lastText);
            EXPECT_TRUE(check->isVisible() && check->isChecked() == before.lastMatchCase);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "busy over the dialog";
            if (row.leave == Leave::Enter)
                return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            box->setText(row.text);
            if (check->isChecked() != row.matchCase)  // on the box itself, not the empty room
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
            if (row.leave == Leave::CloseBox)
                return void(dlg.close());
            QTest::mouseClick(
                dlg.findChild<QPushButton*>(row.leave == Leave::Ok ? "cmdAceptar" : "cmdCancelar"),
                Qt::LeftButton);
        });
        QStringList clicked;
        Buscar(
            *tree, memory, dialogs,
            [&](QTreeWidgetItem* node) {
                if (node->text(0) == "Malta")
                    throw std::runtime_error("the panel could not be filled");
                clicked << node->text(0);
            },
            &window);
        const auto selected = tree->selectedItems();
        EXPECT_EQ(selected.size() == 1 ? selected[0]->text(0) : QString(), row.found);
        const bool hit = row.remembered && row.message.isEmpty();
        EXPECT_EQ(clicked, hit ? QStringList{row.found} : QStringList());
        EXPECT_EQ(window.focusWidget() == tree, hit);
        EXPECT_EQ(dialogs.messages.size(), row.message.isEmpty() ? 0u : 1u);
        for (const auto& m : dialogs.messages)
            EXPECT_TRUE(m.text == row.message && m.icon == MessageIcon::Information &&
                        m.title == (row.message == kNoMatch ? "Velquor" : "Search error"));
        dialogs.messages.clear();
        const bool kept = !row.remembered || row.leave == Leave::Enter;
        EXPECT_EQ(memory.lastText, kept ? before.lastText : row.text);
        EXPECT_EQ(memory.lastMatchCase, kept ? before.lastMatchCase : row.matchCase);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    EXPECT_EQ(dialogs.shown, static_cast<int>(std::size(rows)));
}

}  // namespace
