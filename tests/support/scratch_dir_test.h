#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velquor::test {

/// A fresh folder for the running test, removed after it, so that a test
/// sees every file the code under test leaves behind.
struct ScratchDir {
    ScratchDir() {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '-');  // a parameterised test's "Name/Case"
        dir_ = std::filesystem::temp_directory_path() /
               ("velquor-" + std::to_string(::getpid()) + "-" + test);
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    /// Writes bytes to name below the folder, making the folders on the way.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((dir_ / name).parent_path());
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    /// The files below the folder (its folders are the test's), sorted, as paths from it.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
            if (e.is_regular_file())
                names.push_back(e.path().lexically_relative(dir_).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path dir_;
};

struct ScratchDirTest : ::testing::Test, ScratchDir {};

/// The euro.cfg that comes with the program.
inline const std::string kSample = VELQUOR_SOURCE_DIR "/examples/euro.cfg";

}  // namespace velquor::test
