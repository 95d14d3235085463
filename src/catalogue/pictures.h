#pragma once
// Every picture of the game's two image archives, named once: the code names a picture through
// this enumeration (a misspelt name does not compile), and the table beside it holds what the
// archive must give for it: the image list it lies in, the size of one pattern, the number of
// patterns and whether the key colour is see-through. The game, the asset generator, the tests'
// stand-in archives and the asset tests all read this one table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// In the order of the archives: image list 1, then image list 2.
enum class Picture : uint8_t {
    // Image list 1: the main menu's backdrop and its six buttons in their three looks (_0 normal,
    // _A highlighted, _I the intro's fade-in).
    MMBG,
    MM_1_0,
    MM_1_A,
    MM_1_I,
    MM_2_0,
    MM_2_A,
    MM_2_I,
    MM_3_0,
    MM_3_A,
    MM_3_I,
    MM_4_0,
    MM_4_A,
    MM_4_I,
    MM_5_0,
    MM_5_A,
    MM_5_I,
    MM_6_0,
    MM_6_A,
    MM_6_I,
    // The windows: the question panel, its titles, Yes and No, the name entry and its check box and
    // cursor.
    Window,
    Win_EG,
    Win_ExitToMenu,
    Win_ClearHS,
    Yes,
    No,
    SendTable,
    SendOk,
    Cursor2,
    // The start-game screen: the showroom, the six cars, the arrows, Start and Back.
    SG_Bk,
    SG_Car1,
    SG_Car2,
    SG_Car3,
    SG_Car4,
    SG_Car5,
    SG_Car6,
    SG_Left,
    SG_Right,
    SG_Start,
    SG_Back,
    // The options screen: the country field, the setting rows, their highlight frames, Back, the
    // cursor.
    CountryEditBg,
    OptFullScreen,
    OptWindow,
    OptMusicOn,
    OptMusicOff,
    OptSoundOn,
    OptSoundOff,
    Null,
    Opt_1,
    Opt_2,
    Opt_3,
    Opt_4,
    Opt_Bk,
    Cursor,
    // The high-score screen.
    HSCaption,
    HSTable,
    HS_Clear,
    HS_View,
    HS_Back,
    // The help screen.
    Help_Prev,
    Help_Next,
    HelpLogo,
    // The controls screen: the options screen's button that leads to it, the highlight of an
    // action's row, Defaults, and the title of the question that restores the defaults.
    Opt_Ctl,
    Ctl_Row,
    Ctl_Def,
    Win_Defaults,
    // Image list 2: the road tiles (one pattern per map code).
    Tiles,
    // The six player cars, nose up, and what the car leaves and shows.
    Car1,
    Car2,
    Car3,
    Car4,
    Car5,
    Car6,
    NitroAnim,
    Handbrake,
    Blood,
    ExplosionBig,
    // The weapons: the gun and the rocket pods coming out (six steps each), the gun firing, the
    // rocket.
    GunAnim_1,
    GunAnim_2,
    GunAnim_3,
    GunAnim_4,
    GunAnim_5,
    GunAnim_6,
    RocketAnim_1,
    RocketAnim_2,
    RocketAnim_3,
    RocketAnim_4,
    RocketAnim_5,
    RocketAnim_6,
    GunShooting,
    Rocket,
    EngineFire,
    Explosion,
    // The five traffic models, one pattern per direction they can face.
    Car7,
    Car8,
    Car9,
    Car10,
    Car11,
    // The pedestrians: four walking directions of five patterns each, and lying on the road.
    Man_Up,
    Man_Down,
    Man_Left,
    Man_Right,
    Man_Laying,
    Girl_Up,
    Girl_Down,
    Girl_Left,
    Girl_Right,
    Girl_Laying,
    // The bonus tokens, the street lamps and the finish line.
    Bonus10,
    Bonus20,
    Bonus50,
    Bonus100,
    BonusL,
    BonusN,
    BonusMGnp,
    BonusRnp,
    Lamp_L,
    Lamp_R,
    Lamp_RL,
    Lamp_RR,
    Lamp_LR,
    Lamp_LL,
    FinishLine,
    // The HUD: the panel, the speedometer needle, the progress marker, the energy gauge and the
    // icons.
    Panel,
    Pointer,
    SmallCar,
    Energy,
    BonusNitro,
    BonusM,
    BonusR,
};

struct PictureInfo {
    std::string_view Name;  // the name in the archive
    int List;               // image list 1 (menus and windows) or 2 (the race)
    int PatternWidth;
    int PatternHeight;
    int Patterns;      // laid side by side in one row
    bool Transparent;  // the key colour (magenta) is left out when drawn
};

inline constexpr std::array<PictureInfo, 129> kPictures = {{
    // Image list 1: the main menu's backdrop and its six buttons in their three looks (_0 normal,
    // _A highlighted, _I the intro's fade-in).
    {"MMBG", 1, 800, 600, 1, false},
    {"MM_1_0", 1, 232, 90, 1, true},
    {"MM_1_A", 1, 232, 90, 1, true},
    {"MM_1_I", 1, 232, 90, 1, true},
    {"MM_2_0", 1, 154, 90, 1, true},
    {"MM_2_A", 1, 154, 90, 1, true},
    {"MM_2_I", 1, 154, 90, 1, true},
    {"MM_3_0", 1, 342, 90, 1, true},
    {"MM_3_A", 1, 342, 90, 1, true},
    {"MM_3_I", 1, 342, 90, 1, true},
    {"MM_4_0", 1, 232, 90, 1, true},
    {"MM_4_A", 1, 232, 90, 1, true},
    {"MM_4_I", 1, 232, 90, 1, true},
    {"MM_5_0", 1, 232, 90, 1, true},
    {"MM_5_A", 1, 232, 90, 1, true},
    {"MM_5_I", 1, 232, 90, 1, true},
    {"MM_6_0", 1, 236, 90, 1, true},
    {"MM_6_A", 1, 236, 90, 1, true},
    {"MM_6_I", 1, 236, 90, 1, true},
    // The windows: the question panel, its titles, Yes and No, the name entry and its check box and
    // cursor.
    {"Window", 1, 320, 120, 1, true},
    {"Win_EG", 1, 106, 36, 1, true},
    {"Win_ExitToMenu", 1, 144, 36, 1, true},
    {"Win_ClearHS", 1, 160, 50, 1, true},
    {"Yes", 1, 73, 40, 2, true},
    {"No", 1, 73, 40, 2, true},
    {"SendTable", 1, 442, 330, 1, false},
    {"SendOk", 1, 55, 46, 2, true},
    {"Cursor2", 1, 16, 4, 1, false},
    // The start-game screen: the showroom, the six cars, the arrows, Start and Back.
    {"SG_Bk", 1, 404, 242, 1, false},
    {"SG_Car1", 1, 338, 160, 1, false},
    {"SG_Car2", 1, 338, 160, 1, false},
    {"SG_Car3", 1, 338, 160, 1, false},
    {"SG_Car4", 1, 338, 160, 1, false},
    {"SG_Car5", 1, 338, 160, 1, false},
    {"SG_Car6", 1, 338, 160, 1, false},
    {"SG_Left", 1, 34, 40, 2, true},
    {"SG_Right", 1, 34, 40, 2, true},
    {"SG_Start", 1, 168, 56, 2, true},
    {"SG_Back", 1, 168, 56, 2, true},
    // The options screen: the country field, the setting rows, their highlight frames, Back, the
    // cursor.
    {"CountryEditBg", 1, 400, 56, 1, false},
    {"OptFullScreen", 1, 440, 50, 1, true},
    {"OptWindow", 1, 440, 50, 1, true},
    {"OptMusicOn", 1, 270, 48, 1, true},
    {"OptMusicOff", 1, 270, 48, 1, true},
    {"OptSoundOn", 1, 270, 48, 1, true},
    {"OptSoundOff", 1, 270, 48, 1, true},
    {"Null", 1, 1, 1, 1, true},
    {"Opt_1", 1, 460, 64, 1, true},
    {"Opt_2", 1, 280, 62, 1, true},
    {"Opt_3", 1, 280, 62, 1, true},
    {"Opt_4", 1, 662, 80, 1, true},
    {"Opt_Bk", 1, 110, 50, 2, true},
    {"Cursor", 1, 16, 4, 1, false},
    // The high-score screen.
    {"HSCaption", 1, 398, 92, 1, true},
    {"HSTable", 1, 526, 401, 1, true},
    {"HS_Clear", 1, 250, 80, 2, true},
    {"HS_View", 1, 250, 80, 2, true},
    {"HS_Back", 1, 170, 60, 2, true},
    // The help screen.
    {"Help_Prev", 1, 80, 60, 2, true},
    {"Help_Next", 1, 80, 60, 2, true},
    {"HelpLogo", 1, 80, 80, 1, true},
    // The controls screen: the options screen's button that leads to it, the highlight of an
    // action's row, Defaults, and the title of the question that restores the defaults.
    {"Opt_Ctl", 1, 150, 50, 2, true},
    {"Ctl_Row", 1, 680, 28, 1, true},
    {"Ctl_Def", 1, 150, 50, 2, true},
    {"Win_Defaults", 1, 200, 50, 1, true},
    // Image list 2: the road tiles (one pattern per map code).
    {"Tiles", 2, 72, 72, 61, false},
    // The six player cars, nose up, and what the car leaves and shows.
    {"Car1", 2, 64, 156, 1, true},
    {"Car2", 2, 62, 148, 1, true},
    {"Car3", 2, 82, 156, 1, true},
    {"Car4", 2, 62, 134, 1, true},
    {"Car5", 2, 68, 154, 1, true},
    {"Car6", 2, 64, 144, 1, true},
    {"NitroAnim", 2, 16, 51, 4, true},
    {"Handbrake", 2, 10, 14, 1, true},
    {"Blood", 2, 10, 14, 1, true},
    {"ExplosionBig", 2, 64, 64, 14, true},
    // The weapons: the gun and the rocket pods coming out (six steps each), the gun firing, the
    // rocket.
    {"GunAnim_1", 2, 104, 114, 1, true},
    {"GunAnim_2", 2, 104, 114, 1, true},
    {"GunAnim_3", 2, 104, 114, 1, true},
    {"GunAnim_4", 2, 104, 114, 1, true},
    {"GunAnim_5", 2, 104, 114, 1, true},
    {"GunAnim_6", 2, 104, 114, 1, true},
    {"RocketAnim_1", 2, 104, 114, 1, true},
    {"RocketAnim_2", 2, 104, 114, 1, true},
    {"RocketAnim_3", 2, 104, 114, 1, true},
    {"RocketAnim_4", 2, 104, 114, 1, true},
    {"RocketAnim_5", 2, 104, 114, 1, true},
    {"RocketAnim_6", 2, 104, 114, 1, true},
    {"GunShooting", 2, 104, 114, 1, true},
    {"Rocket", 2, 12, 24, 1, true},
    {"EngineFire", 2, 18, 50, 4, true},
    {"Explosion", 2, 64, 64, 10, true},
    // The five traffic models, one pattern per direction they can face.
    {"Car7", 2, 98, 134, 6, true},
    {"Car8", 2, 120, 170, 6, true},
    {"Car9", 2, 34, 58, 6, true},
    {"Car10", 2, 93, 152, 6, true},
    {"Car11", 2, 168, 240, 6, true},
    // The pedestrians: four walking directions of five patterns each, and lying on the road.
    {"Man_Up", 2, 54, 54, 5, true},
    {"Man_Down", 2, 54, 54, 5, true},
    {"Man_Left", 2, 54, 54, 5, true},
    {"Man_Right", 2, 54, 54, 5, true},
    {"Man_Laying", 2, 54, 54, 1, true},
    {"Girl_Up", 2, 54, 54, 5, true},
    {"Girl_Down", 2, 54, 54, 5, true},
    {"Girl_Left", 2, 54, 54, 5, true},
    {"Girl_Right", 2, 54, 54, 5, true},
    {"Girl_Laying", 2, 54, 54, 1, true},
    // The bonus tokens, the street lamps and the finish line.
    {"Bonus10", 2, 34, 34, 1, true},
    {"Bonus20", 2, 34, 34, 1, true},
    {"Bonus50", 2, 34, 34, 1, true},
    {"Bonus100", 2, 34, 34, 1, true},
    {"BonusL", 2, 34, 34, 1, true},
    {"BonusN", 2, 34, 34, 1, true},
    {"BonusMGnp", 2, 34, 34, 1, true},
    {"BonusRnp", 2, 34, 34, 1, true},
    {"Lamp_L", 2, 85, 19, 1, true},
    {"Lamp_R", 2, 85, 19, 1, true},
    {"Lamp_RL", 2, 76, 42, 1, true},
    {"Lamp_RR", 2, 76, 42, 1, true},
    {"Lamp_LR", 2, 76, 42, 1, true},
    {"Lamp_LL", 2, 76, 42, 1, true},
    {"FinishLine", 2, 72, 18, 1, false},
    // The HUD: the panel, the speedometer needle, the progress marker, the energy gauge and the
    // icons.
    {"Panel", 2, 190, 600, 1, false},
    {"Pointer", 2, 64, 8, 1, true},
    {"SmallCar", 2, 14, 24, 1, true},
    {"Energy", 2, 66, 20, 4, false},
    {"BonusNitro", 2, 42, 42, 1, true},
    {"BonusM", 2, 42, 42, 1, true},
    {"BonusR", 2, 42, 42, 1, true},
}};

constexpr const PictureInfo& InfoOf(Picture picture) {
    return kPictures[static_cast<size_t>(picture)];
}
constexpr std::string_view NameOf(Picture picture) {
    return InfoOf(picture).Name;
}
constexpr int ListOf(Picture picture) {
    return InfoOf(picture).List;
}

// The road tiles of a straight road's edge cells (map codes 1 and 4) carry the kerb along their
// outer side, this many pixels wide; the rest of those cells is asphalt, as far as the road goes.
inline constexpr int kRoadKerbWidth = 4;

// The picture of that name, compared as the archives compare names (without regard to case);
// false when the catalogue has none.
bool FindPicture(std::string_view name, Picture& picture);

// ---- Pictures the game picks by number ---------------------------------------------------------
// Each run below lies in the enumeration in order, so a number counts along it; a number outside
// the run gives its first picture.

namespace picture_runs {
constexpr Picture Step(Picture first, int index, int count) {
    return static_cast<Picture>(static_cast<int>(first) +
                                (index >= 0 && index < count ? index : 0));
}
}  // namespace picture_runs

// Player car 1 to 6 ("Car1" .. "Car6"), nose up.
constexpr Picture PlayerCarPicture(int car) {
    return picture_runs::Step(Picture::Car1, car - 1, 6);
}
// Player car 1 to 6 in the start-game screen's showroom ("SG_Car1" .. "SG_Car6").
constexpr Picture ShowroomCarPicture(int car) {
    return picture_runs::Step(Picture::SG_Car1, car - 1, 6);
}
// The looks of a main-menu button: normal, highlighted, and normal again once the intro's fade-in
// is over (drawn to look like the normal one).
enum class ButtonLook { Normal = 0, Highlighted = 1, AfterIntro = 2 };
// Main-menu entry 1 to 6 ("MM_<entry>_0", "_A", "_I").
constexpr Picture MainMenuButtonPicture(int entry, ButtonLook look) {
    return picture_runs::Step(Picture::MM_1_0, (entry - 1) * 3 + static_cast<int>(look), 18);
}
// Step 1 to 6 of the machine gun ("GunAnim_<step>") or the rocket pods ("RocketAnim_<step>")
// coming out of the car's roof.
constexpr Picture GunPicture(int step) {
    return picture_runs::Step(Picture::GunAnim_1, step - 1, 6);
}
constexpr Picture RocketPodPicture(int step) {
    return picture_runs::Step(Picture::RocketAnim_1, step - 1, 6);
}
