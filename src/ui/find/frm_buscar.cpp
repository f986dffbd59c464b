#include "ui/find/frm_buscar.h"

#include <algorithm>

#include <QCheckBox>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "ui/twips.h"

namespace velquor::ui {

namespace {

// A small magnifying glass, drawn rather than shipped; drawn again at twice
// the size so a high-density title bar does not blow up the small one.
QIcon findIcon() {
    QIcon icon;
    for (const int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 16.0, side / 16.0);
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.5));
        painter.setBrush(QColor(0xC0, 0xE0, 0xFF));
        painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        painter.setPen(QPen(QColor(0x80, 0x40, 0x00), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(10, 10), QPointF(14, 14));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

frmBuscar::frmBuscar(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmBuscar"));
    setWindowTitle(QStringLiteral("Find..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(findIcon());
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    setFont(font);
    setFixedSize(px(6360), px(1350));

    Label1 = new QLabel(QStringLiteral("&Find"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 240, 300, 195));
    // The box starts well to the right, so a wider font can take the room.
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());

    txtBuscar = new QLineEdit(this);
    txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
    txtBuscar->setGeometry(twipsRect(1380, 240, 2775, 315));
    // Alt+F takes the keyboard to the box the label names.
    Label1->setBuddy(txtBuscar);

    chkMayusculas = new QCheckBox(QStringLiteral("&Match case"), this);
    chkMayusculas->setObjectName(QStringLiteral("chkMayusculas"));
    chkMayusculas->setGeometry(twipsRect(240, 840, 3555, 255));

    cmdAceptar = new QPushButton(QStringLiteral("&Ok"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setGeometry(twipsRect(4860, 180, 1215, 435));
    cmdAceptar->setDefault(true);

    cmdCancelar = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setGeometry(twipsRect(4860, 720, 1215, 435));

    // Tab order: OK, Cancel, Match case, the text box, and round again.
    setTabOrder(cmdAceptar, cmdCancelar);
    setTabOrder(cmdCancelar, chkMayusculas);
    setTabOrder(chkMayusculas, txtBuscar);
    setTabOrder(txtBuscar, cmdAceptar);
    cmdAceptar->setFocus();

    connect(cmdAceptar, &QPushButton::clicked, this, &frmBuscar::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmBuscar::cmdCancelar_Click);
}

QString frmBuscar::trimBlanks(const QString& sText) {
    qsizetype first = 0;
    qsizetype last = sText.size();
    while (first < last && sText.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && sText.at(last - 1) == QLatin1Char(' '))
        --last;
    return sText.mid(first, last - first);
}

void frmBuscar::setCadenaBusqueda(const QString& sValue) {
    txtBuscar->setText(trimBlanks(sValue));
    txtBuscar->setSelection(0, txtBuscar->text().size());
}

void frmBuscar::setSensibleMayusculas(bool bValue) {
    chkMayusculas->setChecked(bValue);
}

bool frmBuscar::MostrarMayusculas() const {
    // The control's own flag, not whether it is on screen now.
    return !chkMayusculas->isHidden();
}

void frmBuscar::setMostrarMayusculas(bool bValue) {
    chkMayusculas->setVisible(bValue);
}

void frmBuscar::cmdAceptar_Click() {
    bSensibleMayusculas = chkMayusculas->checkState() != Qt::Unchecked;
    sCadenaBusqueda = trimBlanks(txtBuscar->text());
    Cancelado = false;
    done(QDialog::Accepted);
}

void frmBuscar::cmdCancelar_Click() {
    sCadenaBusqueda.clear();
    Cancelado = true;
    done(QDialog::Rejected);
}

void frmBuscar::keyPressEvent(QKeyEvent* event) {
    // Esc is the Cancel button's; QDialog would take it for the close box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancelar->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velquor::ui
