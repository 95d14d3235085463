#pragma once
// The keyboard and mouse as the frame handler sees them: the 36 input states, the keys that count
// once when they go down (KeyHit), Ctrl and Shift from the form's key events, and the mouse
// position in surface pixels.

#include <SDL.h>

#include <array>

#include "media/input_states.h"

// The keys with an edge test, in the order of their KeyHit flags.
enum HitKey { kHitUp, kHitDown, kHitLeft, kHitRight, kHitP, kHitY, kHitN, kHitEsc, kHitKeyCount };

struct InputValues {
    TInputStates MDXInput;
    std::array<bool, kHitKeyCount> KeyHit{};
    std::array<bool, kHitKeyCount> PreviousState{};
    bool HeldCtrl = false;
    bool HeldShift = false;
    int MouseX = 0;
    int MouseY = 0;
    // The keys held down, by scancode, kept from the form's key events.
    std::array<Uint8, SDL_NUM_SCANCODES> HeldKeys{};

    // Refreshes the input states from the held keys (or clears them while the game is inactive)
    // and computes the KeyHit flags.
    void PollInput(bool active);
    bool Held(int state) const { return MDXInput.Active(state); }
    bool Hit(HitKey key) const { return KeyHit[key]; }
};

// The input state of each KeyHit flag.
int InputStateOfHitKey(HitKey key);

// Characters the text fields take: digits, letters A-Z and a-z, and the space.
bool IsAcceptedChar(char c);
