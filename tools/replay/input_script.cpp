#include "input_script.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "virtual_pads.h"

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
        {"Tab", SDL_SCANCODE_TAB},
    };
    for (const Named& key : kKeys)
        if (name == key.name) return key.code;
    // Every other letter, for races on keys the player bound (A to Z lie in a row of scancodes),
    // and the function keys F1 to F12.
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
        return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (name[0] - 'A'));
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int number = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') return SDL_SCANCODE_UNKNOWN;
            number = number * 10 + (name[i] - '0');
        }
        if (number >= 1 && number <= 12 && name[1] != '0')
            return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (number - 1));
    }
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

// The words after "pad": the action, its button or axis and value, and an optional pad number.
bool ParsePadEvent(std::istringstream& words, ScriptEvent& event, std::string& why) {
    using Action = ScriptEvent::PadAction;
    event.kind = ScriptEvent::Kind::Pad;
    std::string action;
    words >> action;
    if (action == "add") {
        event.padAction = Action::Add;
    } else if (action == "remove") {
        event.padAction = Action::Remove;
    } else if (action == "down" || action == "up") {
        event.padAction = action == "down" ? Action::Down : Action::Up;
        std::string name;
        words >> name;
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
        if (name.empty() || button == SDL_CONTROLLER_BUTTON_INVALID ||
            button >= kVirtualPadButtons) {
            why = "unknown pad button '" + name + "'";
            return false;
        }
        event.padButton = button;
    } else if (action == "axis") {
        event.padAction = Action::Axis;
        std::string name;
        words >> name;
        const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
        if (name.empty() || axis == SDL_CONTROLLER_AXIS_INVALID) {
            why = "unknown pad axis '" + name + "'";
            return false;
        }
        event.padAxis = axis;
        const bool trigger =
            axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const int lowest = trigger ? 0 : SDL_JOYSTICK_AXIS_MIN;
        std::string value;
        words >> value;
        size_t used = 0;
        try {
            event.padValue = std::stoi(value, &used);
        } catch (...) {
            used = 0;
        }
        if (value.empty() || used != value.size() || event.padValue < lowest ||
            event.padValue > SDL_JOYSTICK_AXIS_MAX) {
            why = "pad axis " + name + " takes a value from " + std::to_string(lowest) + " to " +
                  std::to_string(SDL_JOYSTICK_AXIS_MAX);
            return false;
        }
    } else {
        why = "unknown pad event '" + action + "'";
        return false;
    }
    std::string number;
    if (words >> number) {
        size_t used = 0;
        try {
            event.pad = std::stoi(number, &used);
        } catch (...) {
            used = 0;
        }
        if (event.padAction == Action::Add || used != number.size() || event.pad < 1) {
            why = "unexpected '" + number + "' after the pad event";
            return false;
        }
    }
    return true;
}

// Pads are connected and pulled out in the order of the frames: an event for a pad that is not
// connected at that point says the script is wrong.
bool CheckPadEvents(const std::vector<ScriptEvent>& events, std::string& error) {
    std::set<int> connected;
    int added = 0;
    for (const ScriptEvent& event : events) {
        if (event.kind != ScriptEvent::Kind::Pad) continue;
        if (event.padAction == ScriptEvent::PadAction::Add) {
            connected.insert(++added);
            continue;
        }
        const int pad = event.pad != 0 ? event.pad : (connected.empty() ? 0 : *connected.begin());
        if (connected.count(pad) == 0) {
            error = "input line " + std::to_string(event.line) + ": " +
                    (event.pad != 0 ? "pad " + std::to_string(event.pad) + " is not connected"
                                    : std::string("no pad is connected"));
            return false;
        }
        if (event.padAction == ScriptEvent::PadAction::Remove) connected.erase(pad);
    }
    return true;
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
        event.line = lineNumber;
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
        } else if (verb == "pad") {
            std::string why;
            if (!ParsePadEvent(words, event, why)) return fail(why);
        } else {
            return fail("unknown event '" + verb + "'");
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return CheckPadEvents(events, error);
}
