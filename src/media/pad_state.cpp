#include "media/pad_state.h"

#include <string>

#include "core/names.h"
#include "media/input_states.h"

namespace {

constexpr int kNone = -1;

struct PadMenuRow {
    PadControl control;
    int state;
};

// What the pad does in the menus and the windows with something to choose, in one place: the
// input state each control holds, with the keyboard's key for that state. A's click goes through
// the form's Enter, as the key's does (Enter is a typed character there); its input state is held
// as well, so that the two sources stay alike. The controls not listed hold nothing there.
constexpr PadMenuRow kPadMenuBindings[] = {
    {kPadA, kStateEnter},           // Enter: click
    {kPadB, kStateEsc},             // Esc: back
    {kPadX, kStateN},               // N: answer No
    {kPadY, kStateY},               // Y: answer Yes
    {kPadBack, kStateEsc},          // Esc: back
    {kPadDpadUp, kStateUp},         // Up: move the selection
    {kPadDpadDown, kStateDown},     // Down
    {kPadDpadLeft, kStateLeft},     // Left
    {kPadDpadRight, kStateRight},   // Right
    {kPadStickLeft, kStateLeft},    // Left
    {kPadStickRight, kStateRight},  // Right
    {kPadStickUp, kStateUp},        // Up
    {kPadStickDown, kStateDown},    // Down
};

// The controls that are SDL buttons, with the button.
struct ButtonControl {
    PadControl control;
    SDL_GameControllerButton button;
};
constexpr ButtonControl kButtonControls[] = {
    {kPadA, SDL_CONTROLLER_BUTTON_A},
    {kPadB, SDL_CONTROLLER_BUTTON_B},
    {kPadX, SDL_CONTROLLER_BUTTON_X},
    {kPadY, SDL_CONTROLLER_BUTTON_Y},
    {kPadBack, SDL_CONTROLLER_BUTTON_BACK},
    {kPadStart, SDL_CONTROLLER_BUTTON_START},
    {kPadDpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {kPadDpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {kPadDpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {kPadDpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
    {kPadGuide, SDL_CONTROLLER_BUTTON_GUIDE},
    {kPadLeftStickPress, SDL_CONTROLLER_BUTTON_LEFTSTICK},
    {kPadRightStickPress, SDL_CONTROLLER_BUTTON_RIGHTSTICK},
    {kPadLeftShoulder, SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
    {kPadRightShoulder, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER},
    {kPadMisc, SDL_CONTROLLER_BUTTON_MISC1},
    {kPadPaddle1, SDL_CONTROLLER_BUTTON_PADDLE1},
    {kPadPaddle2, SDL_CONTROLLER_BUTTON_PADDLE2},
    {kPadPaddle3, SDL_CONTROLLER_BUTTON_PADDLE3},
    {kPadPaddle4, SDL_CONTROLLER_BUTTON_PADDLE4},
    {kPadTouchpad, SDL_CONTROLLER_BUTTON_TOUCHPAD},
};
static_assert(std::size(kButtonControls) == SDL_CONTROLLER_BUTTON_MAX,
              "every button SDL knows is a control");

}  // namespace

int PadMenuBinding(PadControl control) {
    for (const PadMenuRow& row : kPadMenuBindings)
        if (row.control == control) return row.state;
    return kNone;
}

std::optional<PadControl> PadControlOfButton(int button) {
    for (const ButtonControl& row : kButtonControls)
        if (row.button == button) return row.control;
    return std::nullopt;
}

std::optional<PadControl> PadControlOfTrigger(int axis) {
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT) return kPadLeftTrigger;
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) return kPadRightTrigger;
    return std::nullopt;
}

std::string_view PadControlName(PadControl control) {
    if (control == kPadLeftTrigger)
        return SDL_GameControllerGetStringForAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    if (control == kPadRightTrigger)
        return SDL_GameControllerGetStringForAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (const ButtonControl& row : kButtonControls)
        if (row.control == control) {
            const char* name = SDL_GameControllerGetStringForButton(row.button);
            return name != nullptr ? name : "";
        }
    return "";
}

std::optional<PadControl> PadControlFromName(std::string_view name) {
    // SDL's look-ups want a terminated string; a longer name than any of SDL's is none of them.
    if (name.empty() || name.size() > 32) return std::nullopt;
    const std::string text(name);
    std::optional<PadControl> control;
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(text.c_str());
    if (button != SDL_CONTROLLER_BUTTON_INVALID)
        control = PadControlOfButton(button);
    else
        control = PadControlOfTrigger(SDL_GameControllerGetAxisFromString(text.c_str()));
    // SDL's readers forgive a sign in front of an axis; a name must be the name itself.
    if (control && !SameNameIgnoringCase(PadControlName(*control), name)) return std::nullopt;
    return control;
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
    for (const ButtonControl& row : kButtonControls) held[row.control] = Buttons[row.button];
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
