// A question window over a menu screen: while it is open only its own buttons show a highlight;
// the screen's button beneath shows its normal look and takes the highlight back when the window
// closes, whichever way it closes.

#include "menu_fixture.h"

namespace {

struct Question {
    const char* name;
    int screenButton;      // the selected button of the screen beneath
    const char* openKey;   // "" when a click on that button opens the window
    const char* closeKey;  // the answer that keeps the screen
    bool onHighScores;
};

void PrintTo(const Question& q, std::ostream* out) {
    *out << q.name;
}

class WindowHighlightTest : public MenuTest, public ::testing::WithParamInterface<Question> {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        SkipIntro();
        if (GetParam().onHighScores) {
            ClickOn(kEntryHighScores);
            ASSERT_EQ(form->Screens.ScreenState, GameScreen::HighScores);
        }
    }
    // The button shows the look it was made with for "not selected".
    static bool ShowsNormalLook(const TMenuButton& button) {
        return !button.Highlighted && button.Image != nullptr &&
               button.Image->Name() == NameOf(button.NormalImage) &&
               static_cast<int>(button.FramePos) == button.NormalFrame;
    }
    static bool ShowsHighlight(const TMenuButton& button) {
        return button.Highlighted && button.Image->Name() == NameOf(button.HighlightImage) &&
               static_cast<int>(button.FramePos) == button.HighlightFrame;
    }
};

TEST_P(WindowHighlightTest, OnlyTheWindowsButtonsAreHighlightedWhileItIsOpen) {
    const Question& q = GetParam();
    form->Screens.SelectedButton = q.screenButton;
    RunFrames(2);
    const TMenuButton* beneath = form->Screens.Button(q.screenButton);
    ASSERT_NE(beneath, nullptr);
    ASSERT_TRUE(ShowsHighlight(*beneath)) << "selected before the window";

    if (q.openKey[0] != '\0') {
        Press(q.openKey);
    } else {
        ClickOn(q.screenButton);
    }
    ASSERT_NE(form->Screens.WindowKind, ModalWindow::None);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(ShowsNormalLook(*beneath)) << "frame " << frame << " of the window";
        int highlighted = 0;
        for (int i = 1; i < kMenuButtonSlots; ++i) {
            const TMenuButton* button = form->Screens.Button(i);
            if (button != nullptr && button->Highlighted) {
                ++highlighted;
                EXPECT_TRUE(i == kYesButton || i == kNoButton) << "button " << i;
            }
        }
        EXPECT_EQ(highlighted, 1) << "frame " << frame;
        RunFrames(1);
    }
    // Moving between Yes and No leaves the screen's button alone.
    Press("Left");
    EXPECT_TRUE(ShowsNormalLook(*beneath));

    Press(q.closeKey);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Screens.SelectedButton, q.screenButton);
    RunFrames(1);
    EXPECT_TRUE(ShowsHighlight(*beneath)) << "after the window";
}

INSTANTIATE_TEST_SUITE_P(
    Questions, WindowHighlightTest,
    ::testing::Values(Question{"ExitGameOverStartGame", kEntryStartGame, "Esc", "N", false},
                      Question{"ExitGameOverOptions", kEntryOptions, "Esc", "N", false},
                      Question{"ExitGameFromItsButton", kEntryExit, "", "N", false},
                      Question{"ClearTableOverClear", 1, "", "N", true},
                      Question{"ClearTableAnsweredYes", 1, "", "Y", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
