#pragma once
// The contents of the game's archive files as plain data: named pictures with their pattern
// layout and transparency, and named sounds with their playback flags. Readers and writers of the
// file format (archive_reader.h, archive_writer.h) convert between these and the bytes on disk.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Every failure to read an archive. The message is the one the player sees, e.g.
// "Invalid stream format", "DIB is invalid", "Stream read error".
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
    int maxPlayingCount = 0;  // 0: the pool of playback buffers may grow without limit
    std::vector<uint8_t> wave;  // a complete RIFF WAVE file
};
