#pragma once
// The contents of the game's archive files as plain data: named pictures with their pattern
// layout and transparency, and named sounds with their playback flags. Readers and writers of the
// file format (archive_reader.h, archive_writer.h) convert between these and the bytes on disk.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/names.h"

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

// A decoded bitmap: top row first, one 0xAARRGGBB value per pixel, alpha always 255.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The colour "clNone": no colour at all. As a key colour it means that no pixel is see-through
// (it is not white, although its low bytes would read so).
inline constexpr uint32_t kColorNone = 0x1FFFFFFF;

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
    // either way. kColorNone: no key colour, the picture is opaque even when `transparent`.
    uint32_t transparentColor = 0;
    DecodedPicture picture;

    // True when some colour of the picture is left out when it is drawn.
    bool HasKeyColor() const { return transparent && transparentColor != kColorNone; }
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
        if (SameNameIgnoringCase(entry.name, name)) return &entry;
    }
    return nullptr;
}
