// What each menu screen shows when it opens: every visible sprite's picture, corner, layer and
// pattern, bottom to top (among equal layers the sprite made later lies underneath), and each
// button's two looks with its mouse hit box.

#include <ostream>
#include <string>
#include <vector>

#include "menu_fixture.h"
#include "sprites/scroll_background.h"

namespace {

struct Shown {
    std::string picture;
    double x, y;
    int z, pattern;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << s.picture << " (" << s.x << ", " << s.y << ") z" << s.z << " #" << s.pattern;
}

struct ScreenLayout {
    const char* name;
    int entry;  // the main menu's entry that opens it; 0 for the main menu itself
    std::vector<Shown> shown;
    // Per button: "normal:pattern highlight:pattern WxH".
    std::vector<std::string> buttons;
};

class ScreenLayoutTest : public MenuTest, public ::testing::WithParamInterface<ScreenLayout> {};

TEST_P(ScreenLayoutTest, EverySpriteAndButtonLookIsInItsPlace) {
    const ScreenLayout& layout = GetParam();
    SkipIntro();
    if (layout.entry != 0) {
        form->Screens.SelectedButton = layout.entry;
        Play("1 type \\r\n");
    }
    runner->RunFrame();  // the selected button takes its highlighted look
    std::vector<Shown> shown;
    for (const TSprite* sprite : form->Components.MDXSpriteEngine.DrawOrder) {
        if (!sprite->Visible || sprite->MarkedDead) continue;
        const auto* image = dynamic_cast<const TImageSprite*>(sprite);
        const bool backdrop = dynamic_cast<const TScrollBackground*>(sprite) != nullptr;
        const std::string picture = image != nullptr && image->Image != nullptr
                                        ? image->Image->Name()
                                        : (backdrop ? "backdrop" : "?");
        shown.push_back(Shown{picture, sprite->X, sprite->Y, sprite->Z(),
                              image != nullptr ? static_cast<int>(image->FramePos) : 0});
    }
    EXPECT_EQ(shown, layout.shown);
    std::vector<std::string> buttons;
    for (int k = form->Screens.FirstButton; k <= form->Screens.LastButton; ++k) {
        const TMenuButton* b = form->Screens.Button(k);
        buttons.push_back(
            std::string(NameOf(b->NormalImage)) + ":" + std::to_string(b->NormalFrame) + " " +
            std::string(NameOf(b->HighlightImage)) + ":" + std::to_string(b->HighlightFrame) + " " +
            std::to_string(b->HitBoxWidth()) + "x" + std::to_string(b->HitBoxHeight()));
    }
    EXPECT_EQ(buttons, layout.buttons);
}

INSTANTIATE_TEST_SUITE_P(
    EveryScreen, ScreenLayoutTest,
    ::testing::Values(ScreenLayout{"MainMenu",
                                   0,
                                   {{"backdrop", 0, 0, 2, 0},
                                    {"MM_6_I", 282, 498, 4, 0},
                                    {"MM_5_I", 512, 342, 4, 0},
                                    {"MM_4_I", 56, 342, 4, 0},
                                    {"MM_3_I", 229, 239, 4, 0},
                                    {"MM_2_I", 323, 133, 4, 0},
                                    {"MM_1_A", 284, 27, 4, 0}},
                                   {"MM_1_I:0 MM_1_A:0 232x90", "MM_2_I:0 MM_2_A:0 154x90",
                                    "MM_3_I:0 MM_3_A:0 342x90", "MM_4_I:0 MM_4_A:0 232x90",
                                    "MM_5_I:0 MM_5_A:0 232x90", "MM_6_I:0 MM_6_A:0 236x90"}},
                      ScreenLayout{"StartGame",
                                   kEntryStartGame,
                                   {{"backdrop", 0, 0, 2, 0},
                                    {"SG_Bk", 198, 218, 3, 0},
                                    {"SG_Car1", 231, 259, 4, 0},
                                    {"SG_Back", 410, 475, 5, 1},
                                    {"SG_Start", 222, 475, 5, 0},
                                    {"SG_Right", 568, 328, 5, 1},
                                    {"SG_Left", 198, 330, 5, 1}},
                                   {"SG_Left:1 SG_Left:0 34x40", "SG_Right:1 SG_Right:0 34x40",
                                    "SG_Start:1 SG_Start:0 168x56", "SG_Back:1 SG_Back:0 168x56"}},
                      ScreenLayout{"Options",
                                   kEntryOptions,
                                   {{"backdrop", 0, 0, 2, 0},
                                    {"OptSoundOn", 115, 383, 3, 0},
                                    {"OptMusicOn", 118, 320, 3, 0},
                                    {"OptWindow", 118, 255, 3, 0},
                                    {"CountryEditBg", 361, 442, 3, 0},
                                    {"Opt_Ctl", 470, 513, 4, 1},
                                    {"Opt_Bk", 345, 513, 4, 0},
                                    {"Null", 118, 436, 4, 0},
                                    {"Null", 118, 375, 4, 0},
                                    {"Null", 118, 312, 4, 0},
                                    {"Null", 118, 248, 4, 0}},
                                   {"Null:0 Opt_1:0 545x64", "Null:0 Opt_2:0 282x62",
                                    "Null:0 Opt_3:0 282x62", "Null:0 Opt_4:0 681x84",
                                    "Opt_Bk:1 Opt_Bk:0 110x50", "Opt_Ctl:1 Opt_Ctl:0 150x50"}},
                      ScreenLayout{"HighScores",
                                   kEntryHighScores,
                                   {{"backdrop", 0, 0, 2, 0},
                                    {"HSTable", 274, 199, 3, 0},
                                    {"HSCaption", 364, 102, 3, 0},
                                    {"HS_Back", 52, 457, 4, 0},
                                    {"HS_View", 0, 335, 4, 1},
                                    {"HS_Clear", 0, 245, 4, 1}},
                                   {"HS_Clear:1 HS_Clear:0 250x80", "HS_View:1 HS_View:0 250x80",
                                    "HS_Back:1 HS_Back:0 170x60"}},
                      ScreenLayout{"Help",
                                   kEntryHelp,
                                   {{"backdrop", 0, 0, 2, 0},
                                    {"Opt_Bk", 345, 513, 4, 0},
                                    {"Help_Next", 622, 435, 4, 1},
                                    {"Help_Prev", 537, 512, 4, 1}},
                                   {"Help_Prev:1 Help_Prev:0 80x60",
                                    "Help_Next:1 Help_Next:0 80x60", "Opt_Bk:1 Opt_Bk:0 110x50"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
