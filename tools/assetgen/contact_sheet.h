#pragma once
// A review sheet of every picture: each image with its name and its pattern numbers, drawn on a
// neutral checkerboard so that the see-through parts show.

#include <string>
#include <vector>

#include "archive/archive_types.h"

struct ContactSheetSection {
    std::string title;  // e.g. "Res1.dxg"
    std::vector<ImageEntry> images;
};

// Writes a PNG; returns false when the file cannot be written.
bool WriteContactSheet(const std::vector<ContactSheetSection>& sections, const std::string& path);
