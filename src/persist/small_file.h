#pragma once
// Reads the start of a small file the game keeps beside it (a save, the exit link), trusting
// nothing about it: only a regular file is read (a pipe or a folder of that name counts as
// missing, so it cannot hang the game), and never more than `limit` bytes.
//
//   std::optional<std::string> ReadSmallFile(const std::filesystem::path&, std::size_t limit);
//
// nullopt when the file cannot be opened for reading or is not a regular file.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit);
