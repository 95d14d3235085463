#pragma once
// The contents of the game's archive files as plain data: named pictures with their pattern
// layout and transparency, and named sounds with their playback flags. Readers and writers of the
// file format (archive_reader.h, archive_writer.h) convert between these and the bytes on disk.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Every failure to read an archive. The message is the one the player sees, e.g.
// "Invalid stream format", "DIB is invalid", "Stream read error".
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The messages of the archive format's failures.
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kDibIsInvalid = "DIB is invalid";
inline constexpr const char* kInvalidPropertyValue = "Invalid property value";

// Item names (and property names) compare without regard to the case of ASCII letters:
// "explosion" finds "Explosion".
inline bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

// A decoded bitmap: top row first, one 0xAARRGGBB value per pixel, alpha always 255.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One image item of an image archive (a strip or grid of equally sized patterns).
struct ImageEntry {
    std::string name;
    int patternWidth = 0;   // 0: the picture's full width
    int patternHeight = 0;  // 0: the picture's full height
    int skipWidth = 0;
    int skipHeight = 0;
    bool systemMemory = false;
    bool transparent = false;
    // The key colour as stored in the archive: 0x00BBGGRR. Magenta 0x00FF00FF reads the same
    // either way.
    uint32_t transparentColor = 0;
    DecodedPicture picture;
};

// One sound item of a sound archive.
struct WaveEntry {
    std::string name;
    bool looped = false;
    int maxPlayingCount = 0;    // 0: the pool of playback buffers may grow without limit
    std::vector<uint8_t> wave;  // a complete RIFF WAVE file
};

// The readers keep every item in file order, duplicates included. When two items share a name
// (ignoring case) the first one wins: this is the look-up that the lists use.
template <class Entry>
const Entry* FindEntryByName(const std::vector<Entry>& entries, std::string_view name) {
    for (const Entry& entry : entries) {
        if (NamesEqual(entry.name, name)) return &entry;
    }
    return nullptr;
}
