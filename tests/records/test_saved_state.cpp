// The saved-state file: its 26 values, reading back, damaged files, and
// replacing the old file only with a complete new one.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "SavedState.h"

namespace vx {
namespace {

SavedState Sample() {
    SavedState s;
    s.moment = 2452275.1027777777;
    s.currentCalendar = 8;
    s.moveForward = false;
    s.next = false;
    s.greenwich = true;
    s.moveStep = 17;
    s.searchTarget = 13;
    s.timeZone = 35;
    s.refreshPeriod = 0;
    s.repeatedly = true;
    s.logResults = true;
    s.eclipseData = "Central total solar eclipse\r\nLunation number = 218\r\nSaros number = 145\r\n";
    s.logFormatCalendarDate = false;
    s.include[3] = false;
    s.include[10] = false;
    return s;
}

TEST(SavedStateFile, TheValuesAsWritten) {
    const std::string text = FormatSavedState(Sample());
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    // 26 values; the eclipse caption keeps its own line breaks inside its quotes.
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "2452275.1027777777\r");
    EXPECT_EQ(lines[1], "8\r");
    EXPECT_EQ(lines[2], "0\r");
    EXPECT_EQ(lines[3], "-1\r");
    EXPECT_EQ(lines[5], "-1\r");
    EXPECT_EQ(lines[6], "17\r");
    EXPECT_EQ(lines[10], "1\r");
    EXPECT_EQ(lines[12], "\"Central total solar eclipse\r");
    EXPECT_EQ(lines[16], "\"Looking for something?\"\r");
    EXPECT_EQ(lines[17], "0\r");
    EXPECT_EQ(lines[28], "0\r");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    SavedState plain;
    std::istringstream in2(FormatSavedState(plain));
    int count = 0;
    for (std::string l; std::getline(in2, l);) ++count;
    EXPECT_EQ(count, 26) << "26 lines with an empty eclipse label";
}

TEST(SavedStateFile, ReadsBackWhatWasWritten) {
    const SavedState s = Sample();
    SavedState back;
    ASSERT_EQ(ReadSavedState(FormatSavedState(s), back), 26);
    EXPECT_EQ(back.moment, s.moment);
    EXPECT_EQ(back.currentCalendar, 8);
    EXPECT_FALSE(back.moveForward);
    EXPECT_TRUE(back.plus);
    EXPECT_FALSE(back.next);
    EXPECT_TRUE(back.greenwich);
    EXPECT_EQ(back.searchTarget, 13);
    EXPECT_EQ(back.timeZone, 35);
    EXPECT_TRUE(back.repeatedly);
    EXPECT_EQ(back.eclipseData, s.eclipseData);
    EXPECT_FALSE(back.logFormatCalendarDate);
    EXPECT_EQ(back.include, s.include);
}

TEST(SavedStateFile, DamagedFilesStopAtTheFirstBadValue) {
    std::string text = FormatSavedState(Sample());
    SavedState s;
    // Cut after the tenth line.
    size_t pos = 0;
    for (int i = 0; i < 10; ++i) pos = text.find('\n', pos) + 1;
    EXPECT_EQ(ReadSavedState(text.substr(0, pos), s), 10);
    EXPECT_EQ(s.refreshPeriod, 0);
    EXPECT_EQ(ReadSavedState("", s), 0);
    EXPECT_EQ(ReadSavedState("abc\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("2451545\r\n9\r\n", s), 1) << "a calendar index outside 0..8";
    EXPECT_EQ(ReadSavedState("inf\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("2451545\r\n0\r\n-1\r\n-1\r\n-1\r\n0\r\n19\r\n", s), 6) << "step index outside the list";
    std::string quote = FormatSavedState(SavedState{});
    const size_t q = quote.find("\"\"");
    quote.replace(q, 2, "\"an \"inner\" quote\"");
    EXPECT_EQ(ReadSavedState(quote, s), 26) << "a quote inside the text survives";
    EXPECT_EQ(s.eclipseData, "an \"inner\" quote");
}

TEST(SavedStateFile, RandomAndMutatedFilesNeverCrash) {
    std::mt19937 rng(4404);
    const std::string good = FormatSavedState(Sample());
    for (int i = 0; i < 20000; ++i) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const size_t pos = rng() % (text.size() + 1);
            switch (rng() % 4) {
                case 0: text.insert(pos, 1, static_cast<char>(rng() % 256)); break;
                case 1: if (pos < text.size()) text.erase(pos, 1 + rng() % 20); break;
                case 2: text.insert(pos, std::string(rng() % 60, '9')); break;
                default: text = text.substr(0, pos); break;
            }
        }
        SavedState s;
        const int n = ReadSavedState(text, s);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 26);
        if (n >= 2) {
            ASSERT_GE(s.currentCalendar, 0);
            ASSERT_LE(s.currentCalendar, 8);
        }
    }
}

TEST(SavedStateFile, ASaveReplacesTheOldFileWhole) {
    const std::string path = ::testing::TempDir() + "vxrl-test.usr";
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(path, "first\r\n", error)) << error;
    ASSERT_TRUE(WriteFileReplacing(path, "second\r\n", error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "second\r\n");
    // A folder that cannot be written keeps the old file and says why.
    EXPECT_FALSE(WriteFileReplacing("/nonexistent-folder/vxrl.usr", "x", error));
    EXPECT_FALSE(error.empty());
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vx
