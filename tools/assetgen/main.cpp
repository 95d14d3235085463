// zarvex2-assetgen: writes the game's archives and songs under a Data folder.
//   zarvex2-assetgen --out DIR              DIR/Res/Res1.dxg, Res2.dxg, Sounds.dxw, DIR/Music/*.xm
//   zarvex2-assetgen --contact-sheet FILE   a PNG showing every picture with its name
//   zarvex2-assetgen --measure [DIR]        figures of every sound and song, renders to DIR
//   zarvex2-assetgen --measure-files DIR [VOLUME]
//                                           the same figures for the files under a Data folder
//   zarvex2-assetgen --icons DIR            the desktop icon, DIR/<size>x<size>/apps/zarvex2.png

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "archive/archive_writer.h"
#include "assetgen/asset_parts.h"
#include "assetgen/contact_sheet.h"
#include "assetgen/menus/icons.h"
#include "assetgen/sounds/sound_report.h"
#include "media/music_player.h"

namespace {

std::vector<ImageEntry> Archive2Images() {
    std::vector<ImageEntry> images;
    images.push_back(BuildTiles());
    for (ImageEntry& entry : BuildRaceSprites()) images.push_back(std::move(entry));
    return images;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: zarvex2-assetgen --out DIR | --contact-sheet FILE.png | --measure [DIR] |\n"
        "       --measure-files DIR [VOLUME] | --icons DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    std::string sheetPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            outDir = argv[++i];
        } else if (std::strcmp(argv[i], "--measure") == 0) {
            return PrintSoundReport(i + 1 < argc ? argv[i + 1] : "");
        } else if (std::strcmp(argv[i], "--measure-files") == 0 && i + 1 < argc) {
            const int volume = i + 2 < argc ? std::atoi(argv[i + 2]) : kMusicVolume;
            if (volume < 0 || volume > 128) return Usage();
            return PrintFileReport(argv[i + 1], volume);
        } else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc) {
            return WriteIcons(argv[i + 1]) ? 0 : 1;
        } else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
            sheetPath = argv[++i];
        } else {
            return Usage();
        }
    }
    if (outDir.empty() && sheetPath.empty()) return Usage();

    try {
        if (!sheetPath.empty()) {
            std::vector<ContactSheetSection> sections = {{"Res1.dxg", BuildMenuImages()},
                                                         {"Res2.dxg", Archive2Images()}};
            if (!WriteContactSheet(sections, sheetPath)) {
                std::fprintf(stderr, "cannot write %s\n", sheetPath.c_str());
                return 1;
            }
        }
        if (!outDir.empty()) {
            namespace fs = std::filesystem;
            const fs::path res = fs::path(outDir) / "Res";
            const fs::path music = fs::path(outDir) / "Music";
            fs::create_directories(res);
            fs::create_directories(music);
            WriteFileBytes((res / "Res1.dxg").string(), WriteImageArchive(BuildMenuImages()));
            WriteFileBytes((res / "Res2.dxg").string(), WriteImageArchive(Archive2Images()));
            WriteFileBytes((res / "Sounds.dxw").string(), WriteWaveArchive(BuildSounds()));
            WriteFileBytes((music / "Menu.xm").string(), BuildMenuSong());
            WriteFileBytes((music / "Race.xm").string(), BuildRaceSong());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarvex2-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
