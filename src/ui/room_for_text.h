#pragma once

class QWidget;

namespace velquor::ui {

/// Makes room in a fixed-size window laid out by hand: a label whose text,
/// in the font it has now, needs more height than its place is made taller,
/// what lies below it moves down by as much, and the window grows with them.
/// Controls side by side with it stay where they are.
void makeRoomForText(QWidget& window);

}  // namespace velquor::ui
