#include "shell/form.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "persist/save_files.h"
#include "persist/web_links.h"
#include "persist/window_file.h"
#include "shell/controls_file.h"
#include "sprites/menu_button.h"

TMForm::TMForm(FormConfig config) : config_(std::move(config)) {
    Components.MDXSpriteEngine.Timing = &Timing;
}

TMForm::~TMForm() {
    // Sprites refer to the image lists, so they go first; then the song and the sounds.
    Components.Close();
}

void TMForm::ReportFatal(const std::string& message) const {
    std::fprintf(stderr, "Zarvex 2: %s\n", message.c_str());
    if (config_.showMessageBoxes && !config_.headless) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zarvex 2", message.c_str(),
                                 Components.MDXDraw.Window());
    }
}

bool TMForm::OpenDisplay() {
    // 1. The random generator: from the clock in the game, from the given seed in replays.
    if (config_.seedFromClock) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        startSeed_ = static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    } else {
        startSeed_ = config_.seed;
    }
    Components.Random.Seed(startSeed_);

    // 2. The display, first as a window (at the size the player left it); the options choose
    // the mode below.
    if (!config_.headless && !config_.saveDir.empty()) {
        if (const auto size = ReadWindowFile(config_.saveDir)) {
            Components.MDXDraw.SetWindowedSize(size->Width, size->Height, size->Maximised);
        }
    }
    if (!Components.Open()) {
        ReportFatal(std::string("The display cannot be opened: ") + SDL_GetError());
        return false;
    }
    return true;
}

void TMForm::FinishStartUp() {
    Components.MDXImageList1.Prepare(Components.MDXDraw.Renderer());
    Components.MDXImageList2.Prepare(Components.MDXDraw.Renderer());

    // 4. The saved options and high scores; missing or broken files give the defaults.
    if (!config_.saveDir.empty()) LoadSaves(config_.saveDir, Options, HighScores);
    // The race's controls; a damaged line is told once, here, and its action keeps its binding.
    if (const std::string controls = ControlsPath(); !controls.empty())
        Input.Controls = ReadControlsFile(controls, std::cerr);

    // 5. The display mode of the options.
    ApplyDisplayMode();

    // A pad connected before the game started plays from the first frame.
    Components.GamePad.OpenFirst();
    Components.GamePad.Read(Input.Pad);

    // 6., 7. The main menu, with its music.
    Screens.ScreenState = GameScreen::None;
    FrontEnd.MainMenu.OpenMainMenu(1, 1, 1);
    Components.MDXTimer.Restart(SDL_GetTicks64());
}

bool TMForm::FormCreate() {
    if (!OpenDisplay()) return false;

    // 3. The archives. The game cannot run without them.
    struct ArchiveFile {
        const char* path;
        int kind;  // 1, 2: image lists; 3: sounds
    };
    const ArchiveFile archives[] = {
        {"Res/Res1.dxg", 1}, {"Res/Res2.dxg", 2}, {"Res/Sounds.dxw", 3}};
    for (const ArchiveFile& archive : archives) {
        const std::string path = Components.DataPath(archive.path);
        try {
            if (archive.kind == 1) Components.MDXImageList1.LoadArchive(path);
            if (archive.kind == 2) Components.MDXImageList2.LoadArchive(path);
            if (archive.kind == 3) Components.MDXWaveList->LoadArchive(path);
        } catch (const std::exception& error) {
            ReportFatal("Cannot load " + path + ": " + error.what());
            return false;
        }
    }
    FinishStartUp();
    return true;
}

bool TMForm::FormCreateFrom(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                            std::vector<WaveEntry> waves) {
    if (!OpenDisplay()) return false;
    Components.MDXImageList1.LoadEntries(std::move(list1));
    Components.MDXImageList2.LoadEntries(std::move(list2));
    Components.MDXWaveList->LoadEntries(std::move(waves));
    FinishStartUp();
    return true;
}

// ---- Frame handler -----------------------------------------------------------------------------

void TMForm::FrameHandler(int LagCount, FrameProfile* profile, bool present) {
    // A replay asked for starts here, between two frames, as a race starts from an event.
    if (Watch.Pending) BeginWatching();
    TDisplay& display = Components.MDXDraw;
    display.ClearTo(0);
    if (!display.IsDrawable()) return;
    // A replay's frame: the events recorded before it reach the game first, as they did then,
    // and the frame reads the clock as it did.
    if (Watch.Active) LagCount = PlayFrameStart(LagCount);
    const int selectedBefore = Screens.SelectedButton;

    using Clock = std::chrono::steady_clock;
    const Clock::time_point drawStart = profile != nullptr ? Clock::now() : Clock::time_point{};
    Components.MDXSpriteEngine.DrawAll();
    const Clock::time_point drawEnd = profile != nullptr ? Clock::now() : Clock::time_point{};
    PollInput();
    if (Recorder.Recording()) NoteFrame(LagCount);

    if (Screens.WindowKind != ModalWindow::None) {
        WindowFrame(LagCount);
        // The options and controls screens stay whole under a window.
        if (Screens.ScreenState == GameScreen::Options) FrontEnd.OptionsScreen.DrawOptionTexts();
        if (Screens.ScreenState == GameScreen::Controls) {
            // The table's texts keep off the window's panel, as if it lay over them.
            const TMyImageSprite* panel = Screens.WindowBackground;
            SDL_Rect covered{};
            if (panel != nullptr)
                covered = {static_cast<int>(panel->X), static_cast<int>(panel->Y), panel->Width,
                           panel->Height};
            FrontEnd.ControlsScreen.DrawControlsTexts(panel != nullptr ? &covered : nullptr);
        }
    } else {
        switch (Screens.ScreenState) {
            case GameScreen::MainMenu:
                FrontEnd.MainMenu.MainMenuFrame();
                break;
            case GameScreen::StartGame:
                FrontEnd.StartGame.StartGameFrame();
                break;
            case GameScreen::Options:
                FrontEnd.OptionsScreen.OptionsFrame(LagCount);
                break;
            case GameScreen::HighScores:
                FrontEnd.HighScoreScreen.HighScoresFrame(LagCount);
                break;
            case GameScreen::Help:
                FrontEnd.HelpScreen.HelpFrame(LagCount);
                break;
            case GameScreen::Controls:
                FrontEnd.ControlsScreen.ControlsFrame(LagCount);
                break;
            case GameScreen::Race:
                RaceScreen.RaceFrame(LagCount);
                break;
            default:
                break;
        }
    }

    if (Watch.Active) DrawReplayLabel();

    if (profile != nullptr) {
        const Clock::time_point moveEnd = Clock::now();
        profile->drawMs = std::chrono::duration<double, std::milli>(drawEnd - drawStart).count();
        profile->moveMs = std::chrono::duration<double, std::milli>(moveEnd - drawEnd).count();
    }

    if (Screens.SelectedButton != selectedBefore) Components.PlaySound(Sound::Button);
    Components.MDXSpriteEngine.SweepDead();
    Timing.Recompute();
    Components.TextCanvas.Release();
    if (present) display.Present();
}

void TMForm::PollInput() {
    // A replay's race reads the input it read then; the viewer's keys are the viewer's own.
    if (Watch.Active) {
        Input.SetPackedFrameInput(Watch.Frame.Input);
        return;
    }
    Input.PollInput(active_, PadModeNow());
}

void TMForm::UpdateHover() {
    for (int i = Screens.FirstButton; i <= Screens.LastButton; ++i) {
        TMenuButton* button = Screens.Button(i);
        if (button == nullptr) continue;
        const double mx = Input.MouseX;
        const double my = Input.MouseY;
        if (button->X <= mx && mx <= button->X + button->HitBoxWidth() && button->Y <= my &&
            my <= button->Y + button->HitBoxHeight()) {
            Screens.SelectedButton = i;
            return;
        }
    }
}

// ---- Form events -------------------------------------------------------------------------------

bool TMForm::FormKeyDown(SDL_Scancode key, bool altHeld, bool repeat) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) Input.HeldKeys[key] = 1;
    if (CapturingControls()) {
        // The key binds the action waiting for it (Esc cancels), or the capture waits on for a
        // key that has a name. Either way it does nothing else until it is let go.
        if (!repeat && FrontEnd.ControlsScreen.TakeKey(SDL_GetKeyFromScancode(key)))
            Input.HoldOver(key);
        return true;
    }
    if (altHeld && (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER)) FullScreenKey();
    return false;
}

void TMForm::FullScreenKey() {
    NoteEvent(ReplayEventKind::FullScreenKey);
    // The race pauses first, so that it stands still across the change.
    if (Screens.ScreenState == GameScreen::Race) OpenWindow(ModalWindow::Pause);
    // A replay's own Alt+Enter pauses its race and leaves the display and the options alone.
    if (Watch.Active) return;
    Options.FullScreen = Options.FullScreen != 0 ? 0 : 1;
    ApplyDisplayMode();
}

void TMForm::FormKeyUp(SDL_Scancode key) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) Input.HeldKeys[key] = 0;
}

void TMForm::FormKeyPress(char c) {
    constexpr char kBackspace = 8;
    constexpr char kEnter = 13;
    NoteEvent(ReplayEventKind::Char, static_cast<uint8_t>(c));
    if (Screens.WindowKind == ModalWindow::NameEntry) Screens.LastTypedChar = c;

    if (Screens.ScreenState == GameScreen::Options && Screens.EditingCountry) {
        std::string& country = Options.Country;
        if (c == kBackspace) {
            if (!country.empty()) country.pop_back();
        } else if (IsAcceptedChar(c) && Components.TextWidthIn(country, 4) <= 345 &&
                   country.size() < 16) {
            country.push_back(c);
        }
    }
    if (Screens.WindowKind == ModalWindow::NameEntry) {
        std::string& name = Screens.EnteredName;
        if (c == kBackspace) {
            if (!name.empty()) name.pop_back();
        } else if (IsAcceptedChar(c) && Components.TextWidthIn(name, 10) <= 240 &&
                   name.size() < 12) {
            name.push_back(c);
        }
    }
    if (c == kEnter) ClickButton(Screens.SelectedButton);
}

bool TMForm::FormCloseQuery() {
    NoteEvent(ReplayEventKind::CloseRequest);
    OpenWindow(Screens.ScreenState == GameScreen::Race ? ModalWindow::ExitToMenu
                                                       : ModalWindow::ExitGame);
    return false;
}

void TMForm::MDXDrawMouseMove(int x, int y) {
    NoteEvent(ReplayEventKind::MouseMove, x, y);
    Input.MouseX = x;
    Input.MouseY = y;
    // The row waiting for a key keeps the selection.
    if (CapturingControls()) return;
    const int before = Screens.SelectedButton;
    UpdateHover();
    if (Screens.ScreenState == GameScreen::HighScores && Screens.WindowKind == ModalWindow::None)
        FrontEnd.HighScoreScreen.HoverReplayMark(x, y);
    if (Screens.SelectedButton != before &&
        !(Screens.ScreenState == GameScreen::MainMenu && Screens.IntroRunning)) {
        Components.PlaySound(Sound::Button);
    }
}

void TMForm::MDXDrawClick() {
    NoteEvent(ReplayEventKind::Click);
    // On the high-score screen a click on a row's replay mark watches that race; anywhere else
    // it does what the selected button does, as everywhere.
    if (Screens.ScreenState == GameScreen::HighScores && Screens.WindowKind == ModalWindow::None) {
        const int row = FrontEnd.HighScoreScreen.ReplayRowAt(Input.MouseX, Input.MouseY);
        if (row > 0 && WatchShelfReplay(row)) {
            Components.PlaySound(Sound::Button);
            return;
        }
    }
    ClickSelected();
}

void TMForm::SetActive(bool active, uint64_t nowMs) {
    if (active == active_) return;
    NoteEvent(active ? ReplayEventKind::FocusGained : ReplayEventKind::FocusLost);
    active_ = active;
    if (active) {
        // The clocks start again, so no time passes in the game while it was away.
        Components.MDXTimer.Restart(nowMs);
    } else {
        // Key releases are not seen while the window is away: forget what was held.
        Input.HeldKeys.fill(0);
        Input.Pad.Clear();
        Input.MDXInput.Clear();
    }
}

// ---- The race's controls -----------------------------------------------------------------------

bool TMForm::CapturingControls() const {
    return Screens.ScreenState == GameScreen::Controls && Screens.WindowKind == ModalWindow::None &&
           FrontEnd.ControlsScreen.Capturing();
}

std::string TMForm::ControlsPath() const {
    if (!config_.controlsFile.empty()) return config_.controlsFile;
    if (config_.saveDir.empty()) return "";
    return (std::filesystem::path(config_.saveDir) / kControlsFileName).string();
}

void TMForm::KeepControls() {
    if (const std::string path = ControlsPath(); !path.empty())
        WriteControlsFile(path, Input.Controls, std::cerr);
}

// ---- Display and music ---------------------------------------------------------------------

void TMForm::ApplyDisplayMode() {
    Components.ApplyDisplayMode(Timing);
}

void TMForm::PlayMusic() {
    Components.PlayMusic(Screens.ScreenState == GameScreen::Race ? Song::Race : Song::Menu);
}

// ---- Shut-down ---------------------------------------------------------------------------------

void TMForm::WriteSaveFiles() {
    // A failure is told on stderr and leaves the previous saves as they were.
    if (config_.saveDir.empty()) return;
    WriteSaves(config_.saveDir, Options, HighScores);
    if (!config_.headless) {
        WriteWindowFile(config_.saveDir, TWindowSize{Components.MDXDraw.WindowedWidth(),
                                                     Components.MDXDraw.WindowedHeight(),
                                                     Components.MDXDraw.Maximised()});
    }
}

void TMForm::SaveAndQuit() {
    Components.MDXSpriteEngine.SweepDead();
    WriteSaveFiles();
    // Only a web address in "play.url" is handed to the desktop: a planted file cannot start a
    // program.
    const std::filesystem::path linkFolder = config_.userDir.empty()
                                                 ? std::filesystem::current_path()
                                                 : std::filesystem::path(config_.userDir);
    if (auto link = ReadExitLink(linkFolder)) Components.OpenLink(*link);
    terminated_ = true;
}

void TMForm::ShutDownOnSignal() {
    // The race cut off keeps its recording, up to this moment.
    FinishRaceRecording();
    Components.MDXSpriteEngine.SweepDead();
    WriteSaveFiles();
    terminated_ = true;
}
