#pragma once
// The pages the score server shows: the online table as HTML (for the browser the game opens)
// and as JSON, and a small home page. Every stored text is escaped, whatever it holds; pages
// carry their own style and load nothing from anywhere.
//
//   RenderTablePage(store.Best(100))   rank, name, score, country, date of the best scores
//   RenderTableJson(store.Best(100))   {"game":"Zarvex 2","scores":[{"rank":1,"name":...},...]}
//   RenderHomePage()

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "score_store.h"

inline constexpr int kTableSize = 100;
inline constexpr const char* kTablePath = "/cgi/version.pl?prg=Zarvex2&show&type=0";

std::string RenderTablePage(const std::vector<TStoredScore>& best);
std::string RenderTableJson(const std::vector<TStoredScore>& best);
std::string RenderHomePage();

// Text made safe for HTML element content and quoted attribute values. Bytes outside ASCII are
// taken as Latin-1 and written as character references, control characters as U+FFFD, so even a
// broken database gives a well-formed page.
std::string EscapeHtml(std::string_view text);
// The inside of a JSON string, with the same reading of bytes outside ASCII.
std::string EscapeJson(std::string_view text);
// "2024-05-17" for a time in seconds since 1970, UTC.
std::string FormatDate(int64_t time);
