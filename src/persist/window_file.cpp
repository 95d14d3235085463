#include "persist/window_file.h"

#include <charconv>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "persist/small_file.h"

namespace {

constexpr std::size_t kWindowReadLimit = 256;

// One decimal number of at most five digits, no sign; advances past it and one following blank.
std::optional<int> TakeNumber(std::string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0 || digits > 5) return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return value;
}

}  // namespace

std::optional<TWindowSize> ParseWindowFile(const std::string& text) {
    std::string_view rest(text);
    const auto width = TakeNumber(rest);
    if (!width || rest.empty() || rest.front() != ' ') return std::nullopt;
    rest.remove_prefix(1);
    const auto height = TakeNumber(rest);
    if (!height) return std::nullopt;
    TWindowSize size{*width, *height, false};
    if (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
        const auto maximised = TakeNumber(rest);
        if (!maximised || *maximised > 1) return std::nullopt;
        size.Maximised = *maximised == 1;
    }
    // The line ends here (a Windows editor's CR LF is forgiven).
    if (!rest.empty() && rest.front() == '\r') rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
    if (!rest.empty()) return std::nullopt;
    if (size.Width < 1 || size.Height < 1 || size.Width > kLargestWindowSide ||
        size.Height > kLargestWindowSide) {
        return std::nullopt;
    }
    return size;
}

std::string FormatWindowFile(const TWindowSize& size) {
    return std::to_string(size.Width) + " " + std::to_string(size.Height) + " " +
           (size.Maximised ? "1" : "0") + "\n";
}

std::optional<TWindowSize> ReadWindowFile(const std::filesystem::path& saveFolder) {
    const auto text = ReadSmallFile(saveFolder / kWindowFileName, kWindowReadLimit);
    if (!text) return std::nullopt;
    return ParseWindowFile(*text);
}

bool WriteWindowFile(const std::filesystem::path& saveFolder, const TWindowSize& size) {
    std::error_code created;
    std::filesystem::create_directories(saveFolder, created);
    std::string error;
    if (created) {
        error = saveFolder.string() + ": " + created.message();
    } else if (WriteSmallFile(saveFolder / kWindowFileName, FormatWindowFile(size), error)) {
        return true;
    }
    std::fprintf(stderr, "zarvex2: cannot keep the window's size: %s\n", error.c_str());
    return false;
}
