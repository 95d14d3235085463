#pragma once
// The web addresses the game hands to the desktop, and the optional exit link.
//
// The score server's base address is "http://localhost:8642" unless the environment variable
// ZARVEX2_SCORE_SERVER names another web address; every other address is built on it:
//
//   ScoreServerBase()                 "http://localhost:8642"
//   OnlineTableAddress(base)          base + "/cgi/version.pl?prg=Zarvex2&show&type=0"
//   MakerHomeAddress(base)            base + "/"
//   SubmissionAddress(base, encoded)  base + "/cgi/version.pl?hs&prg=Zarvex2&inf=" + encoded
//
// Only plain web addresses ever reach the desktop: IsWebAddress accepts "http://" or "https://"
// (any case) with a host and no blanks, control characters or characters that have no place
// unescaped in an address. The shell checks every address with it before opening it.
//
// ReadExitLink(folder) reads "play.url" in the folder, an internet shortcut (a line "URL=..." in
// its [InternetShortcut] section) or a bare address on the first line, and returns the address
// only when IsWebAddress accepts it: a planted file naming a program or a local file opens
// nothing. It reads a regular file only, and no more than its first few kilobytes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kDefaultScoreServer = "http://localhost:8642";
inline constexpr const char* kScoreServerVariable = "ZARVEX2_SCORE_SERVER";
inline constexpr const char* kExitLinkName = "play.url";

std::string ScoreServerBase();
std::string OnlineTableAddress(std::string_view base);
std::string MakerHomeAddress(std::string_view base);
std::string SubmissionAddress(std::string_view base, std::string_view encoded);

bool IsWebAddress(std::string_view address);
// The web address names this computer: its host is "localhost", an address of 127.0.0.0/8 or
// "[::1]" (any case). The default score server is one.
bool IsThisComputer(std::string_view address);
std::optional<std::string> ReadExitLink(const std::filesystem::path& folder);
// The same for the text of such a file.
std::optional<std::string> ExitLinkFromText(std::string_view text);
