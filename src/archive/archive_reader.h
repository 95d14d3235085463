#pragma once
// Reads image archives (.dxg) and sound archives (.dxw): a resource header, then one streamed
// object whose "List" collection holds the items. Every read is bounds-checked; a bad or truncated
// file throws ArchiveError with its message and never reads outside the buffer.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_types.h"
#include "archive/dib.h"
#include "archive/riff_wave.h"

// The items come back in file order, duplicates included (FindEntryByName gives the first).
// Messages: "Invalid stream format" for a bad resource header, signature, class name or value
// tag; "Stream read error" when the data ends early; "DIB is invalid" for a bitmap the game
// cannot use, including any picture class other than "TDIB" (an empty class is an item without
// a picture); "Invalid property value" when a known property holds the wrong type of value.
// A colour given by name maps the standard colour constants (clFuchsia, clWhite, clLime, ...)
// to 0x00BBGGRR; "clNone" is kColorNone, an unknown name is black.
// All pictures together may unpack to pixelBudget pixels (dib.h); the picture that goes over is
// "DIB is invalid", before anything is allocated for it.
std::vector<ImageEntry> ReadImageArchive(std::span<const uint8_t> bytes,
                                         int64_t pixelBudget = kArchivePixelBudget);
// Sound items keep their RIFF bytes as stored; riff_wave.h reads them. All sounds together may
// fill soundFrameBudget frames at the mixer's rate (riff_wave.h); the sound that goes over, or
// one of more than INT_MAX bytes, is "Wave is invalid". A sound that is no RIFF WAVE file counts
// nothing here: the mixer refuses it and it stays silent.
std::vector<WaveEntry> ReadWaveArchive(std::span<const uint8_t> bytes,
                                       int64_t soundFrameBudget = kArchiveSoundFrames);

// The largest archive file the game reads. Its own are 6.5 MB (Res1.dxg), 4.4 MB (Res2.dxg) and
// 0.5 MB (Sounds.dxw); a file ten times the largest is no archive of this game, and reading it
// whole would cost that much memory before a single check. Departs from the original rule, whose
// reader trusts every length in the file, as do the checked reads and the budgets above
// (docs/departures.md).
inline constexpr uint64_t kMaxArchiveFileBytes = uint64_t{64} << 20;

// Reads a whole file; a file that cannot be opened, or that is larger than maxBytes, throws
// ArchiveError naming the path.
std::vector<uint8_t> ReadFileBytes(const std::string& path,
                                   uint64_t maxBytes = kMaxArchiveFileBytes);
