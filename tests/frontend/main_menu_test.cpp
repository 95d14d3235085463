// The main menu: its intro, its keys, its entries and the way back to it from every screen.

#include <array>

#include "menu_fixture.h"

namespace {

using MainMenuTest = MenuTest;

// The intro as a second, literal reading: each frame button 1 gains 15; a button that reaches
// 150 turns opaque and passes 15 on to the next (to 4 and 5 together from 3, to 6 from 4).
struct IntroReference {
    std::array<int, 7> alpha{};
    std::array<bool, 7> opaque{};
    bool running = true;
    void Step() {
        alpha[1] += 15;
        if (alpha[1] >= 150) opaque[1] = true, alpha[2] += 15;
        if (alpha[2] >= 150) opaque[2] = true, alpha[3] += 15;
        if (alpha[3] >= 150) opaque[3] = true, alpha[4] += 15, alpha[5] += 15;
        if (alpha[4] >= 150) opaque[4] = opaque[5] = true, alpha[6] += 15;
        if (alpha[6] >= 150) opaque[6] = true, running = false;
    }
};

TEST_F(MainMenuTest, TheIntroFadesTheButtonsInOverFortySixFramesThenHighlights) {
    EXPECT_EQ(sounds->Count("MenuBegin"), 1);
    IntroReference reference;
    for (int frame = 1; frame <= kIntroFrames; ++frame) {
        reference.Step();
        runner->RunFrame();
        ASSERT_EQ(form->Screens.IntroRunning, reference.running) << "frame " << frame;
        for (int k = 1; k <= 6; ++k) {
            const TMenuButton* button = form->Screens.Button(k);
            const std::string after = "MM_" + std::to_string(k) + "_I";
            EXPECT_EQ(button->AlphaMode, !reference.opaque[k]) << "frame " << frame << " " << k;
            if (!reference.opaque[k]) {
                EXPECT_EQ(button->Alpha, reference.alpha[k]) << frame;
            }
            EXPECT_EQ(NameOf(button->NormalImage) == after, reference.opaque[k])
                << frame << " " << k;
            EXPECT_FALSE(button->Highlighted) << "frame " << frame << " " << k;
        }
    }
    EXPECT_FALSE(reference.running);
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
    EXPECT_EQ(form->Screens.ScreenState, kScreenMainMenu);
    EXPECT_EQ(form->Screens.WindowKind, kWindowNone);
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
    EXPECT_EQ(form->Screens.ScreenState, kScreenMainMenu);
}

TEST_F(MainMenuTest, EscAndExitAskAndTheWebSiteEntryOpensTheHomePage) {
    SkipIntro();
    Press("Esc");
    EXPECT_EQ(form->Screens.WindowKind, kWindowExitGame);
    Press("N");
    EXPECT_EQ(form->Screens.WindowKind, kWindowNone);
    EXPECT_EQ(form->Screens.SelectedButton, 1);
    ClickOn(kEntryExit);
    EXPECT_EQ(form->Screens.WindowKind, kWindowExitGame);
    Play("1 type \\r\n");  // No is preselected
    EXPECT_EQ(form->Screens.WindowKind, kWindowNone);
    EXPECT_TRUE(links->empty());
    ClickOn(kEntryWebSite);
    ASSERT_EQ(links->size(), 1u);
    EXPECT_EQ(links->front(), "http://localhost:8642/");
    EXPECT_EQ(form->Screens.ScreenState, kScreenMainMenu);
    EXPECT_EQ(form->Components.MDXSpriteEngine.SpriteCount, 7);
}

// Every screen, reached from its entry and left by its Back, by keys and by the mouse.
struct ScreenTrip {
    int entry;
    int screen;
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
        ASSERT_EQ(form->Screens.ScreenState, kScreenMainMenu) << byMouse;
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
                         ::testing::Values(ScreenTrip{kEntryStartGame, kScreenStartGame, 4},
                                           ScreenTrip{kEntryHighScores, kScreenHighScores, 3},
                                           ScreenTrip{kEntryOptions, kScreenOptions, 5},
                                           ScreenTrip{kEntryHelp, kScreenHelp, 3}));

}  // namespace
