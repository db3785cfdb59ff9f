// Bad input never crashes, hangs or overflows the entry parser: random texts
// and mutations of valid entries, up to 1000 characters, for a bounded time.
// Run under AddressSanitizer and UBSan in CI.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>

#include "DateEntry.h"

namespace vx {
namespace {

const char* const kSeeds[] = {
    "2003-12-31 CE 15:55",
    "999999.99 CJD",
    "2,111,111 AJD",
    "5-0544-12-26 OLC",
    "104-06-07-29 DV",
    "2-099-04-06-1 LVT",
    "099-04-06-1 LVT",
    "96-1-11-1 SVT",
    "-500-03-01 JC",
    "5001-01-3-9 CLW",
    "2001-12-31 CE (Wednesday, December 31, 2001)",
    "-5001-01-1-1 CLW",
    "2003-12-31 ce 9:05",
};

const std::string kAlphabet =
    "0123456789--::,,.. ()/+CEJOLDVTSWAeljc\t\x01\xff"
    "9999999999";

std::string Mutate(std::string s, std::mt19937& rng) {
    std::uniform_int_distribution<int> op(0, 5);
    std::uniform_int_distribution<size_t> ch(0, kAlphabet.size() - 1);
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits; ++e) {
        const size_t pos = s.empty() ? 0 : rng() % (s.size() + 1);
        switch (op(rng)) {
            case 0:
                s.insert(pos, 1, kAlphabet[ch(rng)]);
                break;
            case 1:
                if (!s.empty() && pos < s.size()) s.erase(pos, 1);
                break;
            case 2:
                if (!s.empty() && pos < s.size()) s[pos] = kAlphabet[ch(rng)];
                break;
            case 3:
                s.insert(pos, std::string(1 + rng() % 40, '9'));
                break;  // overflowing numbers
            case 4:
                s.insert(pos, s.substr(0, std::min<size_t>(s.size(), 60)));
                break;
            default:
                s.insert(pos, std::string(1 + rng() % 5, '-'));
                break;
        }
        if (s.size() > 1000) s.resize(1000);
    }
    return s;
}

std::string RandomText(std::mt19937& rng) {
    std::string s(rng() % 1001, ' ');
    for (char& c : s) c = static_cast<char>(rng() % 256);
    return s;
}

TEST(EntryFuzz, RandomAndMutatedEntriesAnswerWithACode) {
    std::mt19937 rng(1955);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    int runs = 0;
    while (std::chrono::steady_clock::now() < deadline && runs < 400000) {
        for (int i = 0; i < 100; ++i, ++runs) {
            std::string text = (runs % 3 == 0) ? RandomText(rng) : Mutate(kSeeds[rng() % std::size(kSeeds)], rng);
            DateEntryInputs host;
            host.currentCalendar = static_cast<int>(rng() % 9);
            host.zoneOffset = static_cast<int>(rng() % 49) * 30 - 720;
            host.plusMinus = (rng() % 4 == 0) ? "1" : "";
            host.shownDate = kSeeds[rng() % std::size(kSeeds)];
            host.fromHistory = rng() % 5 == 0;
            const DateEntryResult r = ParseDateEntry(text, host);
            ASSERT_GE(r.error, 0);
            ASSERT_LE(r.error, 19);
            if (r.error == 0) {
                ASSERT_FALSE(std::isnan(r.moment)) << text;
            }
        }
    }
    std::printf("fuzzed %d entries\n", runs);
    EXPECT_GT(runs, 1000);
}

TEST(EntryFuzz, LongAndPathologicalEntries) {
    const std::string cases[] = {
        std::string(1000, '9'),
        std::string(1000, '-'),
        std::string(1000, ':'),
        "1" + std::string(999, ':'),
        std::string(500, '9') + " CE",
        std::string(990, '9') + " CJD",
        "2003-12-31 CE " + std::string(980, '9') + ":00",
        "2003-12-31 CE 12:" + std::string(980, '9'),
        std::string(300, '1') + "-01-01 CE",
        "1-" + std::string(300, '1') + "-01-01 OLC",
        "5001-01-" + std::string(300, '1') + "-1 CLW",
        "(((((((((((((((((((",
        "1CE(CE(CE(CE(",
        "-",
        "0",
    };
    for (const std::string& text : cases) {
        DateEntryInputs host;
        const DateEntryResult r = ParseDateEntry(text, host);
        EXPECT_GE(r.error, 0) << text;
        EXPECT_LE(r.error, 19) << text;
    }
}

}  // namespace
}  // namespace vx
