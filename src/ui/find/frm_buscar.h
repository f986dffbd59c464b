#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velquor::ui {

/// Asks for a search text and a match-case choice. The caller fills it
/// through the properties, shows it modally and reads the outcome from the
/// same properties afterwards: the outcome lives in the object's fields, not
/// in its controls, so it stays readable after the window has closed.
class frmBuscar : public QDialog {
    Q_OBJECT

  public:
    explicit frmBuscar(QWidget* parent = nullptr);

    /// Whether the dialog ended without OK (Cancel, Esc or the close box).
    bool Cancelado = true;

    /// Establece/Devuelve la cadena a buscar que aparece en el cuadro.
    /// Reading gives the text confirmed with OK (trimmed; empty after Cancel);
    /// writing puts the trimmed value into the box, fully selected.
    QString CadenaBusqueda() const { return sCadenaBusqueda; }
    void setCadenaBusqueda(const QString& sValue);

    /// Establece/devuelve el estado (activo o inactivo) del checkbox para
    /// distinguir entre mayúsculas y minúsculas.
    /// Reading gives the state confirmed with OK; writing ticks or clears the box.
    bool SensibleMayusculas() const { return bSensibleMayusculas; }
    void setSensibleMayusculas(bool bValue);

    /// Indica si se muestra o no el checkbox de distinguir entre mayúsculas y
    /// minúsculas.
    bool MostrarMayusculas() const;
    void setMostrarMayusculas(bool bValue);

    /// The text without the space characters at both ends; other blanks stay.
    static QString trimBlanks(const QString& sText);

  protected:
    /// Esc presses Cancel. The close box ends in QDialog::reject, which is
    /// neither OK nor Cancel, so the fields keep their values.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    QLabel* Label1;
    QLineEdit* txtBuscar;
    QCheckBox* chkMayusculas;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;

    QString sCadenaBusqueda;
    bool bSensibleMayusculas = false;
};

}  // namespace velquor::ui
