// The help screen: the five pages with their texts and pictures, and the paging keys.

#include <cstdlib>
#include <vector>

#include "menu_fixture.h"
#include "persist/web_links.h"

namespace {

class HelpTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        SkipIntro();
        OpenHelp();
    }
    void OpenHelp() {
        form->Screens.SelectedButton = kEntryHelp;
        Play("1 type \\r\n");
        ASSERT_EQ(form->Screens.ScreenState, GameScreen::Help);
        screen = &form->FrontEnd.HelpScreen;
    }
    bool BonusesShown() const {
        for (int i = 0; i < 8; ++i)
            if (!screen->Pictures[i]->Visible) return false;
        return true;
    }
    bool AnyBonusShown() const {
        for (int i = 0; i < 8; ++i)
            if (screen->Pictures[i]->Visible) return true;
        return false;
    }
    bool LogoShown() const { return screen->Pictures[8]->Visible; }
    THelpScreen* screen = nullptr;
};

struct Line {
    int font;
    int x;
    int y;
    std::string text;
};

// Every page as the player must read it, after the screen title "HELP".
std::vector<std::vector<Line>> ExpectedPages(const std::string& aboutYearLine,
                                             const std::string& aboutAddressLine) {
    return {
        {{19, 25, 245, "GAME OVERVIEW"},
         {20, 25, 290, " The game \"Zarvex 2\" presents a breathtaking variety of"},
         {20, 25, 314, "races. You drive a racing car and your task is to finish first. Thirst"},
         {20, 25, 338, "for speed and danger makes the game more captivating."},
         {20, 25, 362, " You are to take a new route full of obstacles in a limited period"},
         {20, 25, 386, "of time at each level. The obstacles reduce the speed, skid your car"},
         {20, 25, 410, "or cause a car crash. The opponents' cars will stand in your way."},
         {20, 25, 434, "You can pick up such bonuses as scores, life, nitro, rocket projector"},
         {20, 25, 458, "and a gun."},
         {20, 25, 482, " Are you up for the challenge?"}},
        {{19, 25, 245, "BONUSES"},
         {21, 80, 314, "Gun"},
         {21, 80, 362, "Rocket Projector"},
         {21, 80, 410, "Nitro"},
         {21, 80, 458, "Life"},
         {21, 320, 314, "10 score"},
         {21, 320, 362, "20 score"},
         {21, 320, 410, "50 score"},
         {21, 320, 458, "100 score"}},
        {{19, 25, 245, "CONTROLS"},
         {21, 25, 300, "MENU NAVIGATIONS"},
         {20, 25, 338, "Use the cursor keys or mouse to move the menu cursor up and down."},
         {20, 25, 362, "Press the \"Enter\" key or any mouse button to enter menu options."},
         {20, 25, 386, "Press the \"Left Arrow\", \"Right Arrow\", \"Enter\" keys or any mouse"},
         {20, 25, 410, "button to change a menu option."},
         {20, 25, 434, "Press \"Esc\" to back from the submenu to Main Menu."}},
        {{19, 25, 245, "CONTROLS"},
         {21, 25, 300, "GAME NAVIGATIONS"},
         {20, 25, 338,
          "Use the keys \"Arrow Left\" and \"Arrow Right\" to move the car rightwards"},
         {20, 25, 362, "or leftwards. Use the keys \"Arrow Up\" and \"Arrow Down\" to speed up"},
         {20, 25, 386, "and reduce the speed of the car. Use \"Space\" for handbrake."},
         {20, 25, 410, "Press the keys \"Z\" or \"Ctrl\" to fire the gun or rocket projector."},
         {20, 25, 434, "Press the keys \"X\" or \"Shift\" to use the nitro superengine."},
         {20, 25, 458, "Press \"H\" key for horn. Use \"P\" to pause or resume the game."},
         {20, 25, 482, "Use \"Escape\" key to quit the game to Main Menu."},
         {20, 25, 506, "Use \"Alt\"+\"Enter\" keys to change window/full screen modes."}},
        {{19, 25, 245, "ABOUT"},
         {21, 160, 320, "ZARVEX"},
         {19, 345, 315, "2"},
         {20, 160, 360, aboutYearLine},
         {20, 160, 400, aboutAddressLine}},
    };
}

TEST_F(HelpTest, EveryPageDrawsItsTextsInTheirFontsAndPlacesAndShowsOnlyItsPictures) {
    unsetenv(kScoreServerVariable);
    const auto pages = ExpectedPages("    \u00A9 2026 the Zarvex 2 developers",
                                     "  Scores stay on this computer: no online table is set up.");
    for (int page = 1; page <= 5; ++page) {
        if (page > 1) ClickOn(kHelpNext);  // the page turns with the click, before the frame
        ASSERT_EQ(screen->HelpPage, page);
        const std::vector<DrawnText> drawn = TextsOfNextFrame();
        const std::vector<Line>& expected = pages[page - 1];
        ASSERT_EQ(drawn.size(), expected.size() + 1) << "page " << page;
        EXPECT_EQ(drawn[0].text, "HELP");
        EXPECT_EQ(drawn[0].font, 15);
        EXPECT_EQ(drawn[0].x, 563);
        EXPECT_EQ(drawn[0].y, 148);
        for (size_t i = 0; i < expected.size(); ++i) {
            const DrawnText& d = drawn[i + 1];
            EXPECT_EQ(d.text, expected[i].text) << "page " << page;
            EXPECT_EQ(d.font, expected[i].font) << d.text;
            EXPECT_EQ(d.x, expected[i].x) << d.text;
            EXPECT_EQ(d.y, expected[i].y) << d.text;
            EXPECT_FALSE(d.centreX) << d.text;
            EXPECT_TRUE(d.centreY) << d.text;
        }
        EXPECT_EQ(BonusesShown(), page == 2) << "page " << page;
        EXPECT_EQ(AnyBonusShown(), page == 2) << "page " << page;
        EXPECT_EQ(LogoShown(), page == 5) << "page " << page;
    }
    // The bonus pictures sit centred beside their labels, from the race's archive.
    EXPECT_EQ(screen->Pictures[0]->ImageList, 2);
    EXPECT_EQ(screen->Pictures[0]->X + screen->Pictures[0]->Width / 2.0, 42);
    EXPECT_EQ(screen->Pictures[7]->Y + screen->Pictures[7]->Height / 2.0, 458);
}

// With a score server elsewhere the about page gives its address. Its title reads as one name:
// the letters of "ZARVEX" spread so that the gap before the "2" is two of their gaps.
TEST_F(HelpTest, TheAboutPageNamesTheScoreServerAndSpreadsItsTitle) {
    setenv(kScoreServerVariable, "http://scores.example.org", 1);
    screen->HelpPage = kHelpAboutPage;
    const std::vector<DrawnText> drawn = TextsOfNextFrame();
    unsetenv(kScoreServerVariable);
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(drawn[5].text, "  Online scores: http://scores.example.org/");
    // On the surface: the name's ink runs from x 160 to two gaps short of the 2 at x 345.
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(form->Components.MDXDraw.ReadPixels(pixels));
    auto inkIn = [&](int x0, int x1) {
        int ink = 0;
        for (int y = 310; y <= 330; ++y)
            for (int x = x0; x < x1; ++x)
                ink += (pixels[static_cast<size_t>(y) * 800 + x] & 0xFF) > 0xC0 ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkIn(160, 175), 0) << "the Z";
    EXPECT_GT(inkIn(290, 310), 0) << "the X, far to the right";
    EXPECT_EQ(inkIn(312, 343), 0) << "the gap before the 2";
    EXPECT_GT(inkIn(345, 365), 0) << "the 2";
}

// The body text (font 20) is set in a face with lower case, easier to read in long lines than
// capitals; the page titles and labels (fonts 19 and 21) keep the menus' capitals. In a face of
// capitals only, the lower-case alphabet is as wide as the upper-case one.
TEST_F(HelpTest, OnlyTheBodyTextHasLowerCase) {
    struct FaceRule {
        int font;
        bool lowerCase;
    };
    for (const FaceRule rule : {FaceRule{19, false}, FaceRule{20, true}, FaceRule{21, false}}) {
        form->Components.SetFont(rule.font);
        const int lower = form->Components.TextWidthOf("llllllllllllllllllll");
        const int upper = form->Components.TextWidthOf("LLLLLLLLLLLLLLLLLLLL");
        ASSERT_GT(upper, 0) << "font " << rule.font;
        EXPECT_EQ(lower * 2 < upper, rule.lowerCase)
            << "font " << rule.font << ": " << lower << " against " << upper;
    }
}

TEST_F(HelpTest, PagesWrapBothWaysAndPicturesFollowInTheSameFrame) {
    form->Screens.SelectedButton = kHelpPrevious;
    Press("Down");  // Down on Previous turns back: from page 1 to the about page
    EXPECT_EQ(screen->HelpPage, 5);
    EXPECT_TRUE(LogoShown());
    form->Screens.SelectedButton = kHelpNext;
    Press("Up");  // Up on Next turns forward: from 5 to 1
    EXPECT_EQ(screen->HelpPage, 1);
    EXPECT_FALSE(LogoShown());
    Press("Up");
    EXPECT_EQ(screen->HelpPage, 2);
    EXPECT_TRUE(BonusesShown());
    form->Screens.SelectedButton = kHelpPrevious;
    Press("Down");
    EXPECT_EQ(screen->HelpPage, 1);
    EXPECT_FALSE(AnyBonusShown());
}

TEST_F(HelpTest, KeysMoveBetweenTheButtonsAndEscGoesBack) {
    struct KeyRule {
        const char* key;
        int from;
        int to;
        int pageStep;
    };
    const KeyRule rules[] = {
        {"Up", 1, 2, 0},   {"Up", 2, 2, 1},    {"Up", 3, 3, 0},    {"Down", 1, 1, -1},
        {"Down", 2, 1, 0}, {"Down", 3, 3, 0},  {"Left", 1, 3, 0},  {"Left", 2, 3, 0},
        {"Left", 3, 3, 0}, {"Right", 3, 1, 0}, {"Right", 1, 1, 0}, {"Right", 2, 2, 0},
    };
    for (const KeyRule& rule : rules) {
        screen->HelpPage = 3;
        form->Screens.SelectedButton = rule.from;
        Press(rule.key);
        EXPECT_EQ(form->Screens.SelectedButton, rule.to) << rule.key << " from " << rule.from;
        EXPECT_EQ(screen->HelpPage, 3 + rule.pageStep) << rule.key << " from " << rule.from;
    }
    Press("Esc");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Screens.SelectedButton, kEntryHelp);
    // Every opening starts on page 1, with Back selected: Enter at once goes back.
    OpenHelp();
    EXPECT_EQ(screen->HelpPage, 1);
    Play("1 type \\r\n");
    EXPECT_EQ(form->Screens.ScreenState, GameScreen::MainMenu);
    EXPECT_EQ(form->Components.MDXSpriteEngine.SpriteCount, 7);
}

}  // namespace
