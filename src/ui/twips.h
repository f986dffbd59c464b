#pragma once

#include <QRect>

namespace velquor::ui {

/// Window layouts are kept in twips (1/1440 inch), the unit their tables
/// are written in; 15 twips are one pixel at 96 dpi.
constexpr int px(int twips) {
    return twips / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace velquor::ui
