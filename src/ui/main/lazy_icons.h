#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <functional>

namespace velquor::ui {

/// An icon whose pictures make() draws the first time one of them is painted
/// or asked for, so that an icon nobody shows costs no decoding. largest is
/// the biggest picture make() will hold: sizes are answered up to it without
/// drawing anything.
QIcon drawnOnFirstUse(std::function<QIcon()> make, QSize largest);

/// The SVG picture at path, drawn once for each size it is asked for, when
/// it is first asked for.
QIcon drawnAtEachSize(const QString& path);

}  // namespace velquor::ui
