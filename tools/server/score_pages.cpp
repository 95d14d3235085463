#include "score_pages.h"

#include <cstdio>
#include <ctime>

namespace {

// The game's menu palette: the night backdrop, steel panels, orange headings, the table's text.
constexpr const char* kPageStyle = R"(
:root { color-scheme: dark; }
* { box-sizing: border-box; }
body {
  margin: 0; min-height: 100vh; color: #E6DADA;
  background: #13161C radial-gradient(ellipse 900px 420px at 50% -80px, #2E3542 0%, #13161C 100%)
    no-repeat;
  font: 16px/1.4 "DejaVu Sans", "Liberation Sans", Verdana, sans-serif;
}
main { max-width: 860px; margin: 0 auto; padding: 44px 24px 56px; }
header { display: flex; align-items: baseline; justify-content: space-between; flex-wrap: wrap;
  gap: 8px 24px; margin-bottom: 26px; border-bottom: 3px solid #B8300C; padding-bottom: 14px; }
h1 { margin: 0; font: bold 68px/1 "Bebas Neue", Impact, "Arial Black", sans-serif;
  letter-spacing: 2px; color: #F4861A; text-transform: uppercase;
  text-shadow: 0 3px 0 #6E1C07, 0 0 24px rgba(244, 134, 26, 0.35); }
.tagline { margin: 0; font-size: 13px; letter-spacing: 4px; text-transform: uppercase;
  color: #9AA3B5; }
table { width: 100%; border-collapse: separate; border-spacing: 0; overflow: hidden;
  background: linear-gradient(#1C212B, #101319); border: 1px solid #2A303C; border-radius: 10px;
  box-shadow: 0 14px 40px rgba(0, 0, 0, 0.55); }
th { padding: 12px 16px; text-align: left; font-size: 12px; letter-spacing: 2px;
  text-transform: uppercase; color: #FFC45A; background: #161A22;
  border-bottom: 2px solid #B8300C; }
td { padding: 9px 16px; border-top: 1px solid #1F2430; white-space: nowrap; }
tbody tr:first-child td { border-top: 0; }
tbody tr:nth-child(even) td { background: rgba(255, 255, 255, 0.025); }
tbody tr:hover td { background: rgba(244, 134, 26, 0.08); }
.rank { width: 4.5em; }
.name { width: 100%; }
td.rank { color: #7D8698; font-variant-numeric: tabular-nums; }
td.name { font-weight: bold; }
.score { text-align: right; }
td.score { font-weight: bold; color: #F4861A; font-variant-numeric: tabular-nums; }
td.country, td.date { color: #B7BFCC; }
td.date { font-variant-numeric: tabular-nums; }
td.none { color: #4E5666; }
tr.place1 td.rank, tr.place2 td.rank, tr.place3 td.rank { font-weight: bold; }
tr.place1 td.rank, tr.place1 td.score { color: #FFC45A; }
tr.place1 td.name { color: #FFFFFF; }
tr.place2 td.rank { color: #D7DCE4; }
tr.place3 td.rank { color: #D98A4E; }
.empty { padding: 48px 16px; text-align: center; color: #9AA3B5; white-space: normal; }
footer { margin-top: 18px; font-size: 13px; color: #6C7485; }
a { color: #F4861A; text-decoration: none; }
a:hover { text-decoration: underline; }
a.button { display: inline-block; margin-top: 10px; padding: 11px 20px; font-weight: bold;
  letter-spacing: 1px; color: #FFC45A; border: 1px solid #B8300C; border-radius: 6px;
  background: linear-gradient(#2A303C, #161A22); box-shadow: 0 6px 18px rgba(0, 0, 0, 0.45); }
a.button:hover { text-decoration: none; border-color: #F4861A; }
)";

// The title is the page's own markup, never stored text.
std::string PageStart(const std::string& titleHtml) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           titleHtml + "</title>\n<style>" + kPageStyle + "</style>\n</head>\n<body>\n";
}

// A country the player never set (the game's "_______") or left empty shows as a dash.
std::string CountryCell(const std::string& country) {
    if (country.find_first_not_of('_') == std::string::npos)
        return "<td class=\"country none\">&ndash;</td>";
    return "<td class=\"country\">" + EscapeHtml(country) + "</td>";
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const unsigned code = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                if (code < 32 || code == 127) {
                    out += "&#xFFFD;";
                } else if (code > 127) {
                    char reference[16];
                    std::snprintf(reference, sizeof reference, "&#x%X;", code);
                    out += reference;
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string EscapeJson(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const unsigned code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (code < 32 || code > 126 || c == '<' || c == '>' || c == '&') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", code);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatDate(int64_t time) {
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    if (gmtime_r(&seconds, &utc) == nullptr) return "";
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday);
    return date;
}

std::string RenderTablePage(const std::vector<TStoredScore>& best) {
    std::string page = PageStart("Zarvex 2 &ndash; Online high scores");
    page +=
        "<main>\n<header>\n<h1>Zarvex 2</h1>\n<p class=\"tagline\">Online high scores &middot; "
        "the best " +
        std::to_string(kTableSize) +
        "</p>\n</header>\n<table>\n<thead><tr><th class=\"rank\">Rank</th><th "
        "class=\"name\">Name</th><th class=\"score\">Score</th><th>Country</th><th>Date</th>"
        "</tr></thead>\n<tbody>\n";
    if (best.empty())
        page += "<tr><td class=\"empty\" colspan=\"5\">No scores yet. Be the first!</td></tr>\n";
    int rank = 0;
    for (const TStoredScore& row : best) {
        ++rank;
        page += rank <= 3 ? "<tr class=\"place" + std::to_string(rank) + "\">" : "<tr>";
        page += "<td class=\"rank\">" + std::to_string(rank) + "</td>";
        page += "<td class=\"name\">" + EscapeHtml(row.Name) + "</td>";
        page += "<td class=\"score\">" + std::to_string(row.Score) + "</td>";
        page += CountryCell(row.Country);
        page += "<td class=\"date\">" + FormatDate(row.Time) + "</td></tr>\n";
    }
    page +=
        "</tbody>\n</table>\n<footer>Scores are sent from the game after a race that enters its "
        "top ten. &middot; <a href=\"/\">Home</a> &middot; <a href=\"" +
        EscapeHtml(std::string(kTablePath) + "&format=json") +
        "\">JSON</a></footer>\n</main>\n</body>\n</html>\n";
    return page;
}

std::string RenderTableJson(const std::vector<TStoredScore>& best) {
    std::string json = "{\"game\":\"Zarvex 2\",\"scores\":[";
    int rank = 0;
    for (const TStoredScore& row : best) {
        if (rank > 0) json += ',';
        ++rank;
        json += "{\"rank\":" + std::to_string(rank) + ",\"name\":\"" + EscapeJson(row.Name) +
                "\",\"score\":" + std::to_string(row.Score) + ",\"country\":\"" +
                EscapeJson(row.Country) + "\",\"date\":\"" + FormatDate(row.Time) + "\"}";
    }
    json += "]}\n";
    return json;
}

std::string RenderHomePage() {
    std::string page = PageStart("Zarvex 2");
    page +=
        "<main>\n<header>\n<h1>Zarvex 2</h1>\n<p class=\"tagline\">Top-down arcade "
        "racing</p>\n</header>\n<p>Drive up a road that is generated anew for every level, "
        "against the clock, past traffic, pedestrians and street lamps, picking up bonuses, level "
        "after level while your lives last.</p>\n<p>A race that enters the game's top ten can "
        "send its score here.</p>\n<p><a href=\"" +
        EscapeHtml(kTablePath) +
        "\" class=\"button\">See the online high scores "
        "&rarr;</a></p>\n</main>\n</body>\n</html>\n";
    return page;
}
