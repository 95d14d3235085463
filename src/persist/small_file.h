#pragma once
// Reads the start of a small file the game keeps beside it (a save, the exit link), trusting
// nothing about it: only a regular file is read (a pipe or a folder of that name counts as
// missing, so it cannot hang the game), and never more than `limit` bytes.
//
//   std::optional<std::string> ReadSmallFile(const std::filesystem::path&, std::size_t limit);
//
// nullopt when the file cannot be opened for reading or is not a regular file.
//
// Writing one goes through a temporary file made fresh for the purpose:
//
//   int CreateFreshFile(const std::filesystem::path&);
//
// removes whatever is left at the path (a temporary file of an interrupted save, or a link a
// stranger planted there) and creates a new file, failing rather than following a link or
// opening a file that appeared in between: a save never writes through a link into the file it
// points to. Returns the open descriptor (mode 0644), or -1 with errno set.
//
//   bool WriteSmallFile(const std::filesystem::path&, std::string_view text, std::string& error);
//
// writes the whole text to "<name>.saving" beside the file, flushes it to the disk and renames
// it over the file, so that a failure leaves the old file as it was. On failure, error says why.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit);
int CreateFreshFile(const std::filesystem::path& path);
// Writes the whole text to the descriptor, going on after interruptions; false with errno set.
bool WriteAllTo(int fd, std::string_view text);
bool WriteSmallFile(const std::filesystem::path& path, std::string_view text, std::string& error);
