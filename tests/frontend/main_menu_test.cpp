// The main menu: its intro, its keys, its entries and the way back to it from every screen.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "menu_fixture.h"

namespace {

using MainMenuTest = MenuTest;

// The intro worked out by hand: button 1 gains 15 a frame from frame 1 and reaches 150 in frame
// 10, where it turns opaque and button 2 starts; 2 reaches 150 in frame 19, 3 in frame 28, 4 and
// 5 (together) in frame 37, and 6 in frame 46, which ends the intro.
TEST_F(MainMenuTest, TheIntroFadesTheButtonsInOverFortySixFramesThenHighlights) {
    EXPECT_EQ(sounds->Count("MenuBegin"), 1);
    constexpr std::array<int, 7> kFirstFrame = {0, 1, 10, 19, 28, 28, 37};
    for (int frame = 1; frame <= kIntroFrames; ++frame) {
        runner->RunFrame();
        ASSERT_EQ(form->Screens.IntroRunning, frame < 46) << "frame " << frame;
        for (int k = 1; k <= 6; ++k) {
            const TMenuButton* button = form->Screens.Button(k);
            const std::string after = "MM_" + std::to_string(k) + "_I";
            const bool opaque = frame >= kFirstFrame[k] + 9;
            EXPECT_EQ(button->AlphaMode, !opaque) << "frame " << frame << " " << k;
            if (!opaque) {
                EXPECT_EQ(button->Alpha, 15 * std::max(0, frame - kFirstFrame[k] + 1)) << frame;
            }
            EXPECT_EQ(NameOf(button->NormalImage) == after, opaque) << frame << " " << k;
            EXPECT_FALSE(button->Highlighted) << "frame " << frame << " " << k;
        }
    }
    // The first frame after the intro highlights the selected entry; the others keep the look
    // they turned to at the end of their fade.
    runner->RunFrame();
    EXPECT_TRUE(form->Screens.Button(1)->Highlighted);
    EXPECT_EQ(form->Screens.Button(1)->Image->Name(), "MM_1_A");
    EXPECT_EQ(form->Screens.Button(2)->Image->Name(), "MM_2_I");
    EXPECT_EQ(sounds->Count("MenuBegin"), 1);
}

TEST_F(MainMenuTest, DuringTheIntroTheMouseSelectsSilentlyAndNothingElseCounts) {
    RunFrames(5);
    sounds->played.clear();
    const TMenuButton* options = form->Screens.Button(kEntryOptions);
    const int x = static_cast<int>(options->X) + options->HitBoxWidth() / 2;
    const int y = static_cast<int>(options->Y) + options->HitBoxHeight() / 2;
    Play("1 move " + std::to_string(x) + " " + std::to_string(y) +
         "\n2 down Down\n3 up Down\n3 click\n4 type \\r\n");
    EXPECT_EQ(form->Screens.SelectedButton, kEntryOptions);
    EXPECT_EQ(sounds->Count("Button"), 2);  // the click and Enter only: the hover was silent
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_TRUE(form->Screens.IntroRunning);
    RunFrames(kIntroFrames);
    EXPECT_TRUE(form->Screens.Button(kEntryOptions)->Highlighted);
    // After the intro a move onto another entry is heard. The hit box is the picture's size
    // (Options: 232 x 90 at (56, 342) in the stand-in pictures), both edges included.
    sounds->played.clear();
    form->MDXDrawMouseMove(56 + 233, 342 + 90);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryOptions);
    form->MDXDrawMouseMove(512, 342);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryHelp);
    form->MDXDrawMouseMove(56 + 232, 342 + 90);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryOptions);
    EXPECT_EQ(sounds->Count("Button"), 2);
}

TEST_F(MainMenuTest, ArrowKeysFollowTheLayoutAndWrapTopToBottom) {
    SkipIntro();
    // For a selection of 0 to 6, the entry each key leads to.
    struct KeyRule {
        const char* key;
        std::array<int, 7> to;
    };
    const KeyRule rules[] = {
        {"Up", {6, 6, 1, 2, 3, 3, 5}},
        {"Down", {1, 2, 3, 5, 6, 6, 1}},
        {"Left", {0, 1, 2, 3, 4, 4, 6}},
        {"Right", {0, 1, 2, 3, 5, 5, 6}},
    };
    for (const KeyRule& rule : rules) {
        for (int from = 0; from <= 6; ++from) {
            form->Screens.SelectedButton = from;
            Press(rule.key);
            EXPECT_EQ(form->Screens.SelectedButton, rule.to[from]) << rule.key << " from " << from;
        }
    }
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
}

TEST_F(MainMenuTest, EscAndExitAskAndTheWebSiteEntryOpensTheHomePage) {
    SkipIntro();
    Press("Esc");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    Press("N");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.SelectedButton, 1);
    ClickOn(kEntryExit);
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    Play("1 type \\r\n");  // No is preselected
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_TRUE(links->empty());
    ClickOn(kEntryWebSite);
    ASSERT_EQ(links->size(), 1u);
    EXPECT_EQ(links->front(), "http://localhost:8642/");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Components.MDXSpriteEngine.SpriteCount, 7);
}

// Only web addresses reach the desktop, whoever asks for them.
TEST_F(MainMenuTest, OpenLinkPassesOnlyWebAddresses) {
    for (const char* address : {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)"})
        form->Components.OpenLink(address);
    EXPECT_TRUE(links->empty());
    form->Components.OpenLink("https://example.org/");
    EXPECT_EQ(*links, std::vector<std::string>{"https://example.org/"});
}

// Leaving a race for the main menu swaps the race's song for the menu's, from its beginning.
TEST_F(MainMenuTest, TheMenuSongStartsAgainAfterARace) {
    StartGame(/*realAudio=*/true);
    SkipIntro();
    const double menuSong =
        form->Components.MusicPlayer.SongLengthSeconds(form->Components.SongHandle);
    Play("1 type \\r\n2 type \\r\n");  // Start Game, then Start
    ASSERT_EQ(form->Screens.ScreenState, GameScreen::Race);
    const double raceSong =
        form->Components.MusicPlayer.SongLengthSeconds(form->Components.SongHandle);
    ASSERT_NE(raceSong, menuSong);
    while (form->Screens.WindowKind != ModalWindow::None && runner->Frame() < 1000)
        runner->RunFrame();
    Press("Esc");
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitToMenu);
    Press("Y");
    ASSERT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_TRUE(form->Components.MusicPlayer.Playing());
    EXPECT_EQ(form->Components.MusicPlayer.SongLengthSeconds(form->Components.SongHandle),
              menuSong);
}

// Every screen, reached from its entry and left by its Back, by keys and by the mouse.
struct ScreenTrip {
    int entry;
    GameScreen screen;
    int backButton;
};

class ScreenTripTest : public MenuTest, public ::testing::WithParamInterface<ScreenTrip> {
protected:
    // The real music player: the returns must leave the song alone.
    void SetUp() override { StartGame(/*realAudio=*/true); }
};

TEST_P(ScreenTripTest, BackReturnsToTheEntryThatLedThereWithoutIntroOrMusic) {
    const ScreenTrip trip = GetParam();
    SkipIntro();
    ASSERT_NE(form->Components.SongHandle, 0);
    for (const bool byMouse : {false, true}) {
        // Music that had been stopped stays stopped: nothing on the way starts the song again.
        form->Components.StopMusic();
        if (byMouse) {
            ClickOn(trip.entry);
        } else {
            form->Screens.SelectedButton = trip.entry;
            Play("1 type \\r\n");
        }
        ASSERT_EQ(form->Screens.ScreenState, trip.screen) << byMouse;
        runner->RunFrame();
        if (byMouse) {
            ClickOn(trip.backButton);
        } else {
            form->Screens.SelectedButton = trip.backButton;
            Play("1 type \\r\n");
        }
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::MainMenu) << byMouse;
        EXPECT_EQ(form->Screens.SelectedButton, trip.entry);
        EXPECT_FALSE(form->Screens.IntroRunning);
        EXPECT_EQ(form->Components.SongHandle, 0);
        runner->RunFrame();
        for (int k = 1; k <= 6; ++k) {
            const TMenuButton* button = form->Screens.Button(k);
            EXPECT_FALSE(button->AlphaMode);
            EXPECT_EQ(button->Highlighted, k == trip.entry);
            if (k != trip.entry) {
                EXPECT_EQ(button->Image->Name(), "MM_" + std::to_string(k) + "_0");
            }
        }
        // Only the menu's own sprites are left.
        EXPECT_EQ(form->Components.MDXSpriteEngine.SpriteCount, 7);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, ScreenTripTest,
                         ::testing::Values(ScreenTrip{kEntryStartGame, GameScreen::StartGame, 4},
                                           ScreenTrip{kEntryHighScores, GameScreen::HighScores, 3},
                                           ScreenTrip{kEntryOptions, GameScreen::Options, 5},
                                           ScreenTrip{kEntryHelp, GameScreen::Help, 3}));

}  // namespace
