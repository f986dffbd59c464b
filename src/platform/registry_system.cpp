#include "platform/registry.h"

#include <algorithm>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // keep std::min and std::max usable
#endif
#include <windows.h>
#endif

namespace velquor::platform {

namespace {

#ifdef _WIN32

class WindowsRegistry : public Registry {
  public:
    long openKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                 Handle& key) override {
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(rootKey(root), keyName.c_str(), 0, access, &opened);
        key = rc == ERROR_SUCCESS ? reinterpret_cast<Handle>(opened) : 0;
        return rc;
    }

    long queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                    std::string& buffer, std::uint32_t& size) override {
        DWORD valueType = 0;
        DWORD bytes = static_cast<DWORD>(std::min<std::size_t>(size, buffer.size()));
        const LONG rc =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType,
                             reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        type = valueType;
        size = bytes;
        return rc;
    }

    long closeKey(Handle key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }

  private:
    // The predefined roots are 32-bit values sign-extended to a pointer
    // (HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002).
    static HKEY rootKey(std::uint32_t root) {
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    }
};

#else

// No registry here: every key is missing, as on a Windows without the entries.
class EmptyRegistry : public Registry {
  public:
    static constexpr long kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
    static constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

    long openKey(std::uint32_t, const std::string&, std::uint32_t, Handle& key) override {
        key = 0;
        return kFileNotFound;
    }
    long queryValue(Handle, const std::string&, std::uint32_t&, std::string&,
                    std::uint32_t& size) override {
        size = 0;
        return kInvalidHandle;
    }
    long closeKey(Handle) override { return kInvalidHandle; }
};

#endif

}  // namespace

Registry& Registry::system() {
#ifdef _WIN32
    static WindowsRegistry registry;
#else
    static EmptyRegistry registry;
#endif
    return registry;
}

}  // namespace velquor::platform
