// The options screen: its rows, the switches that act at once, and the country field with its
// cursor and its limits.

#include "menu_fixture.h"

namespace {

class OptionsTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        SkipIntro();
        OpenOptions();
    }
    void OpenOptions() {
        form->Screens.SelectedButton = kEntryOptions;
        Play("1 type \\r\n");
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::Options);
        screen = &form->FrontEnd.OptionsScreen;
    }
    // The country row: hovered and clicked, which starts (or ends) the typing.
    void ClickCountryRow() { Play("1 move 700 500\n1 click\n"); }
    TMyCursor* Cursor() const { return form->Screens.TextCursor; }
    TOptionsScreen* screen = nullptr;
};

TEST_F(OptionsTest, UpAndDownMoveBetweenTheRowsWithoutWrapping) {
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsBack);
    for (const int expected : {4, 3, 2, 1, 1}) {
        Press("Up");
        EXPECT_EQ(form->Screens.SelectedButton, expected);
    }
    for (const int expected : {2, 3, 4, 5, 5}) {
        Press("Down");
        EXPECT_EQ(form->Screens.SelectedButton, expected);
    }
}

TEST_F(OptionsTest, DisplayAndSoundSwitchAtOnceAndTheirPicturesFollowInTheSameFrame) {
    ASSERT_FALSE(form->Components.MDXDraw.FullScreen());
    form->Screens.SelectedButton = kOptionsDisplay;
    Play("1 type \\r\n");
    EXPECT_EQ(form->Options.FullScreen, 1);
    EXPECT_TRUE(form->Components.MDXDraw.FullScreen());
    EXPECT_EQ(screen->DisplayPicture->Image->Name(), "OptFullScreen");
    ClickOn(kOptionsDisplay);
    EXPECT_FALSE(form->Components.MDXDraw.FullScreen());
    EXPECT_EQ(screen->DisplayPicture->Image->Name(), "OptWindow");

    sounds->played.clear();
    ClickOn(kOptionsSound);
    EXPECT_EQ(form->Options.Sound, 0);
    EXPECT_EQ(screen->SoundPicture->Image->Name(), "OptSoundOff");
    Press("Up");  // a move that would click: silent now
    // The hover onto the row and the click that switched the sound off.
    EXPECT_EQ(sounds->Count("Button"), 2);
    ClickOn(kOptionsSound);
    EXPECT_EQ(form->Options.Sound, 1);
    EXPECT_EQ(screen->SoundPicture->Image->Name(), "OptSoundOn");
}

TEST_F(OptionsTest, UnderTheExitQuestionTheScreenKeepsItsTextsAndTheirPictures) {
    form->FormCloseQuery();
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    form->Options.Music = 0;  // as a save could have it
    const std::vector<DrawnText> drawn = TextsOfNextFrame();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].text, "Your country:");
    EXPECT_EQ(drawn[0].font, 13);
    EXPECT_EQ(drawn[1].text, "_______");
    EXPECT_EQ(drawn[1].font, 4);
    EXPECT_EQ(drawn[1].x, 380);
    EXPECT_EQ(drawn[1].y, 450);
    EXPECT_EQ(screen->MusicPicture->Image->Name(), "OptMusicOff");
}

TEST_F(OptionsTest, MusicOffStopsTheSongAndOnStartsTheMenuSongAgain) {
    StartGame(/*realAudio=*/true);
    SkipIntro();
    OpenOptions();
    ASSERT_NE(form->Components.SongHandle, 0);
    ClickOn(kOptionsMusic);
    EXPECT_EQ(form->Options.Music, 0);
    EXPECT_EQ(form->Components.SongHandle, 0);
    EXPECT_FALSE(form->Components.MusicPlayer.Playing());
    EXPECT_EQ(screen->MusicPicture->Image->Name(), "OptMusicOff");
    ClickOn(kOptionsMusic);
    EXPECT_EQ(form->Options.Music, 1);
    EXPECT_NE(form->Components.SongHandle, 0);
    EXPECT_TRUE(form->Components.MusicPlayer.Playing());
    EXPECT_EQ(screen->MusicPicture->Image->Name(), "OptMusicOn");
}

TEST_F(OptionsTest, TypingTakesAcceptedCharactersAndEscEndsItBeforeLeaving) {
    ClickCountryRow();
    ASSERT_TRUE(form->Screens.EditingCountry);
    Play("1 type \\b\\b\\b\\b\\b\\b\\b\\bNew-Zea.land 2\n");
    EXPECT_EQ(form->Options.Country, "NewZealand 2");
    // Up and Down stay out of the typing.
    Press("Up");
    Press("Down");
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsCountry);
    EXPECT_TRUE(form->Screens.EditingCountry);
    Press("Esc");
    EXPECT_FALSE(form->Screens.EditingCountry);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Options);
    Play("1 type x\n");
    EXPECT_EQ(form->Options.Country, "NewZealand 2");
    // Enter starts and ends it as the row's click does.
    Play("1 type \\r\n");
    EXPECT_TRUE(form->Screens.EditingCountry);
    Play("1 type \\r\n");
    EXPECT_FALSE(form->Screens.EditingCountry);
    Press("Esc");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryOptions);
}

// Rows 1 to 4 answer the mouse over the whole row, wider than their pictures: 545, 282, 282 and
// 681 pixels from x 118, row 4 84 pixels down from y 436; both edges belong to the row.
TEST_F(OptionsTest, EachRowAnswersTheMouseUpToItsHitBoxsEdges) {
    struct Case {
        int x, y, row;  // row 0: none, the selection stays on Back
    };
    for (const Case& c : {Case{663, 280, 1}, Case{664, 280, 0}, Case{400, 340, 2},
                          Case{401, 340, 0}, Case{400, 400, 3}, Case{401, 400, 0},
                          Case{799, 480, 4}, Case{700, 520, 4}, Case{700, 521, 0}}) {
        form->Screens.SelectedButton = kOptionsBack;
        form->MDXDrawMouseMove(c.x, c.y);
        EXPECT_EQ(form->Screens.SelectedButton, c.row == 0 ? kOptionsBack : c.row)
            << c.x << ", " << c.y;
    }
}

TEST_F(OptionsTest, HoveringAnotherRowEndsTheTyping) {
    ClickCountryRow();
    RunFrames(3);
    ASSERT_TRUE(Cursor()->Visible);
    Play("1 move 200 340\n");  // the music row
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsMusic);
    EXPECT_FALSE(form->Screens.EditingCountry);
    EXPECT_FALSE(Cursor()->Blinking);
    EXPECT_FALSE(Cursor()->Visible);
    Play("1 type abc\n");
    EXPECT_EQ(form->Options.Country, "_______");
}

TEST_F(OptionsTest, TheCursorBlinksOnlyWhileTypingAndALaterTypingContinuesTheCount) {
    const int frameMs = form->Timing.FrameMs;
    ASSERT_EQ(frameMs, 11);
    RunFrames(5);
    EXPECT_FALSE(Cursor()->Visible);
    ClickCountryRow();  // its frame is the first of the typing
    // Shown at once, then for 1000 ms: the frame that cannot count down another FrameMs flips.
    const int shownFrames = 1 + 1000 / frameMs;
    int frames = 1;
    while (Cursor()->Visible && frames < 500) {
        runner->RunFrame();
        ++frames;
    }
    EXPECT_EQ(frames, shownFrames + 1);
    RunFrames(40);  // hidden 41 frames of its 91 so far
    EXPECT_FALSE(Cursor()->Visible);
    Play("1 type \\r\n");  // the typing ends
    EXPECT_FALSE(Cursor()->Visible);
    RunFrames(200);
    EXPECT_FALSE(Cursor()->Visible);
    // Typing again goes on with the 50 hidden frames that were left; the frame after them
    // shows the cursor.
    Play("1 type \\r\n");
    frames = 1;
    while (!Cursor()->Visible && frames < 500) {
        runner->RunFrame();
        ++frames;
    }
    EXPECT_EQ(frames, shownFrames - 41 + 1);
}

TEST_F(OptionsTest, TheCountryGrowsOnlyWhileShorterThanSixteenAndNoWiderThanItsField) {
    ClickCountryRow();
    Play("1 type \\b\\b\\b\\b\\b\\b\\biiiiiiiiiiiiiiiiiiii\n");
    EXPECT_EQ(form->Options.Country, std::string(16, 'i'));
    // A country from the saves may hold characters that cannot be typed. Each base here is
    // given one more character: it is taken exactly when the base is at most 345 pixels wide in
    // the country's font and shorter than sixteen characters.
    int taken = 0;
    int refused = 0;
    for (const std::string pattern : {"%", "W", "@W", "%%i", "W%."}) {
        std::string base;
        while (base.size() < 16) {
            base += pattern[base.size() % pattern.size()];
            form->Options.Country = base;
            const bool fits = form->Components.TextWidthIn(base, 4) <= 345 && base.size() < 16;
            Play("1 type a\n");
            EXPECT_EQ(form->Options.Country, fits ? base + "a" : base) << base;
            (fits ? taken : refused) += 1;
        }
    }
    EXPECT_GT(taken, 0);
    EXPECT_GT(refused, 5);
    // The cursor stands just right of the text, in the field's font.
    form->Options.Country = "Chile";
    runner->RunFrame();
    EXPECT_EQ(Cursor()->X, 380 + form->Components.TextWidthIn("Chile", 4));
}

}  // namespace
