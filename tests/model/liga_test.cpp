#include "model/liga.h"

#include <gtest/gtest.h>

#include "model/automation_error.h"

using velquor::AutomationError;
using velquor::Liga;
using velquor::Value;

TEST(Liga, NewRecordIsEmpty) {
    Liga rec;
    for (const char* name : {"UCL1", "UCL2", "UCL3", "UCL4", "UEFA1", "UEFA2", "UEFA3", "UEFA4",
                             "Intertoto1", "Intertoto2", "Intertoto3", "Liga", "Key"})
        EXPECT_EQ(rec.get(name), Value(std::string())) << name;
    for (const char* name : {"NUEFA", "NUCL", "NIntertoto"})
        EXPECT_EQ(rec.get(name), Value(0));
    EXPECT_TRUE(rec.tag().isEmpty());
}

TEST(Liga, ByNameAndAccessorsReachTheSameStorage) {
    Liga rec;
    rec.set("UCL3", Value("Club \xC5tvidaberg"));
    EXPECT_EQ(rec.UCL3, "Club \xC5tvidaberg");
    rec.UEFA4 = "Late Club";
    EXPECT_EQ(rec.get("UEFA4").text(), "Late Club");
    rec.set("Liga", Value("Spain"));
    EXPECT_EQ(rec.LigaName, "Spain");
    rec.set("NUCL", Value(4));
    EXPECT_EQ(rec.NUCL, 4);
    EXPECT_EQ(*rec.intertoto(3), rec.Intertoto3);
    EXPECT_EQ(rec.intertoto(4), nullptr);
    EXPECT_EQ(rec.ucl(0), nullptr);
}

TEST(Liga, NumberWrittenIntoKeyIsStoredAsDecimalText) {
    Liga rec;
    rec.set("Key", Value(7));
    EXPECT_EQ(rec.key(), "7");
    rec.set("Key", Value("Albania"));
    EXPECT_EQ(rec.get("Key").text(), "Albania");
    EXPECT_EQ(rec.defaultValue().text(), "Albania");
}

TEST(Liga, UnknownMemberIsAnErrorToTheCaller) {
    Liga rec;
    // Names are exact: near misses of every member are no members.
    for (const char* name : {"UCL5", "UCL0", "ucl1", "UCL", "UCL12", "UEFA", "UEFA12", "UEFA5",
                             "Intertoto", "Intertoto12", "Intertoto4", "Liga1", "NUCL1", "Key2"}) {
        try {
            rec.get(name);
            ADD_FAILURE() << "no error for " << name;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), 438) << name;
        }
        EXPECT_THROW(rec.set(name, Value("x")), AutomationError) << name;
    }
    EXPECT_THROW(rec.set("NUCL", Value(40000)), AutomationError);
}

TEST(Liga, TagKeepsAReferenceOrAValueAndAFailingSetRaisesNothing) {
    auto other = std::make_shared<Liga>();
    other->setKey("Wales");
    Liga rec;
    rec.setTagReference(Value(std::shared_ptr<velquor::Object>(other)));
    EXPECT_EQ(rec.tag().object(), other);
    rec.setTagValue(rec.tag());
    EXPECT_EQ(rec.tag(), Value("Wales"));
    rec.setTagReference(Value(3));
    EXPECT_EQ(rec.tag(), Value("Wales"));
}
