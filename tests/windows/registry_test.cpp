// GetKeyValue against the real registry: the bytes RegSetValueExA stored
// come back through RegOpenKeyExA and RegQueryValueExA.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "registry_writer.h"
#include "ui/about/sys_info.h"

using velquor::platform::Registry;
using velquor::ui::GetKeyValue;

namespace {

const std::string kKey = "Software\\Velquor tests\\GetKeyValue";
constexpr std::uint32_t kCurrentUser = 0x80000001u;  // no rights needed to write there

class RealRegistry : public ::testing::Test {
  protected:
    void SetUp() override { velquor::test::deleteKey(HKEY_CURRENT_USER, kKey); }
    void TearDown() override {
        velquor::test::deleteKey(HKEY_CURRENT_USER, "Software\\Velquor tests");
    }
};

TEST_F(RealRegistry, GetKeyValueReadsTextToItsFirstNulNumbersAsDecimalAndFailsOnWhatIsMissing) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        DWORD type;  // REG_NONE: not written
        std::string data;
        bool found;
        std::string expected;
    } cases[] = {
        {"plain", REG_SZ, "C:\\Tools\\msinfo32.exe\0"s, true, "C:\\Tools\\msinfo32.exe"},
        {"trailing NULs", REG_SZ, "C:\\Tools\0\0\0\0"s, true, "C:\\Tools"},
        {"inner NUL", REG_SZ, "C:\\A\0B\\C\0"s, true, "C:\\A"},
        {"code page text", REG_SZ, "C:\\M\xFCnchen\0"s, true, "C:\\M\xFCnchen"},
        {"DWORD", REG_DWORD, "\x78\x56\x34\x12"s, true, "305419896"},
        {"DWORD with zero bytes", REG_DWORD, "\x00\x01\x00\x00"s, true, "256"},
        {"binary keeps the output", REG_BINARY, "\x01\x02"s, true, "stale"},
        {"missing value", REG_NONE, "", false, ""},
    };
    for (const auto& c : cases) {
        if (c.type == REG_NONE)
            continue;
        ASSERT_TRUE(velquor::test::setValue(HKEY_CURRENT_USER, kKey, c.name, c.type, c.data));
    }
    for (const auto& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(GetKeyValue(Registry::system(), kCurrentUser, kKey, c.name, value), c.found)
            << c.name;
        EXPECT_EQ(value, c.expected) << c.name;
    }

    std::string value = "stale";
    EXPECT_FALSE(GetKeyValue(Registry::system(), kCurrentUser, kKey + "\\missing", "PATH", value));
    EXPECT_EQ(value, "");
}

}  // namespace
