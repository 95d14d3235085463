#pragma once
// The keyboard, the pad and the mouse as the frame handler sees them: the 36 input states, the
// keys that count once when they go down (KeyHit), Ctrl and Shift from the form's key events, the
// pad's buttons and axes from its events, and the mouse position in surface pixels.

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
    // The pad in use as its events left it (all released without one).
    PadState Pad;
    // The mode the pad was read in at the last poll, and the controls that were held when the
    // mode last changed: those keep quiet until they are let go, so that a button held for one
    // meaning never acts with the other (A held to fire does not click the window that opens).
    PadMode PadModeSeen = PadMode::Menu;
    PadControls PadHeldOver;

    // Refreshes the input states from the held keys and the pad's controls in the given mode (or
    // clears them while the game is inactive) and computes the KeyHit flags.
    void PollInput(bool active, PadMode padMode);
    bool Held(int state) const { return MDXInput.Active(state); }
    bool Hit(HitKey key) const { return KeyHit[key]; }
};

// The input state of each KeyHit flag.
int InputStateOfHitKey(HitKey key);

// Characters the text fields take: digits, letters A-Z and a-z, and the space.
bool IsAcceptedChar(char c);
