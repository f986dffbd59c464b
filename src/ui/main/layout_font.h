#pragma once

#include <QFont>
#include <QStringList>

namespace velquor::ui {

/// A font of the window's make-up at 8.25 points: the first of families the
/// system has, else the application's font. Families it lacks (MS Sans
/// Serif, Tahoma and Verdana outside Windows) are left out before Qt sees
/// them, so no font pays a search of the system's configuration for a
/// stand-in.
QFont layoutFont(const QStringList& families, bool bold = false);

}  // namespace velquor::ui
