#include "submission.h"

#include <gtest/gtest.h>

#include <string>

#include "persist/score_record.h"

namespace {

// A record of the game's form with any text in its fields, padded as the game pads.
std::string Record(const std::string& name, const std::string& score, const std::string& country) {
    std::string record =
        "type=0|name=" + name + "|score=" + score + "|key=X|p=|add=" + country + "|z=";
    while (record.size() % 5 != 0) record += '0';
    return record;
}

TEST(Submission, TheGamesOwnRecordsAreAcceptedAtTheirLimits) {
    struct Case {
        std::string name;
        int score;
        std::string country;
    };
    const Case cases[] = {
        {"A", 0, "_______"},
        {"", 0, ""},
        {"Max Power 12", 2147483647, "Atlantis Island "},  // 12 and 16 characters
        {"   ", 1, "___abc"},
        {"0123456789Az", 1000000000, "ZZZZZZZZZZZZZZZZ"},
    };
    for (const Case& c : cases) {
        const auto entry =
            ParseSubmission(EncodeScoreRecord(ScoreRecord(c.name, c.score, c.country)));
        ASSERT_TRUE(entry.has_value()) << c.name;
        EXPECT_EQ(entry->Name, c.name);
        EXPECT_EQ(entry->Score, c.score);
        EXPECT_EQ(entry->Country, c.country);
    }
}

TEST(Submission, EachFieldIsRefusedJustPastItsLimit) {
    EXPECT_TRUE(ParseScoreRecord(Record("ABCDEFGHIJKL", "1", "X")));
    EXPECT_FALSE(ParseScoreRecord(Record("ABCDEFGHIJKLM", "1", "X")));
    EXPECT_TRUE(ParseScoreRecord(Record("A", "1", "ABCDEFGHIJKLMNOP")));
    EXPECT_FALSE(ParseScoreRecord(Record("A", "1", "ABCDEFGHIJKLMNOPQ")));
    EXPECT_TRUE(ParseScoreRecord(Record("A", "2147483647", "X")));
    EXPECT_FALSE(ParseScoreRecord(Record("A", "2147483648", "X")));
    EXPECT_FALSE(ParseScoreRecord(Record("A", "9999999999", "X")));
    EXPECT_FALSE(ParseScoreRecord(Record("A", "10000000000", "X")));
    EXPECT_TRUE(ParseScoreRecord(Record("A", "0", "X")));
    EXPECT_TRUE(ParseScoreRecord(Record("A", "10", "X")));
}

TEST(Submission, FieldsOutsideTheGamesRulesAreRefused) {
    for (const char* score : {"-1", "007", "00", "", "+1", " 1", "1 ", "1e3", "0x10", "1.5"})
        EXPECT_FALSE(ParseScoreRecord(Record("A", score, "X"))) << score;
    for (const char* name :
         {"a_b", "a-b", "<b>", "O'Neil", "a;b", "\xC3\xA9t\xC3\xA9", "tab\t", "nul\x01"})
        EXPECT_FALSE(ParseScoreRecord(Record(name, "1", "X"))) << name;
    for (const char* country : {"a-b", "O'Brien", "x;DROP", "\xC3\xBC", "a%20b"})
        EXPECT_FALSE(ParseScoreRecord(Record("A", "1", country))) << country;
}

TEST(Submission, TheFixedPiecesMustStandExactly) {
    const std::string good = Record("A", "1", "X");
    ASSERT_TRUE(ParseScoreRecord(good));
    for (const std::string& bad : {
             std::string("type=1|name=A|score=1|key=X|p=|add=X|z=00000"),
             std::string("TYPE=0|name=A|score=1|key=X|p=|add=X|z=0000"),
             std::string("type=0|name=A|score=1|key=Y|p=|add=X|z=0000"),
             std::string("type=0|name=A|score=1|key=X|p=1|add=X|z=000"),
             std::string("type=0|name=A|score=1|p=|key=X|add=X|z=0000"),
             std::string("type=0|name=A|score=1|key=X|p=|add=X|z=0000|"),
             std::string("type=0|name=A|score=1|key=X|p=|add=X|x=0000"),
             std::string("type=0|name=A|score=1|key=X|p=|add=X|z=1"),
             std::string("type=0|name=A|score=1|key=X|p=|add=X|z=000000"),  // fill of 6
             std::string("type=0|name=A|score=1|key=X|p=|add=X|z=000"),     // not a multiple of 5
             std::string("type=0|name=A|name=B|score=1|key=X|p=|add=X|z=00"),
             std::string("type=0|name=A|score=1|key=X|p=|add=X|add=X|z=000"),
             std::string(" type=0|name=A|score=1|key=X|p=|add=X|z=000"),
             std::string(""),
         })
        EXPECT_FALSE(ParseScoreRecord(bad)) << bad;
}

TEST(Submission, TheEncodedTextMustBeWholeAndOfTheAlphabet) {
    const std::string good = EncodeScoreRecord(ScoreRecord("A", 0, "_______"));
    ASSERT_TRUE(ParseSubmission(good));
    for (std::size_t cut = 1; cut < 8; ++cut)
        EXPECT_FALSE(ParseSubmission(good.substr(0, good.size() - cut))) << cut;
    EXPECT_FALSE(ParseSubmission(good + good.substr(0, 8)));
    EXPECT_FALSE(ParseSubmission(""));
    std::string foreign = good;
    foreign[5] = 'a';  // the alphabet has capitals and digits only
    EXPECT_FALSE(ParseSubmission(foreign));
    // Longer than any record the game can send, even when it decodes to a valid-looking record.
    const std::string longest =
        EncodeScoreRecord(ScoreRecord("ABCDEFGHIJKL", 2147483647, "ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(longest.size(), kEncodedRecordLimit);
    EXPECT_TRUE(ParseSubmission(longest));
    EXPECT_FALSE(ParseSubmission(EncodeScoreRecord(Record("A", "1", "X") + "00000")));
}

}  // namespace
