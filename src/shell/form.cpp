#include "shell/form.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "persist/save_files.h"
#include "persist/web_links.h"
#include "shell/form_race_host.h"
#include "sprites/menu_button.h"

TMForm::TMForm(FormConfig config)
    : config_(std::move(config)), host_(std::make_unique<FormRaceHost>(*this)) {
    MDXSpriteEngine.ImageList1 = &MDXImageList1;
    MDXSpriteEngine.ImageList2 = &MDXImageList2;
    MDXSpriteEngine.Timing = &Timing;
    GamePad.SetVirtualOnly(config_.virtualPadsOnly);
}

TMForm::~TMForm() {
    // Sprites refer to the image lists, so they go first; then the song and the sounds.
    while (!MDXSpriteEngine.Children.empty()) delete MDXSpriteEngine.Children.back();
    MDXSpriteEngine.DeadList.clear();
    StopMusic();
    MDXWaveList.reset();
    MDXSound.reset();
}

std::string TMForm::DataPath(const std::string& relative) const {
    return (std::filesystem::path(config_.dataDir) / relative).string();
}

void TMForm::ReportFatal(const std::string& message) const {
    std::fprintf(stderr, "Zarvex 2: %s\n", message.c_str());
    if (config_.showMessageBoxes && !config_.headless) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zarvex 2", message.c_str(),
                                 MDXDraw.Window());
    }
}

bool TMForm::OpenDisplay() {
    // 1. The random generator: from the clock in the game, from the given seed in replays.
    if (config_.seedFromClock) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        Random.Seed(static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    } else {
        Random.Seed(config_.seed);
    }

    // 2. The display, first as a window; the options choose the mode below.
    if (!MDXDraw.Open(false, config_.headless)) {
        ReportFatal(std::string("The display cannot be opened: ") + SDL_GetError());
        return false;
    }
    MDXSpriteEngine.AttachSurface(kSurfaceWidth, kSurfaceHeight);
    TextCanvas.Init(DataPath("fonts.conf"));
    TextCanvas.SetRenderer(MDXDraw.Renderer());
    MDXSound = config_.openAudio ? config_.openAudio() : OpenAudioBackend();
    MDXWaveList = std::make_unique<TWaveList>(MDXSound.get());
    return true;
}

void TMForm::FinishStartUp() {
    MDXImageList1.Prepare(MDXDraw.Renderer());
    MDXImageList2.Prepare(MDXDraw.Renderer());

    // 4. The saved options and high scores; missing or broken files give the defaults.
    if (!config_.saveDir.empty()) LoadSaves(config_.saveDir, Options, HighScores);

    // 5. The display mode of the options.
    ApplyDisplayMode();

    // A pad connected before the game started plays from the first frame.
    GamePad.OpenFirst();
    GamePad.Read(Input.Pad);

    // 6., 7. The main menu, with its music.
    Screens.ScreenState = kScreenNone;
    OpenMainMenu(1, 1, 1);
    MDXTimer.Restart(SDL_GetTicks64());
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
        const std::string path = DataPath(archive.path);
        try {
            if (archive.kind == 1) MDXImageList1.LoadArchive(path);
            if (archive.kind == 2) MDXImageList2.LoadArchive(path);
            if (archive.kind == 3) MDXWaveList->LoadArchive(path);
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
    MDXImageList1.LoadEntries(std::move(list1));
    MDXImageList2.LoadEntries(std::move(list2));
    MDXWaveList->LoadEntries(std::move(waves));
    FinishStartUp();
    return true;
}

// ---- Frame handler -----------------------------------------------------------------------------

void TMForm::FrameHandler(int LagCount) {
    const int selectedBefore = Screens.SelectedButton;
    MDXDraw.ClearTo(0);
    if (!MDXDraw.IsDrawable()) return;

    using Clock = std::chrono::steady_clock;
    const Clock::time_point drawStart = Profile.enabled ? Clock::now() : Clock::time_point{};
    MDXSpriteEngine.DrawAll();
    const Clock::time_point drawEnd = Profile.enabled ? Clock::now() : Clock::time_point{};
    PollInput();

    if (Screens.WindowKind != kWindowNone) {
        WindowFrame(LagCount);
        // The options screen stays whole under a window.
        if (Screens.ScreenState == kScreenOptions) FrontEnd.OptionsScreen.DrawOptionTexts();
    } else {
        switch (Screens.ScreenState) {
            case kScreenMainMenu:
                FrontEnd.MainMenu.MainMenuFrame();
                break;
            case kScreenStartGame:
                FrontEnd.StartGame.StartGameFrame();
                break;
            case kScreenOptions:
                FrontEnd.OptionsScreen.OptionsFrame(LagCount);
                break;
            case kScreenHighScores:
                FrontEnd.HighScoreScreen.HighScoresFrame(LagCount);
                break;
            case kScreenHelp:
                FrontEnd.HelpScreen.HelpFrame(LagCount);
                break;
            case kScreenRace:
                RaceFrame(LagCount);
                break;
            default:
                break;
        }
    }

    if (Profile.enabled) {
        const Clock::time_point moveEnd = Clock::now();
        Profile.drawMs = std::chrono::duration<double, std::milli>(drawEnd - drawStart).count();
        Profile.moveMs = std::chrono::duration<double, std::milli>(moveEnd - drawEnd).count();
    }

    if (Screens.SelectedButton != selectedBefore) PlaySound(Sound::Button);
    MDXSpriteEngine.SweepDead();
    Timing.Recompute();
    TextCanvas.Release();
    MDXDraw.Present();
}

void TMForm::PollInput() {
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

void TMForm::FormKeyDown(SDL_Scancode key, bool altHeld) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) Input.HeldKeys[key] = 1;
    if (key == SDL_SCANCODE_LCTRL || key == SDL_SCANCODE_RCTRL) Input.HeldCtrl = true;
    if (key == SDL_SCANCODE_LSHIFT || key == SDL_SCANCODE_RSHIFT) Input.HeldShift = true;
    if (altHeld && (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER)) {
        Options.FullScreen = Options.FullScreen != 0 ? 0 : 1;
        // The race pauses first, so that it stands still across the change.
        if (Screens.ScreenState == kScreenRace) OpenWindow(kWindowPause);
        ApplyDisplayMode();
    }
}

void TMForm::FormKeyUp(SDL_Scancode key) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) Input.HeldKeys[key] = 0;
    if (key == SDL_SCANCODE_LCTRL || key == SDL_SCANCODE_RCTRL) Input.HeldCtrl = false;
    if (key == SDL_SCANCODE_LSHIFT || key == SDL_SCANCODE_RSHIFT) Input.HeldShift = false;
}

void TMForm::FormKeyPress(char c) {
    constexpr char kBackspace = 8;
    constexpr char kEnter = 13;
    if (Screens.WindowKind == kWindowNameEntry) Screens.LastTypedChar = c;

    if (Screens.ScreenState == kScreenOptions && Screens.EditingCountry) {
        std::string& country = Options.Country;
        if (c == kBackspace) {
            if (!country.empty()) country.pop_back();
        } else if (IsAcceptedChar(c) && TextWidthIn(country, 4) <= 345 && country.size() < 16) {
            country.push_back(c);
        }
    }
    if (Screens.WindowKind == kWindowNameEntry) {
        std::string& name = Screens.EnteredName;
        if (c == kBackspace) {
            if (!name.empty()) name.pop_back();
        } else if (IsAcceptedChar(c) && TextWidthIn(name, 10) <= 240 && name.size() < 12) {
            name.push_back(c);
        }
    }
    if (c == kEnter) ClickButton(Screens.SelectedButton);
}

bool TMForm::FormCloseQuery() {
    OpenWindow(Screens.ScreenState == kScreenRace ? kWindowExitToMenu : kWindowExitGame);
    return false;
}

void TMForm::MDXDrawMouseMove(int x, int y) {
    Input.MouseX = x;
    Input.MouseY = y;
    const int before = Screens.SelectedButton;
    UpdateHover();
    if (Screens.SelectedButton != before &&
        !(Screens.ScreenState == kScreenMainMenu && Screens.IntroRunning)) {
        PlaySound(Sound::Button);
    }
}

void TMForm::MDXDrawClick() {
    ClickSelected();
}

void TMForm::SetActive(bool active, uint64_t nowMs) {
    if (active == active_) return;
    active_ = active;
    if (active) {
        // The clocks start again, so no time passes in the game while it was away.
        MDXTimer.Restart(nowMs);
    } else {
        // Key releases are not seen while the window is away: forget what was held.
        Input.HeldKeys.fill(0);
        Input.HeldCtrl = false;
        Input.HeldShift = false;
        Input.Pad.Clear();
        Input.MDXInput.Clear();
    }
}

// ---- Display -----------------------------------------------------------------------------------

void TMForm::ApplyDisplayMode() {
    if (Options.FullScreen == 1) {
        EnterFullScreen();
    } else {
        EnterWindowed();
    }
    Timing.RefreshRate = ReadRefreshRate();
}

void TMForm::EnterFullScreen() {
    MDXDraw.StopDisplay();
    MDXDraw.StartDisplay(true);
}

// The window always comes back centred on the screen, so no placement needs remembering.
void TMForm::EnterWindowed() {
    MDXDraw.StopDisplay();
    MDXDraw.StartDisplay(false);
}

int TMForm::ReadRefreshRate() const {
    if (config_.refreshRateOverride > 0) return config_.refreshRateOverride;
    return MDXDraw.ReadRefreshRate();
}

void TMForm::ShowSystemCursor() {
    cursorVisible_ = true;
    if (!config_.headless) SDL_ShowCursor(SDL_ENABLE);
}

void TMForm::HideSystemCursor() {
    cursorVisible_ = false;
    if (!config_.headless) SDL_ShowCursor(SDL_DISABLE);
}

// ---- Shut-down ---------------------------------------------------------------------------------

void TMForm::WriteSaveFiles() {
    // A failure is told on stderr and leaves the previous saves as they were.
    if (!config_.saveDir.empty()) WriteSaves(config_.saveDir, Options, HighScores);
}

void TMForm::SaveAndQuit() {
    MDXSpriteEngine.SweepDead();
    WriteSaveFiles();
    // Only a web address in "play.url" is handed to the desktop: a planted file cannot start a
    // program.
    if (auto link = ReadExitLink(std::filesystem::current_path())) OpenLink(*link);
    terminated_ = true;
}

void TMForm::ShutDownOnSignal() {
    MDXSpriteEngine.SweepDead();
    WriteSaveFiles();
    terminated_ = true;
}
