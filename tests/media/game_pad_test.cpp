// The pad in use as pads come and go, its rumble, and the mapping file.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

#include "media/game_pad.h"
#include "persist/temp_folder.h"
#include "support/test_pad.h"

namespace {

class GamePadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        pad.SetVirtualOnly(true);
    }
    void TearDown() override {
        pad.Close();
        first.reset();
        second.reset();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    TGamePad pad;
    std::unique_ptr<TestPad> first;
    std::unique_ptr<TestPad> second;
};

TEST_F(GamePadTest, TheFirstPadPlaysAndTheNextTakesOverWhenItIsPulledOut) {
    EXPECT_FALSE(pad.OpenFirst());  // nothing connected
    first = std::make_unique<TestPad>();
    ASSERT_GE(first->Index(), 0) << SDL_GetError();
    EXPECT_TRUE(pad.DeviceAdded(first->Index()));
    EXPECT_TRUE(pad.IsTheOneInUse(first->id));

    second = std::make_unique<TestPad>();
    EXPECT_FALSE(pad.DeviceAdded(second->Index()));  // the first one keeps playing
    EXPECT_TRUE(pad.IsTheOneInUse(first->id));
    EXPECT_FALSE(pad.IsTheOneInUse(second->id));

    EXPECT_FALSE(pad.DeviceRemoved(second->id + 1000));  // some other device
    first->Remove();
    EXPECT_TRUE(pad.DeviceRemoved(first->id));
    EXPECT_TRUE(pad.IsTheOneInUse(second->id));

    second->Remove();
    EXPECT_TRUE(pad.DeviceRemoved(second->id));
    EXPECT_FALSE(pad.InUse());
    EXPECT_FALSE(pad.DeviceRemoved(second->id));  // told twice: already gone
}

TEST_F(GamePadTest, APadConnectedBeforeTheStartIsFound) {
    first = std::make_unique<TestPad>();
    EXPECT_TRUE(pad.OpenFirst());
    EXPECT_TRUE(pad.IsTheOneInUse(first->id));
    EXPECT_FALSE(pad.OpenFirst());  // one pad at a time
    EXPECT_FALSE(pad.DeviceAdded(-1));
    EXPECT_FALSE(pad.DeviceAdded(SDL_NumJoysticks()));
}

TEST_F(GamePadTest, RumbleShakesBothMotorsByStrength) {
    pad.Rumble(1.0, 100);  // no pad: nothing, and no crash
    first = std::make_unique<TestPad>();
    ASSERT_TRUE(pad.OpenFirst());
    pad.Rumble(0.5, 150);
    pad.Rumble(7.0, 600);   // beyond full: full
    pad.Rumble(-1.0, 600);  // below nothing: still
    pad.Rumble(1.0, 0);     // no time: not sent
    ASSERT_EQ(first->shakes.size(), 3u);
    EXPECT_EQ(first->shakes[0].low, 0x8000);
    EXPECT_EQ(first->shakes[0].high, 0x8000);
    EXPECT_EQ(first->shakes[1].low, 0xFFFF);
    EXPECT_EQ(first->shakes[1].high, 0xFFFF);
    EXPECT_EQ(first->shakes[2].low, 0);
    EXPECT_EQ(first->shakes[2].high, 0);
}

TEST(PadMappingTest, TheFileLiesBesideTheDataFolder) {
    EXPECT_EQ(PadMappingPath("Data"), "gamecontrollerdb.txt");
    EXPECT_EQ(PadMappingPath("Data/"), "gamecontrollerdb.txt");
    EXPECT_EQ(PadMappingPath("build/debug/Data"), "build/debug/gamecontrollerdb.txt");
    EXPECT_EQ(PadMappingPath("/games/zarvex/Data"), "/games/zarvex/gamecontrollerdb.txt");
}

TEST_F(GamePadTest, MappingsAreReadFromTheFileWhenThereIsOne) {
    const TempFolder folder;
    const std::string path = (folder.Path() / "gamecontrollerdb.txt").string();
    EXPECT_EQ(LoadPadMappings(path), 0);  // no file: nothing, no error

    const char* guid = "03000000aa550000bb66000000000000";
    {
        std::ofstream file(path);
        file << "# a pad the game has never heard of\n"
             << guid
             << ",Zarvex Test Pad,a:b0,b:b1,x:b2,y:b3,back:b6,start:b7,dpup:h0.1,dpdown:h0.4,"
                "dpleft:h0.8,dpright:h0.2,leftx:a0,lefty:a1,lefttrigger:a2,righttrigger:a5,"
                "platform:Linux,\n";
    }
    EXPECT_EQ(LoadPadMappings(path), 1);
    char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
    ASSERT_NE(mapping, nullptr);
    EXPECT_NE(std::string(mapping).find("Zarvex Test Pad"), std::string::npos);
    SDL_free(mapping);
}

}  // namespace
