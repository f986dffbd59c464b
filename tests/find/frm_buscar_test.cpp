#include "ui/find/frm_buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include <gtest/gtest.h>

namespace {

std::function<void()> key(Qt::Key k, Qt::KeyboardModifiers with = Qt::NoModifier) {
    return [=] { QTest::keyClick(QApplication::focusWidget(), k, with); };
}

TEST(FrmBuscarTest, EachWayOutSetsTheFieldsItsOwnWayAndKeysMoveOrTick) {
    velquor::ui::frmBuscar dlg;
    auto* txtBuscar = dlg.findChild<QLineEdit*>("txtBuscar");
    auto* chkMayusculas = dlg.findChild<QCheckBox*>("chkMayusculas");
    auto* cmdAceptar = dlg.findChild<QPushButton*>("cmdAceptar");
    auto* cmdCancelar = dlg.findChild<QPushButton*>("cmdCancelar");
    const auto open = [&] {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        return QTest::qWaitForWindowActive(&dlg);
    };
    const auto click = [](QPushButton* button) {
        return [=] { QTest::mouseClick(button, Qt::LeftButton); };
    };
    EXPECT_EQ(dlg.windowTitle(), "Find...");
    EXPECT_EQ(dlg.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    // The setters fill the controls; the properties read only what a way out stored.
    dlg.setCadenaBusqueda(QStringLiteral("   Holland  "));
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
        ASSERT_TRUE(open());
        if (typed) {
            txtBuscar->setFocus();
            txtBuscar->setText(QString::fromLatin1(typed));
        } else {
            EXPECT_EQ(QApplication::focusWidget(), cmdAceptar);
        }
        chkMayusculas->setChecked(tick);
        leave();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }));
        EXPECT_EQ(dlg.Cancelado, cancelled);
        EXPECT_EQ(dlg.CadenaBusqueda(), text);
        EXPECT_EQ(dlg.SensibleMayusculas(), matchCase);
    }
    EXPECT_EQ(velquor::ui::frmBuscar::trimBlanks(QStringLiteral(" \u00A0x ")), "\u00A0x");

    ASSERT_TRUE(open());
    cmdAceptar->setFocus();
    key(Qt::Key_Backtab)();
    EXPECT_EQ(QApplication::focusWidget(), txtBuscar);
    for (QWidget* next :
         std::initializer_list<QWidget*>{cmdAceptar, cmdCancelar, chkMayusculas, txtBuscar}) {
        key(Qt::Key_Tab)();
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    key(Qt::Key_F, Qt::AltModifier)();  // the label's key moves to Ok without pressing it
    EXPECT_EQ(QApplication::focusWidget(), cmdAceptar);
    EXPECT_FALSE(cmdAceptar->isDown());
    for (const bool ticked : {true, false}) {
        key(Qt::Key_M, Qt::AltModifier)();
        EXPECT_TRUE(QTest::qWaitFor([&] { return chkMayusculas->isChecked() == ticked; }));
    }
    dlg.setMostrarMayusculas(false);
    EXPECT_FALSE(chkMayusculas->isVisible() || dlg.MostrarMayusculas());
    EXPECT_TRUE(dlg.isVisible() && dlg.Cancelado);
}

}  // namespace
