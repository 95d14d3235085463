#include "persist/save_text.h"

#include <cstdint>

#include "persist/table_signature.h"

namespace {

// Hands out the lines of a save file one by one, each cut to kSaveLineLimit bytes.
class SaveLines {
public:
    explicit SaveLines(std::string_view text) : text_(text.substr(0, kSaveReadLimit)) {}

    struct Line {
        std::string_view Text;
        bool Cut = false;  // the line went on past kSaveLineLimit
    };

    std::optional<Line> Next() {
        if (position_ >= text_.size()) return std::nullopt;
        std::size_t end = position_;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
        Line line;
        line.Text = text_.substr(position_, end - position_);
        if (line.Text.size() > kSaveLineLimit) {
            line.Text = line.Text.substr(0, kSaveLineLimit);
            line.Cut = true;
        }
        position_ = end;
        if (position_ < text_.size() && text_[position_] == '\r') ++position_;
        if (position_ < text_.size() && text_[position_] == '\n') ++position_;
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

int ReadFlag(SaveLines& lines, int fallback) {
    const auto line = lines.Next();
    if (!line || line->Cut) return fallback;
    const auto value = ParseSaveNumber(line->Text);
    if (!value) return fallback;
    return *value != 0 ? 1 : 0;
}

void AppendLine(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

}  // namespace

std::optional<int> ParseSaveNumber(std::string_view line) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    bool negative = false;
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    if (line.empty() || line.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (const char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::string FormatOptionsFile(const TGameOptions& options, const THighScoreTable& table) {
    std::string out;
    AppendLine(out, options.FullScreen != 0 ? "1" : "0");
    AppendLine(out, options.Music != 0 ? "1" : "0");
    AppendLine(out, options.Sound != 0 ? "1" : "0");
    AppendLine(out, options.Country);
    AppendLine(out, TableSignature(table));
    return out;
}

std::string FormatHighScoreFile(const THighScoreTable& table) {
    std::string out;
    for (int i = 1; i <= 10; ++i) {
        AppendLine(out, table.Slot(i).Name);
        AppendLine(out, std::to_string(table.Slot(i).Score));
    }
    return out;
}

TOptionsFile ParseOptionsFile(std::string_view text) {
    TOptionsFile file;
    SaveLines lines(text);
    file.Options.FullScreen = ReadFlag(lines, file.Options.FullScreen);
    file.Options.Music = ReadFlag(lines, file.Options.Music);
    file.Options.Sound = ReadFlag(lines, file.Options.Sound);
    if (const auto country = lines.Next()) file.Options.Country = std::string(country->Text);
    if (const auto signature = lines.Next()) file.TableSignature = std::string(signature->Text);
    return file;
}

THighScoreTable ParseHighScoreFile(std::string_view text) {
    THighScoreTable table;  // the default table: what a missing or broken line leaves behind
    SaveLines lines(text);
    for (int i = 1; i <= 10; ++i) {
        if (const auto name = lines.Next()) table.Slot(i).Name = std::string(name->Text);
        const auto score = lines.Next();
        if (score && !score->Cut) {
            if (const auto value = ParseSaveNumber(score->Text)) table.Slot(i).Score = *value;
        }
    }
    return table;
}
