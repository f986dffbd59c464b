#include "platform/launcher.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>  // needs windows.h first
#else
#include <QFileInfo>
#include <QProcess>
#include <QString>
#endif

namespace velquor::platform {

namespace {

#ifdef _WIN32

// Paths are ANSI text, as the registry hands them out.
class WindowsLauncher : public Launcher {
  public:
    bool fileExists(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool start(const std::string& path) override {
        // ShellExecute does not wait; values above 32 mean the program started.
        const HINSTANCE rc =
            ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(rc) > 32;
    }
};

#else

class DesktopLauncher : public Launcher {
  public:
    bool fileExists(const std::string& path) override {
        const QFileInfo info(QString::fromLocal8Bit(path));
        return info.exists() && info.isFile();
    }
    bool start(const std::string& path) override {
        if (path.empty())
            return false;
        return QProcess::startDetached(QString::fromLocal8Bit(path), {});
    }
};

#endif

}  // namespace

Launcher& Launcher::system() {
#ifdef _WIN32
    static WindowsLauncher launcher;
#else
    static DesktopLauncher launcher;
#endif
    return launcher;
}

}  // namespace velquor::platform
