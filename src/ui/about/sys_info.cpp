#include "ui/about/sys_info.h"

#include <algorithm>
#include <exception>

#include "platform/app_info.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/registry.h"

namespace velquor::ui {

namespace {

// Read control, query value, set value, create subkey, enumerate subkeys,
// notify and create link: what the program has always asked for.
constexpr std::uint32_t kAccess = 0x2003F;
constexpr std::uint32_t kBufferSize = 1024;

constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kMsinfoValue = "PATH";
constexpr const char* kToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kToolsValue = "MSINFO";
constexpr const char* kMsinfoFile = "\\MSINFO32.EXE";

bool tryStartSysInfo(platform::Registry& registry, platform::Launcher& launcher) {
    std::string path;
    if (GetKeyValue(registry, platform::Registry::kLocalMachine, kMsinfoKey, kMsinfoValue, path))
        return launcher.start(path);  // a path that does not start is not retried elsewhere
    if (GetKeyValue(registry, platform::Registry::kLocalMachine, kToolsKey, kToolsValue, path)) {
        const std::string program = path + kMsinfoFile;
        return launcher.fileExists(program) && launcher.start(program);
    }
    return false;
}

}  // namespace

bool GetKeyValue(platform::Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    platform::Registry::Handle key = 0;
    bool result = false;
    if (registry.openKey(KeyRoot, KeyName, kAccess, key) != 0) {
        KeyVal.clear();
    } else {
        std::string buffer(kBufferSize, '\0');
        std::uint32_t size = kBufferSize;
        std::uint32_t type = 0;
        if (registry.queryValue(key, SubKeyRef, type, buffer, size) != 0) {
            KeyVal.clear();
        } else {
            buffer.resize(std::min<std::size_t>(buffer.size(), size));
            if (type == platform::Registry::kTypeText) {
                KeyVal = buffer.substr(0, buffer.find('\0'));
            } else if (type == platform::Registry::kTypeNumber) {
                // Taken from the raw bytes: cutting at the first NUL would
                // lose every number with a zero byte.
                std::uint32_t number = 0;
                for (std::size_t i = std::min<std::size_t>(buffer.size(), 4); i-- > 0;)
                    number = (number << 8) | static_cast<unsigned char>(buffer[i]);
                KeyVal = std::to_string(number);
            }
            result = true;
        }
    }
    registry.closeKey(key);
    return result;
}

void StartSysInfo(platform::Registry& registry, platform::Launcher& launcher,
                  platform::Dialogs& dialogs, QWidget* parent) {
    bool started = false;
    try {
        started = tryStartSysInfo(registry, launcher);
    } catch (const std::exception&) {
        started = false;
    }
    if (!started)
        dialogs.message(parent,
                        {QString::fromLatin1(kSysInfoUnavailable), QString::fromLatin1(app::kTitle),
                         platform::MessageIcon::None, platform::MessageButtons::Ok});
}

}  // namespace velquor::ui
