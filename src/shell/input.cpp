#include "shell/input.h"

int InputStateOfHitKey(HitKey key) {
    static constexpr int kStates[kHitKeyCount] = {
        kStateUp, kStateDown, kStateLeft, kStateRight, kStateP, kStateY, kStateN, kStateEsc, -1};
    return kStates[key];
}

namespace {

// The replay key: R, or the pad's Y where the menus read the pad (there Y answers Yes in the
// windows, and on the high-score screen, which has no question of its own, asks for a replay).
bool WatchKeyHeld(const InputValues& input, const PadControls& padPlaying, PadMode padMode) {
    return input.HeldKeys[SDL_SCANCODE_R] != 0 || (padMode == PadMode::Menu && padPlaying[kPadY]);
}

}  // namespace

void InputValues::PollInput(bool active, PadMode padMode) {
    const PadControls padHeld = Pad.Held();
    if (padMode != PadModeSeen) PadHeldOver = padHeld;
    PadModeSeen = padMode;
    PadHeldOver &= padHeld;  // a control let go plays again at its next press
    const PadControls padPlaying = padHeld & ~PadHeldOver;
    bool watch = false;
    if (active) {
        // The keyboard's states stand in every mode; the pad's hold the menus' states in the
        // menus and the race's actions in the race.
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
        if (padMode == PadMode::Menu) MDXInput.MergePad(padPlaying);
        Race.Update(Controls.HeldActions(HeldKeys.data(), static_cast<int>(HeldKeys.size()),
                                         padMode == PadMode::Race ? padPlaying : PadControls{}));
        watch = WatchKeyHeld(*this, padPlaying, padMode);
    } else {
        MDXInput.Clear();
        Race.Update({});
    }
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey key = static_cast<HitKey>(k);
        const bool state = key == kHitWatch ? watch : MDXInput.Active(InputStateOfHitKey(key));
        KeyHit[k] = state && !PreviousState[k];
        PreviousState[k] = state;
    }
}

void InputValues::Resync(bool active, PadMode padMode) {
    PadModeSeen = padMode;
    PadHeldOver = Pad.Held();
    if (active) {
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
        Race.Update(Controls.HeldActions(HeldKeys.data(), static_cast<int>(HeldKeys.size()),
                                         PadControls{}));
    } else {
        MDXInput.Clear();
        Race.Update({});
    }
    Race.Hit.reset();
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey key = static_cast<HitKey>(k);
        PreviousState[k] = key == kHitWatch ? active && HeldKeys[SDL_SCANCODE_R] != 0
                                            : MDXInput.Active(InputStateOfHitKey(key));
        KeyHit[k] = false;
    }
}

void InputValues::HoldOver(SDL_Scancode key) {
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey hit = static_cast<HitKey>(k);
        const SDL_Scancode bound =
            hit == kHitWatch ? SDL_SCANCODE_R : TInputStates::BindingOf(InputStateOfHitKey(hit));
        if (bound == key) PreviousState[k] = true;
    }
}

void InputValues::HoldOver(PadControl control) {
    if (control >= 0 && control < kPadControlCount) PadHeldOver.set(control);
}

namespace {

// The input word's bits, lowest first: the race's actions held (the busiest bits, so that their
// changes take the fewest bytes), then hit, then the KeyHit flags that the race's windows read.
// The menus' input states stay out: nothing of a race reads them but through the KeyHit flags.
constexpr int kFirstRaceHitBit = kRaceActionCount;
constexpr int kFirstKeyHitBit = 2 * kRaceActionCount;
static_assert(kFirstKeyHitBit + kHitKeyCount == kFrameInputBits);
static_assert(kFrameInputBits <= 64);

}  // namespace

uint64_t InputValues::PackedFrameInput() const {
    uint64_t word = 0;
    auto put = [&word](int bit, bool on) {
        if (on) word |= uint64_t{1} << bit;
    };
    for (int a = 0; a < kRaceActionCount; ++a) {
        put(a, Race.Held[static_cast<size_t>(a)]);
        put(kFirstRaceHitBit + a, Race.Hit[static_cast<size_t>(a)]);
    }
    for (int k = 0; k < kHitKeyCount; ++k) put(kFirstKeyHitBit + k, KeyHit[k]);
    return word;
}

void InputValues::SetPackedFrameInput(uint64_t word) {
    auto bit = [word](int b) { return ((word >> b) & 1u) != 0; };
    for (int a = 0; a < kRaceActionCount; ++a) {
        Race.Held[static_cast<size_t>(a)] = bit(a);
        Race.Hit[static_cast<size_t>(a)] = bit(kFirstRaceHitBit + a);
    }
    // The menus' states are the viewer's, and no frame of a replay reads them.
    MDXInput.Clear();
    for (int k = 0; k < kHitKeyCount; ++k) {
        KeyHit[k] = bit(kFirstKeyHitBit + k);
        PreviousState[k] = KeyHit[k];
    }
}

bool IsAcceptedChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
}
