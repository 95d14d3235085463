#include "media/pad_state.h"

#include "media/input_states.h"

namespace {

constexpr int kNone = -1;

struct PadBindingRow {
    PadControl control;
    int menu;  // in the menus and in the windows with something to choose
    int race;  // in the race, and in the windows that only show a message over it
};

// What the pad does, in one place: the input state each control holds in the menus (and the
// windows with something to choose) and in the race, with the keyboard's key for that state.
// A's click in the menus goes through the form's Enter, as the key's does (Enter is a typed
// character there); its input state is held as well, so that the two sources stay alike.
// clang-format off
constexpr PadBindingRow kPadBindings[] = {
    // control          menus        race            the keys: menus         | race
    {kPadA,             kStateEnter, kStateZ},     // Enter: click           | Z: fire
    {kPadB,             kStateEsc,   kStateX},     // Esc: back              | X: nitro
    {kPadX,             kStateN,     kStateSpace}, // N: answer No           | Space: handbrake
    {kPadY,             kStateY,     kStateH},     // Y: answer Yes          | H: horn
    {kPadBack,          kStateEsc,   kStateEsc},   // Esc: back              | Esc: leave the race
    {kPadStart,         kNone,       kStateP},     //                        | P: pause, resume
    {kPadDpadUp,        kStateUp,    kNone},       // Up: move the selection |
    {kPadDpadDown,      kStateDown,  kNone},       // Down                   |
    {kPadDpadLeft,      kStateLeft,  kStateLeft},  // Left                   | Left: steer
    {kPadDpadRight,     kStateRight, kStateRight}, // Right                  | Right: steer
    {kPadStickLeft,     kStateLeft,  kStateLeft},  // Left                   | Left: steer
    {kPadStickRight,    kStateRight, kStateRight}, // Right                  | Right: steer
    {kPadStickUp,       kStateUp,    kNone},       // Up                     |
    {kPadStickDown,     kStateDown,  kNone},       // Down                   |
    {kPadLeftTrigger,   kNone,       kStateDown},  //                        | Down: brake, reverse
    {kPadRightTrigger,  kNone,       kStateUp},    //                        | Up: accelerate
};
// clang-format on

}  // namespace

int PadBinding(PadControl control, PadMode mode) {
    for (const PadBindingRow& row : kPadBindings)
        if (row.control == control) return mode == PadMode::Menu ? row.menu : row.race;
    return kNone;
}

void PadState::SetButton(int button, bool down) {
    if (button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX) Buttons[button] = down;
}

void PadState::SetAxis(int axis, int value) {
    if (axis >= 0 && axis < SDL_CONTROLLER_AXIS_MAX) Axes[axis] = value;
}

void PadState::Clear() {
    Buttons.fill(false);
    Axes.fill(0);
}

PadControls PadState::Held() const {
    PadControls held;
    held[kPadA] = Buttons[SDL_CONTROLLER_BUTTON_A];
    held[kPadB] = Buttons[SDL_CONTROLLER_BUTTON_B];
    held[kPadX] = Buttons[SDL_CONTROLLER_BUTTON_X];
    held[kPadY] = Buttons[SDL_CONTROLLER_BUTTON_Y];
    held[kPadBack] = Buttons[SDL_CONTROLLER_BUTTON_BACK];
    held[kPadStart] = Buttons[SDL_CONTROLLER_BUTTON_START];
    held[kPadDpadUp] = Buttons[SDL_CONTROLLER_BUTTON_DPAD_UP];
    held[kPadDpadDown] = Buttons[SDL_CONTROLLER_BUTTON_DPAD_DOWN];
    held[kPadDpadLeft] = Buttons[SDL_CONTROLLER_BUTTON_DPAD_LEFT];
    held[kPadDpadRight] = Buttons[SDL_CONTROLLER_BUTTON_DPAD_RIGHT];
    const int x = Axes[SDL_CONTROLLER_AXIS_LEFTX];
    const int y = Axes[SDL_CONTROLLER_AXIS_LEFTY];
    held[kPadStickLeft] = x < -kStickDeadZone;
    held[kPadStickRight] = x > kStickDeadZone;
    held[kPadStickUp] = y < -kStickDeadZone;
    held[kPadStickDown] = y > kStickDeadZone;
    held[kPadLeftTrigger] = Axes[SDL_CONTROLLER_AXIS_TRIGGERLEFT] > kTriggerDeadZone;
    held[kPadRightTrigger] = Axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT] > kTriggerDeadZone;
    return held;
}
