#pragma once

#include <QIcon>
#include <QSize>
#include <functional>

namespace velquor::ui {

/// An icon whose pictures make() draws the first time one of them is painted
/// or asked for, so that an icon nobody shows costs no decoding. largest is
/// the biggest picture make() will hold: sizes are answered up to it without
/// drawing anything.
QIcon drawnOnFirstUse(std::function<QIcon()> make, QSize largest);

}  // namespace velquor::ui
