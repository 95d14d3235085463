#include "shell/input.h"

int InputStateOfHitKey(HitKey key) {
    static constexpr int kStates[kHitKeyCount] = {kStateUp, kStateDown, kStateLeft, kStateRight,
                                                  kStateP,  kStateY,    kStateN,    kStateEsc};
    return kStates[key];
}

void InputValues::PollInput(bool active, PadMode padMode) {
    const PadControls padHeld = Pad.Held();
    if (padMode != PadModeSeen) PadHeldOver = padHeld;
    PadModeSeen = padMode;
    PadHeldOver &= padHeld;  // a control let go plays again at its next press
    const PadControls padPlaying = padHeld & ~PadHeldOver;
    if (active) {
        // The keyboard's states stand in every mode; the pad's hold the menus' states in the
        // menus and the race's actions in the race.
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
        if (padMode == PadMode::Menu) MDXInput.MergePad(padPlaying);
        Race.Update(Controls.HeldActions(HeldKeys.data(), static_cast<int>(HeldKeys.size()),
                                         padMode == PadMode::Race ? padPlaying : PadControls{}));
    } else {
        MDXInput.Clear();
        Race.Update({});
    }
    for (int k = 0; k < kHitKeyCount; ++k) {
        const bool state = MDXInput.Active(InputStateOfHitKey(static_cast<HitKey>(k)));
        KeyHit[k] = state && !PreviousState[k];
        PreviousState[k] = state;
    }
}

void InputValues::HoldOver(SDL_Scancode key) {
    for (int k = 0; k < kHitKeyCount; ++k)
        if (TInputStates::BindingOf(InputStateOfHitKey(static_cast<HitKey>(k))) == key)
            PreviousState[k] = true;
}

void InputValues::HoldOver(PadControl control) {
    if (control >= 0 && control < kPadControlCount) PadHeldOver.set(control);
}

bool IsAcceptedChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
}
