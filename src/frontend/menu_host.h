#pragma once
// All a menu screen may ask of the running game: the shared selection, the sprite engine, the
// options, the high-score table and the race's controls, the keys hit this frame, the click
// dispatcher, the windows, sound, music, the display mode, the mouse cursor and the text canvas.
// The main form implements it; the screens know nothing else of the game.

#include <SDL_rect.h>

#include <string>

#include "catalogue/sounds.h"
#include "sprites/screen_kinds.h"

struct ScreenValues;
struct TGameOptions;
class TControls;
class THighScoreTable;
class TSpriteEngine;

// The keys the menus read as hits (true in the one frame in which the key went down). Watch is
// R, or the pad's Y: the high-score screen's replay key.
enum class MenuKey { Up, Down, Left, Right, Esc, Watch };

class MenuHost {
public:
    virtual ~MenuHost() = default;

    virtual ScreenValues& Screens() = 0;
    virtual TSpriteEngine& Engine() = 0;
    virtual TGameOptions& Options() = 0;
    virtual THighScoreTable& HighScores() = 0;
    // The player's bindings of the race's actions; ControlsChanged keeps them in the controls
    // file beside the saves.
    virtual TControls& Controls() = 0;
    virtual void ControlsChanged() = 0;

    virtual bool KeyHit(MenuKey key) const = 0;
    // Selects the button, then does what a click does (the game's one click dispatcher).
    virtual void ClickButton(int index) = 0;
    // One of the window kinds of screen_kinds.h; a request while a window is open is dropped.
    virtual void OpenWindow(ModalWindow kind) = 0;

    virtual void PlaySound(Sound sound) = 0;
    // Starts the song of the current screen from its beginning, when music is on.
    virtual void PlayMusic() = 0;
    virtual void StopMusic() = 0;
    // Full screen or window, as the options say.
    virtual void ApplyDisplayMode() = 0;
    virtual void ShowSystemCursor() = 0;
    virtual bool IsDrawable() const = 0;

    // The text canvas with the game's 22 text styles.
    virtual void SetFont(int index) = 0;
    virtual void DrawText(const std::string& text, double x, double y, bool centreX,
                          bool centreY) = 0;
    virtual int TextWidthOf(const std::string& text) = 0;
    // Texts drawn from now on show only inside `area`; nullptr gives them the whole surface again.
    virtual void ClipTexts(const SDL_Rect* area) = 0;
    // The text's letters set `spacing` pixels further apart than the face sets them, the first
    // one at x, centred on y: a title spread to a width.
    virtual void DrawSpacedText(const std::string& text, double x, double y, double spacing) = 0;

    // The recorded races: whether the race that put row 1 to 10 of the table there can be
    // watched, or with 0 the last race run. RefreshReplays looks at what is recorded now;
    // WatchReplay leaves the screen for the replay, which comes back to it at its end (false
    // when there is no such race, or its recording cannot be read).
    virtual bool HasReplay(int row) const = 0;
    virtual void RefreshReplays() = 0;
    virtual bool WatchReplay(int row) = 0;

    // For the help's about page: where the scores go, the address of the score server the game
    // sends them to, and whether that server is this computer (no online table is set up).
    virtual std::string HomePageAddress() const = 0;
    virtual bool ScoresStayHere() const = 0;
};
