#include "ui/main/tree_frame.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace velquor::ui {

namespace {

// The fewest logical pixels that make whole device pixels at ratio; 0 when
// no small number does.
int wholeStep(qreal ratio) {
    for (int step = 1; step <= 8; ++step)
        if (std::abs(step * ratio - std::round(step * ratio)) < 1e-6)
            return step;
    return 0;
}

// The largest rectangle inside place, which lies at origin in the window,
// whose edges are multiples of step there.
QRect onWholePixels(const QRect& place, const QPoint& origin, int step) {
    const auto up = [step](int v) { return (v + step - 1) / step * step; };
    const auto down = [step](int v) { return v / step * step; };
    const QRect in = place.translated(origin);
    return QRect(QPoint(up(in.left()), up(in.top())),
                 QPoint(down(in.left() + in.width()) - 1, down(in.top() + in.height()) - 1))
        .translated(-origin);
}

}  // namespace

TreeFrame::TreeFrame(QFrame* tree)
    : QWidget(tree->parentWidget()), tree_(tree), place_(tree->geometry()) {
    setObjectName(tree->objectName() + QStringLiteral("Frame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    tree->installEventFilter(this);
    // The parent moves when the toolbar above it changes its height.
    parentWidget()->installEventFilter(this);
    follow();
}

bool TreeFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ScreenChangeInternal:
            follow();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void TreeFrame::follow() {
    const int step = wholeStep(devicePixelRatioF());
    const QPoint origin = parentWidget()->mapTo(window(), QPoint());
    tree_->setGeometry(step > 1 ? onWholePixels(place_, origin, step) : place_);
    setGeometry(tree_->geometry());
    setVisible(step != 1 && !tree_->isHidden());
    raise();
}

void TreeFrame::paintEvent(QPaintEvent*) {
    // As the tree draws its own frame.
    QStyleOptionFrame option;
    option.initFrom(tree_);
    option.rect = rect();
    option.frameShape = tree_->frameShape();
    option.lineWidth = tree_->lineWidth();
    option.midLineWidth = tree_->midLineWidth();
    if (tree_->frameShadow() == QFrame::Sunken)
        option.state |= QStyle::State_Sunken;
    QPainter painter(this);
    tree_->style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, tree_);
}

}  // namespace velquor::ui
