#include "media/controls.h"

#include "core/names.h"

namespace {

constexpr std::string_view kActionNames[kRaceActionCount] = {
    "accelerate", "brake", "left", "right", "handbrake", "fire", "nitro", "horn", "pause", "leave",
};

// SDL's names are short; a longer text is no name.
constexpr size_t kLongestName = 32;

// The other side's key of a Ctrl, Shift, Alt or GUI key; SDLK_UNKNOWN for every other key.
SDL_Keycode Twin(SDL_Keycode key) {
    switch (key) {
        case SDLK_LCTRL:
            return SDLK_RCTRL;
        case SDLK_RCTRL:
            return SDLK_LCTRL;
        case SDLK_LSHIFT:
            return SDLK_RSHIFT;
        case SDLK_RSHIFT:
            return SDLK_LSHIFT;
        case SDLK_LALT:
            return SDLK_RALT;
        case SDLK_RALT:
            return SDLK_LALT;
        case SDLK_LGUI:
            return SDLK_RGUI;
        case SDLK_RGUI:
            return SDLK_LGUI;
        default:
            return SDLK_UNKNOWN;
    }
}

bool KeyDown(const Uint8* keys, int keyCount, SDL_Keycode key) {
    if (keys == nullptr || key == SDLK_UNKNOWN) return false;
    // Through the layout in use now, so that a layout switched during the game is followed.
    const SDL_Scancode code = SDL_GetScancodeFromKey(key);
    return code > SDL_SCANCODE_UNKNOWN && code < keyCount && keys[code] != 0;
}

// Moves the keys to the front, so that a second key never stands without a first.
void PackKeys(ActionBinding& binding) {
    if (binding.Keys[0] == SDLK_UNKNOWN || binding.Keys[0] == binding.Keys[1]) {
        binding.Keys[0] = binding.Keys[1];
        binding.Keys[1] = SDLK_UNKNOWN;
    }
}

void RemoveKey(ActionBinding& binding, SDL_Keycode key) {
    for (SDL_Keycode& own : binding.Keys)
        if (own == key) own = SDLK_UNKNOWN;
    PackKeys(binding);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Shown in a message: the text as it stands, cut short when long.
std::string Quote(std::string_view text) {
    constexpr size_t kShown = 40;
    std::string shown(text.substr(0, kShown));
    if (text.size() > kShown) shown += "...";
    return "'" + shown + "'";
}

// The keys of a line: nothing, one name, or two names around a comma. SDL names a key ",", so the
// comma that leaves two names is the one that divides them.
bool ParseKeys(std::string_view text, ActionBinding& binding, std::string& why) {
    text = Trim(text);
    if (text.empty()) return true;
    if (const SDL_Keycode key = KeyFromName(text); key != SDLK_UNKNOWN) {
        binding.Keys = {key, SDLK_UNKNOWN};
        return true;
    }
    for (size_t comma = text.find(','); comma != std::string_view::npos;
         comma = text.find(',', comma + 1)) {
        const SDL_Keycode first = KeyFromName(Trim(text.substr(0, comma)));
        const SDL_Keycode second = KeyFromName(Trim(text.substr(comma + 1)));
        if (first != SDLK_UNKNOWN && second != SDLK_UNKNOWN) {
            binding.Keys = {first, second};
            PackKeys(binding);
            return true;
        }
        // A known first key followed by more than one name: a third key.
        if (first != SDLK_UNKNOWN && Trim(text.substr(comma + 1)).find(',') != std::string::npos) {
            why = "more than two keys in " + Quote(text);
            return false;
        }
    }
    why = "unknown key " + Quote(text);
    return false;
}

// What follows the '=': keys, then a pad control after the last ';' when that names one. SDL
// names a key ";" too, so a ';' that is not followed by a control's name belongs to the keys.
bool ParseBinding(std::string_view text, ActionBinding& binding, std::string& why) {
    const size_t semicolon = text.rfind(';');
    if (semicolon != std::string_view::npos) {
        const std::string_view pad = Trim(text.substr(semicolon + 1));
        const std::optional<PadControl> control = PadControlFromName(pad);
        if (control && IsBindablePadControl(*control)) {
            binding.Pad = control;
            return ParseKeys(text.substr(0, semicolon), binding, why);
        }
        std::string keysWhy;
        if (ParseKeys(text, binding, keysWhy)) return true;
        why = pad.empty() ? keysWhy : "unknown pad button " + Quote(pad);
        return false;
    }
    return ParseKeys(text, binding, why);
}

}  // namespace

std::string_view ActionName(RaceAction action) {
    const int index = IndexOf(action);
    return index >= 0 && index < kRaceActionCount ? kActionNames[index] : std::string_view();
}

std::optional<RaceAction> ActionFromName(std::string_view name) {
    for (int i = 0; i < kRaceActionCount; ++i)
        if (SameNameIgnoringCase(kActionNames[i], name)) return ActionAt(i);
    return std::nullopt;
}

bool ActionBinding::HasKey(SDL_Keycode key) const {
    return key != SDLK_UNKNOWN && (Keys[0] == key || Keys[1] == key);
}

void RaceInputStates::Update(const std::bitset<kRaceActionCount>& held) {
    Hit = held & ~Held;
    Held = held;
}

TControls::TControls() {
    auto bind = [this](RaceAction action, SDL_Keycode first, SDL_Keycode second, PadControl pad) {
        actions_[static_cast<size_t>(IndexOf(action))] = ActionBinding{{first, second}, pad};
    };
    bind(RaceAction::Accelerate, SDLK_UP, SDLK_UNKNOWN, kPadRightTrigger);
    bind(RaceAction::Brake, SDLK_DOWN, SDLK_UNKNOWN, kPadLeftTrigger);
    bind(RaceAction::Left, SDLK_LEFT, SDLK_UNKNOWN, kPadDpadLeft);
    bind(RaceAction::Right, SDLK_RIGHT, SDLK_UNKNOWN, kPadDpadRight);
    bind(RaceAction::Handbrake, SDLK_SPACE, SDLK_UNKNOWN, kPadX);
    // Ctrl and Shift of either side: the right-hand ones answer through their twins.
    bind(RaceAction::Fire, SDLK_z, SDLK_LCTRL, kPadA);
    bind(RaceAction::Nitro, SDLK_x, SDLK_LSHIFT, kPadB);
    bind(RaceAction::Horn, SDLK_h, SDLK_UNKNOWN, kPadY);
    bind(RaceAction::Pause, SDLK_p, SDLK_UNKNOWN, kPadStart);
    bind(RaceAction::Leave, SDLK_ESCAPE, SDLK_UNKNOWN, kPadBack);
}

const ActionBinding& TControls::Of(RaceAction action) const {
    return actions_[static_cast<size_t>(IndexOf(action))];
}

std::optional<RaceAction> TControls::ActionOfKey(SDL_Keycode key) const {
    for (int i = 0; i < kRaceActionCount; ++i)
        if (actions_[static_cast<size_t>(i)].HasKey(key)) return ActionAt(i);
    return std::nullopt;
}

std::optional<RaceAction> TControls::ActionOfPad(PadControl control) const {
    for (int i = 0; i < kRaceActionCount; ++i)
        if (actions_[static_cast<size_t>(i)].Pad == control) return ActionAt(i);
    return std::nullopt;
}

std::optional<RaceAction> TControls::BindKey(RaceAction action, SDL_Keycode key) {
    ActionBinding& own = actions_[static_cast<size_t>(IndexOf(action))];
    if (key == SDLK_UNKNOWN || own.HasKey(key)) return std::nullopt;
    const std::optional<RaceAction> loser = ActionOfKey(key);
    if (loser) RemoveKey(actions_[static_cast<size_t>(IndexOf(*loser))], key);
    own.Keys = {key, own.Keys[0]};
    return loser;
}

std::optional<RaceAction> TControls::BindPad(RaceAction action, PadControl control) {
    ActionBinding& own = actions_[static_cast<size_t>(IndexOf(action))];
    if (!IsBindablePadControl(control) || own.Pad == control) return std::nullopt;
    const std::optional<RaceAction> loser = ActionOfPad(control);
    if (loser) actions_[static_cast<size_t>(IndexOf(*loser))].Pad.reset();
    own.Pad = control;
    return loser;
}

void TControls::Set(RaceAction action, const ActionBinding& binding) {
    ActionBinding& own = actions_[static_cast<size_t>(IndexOf(action))];
    own = binding;
    PackKeys(own);
}

std::bitset<kRaceActionCount> TControls::HeldActions(const Uint8* keys, int keyCount,
                                                     const PadControls& pad) const {
    std::bitset<kRaceActionCount> held;
    for (int i = 0; i < kRaceActionCount; ++i) {
        const ActionBinding& binding = actions_[static_cast<size_t>(i)];
        bool down = binding.Pad && pad[*binding.Pad];
        for (const SDL_Keycode key : binding.Keys) {
            if (key == SDLK_UNKNOWN) continue;
            const SDL_Keycode twin = Twin(key);
            down = down || KeyDown(keys, keyCount, key) ||
                   (twin != SDLK_UNKNOWN && !ActionOfKey(twin) && KeyDown(keys, keyCount, twin));
        }
        held[static_cast<size_t>(i)] = down;
    }
    // The left stick steers whatever the d-pad does.
    if (pad[kPadStickLeft]) held.set(static_cast<size_t>(IndexOf(RaceAction::Left)));
    if (pad[kPadStickRight]) held.set(static_cast<size_t>(IndexOf(RaceAction::Right)));
    return held;
}

bool IsNameableKey(SDL_Keycode key) {
    if (key == SDLK_UNKNOWN) return false;
    const std::string name = KeyName(key);
    if (name.empty() || name.size() > kLongestName) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return SDL_GetKeyFromName(name.c_str()) == key;
}

std::string KeyName(SDL_Keycode key) {
    const char* name = SDL_GetKeyName(key);
    return name != nullptr ? name : "";
}

SDL_Keycode KeyFromName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return SDLK_UNKNOWN;
    const std::string text(name);
    if (text.find('\0') != std::string::npos) return SDLK_UNKNOWN;
    const SDL_Keycode key = SDL_GetKeyFromName(text.c_str());
    return IsNameableKey(key) ? key : SDLK_UNKNOWN;
}

bool IsBindablePadControl(PadControl control) {
    return control >= 0 && control < kPadControlCount && !PadControlName(control).empty();
}

TControls ParseControls(std::string_view text, std::vector<ControlsProblem>& problems) {
    struct Named {
        bool named = false;
        int line = 0;
        ActionBinding binding;
    };
    std::array<Named, kRaceActionCount> named{};
    int lineNumber = 0;
    while (!text.empty()) {
        // CR LF, a lone LF and a lone CR all end a line.
        const size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        ++lineNumber;
        auto problem = [&](const std::string& message) {
            problems.push_back({lineNumber, message});
        };
        if (line.size() > kControlsLineLimit) {
            problem("the line is longer than " + std::to_string(kControlsLineLimit) +
                    " characters");
            continue;
        }
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            problem("expected action=key[,key][;pad button], not " + Quote(line));
            continue;
        }
        const std::string_view actionName = Trim(line.substr(0, equals));
        const std::optional<RaceAction> action = ActionFromName(actionName);
        if (!action) {
            problem("unknown action " + Quote(actionName));
            continue;
        }
        const std::string keeps = "; " + std::string(ActionName(*action)) + " keeps its ";
        Named& entry = named[static_cast<size_t>(IndexOf(*action))];
        if (entry.named) {
            problem(std::string(ActionName(*action)) + " is bound on line " +
                    std::to_string(entry.line) + " already" + keeps + "binding from there");
            continue;
        }
        ActionBinding binding;
        std::string why;
        if (!ParseBinding(line.substr(equals + 1), binding, why)) {
            problem(why + keeps + "default");
            continue;
        }
        // A key or control is bound once: the first line that names it has it.
        std::string taken;
        for (int i = 0; i < kRaceActionCount && taken.empty(); ++i) {
            const Named& other = named[static_cast<size_t>(i)];
            if (!other.named) continue;
            for (const SDL_Keycode key : binding.Keys)
                if (other.binding.HasKey(key) && taken.empty())
                    taken = KeyName(key) + " is bound to " + std::string(ActionName(ActionAt(i))) +
                            " on line " + std::to_string(other.line);
            if (binding.Pad && other.binding.Pad == binding.Pad && taken.empty())
                taken = std::string(PadControlName(*binding.Pad)) + " is bound to " +
                        std::string(ActionName(ActionAt(i))) + " on line " +
                        std::to_string(other.line);
        }
        if (!taken.empty()) {
            problem(taken + keeps + "default");
            continue;
        }
        entry = {true, lineNumber, binding};
    }

    TControls controls;
    for (int i = 0; i < kRaceActionCount; ++i)
        if (named[static_cast<size_t>(i)].named)
            controls.Set(ActionAt(i), named[static_cast<size_t>(i)].binding);
    // The game's own bindings give way to what the file names.
    for (int i = 0; i < kRaceActionCount; ++i) {
        if (named[static_cast<size_t>(i)].named) continue;
        ActionBinding binding = controls.Of(ActionAt(i));
        for (int j = 0; j < kRaceActionCount; ++j) {
            const Named& other = named[static_cast<size_t>(j)];
            if (!other.named) continue;
            for (const SDL_Keycode key : other.binding.Keys)
                if (key != SDLK_UNKNOWN) RemoveKey(binding, key);
            if (binding.Pad && binding.Pad == other.binding.Pad) binding.Pad.reset();
        }
        controls.Set(ActionAt(i), binding);
    }
    return controls;
}

std::string FormatControls(const TControls& controls) {
    std::string text =
        "# Zarvex 2: the race's controls, one action a line: action=key[,key][;pad button]\n"
        "# Keys and pad buttons by SDL's names; an action left out keeps the game's own.\n";
    for (int i = 0; i < kRaceActionCount; ++i) {
        const ActionBinding& binding = controls.Of(ActionAt(i));
        text += ActionName(ActionAt(i));
        text += '=';
        for (int k = 0; k < kKeysPerAction; ++k) {
            if (binding.Keys[static_cast<size_t>(k)] == SDLK_UNKNOWN) continue;
            if (k > 0) text += ',';
            text += KeyName(binding.Keys[static_cast<size_t>(k)]);
        }
        if (binding.Pad) {
            text += ';';
            text += PadControlName(*binding.Pad);
        }
        text += '\n';
    }
    return text;
}
