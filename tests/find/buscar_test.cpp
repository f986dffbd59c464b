#include "ui/find/buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/nation_catalogue.h"
#include "support/scripted_dialogs.h"

using velquor::platform::MessageIcon;
using velquor::test::ScriptedDialogs;
using velquor::ui::Buscar;
using velquor::ui::SearchMemory;

namespace {

struct Prefill {
    QString text;
    bool matchCase = false;
    bool checkBoxShown = false;
};

class BuscarTest : public ::testing::Test {
  protected:
    QWidget window;
    QTreeWidget* tree = new QTreeWidget(&window);
    QLineEdit* elsewhere = new QLineEdit(&window);
    ScriptedDialogs dialogs;
    SearchMemory memory;
    QStringList clicked;
    std::vector<Prefill> prefills;

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(tree);
        layout->addWidget(elsewhere);
        tree->setHeaderHidden(true);
        for (const auto& nation : velquor::kNationTable) {
            const QString name = QString::fromLatin1(nation.name.data(), nation.name.size());
            tree->addTopLevelItem(new QTreeWidgetItem(tree, {name}));
        }
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void select(const QString& name) {
        const auto items = tree->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        tree->setCurrentItem(items.first());
        elsewhere->setFocus();
    }
    QString selected() const {
        const auto items = tree->selectedItems();
        return items.size() == 1 ? items.first()->text(0)
                                 : QStringLiteral("<%1 selected>").arg(items.size());
    }

    void search() {
        const int shownBefore = dialogs.shown;
        Buscar(
            *tree, memory, dialogs, [&](QTreeWidgetItem* node) { clicked << node->text(0); },
            &window);
        EXPECT_EQ(dialogs.shown, shownBefore + 1) << "the search did not show its dialog";
    }

    // Scripted answers: they note what the dialog opened with, then use its widgets.
    void note(QDialog& dlg) {
        prefills.push_back({dlg.findChild<QLineEdit*>("txtBuscar")->text(),
                            dlg.findChild<QCheckBox*>("chkMayusculas")->isChecked(),
                            dlg.findChild<QCheckBox*>("chkMayusculas")->isVisible()});
    }
    void answer(const QString& text, bool matchCase) {
        dialogs.script.push_back([=, this](QDialog& dlg) {
            note(dlg);
            auto* box = dlg.findChild<QLineEdit*>("txtBuscar");
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, text);
            auto* check = dlg.findChild<QCheckBox*>("chkMayusculas");
            if (check->isChecked() != matchCase)  // on the box itself, not the empty room
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdAceptar"), Qt::LeftButton);
        });
    }
    void pressEnter() {
        dialogs.script.push_back([this](QDialog& dlg) {
            note(dlg);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
    }
    void cancelAfterTyping(const QString& text) {
        dialogs.script.push_back([=, this](QDialog& dlg) {
            note(dlg);
            dlg.findChild<QLineEdit*>("txtBuscar")->setText(text);
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdCancelar"), Qt::LeftButton);
        });
    }

    void expectOnlyMessage(const QString& title, const QString& text) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].title, title);
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].buttons, velquor::platform::MessageButtons::Ok);
    }
};

TEST_F(BuscarTest, LandInAnyCaseVisitsEveryNameHoldingItInTurnAndWraps) {
    QStringList expected;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).contains("land", Qt::CaseInsensitive))
            expected << tree->topLevelItem(i)->text(0);
    for (const char* name : {"Finland", "Iceland", "Holland", "Poland", "Switzerland", "Scotland",
                             "England", "Northern Ireland", "Republic of Ireland"})
        EXPECT_TRUE(expected.contains(name)) << name;

    select("Albania");
    answer("LaNd", false);
    for (qsizetype i = 1; i <= expected.size(); ++i)
        pressEnter();
    QStringList visited;
    for (qsizetype i = 0; i <= expected.size(); ++i) {
        search();
        visited << selected();
        EXPECT_EQ(window.focusWidget(), tree);
        elsewhere->setFocus();
    }
    EXPECT_EQ(visited, expected + QStringList{expected.first()});
    EXPECT_EQ(clicked, visited);  // every hit is shown as a click would show it
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(memory.lastText, "LaNd");
    EXPECT_FALSE(memory.lastMatchCase);
    // From the second search on, the dialog opened with the remembered answer.
    ASSERT_EQ(prefills.size(), static_cast<std::size_t>(expected.size() + 1));
    EXPECT_TRUE(prefills[0].text.isEmpty());
    EXPECT_TRUE(prefills[0].checkBoxShown);
    EXPECT_EQ(prefills[1].text, "LaNd");
    EXPECT_FALSE(prefills[1].matchCase);
}

TEST_F(BuscarTest, MatchCaseDecidesWhetherLowerCaseSpainIsFound) {
    select("Albania");
    answer("spain", true);
    search();
    expectOnlyMessage("Velquor", "No matches found");
    EXPECT_EQ(selected(), "Albania");
    EXPECT_TRUE(clicked.isEmpty());
    EXPECT_EQ(memory.lastText, "spain");
    EXPECT_TRUE(memory.lastMatchCase);

    dialogs.messages.clear();
    answer("spain", false);  // opens with "spain" and the box ticked
    search();
    EXPECT_EQ(prefills.back().text, "spain");
    EXPECT_TRUE(prefills.back().matchCase);
    EXPECT_EQ(selected(), "Spain");
    EXPECT_EQ(clicked, QStringList{"Spain"});
    EXPECT_FALSE(memory.lastMatchCase);
}

TEST_F(BuscarTest, WildcardsTheStartAfterTheSelectedNodeAndNoMatch) {
    const struct {
        const char* from;
        const char* text;
        bool matchCase;
        const char* found;  // the node selected afterwards
    } rows[] = {
        {"Spain", "#", false, "Spain"},    // no digit anywhere: no match, nothing moves
        {"Wales", "*", false, "Albania"},  // from the last node round to the first
        {"Albania", "?", false, "Armenia"},
        {"Albania", "s?ain", false, "Spain"},
        {"Spain", "[!a-z ]", true, "Switzerland"},  // any capital anywhere: the next name
        {"Albania", "Republic*Ireland", true, "Republic of Ireland"},
        {"Spain", "pain", false, "Spain"},  // the selected node is tested last
        {"Wales", "Atlantis", false, "Wales"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        dialogs.messages.clear();
        clicked.clear();
        select(row.from);
        answer(row.text, row.matchCase);
        search();
        EXPECT_EQ(selected(), row.found);
        const bool none =
            std::string_view(row.text) == "#" || std::string_view(row.text) == "Atlantis";
        EXPECT_EQ(clicked, none ? QStringList() : QStringList{row.found});
        if (none)
            expectOnlyMessage("Velquor", "No matches found");
        else
            EXPECT_TRUE(dialogs.messages.empty());
        // Found or not, the text is remembered for the next search.
        EXPECT_EQ(memory.lastText, row.text);
    }
}

TEST_F(BuscarTest, CancelCloseBoxAndBlanksChangeNothing) {
    memory = {"land", true};
    select("Finland");
    cancelAfterTyping("spain");
    dialogs.script.push_back([this](QDialog& dlg) {
        note(dlg);
        dlg.close();
    });
    answer("   ", false);
    for (int i = 0; i < 3; ++i)
        search();
    EXPECT_EQ(dialogs.shown, 3);
    for (const Prefill& p : prefills) {
        EXPECT_EQ(p.text, "land");
        EXPECT_TRUE(p.matchCase);
    }
    EXPECT_EQ(selected(), "Finland");
    EXPECT_TRUE(clicked.isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(memory.lastText, "land");
    EXPECT_TRUE(memory.lastMatchCase);
}

TEST_F(BuscarTest, SearchErrorsAreReportedAndKeepTheMemory) {
    const struct {
        const char* from;  // nullptr: no node selected
        const char* text;
        bool failingClick;
        const char* message;
        const char* selectedAfter;
    } rows[] = {
        {nullptr, "spain", false, "Object variable or With block variable not set", "<0 selected>"},
        {"Italy", "[ab", false, "Invalid pattern string", "Italy"},
        {"Albania", "Malta", true, "the panel could not be filled", "Malta"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        dialogs.messages.clear();
        memory = {"land", true};
        if (row.from) {
            select(row.from);
        } else {
            tree->setCurrentItem(nullptr);
            tree->clearSelection();
        }
        answer(row.text, false);
        Buscar(
            *tree, memory, dialogs,
            [&](QTreeWidgetItem* node) {
                if (row.failingClick)
                    throw std::runtime_error("the panel could not be filled");
                clicked << node->text(0);
            },
            &window);
        expectOnlyMessage("Search error", row.message);
        EXPECT_EQ(selected(), row.selectedAfter);
        EXPECT_TRUE(clicked.isEmpty());
        EXPECT_EQ(memory.lastText, "land");
        EXPECT_TRUE(memory.lastMatchCase);
    }
}

TEST_F(BuscarTest, TheBusyPointerIsGoneWhileTheDialogAsks) {
    select("Albania");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool busyWhileAsking = true;
    dialogs.script.push_back([&](QDialog& dlg) {
        busyWhileAsking = QApplication::overrideCursor() != nullptr;
        dlg.close();
    });
    search();
    EXPECT_FALSE(busyWhileAsking);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

}  // namespace
