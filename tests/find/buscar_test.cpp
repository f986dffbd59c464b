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
    // From (nullptr: no node selected; "": where the last search left it), the text and case
    // answered or Enter on the prefill, the node selected afterwards, the message, and whether the
    // next search opens with this one's text and case.
    const std::tuple<const char*, const char*, bool, bool, const char*, QString, bool> rows[] = {
        {"Scotland", "LaNd", false, false, "England", {}, true},  // round from the last
        {"", "", false, true, "Faeroe Islands", {}, true},        // the prefill, in turn
        {"", "", false, true, "Finland", {}, true},
        {"Albania", "spain", true, false, "Albania", kNoMatch, true},
        {"", "spain", false, false, "Spain", {}, true},
        {"Spain", "pain", false, false, "Spain", {}, true},  // the selected node comes last
        {"Spain", "#", false, false, "Spain", kNoMatch, true},
        {"Albania", "s?ain", false, false, "Spain", {}, true},
        {"Spain", "[!a-z ]", true, false, "Switzerland", {}, true},
        {"Finland", "   ", false, false, "Finland", {}, false},  // as Cancel or the close box
        {nullptr, "spain", false, false, "", "Object variable or With block variable not set",
         false},
        {"Italy", "[ab", false, false, "Italy", "Invalid pattern string", false},
        {"Albania", "Malta", false, false, "Malta", "the panel could not be filled", false},
    };
    for (const auto& [from, text, matchCase, enter, found, message, remembered] : rows) {
        SCOPED_TRACE(std::string(from ? from : "none") + " " + text);
        if (!from) {
            tree->clearSelection();  // the current node stays, unselected
        } else if (*from) {
            tree->setCurrentItem(tree->findItems(from, Qt::MatchExactly).value(0));
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
            if (enter)
                return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            box->setText(text);
            if (check->isChecked() != matchCase)  // on the box itself, not the empty room
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdAceptar"), Qt::LeftButton);
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
        EXPECT_EQ(selected.size() == 1 ? selected[0]->text(0) : QString(), found);
        const bool hit = remembered && message.isEmpty();
        EXPECT_EQ(clicked, hit ? QStringList{found} : QStringList());
        EXPECT_EQ(window.focusWidget() == tree, hit);
        EXPECT_EQ(dialogs.messages.size(), message.isEmpty() ? 0u : 1u);
        for (const auto& m : dialogs.messages)
            EXPECT_TRUE(m.text == message && m.icon == MessageIcon::Information &&
                        m.title == (message == kNoMatch ? "Velquor" : "Search error"));
        dialogs.messages.clear();
        const bool kept = !remembered || enter;
        EXPECT_EQ(memory.lastText, kept ? before.lastText : text);
        EXPECT_EQ(memory.lastMatchCase, kept ? before.lastMatchCase : matchCase);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    EXPECT_EQ(dialogs.shown, static_cast<int>(std::size(rows)));
}

}  // namespace
