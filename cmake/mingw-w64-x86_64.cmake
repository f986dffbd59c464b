# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, so
# std::thread and std::mutex work as on Linux).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELQUOR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELQUOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELQUOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELQUOR_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELQUOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The header-only libraries (CLI11, nlohmann-json) come from the host.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/cross-packages CACHE PATH "")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross-packages CACHE PATH "")

# A static Qt for Windows (tools/windows-qt/build.sh makes one), searched as
# part of the target's root; its moc, rcc and uic are the build machine's
# Qt of the same version.
set(VELQUOR_WINDOWS_QT "" CACHE PATH "A static Qt 6 built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELQUOR_WINDOWS_QT)
if(VELQUOR_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH ${VELQUOR_WINDOWS_QT})
    list(APPEND CMAKE_PREFIX_PATH ${VELQUOR_WINDOWS_QT})
    set(QT_HOST_PATH /usr CACHE PATH "")
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()

# Every .exe carries its C and C++ run times, so it runs alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and other built programs run under Wine.
find_program(VELQUOR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT VELQUOR_WINE)
    find_program(VELQUOR_WINE NAMES wine64 wine)
endif()
if(VELQUOR_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELQUOR_WINE})
endif()
