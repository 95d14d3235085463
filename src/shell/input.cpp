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
    if (active) {
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
        MDXInput.MergePad(padHeld & ~PadHeldOver, padMode);
    } else {
        MDXInput.Clear();
    }
    for (int k = 0; k < kHitKeyCount; ++k) {
        const bool state = MDXInput.Active(InputStateOfHitKey(static_cast<HitKey>(k)));
        KeyHit[k] = state && !PreviousState[k];
        PreviousState[k] = state;
    }
}

bool IsAcceptedChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
}
