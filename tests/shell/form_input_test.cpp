// Keyboard, mouse and text entry as the form handles them between frames.

#include <gtest/gtest.h>

#include "runner_fixture.h"
#include "sprites/menu_button.h"

namespace {

class FormInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        runner = MakeTestRunner();
        form = &runner->Form();
    }
    std::unique_ptr<ReplayRunner> runner;
    TMForm* form = nullptr;
};

TEST_F(FormInputTest, KeyHitOnlyInTheFrameTheKeyWentDown) {
    runner->KeyDown("P");
    runner->RunFrame();
    EXPECT_TRUE(form->Input.Hit(kHitP));
    runner->RunFrame();
    runner->RunFrame();
    EXPECT_FALSE(form->Input.Hit(kHitP));  // held: one hit only
    runner->KeyUp("P");
    runner->RunFrame();
    EXPECT_FALSE(form->Input.Hit(kHitP));
    runner->KeyDown("P");
    runner->RunFrame();
    EXPECT_TRUE(form->Input.Hit(kHitP));  // pressed again: another hit
}

TEST_F(FormInputTest, KeyPressedAndReleasedBetweenFramesIsNotSeen) {
    runner->RunFrame();
    runner->KeyDown("Up");
    runner->KeyUp("Up");
    runner->RunFrame();
    EXPECT_FALSE(form->Input.Hit(kHitUp));
}

TEST_F(FormInputTest, InactiveWindowStopsInputAndTime) {
    runner->KeyDown("Left");
    runner->RunFrame();
    EXPECT_TRUE(form->Input.Held(kStateLeft));
    form->SetActive(false, 0);
    EXPECT_FALSE(form->Input.Held(kStateLeft));
    form->SetActive(true, 100000);
    EXPECT_EQ(form->Components.MDXTimer.Tick(100003, form->Timing), 3);  // the first lag is small
    EXPECT_FALSE(form->Input.Held(kStateLeft));  // a key held while away is forgotten
}

TEST_F(FormInputTest, HoverUsesInclusiveBoundsAndKeepsTheLastButton) {
    // Two buttons of the Yes/No pair: Yes at (237, 296), No at (386, 296), 73 x 40.
    form->OpenWindow(ModalWindow::ExitGame);
    ASSERT_EQ(form->Screens.SelectedButton, kNoButton);
    form->MDXDrawMouseMove(237 + 73, 296 + 40);  // Yes's bottom-right corner is inside
    EXPECT_EQ(form->Screens.SelectedButton, kYesButton);
    form->MDXDrawMouseMove(236, 296);
    EXPECT_EQ(form->Screens.SelectedButton, kYesButton);  // off every button: kept
    form->MDXDrawMouseMove(386, 296);
    EXPECT_EQ(form->Screens.SelectedButton, kNoButton);
    // A click anywhere does what the selected button does: No closes the window.
    form->MDXDrawMouseMove(10, 10);
    form->MDXDrawClick();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
}

TEST_F(FormInputTest, HoverHonoursAnExplicitHitBox) {
    form->OpenWindow(ModalWindow::ExitGame);
    auto* yes = form->Screens.Button(kYesButton);
    ASSERT_NE(yes, nullptr);
    yes->HitWidth = 10;
    yes->HitHeight = 10;
    form->MDXDrawMouseMove(237 + 11, 296 + 5);
    EXPECT_EQ(form->Screens.SelectedButton, kNoButton);
    form->MDXDrawMouseMove(237 + 10, 296 + 10);
    EXPECT_EQ(form->Screens.SelectedButton, kYesButton);
}

TEST_F(FormInputTest, NameEntryTakesAtMostTwelveAcceptedCharacters) {
    form->OpenWindow(ModalWindow::NameEntry);
    runner->Type("ab-c\xe9 1");  // the dash and the accented letter are ignored
    EXPECT_EQ(form->Screens.EnteredName, "abc 1");
    runner->Type("\b\b\b\b\b\b\b");  // backspace on an empty name changes nothing
    EXPECT_EQ(form->Screens.EnteredName, "");
    runner->Type("iiiiiiiiiiiiiii");
    EXPECT_EQ(form->Screens.EnteredName, "iiiiiiiiiiii");
    EXPECT_EQ(form->Screens.LastTypedChar, 'i');
}

TEST_F(FormInputTest, NameEntryStopsWhenTheNameIsWiderThanItsField) {
    form->OpenWindow(ModalWindow::NameEntry);
    runner->Type("WWWWWWWWWWWW");
    const std::string name = form->Screens.EnteredName;
    EXPECT_LT(name.size(), 12u);
    // The width before the last character was added was at most 240 pixels.
    EXPECT_LE(form->Components.TextWidthIn(name.substr(0, name.size() - 1), 10), 240);
    EXPECT_GT(form->Components.TextWidthIn(name, 10), 240);
}

TEST_F(FormInputTest, CloseRequestAsksAndNeverCloses) {
    form->FormCloseQuery();
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    EXPECT_FALSE(form->Terminated());
    form->FormCloseQuery();  // a window is already open: nothing more
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::ExitGame);
    runner->Type("\r");  // Enter answers No
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_FALSE(form->Terminated());
}

TEST_F(FormInputTest, ExitGameYesEndsTheGame) {
    form->FormCloseQuery();
    runner->KeyDown("Y");
    runner->RunFrame();
    EXPECT_TRUE(form->Terminated());
}

}  // namespace
