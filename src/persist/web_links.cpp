#include "persist/web_links.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "persist/small_file.h"

namespace {

constexpr std::size_t kAddressLimit = 2048;
constexpr std::size_t kLinkFileLimit = 8 * 1024;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The address a shortcut file names, unchecked.
std::string_view ShortcutTarget(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool firstLine = true;
    bool inShortcut = false;
    std::string_view bare;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (firstLine) bare = line;
        firstLine = false;
        if (!line.empty() && line.front() == '[') {
            inShortcut = StartsWithNoCase(line, "[InternetShortcut]") && line.size() == 18;
            continue;
        }
        if (!inShortcut) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (key.size() == 3 && StartsWithNoCase(key, "URL")) return Trim(line.substr(equals + 1));
    }
    if (!bare.empty() && bare.front() == '[') return {};
    return bare;
}

}  // namespace

std::string ScoreServerBase() {
    const char* chosen = std::getenv(kScoreServerVariable);
    if (chosen == nullptr || *chosen == '\0') return std::string(kDefaultScoreServer);
    std::string base = chosen;
    while (!base.empty() && base.back() == '/') base.pop_back();
    if (!IsWebAddress(base)) {
        std::fprintf(stderr, "zarvex2: %s is not a web address; using %s\n", kScoreServerVariable,
                     std::string(kDefaultScoreServer).c_str());
        return std::string(kDefaultScoreServer);
    }
    return base;
}

std::string OnlineTableAddress(std::string_view base) {
    return std::string(base) + "/cgi/version.pl?prg=Zarvex2&show&type=0";
}

std::string MakerHomeAddress(std::string_view base) {
    return std::string(base) + "/";
}

std::string SubmissionAddress(std::string_view base, std::string_view encoded) {
    return std::string(base) + "/cgi/version.pl?hs&prg=Zarvex2&inf=" + std::string(encoded);
}

bool IsWebAddress(std::string_view address) {
    if (address.size() > kAddressLimit) return false;
    std::string_view rest;
    if (StartsWithNoCase(address, "http://"))
        rest = address.substr(7);
    else if (StartsWithNoCase(address, "https://"))
        rest = address.substr(8);
    else
        return false;
    for (const char c : address) {
        const unsigned code = static_cast<unsigned char>(c);
        if (code <= 32 || code >= 127) return false;
        if (std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos) return false;
    }
    const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    const std::size_t at = host.rfind('@');
    const std::string_view hostName = at == std::string_view::npos ? host : host.substr(at + 1);
    return !hostName.empty() && hostName.front() != ':';
}

// Departs from the original rule, which opens "play.url" itself with the desktop: a planted file
// could start a program. Only the web address it holds is taken (docs/departures.md).
std::optional<std::string> ReadExitLink(const std::filesystem::path& folder) {
    const auto text = ReadSmallFile(folder / kExitLinkName, kLinkFileLimit);
    if (!text) return std::nullopt;
    return ExitLinkFromText(*text);
}

std::optional<std::string> ExitLinkFromText(std::string_view text) {
    const std::string_view target = ShortcutTarget(text.substr(0, kLinkFileLimit));
    if (!IsWebAddress(target)) return std::nullopt;
    return std::string(target);
}

bool IsThisComputer(std::string_view address) {
    const size_t scheme = address.find("://");
    if (scheme == std::string_view::npos) return false;
    std::string_view host = address.substr(scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (const size_t at = host.rfind('@'); at != std::string_view::npos) host = host.substr(at + 1);
    if (!host.empty() && host.front() == '[') {
        host = host.substr(0, host.find(']') + 1);
    } else {
        host = host.substr(0, host.find(':'));
    }
    std::string lower(host);
    for (char& c : lower) c = Lower(c);
    if (lower == "localhost" || lower == "[::1]") return true;
    // 127.x.y.z: four numbers, the first 127.
    int parts = 0;
    size_t start = 0;
    while (start <= lower.size()) {
        const size_t dot = lower.find('.', start);
        const std::string part =
            lower.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > 3 ||
            part.find_first_not_of("0123456789") != std::string::npos || std::stoi(part) > 255)
            return false;
        if (parts == 0 && part != "127") return false;
        ++parts;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return parts == 4;
}
