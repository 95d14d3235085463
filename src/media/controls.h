#pragma once
// The race's ten actions and the keys and pad controls the player binds them to: up to two keys
// and one pad control each, no key or control on two actions at once. The game's own bindings are
// those of the help page (Up, Down, Left, Right, Space, Z or Ctrl, X or Shift, H, P, Esc, and the
// pad's triggers, d-pad and buttons); the controls screen moves them and the file "controls"
// beside the saves keeps them.
//
// Keys are SDL's key codes, named as SDL names them ("W", "Left Ctrl", "Keypad 8"): the key that
// types W on the player's layout is the W key, wherever it lies. Two rules hold whatever is bound:
//   - a Ctrl, Shift, Alt or GUI key bound to an action also works on the other side of the
//     keyboard while that other key is bound to nothing, as the game's Ctrl and Shift always
//     have; binding the other side elsewhere splits them, and moving the action off the key
//     frees both;
//   - the pad's left stick always steers, beside the control bound to left and right.
//
// The file, text, one action a line:
//
//   action=key[,key][;pad button]        for example  fire=F,Left Ctrl;a
//
// with the actions' names below, SDL's key names and SDL's pad button names (or "lefttrigger",
// "righttrigger" for a trigger pulled). Blank lines and lines starting with '#' are passed over.
// An action the file does not name keeps the game's own binding, less any key or control that a
// named action has taken. A line that cannot be read (an unknown action, key or button, more than
// two keys, an action named a second time, a key or button that an earlier line already bound) is
// a problem reported with its line number, and its action keeps its binding as if the line were
// not there. Names are read in any case. SDL names a few keys "," or ";": a comma or semicolon
// that would leave a name empty belongs to the name, so every binding the game writes reads back.

#include <SDL.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "media/pad_state.h"

enum class RaceAction : uint8_t {
    Accelerate,
    Brake,
    Left,
    Right,
    Handbrake,
    Fire,
    Nitro,
    Horn,
    Pause,
    Leave,
};
inline constexpr int kRaceActionCount = 10;
inline constexpr int kKeysPerAction = 2;

constexpr RaceAction ActionAt(int index) {
    return static_cast<RaceAction>(index);
}
constexpr int IndexOf(RaceAction action) {
    return static_cast<int>(action);
}

// The action's name in the file: "accelerate", "brake", "left", "right", "handbrake", "fire",
// "nitro", "horn", "pause", "leave".
std::string_view ActionName(RaceAction action);
// The action of a name, in any case.
std::optional<RaceAction> ActionFromName(std::string_view name);

struct ActionBinding {
    // The keys, the first one first; SDLK_UNKNOWN where there is none. A second key never stands
    // without a first.
    std::array<SDL_Keycode, kKeysPerAction> Keys{SDLK_UNKNOWN, SDLK_UNKNOWN};
    std::optional<PadControl> Pad;

    bool HasKey(SDL_Keycode key) const;
    bool operator==(const ActionBinding&) const = default;
};

// The race's input states: the actions held in this frame and those that went down in it. The
// form makes them at its one poll of the frame; the race reads nothing else.
struct RaceInputStates {
    std::bitset<kRaceActionCount> Held;
    std::bitset<kRaceActionCount> Hit;

    bool IsHeld(RaceAction action) const { return Held[static_cast<size_t>(IndexOf(action))]; }
    bool IsHit(RaceAction action) const { return Hit[static_cast<size_t>(IndexOf(action))]; }
    // The actions held now; an action counts as hit when it was not held at the last update.
    void Update(const std::bitset<kRaceActionCount>& held);
};

class TControls {
public:
    // The game's own bindings.
    TControls();

    const ActionBinding& Of(RaceAction action) const;
    std::optional<RaceAction> ActionOfKey(SDL_Keycode key) const;
    std::optional<RaceAction> ActionOfPad(PadControl control) const;

    // Binds as the controls screen does: the key leaves the action that had it and becomes the
    // action's first key; its first key becomes the second and its second gives way. A key the
    // action already has changes nothing. The result is the action that lost the key, if any.
    std::optional<RaceAction> BindKey(RaceAction action, SDL_Keycode key);
    // The pad control likewise replaces the action's control, leaving the action that had it.
    std::optional<RaceAction> BindPad(RaceAction action, PadControl control);
    // The file's reader: the action's binding as it stands (keys packed to the front). The
    // caller keeps keys and controls on one action each.
    void Set(RaceAction action, const ActionBinding& binding);

    // The actions held by the keys down (a table by scancode, as the form keeps them) and the
    // pad's controls held.
    std::bitset<kRaceActionCount> HeldActions(const Uint8* keys, int keyCount,
                                              const PadControls& pad) const;

    bool operator==(const TControls&) const = default;

private:
    std::array<ActionBinding, kRaceActionCount> actions_;
};

// A key can be bound when SDL gives it a printable name that reads back as the same key.
bool IsNameableKey(SDL_Keycode key);
// SDL's name of a key ("F", "Left Ctrl").
std::string KeyName(SDL_Keycode key);
// The nameable key of an SDL name, in any case; SDLK_UNKNOWN for anything else.
SDL_Keycode KeyFromName(std::string_view name);
// Every pad control can be bound but the stick's directions, which steer and move the selection.
bool IsBindablePadControl(PadControl control);

struct ControlsProblem {
    int Line = 0;
    std::string Message;  // what is wrong and what the action keeps
};

// The reader looks at no more than this many bytes of a line; a longer line is a problem.
inline constexpr size_t kControlsLineLimit = 256;

// Reads the file's text over the game's own bindings; problems are appended, one per bad line.
TControls ParseControls(std::string_view text, std::vector<ControlsProblem>& problems);
// The file's text: a comment saying what it is, then every action in the order above.
std::string FormatControls(const TControls& controls);
