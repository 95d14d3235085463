// The race pictures of image archive 2 (everything but the road tiles): names, pattern layout,
// transparency, and the geometry the game relies on when it places, turns and tests them.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assetgen/asset_parts.h"
#include "catalogue/pictures.h"
#include "catalogue/traffic_cars.h"

namespace {

constexpr uint32_t kKey = 0x00FF00FF;

bool IsKey(uint32_t pixel) {
    return (pixel & 0xFFFFFF) == kKey;
}

int Red(uint32_t p) {
    return (p >> 16) & 0xFF;
}
int Green(uint32_t p) {
    return (p >> 8) & 0xFF;
}
int Blue(uint32_t p) {
    return p & 0xFF;
}
double Luma(uint32_t p) {
    return 0.3 * Red(p) + 0.59 * Green(p) + 0.11 * Blue(p);
}

struct Pattern {
    const ImageEntry* image;
    int index;
    int Width() const { return image->patternWidth; }
    int Height() const { return image->patternHeight; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    uint32_t At(int x, int y) const { return image->picture.At(index * Width() + x, y); }
    bool Opaque(int x, int y) const { return Inside(x, y) && !IsKey(At(x, y)); }
    double OpaqueShare() const {
        int count = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) count += Opaque(x, y) ? 1 : 0;
        return static_cast<double>(count) / (Width() * Height());
    }
};

bool SeeThroughInCatalogue(Picture picture) {
    return InfoOf(picture).Transparent;
}

class RaceSpritesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        images_ = new std::vector<ImageEntry>(BuildRaceSprites());
        for (const ImageEntry& e : *images_) byName_[e.name] = &e;
    }
    static void TearDownTestSuite() {
        delete images_;
        images_ = nullptr;
        byName_.clear();
    }

    static const ImageEntry& Get(const std::string& name) {
        auto it = byName_.find(name);
        if (it == byName_.end()) throw std::runtime_error("missing picture " + name);
        return *it->second;
    }
    static int Count(const ImageEntry& e) { return e.picture.width / e.patternWidth; }
    static Pattern P(const std::string& name, int index = 0) { return {&Get(name), index}; }

    static std::vector<ImageEntry>* images_;
    static std::map<std::string, const ImageEntry*> byName_;
};

std::vector<ImageEntry>* RaceSpritesTest::images_ = nullptr;
std::map<std::string, const ImageEntry*> RaceSpritesTest::byName_;

// The race pictures of the catalogue: image list 2 without the road tiles, in the archive's order.
std::vector<Picture> ExpectedPictures() {
    std::vector<Picture> pictures;
    for (size_t i = 0; i < kPictures.size(); ++i) {
        const auto picture = static_cast<Picture>(i);
        if (ListOf(picture) == 2 && picture != Picture::Tiles) pictures.push_back(picture);
    }
    return pictures;
}

TEST_F(RaceSpritesTest, ListsEveryRacePictureOnceIgnoringCase) {
    const std::vector<Picture> expected = ExpectedPictures();
    ASSERT_EQ(expected.size(), 63u);
    EXPECT_EQ(images_->size(), expected.size());
    std::set<std::string> folded;
    for (const ImageEntry& e : *images_) {
        std::string lower = e.name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(folded.insert(lower).second) << "duplicate name " << e.name;
    }
    for (Picture picture : expected) {
        const std::string name(NameOf(picture));
        EXPECT_EQ(byName_.count(name), 1u) << name;
    }
    EXPECT_EQ(byName_.count("Tiles"), 0u);
}

// The pattern counts the game's animations need, beyond the catalogue's own count.
struct PatternNeed {
    Picture picture;
    int minPatterns;
    int maxPatterns;
};

constexpr std::array<PatternNeed, 19> kPatternNeeds = {{
    {Picture::Car1, 1, 1},       {Picture::Car6, 1, 1},        {Picture::NitroAnim, 2, 99},
    {Picture::Handbrake, 1, 1},  {Picture::Blood, 1, 1},       {Picture::ExplosionBig, 14, 99},
    {Picture::Rocket, 1, 1},     {Picture::EngineFire, 2, 99}, {Picture::Explosion, 2, 99},
    {Picture::Car7, 6, 6},       {Picture::Car9, 6, 6},        {Picture::Car11, 6, 6},
    {Picture::Man_Up, 5, 99},    {Picture::Girl_Left, 5, 99},  {Picture::Man_Laying, 1, 99},
    {Picture::FinishLine, 1, 1}, {Picture::Panel, 1, 1},       {Picture::Energy, 4, 4},
    {Picture::SmallCar, 1, 1},
}};

TEST_F(RaceSpritesTest, PatternsLieInOneRowWithTheSizesAndCountsTheGameNeeds) {
    for (const ImageEntry& e : *images_) {
        SCOPED_TRACE(e.name);
        ASSERT_GT(e.patternWidth, 0);
        EXPECT_EQ(e.patternHeight, e.picture.height);
        EXPECT_EQ(e.picture.width % e.patternWidth, 0);
        EXPECT_EQ(e.skipWidth, 0);
        EXPECT_EQ(e.skipHeight, 0);
        EXPECT_EQ(e.picture.pixels.size(), static_cast<size_t>(e.picture.width) * e.picture.height);
    }
    // Every picture at the catalogue's pattern size and count, the size the game's placement
    // arithmetic depends on.
    for (Picture picture : ExpectedPictures()) {
        const PictureInfo& info = InfoOf(picture);
        SCOPED_TRACE(std::string(info.Name));
        const ImageEntry& e = Get(std::string(info.Name));
        EXPECT_EQ(e.patternWidth, info.PatternWidth);
        EXPECT_EQ(e.patternHeight, info.PatternHeight);
        EXPECT_EQ(Count(e), info.Patterns);
    }
    for (const PatternNeed& need : kPatternNeeds) {
        SCOPED_TRACE(std::string(NameOf(need.picture)));
        const ImageEntry& e = Get(std::string(NameOf(need.picture)));
        EXPECT_GE(Count(e), need.minPatterns);
        EXPECT_LE(Count(e), need.maxPatterns);
    }
    for (const char* who : {"Man", "Girl"})
        for (const char* dir : {"_Up", "_Down", "_Left", "_Right"})
            EXPECT_GE(Count(Get(std::string(who) + dir)), 5) << who << dir;
    // The panel covers the screen from x 610 to its right edge.
    EXPECT_GE(610 + Get("Panel").patternWidth, 800);
}

TEST_F(RaceSpritesTest, PicturesThatReplaceEachOtherShareOneSize) {
    std::vector<std::string> weapons = {"GunShooting"};
    for (int n = 1; n <= 6; ++n) {
        weapons.push_back("GunAnim_" + std::to_string(n));
        weapons.push_back("RocketAnim_" + std::to_string(n));
    }
    for (const std::string& name : weapons) {
        EXPECT_EQ(Get(name).picture.width, Get("GunAnim_1").picture.width) << name;
        EXPECT_EQ(Get(name).picture.height, Get("GunAnim_1").picture.height) << name;
    }
    EXPECT_EQ(Get("BonusM").picture.width, Get("BonusR").picture.width);
    EXPECT_EQ(Get("BonusM").picture.height, Get("BonusR").picture.height);
    for (const char* who : {"Man", "Girl"})
        for (const char* dir : {"_Down", "_Left", "_Right", "_Laying"})
            EXPECT_EQ(Get(std::string(who) + dir).patternWidth, Get("Man_Up").patternWidth);
}

TEST_F(RaceSpritesTest, SeeThroughPicturesUseTheKeyColourAndOnlyThere) {
    for (const ImageEntry& e : *images_) {
        SCOPED_TRACE(e.name);
        Picture picture{};
        ASSERT_TRUE(FindPicture(e.name, picture));
        const bool transparent = SeeThroughInCatalogue(picture);
        EXPECT_EQ(e.transparent, transparent);
        if (transparent) {
            EXPECT_EQ(e.transparentColor, kKey);
        }
        for (int n = 0; n < Count(e); ++n) {
            const Pattern p{&e, n};
            const int r = p.Width() - 1;
            const int b = p.Height() - 1;
            if (transparent) {
                EXPECT_TRUE(IsKey(p.At(0, 0)) && IsKey(p.At(r, 0)) && IsKey(p.At(0, b)) &&
                            IsKey(p.At(r, b)))
                    << "pattern " << n << " corners";
                EXPECT_GT(p.OpaqueShare(), 0.0) << "pattern " << n << " is empty";
            }
        }
        // A 16-bit display must not mistake a painted pixel for the key.
        int nearKey = 0;
        int keyInOpaque = 0;
        for (uint32_t px : e.picture.pixels) {
            if (IsKey(px)) {
                keyInOpaque += transparent ? 0 : 1;
            } else if (Red(px) >= 247 && Green(px) <= 8 && Blue(px) >= 247) {
                ++nearKey;
            }
        }
        EXPECT_EQ(nearKey, 0);
        EXPECT_EQ(keyInOpaque, 0);
    }
}

TEST_F(RaceSpritesTest, TrafficBodiesFillTheirCollisionOutlinesInEveryDirection) {
    for (int model = 1; model <= kTrafficModels; ++model) {
        const TrafficCarArt& art = kTrafficCars[static_cast<size_t>(model - 1)];
        const std::string name(NameOf(art.Image));
        for (int dir = 1; dir <= kTrafficDirections; ++dir) {
            SCOPED_TRACE(name + " Dir " + std::to_string(dir));
            const Pattern p = P(name, dir - 1);
            const TrafficOutline& q = art.Outlines[static_cast<size_t>(dir - 1)];
            double cx = 0;
            double cy = 0;
            for (const auto& c : q) {
                // The outline must lie in the pattern; model 4 reaches one pixel left of it.
                EXPECT_GE(c.x, model == 4 ? -1 : 0);
                EXPECT_LT(c.x, p.Width());
                EXPECT_GE(c.y, 0);
                EXPECT_LT(c.y, p.Height());
                cx += c.x / 4.0;
                cy += c.y / 4.0;
            }
            const int mx = art.CentreX;
            const int my = art.CentreY;
            EXPECT_TRUE(p.Inside(mx, my));
            EXPECT_TRUE(p.Opaque(mx, my)) << "model centre off the body";
            // The body covers the outline: its middle and the way out to each corner. A picture
            // of the wrong direction misses the corners of the diagonal outlines. The motorcycle
            // is narrower than its outline, so it only has to run from the front to the back.
            EXPECT_TRUE(p.Opaque(static_cast<int>(cx), static_cast<int>(cy)));
            if (model == 3) {
                const double fx = (q[0].x + q[1].x) / 2.0;
                const double fy = (q[0].y + q[1].y) / 2.0;
                const double rx = (q[2].x + q[3].x) / 2.0;
                const double ry = (q[2].y + q[3].y) / 2.0;
                for (double t = 0.1; t < 0.95; t += 0.1) {
                    const int x = static_cast<int>(std::lround(fx + (rx - fx) * t));
                    const int y = static_cast<int>(std::lround(fy + (ry - fy) * t));
                    EXPECT_TRUE(p.Opaque(x, y)) << "along the bike at " << t;
                }
                continue;
            }
            for (const auto& c : q) {
                for (double t : {0.5, 0.75}) {
                    const int x = static_cast<int>(std::lround(cx + (c.x - cx) * t));
                    const int y = static_cast<int>(std::lround(cy + (c.y - cy) * t));
                    EXPECT_TRUE(p.Opaque(x, y)) << "towards corner " << c.x << "," << c.y;
                }
            }
        }
    }
}

struct PlayerCar {
    int width, height;
    double footWidth, footLength;
    double wheelDx, wheelDy;
};

constexpr std::array<PlayerCar, 6> kPlayerCars = {{{64, 156, 61.7, 148.0, 22.5, 54.9},
                                                   {62, 148, 58.3, 139.1, 21.3, 50.9},
                                                   {82, 156, 67.4, 150.3, 29.4, 55.9},
                                                   {62, 134, 57.9, 123.1, 20.5, 44.3},
                                                   {68, 154, 57.5, 147.6, 23.9, 54.1},
                                                   {64, 144, 57.2, 132.8, 21.8, 49.2}}};

TEST_F(RaceSpritesTest, PlayerCarsFillTheirFootprintWithTyresAndExhaustsInPlace) {
    for (int car = 1; car <= 6; ++car) {
        SCOPED_TRACE("Car" + std::to_string(car));
        const PlayerCar& s = kPlayerCars[car - 1];
        const Pattern p = P("Car" + std::to_string(car));
        const double cx = s.width / 2.0;
        const double cy = s.height / 2.0;
        for (double fx : {-0.42, 0.0, 0.42})
            for (double fy : {-0.44, -0.2, 0.0, 0.2, 0.44})
                EXPECT_TRUE(p.Opaque(static_cast<int>(cx + fx * s.footWidth),
                                     static_cast<int>(cy + fy * s.footLength)))
                    << fx << "," << fy;
        // A dark tyre shows at the body's side level with each rear-wheel point.
        const int wheelY = static_cast<int>(cy + s.wheelDy);
        for (int side : {-1, 1}) {
            int x = side < 0 ? 0 : s.width - 1;
            while (p.Inside(x, wheelY) && !p.Opaque(x, wheelY)) x -= side;
            ASSERT_TRUE(p.Inside(x, wheelY));
            EXPECT_LT(Luma(p.At(x, wheelY)), 80) << "side " << side;
            EXPECT_LT(std::fabs((x + 0.5) - (cx + side * s.wheelDx)), 12);
        }
        // The exhaust tips the nitro flames come out of, 16 px in from both sides.
        for (int x : {16, s.width - 16}) EXPECT_TRUE(p.Opaque(x, s.height - 2)) << x;
    }
}

TEST_F(RaceSpritesTest, LampPostsCoverTheirCollisionPoints) {
    // Post point less the image offset, for every lamp code; Lamp_LL is placed two ways that
    // disagree by 3 px, and its code-16 post point lies 2 px left of the picture.
    struct Post {
        const char* name;
        double x, y;
    };
    const Post posts[] = {{"Lamp_L", 0, 9},    {"Lamp_R", 84, 9},  {"Lamp_RL", 1, 1},
                          {"Lamp_RR", 73, 41}, {"Lamp_LR", 74, 1}, {"Lamp_LL", -2, 41},
                          {"Lamp_LL", 1, 40}};
    for (const Post& post : posts) {
        SCOPED_TRACE(post.name);
        const Pattern p = P(post.name);
        double best = 1e9;
        for (int y = 0; y < p.Height(); ++y) {
            for (int x = 0; x < p.Width(); ++x) {
                if (!p.Opaque(x, y)) continue;
                // Distance from the point to the pixel's square.
                const double dx = std::max({x - post.x, 0.0, post.x - (x + 1)});
                const double dy = std::max({y - post.y, 0.0, post.y - (y + 1)});
                best = std::min(best, std::hypot(dx, dy));
            }
        }
        EXPECT_LE(best, 2.0) << post.x << "," << post.y;
    }
}

TEST_F(RaceSpritesTest, BonusesFitThePickUpProbeBox) {
    for (const char* name : {"Bonus10", "Bonus20", "Bonus50", "Bonus100", "BonusL", "BonusN",
                             "BonusMGnp", "BonusRnp"}) {
        const ImageEntry& e = Get(name);
        EXPECT_LE(e.picture.width, 35) << name;
        EXPECT_LE(e.picture.height, 34) << name;
        EXPECT_GT(P(name).OpaqueShare(), 0.4) << name << " reads too small";
    }
}

TEST_F(RaceSpritesTest, PanelHoldsTheHudTextsInDarkWindowsAndTheDialAtTheNeedlePivot) {
    const Pattern panel = P("Panel");
    const ImageEntry& pointer = Get("Pointer");
    auto darkShare = [&](double cx, double cy, int w, int h) {
        int dark = 0;
        int all = 0;
        for (int y = static_cast<int>(cy - h / 2.0); y < cy + h / 2.0; ++y) {
            for (int x = static_cast<int>(cx - 610 - w / 2.0); x < cx - 610 + w / 2.0; ++x) {
                if (!panel.Inside(x, y)) continue;
                ++all;
                dark += Luma(panel.At(x, y)) < 45 ? 1 : 0;
            }
        }
        return all ? static_cast<double>(dark) / all : 0.0;
    };
    // Text places and the measured sizes of typical texts in the LCD face.
    EXPECT_GT(darkShare(690, 28, 150, 28), 0.95) << "level";
    EXPECT_GT(darkShare(705, 117, 115, 30), 0.95) << "time";
    EXPECT_GT(darkShare(692, 202, 145, 30), 0.95) << "score";
    EXPECT_GT(darkShare(763, 272, 50, 28), 0.95) << "ammo";
    EXPECT_GT(darkShare(775, 327, 26, 28), 0.95) << "lives";
    EXPECT_GT(darkShare(760, 384, 72, 26), 0.95) << "nitro";
    EXPECT_GT(darkShare(672 + 33, 558 + 10, 66, 20), 0.95) << "energy gauge slot";

    // The needle turns about (641 + W, 509 + H): the dial's hub must be there, and the long
    // ticks every 20 speed units at 1.15 s - 28 (256ths of a turn clockwise from left).
    const double hubX = 641 + pointer.patternWidth - 610;
    const double hubY = 509 + pointer.patternHeight;
    EXPECT_GT(Luma(panel.At(static_cast<int>(hubX), static_cast<int>(hubY))), 100);
    const double radius = pointer.patternWidth - 6;
    for (int s = 0; s <= 160; s += 10) {
        const double a = (1.15 * s - 28) * 2 * M_PI / 256;
        const int x = static_cast<int>(std::floor(hubX - std::cos(a) * radius));
        const int y = static_cast<int>(std::floor(hubY - std::sin(a) * radius));
        if (s % 20 == 0) {
            EXPECT_GT(Luma(panel.At(x, y)), 120) << "tick at " << s;
        } else {
            EXPECT_LT(Luma(panel.At(x, y)), 60) << "face between ticks at " << s;
        }
    }
}

TEST_F(RaceSpritesTest, NeedlePointsLeftAndEnergyGaugeEmptiesPatternByPattern) {
    const Pattern needle = P("Pointer");
    auto columnCount = [&](int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < needle.Height(); ++y) n += needle.Opaque(x, y) ? 1 : 0;
        return n;
    };
    const int third = needle.Width() / 3;
    EXPECT_GT(columnCount(0, 3), 0) << "the tip reaches the left end";
    EXPECT_LT(columnCount(0, third), columnCount(2 * third, needle.Width()));

    // Lit segments are bright and saturated; pattern n has 3 - n of them.
    std::vector<int> lit;
    for (int n = 0; n < 4; ++n) {
        const Pattern p = P("Energy", n);
        int count = 0;
        for (int y = 0; y < p.Height(); ++y) {
            for (int x = 0; x < p.Width(); ++x) {
                const uint32_t c = p.At(x, y);
                const int hi = std::max({Red(c), Green(c), Blue(c)});
                const int lo = std::min({Red(c), Green(c), Blue(c)});
                count += (hi > 150 && hi - lo > 90) ? 1 : 0;
            }
        }
        lit.push_back(count);
    }
    EXPECT_GT(lit[0], lit[1]);
    EXPECT_GT(lit[1], lit[2]);
    EXPECT_GT(lit[2], 0);
    EXPECT_EQ(lit[3], 0);
}

TEST_F(RaceSpritesTest, ExplosionsBloomAndFadeToNearlyNothing) {
    for (const char* name : {"ExplosionBig", "Explosion"}) {
        SCOPED_TRACE(name);
        const ImageEntry& e = Get(name);
        const int last = Count(e) - 1;
        double peak = 0;
        for (int n = 0; n <= last; ++n) peak = std::max(peak, P(name, n).OpaqueShare());
        EXPECT_GT(peak, std::string(name) == "Explosion" ? 0.15 : 0.35);
        EXPECT_LT(P(name, last).OpaqueShare(), 0.08);
        EXPECT_LT(P(name, last).OpaqueShare(), P(name, last - 3).OpaqueShare());
    }
}

TEST_F(RaceSpritesTest, PedestriansWalkInFourPhasesAndRepeatTheFirst) {
    for (const char* who : {"Man", "Girl"}) {
        for (const char* dir : {"_Up", "_Down", "_Left", "_Right"}) {
            const std::string name = std::string(who) + dir;
            SCOPED_TRACE(name);
            const Pattern first = P(name, 0);
            const Pattern copy = P(name, 4);
            int differ04 = 0;
            int differ02 = 0;
            for (int y = 0; y < 54; ++y) {
                for (int x = 0; x < 54; ++x) {
                    differ04 += first.At(x, y) != copy.At(x, y) ? 1 : 0;
                    differ02 += first.At(x, y) != P(name, 2).At(x, y) ? 1 : 0;
                }
            }
            EXPECT_EQ(differ04, 0);
            EXPECT_GT(differ02, 20) << "the legs must change sides";
            // The figure stands on the reference point in the picture's middle.
            EXPECT_TRUE(first.Opaque(27, 27));
            EXPECT_FALSE(first.Opaque(8, 8));
        }
    }
}

TEST_F(RaceSpritesTest, FiringGunStaysOnTheRoofAndRocketPodsOpenAtTheLaunchPoints) {
    // "GunShooting" is drawn 16..20 px further forward than "GunAnim_6"; its gun is painted
    // 18 px lower so that it stays put. Compare the gun below the muzzle flash.
    const Pattern ready = P("GunAnim_6");
    const Pattern firing = P("GunShooting");
    int same = 0;
    int opaque = 0;
    for (int y = 20; y + 18 < ready.Height(); ++y) {
        for (int x = 0; x < ready.Width(); ++x) {
            if (!ready.Opaque(x, y)) continue;
            ++opaque;
            same += ready.At(x, y) == firing.At(x, y + 18) ? 1 : 0;
        }
    }
    ASSERT_GT(opaque, 200);
    EXPECT_GT(static_cast<double>(same) / opaque, 0.95);
    // The rockets leave 47 px either side of the car's centre line (canvas middle 52).
    const Pattern pods = P("RocketAnim_6");
    bool left = false;
    bool right = false;
    for (int y = 50; y < 95; ++y) {
        left = left || pods.Opaque(52 - 47, y);
        right = right || pods.Opaque(52 + 47, y);
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
    // Folded away, nothing stands out that far.
    for (int y = 0; y < 114; ++y) EXPECT_FALSE(P("RocketAnim_1").Opaque(52 - 47, y));
}

TEST_F(RaceSpritesTest, DrawsTheSamePixelsOnEveryRun) {
    const std::vector<ImageEntry> again = BuildRaceSprites();
    ASSERT_EQ(again.size(), images_->size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].name, (*images_)[i].name);
        EXPECT_TRUE(again[i].picture.pixels == (*images_)[i].picture.pixels) << again[i].name;
    }
}

}  // namespace
