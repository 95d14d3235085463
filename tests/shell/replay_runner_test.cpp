// The replay runner: its command line, its input scripts, and that a seed and a script always
// play out the same way.

#include <gtest/gtest.h>

#include <sstream>

#include "runner_fixture.h"
#include "sprites/player.h"

namespace {

TEST(ReplayArgsTest, ParsesEveryOptionAndRejectsNonsense) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ParseReplayArgs(
        {"--seed", "42", "--refresh", "60", "--frames", "100", "--shot", "100:x.png", "--state",
         "5", "--state", "100", "--stats", "--race", "3", "--level", "4", "--autopilot"},
        options, error))
        << error;
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.refresh, 60);
    EXPECT_EQ(options.frames, 100);
    ASSERT_EQ(options.shots.size(), 1u);
    EXPECT_EQ(options.shots[0].first, 100);
    EXPECT_EQ(options.shots[0].second, "x.png");
    EXPECT_EQ(options.states, (std::vector<int>{5, 100}));
    EXPECT_TRUE(options.stats);
    EXPECT_EQ(options.raceCar, 3);
    EXPECT_EQ(options.level, 4);
    EXPECT_TRUE(options.autopilot);

    for (std::vector<std::string> bad : {std::vector<std::string>{"--frames"},
                                         {"--frames", "ten"},
                                         {"--shot", "x.png"},
                                         {"--race", "7"},
                                         {"--refresh", "0"},
                                         {"--bogus"}}) {
        ReplayOptions ignored;
        EXPECT_FALSE(ParseReplayArgs(bad, ignored, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(InputScriptTest, ReadsEveryEventKindInFrameOrder) {
    std::istringstream script(
        "# a comment\n"
        "\n"
        "12 down Up\n"
        "3 type ab\\b\\r\n"
        "7 move 100 200\n"
        "7 click\n"
        "9 up Enter\n"
        "10 close\n"
        "11 focus 0\n");
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript(script, events, error)) << error;
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].frame, 3);
    EXPECT_EQ(events[0].text, std::string("ab\b\r"));
    EXPECT_EQ(events[1].kind, ScriptEvent::Kind::Move);
    EXPECT_EQ(events[1].y, 200);
    EXPECT_EQ(events[2].kind, ScriptEvent::Kind::Click);
    EXPECT_EQ(events[3].key, SDL_SCANCODE_RETURN);
    EXPECT_EQ(events[5].kind, ScriptEvent::Kind::Focus);
    EXPECT_FALSE(events[5].focus);
    EXPECT_EQ(events[6].key, SDL_SCANCODE_UP);
}

TEST(InputScriptTest, NamesTheBadLine) {
    for (const char* text :
         {"1 down Q\n", "x down Up\n", "2 move 5\n", "2 focus 3\n", "0 click\n", "4 dance\n"}) {
        std::istringstream script(std::string("1 click\n") + text);
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseInputScript(script, events, error)) << text;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(ReplayRunnerTest, StateHasTheSharedKeysAndTheRaceKeysDuringARace) {
    auto menu = MakeTestRunner();
    menu->RunFrame();
    const std::string state = menu->StateJson();
    for (const char* key :
         {"\"frame\":1", "\"ScreenState\":1", "\"WindowKind\":0", "\"SelectedButton\"",
          "\"FirstButton\"", "\"LastButton\"", "\"FrameRate\":0", "\"FrameMs\":11",
          "\"FrameScale\":1", "\"SpriteCount\""})
        EXPECT_NE(state.find(key), std::string::npos) << key << " in " << state;
    EXPECT_EQ(state.find("CarSpeed"), std::string::npos);

    auto race = MakeTestRunner(85, 2);
    race->RunFrame();
    const std::string raceState = race->StateJson();
    for (const char* key :
         {"\"ScreenState\":6",  "\"WindowKind\":6",   "\"LevelNumber\":1", "\"TrackLength\":300",
          "\"TimeLeft\":54000", "\"CarCount\":10",    "\"BonusCount\":10", "\"ViewCol\":318",
          "\"ViewRow\":1488",   "\"BackgroundX\"",    "\"BackgroundY\"",   "\"WorldVelocityX\"",
          "\"WorldVelocityY\"", "\"Score\":0",        "\"Lives\":3",       "\"CarSpeed\":0",
          "\"Velocity\"",       "\"Heading\":0",      "\"Steer\"",         "\"Energy\":3",
          "\"Crashed\":0",      "\"TimeUp\":false",   "\"OnRoad\"",        "\"Weapon\":0",
          "\"Ammo\":0",         "\"HasNitro\":false", "\"NitroFuel\"",     "\"Crossed\":false",
          "\"EngineSound\""})
        EXPECT_NE(raceState.find(key), std::string::npos) << key << " in " << raceState;
}

TEST(ReplayRunnerTest, StateShowsTheFrontEndWithNamesEscaped) {
    auto runner = MakeTestRunner();
    runner->RunFrame();
    TMForm& form = runner->Form();
    form.HighScores.Slot(1).Name = "A\"b\\c";
    form.HighScores.Slot(2).Name = std::string("tab\there\xe9");
    form.Options.Country = "Peru";
    const std::string state = runner->StateJson();
    for (const char* key :
         {"\"IntroRunning\":true", "\"SelectedCar\":1", "\"PendingCar\":1", "\"CarChanging\":false",
          "\"HelpPage\":1", "\"EditingCountry\":false", "\"FullScreen\":0", "\"Music\":1",
          "\"Sound\":1", "\"Country\":\"Peru\"",
          "\"HighScores\":[[\"A\\\"b\\\\c\",5000],[\"tab\\u0009here\\u00e9\",4500],"
          "[\"ANONYMOUS\",4000]",
          "[\"ANONYMOUS\",500]]}"})
        EXPECT_NE(state.find(key), std::string::npos) << key << " in " << state;
}

TEST(ReplayRunnerTest, FrameRateIsMeasuredFromTheSimulatedClock) {
    auto runner = MakeTestRunner(60);
    runner->RunUntil(61);
    EXPECT_EQ(runner->Form().Timing.FrameRate, 60);
    EXPECT_EQ(runner->Form().Timing.FrameMs, 16);
    EXPECT_DOUBLE_EQ(runner->Form().Timing.FrameScale, 85.0 / 60);
}

TEST(ReplayRunnerTest, TheSameSeedAndScriptReplayExactly) {
    auto play = [](uint32_t seed) {
        auto runner = MakeTestRunner(85, 1, seed);
        std::vector<ScriptEvent> script;
        std::istringstream text(
            "190 down Up\n"
            "300 down Left\n"
            "340 up Left\n"
            "400 down Space\n"
            "430 up Space\n");
        std::string error;
        EXPECT_TRUE(ParseInputScript(text, script, error));
        runner->SetScript(script);
        runner->RunUntil(500);
        std::string state = runner->StateJson();
        // The map's own bytes too: the seed decides the road.
        const TTrackMap& map = runner->Form().Track.TrackMap;
        uint64_t hash = 1469598103934665603ull;
        for (size_t i = 0; i < static_cast<size_t>(kTrackRows) * kTrackCols; ++i)
            hash = (hash ^ static_cast<uint8_t>(map.Data()[i])) * 1099511628211ull;
        return state + " " + std::to_string(hash);
    };
    const std::string first = play(7);
    EXPECT_EQ(first, play(7));
    EXPECT_NE(first, play(8));
    EXPECT_NE(first.find("\"Heading\":"), std::string::npos);
}

TEST(ReplayRunnerTest, AnUnfocusedGameRunsNoFrames) {
    auto runner = MakeTestRunner(85, 1);
    runner->RunUntil(10);
    const int timer = runner->Form().Screens.WindowTimer;
    ScriptEvent away;
    away.kind = ScriptEvent::Kind::Focus;
    away.focus = false;
    runner->Deliver(away);
    runner->RunUntil(100);
    EXPECT_EQ(runner->Form().Screens.WindowTimer, timer);
    away.focus = true;
    runner->Deliver(away);
    runner->RunFrame();
    EXPECT_EQ(runner->Form().Screens.WindowTimer, timer - 11);
}

}  // namespace

namespace {

TEST(ReplayDumpTest, DumpTrackPrintsTheParametersThenEveryRow) {
    ReplayOptions options;
    options.dumpTrackLevel = 3;
    options.seed = 11;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunReplay(options, out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string header;
    std::getline(lines, header);
    EXPECT_NE(header.find("\"LevelNumber\":3"), std::string::npos) << header;
    EXPECT_NE(header.find("\"TrackLength\":700"), std::string::npos) << header;
    int rows = 0;
    std::string row;
    std::string start;
    while (std::getline(lines, row)) {
        ++rows;
        if (rows == 1480) start = row;
        std::istringstream codes(row);
        int count = 0;
        int code = 0;
        while (codes >> code) ++count;
        ASSERT_EQ(count, 650) << "row " << rows;
    }
    EXPECT_EQ(rows, 1500);
    std::istringstream codes(start);
    std::vector<int> cells(650);
    for (int& cell : cells) codes >> cell;
    EXPECT_EQ((std::vector<int>(cells.begin() + 320, cells.begin() + 324)),
              (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
