#pragma once
// The main form: the one object that owns the game's components (display, image and sound lists,
// keyboard, sprite engine, frame timer) and its state, runs the start-up sequence, the frame
// handler and the form's key and mouse events. The state is kept in small per-subsystem structs.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontend/front_end.h"
#include "frontend/screen_values.h"
#include "media/display.h"
#include "media/frame_timing.h"
#include "media/game_pad.h"
#include "media/image_list.h"
#include "media/music_player.h"
#include "media/text_canvas.h"
#include "media/wave_list.h"
#include "persist/game_options.h"
#include "persist/high_score_table.h"
#include "shell/form_menu_host.h"
#include "shell/hud_sprites.h"
#include "shell/input.h"
#include "sprites/race_state.h"
#include "sprites/sprite_engine.h"
#include "track/random.h"
#include "track/track_generator.h"

class RaceHost;
class TScrollBackground;

// Wall-clock cost of the last frame's draw and move parts, measured only when asked for (the
// replay runner's figures); the game itself never reads it.
struct FrameProfile {
    bool enabled = false;
    double drawMs = 0;
    double moveMs = 0;
};

struct FormConfig {
    bool headless = false;      // offscreen window, software renderer, no frame pacing
    bool seedFromClock = true;  // the game seeds from the clock; the replay runner does not
    uint32_t seed = 1;
    int refreshRateOverride = 0;  // > 0: use this instead of the display's rate (replays)
    std::string dataDir = "Data";
    // Where the options and the high-score table are kept; empty: nothing is read or written,
    // so that replays and tests never depend on, nor touch, a player's saves.
    std::string saveDir;
    bool showMessageBoxes = true;
    // Opens the mixer; unset, the game's own (SDL_mixer, or silence without a device). Tests and
    // the replay runner pass a backend that records what is played.
    std::function<std::unique_ptr<AudioBackend>()> openAudio;
    // Hands a web address to the desktop; unset, SDL_OpenURL (and nothing at all when headless).
    std::function<void(const std::string&)> openLink;
    // Sends a result to the score server, given the request's whole address (the server's base,
    // the path and the encoded score record); unset, the default sender below.
    std::function<void(const std::string&)> submitScore;
    // Only SDL's virtual pads are used (replays and tests): a pad on the machine never joins.
    bool virtualPadsOnly = false;
};

// The sender of every form whose config names none: at first the game's HTTP client, which
// makes the request and forgets it. A test program puts in its place one that fails the test, so
// that no test can write into a real score server.
void SetDefaultScoreSender(std::function<void(const std::string&)> sender);

class TMForm {
public:
    explicit TMForm(FormConfig config);
    ~TMForm();
    TMForm(const TMForm&) = delete;
    TMForm& operator=(const TMForm&) = delete;

    // The start-up sequence. Returns false, after telling the player which file is missing or
    // broken, when the game cannot run.
    bool FormCreate();
    // The same start-up with archives given in memory instead of read from Data/Res (tests).
    bool FormCreateFrom(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                        std::vector<WaveEntry> waves);

    // One frame, called by the frame timer with the milliseconds since the previous frame.
    void FrameHandler(int LagCount);

    // ---- Form events --------------------------------------------------------------------------
    void FormKeyDown(SDL_Scancode key, bool altHeld);
    void FormKeyUp(SDL_Scancode key);
    void FormKeyPress(char c);
    // The close box, Alt+F4 or a close request of the system: never closes, asks instead.
    bool FormCloseQuery();
    void MDXDrawMouseMove(int x, int y);
    void MDXDrawClick();
    // The application gained or lost the focus (or was minimised and restored).
    void SetActive(bool active, uint64_t nowMs);
    bool Active() const { return active_; }
    // The pad's events (src/shell/pad_events.cpp): a pad connected (SDL's device index) or pulled
    // out, and the buttons and axes of the pad in use (the others' are ignored).
    void GamePadAdded(int deviceIndex);
    void GamePadRemoved(SDL_JoystickID id);
    void GamePadButton(SDL_JoystickID id, int button, bool down);
    void GamePadAxis(SDL_JoystickID id, int axis, int value);
    // What the pad's buttons mean now: the menus' meaning wherever there is something to choose
    // (the menu screens, the Yes/No windows, the name entry), the race's meaning elsewhere.
    PadMode PadModeNow() const;

    // ---- Display ------------------------------------------------------------------------------
    void ApplyDisplayMode();
    void EnterFullScreen();
    void EnterWindowed();
    int ReadRefreshRate() const;
    void ShowSystemCursor();
    void HideSystemCursor();
    bool SystemCursorVisible() const { return cursorVisible_; }

    // ---- Frame parts --------------------------------------------------------------------------
    void PollInput();
    bool KeyHit(HitKey key) const { return Input.Hit(key); }
    void UpdateHover();

    // ---- Sound and music ----------------------------------------------------------------------
    void PlaySound(const std::string& name);
    void StopSound(const std::string& name);
    void PlayMusic();
    void StopMusic();

    // ---- Text (the FontTable entries 1..21) ----------------------------------------------------
    void SetFont(int index);
    int TextWidthOf(const std::string& text);
    int TextHeightOf(const std::string& text);
    int TextWidthIn(const std::string& text, int font);
    void DrawText(const std::string& text, double x, double y, bool centreX, bool centreY);

    // ---- Screens and windows ------------------------------------------------------------------
    void ClickSelected();
    void ClickButton(int index);
    void OpenWindow(int kind);
    void CloseWindow();
    void WindowFrame(int LagCount);
    void RefreshHighlight() { Screens.RefreshHighlight(); }
    void RemoveButtons() { Screens.RemoveButtons(); }
    void ToggleCountryEdit() { Screens.ToggleCountryEdit(); }
    void ConfirmNameEntry();

    // ---- Front-end screens (the windows and the race lead to them) ----------------------------
    void OpenMainMenu(int intro, int selected, int restartMusic);
    void CloseMenuScreen();
    void OpenHighScores();

    // ---- Online -------------------------------------------------------------------------------
    // Sends the confirmed name and score to the score server; failures are silent.
    void SubmitScore();
    // Hands the address to the desktop (the browser); a failure says nothing.
    void OpenLink(const std::string& address);

    // ---- Race and level ---------------------------------------------------------------------
    // Builds the race screen and starts the first level (1 unless a replay asks for another).
    void StartRace(int firstLevel = 1);
    void RaceFrame(int LagCount);
    void DrawHud();
    void EndRace();
    // The level's parameters and a newly generated road, shown by the background.
    void SetUpLevel(int level);
    void RefreshView();
    void CountDownTime();
    void DropEmptyWeapons();
    void UpdateProgressMarker();
    void UpdateWorldVelocity();
    // What the race's actors may ask of the game.
    RaceHost& Host() { return *host_; }

    // ---- Shut-down ----------------------------------------------------------------------------
    // Frees what was killed, writes the options and the table, opens the exit link when there
    // is one, and ends the game.
    void SaveAndQuit();
    void WriteSaveFiles();
    // A signal from outside (Ctrl+C, kill, the end of the session) ends the game at once, with
    // the saves written as on the exit question's Yes but no link opened: nobody is there to see
    // it.
    void ShutDownOnSignal();
    bool Terminated() const { return terminated_; }

    // ---- Components ---------------------------------------------------------------------------
    TDisplay MDXDraw;
    TImageList MDXImageList1;
    TImageList MDXImageList2;
    TSpriteEngine MDXSpriteEngine;
    TFrameTimer MDXTimer;
    TGamePad GamePad;
    std::unique_ptr<AudioBackend> MDXSound;
    std::unique_ptr<TWaveList> MDXWaveList;
    TMusicPlayer MusicPlayer;
    TTextCanvas TextCanvas;
    TRandom Random;

    // ---- State --------------------------------------------------------------------------------
    FrameTiming Timing;
    InputValues Input;
    ScreenValues Screens;
    TGameOptions Options;
    THighScoreTable HighScores;
    TrackState Track;
    RaceState Race;
    HudSprites Hud;
    TScrollBackground* CurrentBackground = nullptr;  // the race's road
    int SongHandle = 0;
    FrameProfile Profile;

    // ---- Front end ----------------------------------------------------------------------------
    // The menu screens see the game through the adapter, which is therefore made first.
    FormMenuHost MenuHostAdapter{*this};
    TFrontEnd FrontEnd{MenuHostAdapter};

    const FormConfig& Config() const { return config_; }
    // Reports a fatal start-up problem: a message box (when allowed) and a line on stderr.
    void ReportFatal(const std::string& message) const;

private:
    bool OpenDisplay();
    void FinishStartUp();
    std::string DataPath(const std::string& relative) const;

    FormConfig config_;
    std::unique_ptr<RaceHost> host_;
    bool active_ = true;
    bool terminated_ = false;
    bool cursorVisible_ = true;
};

// The HUD's clock: minutes and seconds, two digits each, "01 : 05".
std::string HudTime(int timeLeft);
// The HUD's lives: never below "0".
std::string HudLives(int lives);
