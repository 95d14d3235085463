#include "support/test_assets.h"

#include <gtest/gtest.h>

#include <cstring>

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

struct PictureSize {
    const char* name;
    int w, h, patterns;
};

std::vector<ImageEntry> Build(const std::vector<PictureSize>& sizes, uint32_t colour) {
    std::vector<ImageEntry> list;
    for (const PictureSize& s : sizes)
        list.push_back(MakeTestImage(s.name, s.w, s.h, s.patterns, colour));
    return list;
}

}  // namespace

std::vector<ImageEntry> TestImageList1() {
    std::vector<PictureSize> sizes = {
        {"MMBG", 800, 600, 1},
        {"Window", 320, 120, 1},
        {"Win_EG", 106, 36, 1},
        {"Win_ExitToMenu", 144, 36, 1},
        {"Win_ClearHS", 160, 50, 1},
        {"Yes", 73, 40, 2},
        {"No", 73, 40, 2},
        {"SendTable", 442, 330, 1},
        {"SendOk", 55, 46, 2},
        {"Cursor2", 16, 4, 1},
        {"SG_Bk", 404, 242, 1},
        {"SG_Left", 34, 40, 2},
        {"SG_Right", 34, 40, 2},
        {"SG_Start", 168, 56, 2},
        {"SG_Back", 168, 56, 2},
        {"CountryEditBg", 400, 56, 1},
        {"OptFullScreen", 440, 50, 1},
        {"OptWindow", 440, 50, 1},
        {"OptMusicOn", 270, 48, 1},
        {"OptMusicOff", 270, 48, 1},
        {"OptSoundOn", 270, 48, 1},
        {"OptSoundOff", 270, 48, 1},
        {"Null", 1, 1, 1},
        {"Opt_1", 460, 64, 1},
        {"Opt_2", 280, 62, 1},
        {"Opt_3", 280, 62, 1},
        {"Opt_4", 650, 80, 1},
        {"Opt_Bk", 110, 50, 2},
        {"Cursor", 16, 4, 1},
        {"HSCaption", 398, 92, 1},
        {"HSTable", 526, 401, 1},
        {"HS_Clear", 250, 80, 2},
        {"HS_View", 250, 80, 2},
        {"HS_Back", 170, 60, 2},
        {"Help_Prev", 80, 60, 2},
        {"Help_Next", 80, 60, 2},
        {"HelpLogo", 80, 80, 1},
    };
    const int buttonWidths[6] = {232, 154, 342, 232, 232, 236};
    std::vector<std::string> names;
    for (int k = 1; k <= 6; ++k)
        for (const char* look : {"_0", "_A", "_I"})
            names.push_back("MM_" + std::to_string(k) + look);
    std::vector<ImageEntry> list = Build(sizes, 0x406080);
    for (size_t i = 0; i < names.size(); ++i)
        list.push_back(MakeTestImage(names[i], buttonWidths[i / 3], 90, 1, 0x806040));
    for (int car = 1; car <= 6; ++car)
        list.push_back(MakeTestImage("SG_Car" + std::to_string(car), 338, 160, 1, 0x808080, false));
    return list;
}

std::vector<ImageEntry> TestImageList2() {
    std::vector<PictureSize> sizes = {
        {"Tiles", 72, 72, 61},      {"Car1", 64, 156, 1},         {"Car2", 62, 148, 1},
        {"Car3", 82, 156, 1},       {"Car4", 62, 134, 1},         {"Car5", 68, 154, 1},
        {"Car6", 64, 144, 1},       {"NitroAnim", 16, 51, 4},     {"Handbrake", 10, 14, 1},
        {"Blood", 10, 14, 1},       {"ExplosionBig", 64, 64, 14}, {"GunShooting", 104, 114, 1},
        {"Rocket", 12, 24, 1},      {"EngineFire", 18, 50, 4},    {"Explosion", 64, 64, 10},
        {"Car7", 98, 134, 6},       {"Car8", 120, 170, 6},        {"Car9", 34, 58, 6},
        {"Car10", 93, 152, 6},      {"Car11", 168, 240, 6},       {"Man_Laying", 54, 54, 1},
        {"Girl_Laying", 54, 54, 1}, {"Bonus10", 34, 34, 1},       {"Bonus20", 34, 34, 1},
        {"Bonus50", 34, 34, 1},     {"Bonus100", 34, 34, 1},      {"BonusL", 34, 34, 1},
        {"BonusN", 34, 34, 1},      {"BonusMGnp", 34, 34, 1},     {"BonusRnp", 34, 34, 1},
        {"Lamp_L", 85, 19, 1},      {"Lamp_R", 85, 19, 1},        {"Lamp_RL", 76, 42, 1},
        {"Lamp_RR", 76, 42, 1},     {"Lamp_LR", 76, 42, 1},       {"Lamp_LL", 76, 42, 1},
        {"FinishLine", 72, 18, 1},  {"Panel", 190, 600, 1},       {"Pointer", 64, 8, 1},
        {"SmallCar", 14, 24, 1},    {"Energy", 66, 20, 4},        {"BonusNitro", 42, 42, 1},
        {"BonusM", 42, 42, 1},      {"BonusR", 42, 42, 1},
    };
    std::vector<ImageEntry> list = Build(sizes, 0x604020);
    for (int step = 1; step <= 6; ++step) {
        list.push_back(MakeTestImage("GunAnim_" + std::to_string(step), 104, 114, 1, 0x303030));
        list.push_back(MakeTestImage("RocketAnim_" + std::to_string(step), 104, 114, 1, 0x303030));
    }
    for (const char* who : {"Man_", "Girl_"})
        for (const char* way : {"Up", "Down", "Left", "Right"})
            list.push_back(MakeTestImage(std::string(who) + way, 54, 54, 5, 0x2050A0));
    return list;
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
    const char* looped[] = {"Neutral", "Accel1", "Accel2", "Accel3", "Accel4",    "Slowed",
                            "Maxed",   "Brake",  "Nitro",  "Horn",   "MachineGun"};
    const char* once[] = {"Button",    "MenuBegin", "Tick",  "Shift", "Rocket", "Explosion",
                          "Collision", "Kill",      "KillW", "Score", "Bonus",  "WeaponAppear"};
    std::vector<WaveEntry> waves;
    for (const char* name : looped) waves.push_back({name, true, 1, SilentRiff(2205)});
    for (const char* name : once) waves.push_back({name, false, 1, SilentRiff(2205)});
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
