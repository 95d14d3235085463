// The catalogue's look-ups: names compared as the archives compare them, and the numbered runs the
// game counts along, at both ends of each run and one step beyond.

#include <gtest/gtest.h>

#include "catalogue/pictures.h"
#include "catalogue/sounds.h"

namespace {

TEST(CatalogueTest, NamesAreFoundWithoutRegardToCaseAndOnlyWhole) {
    Picture picture{};
    ASSERT_TRUE(FindPicture("opt_4", picture));
    EXPECT_EQ(picture, Picture::Opt_4);
    EXPECT_TRUE(FindPicture("TILES", picture));
    EXPECT_EQ(picture, Picture::Tiles);
    EXPECT_FALSE(FindPicture("Opt_", picture));
    EXPECT_FALSE(FindPicture("Opt_44", picture));
    EXPECT_FALSE(FindPicture("", picture));
    Sound sound{};
    ASSERT_TRUE(FindSound("killw", sound));
    EXPECT_EQ(sound, Sound::KillW);
    EXPECT_FALSE(FindSound("Kil", sound));
}

struct RunCase {
    Picture picture;
    const char* name;
};

// Each run from its first number to its last; a number beyond either end gives the first picture
// rather than a neighbour of another run.
const RunCase kRuns[] = {
    {PlayerCarPicture(1), "Car1"},
    {PlayerCarPicture(6), "Car6"},
    {PlayerCarPicture(7), "Car1"},
    {PlayerCarPicture(0), "Car1"},
    {ShowroomCarPicture(6), "SG_Car6"},
    {ShowroomCarPicture(7), "SG_Car1"},
    {MainMenuButtonPicture(1, ButtonLook::Normal), "MM_1_0"},
    {MainMenuButtonPicture(3, ButtonLook::Highlighted), "MM_3_A"},
    {MainMenuButtonPicture(6, ButtonLook::AfterIntro), "MM_6_I"},
    {MainMenuButtonPicture(7, ButtonLook::Normal), "MM_1_0"},
    {GunPicture(1), "GunAnim_1"},
    {GunPicture(6), "GunAnim_6"},
    {GunPicture(7), "GunAnim_1"},
    {RocketPodPicture(6), "RocketAnim_6"},
    {RocketPodPicture(0), "RocketAnim_1"},
};

TEST(CatalogueTest, NumberedPicturesCountAlongTheirRunAndStopAtItsEnds) {
    for (const RunCase& run : kRuns) EXPECT_EQ(NameOf(run.picture), run.name);
}

}  // namespace
