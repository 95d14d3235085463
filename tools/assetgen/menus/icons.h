#pragma once
// The game's icon for the desktop's menus and task bars, drawn from the logo: the slanted orange
// "2" with its chrome rim and speed lines, on a rounded plate of night asphalt.

#include <filesystem>
#include <vector>

// The sizes the desktop asks for (the hicolor theme's folders).
inline const std::vector<int> kIconSizes = {16, 32, 48, 64, 128, 256};

// Writes DIR/<size>x<size>/apps/zarvex2.png for every size; false, with the reason on stderr,
// when a file cannot be written.
bool WriteIcons(const std::filesystem::path& dir);
