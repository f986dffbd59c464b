#pragma once

#include <cstdint>
#include <string>

namespace velquor::platform {

/// The few registry calls the About box makes, in the shape of the ANSI
/// Win32 functions so the callers' rules can be tested with a fake.
/// Every call returns 0 on success, a system error code otherwise.
class Registry {
  public:
    using Handle = std::uintptr_t;

    static constexpr std::uint32_t kLocalMachine = 0x80000002u;
    static constexpr std::uint32_t kTypeText = 1;    // REG_SZ
    static constexpr std::uint32_t kTypeNumber = 4;  // REG_DWORD

    virtual ~Registry() = default;
    virtual long openKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                         Handle& key) = 0;
    /// Fills buffer (its size is the capacity on entry) with the value's raw
    /// bytes and sets size to the number of bytes stored.
    virtual long queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                            std::string& buffer, std::uint32_t& size) = 0;
    virtual long closeKey(Handle key) = 0;

    /// The system's registry on Windows; elsewhere one that holds no keys.
    static Registry& system();
};

}  // namespace velquor::platform
