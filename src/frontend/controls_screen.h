#pragma once
// The controls screen, reached from the options screen: the race's ten actions, each with its
// keys (up to two) and its pad control. Choosing an action's row (Enter, a click, the pad's A)
// starts a capture: the next key or pad button pressed binds the action, taken from whichever
// other action had it; Esc cancels the capture, and so does a click. "Defaults" asks before the
// game's own bindings come back; Back returns to the options screen. The arrows, Enter and Esc
// move through the screen whatever the race's bindings are, so that no binding can lock a player
// out of the menus.

#include <SDL.h>

#include <array>
#include <string>

#include "media/pad_state.h"

class MenuHost;

// The screen's buttons: the ten actions' rows, Defaults and Back. Entries 11 and 12 stay free for
// the Yes and No of the Defaults question.
enum ControlsButton {
    kControlsFirstRow = 1,
    kControlsLastRow = 10,
    kControlsDefaults = 13,
    kControlsBack = 14,
};

// How long a row that has just changed stays in the accent colour.
constexpr int kControlsChangeShownMs = 1500;

class TControlsScreen {
public:
    explicit TControlsScreen(MenuHost& host) : host_(host) {}

    void OpenControls();
    void CloseControls();
    // The screen's routine for one frame with no window open.
    void ControlsFrame(int LagCount);
    // The table of actions. While the Defaults question lies over the screen the form passes the
    // question's rectangle: the game's texts are drawn over every picture, so a text that would
    // cross it is left out instead, and the table seems to lie under the question.
    void DrawControlsTexts(const SDL_Rect* covered = nullptr);

    // A row chosen: its action waits for a key or a pad button.
    void StartCapture(int row);
    void CancelCapture();
    bool Capturing() const { return CaptureRow != 0; }
    // During a capture: Esc cancels it and any other key with a name binds the action. False
    // when the key is not taken (one SDL cannot name): the capture waits on.
    bool TakeKey(SDL_Keycode key);
    // During a capture: a pad button or trigger binds the action. False for a stick's direction.
    bool TakePad(PadControl control);
    // The Defaults question's Yes: the game's own bindings, kept at once.
    void RestoreDefaults();

    // The row waiting for a key or a pad button; 0 when none is.
    int CaptureRow = 0;
    // The rows changed last (the one bound and the one that gave up its key or control; 0 for
    // none) and how much longer they stand out, in milliseconds.
    std::array<int, 2> ChangedRows{};
    int ChangedLeft = 0;

private:
    void MarkChanged(int bound, int loser);
    void DrawRow(int row, const SDL_Rect* covered);
    // Draws a text whose left edge is x and whose middle is y, unless it would cross `covered`.
    void DrawCell(const std::string& text, int x, double y, const SDL_Rect* covered);

    MenuHost& host_;
};

// What the screen shows for a pad control ("A", "RIGHT TRIGGER", "D-PAD LEFT").
std::string PadControlLabel(PadControl control);
