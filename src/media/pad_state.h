#pragma once
// The game controller as the game reads it: its buttons and axes as its events left them, the
// controls they make once the dead zones are applied, and the one table that binds each control
// to an input state of the keyboard's table. A pad never has rules of its own: it holds the same
// input states as the keys, so every screen and the race read it without knowing it is there.

#include <SDL.h>

#include <array>
#include <bitset>

// The pad's controls that the game binds. The d-pad and the left stick are separate controls:
// either may hold a direction while the other is let go.
enum PadControl {
    kPadA,
    kPadB,
    kPadX,
    kPadY,
    kPadBack,
    kPadStart,
    kPadDpadUp,
    kPadDpadDown,
    kPadDpadLeft,
    kPadDpadRight,
    kPadStickLeft,
    kPadStickRight,
    kPadStickUp,
    kPadStickDown,
    kPadLeftTrigger,
    kPadRightTrigger,
    kPadControlCount
};

using PadControls = std::bitset<kPadControlCount>;

// Some buttons change their meaning with what is on screen: in the menus and the windows with
// something to choose A is Enter and Y, X answer Yes and No; in the race A fires, Y sounds the
// horn and X is the handbrake.
enum class PadMode { Menu, Race };

// A stick axis counts as pushed only beyond this distance from the centre (either way): a worn
// stick rests a little off centre and must not move the selection or steer by itself.
constexpr int kStickDeadZone = 8000;
// A trigger counts as pulled only beyond this: a resting finger must not accelerate.
constexpr int kTriggerDeadZone = 8000;

struct PadState {
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> Buttons{};
    // SDL's values: sticks -32768 (left, up) to 32767 (right, down), triggers 0 to 32767.
    std::array<int, SDL_CONTROLLER_AXIS_MAX> Axes{};

    // Buttons and axes outside SDL's range are ignored.
    void SetButton(int button, bool down);
    void SetAxis(int axis, int value);
    void Clear();
    // The controls held now, through the dead zones.
    PadControls Held() const;
};

// The input state (media/input_states.h) that a control holds in a mode, or -1 for none.
int PadBinding(PadControl control, PadMode mode);
