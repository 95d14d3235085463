#pragma once
// Reads image archives (.dxg) and sound archives (.dxw): a resource header, then one streamed
// object whose "List" collection holds the items. Every read is bounds-checked; a bad or truncated
// file throws ArchiveError with its message and never reads outside the buffer.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/archive_types.h"

std::vector<ImageEntry> ReadImageArchive(std::span<const uint8_t> bytes);
std::vector<WaveEntry> ReadWaveArchive(std::span<const uint8_t> bytes);

// Reads a whole file; a file that cannot be opened throws ArchiveError naming the path.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
