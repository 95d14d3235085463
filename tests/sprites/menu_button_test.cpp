// The picture buttons' two looks and the blinking text cursor.

#include <gtest/gtest.h>

#include "shell/form.h"
#include "sprites/menu_button.h"
#include "support/test_assets.h"

namespace {

class MenuButtonTest : public ::testing::Test {
protected:
    void SetUp() override { form = MakeTestForm(85); }
    std::unique_ptr<TMForm> form;
};

TEST_F(MenuButtonTest, OnTopButtonsRiseWhileHighlightedAndTheNormalLookIsReapplied) {
    form->OpenWindow(ModalWindow::ExitGame);
    auto* yes = form->Screens.Button(kYesButton);
    auto* no = form->Screens.Button(kNoButton);
    ASSERT_TRUE(yes != nullptr && no != nullptr);
    EXPECT_TRUE(yes->OnTop);
    form->Screens.RefreshHighlight();  // No is selected when the window opens
    EXPECT_EQ(no->Z(), 17);
    EXPECT_EQ(no->FramePos, 0);  // the highlighted pattern
    EXPECT_EQ(yes->Z(), 15);
    EXPECT_EQ(yes->FramePos, 1);
    form->Screens.SelectedButton = kYesButton;
    form->Screens.RefreshHighlight();
    EXPECT_EQ(yes->Z(), 17);
    EXPECT_EQ(no->Z(), 15);
    EXPECT_FALSE(no->Highlighted);
    form->CloseWindow();
    EXPECT_EQ(form->Screens.Button(kYesButton), nullptr);
    EXPECT_EQ(form->Components.MDXSpriteEngine.DeadList.size(), 4u);  // panel, title, Yes and No
}

TEST_F(MenuButtonTest, ExitToMenuButtonsStayUnderTheTitle) {
    form->OpenWindow(ModalWindow::ExitToMenu);
    form->Screens.RefreshHighlight();
    EXPECT_EQ(form->Screens.Button(kNoButton)->Z(), 15);
    EXPECT_EQ(form->Screens.WindowTitle->Z(), 16);
}

TEST_F(MenuButtonTest, CursorShowsAndHidesForItsPeriodWhileBlinking) {
    auto* cursor =
        new TMyCursor(&form->Components.MDXSpriteEngine, Picture::Cursor2, 10, 10, 15, 1000);
    EXPECT_FALSE(cursor->Visible);
    cursor->MoveStep(10);
    EXPECT_FALSE(cursor->Visible);  // not blinking: hidden
    cursor->Blinking = true;
    form->Timing.FrameMs = 10;
    cursor->MoveStep(10);
    EXPECT_TRUE(cursor->Visible);  // shows in the first frame of blinking
    int shownFrames = 1;
    while (cursor->Visible && shownFrames < 500) {
        cursor->MoveStep(10);
        if (cursor->Visible) ++shownFrames;
    }
    EXPECT_EQ(shownFrames, 101);  // 1000 ms at 10 ms a frame, and the frame that flips
    cursor->Blinking = false;
    cursor->Visible = true;
    cursor->MoveStep(10);
    EXPECT_FALSE(cursor->Visible);
}

}  // namespace
