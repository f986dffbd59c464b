#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace velquor::test {

/// A launcher over a made-up set of files; starting one that is not there
/// fails, as it would for real.
class FakeLauncher : public platform::Launcher {
  public:
    std::set<std::string> files;
    std::vector<std::string> started;

    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    bool start(const std::string& path) override {
        if (files.count(path) != 0)
            started.push_back(path);
        return files.count(path) != 0;
    }
};

}  // namespace velquor::test
