#include "input_script.h"

#include <algorithm>
#include <sstream>

SDL_Scancode ScriptKeyCode(const std::string& name) {
    struct Named {
        const char* name;
        SDL_Scancode code;
    };
    static constexpr Named kKeys[] = {
        {"Up", SDL_SCANCODE_UP},
        {"Down", SDL_SCANCODE_DOWN},
        {"Left", SDL_SCANCODE_LEFT},
        {"Right", SDL_SCANCODE_RIGHT},
        {"Space", SDL_SCANCODE_SPACE},
        {"Z", SDL_SCANCODE_Z},
        {"X", SDL_SCANCODE_X},
        {"H", SDL_SCANCODE_H},
        {"P", SDL_SCANCODE_P},
        {"Y", SDL_SCANCODE_Y},
        {"N", SDL_SCANCODE_N},
        {"Esc", SDL_SCANCODE_ESCAPE},
        {"Enter", SDL_SCANCODE_RETURN},
        {"Ctrl", SDL_SCANCODE_LCTRL},
        {"Shift", SDL_SCANCODE_LSHIFT},
        {"Alt", SDL_SCANCODE_LALT},
        {"C", SDL_SCANCODE_C},
        {"V", SDL_SCANCODE_V},
        {"B", SDL_SCANCODE_B},
        {"0", SDL_SCANCODE_0},
        {"1", SDL_SCANCODE_1},
        {"2", SDL_SCANCODE_2},
        {"3", SDL_SCANCODE_3},
        {"4", SDL_SCANCODE_4},
        {"5", SDL_SCANCODE_5},
        {"6", SDL_SCANCODE_6},
        {"7", SDL_SCANCODE_7},
        {"8", SDL_SCANCODE_8},
        {"9", SDL_SCANCODE_9},
        {"RAlt", SDL_SCANCODE_RALT},
        {"RCtrl", SDL_SCANCODE_RCTRL},
        {"RShift", SDL_SCANCODE_RSHIFT},
        {"Backspace", SDL_SCANCODE_BACKSPACE},
    };
    for (const Named& key : kKeys)
        if (name == key.name) return key.code;
    return SDL_SCANCODE_UNKNOWN;
}

namespace {

// "\b" and "\r" stand for Backspace and Enter; "\\" for a backslash; "\s" for a space.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            if (next == 'b')
                out.push_back(8);
            else if (next == 'r')
                out.push_back(13);
            else if (next == 's')
                out.push_back(' ');
            else
                out.push_back(next);
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

bool ParseInputScript(std::istream& in, std::vector<ScriptEvent>& events, std::string& error) {
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream words(line);
        ScriptEvent event;
        std::string verb;
        auto fail = [&](const std::string& why) {
            error = "input line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (!(words >> event.frame) || event.frame < 1) return fail("expected a frame number");
        if (!(words >> verb)) return fail("expected an event");
        if (verb == "down" || verb == "up") {
            std::string key;
            words >> key;
            event.kind = verb == "down" ? ScriptEvent::Kind::Down : ScriptEvent::Kind::Up;
            event.key = ScriptKeyCode(key);
            if (event.key == SDL_SCANCODE_UNKNOWN) return fail("unknown key '" + key + "'");
        } else if (verb == "type") {
            event.kind = ScriptEvent::Kind::Type;
            std::string rest;
            std::getline(words, rest);
            if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
            event.text = Unescape(rest);
        } else if (verb == "move") {
            event.kind = ScriptEvent::Kind::Move;
            if (!(words >> event.x >> event.y)) return fail("move needs X and Y");
        } else if (verb == "click") {
            event.kind = ScriptEvent::Kind::Click;
        } else if (verb == "close") {
            event.kind = ScriptEvent::Kind::Close;
        } else if (verb == "focus") {
            int value = 0;
            if (!(words >> value) || (value != 0 && value != 1)) return fail("focus needs 0 or 1");
            event.kind = ScriptEvent::Kind::Focus;
            event.focus = value == 1;
        } else {
            return fail("unknown event '" + verb + "'");
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return true;
}
