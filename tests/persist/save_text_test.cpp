#include "persist/save_text.h"

#include <gtest/gtest.h>

#include <string>

#include "persist/table_signature.h"

namespace {

using namespace std::string_literals;

THighScoreTable SampleTable() {
    THighScoreTable table;
    const char* names[] = {"Ada", "Bo", "Cyd", "", "Eve 2", "F", "Gus", "Hal", "Ivy", "Jo"};
    for (int i = 1; i <= 10; ++i) table.Slot(i) = {names[i - 1], 10000 - 1000 * i};
    return table;
}

TEST(SaveText, FilesAreWrittenLineByLineWithCrLf) {
    TGameOptions options;
    options.FullScreen = 1;
    options.Music = 0;
    options.Sound = 5;  // any non-zero value is written as set
    options.Country = "Atlantis";
    const THighScoreTable table = SampleTable();
    EXPECT_EQ(FormatOptionsFile(options, table),
              "1\r\n0\r\n1\r\nAtlantis\r\n" + TableSignature(table) + "\r\n");
    EXPECT_EQ(FormatHighScoreFile(table),
              "Ada\r\n9000\r\nBo\r\n8000\r\nCyd\r\n7000\r\n\r\n6000\r\nEve 2\r\n5000\r\n"
              "F\r\n4000\r\nGus\r\n3000\r\nHal\r\n2000\r\nIvy\r\n1000\r\nJo\r\n0\r\n");
}

TEST(SaveText, WhatIsWrittenReadsBack) {
    TGameOptions options;
    options.Music = 0;
    options.Country = "";
    THighScoreTable table = SampleTable();
    table.Slot(2).Score = -17;
    const TOptionsFile read = ParseOptionsFile(FormatOptionsFile(options, table));
    EXPECT_EQ(read.Options.FullScreen, 0);
    EXPECT_EQ(read.Options.Music, 0);
    EXPECT_EQ(read.Options.Sound, 1);
    EXPECT_EQ(read.Options.Country, "");
    EXPECT_EQ(read.TableSignature, TableSignature(table));
    const THighScoreTable back = ParseHighScoreFile(FormatHighScoreFile(table));
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(back.Slot(i).Name, table.Slot(i).Name);
        EXPECT_EQ(back.Slot(i).Score, table.Slot(i).Score);
    }
}

TEST(SaveText, AnyNonZeroFlagIsSet) {
    const TOptionsFile read = ParseOptionsFile("2\r\n-1\r\n0\r\nX\r\nsig\r\n");
    EXPECT_EQ(read.Options.FullScreen, 1);
    EXPECT_EQ(read.Options.Music, 1);
    EXPECT_EQ(read.Options.Sound, 0);
    EXPECT_EQ(read.Options.Country, "X");
    EXPECT_EQ(read.TableSignature, "sig");
}

// A broken line gives that value's default and leaves the other values alone.
TEST(SaveText, MalformedOptionLinesGiveTheirDefaults) {
    struct Case {
        std::string text;
        int fullScreen, music, sound;
        std::string country, signature;
    };
    const Case cases[] = {
        {"", 0, 1, 1, "_______", ""},
        {"1", 1, 1, 1, "_______", ""},
        {"yes\r\nno\r\n0\r\n", 0, 1, 0, "_______", ""},
        {"1\r\n0x0\r\n 0 \r\nC\r\n", 1, 1, 0, "C", ""},
        {"99999999999\r\n0\r\n1e3\r\n\r\n", 0, 0, 1, "", ""},
        {"1\n0\n0\nLF only\nS", 1, 0, 0, "LF only", "S"},
        {"1\r0\r0\rCR only\rS\r", 1, 0, 0, "CR only", "S"},
        {"1\r\n\0\r\n0\r\nNul\0Byte\r\n"s, 1, 1, 0, "Nul\0Byte"s, ""},
        {"+1\r\n-0\r\n--1\r\n", 1, 0, 1, "_______", ""},
    };
    for (const Case& c : cases) {
        const TOptionsFile read = ParseOptionsFile(c.text);
        EXPECT_EQ(read.Options.FullScreen, c.fullScreen) << c.text;
        EXPECT_EQ(read.Options.Music, c.music) << c.text;
        EXPECT_EQ(read.Options.Sound, c.sound) << c.text;
        EXPECT_EQ(read.Options.Country, c.country) << c.text;
        EXPECT_EQ(read.TableSignature, c.signature) << c.text;
    }
}

TEST(SaveText, NumbersAreThirtyTwoBitDecimals) {
    EXPECT_EQ(ParseSaveNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseSaveNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseSaveNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ParseSaveNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseSaveNumber("00000000007"), std::nullopt);  // eleven digits
    EXPECT_EQ(ParseSaveNumber("0000000007"), 7);
    EXPECT_EQ(ParseSaveNumber("\t12 "), 12);
    EXPECT_EQ(ParseSaveNumber("1 2"), std::nullopt);
    EXPECT_EQ(ParseSaveNumber("-"), std::nullopt);
    EXPECT_EQ(ParseSaveNumber(""), std::nullopt);
    EXPECT_EQ(ParseSaveNumber("12a"), std::nullopt);
}

TEST(SaveText, BrokenScoreLinesGiveTheDefaultSlot) {
    // Slot 1 fine, slot 2's score is junk, slot 3 has a long name, the file ends in slot 4.
    const std::string longName(300, 'N');
    const THighScoreTable table =
        ParseHighScoreFile("Ada\r\n9000\r\nBo\r\nlots\r\n" + longName + "\r\n70\r\nDee\r\n");
    EXPECT_EQ(table.Slot(1).Name, "Ada");
    EXPECT_EQ(table.Slot(1).Score, 9000);
    EXPECT_EQ(table.Slot(2).Name, "Bo");
    EXPECT_EQ(table.Slot(2).Score, 4500);
    EXPECT_EQ(table.Slot(3).Name, std::string(kSaveLineLimit, 'N'));  // kept up to the limit
    EXPECT_EQ(table.Slot(3).Score, 70);
    EXPECT_EQ(table.Slot(4).Name, "Dee");
    EXPECT_EQ(table.Slot(4).Score, 3500);
    for (int i = 5; i <= 10; ++i) {
        EXPECT_EQ(table.Slot(i).Name, "ANONYMOUS");
        EXPECT_EQ(table.Slot(i).Score, 5500 - 500 * i);
    }
}

// A number followed by hundreds of blanks is cut at the line limit: no number then.
TEST(SaveText, AnOverlongNumberLineIsNoNumber) {
    const std::string padded = "1" + std::string(kSaveLineLimit, ' ');
    EXPECT_EQ(ParseOptionsFile(padded + "\r\n0\r\n").Options.FullScreen, 0);
    EXPECT_EQ(ParseOptionsFile(padded.substr(0, kSaveLineLimit) + "\r\n").Options.FullScreen, 1);
}

// Names longer than the name entry allows, or with characters it cannot type, are read as they
// stand; the signature decides whether the table stands.
TEST(SaveText, OddNamesAreReadAsTheyStand) {
    const std::string odd = "A name far longer than twelve | with <b>\xE9\xFF\t";
    const THighScoreTable table = ParseHighScoreFile(odd + "\r\n1\r\n");
    EXPECT_EQ(table.Slot(1).Name, odd);
    EXPECT_EQ(table.Slot(1).Score, 1);
}

TEST(SaveText, ReadingStopsAtTheReadLimit) {
    // Twenty lines placed after kSaveReadLimit bytes of blank lines are never seen.
    std::string text(kSaveReadLimit, '\n');
    text += "Late\r\n1\r\n";
    const THighScoreTable table = ParseHighScoreFile(text);
    EXPECT_EQ(table.Slot(1).Name, "");
    EXPECT_EQ(table.Slot(1).Score, 5000);
}

}  // namespace
