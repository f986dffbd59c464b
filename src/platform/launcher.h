#pragma once

#include <string>

namespace velquor::platform {

/// Starts other programs, without waiting for them.
class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual bool fileExists(const std::string& path) = 0;
    /// Starts the program at path in a normal, focused window; false when it cannot.
    virtual bool start(const std::string& path) = 0;

    static Launcher& system();
};

}  // namespace velquor::platform
