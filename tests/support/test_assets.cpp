#include "support/test_assets.h"

#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/pictures.h"
#include "catalogue/sounds.h"
#include "shell/form.h"
#include "support/sound_log.h"

ImageEntry MakeTestImage(const std::string& name, int patternWidth, int patternHeight, int patterns,
                         uint32_t colour, bool transparent) {
    ImageEntry entry;
    entry.name = name;
    entry.patternWidth = patternWidth;
    entry.patternHeight = patternHeight;
    entry.transparent = transparent;
    entry.transparentColor = 0x00FF00FF;
    entry.picture.width = patternWidth * patterns;
    entry.picture.height = patternHeight;
    entry.picture.pixels.assign(static_cast<size_t>(entry.picture.width) * patternHeight,
                                0xFF000000u | colour);
    return entry;
}

namespace {

// The stand-ins' colours: menu pictures blue-grey, the main menu's buttons brown, the showroom's
// cars grey; race pictures brown, the weapons dark grey, the pedestrians blue.
uint32_t ColourOf(Picture picture) {
    const std::string_view name = NameOf(picture);
    if (ListOf(picture) == 1) {
        if (name.starts_with("MM_")) return 0x806040;
        if (name.starts_with("SG_Car")) return 0x808080;
        return 0x406080;
    }
    if (name.starts_with("GunAnim_") || name.starts_with("RocketAnim_")) return 0x303030;
    if (name.starts_with("Man_") || name.starts_with("Girl_")) {
        if (!name.ends_with("_Laying")) return 0x2050A0;
    }
    return 0x604020;
}

// Every picture of the catalogue's list, at its size and pattern count, see-through as the
// catalogue says.
std::vector<ImageEntry> StandInList(int list) {
    std::vector<ImageEntry> images;
    for (size_t i = 0; i < kPictures.size(); ++i) {
        const auto picture = static_cast<Picture>(i);
        const PictureInfo& info = InfoOf(picture);
        if (info.List != list) continue;
        images.push_back(MakeTestImage(std::string(info.Name), info.PatternWidth,
                                       info.PatternHeight, info.Patterns, ColourOf(picture),
                                       info.Transparent));
    }
    return images;
}

}  // namespace

std::vector<ImageEntry> TestImageList1() {
    return StandInList(1);
}

std::vector<ImageEntry> TestImageList2() {
    return StandInList(2);
}

std::vector<uint8_t> SilentRiff(int samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples) * 2;
    std::vector<uint8_t> riff(44 + dataBytes, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&riff[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&riff[at], &v, 2); };
    std::memcpy(&riff[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&riff[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 22050);
    put32(28, 44100);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(&riff[36], "data", 4);
    put32(40, dataBytes);
    return riff;
}

std::vector<WaveEntry> TestWaves() {
    std::vector<WaveEntry> waves;
    for (const SoundInfo& sound : kSounds)
        waves.push_back({std::string(sound.Name), sound.Looped, 1, SilentRiff(2205)});
    return waves;
}

std::unique_ptr<TMForm> MakeTestForm(int refreshRate, uint32_t seed,
                                     std::shared_ptr<SoundLog> sounds) {
    FormConfig config;
    if (sounds) config.openAudio = [sounds] { return MakeRecordingAudio(sounds); };
    config.headless = true;
    config.seedFromClock = false;
    config.seed = seed;
    config.refreshRateOverride = refreshRate;
    config.showMessageBoxes = false;
    auto form = std::make_unique<TMForm>(config);
    EXPECT_TRUE(form->FormCreateFrom(TestImageList1(), TestImageList2(), TestWaves()));
    return form;
}
