#pragma once
// Reads image archives (.dxg) and sound archives (.dxw): a resource header, then one streamed
// object whose "List" collection holds the items. Every read is bounds-checked; a bad or truncated
// file throws ArchiveError with its message and never reads outside the buffer.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/archive_types.h"

// The items come back in file order, duplicates included (FindEntryByName gives the first).
// Messages: "Invalid stream format" for a bad resource header, signature, class name or value
// tag; "Stream read error" when the data ends early; "DIB is invalid" for a bitmap the game
// cannot use, including any picture class other than "TDIB" (an empty class is an item without
// a picture); "Invalid property value" when a known property holds the wrong type of value.
// A colour given by name maps the standard colour constants (clFuchsia, clWhite, clLime, ...)
// to 0x00BBGGRR; an unknown name is black.
std::vector<ImageEntry> ReadImageArchive(std::span<const uint8_t> bytes);
// Sound items keep their RIFF bytes as stored; riff_wave.h reads them.
std::vector<WaveEntry> ReadWaveArchive(std::span<const uint8_t> bytes);

// Reads a whole file; a file that cannot be opened throws ArchiveError naming the path.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
