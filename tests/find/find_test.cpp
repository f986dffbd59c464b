#include <gtest/gtest.h>
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
    EXPECT_TRUE(chkMayusculas->isChecked() && dlg.MostrarMayusculas());
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty() && !dlg.SensibleMayusculas());
    // Typed (nullptr: the prefill as it is), box ticked, the way out; then the fields.
    const std::tuple<const char*, bool, std::function<void()>, bool, const char*, bool> rows[] = {
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
    for (const auto& [typed, tick, leave, cancelled, text, matchCase] : rows) {
        SCOPED_TRACE(typed ? typed : "the prefill");
        ASSERT_TRUE(activate(dlg));
        EXPECT_TRUE(typed || QApplication::focusWidget() == cmdAceptar);
        if (typed)
            txtBuscar->setFocus(), txtBuscar->setText(typed);
        chkMayusculas->setChecked(tick);
        leave();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }));
        EXPECT_TRUE(dlg.Cancelado == cancelled && dlg.CadenaBusqueda() == text &&
                    dlg.SensibleMayusculas() == matchCase);
    }
    EXPECT_EQ(frmBuscar::trimBlanks(QStringLiteral(" \u00A0x ")), "\u00A0x");
    ASSERT_TRUE(activate(dlg));
    cmdAceptar->setFocus();
    // Each key and where the focus goes; the label's key goes to the box it names.
    const std::pair<std::function<void()>, QWidget*> moves[] = {
        {key(Qt::Key_Backtab), txtBuscar},   {key(Qt::Key_Backtab), chkMayusculas},
        {key(Qt::Key_Backtab), cmdCancelar}, {key(Qt::Key_Backtab), cmdAceptar},
        {key(Qt::Key_Tab), cmdCancelar},     {key(Qt::Key_F, Qt::AltModifier), txtBuscar}};
    for (const auto& [press, to] : moves) {
        press();
        EXPECT_EQ(QApplication::focusWidget(), to) << to->objectName().toStdString();
    }
    for (const bool ticked : {true, false}) {
        key(Qt::Key_M, Qt::AltModifier)();
        EXPECT_TRUE(QTest::qWaitFor([&] { return chkMayusculas->isChecked() == ticked; }));
    }
    dlg.setMostrarMayusculas(false);
    EXPECT_FALSE(chkMayusculas->isVisible() || dlg.MostrarMayusculas());
    EXPECT_TRUE(dlg.isVisible() && dlg.Cancelado);
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
    // From (nullptr: none selected; "": where the last search left it), text and case typed or
    // Enter on the prefill, the node selected then, the message, whether the next opens with them.
    const std::tuple<const char*, const char*, bool, bool, const char*, QString, bool> rows[] = {
        {"Scotland", "LaNd", false, false, "England", {}, true},   // round from the last
        {"", "", false, true, "Faeroe Islands", {}, true},         // the prefill, from there
        {"+Scotland", "LaNd", false, false, "England", {}, true},  // Faeroe Islands stays current
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
    for (const auto& [from, text, matchCase, enter, found, message, remembered] : rows) {
        SCOPED_TRACE(std::string(from ? from : "none") + " " + text);
        if (!from || *from == '+')
            tree->clearSelection();  // the current node stays, unselected
        if (from && *from) {         // "+": the node is selected, not made current
            QTreeWidgetItem* node = tree->findItems(from + (*from == '+'), Qt::MatchExactly)[0];
            *from == '+' ? node->setSelected(true) : tree->setCurrentItem(node);
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
        Buscar(*tree, memory, dialogs, click, &window);
        const auto selected = tree->selectedItems();
        EXPECT_EQ(selected.size() == 1 ? selected[0]->text(0) : QString(), found);
        const bool hit = remembered && message.isEmpty();
        EXPECT_EQ(std::exchange(clicked, {}), hit ? QStringList{found} : QStringList());
        EXPECT_EQ(window.focusWidget() == tree, hit);
        EXPECT_EQ(dialogs.messages.size(), message.isEmpty() ? 0u : 1u);
        for (const auto& m : std::exchange(dialogs.messages, {}))
            EXPECT_TRUE(m.text == message && m.icon == platform::MessageIcon::Information &&
                        m.title == (message == kNoMatch ? "Velquor" : "Search error"));
        const bool kept = !remembered || enter;
        EXPECT_EQ(memory.lastText, kept ? before.lastText : text);
        EXPECT_EQ(memory.lastMatchCase, kept ? before.lastMatchCase : matchCase);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
    EXPECT_EQ(dialogs.shown, static_cast<int>(std::size(rows)));
}

}  // namespace
}  // namespace velquor::ui
