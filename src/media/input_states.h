#pragma once
// The keyboard and the pad as the menus and the windows read them: 36 input states, each active
// while its key is held or a pad control bound to it in the menus is, refreshed once per frame.
// The keys are fixed, so that a player can never lose the way through the menus; the race reads
// the player's own bindings of its actions instead (media/controls.h).

#include <SDL.h>

#include <array>

#include "media/pad_state.h"

constexpr int kInputStateCount = 36;

// Input state numbers of the bound keys.
enum InputStateIndex {
    kStateUp = 0,
    kStateDown = 1,
    kStateLeft = 2,
    kStateRight = 3,
    kStateH = 8,
    kStateP = 9,
    kStateY = 10,
    kStateN = 11,
    kStateEsc = 12,
    kStateSpace = 13,
    kStateEnter = 14,
    kStateZ = 15,
    kStateX = 16,
    kStateC = 17,
    kStateV = 18,
    kStateB = 19,
    kStateDigit1 = 20,  // 20..28: digits 1..9
    kStateDigit0 = 29,
};

class TInputStates {
public:
    // The key bound to a state, or SDL_SCANCODE_UNKNOWN for the unbound ones.
    static SDL_Scancode BindingOf(int state);

    // Sets every state from a key table indexed by scancode (SDL_GetKeyboardState's layout).
    void Refresh(const Uint8* keys, int keyCount);
    // Adds the pad's held controls with the meaning they have in the menus (media/pad_state.h):
    // a state is active while either source holds it.
    void MergePad(const PadControls& held);
    void Clear() { states_.fill(false); }
    // Sets one state as a replay read it; states outside the table are ignored.
    void Set(int state, bool active) {
        if (state >= 0 && state < kInputStateCount) states_[state] = active;
    }
    bool Active(int state) const {
        return state >= 0 && state < kInputStateCount && states_[state];
    }

private:
    std::array<bool, kInputStateCount> states_{};
};
