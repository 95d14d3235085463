#include "replay_runner.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "actors_json.h"
#include "autopilot.h"
#include "persist/small_file.h"
#include "shell/form.h"
#include "shell/game_version.h"
#include "sprites/bonus.h"
#include "sprites/crowd.h"
#include "sprites/finish.h"
#include "sprites/player.h"
#include "sprites/scroll_background.h"
#include "sprites/traffic.h"
#include "track/track_dump.h"

namespace {

bool ParseInt(const std::string& text, int& value) {
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

// The items --give hands the car; none for an unknown word.
std::optional<CarItem> CarItemOf(const std::string& item) {
    if (item == "life") return CarItem::Life;
    if (item == "nitro") return CarItem::Nitro;
    if (item == "gun") return CarItem::MachineGun;
    if (item == "rockets") return CarItem::Rockets;
    return std::nullopt;
}

}  // namespace

bool ParseReplayArgs(const std::vector<std::string>& args, ReplayOptions& options,
                     std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](int& out, int minimum) {
            std::string text;
            if (!value(text)) return false;
            if (!ParseInt(text, out) || out < minimum) {
                error = arg + ": bad number '" + text + "'";
                return false;
            }
            return true;
        };
        std::string text;
        int n = 0;
        if (arg == "--seed") {
            if (!value(text)) return false;
            try {
                options.seed = static_cast<uint32_t>(std::stoul(text));
            } catch (...) {
                error = "--seed: bad number '" + text + "'";
                return false;
            }
        } else if (arg == "--refresh") {
            if (!number(options.refresh, 1)) return false;
        } else if (arg == "--frames") {
            if (!number(options.frames, 0)) return false;
        } else if (arg == "--input") {
            if (!value(options.inputPath)) return false;
        } else if (arg == "--shot" || arg == "--window-shot") {
            if (!value(text)) return false;
            const size_t colon = text.find(':');
            if (colon == std::string::npos || !ParseInt(text.substr(0, colon), n) || n < 0 ||
                colon + 1 >= text.size()) {
                error = arg + " needs N:FILE.png";
                return false;
            }
            (arg == "--shot" ? options.shots : options.windowShots)
                .emplace_back(n, text.substr(colon + 1));
        } else if (arg == "--state") {
            if (!number(n, 0)) return false;
            options.states.push_back(n);
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--dump-track") {
            if (!number(options.dumpTrackLevel, 1)) return false;
        } else if (arg == "--race") {
            if (!number(options.raceCar, 1)) return false;
            if (options.raceCar > 6) {
                error = "--race: the cars are 1 to 6";
                return false;
            }
        } else if (arg == "--level") {
            if (!number(options.level, 1)) return false;
        } else if (arg == "--autopilot") {
            options.autopilot = true;
        } else if (arg == "--give") {
            if (!value(text)) return false;
            const std::optional<CarItem> item = CarItemOf(text);
            if (!item) {
                error = "--give: gun, rockets, nitro or life, not '" + text + "'";
                return false;
            }
            options.gives.push_back(*item);
        } else if (arg == "--actors") {
            if (!number(n, 0)) return false;
            options.actors.push_back(n);
        } else if (arg == "--map") {
            if (!value(text)) return false;
            const size_t colon = text.find(':');
            if (colon == std::string::npos || !ParseInt(text.substr(0, colon), n) || n < 0 ||
                colon + 1 >= text.size()) {
                error = "--map needs N:FILE";
                return false;
            }
            options.maps.emplace_back(n, text.substr(colon + 1));
        } else if (arg == "--levels") {
            if (!value(text)) return false;
            options.levels.clear();
            std::istringstream list(text);
            std::string item;
            while (std::getline(list, item, ',')) {
                if (!ParseInt(item, n) || n < 1) {
                    error = "--levels needs levels from 1 separated by commas, not '" + text + "'";
                    return false;
                }
                options.levels.push_back(n);
            }
            if (options.levels.empty()) {
                error = "--levels needs at least one level";
                return false;
            }
        } else if (arg == "--quit") {
            options.quit = true;
        } else if (arg == "--report-every") {
            if (!number(options.reportEvery, 1)) return false;
        } else if (arg == "--data") {
            if (!value(options.dataDir)) return false;
        } else if (arg == "--save-dir") {
            if (!value(options.saveDir)) return false;
        } else if (arg == "--record") {
            if (!value(options.recordPath)) return false;
        } else if (arg == "--replay") {
            if (!value(options.replayPath)) return false;
        } else if (arg == "--controls") {
            if (!value(options.controlsFile)) return false;
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    if (!options.levels.empty()) {
        if (options.raceCar == 0 || !options.autopilot) {
            error = "--levels needs --race and --autopilot";
            return false;
        }
        options.level = options.levels.front();
    }
    if (!options.replayPath.empty() &&
        (options.raceCar > 0 || options.autopilot || !options.gives.empty() ||
         !options.recordPath.empty() || options.dumpTrackLevel > 0)) {
        error =
            "--replay plays a recording as it was: --race, --autopilot, --give and --record do "
            "not go with it";
        return false;
    }
    return true;
}

ReplayRunner::ReplayRunner(ReplayOptions options) : options_(std::move(options)) {}

ReplayRunner::~ReplayRunner() {
    form_.reset();
    pads_.RemoveAll();
    if (sdlStarted_) SDL_Quit();
}

namespace {

bool StartSdl(std::string& error) {
    // Headless: an offscreen window with a software renderer and a silent audio device.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("SDL cannot start: ") + SDL_GetError();
        return false;
    }
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    // The replay's window never has SDL's focus (the script says when the game has it), so pad
    // events must come through without it. Without pads the replay runs as well.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    return true;
}

FormConfig ReplayConfig(const ReplayOptions& options) {
    FormConfig config;
    config.headless = true;
    config.seedFromClock = false;
    config.seed = options.seed;
    config.refreshRateOverride = options.refresh;
    config.dataDir = options.dataDir;
    config.saveDir = options.saveDir;
    config.controlsFile = options.controlsFile;
    config.showMessageBoxes = false;
    config.openAudio = options.openAudio;
    config.openLink = options.openLink;
    config.submitScore = options.submitScore;
    config.virtualPadsOnly = true;
    return config;
}

}  // namespace

bool ReplayRunner::Start(std::string& error) {
    if (!StartSdl(error)) return false;
    sdlStarted_ = true;
    FormConfig config = ReplayConfig(options_);
    if (!options_.recordPath.empty())
        config.keepRecording = [this](const std::string& bytes) { KeepRecording(bytes); };
    form_ = std::make_unique<TMForm>(config);
    if (!form_->FormCreate()) {
        error = "the game could not start";
        return false;
    }
    return AfterStart(error);
}

bool ReplayRunner::StartWith(std::vector<ImageEntry> list1, std::vector<ImageEntry> list2,
                             std::vector<WaveEntry> waves, std::string& error) {
    if (!StartSdl(error)) return false;
    sdlStarted_ = true;
    FormConfig config = ReplayConfig(options_);
    if (!options_.recordPath.empty())
        config.keepRecording = [this](const std::string& bytes) { KeepRecording(bytes); };
    form_ = std::make_unique<TMForm>(config);
    if (!form_->FormCreateFrom(std::move(list1), std::move(list2), std::move(waves))) {
        error = "the game could not start";
        return false;
    }
    return AfterStart(error);
}

bool ReplayRunner::AfterStart(std::string& error) {
    form_->Components.MDXTimer.Restart(ClockAt(0));
    if (!options_.replayPath.empty()) {
        // Played from the first frame on, as `zarvex2 --replay` does, back to the main menu.
        std::optional<ReplayRecording> recording =
            ReadReplayFile(options_.replayPath, error, GameVersion());
        if (!recording) return false;
        form_->WatchReplay(std::move(*recording), WatchOrigin::MainMenu, options_.replayPath);
    }
    if (options_.raceCar > 0) StartRaceShortCut(options_.level);
    return true;
}

void ReplayRunner::StartRaceShortCut(int level) {
    // As the start-game screen's Start does: leave the screen on show (the main menu, or the
    // high scores the autopilot reached after a lost game), then race, with the items given.
    form_->FrontEnd.StartGame.SelectedCar = options_.raceCar;
    form_->FrontEnd.CloseScreen(form_->Screens.ScreenState);
    form_->RaceScreen.StartRace(level, options_.gives);
}

void ReplayRunner::KeepRecording(const std::string& bytes) {
    if (recordWritten_ || !recordError_.empty()) return;
    std::string error;
    if (WriteSmallFile(options_.recordPath, bytes, error)) {
        recordWritten_ = true;
    } else {
        recordError_ = error;
    }
}

bool ReplayRunner::FinishRecording(std::string& error) {
    form_->FinishRaceRecording();
    if (!recordError_.empty()) {
        error = "cannot write the recording: " + recordError_;
        return false;
    }
    if (!recordWritten_) {
        error = "--record: no race was run to record";
        return false;
    }
    return true;
}

uint64_t ReplayRunner::ClockAt(int frame) const {
    // Exactly 1000/HZ ms per frame, the fraction carried from frame to frame.
    return static_cast<uint64_t>(frame) * 1000u / static_cast<uint64_t>(options_.refresh);
}

void ReplayRunner::SetScript(std::vector<ScriptEvent> events) {
    script_ = std::move(events);
    nextEvent_ = 0;
}

namespace {

SDL_Keymod ModifierOf(SDL_Scancode key) {
    switch (key) {
        case SDL_SCANCODE_LALT:
            return KMOD_LALT;
        case SDL_SCANCODE_RALT:
            return KMOD_RALT;
        case SDL_SCANCODE_LCTRL:
            return KMOD_LCTRL;
        case SDL_SCANCODE_RCTRL:
            return KMOD_RCTRL;
        case SDL_SCANCODE_LSHIFT:
            return KMOD_LSHIFT;
        case SDL_SCANCODE_RSHIFT:
            return KMOD_RSHIFT;
        default:
            return KMOD_NONE;
    }
}

}  // namespace

// Every scripted event becomes the SDL event the real window would deliver, and goes through
// the game's own event handler.
void ReplayRunner::SendKey(SDL_Scancode key, bool down) {
    // As SDL reports it, a modifier's own key event already carries its new state.
    if (down) {
        modifiers_ = static_cast<SDL_Keymod>(modifiers_ | ModifierOf(key));
    } else {
        modifiers_ = static_cast<SDL_Keymod>(modifiers_ & ~ModifierOf(key));
    }
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = 0;
    event.key.keysym.scancode = key;
    event.key.keysym.sym = SDL_GetKeyFromScancode(key);
    event.key.keysym.mod = static_cast<Uint16>(modifiers_);
    Send(event);
}

void ReplayRunner::Send(const SDL_Event& event) {
    form_->HandleEvent(event, ClockAt(frame_));
}

void ReplayRunner::Deliver(const ScriptEvent& event) {
    switch (event.kind) {
        case ScriptEvent::Kind::Down:
            SendKey(event.key, true);
            break;
        case ScriptEvent::Kind::Up:
            SendKey(event.key, false);
            break;
        case ScriptEvent::Kind::Type:
            for (char c : event.text) {
                if (c == '\b' || c == '\r') {
                    const SDL_Scancode key =
                        c == '\b' ? SDL_SCANCODE_BACKSPACE : SDL_SCANCODE_RETURN;
                    SendKey(key, true);
                    SendKey(key, false);
                    continue;
                }
                SDL_Event text{};
                text.type = SDL_TEXTINPUT;
                text.text.text[0] = c;
                text.text.text[1] = '\0';
                Send(text);
            }
            break;
        case ScriptEvent::Kind::Move: {
            // Script positions are surface pixels; in the window they map one to one.
            mouseX_ = event.x;
            mouseY_ = event.y;
            SDL_Event motion{};
            motion.type = SDL_MOUSEMOTION;
            motion.motion.x = event.x;
            motion.motion.y = event.y;
            Send(motion);
            break;
        }
        case ScriptEvent::Kind::Click: {
            SDL_Event button{};
            button.button.button = SDL_BUTTON_LEFT;
            button.button.clicks = 1;
            button.button.x = mouseX_;
            button.button.y = mouseY_;
            button.type = SDL_MOUSEBUTTONDOWN;
            button.button.state = SDL_PRESSED;
            Send(button);
            button.type = SDL_MOUSEBUTTONUP;
            button.button.state = SDL_RELEASED;
            Send(button);
            break;
        }
        case ScriptEvent::Kind::Close: {
            SDL_Event close{};
            close.type = SDL_WINDOWEVENT;
            close.window.event = SDL_WINDOWEVENT_CLOSE;
            Send(close);
            break;
        }
        case ScriptEvent::Kind::Focus: {
            SDL_Event focus{};
            focus.type = SDL_WINDOWEVENT;
            focus.window.event =
                event.focus ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
            Send(focus);
            break;
        }
        case ScriptEvent::Kind::Pad:
            DeliverPad(event);
            break;
    }
}

// A pad event moves the virtual pad; SDL turns the move into the events a real pad would give,
// which go to the game at once, so that pad and key events keep the script's order.
void ReplayRunner::DeliverPad(const ScriptEvent& event) {
    const int pad = event.pad != 0 ? event.pad : pads_.FirstConnected();
    switch (event.padAction) {
        case ScriptEvent::PadAction::Add:
            pads_.Add();
            break;
        case ScriptEvent::PadAction::Remove:
            pads_.Remove(pad);
            break;
        case ScriptEvent::PadAction::Down:
        case ScriptEvent::PadAction::Up:
            pads_.SetButton(pad, event.padButton, event.padAction == ScriptEvent::PadAction::Down);
            break;
        case ScriptEvent::PadAction::Axis:
            pads_.SetAxis(pad, event.padAxis, event.padValue);
            break;
    }
    PumpPadEvents();
}

void ReplayRunner::PumpPadEvents() {
    SDL_PumpEvents();
    // Only the game-controller events: the offscreen window's own events would tell the game of
    // a focus that the script alone decides.
    SDL_Event events[16];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                                   SDL_CONTROLLERSENSORUPDATE)) > 0) {
        for (int i = 0; i < count; ++i) Send(events[i]);
    }
    // The raw joystick events the game does not read would only fill the queue.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
}

int ReplayRunner::PadAdd() {
    const int pad = pads_.Add();
    PumpPadEvents();
    return pad;
}

void ReplayRunner::PadRemove(int pad) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Pad;
    event.padAction = ScriptEvent::PadAction::Remove;
    event.pad = pad;
    Deliver(event);
}

void ReplayRunner::PadButton(const std::string& button, bool down, int pad) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Pad;
    event.padAction = down ? ScriptEvent::PadAction::Down : ScriptEvent::PadAction::Up;
    event.padButton = SDL_GameControllerGetButtonFromString(button.c_str());
    event.pad = pad;
    Deliver(event);
}

void ReplayRunner::PadAxis(const std::string& axis, int value, int pad) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Pad;
    event.padAction = ScriptEvent::PadAction::Axis;
    event.padAxis = SDL_GameControllerGetAxisFromString(axis.c_str());
    event.padValue = value;
    event.pad = pad;
    Deliver(event);
}

void ReplayRunner::KeyDown(const std::string& key) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Down;
    event.key = ScriptKeyCode(key);
    Deliver(event);
}

void ReplayRunner::KeyUp(const std::string& key) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Up;
    event.key = ScriptKeyCode(key);
    Deliver(event);
}

void ReplayRunner::Type(const std::string& text) {
    ScriptEvent event;
    event.kind = ScriptEvent::Kind::Type;
    event.text = text;
    Deliver(event);
}

bool ReplayRunner::Finished() const {
    return form_->Terminated();
}

void ReplayRunner::RunFrame() {
    ++frame_;
    while (nextEvent_ < script_.size() && script_[nextEvent_].frame <= frame_)
        Deliver(script_[nextEvent_++]);
    if (form_->Terminated()) return;
    FollowLevelShares();
    if (leaving_) LeaveStep();
    // The autopilot races on after a lost game: back at a menu it starts a new race at the
    // level it had reached, or at the next of --levels when the race was left for it.
    if (options_.autopilot && !form_->Watching() &&
        DriveAutopilot(*form_) == AutopilotWish::NewRace && options_.raceCar > 0 && !leaving_) {
        StartRaceShortCut(nextRaceLevel_ > 0
                              ? nextRaceLevel_
                              : std::max(1, form_->RaceScreen.Track.Level.LevelNumber));
        nextRaceLevel_ = 0;
    }
    // The timer does not run while the game is inactive: the frame passes with nothing done.
    if (!form_->Active()) return;
    const int lag = form_->Components.MDXTimer.Tick(ClockAt(frame_), form_->Timing);
    const auto start = std::chrono::steady_clock::now();
    FrameProfile profile;
    form_->FrameHandler(lag, options_.stats ? &profile : nullptr);
    if (options_.stats) {
        const auto end = std::chrono::steady_clock::now();
        costs_.total.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        costs_.draw.push_back(profile.drawMs);
        costs_.move.push_back(profile.moveMs);
    }
    spritePeak_ = std::max(spritePeak_, form_->Components.MDXSpriteEngine.SpriteCount);
}

void ReplayRunner::FollowLevelShares() {
    if (options_.levels.empty() || quitting_) return;
    const int share = std::max(1, options_.frames / static_cast<int>(options_.levels.size()));
    const size_t due =
        std::min(static_cast<size_t>((frame_ - 1) / share), options_.levels.size() - 1);
    if (due == levelShare_) return;
    levelShare_ = due;
    nextRaceLevel_ = options_.levels[due];
    leaving_ = true;
}

void ReplayRunner::Quit() {
    quitting_ = true;
    leaving_ = true;
}

void ReplayRunner::LeaveStep() {
    if (pressedKey_ != SDL_SCANCODE_UNKNOWN) {
        SendKey(pressedKey_, false);
        pressedKey_ = SDL_SCANCODE_UNKNOWN;
        return;
    }
    const ScreenValues& screens = form_->Screens;
    SDL_Scancode key = SDL_SCANCODE_UNKNOWN;
    switch (screens.WindowKind) {
        case ModalWindow::ExitGame:
        case ModalWindow::ExitToMenu:
            key = SDL_SCANCODE_Y;
            break;
        case ModalWindow::ClearTable:
            key = SDL_SCANCODE_N;  // the table stays
            break;
        case ModalWindow::Pause:
            key = SDL_SCANCODE_ESCAPE;  // whatever the race's bindings, Esc ends the pause
            break;
        case ModalWindow::None:
            // The race is left by its leave binding (Esc unless the player moved it); without
            // one, by the close box, which asks the same question. Esc leaves a menu screen for
            // the main menu, and on the main menu asks whether to leave the game.
            if (screens.ScreenState == GameScreen::Race) {
                key = FirstKeyOf(form_->Input.Controls, RaceAction::Leave);
                if (key == SDL_SCANCODE_UNKNOWN) form_->FormCloseQuery();
            } else if (quitting_) {
                key = SDL_SCANCODE_ESCAPE;
            } else {
                leaving_ = false;  // at a menu: the next race may start
            }
            break;
        default:
            break;  // the banner and the timed windows close themselves; the autopilot names
    }
    if (key != SDL_SCANCODE_UNKNOWN) {
        SendKey(key, true);
        pressedKey_ = key;
    }
}

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

std::string ReplayRunner::LoadReportJson() {
    const TMForm& f = *form_;
    std::ostringstream j;
    j << "{\"frame\":" << frame_ << ",\"ScreenState\":" << f.Screens.ScreenState
      << ",\"WindowKind\":" << f.Screens.WindowKind
      << ",\"LevelNumber\":" << f.RaceScreen.Track.Level.LevelNumber
      << ",\"SpriteCount\":" << f.Components.MDXSpriteEngine.SpriteCount
      << ",\"SpritePeak\":" << std::max(spritePeak_, f.Components.MDXSpriteEngine.SpriteCount)
      << ",\"rssKb\":" << ResidentKb() << "}";
    spritePeak_ = 0;
    return j.str();
}

void ReplayRunner::RunUntil(int n) {
    while (frame_ < n && !Finished()) RunFrame();
}

namespace {

std::string Number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

std::string Bool(bool v) {
    return v ? "true" : "false";
}

// A JSON string: quotes, backslashes, control characters and bytes outside ASCII escaped (a
// hand-edited save may hold any bytes; each stands for itself).
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string ReplayRunner::StateJson() const {
    const TMForm& f = *form_;
    std::ostringstream j;
    j << "{\"frame\":" << frame_ << ",\"ScreenState\":" << f.Screens.ScreenState
      << ",\"WindowKind\":" << f.Screens.WindowKind
      << ",\"SelectedButton\":" << f.Screens.SelectedButton
      << ",\"FirstButton\":" << f.Screens.FirstButton << ",\"LastButton\":" << f.Screens.LastButton
      << ",\"FrameRate\":" << f.Timing.FrameRate << ",\"FrameMs\":" << f.Timing.FrameMs
      << ",\"FrameScale\":" << Number(f.Timing.FrameScale)
      << ",\"SpriteCount\":" << f.Components.MDXSpriteEngine.SpriteCount;
    // The front end: the intro, the car choice, the help page, the options and the table.
    const TStartGameScreen& startGame = f.FrontEnd.StartGame;
    j << ",\"IntroRunning\":" << Bool(f.Screens.IntroRunning)
      << ",\"SelectedCar\":" << startGame.SelectedCar << ",\"PendingCar\":" << startGame.PendingCar
      << ",\"CarChanging\":" << Bool(startGame.CarChanging)
      << ",\"HelpPage\":" << f.FrontEnd.HelpScreen.HelpPage
      << ",\"EditingCountry\":" << Bool(f.Screens.EditingCountry)
      << ",\"FullScreen\":" << f.Options.FullScreen << ",\"Music\":" << f.Options.Music
      << ",\"Sound\":" << f.Options.Sound << ",\"Country\":" << Quoted(f.Options.Country)
      << ",\"HighScores\":[";
    for (int i = 1; i <= 10; ++i) {
        const THighScore& entry = f.HighScores.Slot(i);
        j << (i > 1 ? "," : "") << "[" << Quoted(entry.Name) << "," << entry.Score << "]";
    }
    j << "]";
    if (f.Screens.ScreenState == GameScreen::Race && f.RaceScreen.Race.Player != nullptr) {
        const LevelParams& level = f.RaceScreen.Track.Level;
        const TPlayer& car = *f.RaceScreen.Race.Player;
        const double bx =
            f.RaceScreen.CurrentBackground != nullptr ? f.RaceScreen.CurrentBackground->X : 0;
        const double by =
            f.RaceScreen.CurrentBackground != nullptr ? f.RaceScreen.CurrentBackground->Y : 0;
        j << ",\"LevelNumber\":" << level.LevelNumber << ",\"TrackLength\":" << level.TrackLength
          << ",\"TimeLeft\":" << level.TimeLeft << ",\"CarCount\":" << level.CarCount
          << ",\"BonusCount\":" << level.BonusCount << ",\"ViewCol\":" << f.RaceScreen.Track.ViewCol
          << ",\"ViewRow\":" << f.RaceScreen.Track.ViewRow << ",\"BackgroundX\":" << Number(bx)
          << ",\"BackgroundY\":" << Number(by)
          << ",\"WorldVelocityX\":" << Number(f.RaceScreen.Race.WorldVelocityX)
          << ",\"WorldVelocityY\":" << Number(f.RaceScreen.Race.WorldVelocityY)
          << ",\"Score\":" << f.RaceScreen.Race.Score << ",\"Lives\":" << f.RaceScreen.Race.Lives
          << ",\"CarSpeed\":" << Number(car.CarSpeed) << ",\"Velocity\":" << Number(car.Velocity)
          << ",\"Heading\":" << car.Heading << ",\"Steer\":" << Number(car.Steer)
          << ",\"Energy\":" << car.Energy << ",\"Crashed\":" << car.Crashed
          << ",\"TimeUp\":" << Bool(car.TimeUp) << ",\"OnRoad\":" << Bool(car.OnRoad)
          << ",\"Weapon\":" << static_cast<int>(car.Weapon) << ",\"Ammo\":" << car.Ammo
          << ",\"WeaponFrame\":" << car.WeaponFrame << ",\"FireCooldown\":" << car.FireCooldown
          << ",\"HasNitro\":" << Bool(car.HasNitro) << ",\"NitroFuel\":" << Number(car.NitroFuel)
          << ",\"Crossed\":" << Bool(FinishCrossed(f.RaceScreen.Race)) << ",\"EngineSound\":\""
          << car.EngineSoundName() << "\"";
        // The traffic still on the road: slots with a car in them.
        int trafficActive = 0;
        if (const TCar* traffic = f.RaceScreen.Race.Traffic; traffic != nullptr)
            for (int i = 1; i <= traffic->UsedSlots(); ++i)
                if (traffic->Slot(i).Dir != kDirNone) ++trafficActive;
        j << ",\"TrafficActive\":" << trafficActive;
        // The pedestrians still walking, the bonuses still on the road, the horn's scare and the
        // blood marks the car has still to lay.
        int crowdAlive = 0;
        bool scared = false;
        if (const TMan* crowd = f.RaceScreen.Race.Crowd; crowd != nullptr) {
            scared = crowd->Scared;
            for (int i = 1; i <= kManSlots; ++i) {
                const TManSlot& man = crowd->Slot(i);
                if (man.Alive && man.Dir >= kManLeft && man.Dir <= kManDown) ++crowdAlive;
            }
        }
        int bonusesActive = 0;
        if (const TBonus* bonuses = f.RaceScreen.Race.Bonuses; bonuses != nullptr)
            for (int i = 1; i <= bonuses->UsedSlots(); ++i)
                if (bonuses->Slot(i).Active) ++bonusesActive;
        j << ",\"CrowdAlive\":" << crowdAlive << ",\"BonusesActive\":" << bonusesActive
          << ",\"Scared\":" << Bool(scared) << ",\"BloodTrail\":" << car.BloodTrail;
    }
    j << "}";
    return j.str();
}

bool ReplayRunner::SaveShot(const std::string& path, bool windowOnly) const {
    std::vector<uint32_t> pixels;
    if (!form_->Components.MDXDraw.ReadPixels(pixels)) return false;
    const int width = windowOnly ? kClientWidth : kSurfaceWidth;
    const int height = windowOnly ? kClientHeight : kSurfaceHeight;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            row[x] = pixels[static_cast<size_t>(y) * kSurfaceWidth + x] | 0xFF000000u;
    }
    cairo_surface_mark_dirty(surface);
    const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

namespace {

struct Summary {
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Summary Summarise(std::vector<double> values) {
    Summary s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    s.median = values[values.size() / 2];
    s.p99 = values[std::min(values.size() - 1, values.size() * 99 / 100)];
    s.max = values.back();
    return s;
}

std::string SummaryJson(const std::vector<double>& values) {
    const Summary s = Summarise(values);
    return "{\"median\":" + Number(s.median) + ",\"p99\":" + Number(s.p99) +
           ",\"max\":" + Number(s.max) + "}";
}

}  // namespace

std::string FrameCostFields(int frames, const FrameCosts& costs) {
    return "\"frames\":" + std::to_string(frames) + ",\"frame\":" + SummaryJson(costs.total) +
           ",\"draw\":" + SummaryJson(costs.draw) + ",\"move\":" + SummaryJson(costs.move);
}

bool WriteActorReports(ReplayRunner& runner, const ReplayOptions& options, int frame,
                       std::ostream& out, std::ostream& err) {
    for (int n : options.actors)
        if (n == frame) out << ActorsJson(runner.Form(), frame) << "\n";
    for (const auto& [n, path] : options.maps) {
        if (n != frame) continue;
        std::ofstream file(path);
        file << DumpTrack(runner.Form().RaceScreen.Track);
        if (!file) {
            err << "zarvex2-replay: cannot write " << path << "\n";
            return false;
        }
    }
    return true;
}

int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err) {
    if (options.dumpTrackLevel > 0) {
        auto state = std::make_unique<TrackState>();
        TRandom random(options.seed);
        TTrackGenerator(*state, random).SetUpLevel(options.dumpTrackLevel);
        out << DumpTrack(*state);
        return 0;
    }

    std::vector<ScriptEvent> script;
    if (!options.inputPath.empty()) {
        std::ifstream in(options.inputPath);
        if (!in) {
            err << "zarvex2-replay: cannot open " << options.inputPath << "\n";
            return 2;
        }
        std::string error;
        if (!ParseInputScript(in, script, error)) {
            err << "zarvex2-replay: " << error << "\n";
            return 2;
        }
    }

    ReplayRunner runner(options);
    std::string error;
    if (!runner.Start(error)) {
        err << "zarvex2-replay: " << error << "\n";
        return 1;
    }
    runner.SetScript(std::move(script));

    auto report = [&](int frame) {
        if (options.reportEvery > 0 && frame > 0 && frame % options.reportEvery == 0)
            out << runner.LoadReportJson() << std::endl;
        for (int n : options.states)
            if (n == frame) out << runner.StateJson() << "\n";
        for (bool windowOnly : {false, true}) {
            for (const auto& [n, path] : windowOnly ? options.windowShots : options.shots) {
                if (n != frame) continue;
                if (!runner.SaveShot(path, windowOnly)) {
                    err << "zarvex2-replay: cannot write " << path << "\n";
                    return false;
                }
            }
        }
        return WriteActorReports(runner, options, frame, out, err);
    };
    if (!report(0)) return 1;
    // A replay without --frames runs until it has ended.
    const bool untilReplayEnds = !options.replayPath.empty() && options.frames == 0;
    while ((untilReplayEnds ? runner.Form().Watching() : runner.Frame() < options.frames) &&
           !runner.Finished()) {
        runner.RunFrame();
        if (!report(runner.Frame())) return 1;
    }
    if (options.quit && !runner.Finished()) {
        // Out of a race, through a name entry and back to the main menu take a few hundred
        // frames at most.
        constexpr int kFramesToQuit = 3000;
        runner.Quit();
        const int last = runner.Frame() + kFramesToQuit;
        while (!runner.Finished() && runner.Frame() < last) {
            runner.RunFrame();
            if (!report(runner.Frame())) return 1;
        }
        if (!runner.Finished()) {
            err << "zarvex2-replay: --quit: the game had not ended " << kFramesToQuit
                << " frames after the last one\n";
            return 1;
        }
    }
    if (options.stats) out << "{" << FrameCostFields(runner.Frame(), runner.Costs()) << "}\n";
    if (!options.recordPath.empty() && !runner.FinishRecording(error)) {
        err << "zarvex2-replay: " << error << "\n";
        return 1;
    }
    if (!options.replayPath.empty()) {
        const std::optional<WatchSummary> summary = runner.Form().LastWatch();
        if (!summary) return 0;
        out << ReplaySummaryJson(*summary) << "\n";
        // A replay that ended as the race did with another score went its own way: the game no
        // longer plays the same for the same input.
        if (summary->Ended() && summary->Score != summary->RecordedScore) {
            err << "zarvex2-replay: " << options.replayPath << ": the replay ended with "
                << summary->Score << " points, the race with " << summary->RecordedScore << "\n";
            return 1;
        }
    }
    return 0;
}

std::string ReplaySummaryJson(const WatchSummary& summary) {
    return "{\"replay\":" + Quoted(summary.FileName) +
           ",\"frames\":" + std::to_string(summary.FramesPlayed) +
           ",\"recordedFrames\":" + std::to_string(summary.RecordedFrames) +
           ",\"Score\":" + std::to_string(summary.Score) +
           ",\"recordedScore\":" + std::to_string(summary.RecordedScore) + "}";
}
