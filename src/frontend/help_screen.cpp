#include "frontend/help_screen.h"

#include <string>

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "sprites/menu_button.h"
#include "sprites/sprite_engine.h"

namespace {

// Every help text starts at its x and is centred on its y.
struct HelpText {
    int x;
    int y;
    const char* text;
};

constexpr const char* kPageTitles[kHelpPageCount] = {"GAME OVERVIEW", "BONUSES", "CONTROLS",
                                                     "CONTROLS", "ABOUT"};

// The body lines of pages 1, 3 and 4 are 24 pixels apart.
constexpr int kLineStep = 24;

constexpr const char* kOverviewLines[] = {
    " The game \"Zarvex 2\" presents a breathtaking variety of",
    "races. You drive a racing car and your task is to finish first. Thirst",
    "for speed and danger makes the game more captivating.",
    " You are to take a new route full of obstacles in a limited period",
    "of time at each level. The obstacles reduce the speed, skid your car",
    "or cause a car crash. The opponents' cars will stand in your way.",
    "You can pick up such bonuses as scores, life, nitro, rocket projector",
    "and a gun.",
    " Are you up for the challenge?",
};

constexpr HelpText kBonusLabels[] = {
    {80, 314, "Gun"},       {80, 362, "Rocket Projector"}, {80, 410, "Nitro"},
    {80, 458, "Life"},      {320, 314, "10 score"},        {320, 362, "20 score"},
    {320, 410, "50 score"}, {320, 458, "100 score"},
};

constexpr const char* kMenuKeyLines[] = {
    "Use the cursor keys or mouse to move the menu cursor up and down.",
    "Press the \"Enter\" key or any mouse button to enter menu options.",
    "Press the \"Left Arrow\", \"Right Arrow\", \"Enter\" keys or any mouse",
    "button to change a menu option.",
    "Press \"Esc\" to back from the submenu to Main Menu.",
};

constexpr const char* kRaceKeyLines[] = {
    "Use the keys \"Arrow Left\" and \"Arrow Right\" to move the car rightwards",
    "or leftwards. Use the keys \"Arrow Up\" and \"Arrow Down\" to speed up",
    "and reduce the speed of the car. Use \"Space\" for handbrake.",
    "Press the keys \"Z\" or \"Ctrl\" to fire the gun or rocket projector.",
    "Press the keys \"X\" or \"Shift\" to use the nitro superengine.",
    "Press \"H\" key for horn. Use \"P\" to pause or resume the game.",
    "Use \"Escape\" key to quit the game to Main Menu.",
    "Use \"Alt\"+\"Enter\" keys to change window/full screen modes.",
};

// The bonus pictures of page 2 come from the race's archive, centred beside their labels.
struct BonusPicture {
    Picture image;
    int cx;
    int cy;
};
constexpr BonusPicture kBonusPictures[8] = {
    {Picture::BonusMGnp, 42, 314}, {Picture::BonusRnp, 42, 362},  {Picture::BonusN, 42, 410},
    {Picture::BonusL, 42, 458},    {Picture::Bonus10, 282, 314},  {Picture::Bonus20, 282, 362},
    {Picture::Bonus50, 282, 410},  {Picture::Bonus100, 282, 458},
};
constexpr int kLogoIndex = 8;

// The about page: the maker and the year the game was made, as its copyright notice gives them.
constexpr const char* kAboutName = "ZARVEX";
constexpr int kAboutNameGaps = 5;  // between its six letters
constexpr int kAboutX = 160;
constexpr int kAboutTwoX = 345;
constexpr const char* kAboutMaker = "\u00A9 2026 the Zarvex 2 developers";

constexpr int kTitleFont = 19;
constexpr int kBodyFont = 20;
constexpr int kLabelFont = 21;

}  // namespace

void THelpScreen::OpenHelp() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::Help;
    screens.FirstButton = 1;
    screens.LastButton = 3;
    screens.SelectedButton = kHelpBack;
    HelpPage = 1;
    CreateMenuBackground(host_);

    TSpriteEngine* engine = &host_.Engine();
    struct ButtonPlace {
        Picture image;
        int x;
        int y;
    };
    constexpr ButtonPlace kButtons[3] = {{Picture::Help_Prev, 537, 512},
                                         {Picture::Help_Next, 622, 435},
                                         {Picture::Opt_Bk, 345, 513}};
    for (int i = 1; i <= 3; ++i) {
        const ButtonPlace& place = kButtons[i - 1];
        screens.MenuButtons[i] =
            new TMenuButton(engine, place.image, place.image, 0, 1, place.x, place.y);
    }
    for (int i = 0; i < 8; ++i) {
        const BonusPicture& bonus = kBonusPictures[i];
        Pictures[i] = TMyImageSprite::CreateCentered(engine, bonus.image, bonus.cx, bonus.cy, 5);
    }
    Pictures[kLogoIndex] = TMyImageSprite::CreateAt(engine, Picture::HelpLogo, 73, 338, 5);
    for (TMyImageSprite* picture : Pictures) picture->Visible = false;
}

void THelpScreen::CloseHelp() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::None;
    screens.KillMenuBackground();
    screens.RemoveButtons();
    for (TMyImageSprite*& picture : Pictures) {
        if (picture != nullptr) picture->Kill();
        picture = nullptr;
    }
}

void THelpScreen::PreviousHelpPage() {
    HelpPage = HelpPage <= 1 || HelpPage > kHelpPageCount ? kHelpPageCount : HelpPage - 1;
}

void THelpScreen::NextHelpPage() {
    HelpPage = HelpPage >= kHelpPageCount || HelpPage < 1 ? 1 : HelpPage + 1;
}

void THelpScreen::HelpFrame(int LagCount) {
    ScreenValues& screens = host_.Screens();
    screens.RefreshHighlight();
    int& selected = screens.SelectedButton;
    // Next lies above Previous: Up on Next turns forward, Down on Previous turns back, and
    // otherwise the two keys move between them.
    if (host_.KeyHit(MenuKey::Up)) {
        if (selected == kHelpNext) {
            host_.ClickButton(kHelpNext);
        } else if (selected == kHelpPrevious) {
            selected = kHelpNext;
        }
    }
    if (host_.KeyHit(MenuKey::Down)) {
        if (selected == kHelpPrevious) {
            host_.ClickButton(kHelpPrevious);
        } else if (selected == kHelpNext) {
            selected = kHelpPrevious;
        }
    }
    if (host_.KeyHit(MenuKey::Left) && (selected == kHelpNext || selected == kHelpPrevious))
        selected = kHelpBack;
    if (host_.KeyHit(MenuKey::Right) && selected == kHelpBack) selected = kHelpPrevious;
    if (host_.KeyHit(MenuKey::Esc)) host_.ClickButton(kHelpBack);
    DrawScreenTitle(host_, "HELP");
    DrawHelpPage();
    host_.Engine().MoveAll(LagCount);
}

// The address the scores are sent to; with none set up beyond this computer, where they go in
// a player's words.
std::string THelpScreen::AboutAddressLine() const {
    if (host_.ScoresStayHere()) return "Scores stay on this computer: no online table is set up.";
    return "Online scores: " + host_.HomePageAddress();
}

void THelpScreen::DrawHelpPage() {
    const int page = HelpPage >= 1 && HelpPage <= kHelpPageCount ? HelpPage : 1;
    auto draw = [&](int x, int y, const std::string& text) {
        host_.DrawText(text, x, y, false, true);
    };
    auto drawLines = [&](const auto& lines, int y) {
        for (const char* line : lines) {
            draw(25, y, line);
            y += kLineStep;
        }
    };

    host_.SetFont(kTitleFont);
    draw(25, 245, kPageTitles[page - 1]);
    host_.SetFont(kBodyFont);
    if (page == 1) drawLines(kOverviewLines, 290);
    if (page == kHelpBonusPage) {
        host_.SetFont(kLabelFont);
        for (const HelpText& label : kBonusLabels) draw(label.x, label.y, label.text);
    }
    for (int i = 0; i < 8; ++i)
        if (Pictures[i] != nullptr) Pictures[i]->Visible = page == kHelpBonusPage;
    if (page == 3 || page == 4) {
        host_.SetFont(kLabelFont);
        draw(25, 300, page == 3 ? "MENU NAVIGATIONS" : "GAME NAVIGATIONS");
        host_.SetFont(kBodyFont);
        if (page == 3) {
            drawLines(kMenuKeyLines, 338);
        } else {
            drawLines(kRaceKeyLines, 338);
        }
    }
    if (page == kHelpAboutPage) {
        // The name spreads its letters so that it and its "2" read as one title: the space
        // before the 2 is two of the gaps between the letters.
        host_.SetFont(kLabelFont);
        const double spare = kAboutTwoX - kAboutX - host_.TextWidthOf(kAboutName);
        host_.DrawSpacedText(kAboutName, kAboutX, 320, spare / (kAboutNameGaps + 2));
        host_.SetFont(kTitleFont);
        draw(kAboutTwoX, 315, "2");
        host_.SetFont(kBodyFont);
        draw(kAboutX, 360, std::string("    ") + kAboutMaker);
        draw(kAboutX, 400, "  " + AboutAddressLine());
    }
    if (Pictures[kLogoIndex] != nullptr) Pictures[kLogoIndex]->Visible = page == kHelpAboutPage;
}
