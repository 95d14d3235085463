// Races recorded and watched again: the same state at every step, the windows and events of a
// race replayed, a replay that leaves the table, the options and the saves as they were, and the
// high-score screen's way to the recordings.

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "actors_json.h"
#include "persist/replay_folder.h"
#include "persist/save_files.h"
#include "persist/temp_folder.h"
#include "runner_fixture.h"
#include "shell/replay_pacer.h"
#include "sprites/player.h"

namespace {

namespace fs = std::filesystem;

std::unique_ptr<ReplayRunner> StartRunner(const ReplayOptions& options) {
    auto runner = std::make_unique<ReplayRunner>(options);
    std::string error;
    EXPECT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    return runner;
}

std::vector<ScriptEvent> Script(const std::string& text) {
    std::istringstream in(text);
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(ParseInputScript(in, events, error)) << error;
    return events;
}

// Into a race from the main menu as the start-game screen's Start does, with the table as it is.
void StartRaceFromMenu(TMForm& form, int car) {
    form.FrontEnd.CloseScreen(form.Screens.ScreenState);
    form.FrontEnd.StartGame.SelectedCar = car;
    form.RaceScreen.StartRace();
}

// The state and the actors after every `step`th frame the game ran, up to the `last`th, with the
// windows seen on the way. Frames count as the game ran them: a runner's frame without the focus
// runs none, and a replay plays the recording's frames one after the other.
struct Trace {
    std::vector<std::string> lines;
    std::set<ModalWindow> windows;
};

Trace Follow(ReplayRunner& runner, int step, int last) {
    Trace trace;
    int ran = 0;
    while (ran < last) {
        runner.RunFrame();
        if (!runner.Form().Active()) continue;
        ++ran;
        trace.windows.insert(runner.Form().Screens.WindowKind);
        if (ran % step != 0) continue;
        // The state without the runner's frame number, which counts the frames without focus.
        const std::string state = runner.StateJson();
        trace.lines.push_back(state.substr(state.find(',')) + ActorsJson(runner.Form(), ran));
    }
    return trace;
}

// ---- The autopilot's races at two rates and two levels ------------------------------------------

struct RaceCase {
    int refresh;
    int level;
};

class RecordedRaceTest : public ::testing::TestWithParam<RaceCase> {};

TEST_P(RecordedRaceTest, PlaysBackTheSameStateAndActorsAtEvery500thFrame) {
    TempFolder temp;
    const std::string file = (temp.Path() / "race.zvr").string();
    ReplayOptions record;
    record.refresh = GetParam().refresh;
    record.raceCar = 4;
    record.level = GetParam().level;
    record.autopilot = true;
    record.gives = {CarItem::MachineGun, CarItem::Rockets, CarItem::Nitro};
    record.recordPath = file;
    // Every action on another key: the autopilot presses those, and the replay, which runs with
    // the game's own controls, must still drive the same race.
    record.controlsFile = (temp.Path() / "controls").string();
    std::ofstream(record.controlsFile) << "accelerate=W\nbrake=S\nleft=A\nright=D\n"
                                          "handbrake=J\nfire=K\nnitro=L\nhorn=U\n";
    Trace recorded;
    int score = 0;
    {
        auto runner = StartRunner(record);
        recorded = Follow(*runner, 500, 5000);
        score = runner->Form().RaceScreen.Race.Score;
        std::string error;
        ASSERT_TRUE(runner->FinishRecording(error)) << error;
    }
    ASSERT_GT(score, 0);  // the race went somewhere: bonuses, hits

    // Watched on a display of another rate: the recording's clock is the one that counts.
    ReplayOptions watch;
    watch.refresh = 144;
    watch.replayPath = file;
    auto runner = StartRunner(watch);
    const Trace replayed = Follow(*runner, 500, 5000);
    ASSERT_EQ(replayed.lines.size(), 10u);
    for (size_t i = 0; i < recorded.lines.size(); ++i)
        EXPECT_EQ(replayed.lines[i], recorded.lines[i]) << "frame " << 500 * (i + 1);
    runner->RunFrame();  // every frame played: back to the main menu
    const std::optional<WatchSummary> summary = runner->Form().LastWatch();
    ASSERT_TRUE(summary);
    EXPECT_FALSE(runner->Form().Watching());
    EXPECT_EQ(runner->Form().Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(summary->FramesPlayed, 5000u);
    EXPECT_EQ(summary->RecordedScore, score);
    EXPECT_EQ(summary->Score, score);
}

INSTANTIATE_TEST_SUITE_P(RatesAndLevels, RecordedRaceTest,
                         ::testing::Values(RaceCase{60, 1}, RaceCase{60, 5}, RaceCase{85, 1},
                                           RaceCase{85, 5}),
                         [](const auto& info) {
                             return std::to_string(info.param.refresh) + "HzLevel" +
                                    std::to_string(info.param.level);
                         });

// ---- The windows and the form's events ----------------------------------------------------------

// The banner closes at frame 126 at 60 Hz. Pause and resume; Esc, then No with the mouse; Alt+Enter
// (the race pauses), resumed with P; the focus lost and found; a short drive, then the clock runs
// out: the time-over window takes a life and the level starts again.
constexpr const char* kWindowsScript =
    "150 down Up\n"
    "300 down P\n301 up P\n340 down P\n341 up P\n"
    "400 down Esc\n401 up Esc\n420 move 420 316\n421 click\n"
    "500 down Alt\n501 down Enter\n502 up Enter\n503 up Alt\n560 down P\n561 up P\n"
    "600 focus 0\n620 focus 1\n"
    "700 up Up\n702 type xyz\n";

TEST(RecordedWindowsTest, PauseExitQuestionFullScreenKeyAndTimeOverPlayBack) {
    TempFolder temp;
    const std::string file = (temp.Path() / "race.zvr").string();
    ReplayOptions record;
    record.refresh = 60;
    record.raceCar = 2;
    record.recordPath = file;
    Trace recorded;
    {
        auto runner = StartRunner(record);
        runner->SetScript(Script(kWindowsScript));
        recorded = Follow(*runner, 100, 4100);
        EXPECT_LT(runner->Form().RaceScreen.Race.Lives, 3);
        EXPECT_EQ(runner->Form().Options.FullScreen, 1);  // Alt+Enter in the race
        std::string error;
        ASSERT_TRUE(runner->FinishRecording(error)) << error;
    }
    for (ModalWindow window : {ModalWindow::Pause, ModalWindow::ExitToMenu, ModalWindow::TimeOver,
                               ModalWindow::LevelBanner})
        EXPECT_EQ(recorded.windows.count(window), 1u) << static_cast<int>(window);

    ReplayOptions watch;
    watch.refresh = 60;
    watch.replayPath = file;
    auto runner = StartRunner(watch);
    const Trace replayed = Follow(*runner, 100, 4100);
    ASSERT_EQ(replayed.lines.size(), recorded.lines.size());
    // All the same but the display: the replay's Alt+Enter paused its race and left the
    // viewer's display as it was.
    for (size_t i = 0; i < recorded.lines.size(); ++i) {
        std::string want = recorded.lines[i];
        const size_t at = want.find("\"FullScreen\":1");
        if (at != std::string::npos) want[at + 13] = '0';
        EXPECT_EQ(replayed.lines[i], want) << "frame " << 100 * (i + 1);
    }
    EXPECT_EQ(runner->Form().Options.FullScreen, 0);
    EXPECT_EQ(replayed.windows, recorded.windows);
}

// ---- What a replay leaves alone -----------------------------------------------------------------

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), folder).string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

TEST(WatchingTest, NeverChangesTheTableTheOptionsOrTheSavesAndNeverSendsAScore) {
    TempFolder temp;
    const std::string file = (temp.Path() / "race.zvr").string();
    {
        // A race that enters the table (every row below 0), with Alt+Enter on the way, left
        // through the exit question; the name is sent with the box ticked.
        std::vector<std::string> sent;
        ReplayOptions record;
        record.recordPath = file;
        record.submitScore = [&sent](const std::string& address) { sent.push_back(address); };
        auto runner = StartRunner(record);
        TMForm& form = runner->Form();
        for (int i = 1; i <= 10; ++i) form.HighScores.Slot(i) = {"ROW", -i};
        StartRaceFromMenu(form, 3);
        runner->SetScript(
            Script("200 down Alt\n201 down Enter\n202 up Enter\n203 up Alt\n230 down P\n231 up P\n"
                   "300 down Esc\n301 up Esc\n330 down Y\n331 up Y\n360 type Ace\\r\n"));
        runner->RunUntil(420);
        ASSERT_EQ(form.Screens.ScreenState, GameScreen::HighScores);
        EXPECT_EQ(form.HighScores.Slot(1).Name, "Ace");
        EXPECT_EQ(sent.size(), 1u);  // the race did send its score
        std::string error;
        ASSERT_TRUE(runner->FinishRecording(error)) << error;
    }

    const fs::path saves = temp.Path() / "Save";
    TGameOptions options;
    options.Country = "Chile";
    THighScoreTable table;
    ASSERT_TRUE(WriteSaves(saves, options, table));
    const std::map<std::string, std::string> before = FilesIn(saves);
    std::vector<std::string> sent;
    ReplayOptions watch;
    watch.submitScore = [&sent](const std::string& address) { sent.push_back(address); };
    watch.saveDir = saves.string();
    watch.replayPath = file;
    auto runner = StartRunner(watch);
    TMForm& form = runner->Form();
    form.Screens.EnteredName = "Zed";
    std::set<ModalWindow> windows;
    while (form.Watching() && runner->Frame() < 1000) {
        runner->RunFrame();
        windows.insert(form.Screens.WindowKind);
    }
    ASSERT_FALSE(form.Watching());
    // The name entry opened (the recorded table's lowest score decides), and the replay ended
    // where the name was confirmed.
    EXPECT_EQ(windows.count(ModalWindow::NameEntry), 1u);
    EXPECT_EQ(windows.count(ModalWindow::Sending), 0u);
    EXPECT_TRUE(form.LastWatch()->RaceOver);
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_TRUE(sent.empty());
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(form.HighScores.Slot(i).Name, table.Slot(i).Name) << i;
        EXPECT_EQ(form.HighScores.Slot(i).Score, table.Slot(i).Score) << i;
    }
    EXPECT_EQ(form.Options.FullScreen, 0);
    EXPECT_EQ(form.Options.Country, "Chile");
    EXPECT_EQ(form.Screens.EnteredName, "Zed");
    EXPECT_EQ(form.FrontEnd.StartGame.SelectedCar, 1);
    EXPECT_EQ(FilesIn(saves), before);  // nothing written, no recording kept
}

// ---- The high-score screen ----------------------------------------------------------------------

TEST(HighScoreReplaysTest, RWatchesTheLastRaceOrTheChosenRowsAndEscComesBack) {
    TempFolder temp;
    ReplayOptions options;
    options.saveDir = (temp.Path() / "Save").string();
    auto runner = StartRunner(options);
    TMForm& form = runner->Form();
    // Rows below 0: a race left at once enters the table. Bob's race with car 5, then Al's with
    // car 6 (the name entry starts from the last name: three backspaces), each named with the
    // send box cleared.
    for (int i = 1; i <= 10; ++i) form.HighScores.Slot(i) = {"ROW", -i};
    StartRaceFromMenu(form, 5);
    runner->SetScript(
        Script("200 down Esc\n201 up Esc\n230 down Y\n231 up Y\n"
               "250 move 170 380\n251 click\n260 type Bob\\r\n"));
    runner->RunUntil(300);
    ASSERT_EQ(form.Screens.ScreenState, GameScreen::HighScores);
    StartRaceFromMenu(form, 6);
    runner->SetScript(
        Script("500 down Esc\n501 up Esc\n530 down Y\n531 up Y\n"
               "550 move 170 380\n551 click\n560 type \\b\\b\\bAl\\r\n"));
    runner->RunUntil(600);
    ASSERT_EQ(form.Screens.ScreenState, GameScreen::HighScores);
    ASSERT_EQ(form.HighScores.Slot(1).Name, "Bob");
    ASSERT_EQ(form.HighScores.Slot(2).Name, "Al");  // the same score: the later entry below
    EXPECT_FALSE(form.Shelf.RowFiles[1].empty());
    EXPECT_FALSE(form.Shelf.RowFiles[2].empty());
    EXPECT_TRUE(form.Shelf.RowFiles[3].empty());
    EXPECT_EQ(form.Shelf.LastRaceFile, form.Shelf.RowFiles[2]);
    // The marks' edges: the top left corner of row 1's is on it.
    THighScoreScreen& screen = form.FrontEnd.HighScoreScreen;
    EXPECT_EQ(screen.ReplayRowAt(387 - 26, 256 - 15), 1);
    EXPECT_EQ(screen.ReplayRowAt(387 - 27, 256), 0);
    EXPECT_EQ(screen.ReplayRowAt(387 + 26, 292 + 15), 2);
    EXPECT_EQ(screen.ReplayRowAt(387, 328), 0);  // row 3 has none

    // R: the last race, Al's.
    runner->KeyDown("R");
    runner->RunFrame();
    runner->KeyUp("R");
    runner->RunFrame();
    ASSERT_TRUE(form.Watching());
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form.FrontEnd.StartGame.SelectedCar, 6);
    runner->KeyDown("Esc");
    EXPECT_FALSE(form.Watching());
    runner->RunFrame();
    runner->RunFrame();
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::HighScores);  // the Esc held is no Back here
    runner->KeyUp("Esc");

    // Right chooses the first row with a race; R watches Bob's.
    runner->KeyDown("Right");
    runner->RunFrame();
    runner->KeyUp("Right");
    EXPECT_EQ(screen.ChosenRow, 1);
    runner->KeyDown("R");
    runner->RunFrame();
    runner->KeyUp("R");
    runner->RunFrame();
    ASSERT_TRUE(form.Watching());
    EXPECT_EQ(form.FrontEnd.StartGame.SelectedCar, 5);
    EXPECT_EQ(form.LastWatch()->FileName, form.Shelf.RowFiles[1]);

    // Back on the screen row 1 stays chosen; the table cleared takes the row's race with it, and
    // R watches the last race again instead of nothing.
    runner->KeyDown("Esc");
    runner->RunFrame();
    runner->KeyUp("Esc");
    runner->RunFrame();
    ASSERT_EQ(form.Screens.ScreenState, GameScreen::HighScores);
    EXPECT_EQ(screen.ChosenRow, 1);
    form.ClickButton(kHighScoresClear);
    runner->KeyDown("Y");
    runner->RunFrame();
    runner->KeyUp("Y");
    runner->RunFrame();
    ASSERT_EQ(form.Screens.WindowKind, ModalWindow::None);
    const THighScoreTable fresh;
    ASSERT_EQ(form.HighScores.Slot(1).Name, fresh.Slot(1).Name);
    EXPECT_EQ(screen.ChosenRow, 0);
    runner->KeyDown("R");
    runner->RunFrame();
    runner->KeyUp("R");
    runner->RunFrame();
    ASSERT_TRUE(form.Watching());
    EXPECT_EQ(form.FrontEnd.StartGame.SelectedCar, 6);
}

// ---- Pieces -------------------------------------------------------------------------------------

TEST(ReplayPacerTest, KeepsTheRecordedPace) {
    struct PaceCase {
        const char* what;
        int shownMs;  // every frame shown, in thousandths of a millisecond
        int recordedMs;
        bool fast;
        int frames;  // recorded frames played over 600 frames shown
    };
    const PaceCase cases[] = {
        {"the same rate", 16667, 16667, false, 600},
        {"85 Hz recorded, 60 shown", 16667, 11765, false, 850},
        {"60 Hz recorded, 85 shown", 11765, 16667, false, 423},
        {"fast forward", 16667, 16667, true, 2400},
    };
    for (const PaceCase& c : cases) {
        ReplayPacer pacer;
        pacer.Start();
        int played = 0;
        int mostAtOnce = 0;
        for (int frame = 1; frame <= 600; ++frame) {
            // A millisecond clock: the lags of both jitter by one.
            const int shown = frame * c.shownMs / 1000 - (frame - 1) * c.shownMs / 1000;
            pacer.Pass(shown, c.fast);
            int atOnce = 0;
            while (
                pacer.TakeIfDue((played + 1) * c.recordedMs / 1000 - played * c.recordedMs / 1000))
                ++played, ++atOnce;
            mostAtOnce = std::max(mostAtOnce, atOnce);
        }
        EXPECT_NEAR(played, c.frames, 2) << c.what;
        if (c.shownMs == c.recordedMs && !c.fast) {
            EXPECT_EQ(mostAtOnce, 1) << c.what;
        }
    }
    // Held up for two seconds, the replay goes on instead of racing through a quarter second.
    ReplayPacer pacer;
    pacer.Pass(2000, false);
    int played = 0;
    while (pacer.TakeIfDue(17)) ++played;
    EXPECT_EQ(played, 15);  // 250 ms: 14 whole frames and the half of one more
}

TEST(FrameInputTest, EveryActionHeldOrHitAndEveryKeyHitHasABitOfItsOwn) {
    std::set<uint64_t> bits;
    auto check = [&](const std::string& what, auto set) {
        InputValues one;
        set(one);
        const uint64_t word = one.PackedFrameInput();
        EXPECT_EQ(std::popcount(word), 1) << what;
        EXPECT_LT(word, uint64_t{1} << kReplayInputBits) << what;
        EXPECT_TRUE(bits.insert(word).second) << what << " shares a bit";
        InputValues back;
        back.SetPackedFrameInput(word);
        EXPECT_EQ(back.PackedFrameInput(), word) << what;
    };
    for (int a = 0; a < kRaceActionCount; ++a) {
        const std::string name(ActionName(ActionAt(a)));
        check(name + " held", [a](InputValues& v) { v.Race.Held.set(static_cast<size_t>(a)); });
        check(name + " hit", [a](InputValues& v) { v.Race.Hit.set(static_cast<size_t>(a)); });
    }
    for (int k = 0; k < kHitKeyCount; ++k)
        check("hit " + std::to_string(k), [k](InputValues& v) { v.KeyHit[k] = true; });
    EXPECT_EQ(bits.size(), static_cast<size_t>(kFrameInputBits));
}

TEST(ReplayArgsTest, RecordAndReplayTakeAFileAndReplayTakesNoRace) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(
        ParseReplayArgs({"--race", "1", "--autopilot", "--record", "r.zvr"}, options, error))
        << error;
    EXPECT_EQ(options.recordPath, "r.zvr");
    ReplayOptions watch;
    ASSERT_TRUE(ParseReplayArgs({"--replay", "r.zvr", "--state", "5"}, watch, error)) << error;
    EXPECT_EQ(watch.replayPath, "r.zvr");
    for (std::vector<std::string> bad : {std::vector<std::string>{"--record"},
                                         {"--replay", "r.zvr", "--race", "1"},
                                         {"--replay", "r.zvr", "--autopilot"},
                                         {"--replay", "r.zvr", "--record", "s.zvr"},
                                         {"--replay", "r.zvr", "--give", "gun"}}) {
        ReplayOptions ignored;
        EXPECT_FALSE(ParseReplayArgs(bad, ignored, error)) << bad.back();
    }
    // A file that is no recording is refused at the start, by its name.
    TempFolder temp;
    const std::string file = (temp.Path() / "notes.txt").string();
    std::ofstream(file) << "no race in here";
    ReplayOptions refused;
    refused.replayPath = file;
    ReplayRunner runner(refused);
    ASSERT_FALSE(runner.StartWith(TestImageList1(), TestImageList2(), TestWaves(), error));
    EXPECT_EQ(error, file + ": not a Zarvex 2 recording");
}

}  // namespace
