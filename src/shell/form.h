#pragma once
// The main form: the one object of the game. It keeps the window and its components, runs the
// start-up sequence and the frame loop's frame handler, turns the window's and the pad's events
// into input, and dispatches clicks and the modal windows. The menu screens (TFrontEnd) and the
// race (TRaceScreen) are parts of their own that it owns and runs.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontend/front_end.h"
#include "frontend/screen_values.h"
#include "media/frame_timing.h"
#include "persist/game_options.h"
#include "persist/high_score_table.h"
#include "shell/form_components.h"
#include "shell/form_menu_host.h"
#include "shell/input.h"
#include "shell/race_screen.h"

// Wall-clock cost of a frame's draw and move parts, measured only when asked for (the replay
// runner's figures); the game itself never reads it.
struct FrameProfile {
    double drawMs = 0;
    double moveMs = 0;
};

struct FormConfig {
    bool headless = false;      // offscreen window, software renderer, no frame pacing
    bool seedFromClock = true;  // the game seeds from the clock; the replay runner does not
    uint32_t seed = 1;
    int refreshRateOverride = 0;  // > 0: use this instead of the display's rate (replays)
    std::string dataDir = "Data";
    // Where the options and the high-score table are kept (and, for a game with a real window,
    // the window's size); empty: nothing is read or written, so that replays and tests never
    // depend on, nor touch, a player's saves.
    std::string saveDir;
    // Where the exit link "play.url" is looked for; empty: the working directory.
    std::string userDir;
    // The player's controls, read at start-up and written when the controls screen changes them;
    // empty: the file "controls" in saveDir (none at all when that is empty too).
    std::string controlsFile;
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
    // First of all: the components below are made from it.
    const FormConfig config_;

public:
    explicit TMForm(FormConfig config);
    ~TMForm();
    TMForm(const TMForm&) = delete;
    TMForm& operator=(const TMForm&) = delete;

    // ---- Start-up -------------------------------------------------------------------------------
    // The start-up sequence. Returns false, after telling the player which file is missing or
    // broken, when the game cannot run.
    bool FormCreate();
    // The same start-up with archives given in memory instead of read from Data/Res (tests).
    bool FormCreateFrom(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                        std::vector<WaveEntry> waves);
    // Reports a fatal problem: a message box (when allowed) and a line on stderr.
    void ReportFatal(const std::string& message) const;

    // ---- The frame ------------------------------------------------------------------------------
    // One frame, called by the frame timer with the milliseconds since the previous frame. With a
    // profile, the wall-clock cost of the frame's draw and move parts is noted there.
    void FrameHandler(int LagCount, FrameProfile* profile = nullptr);

    // ---- Form events ----------------------------------------------------------------------------
    // A window or pad event as SDL delivers it (src/shell/form_events.cpp): the game loop feeds
    // it what SDL delivers, the replay runner what its script says, so both run one code path.
    // nowMs is the frame clock's time (the focus events restart the frame timer with it).
    void HandleEvent(const SDL_Event& event, uint64_t nowMs);
    // True when the controls screen's capture took the key: it is then nothing else (no Enter,
    // no Backspace). A key held down repeats; a repeat is never captured.
    bool FormKeyDown(SDL_Scancode key, bool altHeld, bool repeat = false);
    void FormKeyUp(SDL_Scancode key);
    void FormKeyPress(char c);
    // The close box, Alt+F4 or a close request of the system: never closes, asks instead.
    bool FormCloseQuery();
    void MDXDrawMouseMove(int x, int y);
    void MDXDrawClick();
    // The application gained or lost the focus (or was minimised and restored).
    void SetActive(bool active, uint64_t nowMs);
    bool Active() const { return active_; }

    // ---- Dispatch -------------------------------------------------------------------------------
    // The one dispatcher: a click, Enter or the pad's A does what the selected button does.
    void ClickSelected();
    void ClickButton(int index);
    // One modal window at a time: a request while one is open is dropped.
    void OpenWindow(ModalWindow kind);
    void CloseWindow();

    // ---- Shut-down ------------------------------------------------------------------------------
    // A signal from outside (Ctrl+C, kill, the end of the session) ends the game at once, with
    // the saves written as on the exit question's Yes but no link opened: nobody is there to see
    // it.
    void ShutDownOnSignal();
    bool Terminated() const { return terminated_; }

    // ---- Parts ----------------------------------------------------------------------------------
    FrameTiming Timing;
    InputValues Input;
    ScreenValues Screens;
    TGameOptions Options;
    THighScoreTable HighScores;
    FormComponents Components{config_, Options};
    TRaceScreen RaceScreen{*this};
    // The menu screens see the game through the adapter, which is therefore made first.
    FormMenuHost MenuHostAdapter{*this};
    TFrontEnd FrontEnd{MenuHostAdapter};

private:
    // The menus' adapter plays the screen's song and applies the display mode as the form does.
    friend class FormMenuHost;

    bool OpenDisplay();
    void FinishStartUp();
    void ApplyDisplayMode();
    void PollInput();
    void UpdateHover();
    // What the pad's buttons mean now: the menus' meaning wherever there is something to choose
    // (the menu screens, the Yes/No windows, the name entry), the race's meaning elsewhere.
    PadMode PadModeNow() const;
    // The pad's events (src/shell/pad_events.cpp): a pad connected (SDL's device index) or pulled
    // out, and the buttons and axes of the pad in use (the others' are ignored).
    void GamePadAdded(int deviceIndex);
    void GamePadRemoved(SDL_JoystickID id);
    void GamePadButton(SDL_JoystickID id, int button, bool down);
    void GamePadAxis(SDL_JoystickID id, int axis, int value);
    void HandleWindowEvent(const SDL_WindowEvent& window, uint64_t nowMs);

    // The click dispatcher's part for each screen (src/shell/click_dispatch.cpp).
    void ClickMainMenu(int button);
    void ClickStartGame(int button);
    void ClickOptions(int button);
    void ClickHighScores(int button);
    void ClickHelp(int button);
    void ClickControls(int button);
    // The controls screen waits for a key or a pad button (src/shell/pad_events.cpp for the pad).
    bool CapturingControls() const;
    // The controls file (FormConfig::controlsFile); empty when the controls are not kept.
    std::string ControlsPath() const;
    // Writes the controls to their file, when there is one.
    void KeepControls();
    // The song of the screen shown: the race's on the race screen, the menus' elsewhere.
    void PlayMusic();
    void WindowFrame(int LagCount);
    void ConfirmNameEntry();
    // Back to the main menu after a race: the race is removed and the menu opens without its
    // intro; with the high scores after a name was entered.
    void LeaveRaceForMainMenu();
    void LeaveRaceForHighScores();
    // Sends the confirmed name and score to the score server; failures are silent.
    void SubmitScore();
    // Frees what was killed, writes the options and the table, opens the exit link when there
    // is one, and ends the game.
    void SaveAndQuit();
    void WriteSaveFiles();

    bool active_ = true;
    bool terminated_ = false;
};
