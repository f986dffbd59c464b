#include <gtest/gtest.h>

#include <random>

#include "cfgfile/euro_reader.h"
#include "cfgfile/euro_writer.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;

namespace {

// Random but plausible files: headers (known, unknown, decorated), club lines
// of every byte but CR, empty lines, odd line ends.
std::string randomFile(std::mt19937& rng) {
    const NationNames names = FillNationNames();
    std::uniform_int_distribution<int> pick(0, 99);
    std::string text = "*" + names[rng() % names.size()] + "\r\n";
    const int lines = pick(rng);
    for (int i = 0; i < lines; ++i) {
        const int kind = pick(rng);
        if (kind < 15) {
            text += (kind < 3 ? "*Nowhere " : "*") + names[rng() % names.size()];
        } else if (kind < 20) {
            // an empty line
        } else {
            const int length = 1 + pick(rng) % 25;
            for (int c = 0; c < length; ++c) {
                char byte = static_cast<char>(rng() % 256);
                if (byte == '\r')
                    byte = 'r';
                text += byte;
            }
        }
        text += pick(rng) < 97 ? "\r\n" : "\r?";
    }
    return text;
}

std::vector<std::string> snapshot(const mtxU_Collection& catalogue) {
    std::vector<std::string> fields;
    for (const auto& e : catalogue)
        for (const char* m : {"Liga", "UCL1", "UCL2", "UCL3", "UCL4", "UEFA1", "UEFA2", "UEFA3",
                              "UEFA4", "Intertoto1", "Intertoto2", "Intertoto3"})
            fields.push_back(e->get(m).text());
    return fields;
}

}  // namespace

TEST(RoundTrip, WhatTheWriterWritesReadsBackToTheSameModel) {
    std::mt19937 rng(20261206);
    const NationNames names = FillNationNames();
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string text = randomFile(rng);
        auto first = BuildNationCatalogue();
        readEuro(text, *first, names);
        // The reader fills places in order, so a file it read has no gaps
        // unless a club name starts with '*'... which a club line never does.
        ASSERT_TRUE(nationsWithGaps(*first).empty()) << text;
        const std::string written = formatEuro(*first);
        auto second = BuildNationCatalogue();
        readEuro(written, *second, names);
        ASSERT_EQ(snapshot(*first), snapshot(*second)) << text;
        ASSERT_EQ(formatEuro(*second), written);
        ++checked;
    }
    EXPECT_EQ(checked, 2000);
}
