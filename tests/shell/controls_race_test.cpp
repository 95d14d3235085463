// The player's controls in the running game: the file beside the saves, read once with each bad
// line told, written whole or not at all; a race driven by the keys the file binds and not by the
// ones it took away; the pause and the way out when their keys have moved.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "persist/temp_folder.h"
#include "runner_fixture.h"
#include "shell/controls_file.h"
#include "sprites/player.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ControlsFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
    TempFolder folder;
    std::filesystem::path path = folder.Path() / kControlsFileName;
    std::ostringstream report;
};

TEST_F(ControlsFileTest, AMissingFileGivesTheGamesOwnWithoutAWord) {
    EXPECT_EQ(ReadControlsFile(path, report), TControls());
    EXPECT_EQ(report.str(), "");
}

TEST_F(ControlsFileTest, EachBadLineIsToldOnceWithTheFileAndItsLine) {
    WriteText(path, "accelerate=W\nbrake=Nope\nfire=F\n");
    const TControls read = ReadControlsFile(path, report);
    EXPECT_EQ(read.Of(RaceAction::Accelerate).Keys[0], SDLK_w);
    EXPECT_EQ(read.Of(RaceAction::Brake), TControls().Of(RaceAction::Brake));
    EXPECT_EQ(report.str(), "Zarvex 2: " + path.string() +
                                " line 2: unknown key 'Nope'; brake keeps its default\n");

    // A flood of bad lines: the first twenty are listed, the rest counted.
    std::string junk;
    for (int i = 0; i < kControlsReportLimit + 3; ++i) junk += "nonsense\n";
    WriteText(path, junk);
    report.str("");
    EXPECT_EQ(ReadControlsFile(path, report), TControls());
    const std::string told = report.str();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), kControlsReportLimit + 1);
    EXPECT_NE(told.find(" line 20: "), std::string::npos);
    EXPECT_EQ(told.find(" line 21: "), std::string::npos);
    EXPECT_NE(told.find(": 3 more bad lines passed over\n"), std::string::npos);
}

TEST_F(ControlsFileTest, WrittenBindingsReadBackAndAFailedWriteKeepsTheOldFile) {
    TControls mine;
    mine.BindKey(RaceAction::Fire, SDLK_f);
    mine.BindPad(RaceAction::Nitro, kPadRightShoulder);
    const std::filesystem::path nested = folder.Path() / "Save" / kControlsFileName;
    ASSERT_TRUE(WriteControlsFile(nested, mine, report));  // the folder is made
    EXPECT_EQ(ReadControlsFile(nested, report), mine);
    EXPECT_NE(ReadText(nested).find("fire=F,Z;a\n"), std::string::npos);
    EXPECT_NE(ReadText(nested).find("nitro=X,Left Shift;rightshoulder\n"), std::string::npos);
    EXPECT_EQ(report.str(), "");

    // The temporary file's name is taken by a folder: the write fails and says so, and the file
    // already there stays whole.
    const std::string before = ReadText(nested);
    std::filesystem::path blocked = nested;
    blocked += ".saving";
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked / "inside");
    EXPECT_FALSE(WriteControlsFile(nested, TControls(), report));
    EXPECT_EQ(ReadText(nested), before);
    EXPECT_NE(report.str().find("cannot keep the controls"), std::string::npos);
}

// A race on car 1 with the machine gun and a controls file that moves accelerate to W and fire to
// F: only the named keys drive it.
class RaceControlsTest : public ::testing::Test {
protected:
    void Start(const std::string& controls, bool gun = false, bool autopilot = false) {
        WriteText(path, controls);
        ReplayOptions options;
        options.raceCar = 1;
        options.autopilot = autopilot;
        options.controlsFile = path.string();
        if (gun) options.gives.push_back(CarItem::MachineGun);
        runner = std::make_unique<ReplayRunner>(options);
        std::string error;
        ASSERT_TRUE(runner->StartWith(TestImageList1(), TestImageList2(), TestWaves(), error))
            << error;
        form = &runner->Form();
        RunWhile([&] { return form->Screens.WindowKind == ModalWindow::LevelBanner; });
        ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
        car = form->RaceScreen.Race.Player;
        ASSERT_NE(car, nullptr);
    }
    // Runs frames while the condition holds, for at most a generous limit.
    template <typename Condition>
    void RunWhile(Condition condition) {
        for (int i = 0; i < 2000 && condition(); ++i) runner->RunFrame();
    }
    void Hold(const std::string& key, int frames) {
        runner->KeyDown(key);
        for (int i = 0; i < frames; ++i) runner->RunFrame();
        runner->KeyUp(key);
        runner->RunFrame();
    }
    TempFolder folder;
    std::filesystem::path path = folder.Path() / "controls";
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
    TPlayer* car = nullptr;
};

TEST_F(RaceControlsTest, TheCarAcceleratesOnWNotUpAndFiresOnFNotZOrCtrl) {
    Start("accelerate=W\nfire=F\n", /*gun=*/true);
    Hold("Up", 40);
    EXPECT_EQ(car->CarSpeed, 0);
    Hold("W", 40);
    EXPECT_GT(car->CarSpeed, 0);

    RunWhile([&] { return car->WeaponFrame != 6; });  // the gun is out
    ASSERT_EQ(car->Weapon, WeaponKind::MachineGun);
    const int ammo = car->Ammo;
    for (const char* untouched : {"Z", "Ctrl", "RCtrl"}) {
        Hold(untouched, 3);
        EXPECT_LE(car->FireCooldown, 0) << untouched;
    }
    EXPECT_EQ(car->Ammo, ammo);
    runner->KeyDown("F");
    runner->RunFrame();  // the car takes the key in the frame after it is seen
    runner->RunFrame();
    EXPECT_GT(car->FireCooldown, 0);
    EXPECT_EQ(car->Ammo, ammo - 1);
}

// The pause and the way out follow their bindings in the race; Esc still ends a pause, as every
// window's way back.
TEST_F(RaceControlsTest, PauseAndLeaveFollowTheirKeysAndEscStillEndsThePause) {
    Start("pause=F1\nleave=Q\n");
    Hold("P", 2);
    Hold("Esc", 2);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    Hold("F1", 2);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::Pause);
    Hold("F1", 2);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    Hold("F1", 2);
    Hold("Esc", 2);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    Hold("Q", 2);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
}

// The replay runner's driver presses the keys the bindings give: it drives with any file.
TEST_F(RaceControlsTest, TheAutopilotDrivesOnTheBoundKeys) {
    Start("accelerate=W\nbrake=S\nleft=A\nright=D\n", false, /*autopilot=*/true);
    const int startRow = form->RaceScreen.Track.ViewRow;
    for (int i = 0; i < 600; ++i) runner->RunFrame();
    EXPECT_LT(form->RaceScreen.Track.ViewRow, startRow - 5);
    EXPECT_EQ(form->Input.HeldKeys[SDL_SCANCODE_UP], 0);
}

}  // namespace
