#pragma once
// The keyboard, the pad and the mouse as the frame handler sees them: the 36 input states and the
// keys that count once when they go down (KeyHit), which the menus and the windows read; the race's
// input states, made from the player's bindings; the pad's buttons and axes from its events; and
// the mouse position in surface pixels.

#include <SDL.h>

#include <array>
#include <cstdint>

#include "media/controls.h"
#include "media/input_states.h"

// The keys with an edge test, in the order of their KeyHit flags. The last, kHitWatch, is no
// input state: R, or the pad's Y in the menus, asks the high-score screen for a replay.
enum HitKey {
    kHitUp,
    kHitDown,
    kHitLeft,
    kHitRight,
    kHitP,
    kHitY,
    kHitN,
    kHitEsc,
    kHitWatch,
    kHitKeyCount
};

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
    // Reads what is held now as the poll would, but as already seen: nothing held counts as hit
    // in the next frame, and a pad control held now plays only after it is let go (a replay
    // left with Esc must not also leave the screen it returns to).
    void Resync(bool active, PadMode padMode);
    // A key or pad control that the controls screen bound (or that cancelled its capture) does
    // nothing more until it is let go: it counts as already down for the KeyHit flags and the
    // pad's menu states.
    void HoldOver(SDL_Scancode key);
    void HoldOver(PadControl control);

    // The input as the race and its windows read it in one frame (the race's actions held and
    // hit, and the KeyHit flags), packed into the input word of a recording, the race's actions
    // in the lowest bits. The actions are recorded as the bindings made them, so a recording
    // plays the same whatever the controls file says. Setting it from a word sets the previous
    // states of the KeyHit flags along with them.
    uint64_t PackedFrameInput() const;
    void SetPackedFrameInput(uint64_t word);
};

// The input state of each KeyHit flag but kHitWatch (-1).
int InputStateOfHitKey(HitKey key);
// The bits of the input word in use.
inline constexpr int kFrameInputBits = 2 * kRaceActionCount + kHitKeyCount;

// Characters the text fields take: digits, letters A-Z and a-z, and the space.
bool IsAcceptedChar(char c);
