// Stands in for the system-information program: leaves "<its own path>.ran"
// so a test can see that it was started.
#include <windows.h>

#include <fstream>

int main() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);  // a short path: the test's
    std::ofstream(std::string(path, n) + ".ran") << "ran";
    return 0;
}
