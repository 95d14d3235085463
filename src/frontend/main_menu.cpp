#include "frontend/main_menu.h"

#include <array>
#include <string>

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "sprites/menu_button.h"

namespace {

struct EntryPlace {
    int x;
    int y;
};

// Entries 1 to 6. Entry k has three pictures: MM_k_0 (normal), MM_k_A (highlighted) and MM_k_I
// (normal after the intro, made to look like MM_k_0).
constexpr std::array<EntryPlace, 6> kEntryPlaces = {
    {{284, 27}, {323, 133}, {229, 239}, {56, 342}, {512, 342}, {282, 498}}};

// Alpha steps of the intro: each button fades in over ten frames, then turns opaque.
constexpr int kFadeStep = 15;
constexpr int kFadeDone = 150;

}  // namespace

void TMainMenu::OpenMainMenu(int intro, int selected, int restartMusic) {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::MainMenu;
    if (restartMusic == 1) host_.PlayMusic();
    host_.ShowSystemCursor();
    screens.FirstButton = 1;
    screens.LastButton = 6;
    screens.SelectedButton = selected;
    screens.IntroRunning = intro == 1;
    CreateMenuBackground(host_);
    for (int entry = 1; entry <= 6; ++entry) {
        const EntryPlace& place = kEntryPlaces[entry - 1];
        auto* button = new TMenuButton(
            &host_.Engine(), MainMenuButtonPicture(entry, ButtonLook::Highlighted),
            MainMenuButtonPicture(entry, ButtonLook::Normal), 0, 0, place.x, place.y);
        button->AlphaMode = intro == 1;
        button->Alpha = intro == 1 ? 0 : 255;
        screens.MenuButtons[entry] = button;
    }
    if (intro == 1) host_.PlaySound(Sound::MenuBegin);
}

void TMainMenu::CloseMenuScreen() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::None;
    screens.KillMenuBackground();
    screens.RemoveButtons();
}

void TMainMenu::MainMenuFrame() {
    ScreenValues& screens = host_.Screens();
    if (screens.IntroRunning) {
        // Nothing is highlighted and no key counts until the buttons are all there.
        IntroStep();
        return;
    }
    screens.RefreshHighlight();
    int& selected = screens.SelectedButton;
    // Up and Down walk the entries top to bottom, Options and Help sharing one row between the
    // web site and Exit; Left and Right only cross that row.
    if (host_.KeyHit(MenuKey::Up)) {
        if (selected == kEntryOptions || selected == kEntryHelp) {
            selected = kEntryWebSite;
        } else if (selected == kEntryExit) {
            selected = kEntryHelp;
        } else if (selected <= 1 || selected > 6) {
            selected = 6;
        } else {
            --selected;
        }
    }
    if (host_.KeyHit(MenuKey::Down)) {
        if (selected == kEntryOptions || selected == kEntryHelp) {
            selected = kEntryExit;
        } else if (selected == kEntryWebSite) {
            selected = kEntryHelp;
        } else if (selected < 1 || selected >= 6) {
            selected = 1;
        } else {
            ++selected;
        }
    }
    if (host_.KeyHit(MenuKey::Esc)) host_.OpenWindow(ModalWindow::ExitGame);
    if (host_.KeyHit(MenuKey::Left) && selected == kEntryHelp) selected = kEntryOptions;
    if (host_.KeyHit(MenuKey::Right) && selected == kEntryOptions) selected = kEntryHelp;
}

void TMainMenu::IntroStep() {
    ScreenValues& screens = host_.Screens();
    if (!host_.IsDrawable() || !screens.IntroRunning) return;
    std::array<TMenuButton*, 7> button{};
    for (int k = 1; k <= 6; ++k) {
        button[k] = screens.Button(k);
        if (button[k] == nullptr) {
            screens.IntroRunning = false;  // the menu lost its buttons: nothing to fade
            return;
        }
    }
    auto turnOpaque = [&](int k) {
        button[k]->AlphaMode = false;
        button[k]->NormalImage = MainMenuButtonPicture(k, ButtonLook::AfterIntro);
        button[k]->ShowNormalLook();
    };
    auto alpha = [&](int k) -> int& { return button[k]->Alpha; };

    // Each button starts in the frame in which the one before reaches full fade; Options and
    // Help fade together.
    alpha(1) += kFadeStep;
    if (alpha(1) >= kFadeDone) {
        turnOpaque(1);
        alpha(2) += kFadeStep;
    }
    if (alpha(2) >= kFadeDone) {
        turnOpaque(2);
        alpha(3) += kFadeStep;
    }
    if (alpha(3) >= kFadeDone) {
        turnOpaque(3);
        alpha(4) += kFadeStep;
        alpha(5) += kFadeStep;
    }
    if (alpha(4) >= kFadeDone) {
        turnOpaque(4);
        turnOpaque(5);
        alpha(6) += kFadeStep;
    }
    if (alpha(6) >= kFadeDone) {
        turnOpaque(6);
        screens.IntroRunning = false;
    }
}
