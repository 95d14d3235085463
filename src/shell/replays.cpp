// Every race is recorded, from its start to its end (or the game's), and any recording can be
// watched again: the race plays out exactly as it did, for the game is the same given the
// generator's state at the start, the car, the level, and for every frame what the frame loop
// read from the clock (LagCount, the measured frame rate and the refresh rate, which together
// set FrameMs and FrameScale) and the input as the race read it, with the form's events in
// between (typed characters, the mouse, the close request, Alt+Enter, the focus, a pad pulled
// out). The keys are recorded as the input states they became, so a recording does not depend
// on which keys or pad buttons stand for what.
//
// While a replay plays, its race reads what was recorded and nothing of the viewer's: the
// viewer's Esc (or the pad's Back or B) leaves it, F or Tab (or the pad's right shoulder) runs
// it four times as fast while held, and Alt+Enter switches the display as everywhere. A replay
// never writes the high scores, the options or the saves, and never sends a score: its race
// ends where the recorded one went on to the table or the menus, and the game returns to where
// the replay was started, as it was.

#include <algorithm>
#include <cstdio>

#include "frontend/main_menu.h"
#include "persist/replay_folder.h"
#include "shell/form.h"
#include "shell/game_version.h"

namespace {

// "REPLAY" in the HUD's digits, white (FontTable entry 6): the HUD's own figures are green.
constexpr int kReplayLabelFont = 6;

}  // namespace

// ---- Recording ---------------------------------------------------------------------------------

std::filesystem::path TMForm::ReplayFolder() const {
    if (config_.saveDir.empty()) return {};
    return std::filesystem::path(config_.saveDir) / kReplayFolderName;
}

void TMForm::NoteRaceStart(int firstLevel, const std::vector<CarItem>& gives) {
    if (Watching()) return;
    // A race started while another is recorded (the replay runner's shortcut) ends that one.
    if (Recorder.Recording()) FinishRaceRecording();
    ReplayHeader start;
    start.GameVersion = GameVersion();
    start.Seed = startSeed_;
    start.RandomState = Components.Random.SeedValue();
    start.Car = FrontEnd.StartGame.SelectedCar;
    start.Level = firstLevel;
    for (CarItem item : gives) start.Gives.push_back(static_cast<uint8_t>(item));
    // The table does not change during a race: its lowest score decides for the whole race
    // whether a score enters it.
    start.TableBar = HighScores.Slot(1).Score;
    for (int i = 2; i <= 10; ++i)
        start.TableBar = std::min(start.TableBar, HighScores.Slot(i).Score);
    start.StartName = Screens.EnteredName;
    Recorder.Begin(std::move(start));
}

void TMForm::NoteRaceEnd() {
    if (Recorder.Recording()) FinishRaceRecording();
}

void TMForm::FinishRaceRecording() {
    const std::optional<std::string> bytes =
        Recorder.Finish(RaceScreen.Race.Score, RaceScreen.Track.Level.LevelNumber);
    if (bytes) KeepRecording(*bytes);
}

void TMForm::KeepRecording(const std::string& bytes) {
    if (config_.keepRecording) {
        config_.keepRecording(bytes);
        return;
    }
    const std::filesystem::path folder = ReplayFolder();
    if (folder.empty()) return;
    // A recording that cannot be written is told on stderr; the game goes on.
    std::string error;
    if (!StoreReplay(folder, bytes, HighScores, error))
        std::fprintf(stderr, "Zarvex 2: the race's recording was not kept: %s\n", error.c_str());
}

void TMForm::NoteEvent(ReplayEventKind kind, int a, int b) {
    if (Recorder.Recording()) Recorder.NoteEvent({kind, a, b});
}

// Every bit the game packs has its place in the file's input word, and no more.
static_assert(kFrameInputBits == kReplayInputBits);

void TMForm::NoteFrame(int LagCount) {
    Recorder.NoteFirstFrameTiming(Timing.FrameMs, Timing.FrameScale);
    Recorder.NoteFrame({LagCount, Timing.FrameRate, Timing.RefreshRate, Input.PackedFrameInput()},
                       RaceScreen.Race.Score, RaceScreen.Track.Level.LevelNumber);
}

// ---- Watching ----------------------------------------------------------------------------------

bool TMForm::EntersTable(int score) const {
    if (Watch.Active) return score > Watch.Recording.Header.TableBar;
    return HighScores.IsHighScore(score);
}

void TMForm::WatchReplay(ReplayRecording recording, WatchOrigin origin, std::string fileName) {
    // Not in the middle of a race or of another replay: there is nothing to return to.
    if (Watching() || Screens.ScreenState == GameScreen::Race) return;
    Watch.Pending = std::move(recording);
    Watch.PendingOrigin = origin;
    Watch.PendingFileName = std::move(fileName);
}

void TMForm::BeginWatching() {
    Watch.Recording = std::move(*Watch.Pending);
    Watch.Pending.reset();
    Watch.Origin = Watch.PendingOrigin;
    const ReplayHeader& header = Watch.Recording.Header;
    Watch.Summary = WatchSummary{Watch.PendingFileName, 0, header.FrameCount, 0, header.FinalScore};

    // What the replay's race changes, given back at its end.
    Watch.SavedCar = FrontEnd.StartGame.SelectedCar;
    Watch.SavedName = Screens.EnteredName;
    Watch.SavedTypedChar = Screens.LastTypedChar;
    Watch.SavedRandom = Components.Random.SeedValue();
    Watch.SavedTiming = Timing;
    Watch.SavedMouseX = Input.MouseX;
    Watch.SavedMouseY = Input.MouseY;

    if (Screens.WindowKind != ModalWindow::None) CloseWindow();
    FrontEnd.CloseScreen(Screens.ScreenState);
    Watch.Active = true;
    Watch.Cursor.emplace(Watch.Recording.Stream);
    Watch.Pacer.Start();
    Components.Random.Seed(header.RandomState);
    FrontEnd.StartGame.SelectedCar = header.Car;
    Screens.EnteredName = header.StartName;
    Screens.LastTypedChar = 0;
    Timing.FrameMs = header.FrameMs;
    Timing.FrameScale = header.FrameScale;
    std::vector<CarItem> gives;
    for (uint8_t item : header.Gives) gives.push_back(static_cast<CarItem>(item));
    RaceScreen.StartRace(header.Level, gives);
}

int TMForm::PlayFrameStart(int LagCount) {
    ReplayItem item;
    while (Watch.Active && Watch.Cursor->Next(item)) {
        if (!item.IsFrame) {
            DeliverReplayEvent(item.Event);
            continue;
        }
        Watch.Frame = item.Frame;
        ++Watch.Summary.FramesPlayed;
        Timing.FrameRate = item.Frame.FrameRate;
        Timing.RefreshRate = item.Frame.RefreshRate;
        return item.Frame.LagCount;
    }
    // Every frame is played: back to where the replay was started, in this very frame.
    if (Watch.Active) StopWatching();
    return LagCount;
}

void TMForm::DeliverReplayEvent(const ReplayEvent& event) {
    switch (event.Kind) {
        case ReplayEventKind::Char:
            FormKeyPress(static_cast<char>(event.A));
            break;
        case ReplayEventKind::MouseMove:
            MDXDrawMouseMove(event.A, event.B);
            break;
        case ReplayEventKind::Click:
            MDXDrawClick();
            break;
        case ReplayEventKind::CloseRequest:
            FormCloseQuery();
            break;
        case ReplayEventKind::FullScreenKey:
            FullScreenKey();
            break;
        case ReplayEventKind::PadLost:
            PadLost();
            break;
        case ReplayEventKind::FocusLost:
        case ReplayEventKind::FocusGained:
            // What the focus did to the race (the keys let go, the clock held) is in the frames
            // recorded; the viewer's window keeps its own focus.
            break;
    }
}

void TMForm::StopWatching() {
    Watch.Pending.reset();
    if (!Watch.Active) return;
    Watch.Summary.Score = RaceScreen.Race.Score;
    lastWatch_ = Watch.Summary;
    if (Screens.WindowKind != ModalWindow::None) CloseWindow();
    if (Screens.ScreenState == GameScreen::Race) RaceScreen.EndRace();
    Watch.Active = false;
    Watch.Cursor.reset();
    Watch.Recording = ReplayRecording();

    FrontEnd.StartGame.SelectedCar = Watch.SavedCar;
    Screens.EnteredName = Watch.SavedName;
    Screens.LastTypedChar = Watch.SavedTypedChar;
    Components.Random.Seed(Watch.SavedRandom);
    Timing = Watch.SavedTiming;
    Input.MouseX = Watch.SavedMouseX;
    Input.MouseY = Watch.SavedMouseY;
    Input.Resync(active_, PadMode::Menu);

    // Back where the replay was started, with the menus' song.
    FrontEnd.MainMenu.OpenMainMenu(0, kEntryStartGame, 1);
    if (Watch.Origin == WatchOrigin::HighScores) {
        FrontEnd.MainMenu.CloseMenuScreen();
        FrontEnd.HighScoreScreen.OpenHighScores();
    }

    const WatchSummary& summary = *lastWatch_;
    if (summary.Ended() && summary.Score != summary.RecordedScore) {
        std::fprintf(stderr,
                     "Zarvex 2: %s: the replay went its own way: it ended with %d points, the "
                     "race with %d\n",
                     summary.FileName.c_str(), summary.Score, summary.RecordedScore);
    }
}

void TMForm::EndReplayRace() {
    Watch.Summary.RaceOver = true;
    StopWatching();
}

std::optional<WatchSummary> TMForm::LastWatch() const {
    if (!Watch.Active) return lastWatch_;
    WatchSummary now = Watch.Summary;
    now.Score = RaceScreen.Race.Score;
    return now;
}

void TMForm::WatchFrames(int LagCount) {
    if (!Watch.Active) {
        FrameHandler(LagCount);  // the replay starts in it
        return;
    }
    const bool fast = Watch.FastKey || Watch.FastPad;
    Watch.Pacer.Pass(LagCount, fast);
    // The recorded frames due now, found ahead on a copy of the cursor.
    const int most = ReplayPacer::kMostFrames * (fast ? ReplayPacer::kFastForward : 1);
    ReplayStreamReader ahead = *Watch.Cursor;
    ReplayItem item;
    bool framesLeft = false;
    int due = 0;
    while (due < most && ahead.Next(item)) {
        if (!item.IsFrame) continue;
        framesLeft = true;
        if (!Watch.Pacer.TakeIfDue(item.Frame.LagCount)) break;
        ++due;
    }
    if (!framesLeft) {
        FrameHandler(LagCount);  // the replay ends in it, and the screen returned to runs
        return;
    }
    // Only the last of the frames played together is shown.
    for (int i = 0; i < due && Watch.Active; ++i) FrameHandler(LagCount, nullptr, i == due - 1);
    // Nothing due yet: the picture shown stays, and the loop comes back in a moment.
    if (due == 0) SDL_Delay(1);
}

bool TMForm::HandleWatchingEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            // The close request goes to the screen the replay returns to.
            StopWatching();
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) StopWatching();
            return false;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_Scancode key = event.key.keysym.scancode;
            const bool down = event.type == SDL_KEYDOWN;
            // The keys held are kept, so that the screen returned to knows them.
            if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) Input.HeldKeys[key] = down;
            Watch.FastKey =
                Input.HeldKeys[SDL_SCANCODE_F] != 0 || Input.HeldKeys[SDL_SCANCODE_TAB] != 0;
            const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
            if (down && alt && (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER)) {
                Options.FullScreen = Options.FullScreen != 0 ? 0 : 1;
                ApplyDisplayMode();
                Watch.SavedTiming.RefreshRate = Timing.RefreshRate;
            }
            if (down && key == SDL_SCANCODE_ESCAPE && event.key.repeat == 0) StopWatching();
            return true;
        }
        case SDL_TEXTINPUT:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            // The viewer's pad pulled out pauses nothing.
            if (Components.GamePad.DeviceRemoved(event.cdevice.which))
                Components.GamePad.Read(Input.Pad);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            if (!Components.GamePad.IsTheOneInUse(event.cbutton.which)) return true;
            const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
            const int button = event.cbutton.button;
            Input.Pad.SetButton(button, down);
            if (button == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) Watch.FastPad = down;
            if (down && (button == SDL_CONTROLLER_BUTTON_BACK || button == SDL_CONTROLLER_BUTTON_B))
                StopWatching();
            return true;
        }
        default:
            return false;  // a pad plugged in, the sticks, the window's size and focus: as always
    }
}

void TMForm::DrawReplayLabel() {
    // In the play area's top left corner, clear of the HUD's figures on the right.
    Components.SetFont(kReplayLabelFont);
    const bool fast = Watch.FastKey || Watch.FastPad;
    Components.DrawText(fast ? "REPLAY x4" : "REPLAY", 14, 8, false, false);
}

// ---- The high-score screen's replays -----------------------------------------------------------

void TMForm::RefreshReplayShelf() {
    Shelf = ReplayShelf();
    const std::filesystem::path folder = ReplayFolder();
    if (folder.empty()) return;
    const std::vector<StoredReplay> replays = ListReplays(folder);
    auto playable = [](const StoredReplay& replay) {
        return replay.Header && replay.Header->GameVersion == GameVersion();
    };
    const std::array<int, 11> rows = MatchTableRows(replays, HighScores);
    for (int slot = 1; slot <= 10; ++slot)
        if (rows[slot] >= 0 && playable(replays[rows[slot]]))
            Shelf.RowFiles[slot] = replays[rows[slot]].Path.string();
    for (size_t i = replays.size(); i-- > 0;) {
        if (!playable(replays[i])) continue;
        Shelf.LastRaceFile = replays[i].Path.string();
        break;
    }
}

bool TMForm::WatchShelfReplay(int row) {
    if (row < 0 || row > 10) return false;
    const std::string& file = row == 0 ? Shelf.LastRaceFile : Shelf.RowFiles[row];
    if (file.empty()) return false;
    std::string error;
    std::optional<ReplayRecording> recording = ReadReplayFile(file, error, GameVersion());
    if (!recording) {
        std::fprintf(stderr, "Zarvex 2: %s\n", error.c_str());
        return false;
    }
    WatchReplay(std::move(*recording), WatchOrigin::HighScores, file);
    return Watching();
}
