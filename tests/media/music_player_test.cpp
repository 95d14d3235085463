#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "media/music_player.h"
#include "media/wave_list.h"
#include "persist/temp_folder.h"

namespace {

// A tiny XM module: two channels, one 64-row pattern of empty notes, no instruments. At speed 6
// and 125 BPM a row lasts 6 x 2.5 / 125 s, so the song is 7.68 s long.
std::vector<uint8_t> EmptyXm() {
    std::vector<uint8_t> bytes;
    auto text = [&](const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i) bytes.push_back(i < s.size() ? s[i] : 0);
    };
    auto put16 = [&](uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    text("Extended Module: ", 17);
    text("test", 20);
    bytes.push_back(0x1A);
    text("test", 20);
    put16(0x0104);
    put32(276);
    put16(1);       // song length
    put16(0);       // restart position
    put16(2);       // channels
    put16(1);       // patterns
    put16(0);       // instruments
    put16(1);       // linear frequencies
    put16(6);       // speed
    put16(125);     // BPM
    text("", 256);  // order table: pattern 0
    put32(9);       // pattern header
    bytes.push_back(0);
    put16(64);                                // rows
    put16(64 * 2);                            // packed data: one byte per note
    bytes.insert(bytes.end(), 64 * 2, 0x80);  // "no fields follow": an empty note
    // The player wants some bytes after the last pattern, where real songs keep instruments.
    bytes.insert(bytes.end(), 64, 0);
    return bytes;
}

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        audio = OpenAudioBackend();
        ASSERT_FALSE(audio->Silent()) << "the dummy audio driver did not open";
        dir = folder.Path();
    }

    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    std::unique_ptr<AudioBackend> audio;
    TempFolder folder;
    std::filesystem::path dir;
};

TEST_F(MusicPlayerTest, SongLoadsPlaysAndIsFreed) {
    TMusicPlayer player;
    const int song = player.SongLoadFromFile(WriteFile("Menu.xm", EmptyXm()));
    ASSERT_NE(song, 0) << SDL_GetError();
    EXPECT_NEAR(player.SongLengthSeconds(song), 7.68, 0.5);  // the player rounds to seconds
    player.SongPlay(song);
    EXPECT_TRUE(player.Playing());
    player.SongFree(song);
    EXPECT_FALSE(player.Playing());
    EXPECT_EQ(player.SongLengthSeconds(song), -1.0);
    player.SongPlay(song);  // a freed handle plays nothing
    EXPECT_FALSE(player.Playing());
}

TEST_F(MusicPlayerTest, MissingOrBrokenSongsGiveHandleZero) {
    TMusicPlayer player;
    EXPECT_EQ(player.SongLoadFromFile((dir / "Race.xm").string()), 0);
    EXPECT_EQ(player.SongLoadFromFile(WriteFile("Broken.xm", {'n', 'o', 'p', 'e'})), 0);
    player.SongPlay(0);
    player.SongFree(0);
    EXPECT_FALSE(player.Playing());
}

}  // namespace
