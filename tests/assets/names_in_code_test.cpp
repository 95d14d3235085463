// Every picture and sound name the game's code uses exists in the generated archives: in the
// archive the code names, with at least the patterns the code draws. The code itself is read, so
// a name added anywhere in src/ is checked without touching this test (names built at run time
// from a prefix are listed below).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "archive/archive_reader.h"

#ifndef ZARVEX_SOURCE_DIR
#error "the test needs the source folder"
#endif

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct Archives {
    std::map<std::string, int> list1;  // lower-case name -> pattern count
    std::map<std::string, int> list2;
    std::set<std::string> sounds;
};

int PatternCountOf(const ImageEntry& e) {
    const int pw = e.patternWidth > 0 ? e.patternWidth : e.picture.width;
    const int ph = e.patternHeight > 0 ? e.patternHeight : e.picture.height;
    return (e.picture.width / pw) * (e.picture.height / ph);
}

const Archives& LoadArchives() {
    static const Archives archives = [] {
        Archives a;
        for (const ImageEntry& e : ReadImageArchive(ReadFileBytes("Data/Res/Res1.dxg")))
            a.list1[Lower(e.name)] = PatternCountOf(e);
        for (const ImageEntry& e : ReadImageArchive(ReadFileBytes("Data/Res/Res2.dxg")))
            a.list2[Lower(e.name)] = PatternCountOf(e);
        for (const WaveEntry& w : ReadWaveArchive(ReadFileBytes("Data/Res/Sounds.dxw")))
            a.sounds.insert(Lower(w.name));
        return a;
    }();
    return archives;
}

std::string SourceText() {
    std::string all;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(ZARVEX_SOURCE_DIR) / "src")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        // The archive format, the media layer and the save files hold format words ("RIFF",
        // "TDIB"), not names.
        const std::string folder = entry.path().parent_path().filename().string();
        if (folder == "archive" || folder == "media" || folder == "persist") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        all += text.str();
        all += "\n";
    }
    return all;
}

// Literals in the code that look like names but are texts or keys, not pictures or sounds: the
// window and menu texts, the font name, the score server's variable.
const std::set<std::string> kNotAssets = {"Pause",
                                          "Data",
                                          "DISPLAY",
                                          "Courier",
                                          "OPTIONS",
                                          "HELP",
                                          "ABOUT",
                                          "BONUSES",
                                          "CONTROLS",
                                          "ZARVEX",
                                          "Gun",
                                          "Life",
                                          "ZARVEX2_SCORE_SERVER"};

// Names the code builds from a prefix and a number or a direction.
const std::map<std::string, std::vector<std::string>> kBuiltNames = {
    {"Car", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
    {"SG_Car", {"1", "2", "3", "4", "5", "6"}},
    {"GunAnim_", {"1", "2", "3", "4", "5", "6"}},
    {"RocketAnim_", {"1", "2", "3", "4", "5", "6"}},
    {"Man_", {"Up", "Down", "Left", "Right", "Laying"}},
    {"Girl_", {"Up", "Down", "Left", "Right", "Laying"}},
    {"Lamp_", {"L", "R", "RL", "RR", "LR", "LL"}},
    {"Bonus", {"10", "20", "50", "100", "L", "N", "MGnp", "Rnp"}},
    {"Accel", {"1", "2", "3", "4"}},
    {"MM_",
     {"1_0", "1_A", "1_I", "2_0", "2_A", "2_I", "3_0", "3_A", "3_I", "4_0", "4_A", "4_I", "5_0",
      "5_A", "5_I", "6_0", "6_A", "6_I"}},
    {"Opt_", {"1", "2", "3", "4", "Bk"}},
};

// The patterns the code draws beyond the first.
const std::map<std::string, int> kMinimumPatterns = {
    {"Tiles", 61},    {"ExplosionBig", 14}, {"Explosion", 2}, {"NitroAnim", 2}, {"EngineFire", 2},
    {"Energy", 4},    {"Yes", 2},           {"No", 2},        {"SendOk", 2},    {"SG_Left", 2},
    {"SG_Right", 2},  {"SG_Start", 2},      {"SG_Back", 2},   {"HS_Clear", 2},  {"HS_View", 2},
    {"HS_Back", 2},   {"Help_Prev", 2},     {"Help_Next", 2}, {"Opt_Bk", 2},    {"Car7", 6},
    {"Car8", 6},      {"Car9", 6},          {"Car10", 6},     {"Car11", 6},     {"Man_Up", 4},
    {"Man_Down", 4},  {"Man_Left", 4},      {"Man_Right", 4}, {"Girl_Up", 4},   {"Girl_Down", 4},
    {"Girl_Left", 4}, {"Girl_Right", 4},
};

bool IsImage(const std::string& name) {
    const Archives& a = LoadArchives();
    return a.list1.count(Lower(name)) || a.list2.count(Lower(name));
}

bool IsSound(const std::string& name) {
    return LoadArchives().sounds.count(Lower(name)) > 0;
}

TEST(NamesInCodeTest, EveryNameLiteralIsAPictureOrASound) {
    const std::string source = SourceText();
    const std::regex literal("\"([A-Z][A-Za-z0-9_]*)\"");
    std::set<std::string> names;
    for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it)
        names.insert((*it)[1].str());
    ASSERT_GT(names.size(), 20u);
    for (const std::string& name : names) {
        if (kNotAssets.count(name) || kBuiltNames.count(name)) continue;
        EXPECT_TRUE(IsImage(name) || IsSound(name)) << "\"" << name << "\" is used in src/";
    }
}

TEST(NamesInCodeTest, NamesBuiltFromAPrefixExist) {
    const std::string source = SourceText();
    const std::regex prefix("\"([A-Z][A-Za-z0-9_]*)\"\\s*\\+");
    for (std::sregex_iterator it(source.begin(), source.end(), prefix), end; it != end; ++it) {
        const std::string stem = (*it)[1].str();
        if (kNotAssets.count(stem)) continue;
        auto built = kBuiltNames.find(stem);
        ASSERT_NE(built, kBuiltNames.end())
            << "the code builds names from \"" << stem << "\": list them in this test";
        for (const std::string& tail : built->second)
            EXPECT_TRUE(IsImage(stem + tail) || IsSound(stem + tail)) << stem + tail;
    }
}

TEST(NamesInCodeTest, PicturesCreatedFromANamedListAreInThatList) {
    const std::string source = SourceText();
    // CreateAt(engine, LIST, "Name", ...), CreateCentered(...), TScrollBackground(engine, LIST,
    // "Name", ...), TMenuButton(engine, LIST, "Highlight", "Normal", ...), TMyCursor(...).
    const std::regex created(
        "(?:CreateAt|CreateCentered|TScrollBackground|TMenuButton|TMyCursor|TPointer)\\(\\s*[^,()]+"
        ","
        "\\s*([12])\\s*,\\s*\"(\\w+)\"(?:\\s*,\\s*\"(\\w+)\")?");
    const Archives& a = LoadArchives();
    int found = 0;
    for (std::sregex_iterator it(source.begin(), source.end(), created), end; it != end; ++it) {
        const auto& list = (*it)[1].str() == "1" ? a.list1 : a.list2;
        for (int group : {2, 3}) {
            const std::string name = (*it)[group].str();
            if (name.empty()) continue;
            ++found;
            EXPECT_TRUE(list.count(Lower(name)))
                << "\"" << name << "\" is not in image list " << (*it)[1].str();
        }
    }
    EXPECT_GT(found, 10);
}

TEST(NamesInCodeTest, PicturesHaveThePatternsTheCodeDraws) {
    const Archives& a = LoadArchives();
    for (const auto& [name, minimum] : kMinimumPatterns) {
        auto in1 = a.list1.find(Lower(name));
        auto in2 = a.list2.find(Lower(name));
        ASSERT_TRUE(in1 != a.list1.end() || in2 != a.list2.end()) << name;
        const int count = in2 != a.list2.end() ? in2->second : in1->second;
        EXPECT_GE(count, minimum) << name;
    }
    // The player's cars must have exactly one pattern: the car's draw step treats a picture with
    // more than one as the explosion.
    for (int car = 1; car <= 6; ++car)
        EXPECT_EQ(a.list2.at("car" + std::to_string(car)), 1) << "Car" << car;
}

}  // namespace
