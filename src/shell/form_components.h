#pragma once
// The main form's components, each named as the game names it (the display MDXDraw, the image
// lists, the sprite engine, the frame timer, the sound and wave lists, the music player, the text
// canvas, the pad and the one random generator), and what the game does with them: sounds and
// songs as the options allow, text in the game's text styles, the display mode and the system
// cursor. The menus and the race reach them through the form.

#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/sounds.h"
#include "core/random.h"
#include "media/display.h"
#include "media/frame_timing.h"
#include "media/game_pad.h"
#include "media/image_list.h"
#include "media/music_player.h"
#include "media/text_canvas.h"
#include "media/wave_list.h"
#include "sprites/sprite_engine.h"

struct FormConfig;
struct TGameOptions;

// The two songs: one for the menus, one for the race.
enum class Song { Menu, Race };

class FormComponents {
public:
    // The options' sound, music and display switches are read when a sound, a song or the display
    // mode is asked for.
    FormComponents(const FormConfig& config, const TGameOptions& options);
    ~FormComponents();
    FormComponents(const FormComponents&) = delete;
    FormComponents& operator=(const FormComponents&) = delete;

    // Opens the display (a window), the text canvas and the mixer; false when the display cannot
    // be opened (SDL's message is left in SDL_GetError).
    bool Open();
    // Releases the sprites, the song and the sounds, in that order: sprites refer to the image
    // lists, the song and the sounds to the mixer.
    void Close();
    // A file under the data folder.
    std::string DataPath(const std::string& relative) const;

    // ---- Sound and music ------------------------------------------------------------------------
    // A sound starts again from its beginning when played while it plays.
    void PlaySound(Sound sound);
    void StopSound(Sound sound);
    // Starts the song from its beginning, when music is on.
    void PlayMusic(Song song);
    void StopMusic();

    // ---- Text (the FontTable entries 1..22) -----------------------------------------------------
    void SetFont(int index);
    int TextWidthOf(const std::string& text);
    int TextHeightOf(const std::string& text);
    int TextWidthIn(const std::string& text, int font);
    void DrawText(const std::string& text, double x, double y, bool centreX, bool centreY);

    // ---- Display --------------------------------------------------------------------------------
    // Full screen or a window, as the options say; the frame timing takes the display's rate.
    void ApplyDisplayMode(FrameTiming& timing);
    void EnterFullScreen();
    void EnterWindowed();
    int ReadRefreshRate() const;
    void ShowSystemCursor();
    void HideSystemCursor();
    bool SystemCursorVisible() const { return cursorVisible_; }

    // ---- The desktop ----------------------------------------------------------------------------
    // Hands a web address to the desktop (the browser); anything else, and a failure, says
    // nothing (src/shell/online.cpp).
    void OpenLink(const std::string& address);

    TDisplay MDXDraw;
    TImageList MDXImageList1;
    TImageList MDXImageList2;
    TSpriteEngine MDXSpriteEngine;
    TFrameTimer MDXTimer;
    TGamePad GamePad;
    std::unique_ptr<AudioBackend> MDXSound;
    std::unique_ptr<TWaveList> MDXWaveList;
    TMusicPlayer MusicPlayer;
    int SongHandle = 0;
    TTextCanvas TextCanvas;
    TRandom Random;

private:
    const FormConfig& config_;
    const TGameOptions& options_;
    bool cursorVisible_ = true;
};
