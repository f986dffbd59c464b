#pragma once

#include <windows.h>

#include <string>

namespace velquor::test {

/// Writes and removes registry values with the plain Win32 calls, as the
/// `reg` tool would, for the code under test to read back.
inline bool setValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                     const std::string& data) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc =
        RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    RegCloseKey(opened);
    return rc == ERROR_SUCCESS;
}

inline void deleteKey(HKEY root, const std::string& key) {
    RegDeleteTreeA(root, key.c_str());
    RegDeleteKeyA(root, key.c_str());
}

/// Whether this runs on Wine, where the machine's registry is a throwaway prefix's.
inline bool underWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace velquor::test
