#pragma once
// Input scripts for the replay runner: one event per line, "FRAME EVENT", delivered before that
// frame runs. EVENT is "down KEY", "up KEY", "type TEXT" (with \b and \r), "move X Y", "click",
// "close" or "focus 0|1". Lines that are empty or start with '#' are ignored.

#include <SDL.h>

#include <istream>
#include <string>
#include <vector>

struct ScriptEvent {
    enum class Kind { Down, Up, Type, Move, Click, Close, Focus };
    int frame = 0;
    Kind kind = Kind::Click;
    SDL_Scancode key = SDL_SCANCODE_UNKNOWN;
    std::string text;
    int x = 0;
    int y = 0;
    bool focus = true;
};

// The scancode of a script key name (Up Down Left Right Space Z X H P Y N Esc Enter Ctrl Shift
// Alt RCtrl RShift RAlt Backspace C V B 0-9), or SDL_SCANCODE_UNKNOWN.
SDL_Scancode ScriptKeyCode(const std::string& name);

// Parses a whole script; on a bad line returns false with a message naming the line.
bool ParseInputScript(std::istream& in, std::vector<ScriptEvent>& events, std::string& error);
