#pragma once
// Packed device-independent bitmaps (the Windows bitmap layout without its file header), the
// encoding of every picture in an image archive.

#include <cstdint>
#include <span>
#include <vector>

#include "archive/archive_types.h"

// The largest width or height a bitmap may have.
inline constexpr int kMaxDibSide = 16384;
// How many pixels the pictures of one archive may unpack to, all together. A picture's size is
// not bounded by its bytes in the file: 71 bytes of run-length data can claim 4096 x 4096 pixels,
// and an archive of a hundred such items would ask for gigabytes. The game's own art needs about
// 2.2 million pixels in Res1.dxg (61 items, the largest the 800 x 600 menu background) and 1.5
// million in Res2.dxg (64 items, the largest the 4392 x 72 tile strip); the budget leaves room
// for nearly four times the larger archive and keeps one archive's pictures at 32 MB, or 64 MB
// once they are textures too.
inline constexpr int64_t kArchivePixelBudget = int64_t{1} << 23;  // 8,388,608 pixels

// The pixels an archive may still decode. Every picture takes its share before its buffer is
// allocated, whatever its encoding; a picture that does not fit is "DIB is invalid".
class PixelBudget {
public:
    explicit PixelBudget(int64_t pixels = kArchivePixelBudget) : left_(pixels) {}
    // Takes width x height pixels, or throws ArchiveError "DIB is invalid" and takes nothing.
    void Take(int64_t pixels);
    int64_t Left() const { return left_; }

private:
    int64_t left_;
};

// Decodes a packed bitmap: a 12-byte core or 40-byte info header, the three colour masks for
// bit-field compression, the colour table and the pixel rows. Accepts 1, 4, 8, 16, 24 and 32
// bits per pixel; compression 0 (none), 1 (8-bit runs), 2 (4-bit runs) and 3 (bit fields, with
// 16 or 32 bits). Rows are stored bottom-up, or top-down when the height is negative (not for
// run-length data). Pixels that run-length data skips take colour 0 of the table.
// Throws ArchiveError "DIB is invalid" for a header it cannot accept (other header sizes or
// compressions, a side of 0 or beyond kMaxDibSide, more pixels than the budget has left) and
// "Stream read error" when the data ends early. Bytes after the pixel data are ignored.
DecodedPicture DecodeDib(std::span<const uint8_t> bytes, PixelBudget& budget);
// The same with a budget of its own, kArchivePixelBudget: one picture alone.
DecodedPicture DecodeDib(std::span<const uint8_t> bytes);

// A 40-byte info header, 24 bits per pixel, uncompressed, rows bottom-up and padded to four
// bytes. Throws ArchiveError for an empty picture or one whose pixel count does not match its
// size.
std::vector<uint8_t> EncodeDib24(const DecodedPicture& picture);
