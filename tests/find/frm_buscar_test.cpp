#include "ui/find/frm_buscar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using velquor::ui::frmBuscar;

namespace {

class FrmBuscarTest : public ::testing::Test {
  protected:
    frmBuscar dlg;
    QLineEdit* txtBuscar = dlg.findChild<QLineEdit*>("txtBuscar");
    QCheckBox* chkMayusculas = dlg.findChild<QCheckBox*>("chkMayusculas");
    QPushButton* cmdAceptar = dlg.findChild<QPushButton*>("cmdAceptar");
    QPushButton* cmdCancelar = dlg.findChild<QPushButton*>("cmdCancelar");

    void open() {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
    void type(const QString& text) {
        txtBuscar->setFocus();
        txtBuscar->selectAll();
        QTest::keyClick(txtBuscar, Qt::Key_Delete);
        QTest::keyClicks(txtBuscar, text);
    }
    bool closes() {
        return QTest::qWaitFor([&] { return !dlg.isVisible(); }, 2000);
    }
};

TEST_F(FrmBuscarTest, OpensOnOkAndEnterConfirmsThePrefillUnchanged) {
    dlg.setCadenaBusqueda(QStringLiteral("   Holland  "));
    dlg.setSensibleMayusculas(true);
    EXPECT_EQ(txtBuscar->text(), "Holland");
    EXPECT_EQ(txtBuscar->selectedText(), "Holland");
    EXPECT_EQ(txtBuscar->selectionStart(), 0);
    open();
    EXPECT_EQ(QApplication::focusWidget(), cmdAceptar);
    key(Qt::Key_Return);
    ASSERT_TRUE(closes());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.Cancelado);
    EXPECT_EQ(dlg.CadenaBusqueda(), "Holland");
    EXPECT_TRUE(dlg.SensibleMayusculas());
}

TEST_F(FrmBuscarTest, TabOrderRunsOkCancelMatchCaseTextAndRound) {
    open();
    key(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), txtBuscar);
    for (QWidget* next :
         std::initializer_list<QWidget*>{cmdAceptar, cmdCancelar, chkMayusculas, txtBuscar}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(FrmBuscarTest, AccessKeys) {
    open();
    txtBuscar->setFocus();
    key(Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), cmdAceptar);
    QTest::qWait(300);  // a pressed button would have clicked by now
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelado);

    key(Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chkMayusculas->isChecked(); }, 2000));
    key(Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !chkMayusculas->isChecked(); }, 2000));
    EXPECT_TRUE(dlg.isVisible());

    // Alt+O and Alt+C press their buttons.
    type(QStringLiteral("Malta"));
    key(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(closes());
    EXPECT_FALSE(dlg.Cancelado);
    EXPECT_EQ(dlg.CadenaBusqueda(), "Malta");

    open();
    key(Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(closes());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty());
}

TEST_F(FrmBuscarTest, OkTrimsSpacesOnlyAtBothEnds) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("    "), QString()},
        {QStringLiteral("  San  Marino "), QStringLiteral("San  Marino")},
        {QStringLiteral("\tIsrael\t"), QStringLiteral("\tIsrael\t")},
    };
    for (const auto& [typed, confirmed] : cases) {
        open();
        txtBuscar->setText(typed);
        QTest::mouseClick(cmdAceptar, Qt::LeftButton);
        ASSERT_TRUE(closes());
        EXPECT_FALSE(dlg.Cancelado) << typed.toStdString();
        EXPECT_EQ(dlg.CadenaBusqueda(), confirmed) << typed.toStdString();
    }
    EXPECT_EQ(frmBuscar::trimBlanks(QStringLiteral(" \u00A0x ")), QStringLiteral("\u00A0x"));
}

TEST_F(FrmBuscarTest, CancelEmptiesTheTextButKeepsTheLastConfirmedMatchCase) {
    open();
    type(QStringLiteral("Wales"));
    QTest::mouseClick(cmdCancelar, Qt::LeftButton);
    ASSERT_TRUE(closes());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty());
    EXPECT_FALSE(dlg.SensibleMayusculas());

    // After an OK with the box ticked, a Cancel with it cleared keeps True.
    open();
    chkMayusculas->setChecked(true);
    type(QStringLiteral("Wales"));
    QTest::mouseClick(cmdAceptar, Qt::LeftButton);
    ASSERT_TRUE(closes());
    open();
    chkMayusculas->setChecked(false);
    key(Qt::Key_Escape);
    ASSERT_TRUE(closes());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty());
    EXPECT_TRUE(dlg.SensibleMayusculas());
}

TEST_F(FrmBuscarTest, CloseBoxIsNeitherOkNorCancel) {
    open();
    type(QStringLiteral("Turkey"));
    dlg.close();
    ASSERT_TRUE(closes());
    EXPECT_TRUE(dlg.Cancelado);
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty());

    open();
    QTest::mouseClick(cmdAceptar, Qt::LeftButton);
    ASSERT_TRUE(closes());
    open();
    chkMayusculas->setChecked(true);
    type(QStringLiteral("Ukraine"));
    dlg.close();
    ASSERT_TRUE(closes());
    EXPECT_FALSE(dlg.Cancelado);  // the close box does not touch the field
    EXPECT_EQ(dlg.CadenaBusqueda(), "Turkey");
    EXPECT_FALSE(dlg.SensibleMayusculas());
}

TEST_F(FrmBuscarTest, PropertiesReadTheStoredFieldsNotTheControls) {
    dlg.setSensibleMayusculas(true);
    dlg.setCadenaBusqueda(QStringLiteral("Spain"));
    EXPECT_TRUE(chkMayusculas->isChecked());
    EXPECT_FALSE(dlg.SensibleMayusculas());
    EXPECT_TRUE(dlg.CadenaBusqueda().isEmpty());
    dlg.setSensibleMayusculas(false);
    EXPECT_FALSE(chkMayusculas->isChecked());

    EXPECT_TRUE(dlg.MostrarMayusculas());
    dlg.setMostrarMayusculas(false);
    EXPECT_FALSE(dlg.MostrarMayusculas());
    open();
    EXPECT_FALSE(chkMayusculas->isVisible());
    dlg.setMostrarMayusculas(true);
    EXPECT_TRUE(chkMayusculas->isVisible());
    EXPECT_TRUE(dlg.MostrarMayusculas());
}

}  // namespace
