#pragma once
// The help screen: five pages under the title "HELP" (the game, the bonuses, the menu keys, the
// race keys, about), turned with two arrow buttons that wrap round, and Back.

#include <array>
#include <string>

class MenuHost;
class TMyImageSprite;

// The screen's buttons.
enum HelpButton {
    kHelpPrevious = 1,
    kHelpNext = 2,
    kHelpBack = 3,
};

constexpr int kHelpPageCount = 5;
constexpr int kHelpBonusPage = 2;
constexpr int kHelpAboutPage = 5;

class THelpScreen {
public:
    explicit THelpScreen(MenuHost& host) : host_(host) {}

    void OpenHelp();
    void CloseHelp();
    void PreviousHelpPage();
    void NextHelpPage();
    // The screen's routine for one frame with no window open.
    void HelpFrame(int LagCount);
    // The current page's texts, and its pictures shown (the others hidden).
    void DrawHelpPage();

    // 1 to 5; every opening starts on page 1.
    int HelpPage = 1;
    // The bonus pictures of page 2 and, last, the logo of page 5.
    std::array<TMyImageSprite*, 9> Pictures{};

private:
    std::string AboutAddressLine() const;

    MenuHost& host_;
};
