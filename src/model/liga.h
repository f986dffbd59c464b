#pragma once

#include <cstdint>
#include <string>

#include "object.h"
#include "tag_slot.h"

namespace velquor {

/// One nation's places in the three European competitions and the clubs that
/// hold them. Club texts are the bytes of the file's code page.
class Liga : public Object {
  public:
    std::string UCL1, UCL2, UCL3, UCL4;
    std::string UEFA1, UEFA2, UEFA3, UEFA4;
    std::string Intertoto1, Intertoto2, Intertoto3;
    std::string LigaName;  // member "Liga": the nation's name as the loader set it
    std::int16_t NUEFA = 0;
    std::int16_t NUCL = 0;
    std::int16_t NIntertoto = 0;

    // Key and Tag never raise: a failure leaves the stored value as it was.
    void setKey(std::string sKey) noexcept;
    const std::string& key() const noexcept { return key_; }
    void setTagReference(const Value& vTag) noexcept;
    void setTagValue(const Value& vTag) noexcept;
    Value tag() const noexcept;

    // Access by member name: the fifteen members and "Key".
    Value get(std::string_view name) const override;
    void set(std::string_view name, const Value& value) override;
    Value defaultValue() const override { return key_; }

  private:
    std::string* textMember(std::string_view name);
    std::int16_t* countMember(std::string_view name);

    std::string key_;
    TagSlot tag_;
};

}  // namespace velquor
