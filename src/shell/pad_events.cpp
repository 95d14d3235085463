// The pad's events: plugging a pad in and pulling it out, and the buttons and axes of the pad in
// use. They only keep the pad's state; the frame's poll reads it with the keys. A alone acts at
// once in the menus, as the Enter key does, and a capture of the controls screen takes the button
// or trigger that goes down.

#include "shell/form.h"

PadMode TMForm::PadModeNow() const {
    if (Screens.ScreenState != GameScreen::Race) return PadMode::Menu;
    switch (Screens.WindowKind) {
        case ModalWindow::ExitToMenu:
        case ModalWindow::NameEntry:
            return PadMode::Menu;
        default:
            return PadMode::Race;
    }
}

void TMForm::GamePadAdded(int deviceIndex) {
    // A pad plugged in while another is in use waits: it takes over when that one goes.
    if (Components.GamePad.DeviceAdded(deviceIndex)) Components.GamePad.Read(Input.Pad);
}

void TMForm::GamePadRemoved(SDL_JoystickID id) {
    if (!Components.GamePad.DeviceRemoved(id)) return;
    // Whatever the lost pad held is let go; a pad that takes over plays from what it holds now.
    Components.GamePad.Read(Input.Pad);
    PadLost();
}

void TMForm::PadLost() {
    NoteEvent(ReplayEventKind::PadLost);
    // Losing the pad in the middle of a race stops it, as losing the focus does: the player is
    // not left steering nothing.
    if (Screens.ScreenState == GameScreen::Race) OpenWindow(ModalWindow::Pause);
}

void TMForm::GamePadButton(SDL_JoystickID id, int button, bool down) {
    if (!Components.GamePad.IsTheOneInUse(id)) return;
    const bool wasDown =
        button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX && Input.Pad.Buttons[button];
    Input.Pad.SetButton(button, down);
    // The controls screen waits for a button: it binds the action and does nothing else (A does
    // not click) until it is let go.
    if (down && !wasDown && CapturingControls()) {
        const std::optional<PadControl> control = PadControlOfButton(button);
        if (control && FrontEnd.ControlsScreen.TakePad(*control)) Input.HoldOver(*control);
        return;
    }
    // A in the menus is the Enter key: it clicks the selected button (and confirms the name).
    if (down && !wasDown && button == SDL_CONTROLLER_BUTTON_A && active_ &&
        PadModeNow() == PadMode::Menu) {
        FormKeyPress(13);
    }
}

void TMForm::GamePadAxis(SDL_JoystickID id, int axis, int value) {
    if (!Components.GamePad.IsTheOneInUse(id)) return;
    Input.Pad.SetAxis(axis, value);
    // A trigger pulled past its dead zone binds as a button does; the sticks are not bound.
    if (value > kTriggerDeadZone && CapturingControls()) {
        const std::optional<PadControl> control = PadControlOfTrigger(axis);
        if (control && FrontEnd.ControlsScreen.TakePad(*control)) Input.HoldOver(*control);
    }
}
