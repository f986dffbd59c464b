#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace velquor::platform {

/// The path as the file library takes it: wide on Windows, in the file
/// system's encoding elsewhere.
inline std::filesystem::path toPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace velquor::platform
