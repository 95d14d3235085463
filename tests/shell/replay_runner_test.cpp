// The replay runner: its command line, its input scripts, and that a seed and a script always
// play out the same way.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "persist/temp_folder.h"
#include "runner_fixture.h"
#include "sprites/bonus.h"
#include "sprites/crowd.h"
#include "sprites/player.h"
#include "track/track_dump.h"

namespace {

TEST(ReplayArgsTest, ParsesEveryOptionAndRejectsNonsense) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ParseReplayArgs(
        {"--seed",    "42",      "--refresh", "60",          "--frames",   "100",          "--shot",
         "100:x.png", "--state", "5",         "--state",     "100",        "--stats",      "--race",
         "3",         "--level", "4",         "--autopilot", "--controls", "mine.controls"},
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
    EXPECT_EQ(options.controlsFile, "mine.controls");

    for (std::vector<std::string> bad : {std::vector<std::string>{"--frames"},
                                         {"--controls"},
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

// Every letter and the function keys F1 to F12 beside the names scripts always had, for races on
// the keys a player bound.
TEST(InputScriptTest, KnowsEveryLetterAndTheFunctionKeys) {
    const std::pair<const char*, SDL_Scancode> kNames[] = {
        {"A", SDL_SCANCODE_A},        {"W", SDL_SCANCODE_W},         {"Z", SDL_SCANCODE_Z},
        {"F", SDL_SCANCODE_F},        {"F1", SDL_SCANCODE_F1},       {"F9", SDL_SCANCODE_F9},
        {"F10", SDL_SCANCODE_F10},    {"F12", SDL_SCANCODE_F12},     {"Tab", SDL_SCANCODE_TAB},
        {"Esc", SDL_SCANCODE_ESCAPE}, {"RCtrl", SDL_SCANCODE_RCTRL}, {"0", SDL_SCANCODE_0}};
    for (const auto& [name, code] : kNames) EXPECT_EQ(ScriptKeyCode(name), code) << name;
    for (const char* unknown : {"F13", "F0", "F01", "w", "AA", "Q1", ""})
        EXPECT_EQ(ScriptKeyCode(unknown), SDL_SCANCODE_UNKNOWN) << unknown;
}

TEST(InputScriptTest, NamesTheBadLine) {
    for (const char* text :
         {"1 down F13\n", "1 down F0\n", "1 down F01\n", "1 down q\n", "x down Up\n", "2 move 5\n",
          "2 focus 3\n", "0 click\n", "4 dance\n"}) {
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
        const TTrackMap& map = runner->Form().RaceScreen.Track.TrackMap;
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

namespace {

// A race on the stand-in archives with the runner's race options.
std::unique_ptr<ReplayRunner> MakeRaceRunner(ReplayOptions options) {
    options.raceCar = options.raceCar > 0 ? options.raceCar : 1;
    auto runner = std::make_unique<ReplayRunner>(options);
    std::string error;
    EXPECT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error)) << error;
    return runner;
}

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ReplayArgsTest, ParsesTheActorFlagsAndRejectsBadOnes) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ParseReplayArgs({"--give", "gun", "--give", "rockets", "--give", "nitro", "--give",
                                 "life", "--actors", "5", "--actors", "0", "--map", "7:m.txt"},
                                options, error))
        << error;
    EXPECT_EQ(options.gives, (std::vector<CarItem>{CarItem::MachineGun, CarItem::Rockets,
                                                   CarItem::Nitro, CarItem::Life}));
    EXPECT_EQ(options.actors, (std::vector<int>{5, 0}));
    ASSERT_EQ(options.maps.size(), 1u);
    EXPECT_EQ(options.maps[0].first, 7);
    EXPECT_EQ(options.maps[0].second, "m.txt");
    for (std::vector<std::string> bad : {std::vector<std::string>{"--give", "sword"},
                                         {"--give"},
                                         {"--actors", "-1"},
                                         {"--map", "m.txt"},
                                         {"--map", "3:"}}) {
        ReplayOptions ignored;
        EXPECT_FALSE(ParseReplayArgs(bad, ignored, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(ReplayRunnerTest, GiveHandsTheCarItsItemsWhenTheRaceStarts) {
    ReplayOptions options;
    options.gives = {CarItem::Life, CarItem::MachineGun};
    auto runner = MakeRaceRunner(options);
    const TPlayer& car = *runner->Form().RaceScreen.Race.Player;
    EXPECT_EQ(car.Weapon, WeaponKind::MachineGun);
    EXPECT_EQ(car.Ammo, 25);
    EXPECT_EQ(runner->Form().RaceScreen.Race.Lives, 4);
    const std::string state = runner->StateJson();
    for (const char* key : {"\"WeaponFrame\":1", "\"FireCooldown\":0", "\"TrafficActive\":"})
        EXPECT_NE(state.find(key), std::string::npos) << key << " in " << state;
}

// The race's state counts the pedestrians still walking (a body or a blown-away one no longer
// counts), the bonuses still on the road, and shows the horn's scare and the blood to be laid.
TEST(ReplayRunnerTest, StateCountsTheCrowdAndTheBonusesLeft) {
    ReplayOptions options;
    auto runner = MakeRaceRunner(options);
    TMForm& form = runner->Form();
    TMan& crowd = *form.RaceScreen.Race.Crowd;
    TBonus& bonuses = *form.RaceScreen.Race.Bonuses;
    int walking = 0;
    std::vector<int> placed;
    for (int i = 1; i <= kManSlots; ++i) {
        if (!crowd.Slot(i).Alive) continue;
        ++walking;
        placed.push_back(i);
    }
    int active = 0;
    for (int i = 1; i <= bonuses.UsedSlots(); ++i) active += bonuses.Slot(i).Active ? 1 : 0;
    ASSERT_GE(placed.size(), 3u);
    ASSERT_GE(active, 2);
    crowd.KnockDown(crowd.Slot(placed[0]));
    crowd.Slot(placed[1]).Dir = kManRemoved;
    crowd.Slot(placed[2]).Alive = false;  // left the map
    for (int i = 1; i <= bonuses.UsedSlots(); ++i) {
        if (!bonuses.Slot(i).Active) continue;
        bonuses.Slot(i).Active = false;
        break;
    }
    crowd.Scared = true;
    form.RaceScreen.Race.Player->BloodTrail = 37;
    const std::string state = runner->StateJson();
    for (const std::string& key :
         {"\"CrowdAlive\":" + std::to_string(walking - 3) + ",",
          "\"BonusesActive\":" + std::to_string(active - 1) + ",", std::string("\"Scared\":true,"),
          std::string("\"BloodTrail\":37")})
        EXPECT_NE(state.find(key), std::string::npos) << key << " in " << state;
}

// One line: every traffic slot of the level with its fields, the five rockets, the level's
// pedestrians, its bonus slots and the finish line, each under its own key in that order.
TEST(ReplayRunnerTest, TheActorsLineListsEveryActorOfTheLevel) {
    ReplayOptions options;
    options.actors = {3};
    auto runner = MakeRaceRunner(options);
    runner->RunUntil(3);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_TRUE(WriteActorReports(*runner, options, 3, out, err));
    const std::string line = out.str();
    ASSERT_EQ(Occurrences(line, "\n"), 1u);
    EXPECT_EQ(line.rfind("{\"frame\":3,\"traffic\":[{\"slot\":1,", 0), 0u) << line;
    const size_t rockets = line.find("],\"rockets\":[{\"InFlight\":false,");
    const size_t crowd = line.find("],\"crowd\":[{\"slot\":");
    const size_t bonuses = line.find("],\"bonuses\":[{\"slot\":1,");
    const size_t finish = line.find("],\"finish\":{\"LineY\":");
    ASSERT_NE(rockets, std::string::npos) << line;
    ASSERT_NE(crowd, std::string::npos) << line;
    ASSERT_NE(bonuses, std::string::npos) << line;
    ASSERT_NE(finish, std::string::npos) << line;
    ASSERT_TRUE(rockets < crowd && crowd < bonuses && bonuses < finish);
    EXPECT_EQ(line.substr(line.size() - 3), "}}\n");

    const std::string traffic = line.substr(0, rockets);
    for (const char* key : {"\"Model\":", "\"PosX\":", "\"PosY\":", "\"Dir\":", "\"Speed\":",
                            "\"OnScreen\":", "\"Exploding\":", "\"ExplosionPhase\":"})
        EXPECT_EQ(Occurrences(traffic, key), 10u) << key;
    EXPECT_EQ(Occurrences(traffic, "\"slot\":"), 10u);
    EXPECT_NE(traffic.find("\"slot\":10,"), std::string::npos);
    const std::string pool = line.substr(rockets, crowd - rockets);
    for (const char* key : {"\"InFlight\":", "\"Detonated\":", "\"WorldX\":", "\"WorldY\":",
                            "\"RocketSpeed\":", "\"RocketHeading\":"})
        EXPECT_EQ(Occurrences(pool, key), 5u) << key;

    // The crowd: one entry per pedestrian of the level, as many as the state counts walking at
    // the start; level 1 has 10 bonus slots.
    const TMForm& form = runner->Form();
    const std::string walkers = line.substr(crowd, bonuses - crowd);
    int placed = 0;
    for (int i = 1; i <= kManSlots; ++i)
        placed += form.RaceScreen.Race.Crowd->Slot(i).Alive ? 1 : 0;
    ASSERT_GT(placed, 20);
    for (const char* key : {"\"slot\":", "\"IsGirl\":", "\"PosX\":", "\"PosY\":", "\"Dir\":",
                            "\"Speed\":", "\"OnScreen\":"})
        EXPECT_EQ(Occurrences(walkers, key), static_cast<size_t>(placed)) << key;
    const std::string tokens = line.substr(bonuses, finish - bonuses);
    for (const char* key : {"\"slot\":", "\"Active\":", "\"Col\":", "\"Row\":", "\"Kind\":"})
        EXPECT_EQ(Occurrences(tokens, key), 10u) << key;
    EXPECT_NE(line.find("\"finish\":{\"LineY\":" + std::to_string((1550 - 300) * 72) +
                        ",\"Crossed\":false,\"Y\":"),
              std::string::npos)
        << line;
    // Nothing for the other frames.
    std::ostringstream none;
    ASSERT_TRUE(WriteActorReports(*runner, options, 4, none, err));
    EXPECT_TRUE(none.str().empty());
}

TEST(ReplayRunnerTest, MapWritesTheLevelsTrackInTheDumpFormat) {
    const TempFolder folder;
    const std::string path = (folder.Path() / "map.txt").string();
    ReplayOptions options;
    options.maps = {{2, path}};
    auto runner = MakeRaceRunner(options);
    runner->RunUntil(2);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_TRUE(WriteActorReports(*runner, options, 2, out, err)) << err.str();
    std::ifstream file(path);
    const std::string written((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(written, DumpTrack(runner->Form().RaceScreen.Track));
    EXPECT_EQ(Occurrences(written, "\n"), 1501u);

    options.maps = {{2, (folder.Path() / "no-such-folder" / "map.txt").string()}};
    EXPECT_FALSE(WriteActorReports(*runner, options, 2, out, err));
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

// The autopilot keeps racing after the last life: it types a name into the table (without
// sending it) and starts a new race at the level it had reached.
TEST(AutopilotTest, AfterTheLastLifeItEntersANameAndRacesOn) {
    ReplayOptions options;
    options.autopilot = true;
    options.level = 2;
    auto runner = MakeRaceRunner(options);
    TMForm& form = runner->Form();
    runner->RunUntil(200);
    const int raceSprites = form.Components.MDXSpriteEngine.SpriteCount;
    form.RaceScreen.Race.Score = 6000;  // enough for the table
    form.RaceScreen.Race.Lives = 1;
    form.RaceScreen.Race.Player->Energy = 1;
    form.RaceScreen.Race.Player->TakeHit();
    bool nameEntry = false;
    bool newRace = false;
    for (int i = 0; i < 2000 && !newRace; ++i) {
        runner->RunFrame();
        nameEntry = nameEntry || form.Screens.WindowKind == ModalWindow::NameEntry;
        newRace = form.Screens.ScreenState == GameScreen::Race && form.RaceScreen.Race.Lives == 3 &&
                  form.RaceScreen.Race.Score == 0;
    }
    EXPECT_TRUE(nameEntry);
    EXPECT_EQ(form.Screens.SendChoice, 0);  // nothing sent from an unattended run
    ASSERT_TRUE(newRace);
    EXPECT_EQ(form.RaceScreen.Track.Level.LevelNumber, 2);
    // The high-score screen it came through is gone: the new race has the sprites of the first.
    form.Components.MDXSpriteEngine.SweepDead();
    EXPECT_EQ(form.Components.MDXSpriteEngine.SpriteCount, raceSprites);
    bool entered = false;
    for (int i = 1; i <= 10; ++i)
        entered = entered || (form.HighScores.Slot(i).Name == "Autopilot" &&
                              form.HighScores.Slot(i).Score == 6000);
    EXPECT_TRUE(entered);
}

// A seeded run of level 2's traffic: the autopilot makes its way up the road.
TEST(AutopilotTest, DrivesUpTheRoadPastTheTraffic) {
    ReplayOptions options;
    options.autopilot = true;
    options.level = 2;
    options.seed = 3;
    auto runner = MakeRaceRunner(options);
    runner->RunUntil(2500);
    const TMForm& form = runner->Form();
    EXPECT_EQ(form.Screens.ScreenState, GameScreen::Race);
    EXPECT_EQ(form.RaceScreen.Race.Lives, 3);
    EXPECT_LT(form.RaceScreen.Track.ViewRow, 1400);
}

}  // namespace
