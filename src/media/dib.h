#pragma once
// Packed device-independent bitmaps (the Windows bitmap layout without its file header), the
// encoding of every picture in an image archive.

#include <cstdint>
#include <span>
#include <vector>

#include "media/archive_types.h"

// The largest width or height a bitmap may have.
inline constexpr int kMaxDibSide = 16384;
// The most pixels a run-length encoded bitmap may unpack to. Its size is not bounded by the
// bytes in the file (one escape can skip the rest of the picture), so a corrupt header must not
// be able to ask for gigabytes; the game's largest pictures are far below this.
inline constexpr int64_t kMaxRunLengthPixels = int64_t{1} << 24;

// Decodes a packed bitmap: a 12-byte core or 40-byte info header, the three colour masks for
// bit-field compression, the colour table and the pixel rows. Accepts 1, 4, 8, 16, 24 and 32
// bits per pixel; compression 0 (none), 1 (8-bit runs), 2 (4-bit runs) and 3 (bit fields, with
// 16 or 32 bits). Rows are stored bottom-up, or top-down when the height is negative (not for
// run-length data). Pixels that run-length data skips take colour 0 of the table.
// Throws ArchiveError "DIB is invalid" for a header it cannot accept (other header sizes or
// compressions, a side of 0 or beyond kMaxDibSide) and "Stream read error" when the data ends
// early. Bytes after the pixel data are ignored.
DecodedPicture DecodeDib(std::span<const uint8_t> bytes);

// A 40-byte info header, 24 bits per pixel, uncompressed, rows bottom-up and padded to four
// bytes. Throws ArchiveError for an empty picture or one whose pixel count does not match its
// size.
std::vector<uint8_t> EncodeDib24(const DecodedPicture& picture);
