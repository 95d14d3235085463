#pragma once
// Writes image and sound archives in the format archive_reader.h reads. Pictures are stored as
// 24-bit uncompressed packed bitmaps with a 40-byte header, class "TDIB". The same entries always
// give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_types.h"

std::vector<uint8_t> WriteImageArchive(const std::vector<ImageEntry>& images);
std::vector<uint8_t> WriteWaveArchive(const std::vector<WaveEntry>& waves);

// Writes bytes to a file through a temporary file and a rename; throws ArchiveError on failure.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
