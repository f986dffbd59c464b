#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace velquor::test {

/// A registry of scripted keys and values; counts the calls so tests can
/// check that every opened handle is closed.
class FakeRegistry : public platform::Registry {
  public:
    struct Entry {
        std::uint32_t type;
        std::string bytes;
    };

    static constexpr long kFileNotFound = 2;
    static constexpr long kAccessDenied = 5;
    static constexpr long kMoreData = 234;

    // key name -> value name -> value
    std::map<std::string, std::map<std::string, Entry>> keys;
    long queryFailure = 0;  // when not 0, every query fails with it

    int opens = 0;
    int queries = 0;
    int closes = 0;
    std::vector<std::uint32_t> roots;
    std::vector<std::uint32_t> accessMasks;
    std::vector<std::string> openedKeys;
    std::vector<Handle> closedHandles;

    void setText(const std::string& key, const std::string& value, std::string text) {
        keys[key][value] = {kTypeText, std::move(text)};
    }

    long openKey(std::uint32_t root, const std::string& keyName, std::uint32_t access,
                 Handle& key) override {
        ++opens;
        roots.push_back(root);
        accessMasks.push_back(access);
        openedKeys.push_back(keyName);
        const auto it = keys.find(keyName);
        if (it == keys.end())
            return kFileNotFound;
        key = handleOf(keyName);
        return 0;
    }

    long queryValue(Handle key, const std::string& valueName, std::uint32_t& type,
                    std::string& buffer, std::uint32_t& size) override {
        ++queries;
        if (queryFailure != 0)
            return queryFailure;
        for (const auto& [name, values] : keys) {
            if (handleOf(name) != key)
                continue;
            const auto value = values.find(valueName);
            if (value == values.end())
                return kFileNotFound;
            if (value->second.bytes.size() > size || size > buffer.size())
                return kMoreData;
            type = value->second.type;
            buffer.replace(0, value->second.bytes.size(), value->second.bytes);
            size = static_cast<std::uint32_t>(value->second.bytes.size());
            return 0;
        }
        return 6;  // ERROR_INVALID_HANDLE
    }

    long closeKey(Handle key) override {
        ++closes;
        closedHandles.push_back(key);
        return 0;
    }

  private:
    Handle handleOf(const std::string& keyName) const {
        return 0x100 + static_cast<Handle>(std::distance(keys.begin(), keys.find(keyName)));
    }
};

}  // namespace velquor::test
