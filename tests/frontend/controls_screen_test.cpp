// The controls screen: the way there from the options and back, a capture that moves a key or pad
// control from one action to another, its cancel, the defaults question, the file beside the saves
// that keeps every change for the next start, and the menu keys that work whatever is bound.

#include <algorithm>
#include <fstream>

#include "menu_fixture.h"
#include "persist/temp_folder.h"

namespace {

class ControlsScreenTest : public MenuTest {
protected:
    void SetUp() override { Restart(); }
    // A new game on the same save folder, taken to the controls screen.
    void Restart() {
        StartGame(false, saves.Path().string());
        SkipIntro();
        form->Screens.SelectedButton = kEntryOptions;
        Play("1 type \\r\n");
        Press("Right");
        ASSERT_EQ(form->Screens.SelectedButton, kOptionsControls);
        Play("1 type \\r\n");
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::Controls);
        screen = &form->FrontEnd.ControlsScreen;
    }
    const ActionBinding& Of(RaceAction action) const { return form->Input.Controls.Of(action); }
    // The row of an action chosen with the arrows and Enter: its capture starts.
    void ChooseRow(int row) {
        while (form->Screens.SelectedButton > row) Press("Up");
        while (form->Screens.SelectedButton < row) Press("Down");
        Play("1 type \\r\n");
        ASSERT_EQ(screen->CaptureRow, row);
    }
    // The texts a row shows in the next frame, with the font of its keys.
    std::pair<std::string, int> KeysShown(int row) {
        const std::vector<DrawnText> drawn = TextsOfNextFrame();
        // The title and three headings, then three texts a row: label, keys, pad.
        const DrawnText& keys = drawn.at(static_cast<size_t>(4 + (row - 1) * 3 + 1));
        return {keys.text, keys.font};
    }
    std::string SavedFile() const {
        std::ifstream in(saves.Path() / "controls", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TempFolder saves;
    TControlsScreen* screen = nullptr;
};

TEST_F(ControlsScreenTest, TheOptionsLeadHereBesideBackAndEscLeadsBack) {
    EXPECT_EQ(form->Screens.SelectedButton, kControlsFirstRow);
    Press("Esc");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Options);
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsControls);
    Press("Left");
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsBack);
    Press("Right");
    Press("Up");  // from beside Back, up to the country row as from Back
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsCountry);
    Press("Right");  // the rows have nothing to their right
    EXPECT_EQ(form->Screens.SelectedButton, kOptionsCountry);
    Press("Esc");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryOptions);
}

// Up bound to brake leaves accelerate with no key, and both rows stand out for a moment. The key
// that was captured moves nothing on the screen, though it is a menu key.
TEST_F(ControlsScreenTest, AKeyMovedFromAnotherActionShowsOnBothRows) {
    ChooseRow(2);
    Press("Up");
    EXPECT_FALSE(screen->Capturing());
    EXPECT_EQ(form->Screens.SelectedButton, 2);
    EXPECT_EQ(Of(RaceAction::Brake).Keys, (std::array<SDL_Keycode, 2>{SDLK_UP, SDLK_DOWN}));
    EXPECT_EQ(Of(RaceAction::Accelerate).Keys,
              (std::array<SDL_Keycode, 2>{SDLK_UNKNOWN, SDLK_UNKNOWN}));
    EXPECT_EQ(KeysShown(1), std::make_pair(std::string("NONE"), 22));
    EXPECT_EQ(KeysShown(2), std::make_pair(std::string("Up, Down"), 22));
    EXPECT_EQ(KeysShown(3), std::make_pair(std::string("Left"), 17));
    // The change stands out for a second and a half, then the rows look like the others.
    for (int i = 0; i < 400 && screen->ChangedLeft > 0; ++i) runner->RunFrame();
    EXPECT_EQ(KeysShown(1), std::make_pair(std::string("NONE"), 17));
}

// Fire's third key pushes its second out: Left Ctrl is free. The file says so at once, and the
// next start reads it back.
TEST_F(ControlsScreenTest, ARebindingIsKeptInTheFileAndReadAtTheNextStart) {
    ChooseRow(6);
    Press("F");
    EXPECT_EQ(Of(RaceAction::Fire).Keys, (std::array<SDL_Keycode, 2>{SDLK_f, SDLK_z}));
    EXPECT_NE(SavedFile().find("\nfire=F,Z;a\n"), std::string::npos) << SavedFile();
    Restart();
    EXPECT_EQ(Of(RaceAction::Fire).Keys, (std::array<SDL_Keycode, 2>{SDLK_f, SDLK_z}));
    EXPECT_EQ(form->Input.Controls.ActionOfKey(SDLK_LCTRL), std::nullopt);
}

TEST_F(ControlsScreenTest, EscAndAClickCancelACaptureAndDoNothingElse) {
    ChooseRow(1);
    EXPECT_EQ(KeysShown(1).first, "PRESS A KEY OR PAD BUTTON  -  ESC CANCELS");
    Press("Esc");
    EXPECT_FALSE(screen->Capturing());
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Controls);
    EXPECT_EQ(form->Input.Controls, TControls());
    EXPECT_FALSE(std::filesystem::exists(saves.Path() / "controls"));

    // While a row waits the mouse leaves the selection on it; a click takes the wait back.
    ChooseRow(1);
    Play("1 move 400 360\n");  // over row 5
    EXPECT_EQ(form->Screens.SelectedButton, 1);
    Play("1 click\n");
    EXPECT_FALSE(screen->Capturing());
    EXPECT_EQ(form->Input.Controls, TControls());
    // A held Enter repeats: the repeat of the key that chose the row is not captured.
    Play("1 move 400 248\n1 down Enter\n");
    ASSERT_EQ(screen->CaptureRow, 1);
    SDL_Event repeat{};
    repeat.type = SDL_KEYDOWN;
    repeat.key.repeat = 1;
    repeat.key.keysym.scancode = SDL_SCANCODE_RETURN;
    form->HandleEvent(repeat, 0);
    EXPECT_EQ(screen->CaptureRow, 1);
    EXPECT_EQ(form->Input.Controls, TControls());
}

// The pad's buttons and triggers are captured like keys, B and A included (B does not go back, A
// does not choose); a stick's push is not a binding.
TEST_F(ControlsScreenTest, APadCaptureTakesButtonsAndTriggersButNotTheStick) {
    runner->PadAdd();
    runner->PadButton("a", true);
    runner->RunFrame();
    runner->PadButton("a", false);
    ASSERT_EQ(screen->CaptureRow, 1);
    runner->PadAxis("leftx", -32768);
    runner->RunFrame();
    runner->PadAxis("leftx", 0);
    EXPECT_EQ(screen->CaptureRow, 1);
    runner->PadButton("b", true);
    RunFrames(3);
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Controls);
    EXPECT_EQ(Of(RaceAction::Accelerate).Pad, kPadB);
    EXPECT_EQ(Of(RaceAction::Nitro).Pad, std::nullopt);
    runner->PadButton("b", false);
    runner->RunFrame();

    Press("Down");
    runner->PadButton("a", true);
    runner->RunFrame();
    ASSERT_EQ(screen->CaptureRow, 2);
    runner->PadButton("a", false);
    runner->PadAxis("righttrigger", 32767);
    runner->RunFrame();
    EXPECT_EQ(Of(RaceAction::Brake).Pad, kPadRightTrigger);
    EXPECT_FALSE(screen->Capturing());

    // A chooses the row and, pressed again, is the binding: it chooses nothing more.
    runner->PadButton("a", true);
    runner->RunFrame();
    runner->PadButton("a", false);
    runner->RunFrame();
    runner->PadButton("a", true);
    runner->RunFrame();
    EXPECT_EQ(Of(RaceAction::Brake).Pad, kPadA);
    EXPECT_FALSE(screen->Capturing());
}

TEST_F(ControlsScreenTest, DefaultsAsksFirstThenRestoresAndKeepsThem) {
    ChooseRow(6);
    Press("F");
    const TControls changed = form->Input.Controls;
    ClickOn(kControlsDefaults);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::DefaultControls);
    EXPECT_EQ(form->Screens.SelectedButton, kNoButton);
    Play("1 type \\r\n");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Input.Controls, changed);
    EXPECT_EQ(form->Screens.SelectedButton, kControlsDefaults);

    Play("1 type \\r\n");
    Press("Y");
    EXPECT_EQ(form->Screens.WindowKind, ModalWindow::None);
    EXPECT_EQ(form->Input.Controls, TControls());
    EXPECT_EQ(SavedFile(), FormatControls(TControls()));
}

// Under the Defaults question the screen stays whole around the window: the title, and every
// cell up to the panel's edge, the first row's label included, though its last letter lies under
// the panel. The panel itself shows no text of the table.
TEST_F(ControlsScreenTest, TheQuestionCoversOnlyWhatLiesUnderItsPanel) {
    form->Screens.SelectedButton = kControlsDefaults;  // no row lit, before and during
    runner->RunFrame();
    std::vector<uint32_t> before;
    ASSERT_TRUE(form->Components.MDXDraw.ReadPixels(before));
    ClickOn(kControlsDefaults);
    ASSERT_EQ(form->Screens.WindowKind, ModalWindow::DefaultControls);
    runner->RunFrame();
    std::vector<uint32_t> during;
    ASSERT_TRUE(form->Components.MDXDraw.ReadPixels(during));
    const TMyImageSprite* panel = form->Screens.WindowBackground;
    ASSERT_NE(panel, nullptr);
    const int panelLeft = static_cast<int>(panel->X);
    const int panelTop = static_cast<int>(panel->Y);
    ASSERT_LT(panelLeft, 84 + 110) << "the first label reaches under the panel";
    const auto same = [&](int x0, int y0, int x1, int y1) {
        int differing = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                differing += before[static_cast<size_t>(y) * 800 + x] !=
                             during[static_cast<size_t>(y) * 800 + x];
        return differing;
    };
    EXPECT_EQ(same(400, 90, 740, 190), 0) << "the title";
    EXPECT_EQ(same(60, 232, panelLeft, 260), 0) << "the first row, up to the panel";
    EXPECT_EQ(same(60, 370, 740, 510), 0) << "the rows below the panel";
    // Where the first row's keys were, the panel's plain face, free of the table's "UP".
    const auto inkIn = [&](const std::vector<uint32_t>& pixels) {
        int ink = 0;
        for (int y = std::max(232, panelTop + 4); y < 260; ++y)
            for (int x = 270; x < 284; ++x)
                ink += (pixels[static_cast<size_t>(y) * 800 + x] & 0xFF) > 0xC0 ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkIn(before), 0);
    EXPECT_EQ(inkIn(during), 0);
}

// The arrows, Enter and Esc bound to the race still work in the menus.
TEST_F(ControlsScreenTest, MenuKeysKeepWorkingWhateverTheyAreBoundTo) {
    ChooseRow(8);
    Press("Up");  // the horn on Up
    ASSERT_EQ(Of(RaceAction::Horn).Keys[0], SDLK_UP);
    Press("Up");
    EXPECT_EQ(form->Screens.SelectedButton, 7);
    ChooseRow(7);
    Press("Enter");  // nitro on Enter
    ASSERT_EQ(Of(RaceAction::Nitro).Keys[0], SDLK_RETURN);
    Play("1 type \\r\n");
    EXPECT_EQ(screen->CaptureRow, 7);
    Press("Esc");
    Press("Esc");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::Options);
}

}  // namespace
