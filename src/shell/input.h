#pragma once
// The keyboard, the pad and the mouse as the frame handler sees them: the 36 input states and the
// keys that count once when they go down (KeyHit), which the menus and the windows read; the race's
// input states, made from the player's bindings; the pad's buttons and axes from its events; and
// the mouse position in surface pixels.

#include <SDL.h>

#include <array>

#include "media/controls.h"
#include "media/input_states.h"

// The keys with an edge test, in the order of their KeyHit flags.
enum HitKey { kHitUp, kHitDown, kHitLeft, kHitRight, kHitP, kHitY, kHitN, kHitEsc, kHitKeyCount };

struct InputValues {
    TInputStates MDXInput;
    std::array<bool, kHitKeyCount> KeyHit{};
    std::array<bool, kHitKeyCount> PreviousState{};
    int MouseX = 0;
    int MouseY = 0;
    // The keys held down, by scancode, kept from the form's key events.
    std::array<Uint8, SDL_NUM_SCANCODES> HeldKeys{};
    // The pad in use as its events left it (all released without one).
    PadState Pad;
    // The mode the pad was read in at the last poll, and the controls that keep quiet until they
    // are let go: those held when the mode last changed, so that a button held for one meaning
    // never acts with the other (A held to fire does not click the window that opens), and those
    // a capture of the controls screen took.
    PadMode PadModeSeen = PadMode::Menu;
    PadControls PadHeldOver;
    // The player's bindings of the race's actions, and the race's input states made from them.
    TControls Controls;
    RaceInputStates Race;

    // Refreshes the input states from the held keys and the pad's controls in the given mode (or
    // clears them while the game is inactive) and computes the KeyHit flags. This is the one
    // place where keys and pad controls become the race's input states.
    void PollInput(bool active, PadMode padMode);
    bool Held(int state) const { return MDXInput.Active(state); }
    bool Hit(HitKey key) const { return KeyHit[key]; }
    // A key or pad control that the controls screen bound (or that cancelled its capture) does
    // nothing more until it is let go: it counts as already down for the KeyHit flags and the
    // pad's menu states.
    void HoldOver(SDL_Scancode key);
    void HoldOver(PadControl control);
};

// The input state of each KeyHit flag.
int InputStateOfHitKey(HitKey key);

// Characters the text fields take: digits, letters A-Z and a-z, and the space.
bool IsAcceptedChar(char c);
