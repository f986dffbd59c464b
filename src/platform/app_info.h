#pragma once

namespace velquor::app {

inline constexpr const char* kTitle = "Velquor";
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

}  // namespace velquor::app
