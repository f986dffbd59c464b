#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace velquor::platform {
class Dialogs;
class Launcher;
class Registry;
}  // namespace velquor::platform

namespace velquor::ui {

inline constexpr const char* kSysInfoUnavailable =
    "The system info is not available at this moment";

/// Reads the value SubKeyRef of the key KeyName under KeyRoot into KeyVal:
/// text up to its first NUL, a 32-bit number as its decimal text. Another
/// value type leaves KeyVal as it was and still gives true. A missing key or
/// value, or refused access, empties KeyVal and gives false. Never throws from
/// the registry's answers; the key handle is always closed.
bool GetKeyValue(platform::Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

/// Starts the system-information program found through the registry, or
/// tells the user it is not available. Never throws.
void StartSysInfo(platform::Registry& registry, platform::Launcher& launcher,
                  platform::Dialogs& dialogs, QWidget* parent);

}  // namespace velquor::ui
