// The asset catalogue against the generated archives: every picture the catalogue names lies in
// the image list it gives, with its pattern size, pattern count and transparency, every sound is
// there and loops as listed, and the archives hold nothing else. The game names pictures and
// sounds only through the catalogue, so this is what makes every name the code uses exist; the
// code itself is read to see that no name slipped past the catalogue as a string literal.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "archive/archive_reader.h"
#include "catalogue/pictures.h"
#include "catalogue/sounds.h"

#ifndef ZARVEX_SOURCE_DIR
#error "the test needs the source folder"
#endif

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view s) {
    std::string lower(s);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

struct Archives {
    std::map<std::string, ImageEntry> list[3];  // [1], [2] by lower-case name (pixels dropped)
    std::map<std::string, WaveEntry> sounds;
};

int PatternCountOf(const ImageEntry& e) {
    const int pw = e.patternWidth > 0 ? e.patternWidth : e.picture.width;
    const int ph = e.patternHeight > 0 ? e.patternHeight : e.picture.height;
    return (e.picture.width / pw) * (e.picture.height / ph);
}

const Archives& LoadArchives() {
    static const Archives archives = [] {
        Archives a;
        for (int list : {1, 2}) {
            const std::string path = "Data/Res/Res" + std::to_string(list) + ".dxg";
            for (ImageEntry& e : ReadImageArchive(ReadFileBytes(path))) {
                e.picture.pixels.clear();
                a.list[list].emplace(Lower(e.name), std::move(e));
            }
        }
        for (WaveEntry& w : ReadWaveArchive(ReadFileBytes("Data/Res/Sounds.dxw"))) {
            w.wave.clear();
            a.sounds.emplace(Lower(w.name), std::move(w));
        }
        return a;
    }();
    return archives;
}

TEST(NamesInCodeTest, EveryCataloguePictureLiesInItsListAsTheCatalogueSays) {
    const Archives& a = LoadArchives();
    for (const PictureInfo& info : kPictures) {
        SCOPED_TRACE(std::string(info.Name));
        const auto found = a.list[info.List].find(Lower(info.Name));
        ASSERT_NE(found, a.list[info.List].end()) << "not in image list " << info.List;
        const ImageEntry& e = found->second;
        EXPECT_EQ(e.name, info.Name);
        EXPECT_EQ(e.patternWidth, info.PatternWidth);
        EXPECT_EQ(e.patternHeight, info.PatternHeight);
        EXPECT_EQ(PatternCountOf(e), info.Patterns);
        EXPECT_EQ(e.transparent, info.Transparent);
    }
}

TEST(NamesInCodeTest, EveryCatalogueSoundIsThereAndLoopsAsListed) {
    const Archives& a = LoadArchives();
    for (const SoundInfo& info : kSounds) {
        SCOPED_TRACE(std::string(info.Name));
        const auto found = a.sounds.find(Lower(info.Name));
        ASSERT_NE(found, a.sounds.end());
        EXPECT_EQ(found->second.name, info.Name);
        EXPECT_EQ(found->second.looped, info.Looped);
    }
}

// A picture or sound the catalogue does not know could only be reached by a name spelt out in
// the code, which is what the catalogue is there to prevent.
TEST(NamesInCodeTest, TheArchivesHoldNothingTheCatalogueLacks) {
    const Archives& a = LoadArchives();
    EXPECT_EQ(a.list[1].size() + a.list[2].size(), kPictures.size());
    EXPECT_EQ(a.sounds.size(), kSounds.size());
    for (int list : {1, 2}) {
        for (const auto& [lower, entry] : a.list[list]) {
            Picture picture{};
            EXPECT_TRUE(FindPicture(entry.name, picture) && ListOf(picture) == list) << entry.name;
        }
    }
    for (const auto& [lower, entry] : a.sounds) {
        Sound sound{};
        EXPECT_TRUE(FindSound(entry.name, sound)) << entry.name;
    }
}

// The code without its comments, which may quote a name to say what a line is about.
std::string WithoutComments(const std::string& code) {
    std::string out;
    bool inString = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < code.size()) {
                out += code[++i];
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '/' && i + 1 < code.size() && code[i + 1] == '/') {
            while (i < code.size() && code[i] != '\n') ++i;
            out += '\n';
        } else {
            if (c == '"') inString = true;
            out += c;
        }
    }
    return out;
}

std::string SourceText() {
    std::string all;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(ZARVEX_SOURCE_DIR) / "src")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        // The catalogue is where the names are spelt out; the archive format, the media layer
        // and the save files hold format words ("RIFF", "TDIB") and take any name they are given.
        const std::string folder = entry.path().parent_path().filename().string();
        if (folder == "catalogue" || folder == "archive" || folder == "media" ||
            folder == "persist")
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        all += WithoutComments(text.str());
        all += "\n";
    }
    return all;
}

// Texts the game shows that happen to be spelt like a sound: the help page's label of the nitro
// bottle.
const std::set<std::string> kTextsSpeltLikeAssets = {"Nitro"};

TEST(NamesInCodeTest, TheCodeSpellsNoPictureOrSoundOutsideTheCatalogue) {
    const std::string source = SourceText();
    // Whole literals, and the stems of names built from a prefix ("Car" + n).
    const std::regex literal("\"([A-Za-z][A-Za-z0-9_]*)\"");
    int literals = 0;
    for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
        const std::string name = (*it)[1].str();
        ++literals;
        if (kTextsSpeltLikeAssets.count(name)) continue;
        Picture picture{};
        Sound sound{};
        EXPECT_FALSE(FindPicture(name, picture)) << "\"" << name << "\": use Picture::" << name;
        EXPECT_FALSE(FindSound(name, sound)) << "\"" << name << "\": use Sound::" << name;
        for (const char* stem : {"Car", "SG_Car", "GunAnim_", "RocketAnim_", "MM_", "Accel"})
            EXPECT_NE(name, stem) << "a picture or sound name is built from \"" << name << "\"";
    }
    ASSERT_GT(literals, 5);  // the scanner reads the code
}

// The patterns the code draws beyond the first: an animation or a look the game steps through.
const std::map<Picture, int> kMinimumPatterns = {
    {Picture::Tiles, 61},     {Picture::ExplosionBig, 14},
    {Picture::Explosion, 2},  {Picture::NitroAnim, 2},
    {Picture::EngineFire, 2}, {Picture::Energy, 4},
    {Picture::Yes, 2},        {Picture::No, 2},
    {Picture::SendOk, 2},     {Picture::SG_Left, 2},
    {Picture::SG_Right, 2},   {Picture::SG_Start, 2},
    {Picture::SG_Back, 2},    {Picture::HS_Clear, 2},
    {Picture::HS_View, 2},    {Picture::HS_Back, 2},
    {Picture::Help_Prev, 2},  {Picture::Help_Next, 2},
    {Picture::Opt_Bk, 2},     {Picture::Car7, 6},
    {Picture::Car8, 6},       {Picture::Car9, 6},
    {Picture::Car10, 6},      {Picture::Car11, 6},
    {Picture::Man_Up, 4},     {Picture::Man_Down, 4},
    {Picture::Man_Left, 4},   {Picture::Man_Right, 4},
    {Picture::Girl_Up, 4},    {Picture::Girl_Down, 4},
    {Picture::Girl_Left, 4},  {Picture::Girl_Right, 4},
};

TEST(NamesInCodeTest, PicturesHaveThePatternsTheCodeDraws) {
    const Archives& a = LoadArchives();
    for (const auto& [picture, minimum] : kMinimumPatterns) {
        const auto found = a.list[ListOf(picture)].find(Lower(NameOf(picture)));
        ASSERT_NE(found, a.list[ListOf(picture)].end()) << NameOf(picture);
        EXPECT_GE(PatternCountOf(found->second), minimum) << NameOf(picture);
        EXPECT_GE(InfoOf(picture).Patterns, minimum) << NameOf(picture);
    }
    // The player's cars must have exactly one pattern: the car's draw step treats a picture with
    // more than one as the explosion.
    for (int car = 1; car <= 6; ++car) {
        const auto found = a.list[2].find(Lower(NameOf(PlayerCarPicture(car))));
        ASSERT_NE(found, a.list[2].end());
        EXPECT_EQ(PatternCountOf(found->second), 1) << "Car" << car;
    }
}

}  // namespace
