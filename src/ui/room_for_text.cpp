#include "ui/room_for_text.h"

#include <QLabel>
#include <algorithm>
#include <vector>

namespace velquor::ui {

namespace {

bool sideBySide(const QRect& a, const QRect& b) {
    return a.left() <= b.right() && b.left() <= a.right();
}

}  // namespace

void makeRoomForText(QWidget& window) {
    std::vector<QWidget*> controls;
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls.push_back(control);
    std::stable_sort(controls.begin(), controls.end(), [](QWidget* a, QWidget* b) {
        return a->geometry().top() < b->geometry().top();
    });
    // Each control moves down as far as the lowest grown one above it.
    std::vector<QRect> was, now;
    int grown = 0;
    for (QWidget* control : controls) {
        QRect place = control->geometry();
        int down = 0;
        for (std::size_t k = 0; k < was.size(); ++k)
            if (was[k].bottom() < place.top() && sideBySide(was[k], place))
                down = std::max(down, now[k].bottom() - was[k].bottom());
        was.push_back(place);
        place.translate(0, down);
        if (const auto* label = qobject_cast<QLabel*>(control))
            place.setHeight(std::max(place.height(), label->heightForWidth(place.width())));
        control->setGeometry(place);
        now.push_back(place);
        grown = std::max(grown, place.bottom() - was.back().bottom());
    }
    if (grown > 0)
        window.setFixedSize(window.width(), window.height() + grown);
}

}  // namespace velquor::ui
