#pragma once

#include <windows.h>
#include <string>

namespace velquor::test {

/// Writes a value, creating its key, with the plain Win32 call, as `reg add` would.
inline bool setValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                     const std::string& data) {
    return RegSetKeyValueA(root, key.c_str(), name.c_str(), type, data.data(),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
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
