#include <gmock/gmock.h>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>
#include "model/nation_catalogue.h"
#include "support/scripted_dialogs.h"
#include "ui/find/buscar.h"
#include "ui/find/frm_buscar.h"

namespace velquor::ui {
namespace {

using test::focused;

bool activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

TEST(FrmBuscarTest, EachWayOutSetsTheFieldsItsOwnWayAndKeysMoveOrTick) {
    frmBuscar dlg;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers with = Qt::NoModifier) {
        return [=] { QTest::keyClick(QApplication::focusWidget(), k, with); };
    };
    auto* txtBuscar = dlg.findChild<QLineEdit*>("txtBuscar");
    auto* chkMayusculas = dlg.findChild<QCheckBox*>("chkMayusculas");
    auto* cmdAceptar = dlg.findChild<QPushButton*>("cmdAceptar");
    auto* cmdCancelar = dlg.findChild<QPushButton*>("cmdCancelar");
    const auto click = [](QPushButton* b) { return [=] { QTest::mouseClick(b, Qt::LeftButton); }; };
    EXPECT_EQ(dlg.windowTitle(), "Find...");
    EXPECT_EQ(dlg.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    // The setters fill the controls; the properties read only what a way out stored.
    dlg.setCadenaBusqueda("   Holland  ");
    dlg.setSensibleMayusculas(true);
    EXPECT_EQ(txtBuscar->selectedText(), "Holland");
    EXPECT_TRUE(chkMayusculas->isChecked());
    EXPECT_TRUE(dlg.MostrarMayusculas());
    EXPECT_EQ(dlg.CadenaBusqueda(), "");
    EXPECT_FALSE(dlg.SensibleMayusculas());
    const struct {
        const char* typed;  // nullptr: the prefill as it is
        bool tick;
        std::function<void()> leave;  // the way out, after which the fields hold
        bool cancelled;
        const char* text;
        bool matchCase;
    } rows[] = {
        {nullptr, true, key(Qt::Key_Return), false, "Holland", true},
        {"    ", false, click(cmdAceptar), false, "", false},
        {"  San  Marino ", false, click(cmdAceptar), false, "San  Marino", false},
        {"Turkey", true, [&] { dlg.close(); }, false, "San  Marino", false},  // touches nothing
        {"\tIsrael\t", true, key(Qt::Key_O, Qt::AltModifier), false, "\tIsrael\t", true},
        // Cancel empties the text but keeps the last confirmed match case.
        {"Wales", false, click(cmdCancelar), true, "", true},
        {"Wales", false, key(Qt::Key_Escape), true, "", true},
        {"Wales", false, key(Qt::Key_C, Qt::AltModifier), true, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed ? row.typed : "the prefill");
        ASSERT_TRUE(activate(dlg));
        if (row.typed) {
            txtBuscar->setFocus();
            txtBuscar->setText(row.typed);
        } else {
            EXPECT_EQ(focused(), "cmdAceptar");
        }
        chkMayusculas->setChecked(row.tick);
        row.leave();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }));
        EXPECT_EQ(dlg.Cancelado, row.cancelled);
        EXPECT_EQ(dlg.CadenaBusqueda(), row.text);
        EXPECT_EQ(dlg.SensibleMayusculas(), row.matchCase);
    }
    EXPECT_EQ(frmBuscar::trimBlanks(QStringLiteral(" \u00A0x ")), "\u00A0x");
    ASSERT_TRUE(activate(dlg));
    cmdAceptar->setFocus();
    // Each key and where the focus goes; the label's key goes to the box it names.
    const struct {
        std::function<void()> press;
        const char* to;
    } moves[] = {
        {key(Qt::Key_Backtab), "txtBuscar"},   {key(Qt::Key_Backtab), "chkMayusculas"},
        {key(Qt::Key_Backtab), "cmdCancelar"}, {key(Qt::Key_Backtab), "cmdAceptar"},
        {key(Qt::Key_Tab), "cmdCancelar"},     {key(Qt::Key_F, Qt::AltModifier), "txtBuscar"}};
    for (const auto& move : moves) {
        move.press();
        EXPECT_EQ(focused(), move.to);
    }
    for (const bool ticked : {true, false}) {
        key(Qt::Key_M, Qt::AltModifier)();
        EXPECT_TRUE(QTest::qWaitFor([&] { return chkMayusculas->isChecked() == ticked; }));
    }
    dlg.setMostrarMayusculas(false);
    EXPECT_FALSE(chkMayusculas->isVisible());
    EXPECT_FALSE(dlg.MostrarMayusculas());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelado);
}

TEST(BuscarTest, FindsTheNextNationHoldingThePatternOrSaysWhyNot) {
    QWidget window;
    auto* tree = new QTreeWidget(&window);
    auto* elsewhere = new QLineEdit(&window);
    for (const auto& nation : kNationTable)
        new QTreeWidgetItem(tree, {QString::fromLatin1(nation.name.data(), nation.name.size())});
    ASSERT_TRUE(activate(window));
    test::ScriptedDialogs dialogs;
    SearchMemory memory;
    QStringList clicked;
    const auto click = [&](QTreeWidgetItem* node) {
        if (node->text(0) == "Malta")
            throw std::runtime_error("the panel could not be filled");
        clicked << node->text(0);
    };
    const QString kNoMatch = QStringLiteral("No matches found");
    const struct {
        const char* from;  // nullptr: none selected; "": where the last search left it
        const char* text;  // and the case, typed; or Enter on the prefill
        bool matchCase, enter;
        const char* found;  // the node selected then
        QString message;
        bool remembered;  // the next opens with them
    } rows[] = {
        {"Scotland", "LaNd", false, false, "England", {}, true},  // round from the last
        {"", "", false, true, "Faeroe Islands", {}, true},        // the prefill, from there
        {"+Holland", "LaNd", false, false, "Iceland", {}, true},  // Faeroe Islands stays current
        {"Albania", "spain", true, false, "Albania", kNoMatch, true},
        {"", "spain", false, false, "Spain", {}, true},
        {"Spain", "pain", false, false, "Spain", {}, true},  // the selected node comes last
        {"Spain", "#", false, false, "Spain", kNoMatch, true},
        {"Albania", "s?ain", false, false, "Spain", {}, true},
        {"Spain", "[!a-z ]", true, false, "Switzerland", {}, true},
        {"Finland", "   ", false, false, "Finland", {}, false},  // as Cancel or the close box
        {nullptr, "land", false, false, "England", {}, true},    // from the top, not Finland on
        {"Italy", "[ab", false, false, "Italy", "Invalid pattern string", false},
        {"Albania", "Malta", false, false, "Malta", "the panel could not be filled", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.from ? row.from : "none") + " " + row.text);
        if (!row.from || *row.from == '+')
            tree->clearSelection();   // the current node stays, unselected
        if (row.from && *row.from) {  // "+": the node is selected, not made current
            QTreeWidgetItem* node =
                tree->findItems(row.from + (*row.from == '+'), Qt::MatchExactly)[0];
            *row.from == '+' ? node->setSelected(true) : tree->setCurrentItem(node);
        }
        elsewhere->setFocus();
        const SearchMemory before = memory;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        dialogs.script.push_back([&](QDialog& dlg) {
            auto* box = dlg.findChild<QLineEdit*>("txtBuscar");
            auto* check = dlg.findChild<QCheckBox*>("chkMayusculas");
            EXPECT_EQ(box->text(), before.lastText);
            EXPECT_TRUE(check->isVisible());
            EXPECT_EQ(check->isChecked(), before.lastMatchCase);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "busy over the dialog";
            if (row.enter)
                return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            box->setText(row.text);
            if (check->isChecked() != row.matchCase)  // on the box itself, not the empty room
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdAceptar"), Qt::LeftButton);
        });
        Buscar(*tree, memory, dialogs, click, &window);
        const auto selected = tree->selectedItems();
        EXPECT_EQ(selected.size() == 1 ? selected[0]->text(0) : QString(), row.found);
        const bool hit = row.remembered && row.message.isEmpty();
        EXPECT_EQ(std::exchange(clicked, {}), hit ? QStringList{row.found} : QStringList());
        EXPECT_EQ(window.focusWidget() == tree, hit);
        EXPECT_EQ(dialogs.messages.size(), row.message.isEmpty() ? 0u : 1u);
        const QString title = row.message == kNoMatch ? "Velquor" : "Search error";
        for (const auto& m : std::exchange(dialogs.messages, {}))
            EXPECT_THAT(m, test::IsMessage(row.message, title, platform::MessageIcon::Information));
        const bool kept = !row.remembered || row.enter;
        EXPECT_EQ(memory.lastText, kept ? before.lastText : row.text);
        EXPECT_EQ(memory.lastMatchCase, kept ? before.lastMatchCase : row.matchCase);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    EXPECT_EQ(dialogs.shown, static_cast<int>(std::size(rows)));
}

}  // namespace
}  // namespace velquor::ui
