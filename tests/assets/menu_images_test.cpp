// Image archive 1 as the asset generator draws it: every picture the menus and windows ask for,
// in the size, pattern layout and transparency the screens rely on, and readable where the game
// writes text over it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

// The asset generator's headers live with its sources.
#include "assetgen/asset_parts.h"
#include "catalogue/pictures.h"

namespace {

constexpr uint32_t kKey = 0x00FF00FF;

struct Rect {
    int x, y, w, h;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
};

struct Expected {
    std::string name;
    int patternWidth;
    int patternHeight;
    int patterns;
    bool transparent;
};

// Every picture of image list 1 in the catalogue, with the size and layout the screens are laid
// out for.
std::vector<Expected> ExpectedPictures() {
    std::vector<Expected> expected;
    for (const PictureInfo& info : kPictures) {
        if (info.List != 1) continue;
        expected.push_back({std::string(info.Name), info.PatternWidth, info.PatternHeight,
                            info.Patterns, info.Transparent});
    }
    return expected;
}
const std::vector<Expected> kExpected = ExpectedPictures();

// Where the screens and windows put each picture (top-left corners on the 800 × 600 surface).
const std::map<std::string, std::pair<int, int>> kPlaces = {
    {"MMBG", {0, 0}},
    {"MM_1_0", {284, 27}},
    {"MM_2_0", {323, 133}},
    {"MM_3_0", {229, 239}},
    {"MM_4_0", {56, 342}},
    {"MM_5_0", {512, 342}},
    {"MM_6_0", {282, 498}},
    {"Window", {188, 237}},
    {"Win_EG", {295, 248}},
    {"Win_ExitToMenu", {276, 248}},
    {"Win_ClearHS", {268, 237}},
    {"Yes", {237, 296}},
    {"No", {386, 296}},
    {"SendTable", {127, 135}},
    {"SendOk", {161, 369}},
    {"SG_Bk", {198, 218}},
    {"SG_Car1", {231, 259}},
    {"SG_Left", {198, 330}},
    {"SG_Right", {568, 328}},
    {"SG_Start", {222, 475}},
    {"SG_Back", {410, 475}},
    {"CountryEditBg", {361, 442}},
    {"OptFullScreen", {118, 255}},
    {"OptMusicOn", {118, 320}},
    {"OptSoundOn", {115, 383}},
    {"Opt_1", {118, 248}},
    {"Opt_2", {118, 312}},
    {"Opt_3", {118, 375}},
    {"Opt_4", {118, 436}},
    {"Opt_Bk", {345, 513}},
    {"HSCaption", {364, 102}},
    {"HSTable", {274, 199}},
    {"HS_Clear", {0, 245}},
    {"HS_View", {0, 335}},
    {"HS_Back", {52, 457}},
    {"Help_Prev", {537, 512}},
    {"Help_Next", {622, 435}},
    {"HelpLogo", {73, 338}},
    {"Opt_Ctl", {470, 513}},
    {"Ctl_Row", {60, 232}},  // the first action's row; the tenth lies 9 x 28 lower
    {"Ctl_Def", {255, 527}},
    {"Win_Defaults", {248, 237}},
};

const char* const kTwoStateButtons[] = {
    "Yes",      "No",      "SG_Left", "SG_Right",  "SG_Start",  "SG_Back", "Opt_Bk",
    "HS_Clear", "HS_View", "HS_Back", "Help_Prev", "Help_Next", "Opt_Ctl", "Ctl_Def"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool IsKey(uint32_t pixel) {
    return (pixel & 0xFFFFFF) == kKey;
}

double Luminance(uint32_t pixel) {
    return 0.299 * ((pixel >> 16) & 0xFF) + 0.587 * ((pixel >> 8) & 0xFF) + 0.114 * (pixel & 0xFF);
}

struct Stats {
    double mean = 0;
    double deviation = 0;
    double brightest = 0;
};

class MenuImagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        images_ = new std::vector<ImageEntry>(BuildMenuImages());
        for (const ImageEntry& entry : *images_) byName_[Lower(entry.name)] = &entry;
    }
    static void TearDownTestSuite() {
        byName_.clear();
        delete images_;
        images_ = nullptr;
    }

    static const ImageEntry& Get(const std::string& name) {
        auto it = byName_.find(Lower(name));
        if (it == byName_.end()) throw std::runtime_error("no image " + name);
        return *it->second;
    }
    static int PatternWidth(const ImageEntry& e) {
        return e.patternWidth > 0 ? e.patternWidth : e.picture.width;
    }
    static int PatternHeight(const ImageEntry& e) {
        return e.patternHeight > 0 ? e.patternHeight : e.picture.height;
    }
    static int PatternCount(const ImageEntry& e) {
        return (e.picture.width / PatternWidth(e)) * (e.picture.height / PatternHeight(e));
    }
    static uint32_t Pixel(const ImageEntry& e, int pattern, int x, int y) {
        return e.picture.At(pattern * PatternWidth(e) + x, y);
    }
    static Rect Placed(const std::string& name) {
        const ImageEntry& e = Get(name);
        const auto& [x, y] = kPlaces.at(name);
        return {x, y, PatternWidth(e), PatternHeight(e)};
    }
    // Luminance of a region of one pattern, key pixels left out.
    static Stats RegionStats(const ImageEntry& e, int pattern, Rect r) {
        double sum = 0;
        double sumSquares = 0;
        Stats stats;
        int count = 0;
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                const uint32_t p = Pixel(e, pattern, x, y);
                if (e.transparent && IsKey(p)) continue;
                const double l = Luminance(p);
                sum += l;
                sumSquares += l * l;
                stats.brightest = std::max(stats.brightest, l);
                ++count;
            }
        if (count == 0) return stats;
        stats.mean = sum / count;
        stats.deviation = std::sqrt(std::max(0.0, sumSquares / count - stats.mean * stats.mean));
        return stats;
    }
    // Mean luminance of a whole pattern as it shows on a black screen (key pixels count as 0).
    static double ShownBrightness(const ImageEntry& e, int pattern) {
        double sum = 0;
        for (int y = 0; y < PatternHeight(e); ++y)
            for (int x = 0; x < PatternWidth(e); ++x) {
                const uint32_t p = Pixel(e, pattern, x, y);
                if (!IsKey(p)) sum += Luminance(p);
            }
        return sum / (PatternWidth(e) * PatternHeight(e));
    }

    static std::vector<ImageEntry>* images_;
    static std::map<std::string, const ImageEntry*> byName_;
};

std::vector<ImageEntry>* MenuImagesTest::images_ = nullptr;
std::map<std::string, const ImageEntry*> MenuImagesTest::byName_;

TEST_F(MenuImagesTest, HoldsEveryNameOnceIgnoringCase) {
    std::set<std::string> seen;
    for (const ImageEntry& entry : *images_)
        EXPECT_TRUE(seen.insert(Lower(entry.name)).second) << "twice: " << entry.name;
    EXPECT_EQ(images_->size(), kExpected.size());
    EXPECT_EQ(kExpected.size(), 65u);
    for (const Expected& expected : kExpected)
        EXPECT_TRUE(byName_.count(Lower(expected.name))) << "missing: " << expected.name;
    // The screens ask by the exact spelling.
    for (const Expected& expected : kExpected) {
        if (byName_.count(Lower(expected.name))) {
            EXPECT_EQ(Get(expected.name).name, expected.name);
        }
    }
}

TEST_F(MenuImagesTest, SizesPatternsAndTransparencyMatchTheLayout) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.name);
        const ImageEntry& e = Get(expected.name);
        EXPECT_EQ(PatternWidth(e), expected.patternWidth);
        EXPECT_EQ(PatternHeight(e), expected.patternHeight);
        // All patterns in one row, nothing skipped.
        EXPECT_EQ(e.picture.width, expected.patternWidth * expected.patterns);
        EXPECT_EQ(e.picture.height, expected.patternHeight);
        EXPECT_EQ(e.skipWidth, 0);
        EXPECT_EQ(e.skipHeight, 0);
        EXPECT_FALSE(e.systemMemory);
        EXPECT_EQ(PatternCount(e), expected.patterns);
        EXPECT_EQ(e.transparent, expected.transparent);
        if (e.transparent) {
            EXPECT_EQ(e.transparentColor, kKey);
        }
        EXPECT_EQ(e.picture.pixels.size(), static_cast<size_t>(e.picture.width) * e.picture.height);
    }
}

TEST_F(MenuImagesTest, PicturesThatReplaceEachOtherShareOneSize) {
    const std::vector<std::vector<std::string>> groups = {
        {"MM_1_0", "MM_1_A", "MM_1_I"},
        {"MM_2_0", "MM_2_A", "MM_2_I"},
        {"MM_3_0", "MM_3_A", "MM_3_I"},
        {"MM_4_0", "MM_4_A", "MM_4_I"},
        {"MM_5_0", "MM_5_A", "MM_5_I"},
        {"MM_6_0", "MM_6_A", "MM_6_I"},
        {"OptFullScreen", "OptWindow"},
        {"OptMusicOn", "OptMusicOff"},
        {"OptSoundOn", "OptSoundOff"},
        {"SG_Car1", "SG_Car2", "SG_Car3", "SG_Car4", "SG_Car5", "SG_Car6"},
    };
    for (const auto& group : groups) {
        const ImageEntry& first = Get(group.front());
        for (const std::string& name : group) {
            EXPECT_EQ(Get(name).picture.width, first.picture.width) << name;
            EXPECT_EQ(Get(name).picture.height, first.picture.height) << name;
        }
    }
}

TEST_F(MenuImagesTest, KeyColourOnlyWhereSeeThroughAndNothingCloseToIt) {
    for (const ImageEntry& e : *images_) {
        SCOPED_TRACE(e.name);
        int keyPixels = 0;
        int nearKey = 0;
        for (uint32_t p : e.picture.pixels) {
            if (IsKey(p)) {
                ++keyPixels;
                continue;
            }
            const int r = (p >> 16) & 0xFF;
            const int g = (p >> 8) & 0xFF;
            const int b = p & 0xFF;
            // The 16-bit display cannot tell these from the key.
            if (r >= 247 && g <= 8 && b >= 247) ++nearKey;
        }
        EXPECT_EQ(nearKey, 0);
        if (!e.transparent) {
            EXPECT_EQ(keyPixels, 0);
            continue;
        }
        EXPECT_GT(keyPixels, 0);
        // See-through pictures are shapes on the key colour, so every pattern's corners are key.
        for (int n = 0; n < PatternCount(e); ++n) {
            const int w = PatternWidth(e) - 1;
            const int h = PatternHeight(e) - 1;
            EXPECT_TRUE(IsKey(Pixel(e, n, 0, 0)) && IsKey(Pixel(e, n, w, 0)) &&
                        IsKey(Pixel(e, n, 0, h)) && IsKey(Pixel(e, n, w, h)))
                << "pattern " << n;
        }
    }
    const ImageEntry& null = Get("Null");
    for (uint32_t p : null.picture.pixels) EXPECT_TRUE(IsKey(p));
}

TEST_F(MenuImagesTest, HighlightedLooksAreBrighterAndTheIntroLookIsTheNormalOne) {
    for (int k = 1; k <= 6; ++k) {
        const std::string stem = "MM_" + std::to_string(k) + "_";
        SCOPED_TRACE(stem);
        EXPECT_GT(ShownBrightness(Get(stem + "A"), 0), ShownBrightness(Get(stem + "0"), 0) * 1.3);
        // A menu opened after the intro must look like one opened without it.
        EXPECT_EQ(Get(stem + "I").picture.pixels, Get(stem + "0").picture.pixels);
    }
    for (const char* name : kTwoStateButtons) {
        SCOPED_TRACE(name);
        const ImageEntry& e = Get(name);
        EXPECT_GT(ShownBrightness(e, 0), ShownBrightness(e, 1) * 1.2);
    }
}

TEST_F(MenuImagesTest, EveryPlacedPictureStaysOnTheSurface) {
    for (const auto& [name, place] : kPlaces) {
        const Rect r = Placed(name);
        EXPECT_GE(r.x, 0) << name;
        EXPECT_GE(r.y, 0) << name;
        EXPECT_LE(r.Right(), 800) << name;
        EXPECT_LE(r.Bottom(), 600) << name;
    }
}

TEST_F(MenuImagesTest, WindowsHoldTheirTitlesAndButtons) {
    const Rect window = Placed("Window");
    EXPECT_DOUBLE_EQ(window.x + window.w / 2.0, 348);
    for (const char* part :
         {"Yes", "No", "Win_EG", "Win_ExitToMenu", "Win_ClearHS", "Win_Defaults"}) {
        const Rect r = Placed(part);
        EXPECT_GE(r.x, window.x) << part;
        EXPECT_LE(r.Right(), window.Right()) << part;
        EXPECT_GE(r.y, window.y) << part;
        EXPECT_LE(r.Bottom(), window.Bottom()) << part;
    }
    // The two-line titles lie above the buttons they would otherwise cover.
    EXPECT_LT(Placed("Win_ClearHS").Bottom(), 296);
    EXPECT_LT(Placed("Win_Defaults").Bottom(), 296);
    // Yes and No mirror each other about the window's centre.
    EXPECT_DOUBLE_EQ(
        Placed("Yes").x + Placed("Yes").w / 2.0 + Placed("No").x + Placed("No").w / 2.0, 2 * 348.0);

    const Rect panel = Placed("SendTable");
    EXPECT_DOUBLE_EQ(panel.x + panel.w / 2.0, 348);
    // The check box picture covers exactly the area a click toggles it in.
    const Rect box = Placed("SendOk");
    EXPECT_LE(box.x, 161);
    EXPECT_LE(box.y, 369);
    EXPECT_GE(box.Right() - 1, 215);
    EXPECT_GE(box.Bottom() - 1, 414);
    EXPECT_GE(box.x, panel.x);
    EXPECT_LE(box.Bottom(), panel.Bottom());
    // Ticked and empty differ: the tick adds visible pixels.
    const ImageEntry& sendOk = Get("SendOk");
    EXPECT_GT(ShownBrightness(sendOk, 1), ShownBrightness(sendOk, 0) + 5);
}

TEST_F(MenuImagesTest, ScreenPicturesKeepClearOfEachOther) {
    // Start-game: the frame ends above the button row; the car picture lies inside the frame.
    EXPECT_LE(Placed("SG_Bk").Bottom(), 475);
    EXPECT_GE(Placed("SG_Car1").x, Placed("SG_Bk").x);
    EXPECT_LE(Placed("SG_Car1").Right(), Placed("SG_Bk").Right());
    EXPECT_LE(Placed("SG_Car1").Bottom(), Placed("SG_Bk").Bottom());
    // Options: each highlight frame stays within its row's hit box.
    const std::map<std::string, Rect> hitBoxes = {{"Opt_1", {118, 248, 545, 64}},
                                                  {"Opt_2", {118, 312, 282, 62}},
                                                  {"Opt_3", {118, 375, 282, 62}},
                                                  {"Opt_4", {118, 436, 682, 84}}};
    for (const auto& [name, hit] : hitBoxes) {
        const Rect r = Placed(name);
        EXPECT_LE(r.Right(), hit.Right()) << name;
        EXPECT_LE(r.Bottom(), hit.Bottom()) << name;
    }
    // The country field holds the text from x 380 up to 345 px plus a letter, and the cursor.
    const Rect field = Placed("CountryEditBg");
    EXPECT_LE(field.x, 380);
    EXPECT_GE(field.Right(), 380 + 345 + 16);
    EXPECT_LE(field.y, 450);
    EXPECT_GE(field.Bottom(), 495);
    // High scores: the left buttons do not overlap and stay left of the table.
    for (const char* name : {"HS_Clear", "HS_View", "HS_Back"})
        EXPECT_LE(Placed(name).Right(), Placed("HSTable").x) << name;
    EXPECT_LE(Placed("HS_Clear").Bottom(), Placed("HS_View").y);
    EXPECT_LE(Placed("HS_View").Bottom(), Placed("HS_Back").y);
    // The caption is centred where the other screens centre their titles.
    EXPECT_DOUBLE_EQ(Placed("HSCaption").x + Placed("HSCaption").w / 2.0, 563);
    EXPECT_DOUBLE_EQ(Placed("HSCaption").y + Placed("HSCaption").h / 2.0, 148);
    // Options: the way to the controls lies on Back's line, right of it.
    EXPECT_GE(Placed("Opt_Ctl").x, Placed("Opt_Bk").Right());
    EXPECT_EQ(Placed("Opt_Ctl").y, Placed("Opt_Bk").y);
    // Controls: the tenth row ends above Defaults, which ends left of Back; the pair is centred.
    EXPECT_LE(Placed("Ctl_Row").Bottom() + 9 * 28, Placed("Ctl_Def").y);
    EXPECT_LE(Placed("Ctl_Def").Right(), 435);
    EXPECT_DOUBLE_EQ((Placed("Ctl_Def").x + 435 + 110) / 2.0, 400);
    // Help: the emblem ends left of the about text at x 160.
    EXPECT_LT(Placed("HelpLogo").Right(), 160);
}

TEST_F(MenuImagesTest, TextAreasStayReadable) {
    // The backdrop is dark and quiet where the screens write white text.
    const ImageEntry& backdrop = Get("MMBG");
    for (const Rect& zone : {Rect{435, 95, 256, 106}, Rect{25, 230, 575, 290}}) {
        const Stats s = RegionStats(backdrop, 0, zone);
        EXPECT_LT(s.mean, 45);
        EXPECT_LT(s.deviation, 12);
    }
    // The logo is there, bright, in the corner no screen covers.
    EXPECT_GT(RegionStats(backdrop, 0, {10, 10, 210, 190}).brightest, 200);

    // The table's name and score bands are dark under the light E6DADA text.
    const ImageEntry& table = Get("HSTable");
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_LT(RegionStats(table, 0, {256 - 60, 21 + 36 * row - 8, 120, 16}).mean, 50);
        EXPECT_LT(RegionStats(table, 0, {446 - 40, 17 + 36 * row - 8, 80, 16}).mean, 50);
        // The rank number is drawn into the picture.
        EXPECT_GT(RegionStats(table, 0, {30, 21 + 36 * row - 10, 30, 20}).brightest, 150);
    }

    // The name entry's score band and name field are dark and plain.
    const ImageEntry& panel = Get("SendTable");
    EXPECT_LT(RegionStats(panel, 0, {221 - 90, 82 - 12, 180, 24}).mean, 30);
    EXPECT_LT(RegionStats(panel, 0, {221 - 120, 210 - 14, 240, 28}).deviation, 8);
    EXPECT_LT(RegionStats(panel, 0, {221 - 120, 210 - 14, 240, 28}).mean, 30);

    // The country field is light where the black text and the cursor go.
    const ImageEntry& field = Get("CountryEditBg");
    EXPECT_GT(RegionStats(field, 0, {19, 8, 366, 45}).mean, 200);
}

TEST_F(MenuImagesTest, ShowroomCarsAreDistinctPictures) {
    std::set<std::vector<uint32_t>> pictures;
    for (int car = 1; car <= 6; ++car)
        pictures.insert(Get("SG_Car" + std::to_string(car)).picture.pixels);
    EXPECT_EQ(pictures.size(), 6u);
}

TEST_F(MenuImagesTest, DrawsTheSameEveryRun) {
    const std::vector<ImageEntry> again = BuildMenuImages();
    ASSERT_EQ(again.size(), images_->size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].name, (*images_)[i].name);
        EXPECT_EQ(again[i].picture.pixels, (*images_)[i].picture.pixels) << again[i].name;
    }
}

}  // namespace
