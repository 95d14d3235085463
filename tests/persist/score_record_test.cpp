#include "persist/score_record.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>
#include <string>

namespace {

// The encoding read straight from its description: a string of "0" and "1" characters, "0"
// put in front up to a multiple of 5, then groups of five looked up in the alphabet (from 1).
std::string LiteralEncode(const std::string& record) {
    std::string table[256];
    for (int b = 0; b < 256; ++b)
        for (int bit = 7; bit >= 0; --bit) table[b] += ((b >> bit) & 1) ? '1' : '0';
    std::string bits;
    for (const char c : record) bits += table[static_cast<unsigned char>(c)];
    while (bits.length() % 5 != 0) bits = "0" + bits;
    std::string out;
    for (std::size_t group = 0; group < bits.length(); group += 5) {
        int v = 0;
        for (int i = 0; i < 5; ++i)
            if (bits[group + i] != '0') v += 1 << (4 - i);
        const int symbol = v + 1;  // alphabet characters are numbered from 1
        out += kScoreAlphabet[symbol - 1];
    }
    return out;
}

TEST(ScoreRecord, TheAlphabetHoldsThirtyTwoDistinctLettersAndDigits) {
    const std::set<char> distinct(kScoreAlphabet.begin(), kScoreAlphabet.end());
    EXPECT_EQ(distinct.size(), 32u);
    for (const char c : kScoreAlphabet) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)));
}

TEST(ScoreRecord, AOneLetterNameWithTheDefaultCountryNeedsNoPadding) {
    const std::string record = ScoreRecord("A", 0, "_______");
    EXPECT_EQ(record, "type=0|name=A|score=0|key=X|p=|add=_______|z=");
    EXPECT_EQ(record.size(), 45u);
    EXPECT_EQ(EncodeScoreRecord(record).size(), 72u);
}

// Worked out by hand, bit by bit: "type=" is 01110100 01111001 01110000 01100101 00111101, in
// fives 14 17 28 23 0 25 9 29; one byte 0xFF takes two fill bits in front: 00111 11111, 7 31.
// The score servers decode with the same table: a changed alphabet breaks every one of them.
TEST(ScoreRecord, KnownRecordsEncodeToKnownTexts) {
    EXPECT_EQ(EncodeScoreRecord("type="), "HNS6ZPWA");
    EXPECT_EQ(EncodeScoreRecord("\xFF"), "9U");
    EXPECT_EQ(EncodeScoreRecord(ScoreRecord("A", 0, "_______")).substr(0, 8), "HNS6ZPWA");
    EXPECT_EQ(DecodeScoreRecord("HNS6ZPWA"), "type=");
}

TEST(ScoreRecord, IsPaddedWithZerosToAMultipleOfFive) {
    EXPECT_EQ(ScoreRecord("", 0, ""), "type=0|name=|score=0|key=X|p=|add=|z=000");
    EXPECT_EQ(ScoreRecord("AB", 0, "_______"),
              "type=0|name=AB|score=0|key=X|p=|add=_______|z=0000");
    EXPECT_EQ(ScoreRecord("Max Power 12", 2147483647, "Atlantis Island"),
              "type=0|name=Max Power 12|score=2147483647|key=X|p=|add=Atlantis Island|z=00");
}

TEST(ScoreRecord, EncodingMatchesTheLiteralReading) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 40, '\0');  // any length: the "0" fill in front shows
        for (char& c : bytes) c = static_cast<char>(random() % 256);
        ASSERT_EQ(EncodeScoreRecord(bytes), LiteralEncode(bytes)) << round;
    }
    EXPECT_EQ(EncodeScoreRecord(ScoreRecord("A", 0, "_______")),
              LiteralEncode(ScoreRecord("A", 0, "_______")));
}

TEST(ScoreRecord, DecodingGivesBackEveryRecord) {
    std::mt19937 random(11);
    const std::string typeable = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz _";
    for (int round = 0; round < 1000; ++round) {
        std::string name(random() % 13, ' ');
        std::string country(random() % 17, ' ');
        for (char& c : name) c = typeable[random() % 63];
        for (char& c : country) c = typeable[random() % typeable.size()];
        const std::string record = ScoreRecord(name, static_cast<int>(random() >> 1), country);
        const auto decoded = DecodeScoreRecord(EncodeScoreRecord(record));
        ASSERT_TRUE(decoded.has_value());
        ASSERT_EQ(*decoded, record);
    }
    for (int length = 0; length < 20; ++length) {  // lengths that need the fill bits too
        std::string bytes(length, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 256);
        ASSERT_EQ(DecodeScoreRecord(EncodeScoreRecord(bytes)), bytes) << length;
    }
}

TEST(ScoreRecord, DecodingRefusesForeignSymbolsAndSetFillBits) {
    const std::string good = EncodeScoreRecord(ScoreRecord("A", 0, "_______"));
    for (const char bad : {'0', '1', 'O', 'I', 'a', '=', '%', ' ', '\0', '\xFF'}) {
        if (kScoreAlphabet.find(bad) != std::string_view::npos) continue;
        std::string text = good;
        text[10] = bad;
        EXPECT_EQ(DecodeScoreRecord(text), std::nullopt) << int(bad);
    }
    // One byte is 8 bits, two symbols with 2 fill bits in front: they must be 0.
    const std::string one = EncodeScoreRecord("\xFF");
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(DecodeScoreRecord(one), "\xFF");
    std::string set = one;
    set[0] = kScoreAlphabet[kScoreAlphabet.find(one[0]) | 16];
    EXPECT_EQ(DecodeScoreRecord(set), std::nullopt);
    // Three symbols (15 bits) cannot come from whole bytes with fewer than 5 fill bits.
    EXPECT_EQ(DecodeScoreRecord(good.substr(0, 3)), std::nullopt);
    EXPECT_EQ(DecodeScoreRecord(""), "");
}

}  // namespace
