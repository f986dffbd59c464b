#pragma once

#include <windows.h>

#include <string>

namespace velquor::test {

/// Writes and removes registry values with the plain Win32 calls, as the
/// `reg` tool would, for the code under test to read back.
inline bool setValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
                     const std::string& data) {
    // Creates the key on the way, as `reg add` does.
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
