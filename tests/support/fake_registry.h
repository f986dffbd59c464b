#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace velquor::test {

/// A registry of scripted keys and values that notes what was asked of it.
class FakeRegistry : public platform::Registry {
  public:
    struct Entry {
        std::uint32_t type;
        std::string bytes;
    };
    using Values = std::map<std::string, Entry>;
    std::map<std::string, Values> keys;
    std::vector<std::string> openedKeys;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> opened;  // root, access
    int opens = 0, closes = 0, stillOpen = 0;

    void setText(const std::string& key, const std::string& value, std::string text) {
        keys[key][value] = {kTypeText, std::move(text)};
    }
    long openKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                 Handle& key) override {
        ++opens;
        opened.emplace_back(root, access);
        openedKeys.push_back(keyName);
        const auto it = keys.find(keyName);
        if (it == keys.end())
            return 2;  // ERROR_FILE_NOT_FOUND
        key = reinterpret_cast<Handle>(&it->second);
        ++stillOpen;
        return 0;
    }
    long queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                    std::string& buffer, std::uint32_t& size) override {
        if (key == 0)
            return 6;  // ERROR_INVALID_HANDLE
        const auto& values = *reinterpret_cast<const Values*>(key);
        const auto value = values.find(valueName);
        if (value == values.end())
            return 2;
        if (value->second.bytes.size() > std::min<std::size_t>(size, buffer.size()))
            return 234;  // ERROR_MORE_DATA
        type = value->second.type;
        buffer.replace(0, value->second.bytes.size(), value->second.bytes);
        size = static_cast<std::uint32_t>(value->second.bytes.size());
        return 0;
    }
    long closeKey(Handle key) override {
        ++closes;
        stillOpen -= key != 0;
        return key != 0 ? 0 : 6;
    }
};

}  // namespace velquor::test
