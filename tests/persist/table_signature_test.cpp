#include "persist/table_signature.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The signature read straight from its description, positions counted from 1, one character
// at a time; score digits without a position in S are left out.
std::string LiteralSignature(const THighScoreTable& table) {
    int longest = 0;
    for (int slot = 1; slot <= 10; ++slot) {
        const int length = static_cast<int>(table.Slot(slot).Name.length());
        if (length > longest) longest = length;
    }
    std::string s;
    for (int j = 1; j <= longest; ++j) s.push_back(char(32));
    auto code = [](char c) { return static_cast<int>(static_cast<unsigned char>(c)); };
    for (int slot = 1; slot <= 10; ++slot) {
        const std::string& name = table.Slot(slot).Name;
        for (int j = 1; j <= static_cast<int>(name.length()); ++j)
            s[j - 1] = static_cast<char>((code(s[j - 1]) + code(name[j - 1])) % 224 + 32);
        const std::string digits = std::to_string(table.Slot(slot).Score);
        for (int k = 1; k <= static_cast<int>(digits.length()); ++k) {
            if (k > longest) continue;
            s[k - 1] = static_cast<char>((code(s[k - 1]) + code(digits[k - 1])) % 224 + 32);
        }
    }
    return s;
}

TEST(TableSignature, MatchesTheLiteralReadingOnRandomTables) {
    std::mt19937 random(2024);
    for (int round = 0; round < 2000; ++round) {
        THighScoreTable table;
        for (int slot = 1; slot <= 10; ++slot) {
            std::string name(random() % 17, ' ');
            for (char& c : name) c = static_cast<char>(random() % 256);  // any byte, even 0
            int score = static_cast<int>(random());
            if (round % 3 == 0) score = static_cast<int>(random() % 100000);
            if (round % 7 == 0) score = -score;
            table.Slot(slot) = {name, score};
        }
        if (round % 5 == 0)  // short names and long scores: digits past the signature's end
            for (int slot = 1; slot <= 10; ++slot) table.Slot(slot).Name.resize(round % 4);
        ASSERT_EQ(TableSignature(table), LiteralSignature(table)) << "round " << round;
    }
}

// By hand: two spaces (32 32); "AB" makes them (32 + 65) mod 224 + 32 = 129 and 130; the score
// "5" (53) turns 129 into 214; nine scores "0" (48) then step the first character by
// x -> (x + 48) mod 224 + 32: 70 150 230 86 166 246 102 182 38.
TEST(TableSignature, ATableWorkedOutByHand) {
    THighScoreTable table;
    table.Slot(1) = {"AB", 5};
    for (int slot = 2; slot <= 10; ++slot) table.Slot(slot) = {"", 0};
    EXPECT_EQ(TableSignature(table), std::string("\x26\x82"));
}

TEST(TableSignature, EmptyNamesGiveAnEmptySignature) {
    THighScoreTable table;
    for (int slot = 1; slot <= 10; ++slot) table.Slot(slot) = {"", 123456789};
    EXPECT_EQ(TableSignature(table), "");
}

TEST(TableSignature, ChangesWithADigitAndIgnoresSlotEleven) {
    THighScoreTable table;
    const std::string before = TableSignature(table);
    table.Slot(11) = {"SCRATCH", 99999};
    EXPECT_EQ(TableSignature(table), before);
    table.Slot(7).Score = 2001;  // was 2000
    EXPECT_NE(TableSignature(table), before);
}

}  // namespace
