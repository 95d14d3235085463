#pragma once
// Input scripts for the replay runner: one event per line, "FRAME EVENT", delivered before that
// frame runs. EVENT is "down KEY", "up KEY", "type TEXT" (with \b and \r), "move X Y", "click",
// "close", "focus 0|1", or one of the pad's: "pad add", "pad remove", "pad down BUTTON",
// "pad up BUTTON", "pad axis AXIS VALUE", each with an optional pad number at the end (pads are
// numbered from 1 in the order added; without a number, the first one still connected). BUTTON
// and AXIS are SDL's names (a, b, x, y, back, start, dpup, ...; leftx, lefty, lefttrigger,
// righttrigger, ...); VALUE is what the game reads, -32768 to 32767 on a stick, 0 to 32767 on a
// trigger. Lines that are empty or start with '#' are ignored.

#include <SDL.h>

#include <istream>
#include <string>
#include <vector>

struct ScriptEvent {
    enum class Kind { Down, Up, Type, Move, Click, Close, Focus, Pad };
    enum class PadAction { Add, Remove, Down, Up, Axis };
    int frame = 0;
    Kind kind = Kind::Click;
    SDL_Scancode key = SDL_SCANCODE_UNKNOWN;
    std::string text;
    int x = 0;
    int y = 0;
    bool focus = true;
    // Pad events: the pad's number (0: the first one connected), the button or axis, the value.
    PadAction padAction = PadAction::Add;
    int pad = 0;
    int padButton = 0;
    int padAxis = 0;
    int padValue = 0;
    int line = 0;  // where the script says it
};

// The scancode of a script key name (Up Down Left Right Space Esc Enter Ctrl Shift Alt RCtrl
// RShift RAlt Backspace Tab, the letters A-Z, the digits 0-9, F1-F12), or SDL_SCANCODE_UNKNOWN.
SDL_Scancode ScriptKeyCode(const std::string& name);

// Parses a whole script; on a bad line returns false with a message naming the line. A pad event
// for a pad that is not connected at that point of the script is a bad line too.
bool ParseInputScript(std::istream& in, std::vector<ScriptEvent>& events, std::string& error);
