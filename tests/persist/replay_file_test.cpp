// A race's recording as a file: the stream's coding at the edges of its tags, the header, the size
// of a long race, and every way a file is refused.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "persist/replay_file.h"

namespace {

std::vector<ReplayItem> ReadAll(std::string_view stream, bool* failed = nullptr) {
    ReplayStreamReader reader(stream);
    std::vector<ReplayItem> items;
    ReplayItem item;
    while (reader.Next(item)) items.push_back(item);
    if (failed != nullptr) *failed = reader.Failed();
    return items;
}

ReplayItem FrameItem(int lag, int rate = 60, int refresh = 60, uint64_t input = 0) {
    return ReplayItem{true, ReplayFrame{lag, rate, refresh, input}, {}};
}

ReplayItem EventItem(ReplayEventKind kind, int a = 0, int b = 0) {
    return ReplayItem{false, {}, ReplayEvent{kind, a, b}};
}

std::string Write(const std::vector<ReplayItem>& items) {
    ReplayStreamWriter writer;
    for (const ReplayItem& item : items) {
        if (item.IsFrame) {
            writer.Frame(item.Frame);
        } else {
            writer.Event(item.Event);
        }
    }
    return writer.Bytes();
}

// Each case: frames after a first one of LagCount 17, and the bytes they take.
struct CodingCase {
    const char* what;
    std::vector<ReplayItem> after;
    size_t bytes;
};

TEST(ReplayStreamTest, EachCodingTakesItsBytesAndReadsBackAlike) {
    const ReplayItem first = FrameItem(17);
    const std::string firstBytes = Write({first});
    ASSERT_EQ(firstBytes.size(), 4u);  // the changes tag, LagCount, frame rate, refresh rate
    const std::vector<CodingCase> cases = {
        {"a repeat", {FrameItem(17)}, 1},
        {"128 repeats: one short run", std::vector<ReplayItem>(128, FrameItem(17)), 1},
        {"129 repeats: a long run", std::vector<ReplayItem>(129, FrameItem(17)), 3},
        {"LagCount 16 lower: one byte", {FrameItem(1)}, 1},
        {"LagCount 15 higher: one byte", {FrameItem(32)}, 1},
        {"LagCount 16 higher: a full frame", {FrameItem(33)}, 2},
        {"the frame rate", {FrameItem(17, 59)}, 2},
        {"the refresh rate", {FrameItem(17, 60, 144)}, 3},
        {"a key and its hit", {FrameItem(17, 60, 60, 0x401)}, 3},
        {"the highest input bit",
         {FrameItem(17, 60, 60, uint64_t{1} << (kReplayInputBits - 1))},
         6},
        {"a typed Enter", {EventItem(ReplayEventKind::Char, 13)}, 2},
        {"the pointer off the surface", {EventItem(ReplayEventKind::MouseMove, -1, 799)}, 4},
        {"a click", {EventItem(ReplayEventKind::Click)}, 1},
        {"every other event",
         {EventItem(ReplayEventKind::CloseRequest), EventItem(ReplayEventKind::FullScreenKey),
          EventItem(ReplayEventKind::FocusLost), EventItem(ReplayEventKind::FocusGained),
          EventItem(ReplayEventKind::PadLost)},
         5},
    };
    for (const CodingCase& c : cases) {
        std::vector<ReplayItem> items = {first};
        items.insert(items.end(), c.after.begin(), c.after.end());
        const std::string bytes = Write(items);
        EXPECT_EQ(bytes.size() - firstBytes.size(), c.bytes) << c.what;
        bool failed = true;
        EXPECT_EQ(ReadAll(bytes, &failed), items) << c.what;
        EXPECT_FALSE(failed) << c.what;
    }
    // A step of -17 from 18 (to 1) is past the one-byte step: the full frame's two bytes.
    EXPECT_EQ(Write({FrameItem(18), FrameItem(1)}).size(), 4u + 2u);
    EXPECT_EQ(Write({FrameItem(18), FrameItem(2)}).size(), 4u + 1u);
}

TEST(ReplayStreamTest, ALongRunIsTakenInOneStep) {
    // A frame, then a run of 2^32 - 1 frames: a file of a few bytes that stands for months of
    // racing must not take months to read.
    const std::string stream("\x85\x11\x3C\x80\xFF\xFF\xFF\xFF\x0F\x92", 10);
    ReplayStreamReader reader(stream);
    ReplayItem item;
    uint32_t count = 0;
    ASSERT_TRUE(reader.NextRun(item, count));
    EXPECT_EQ(count, 1u);
    ASSERT_TRUE(reader.NextRun(item, count));
    EXPECT_EQ(count, UINT32_MAX);
    EXPECT_EQ(item, FrameItem(17, 0, 60));
    ASSERT_TRUE(reader.NextRun(item, count));
    EXPECT_EQ(item, EventItem(ReplayEventKind::Click));
    EXPECT_FALSE(reader.NextRun(item, count));
    EXPECT_FALSE(reader.Failed());
    // One more than a 32-bit count holds is no run.
    bool failed = false;
    ReadAll(std::string("\x85\x11\x3C\x80\x80\x80\x80\x80\x10", 9), &failed);
    EXPECT_TRUE(failed);
}

TEST(ReplayStreamTest, AStreamThatCannotBeReadSaysSo) {
    const std::vector<std::pair<const char*, std::string>> broken = {
        {"a repeat before any frame", std::string(1, '\x00')},
        {"a step before any frame", std::string(1, '\xA0')},
        {"a first frame without a refresh rate", std::string("\x81\x11", 2)},
        {"LagCount 0", std::string("\x85\x00\x3C", 3)},
        {"a tag that is none", std::string("\x85\x11\x3C\xC0", 4)},
        {"a varint cut off", std::string("\x85\x91", 2)},
        {"input bit 29, the first past the word",
         std::string("\x85\x11\x3C\x88\x80\x80\x80\x80\x02", 9)},
        {"a long run of none", std::string("\x85\x11\x3C\x80\x00", 5)},
        {"a step below LagCount 1", std::string("\x85\x01\x3C\xA0", 4)},
        {"a typed character cut off", std::string("\x90", 1)},
    };
    for (const auto& [what, bytes] : broken) {
        bool failed = false;
        ReadAll(bytes, &failed);
        EXPECT_TRUE(failed) << what;
    }
}

TEST(ReplayStreamTest, FiveMinutesAt144HzTakeLessThan100KB) {
    // A display at 144 Hz read by a millisecond clock: LagCount 7, 7, 7, 6, ... with a late frame
    // now and then; the measured rate moves every second, the keys change every sixth frame.
    ReplayStreamWriter writer;
    int64_t shownAt = 0;
    uint64_t input = 0;
    for (int frame = 1; frame <= 5 * 60 * 144; ++frame) {
        const int64_t now = frame * 1000 / 144 + (frame % 97 == 0 ? 3 : 0);
        const int lag = static_cast<int>(std::max<int64_t>(now - shownAt, 1));
        shownAt = now;
        if (frame % 6 == 0) input ^= uint64_t{1} << (frame / 6 % 8) | uint64_t{1} << 10;
        writer.Frame({lag, 143 + frame / 144 % 3, 144, input});
        if (frame % 500 == 0) writer.Event({ReplayEventKind::Char, 'a', 0});
    }
    EXPECT_LT(writer.Bytes().size(), 100u * 1024u);
}

ReplayHeader SampleHeader() {
    ReplayHeader h;
    h.GameVersion = "2.0";
    h.Seed = 0xDEADBEEF;
    h.RandomState = 0x80000001;
    h.Car = 6;
    h.Level = 25;
    h.Gives = {3, 4, 2};
    h.FrameMs = 16;
    h.FrameScale = 85.0 / 60;
    h.TableBar = -7;
    h.FrameCount = 2;
    h.EventCount = 1;
    h.FinalScore = 123456;
    h.FinalLevel = 26;
    h.StartName = "Bob";
    h.EnteredTable = true;
    h.EnteredName = "TwelveLetter";
    return h;
}

std::string SampleStream() {
    return Write({FrameItem(17), EventItem(ReplayEventKind::Char, 13), FrameItem(16)});
}

TEST(ReplayFileTest, TheHeaderReadsBackFieldByField) {
    const std::string file = EncodeReplay(SampleHeader(), SampleStream());
    ASSERT_EQ(file.size(), kReplayHeaderSize + 3 + SampleStream().size() + 4);
    std::string error;
    const std::optional<ReplayRecording> read = DecodeReplay(file, "race.zvr", error, "2.0");
    ASSERT_TRUE(read) << error;
    const ReplayHeader& h = read->Header;
    const ReplayHeader want = SampleHeader();
    EXPECT_EQ(h.GameVersion, want.GameVersion);
    EXPECT_EQ(h.Seed, want.Seed);
    EXPECT_EQ(h.RandomState, want.RandomState);
    EXPECT_EQ(h.Car, 6);
    EXPECT_EQ(h.Level, 25);
    EXPECT_EQ(h.Gives, want.Gives);
    EXPECT_EQ(h.FrameMs, 16);
    EXPECT_EQ(h.FrameScale, 85.0 / 60);  // every bit of it
    EXPECT_EQ(h.TableBar, -7);
    EXPECT_EQ(h.FinalScore, 123456);
    EXPECT_EQ(h.FinalLevel, 26);
    EXPECT_EQ(h.StartName, "Bob");
    EXPECT_TRUE(h.EnteredTable);
    EXPECT_EQ(h.EnteredName, "TwelveLetter");
    EXPECT_EQ(read->Stream, SampleStream());
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);  // the check value of the CRC-32 in use
}

// A file changed at a byte, with its checksum made right again.
std::string Patched(std::string file, size_t at, char value) {
    file[at] = value;
    const uint32_t crc = Crc32(std::string_view(file).substr(0, file.size() - 4));
    for (int i = 0; i < 4; ++i) file[file.size() - 4 + i] = static_cast<char>(crc >> (8 * i));
    return file;
}

TEST(ReplayFileTest, EachFaultIsRefusedWithTheFileNamed) {
    const std::string good = EncodeReplay(SampleHeader(), SampleStream());
    std::string flipped = good;
    flipped[kReplayHeaderSize + 4] ^= 0x01;
    struct Refusal {
        const char* what;
        std::string bytes;
        const char* says;
    };
    const std::vector<Refusal> refusals = {
        {"another kind of file", "PNG\r\n\x1a\n....", "not a Zarvex 2 recording"},
        {"the next format", Patched(good, 8, 2), "format version 2; this game plays version 1"},
        {"another game", Patched(good, 12, '3'), "recorded by Zarvex 2 3.0; this is 2.0"},
        {"a byte changed", flipped, "checksum"},
        {"cut short", good.substr(0, good.size() - 1), "sizes"},
        {"a byte more", good + "x", "sizes"},
        {"the stream's size one more", Patched(good, 76, static_cast<char>(good[76] + 1)), "sizes"},
        {"one frame more than held", Patched(good, 60, 3), "another number of frames"},
        {"a seventh car", Patched(good, 36, 7), "out of range"},
        {"level 0", Patched(good, 40, 0), "out of range"},
        {"an item of no kind", Patched(good, kReplayHeaderSize, 5), "item"},
        {"a name of 13 letters", Patched(good, 80, 13), "name"},
        {"a reserved byte set", Patched(good, 111, 1), "out of range"},
        {"a header alone", good.substr(0, kReplayHeaderSize), "cut short"},
    };
    for (const Refusal& r : refusals) {
        std::string error;
        EXPECT_FALSE(DecodeReplay(r.bytes, "/saves/race-000007.zvr", error, "2.0")) << r.what;
        EXPECT_EQ(error.rfind("/saves/race-000007.zvr: ", 0), 0u) << r.what << ": " << error;
        EXPECT_NE(error.find(r.says), std::string::npos) << r.what << ": " << error;
    }
    std::string error;
    EXPECT_TRUE(DecodeReplay(Patched(good, 12, '3'), "any", error))
        << "any version when none asked";
}

}  // namespace
