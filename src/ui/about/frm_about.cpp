#include "ui/about/frm_about.h"

#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include "platform/app_info.h"
#include "platform/platform.h"
#include "ui/about/sys_info.h"
#include "ui/room_for_text.h"
#include "ui/twips.h"

namespace velquor::ui {

namespace {

QFont labelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, bool wrap) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(labelFont());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

// One line of the etched rule: a flat strip of a single colour.
QFrame* makeRuleLine(QWidget* parent, const char* name, QRect geometry, QColor colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setGeometry(geometry);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

// A 60 x 80 picture of a trophy on a pitch, drawn rather than shipped, at
// the screen's pixel density so that it stays sharp when scaled.
QPixmap aboutPicture(qreal ratio) {
    QPixmap pixmap(QSize(60, 80) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(0x3A, 0x6E, 0xA5));
    sky.setColorAt(1, QColor(0xA8, 0xC8, 0xE8));
    painter.fillRect(0, 0, 60, 58, sky);
    painter.fillRect(0, 58, 60, 22, QColor(0x2E, 0x8B, 0x3A));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(0, 66, 60, 66);
    const QColor gold(0xE8, 0xB8, 0x30);
    painter.setPen(QPen(QColor(0x8A, 0x60, 0x10), 1));
    painter.setBrush(gold);
    QPainterPath cup;
    cup.moveTo(16, 14);
    cup.lineTo(44, 14);
    cup.cubicTo(44, 34, 36, 40, 30, 40);
    cup.cubicTo(24, 40, 16, 34, 16, 14);
    painter.drawPath(cup);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(gold, 3));
    painter.drawArc(QRectF(8, 16, 12, 12), 90 * 16, 180 * 16);
    painter.drawArc(QRectF(40, 16, 12, 12), 270 * 16, 180 * 16);
    painter.setPen(QPen(QColor(0x8A, 0x60, 0x10), 1));
    painter.setBrush(gold);
    painter.drawRect(QRectF(27, 40, 6, 8));
    painter.drawRect(QRectF(20, 48, 20, 6));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(QRectF(38, 62, 12, 12));
    return pixmap;
}

}  // namespace

frmAbout::frmAbout(platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Velquor"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(px(5760), px(2685));
    // None of its own, and none taken over from the main window either.
    setWindowIcon(QIcon());

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    // Clear of the window's edges and of the rule, which starts beside it.
    picIcon->setGeometry(twipsRect(60, 60, 900, 1200));
    picIcon->setPixmap(aboutPicture(devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblTitle = makeLabel(this, "lblTitle", twipsRect(1050, 120, 4095, 240), false);
    lblVersion = makeLabel(this, "lblVersion", twipsRect(1050, 420, 4095, 225), false);
    lblDescription = makeLabel(this, "lblDescription", twipsRect(1050, 705, 4095, 390), true);
    lblDescription->setText(
        QStringLiteral("Euro.cfg Editor for Pitchcraft Manager, Winter Edition by the Quorbridge "
                       "Football Forum"));

    // Grey over white: together they read as a rule cut into the window.
    Line1_1 = makeRuleLine(this, "Line1_1", QRect(px(1050), px(1170), px(5657) - px(1050) + 1, 1),
                           QColor(0x80, 0x80, 0x80));
    Line1_0 = makeRuleLine(this, "Line1_0", QRect(px(1065), px(1185), px(5657) - px(1065) + 1, 2),
                           QColor(0xFF, 0xFF, 0xFF));

    // Three lines each, ending short of the window's bottom edge.
    lblDisclaimer2 = makeLabel(this, "lblDisclaimer2", twipsRect(300, 1320, 3870, 630), true);
    lblDisclaimer = makeLabel(this, "lblDisclaimer", twipsRect(300, 1995, 3870, 600), true);

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4245, 1845, 1467, 345));
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("System info"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4260, 2295, 1452, 345));

    setTabOrder(cmdOK, cmdSysInfo);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
    // The places are measured for Arial; a wider font takes more lines.
    makeRoomForText(*this);
}

QString frmAbout::versionLine() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(app::kVersionMajor)
        .arg(app::kVersionMinor)
        .arg(app::kVersionRevision);
}

void frmAbout::Form_Load() {
    lblVersion->setText(versionLine());
    lblTitle->setText(QString::fromLatin1(app::kTitle));
    lblDisclaimer2->setText(
        QStringLiteral("To get the lastest versions of this editor go to velquor.example.org or "
                       "velquor.example.net.\r\nSend your feedback to velquor@example.org"));
    lblDisclaimer->setText(
        QStringLiteral("This program is freeware.\r\n"
                       "Copyright (C) 2004 the Velquor authors. All rights reserved."));
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo(platform_.registry, platform_.launcher, platform_.dialogs, this);
}

void frmAbout::showEvent(QShowEvent* event) {
    // A tool window is not placed by the dialog rules everywhere: centre it.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    // Only now is the screen known, and with it the density to draw at.
    if (picIcon->pixmap().devicePixelRatio() != devicePixelRatioF())
        picIcon->setPixmap(aboutPicture(devicePixelRatioF()));
    QDialog::showEvent(event);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // Esc presses OK, as Enter does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velquor::ui
