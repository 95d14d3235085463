#pragma once
// The game controller as the game reads it: its buttons and axes as its events left them, and the
// controls they make once the dead zones are applied. In the menus and the windows with something
// to choose, one fixed table binds the controls to the keyboard's input states, so every screen
// reads the pad without knowing it is there; in the race the player's bindings of the race's
// actions (media/controls.h) read the controls instead.

#include <SDL.h>

#include <array>
#include <bitset>
#include <optional>
#include <string_view>

// The pad's controls. The d-pad and the left stick are separate controls: either may hold a
// direction while the other is let go. Every button SDL knows is a control, and so is each
// trigger pulled; the stick's directions are the only controls that are not buttons.
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
    kPadGuide,
    kPadLeftStickPress,
    kPadRightStickPress,
    kPadLeftShoulder,
    kPadRightShoulder,
    kPadMisc,
    kPadPaddle1,
    kPadPaddle2,
    kPadPaddle3,
    kPadPaddle4,
    kPadTouchpad,
    kPadControlCount
};

using PadControls = std::bitset<kPadControlCount>;

// Some buttons change their meaning with what is on screen: in the menus and the windows with
// something to choose A is Enter and Y, X answer Yes and No; in the race each control does what
// the player's bindings say.
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

// The input state (media/input_states.h) that a control holds in the menus, or -1 for none.
int PadMenuBinding(PadControl control);

// The control of one of SDL's buttons, or of a trigger axis; nullopt for anything else.
std::optional<PadControl> PadControlOfButton(int button);
std::optional<PadControl> PadControlOfTrigger(int axis);
// SDL's own name of a control: the button's ("a", "dpleft", "leftshoulder") or the trigger
// axis's ("lefttrigger"); empty for the stick's directions, which have none.
std::string_view PadControlName(PadControl control);
// The control of one of those names, in any case; nullopt for any other text.
std::optional<PadControl> PadControlFromName(std::string_view name);
