// The road tiles: picture format, the materials along every seam the track generator can
// produce, the kerb geometry at the tile edges, and the solid parts of walls and barriers.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "assetgen/asset_parts.h"
#include "core/random.h"
#include "track/track_generator.h"

namespace {

constexpr int kTile = 72;
constexpr int kCodes = 61;

// Materials told apart by colour. Asphalt is dark and slightly blue, kerb stone very light and
// neutral, paving a warm light grey, lane paint bright white or yellow (it lies on asphalt and
// counts as asphalt). Anti-aliased blends that fit no family are Unclear and are not compared.
enum class Material { Asphalt, Kerb, Paving, Other, Unclear };

const char* Name(Material m) {
    switch (m) {
        case Material::Asphalt:
            return "A";
        case Material::Kerb:
            return "k";
        case Material::Paving:
            return "P";
        case Material::Other:
            return "o";
        case Material::Unclear:
            return "?";
    }
    return "";
}

struct Rgb {
    int r, g, b;
    int Lum() const { return (299 * r + 587 * g + 114 * b) / 1000; }
    int Spread() const { return std::max({r, g, b}) - std::min({r, g, b}); }
};

Rgb Split(uint32_t p) {
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

bool IsLanePaint(Rgb c) {
    const bool yellow = c.r > 150 && c.g > 120 && c.b < 110 && c.r - c.b > 80;
    const bool white = c.Lum() >= 232 && c.Spread() < 24;
    return yellow || white;
}

Material Classify(uint32_t pixel) {
    const Rgb c = Split(pixel);
    const int warm = c.r - c.b;
    if (IsLanePaint(c)) return Material::Asphalt;
    if (c.g > c.r + 12 && c.g > c.b + 12) return Material::Other;
    if (c.Lum() < 108 && warm < 6 && c.Spread() < 20) return Material::Asphalt;
    if (c.Lum() >= 186 && warm < 8 && c.Spread() < 16) return Material::Kerb;
    if (warm >= 10 && warm <= 30 && c.Lum() >= 100 && c.Lum() < 215 && c.Spread() < 36)
        return Material::Paving;
    if (c.Spread() >= 36) return Material::Other;
    return Material::Unclear;
}

// Walls, sheds and barriers: brick or oxide red, or light concrete. Ground is dark asphalt.
bool IsWallColour(uint32_t pixel) {
    const Rgb c = Split(pixel);
    const bool brick = c.r >= 100 && c.r - c.b >= 30 && c.r > c.g;
    const bool concrete = c.Lum() >= 130 && c.Spread() < 40;
    return brick || concrete;
}

bool IsRoad(int code) {
    return (code >= 1 && code <= 22) || (code >= 33 && code <= 35);
}
bool IsVerge(int code) {
    return (code >= 23 && code <= 29) || code == 58 || code == 60;
}
bool InSeamSet(int code) {
    return IsRoad(code) || IsVerge(code);
}

enum class Side { Top, Right, Bottom, Left };

// The wedge cells carry their asphalt chamfer on two edges; next to land (a park's verge) that
// edge cannot match, by design.
bool WedgeAsphaltEdge(int code, Side side) {
    switch (code) {
        case 26:
            return side == Side::Top || side == Side::Left;
        case 27:
            return side == Side::Top || side == Side::Right;
        case 28:
            return side == Side::Right || side == Side::Bottom;
        case 29:
            return side == Side::Bottom || side == Side::Left;
        default:
            return false;
    }
}

class TilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { tiles_ = std::make_unique<ImageEntry>(BuildTiles()); }
    static void TearDownTestSuite() { tiles_.reset(); }

    static uint32_t Pixel(int code, int x, int y) {
        return tiles_->picture.At(code * kTile + x, y);
    }
    static Material MaterialAt(int code, int x, int y) { return Classify(Pixel(code, x, y)); }

    // The material along one edge of a tile, position i running left to right or top to
    // bottom. Each position reads the outermost pixel, or the one inside it when the outer one
    // is an anti-aliased blend.
    static std::array<Material, kTile> Edge(int code, Side side) {
        std::array<Material, kTile> edge{};
        for (int i = 0; i < kTile; ++i) {
            auto at = [&](int depth) {
                switch (side) {
                    case Side::Top:
                        return MaterialAt(code, i, depth);
                    case Side::Bottom:
                        return MaterialAt(code, i, kTile - 1 - depth);
                    case Side::Left:
                        return MaterialAt(code, depth, i);
                    case Side::Right:
                        return MaterialAt(code, kTile - 1 - depth, i);
                }
                return Material::Unclear;
            };
            edge[i] = at(0) != Material::Unclear ? at(0) : at(1);
        }
        return edge;
    }

    // Compares the facing edges of two neighbours: `first` is left of (or above) `second`.
    // Returns a description of every place where the materials disagree, or "" when they join.
    // A kerb band that crosses the edge diagonally may sit up to 4 px apart on the two sides.
    static std::string SeamFault(int first, int second, bool horizontalPair) {
        const Side firstSide = horizontalPair ? Side::Right : Side::Bottom;
        const Side secondSide = horizontalPair ? Side::Left : Side::Top;
        const bool landNextToWedge = (WedgeAsphaltEdge(first, firstSide) && !IsRoad(second)) ||
                                     (WedgeAsphaltEdge(second, secondSide) && !IsRoad(first));
        if (landNextToWedge) return "";
        // Where a road's edge meets a verge, the road's kerb band faces the verge's paving.
        const bool kerbMeetsVerge =
            (IsRoad(first) && IsVerge(second)) || (IsVerge(first) && IsRoad(second));
        const auto a = Edge(first, firstSide);
        const auto b = Edge(second, secondSide);
        auto near = [](const std::array<Material, kTile>& e, Material m, int i) {
            for (int j = std::max(0, i - 4); j <= std::min(kTile - 1, i + 4); ++j)
                if (e[j] == m) return true;
            return false;
        };
        std::ostringstream fault;
        int faults = 0;
        for (int i = 0; i < kTile; ++i) {
            if (a[i] == Material::Unclear || b[i] == Material::Unclear || a[i] == b[i]) continue;
            const bool kerbPaving = (a[i] == Material::Kerb && b[i] == Material::Paving) ||
                                    (a[i] == Material::Paving && b[i] == Material::Kerb);
            if (kerbPaving && kerbMeetsVerge) continue;
            if (near(b, a[i], i) && near(a, b[i], i)) continue;
            if (faults++ < 6) fault << " @" << i << ":" << Name(a[i]) << "|" << Name(b[i]);
        }
        if (faults == 0) return "";
        std::ostringstream out;
        out << first << (horizontalPair ? " | " : " above ") << second << ": " << faults
            << " px differ" << fault.str();
        return out.str();
    }

    static std::unique_ptr<ImageEntry> tiles_;
};

std::unique_ptr<ImageEntry> TilesTest::tiles_;

TEST_F(TilesTest, IsOneOpaqueRowOf61Patterns) {
    EXPECT_EQ(tiles_->name, "Tiles");
    EXPECT_EQ(tiles_->patternWidth, kTile);
    EXPECT_EQ(tiles_->patternHeight, kTile);
    EXPECT_EQ(tiles_->skipWidth, 0);
    EXPECT_EQ(tiles_->skipHeight, 0);
    EXPECT_FALSE(tiles_->transparent);
    ASSERT_EQ(tiles_->picture.width, kCodes * kTile);
    ASSERT_EQ(tiles_->picture.height, kTile);
    int nearKey = 0;
    int seeThrough = 0;
    for (uint32_t p : tiles_->picture.pixels) {
        const Rgb c = Split(p);
        if (c.r >= 247 && c.g <= 8 && c.b >= 247) ++nearKey;
        if ((p >> 24) != 0xFF) ++seeThrough;
    }
    EXPECT_EQ(nearKey, 0) << "pixels the 16-bit display would take for the key colour";
    EXPECT_EQ(seeThrough, 0);
}

TEST_F(TilesTest, IsTheSameOnEveryRun) {
    const ImageEntry again = BuildTiles();
    EXPECT_TRUE(again.picture.pixels == tiles_->picture.pixels);
}

TEST_F(TilesTest, LanePaintNeverTouchesTheTopOrBottomEdgeOrTheLeftColumn) {
    for (int code = 0; code < kCodes; ++code) {
        if (!IsRoad(code)) continue;
        for (int i = 0; i < kTile; ++i) {
            EXPECT_FALSE(IsLanePaint(Split(Pixel(code, i, 0)))) << code << " top x " << i;
            EXPECT_FALSE(IsLanePaint(Split(Pixel(code, i, kTile - 1))))
                << code << " bottom x " << i;
            EXPECT_FALSE(IsLanePaint(Split(Pixel(code, 0, i)))) << code << " left y " << i;
        }
    }
}

// The kerb geometry at the tile edges: probes from the road layout (straight edges, the four
// drift phases, their stubs and wedges).
struct Probe {
    int code, x, y;
    Material expected;
};

TEST_F(TilesTest, KerbBandsSitWhereTheRoadEdgesRun) {
    using M = Material;
    const Probe probes[] = {
        {1, 1, 0, M::Kerb},       {1, 1, 71, M::Kerb},     {1, 8, 36, M::Asphalt},
        {4, 70, 0, M::Kerb},      {4, 70, 71, M::Kerb},    {4, 60, 36, M::Asphalt},
        {5, 20, 0, M::Paving},    {5, 37, 0, M::Kerb},     {5, 50, 0, M::Asphalt},
        {5, 2, 71, M::Kerb},      {5, 0, 30, M::Paving},   {5, 40, 60, M::Asphalt},
        {8, 71, 69, M::Kerb},     {8, 71, 50, M::Asphalt}, {9, 1, 0, M::Kerb},
        {9, 0, 3, M::Kerb},       {9, 0, 20, M::Asphalt},  {12, 70, 0, M::Kerb},
        {12, 33, 71, M::Kerb},    {12, 60, 71, M::Paving}, {12, 20, 71, M::Asphalt},
        {13, 33, 0, M::Kerb},     {13, 60, 0, M::Paving},  {13, 70, 71, M::Kerb},
        {16, 1, 71, M::Kerb},     {16, 0, 68, M::Kerb},    {16, 0, 40, M::Asphalt},
        {17, 70, 0, M::Kerb},     {17, 71, 3, M::Kerb},    {17, 71, 30, M::Asphalt},
        {20, 1, 0, M::Kerb},      {20, 20, 71, M::Paving}, {20, 37, 71, M::Kerb},
        {20, 50, 71, M::Asphalt}, {26, 10, 0, M::Asphalt}, {26, 33, 0, M::Kerb},
        {26, 50, 0, M::Paving},   {26, 71, 36, M::Paving}, {26, 0, 68, M::Kerb},
        {27, 20, 0, M::Paving},   {27, 38, 0, M::Kerb},    {27, 60, 0, M::Asphalt},
        {27, 71, 68, M::Kerb},    {28, 20, 71, M::Paving}, {28, 38, 71, M::Kerb},
        {28, 60, 71, M::Asphalt}, {28, 71, 4, M::Kerb},    {28, 36, 0, M::Paving},
        {29, 10, 71, M::Asphalt}, {29, 33, 71, M::Kerb},   {29, 50, 71, M::Paving},
        {29, 0, 4, M::Kerb},      {23, 36, 36, M::Paving}, {24, 0, 0, M::Paving},
        {58, 70, 36, M::Paving},  {60, 1, 36, M::Paving},  {0, 36, 36, M::Asphalt},
        {33, 36, 36, M::Asphalt},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(Name(MaterialAt(p.code, p.x, p.y)), std::string(Name(p.expected)))
            << "code " << p.code << " at (" << p.x << ", " << p.y << ")";
    }
}

// The neighbours the generator produces among road and verge codes: each code with the codes
// seen on its right and above it.
struct Neighbours {
    int code;
    std::vector<int> right;
    std::vector<int> above;
};

const std::vector<Neighbours>& NeighbourTable() {
    static const std::vector<Neighbours> table = {
        {1, {2, 33, 34}, {1, 5, 16}},
        {2, {3, 21}, {2, 6, 15, 33}},
        {3, {4}, {3, 7, 14, 33}},
        {4, {1, 23, 60}, {4, 8, 13}},
        {5, {6}, {28}},
        {6, {7}, {9}},
        {7, {8, 15, 33}, {10}},
        {8, {16, 26}, {11}},
        {9, {10}, {1, 5}},
        {10, {11, 18, 33}, {2, 6, 22}},
        {11, {12, 19}, {3, 7}},
        {12, {25}, {4, 8}},
        {13, {25}, {29}},
        {14, {6, 13}, {17}},
        {15, {7, 14, 33}, {18}},
        {16, {15}, {19}},
        {17, {9, 29}, {4, 13}},
        {18, {10, 17, 33}, {3, 14, 21}},
        {19, {18}, {2, 15}},
        {20, {19}, {1, 16}},
        {21, {22, 35}, {7, 21}},
        {22, {3}, {15, 22}},
        {23, {1, 20, 23, 24, 26, 29}, {23, 25, 26, 27, 58, 60}},
        {24, {24, 25, 27, 28, 29, 58}, {24, 25, 28, 29}},
        {25, {5, 24, 27}, {23, 26, 27}},
        {26, {24, 28}, {12, 24, 28, 29}},
        {27, {16, 23, 24, 26, 29}, {20, 24, 28, 29}},
        {28, {9, 23, 24, 26, 29}, {23, 25}},
        {29, {24, 27}, {23, 25}},
        {33, {4, 7, 10, 15, 18}, {2, 3, 33, 34, 35}},
        {34, {22}, {33, 34}},
        {35, {4}, {33, 35}},
        {58, {1}, {23, 25, 27}},
        {60, {24}, {23, 25, 26}},
    };
    return table;
}

void PrintTo(const Neighbours& n, std::ostream* os) {
    *os << "code " << n.code;
}

class TileNeighboursTest : public TilesTest, public ::testing::WithParamInterface<Neighbours> {};

TEST_P(TileNeighboursTest, JoinWithoutASeam) {
    const Neighbours& n = GetParam();
    for (int right : n.right) {
        const std::string fault = SeamFault(n.code, right, true);
        EXPECT_TRUE(fault.empty()) << fault;
    }
    for (int above : n.above) {
        const std::string fault = SeamFault(above, n.code, false);
        EXPECT_TRUE(fault.empty()) << fault;
    }
}

INSTANTIATE_TEST_SUITE_P(Tiles, TileNeighboursTest, ::testing::ValuesIn(NeighbourTable()),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

// Every pair of road and verge cells that meet on generated maps, for several levels and seeds.
TEST_F(TilesTest, GeneratedTracksJoinWithoutASeam) {
    std::set<std::pair<int, int>> sideBySide;
    std::set<std::pair<int, int>> stacked;
    auto state = std::make_unique<TrackState>();
    for (int level : {2, 6, 8}) {
        for (uint32_t seed : {7u, 2024u}) {
            TRandom random(seed);
            TTrackGenerator(*state, random).SetUpLevel(level);
            const TTrackMap& map = state->TrackMap;
            for (int row = 1; row <= kTrackRows; ++row) {
                for (int col = 1; col <= kTrackCols; ++col) {
                    const int code = map.At(row, col);
                    if (!InSeamSet(code)) continue;
                    if (col < kTrackCols && InSeamSet(map.At(row, col + 1)))
                        sideBySide.insert({code, map.At(row, col + 1)});
                    if (row < kTrackRows && InSeamSet(map.At(row + 1, col)))
                        stacked.insert({code, map.At(row + 1, col)});
                }
            }
        }
    }
    EXPECT_GT(sideBySide.size(), 40u) << "the generated maps should hold many kinds of seam";
    for (const auto& [left, right] : sideBySide) {
        const std::string fault = SeamFault(left, right, true);
        EXPECT_TRUE(fault.empty()) << fault;
    }
    for (const auto& [top, bottom] : stacked) {
        const std::string fault = SeamFault(top, bottom, false);
        EXPECT_TRUE(fault.empty()) << fault;
    }
}

// The solid rectangles that stop the player's car: wall or barrier colours inside, ground
// around them.
struct SolidBox {
    int code, x0, y0, x1, y1;  // x0 <= x < x1, y0 <= y < y1
};

void PrintTo(const SolidBox& box, std::ostream* os) {
    *os << "code " << box.code;
}

class TileSolidTest : public TilesTest, public ::testing::WithParamInterface<SolidBox> {};

TEST_P(TileSolidTest, WallsAndBarriersFillExactlyTheirSolidBox) {
    const SolidBox& box = GetParam();
    int insideWrong = 0;
    int outside = 0;
    int outsideWall = 0;
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool wall = IsWallColour(Pixel(box.code, x, y));
            if (x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1) {
                if (!wall) ++insideWrong;
            } else {
                ++outside;
                if (wall) ++outsideWall;
            }
        }
    }
    EXPECT_EQ(insideWrong, 0);
    EXPECT_LE(outsideWall * 10, outside) << outsideWall << " of " << outside;
}

INSTANTIATE_TEST_SUITE_P(Tiles, TileSolidTest,
                         ::testing::Values(SolidBox{39, 37, 0, 72, 72}, SolidBox{59, 0, 0, 35, 72},
                                           SolidBox{40, 0, 58, 72, 72}, SolidBox{41, 65, 0, 72, 68},
                                           SolidBox{42, 0, 0, 64, 64}, SolidBox{43, 0, 0, 64, 64},
                                           SolidBox{44, 0, 0, 64, 64}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

}  // namespace
