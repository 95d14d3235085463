#include "shell/input.h"

#include <iterator>

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
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
        MDXInput.MergePad(padPlaying, padMode);
        watch = WatchKeyHeld(*this, padPlaying, padMode);
    } else {
        MDXInput.Clear();
    }
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey key = static_cast<HitKey>(k);
        const bool state = key == kHitWatch ? watch : MDXInput.Active(InputStateOfHitKey(key));
        KeyHit[k] = state && !PreviousState[k];
        PreviousState[k] = state;
    }
}

void InputValues::Resync(bool active, PadMode padMode) {
    HeldCtrl = HeldKeys[SDL_SCANCODE_LCTRL] != 0 || HeldKeys[SDL_SCANCODE_RCTRL] != 0;
    HeldShift = HeldKeys[SDL_SCANCODE_LSHIFT] != 0 || HeldKeys[SDL_SCANCODE_RSHIFT] != 0;
    PadModeSeen = padMode;
    PadHeldOver = Pad.Held();
    if (active) {
        MDXInput.Refresh(HeldKeys.data(), static_cast<int>(HeldKeys.size()));
    } else {
        MDXInput.Clear();
    }
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey key = static_cast<HitKey>(k);
        PreviousState[k] = key == kHitWatch ? active && HeldKeys[SDL_SCANCODE_R] != 0
                                            : MDXInput.Active(InputStateOfHitKey(key));
        KeyHit[k] = false;
    }
}

namespace {

// The input states in the order of the input word's bits: first those a race holds most
// (steering, gas, brake, handbrake, fire, nitro, horn), so that their changes take the fewest
// bytes; Ctrl, Shift and the KeyHit flags follow them, then the other states.
constexpr int kBusyStates[] = {kStateUp,    kStateDown, kStateLeft, kStateRight,
                               kStateSpace, kStateZ,    kStateX,    kStateH};
constexpr int kQuietStates[] = {
    kStateP, kStateY, kStateN, kStateEsc, kStateEnter, kStateC, kStateV,      kStateB, 20, 21, 22,
    23,      24,      25,      26,        27,          28,      kStateDigit0, 4,       5,  6,  7,
    30,      31,      32,      33,        34,          35};
constexpr int kBusyCount = static_cast<int>(std::size(kBusyStates));
constexpr int kCtrlBit = kBusyCount;
constexpr int kShiftBit = kBusyCount + 1;
constexpr int kFirstHitBit = kBusyCount + 2;
constexpr int kFirstQuietBit = kFirstHitBit + kHitKeyCount;
static_assert(kBusyCount + static_cast<int>(std::size(kQuietStates)) == kInputStateCount);
static_assert(kFirstQuietBit + static_cast<int>(std::size(kQuietStates)) == kFrameInputBits);

}  // namespace

uint64_t InputValues::PackedFrameInput() const {
    uint64_t word = 0;
    auto put = [&word](int bit, bool on) {
        if (on) word |= uint64_t{1} << bit;
    };
    for (int i = 0; i < kBusyCount; ++i) put(i, MDXInput.Active(kBusyStates[i]));
    put(kCtrlBit, HeldCtrl);
    put(kShiftBit, HeldShift);
    for (int k = 0; k < kHitKeyCount; ++k) put(kFirstHitBit + k, KeyHit[k]);
    for (int i = 0; i < static_cast<int>(std::size(kQuietStates)); ++i)
        put(kFirstQuietBit + i, MDXInput.Active(kQuietStates[i]));
    return word;
}

void InputValues::SetPackedFrameInput(uint64_t word) {
    auto bit = [word](int b) { return ((word >> b) & 1u) != 0; };
    for (int i = 0; i < kBusyCount; ++i) MDXInput.Set(kBusyStates[i], bit(i));
    HeldCtrl = bit(kCtrlBit);
    HeldShift = bit(kShiftBit);
    for (int i = 0; i < static_cast<int>(std::size(kQuietStates)); ++i)
        MDXInput.Set(kQuietStates[i], bit(kFirstQuietBit + i));
    for (int k = 0; k < kHitKeyCount; ++k) {
        const HitKey key = static_cast<HitKey>(k);
        KeyHit[k] = bit(kFirstHitBit + k);
        PreviousState[k] = key == kHitWatch ? KeyHit[k] : MDXInput.Active(InputStateOfHitKey(key));
    }
}

bool IsAcceptedChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ';
}
