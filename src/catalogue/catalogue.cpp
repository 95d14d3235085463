// Look-ups of the catalogue by name, and the checks that keep each table in step with its
// enumeration.

#include "catalogue/pictures.h"
#include "catalogue/sounds.h"
#include "catalogue/traffic_cars.h"
#include "core/names.h"

namespace {

// The enumerators and the table rows are written in the same order; a row out of step would name
// one picture with another's size. A few anchors across both lists pin the order down, and every
// run the game counts along must hold consecutive names.
static_assert(NameOf(Picture::MMBG) == "MMBG" && NameOf(Picture::HelpLogo) == "HelpLogo");
static_assert(NameOf(Picture::Opt_Ctl) == "Opt_Ctl" &&
              NameOf(Picture::Win_Defaults) == "Win_Defaults");
static_assert(NameOf(Picture::Tiles) == "Tiles" && NameOf(Picture::BonusR) == "BonusR");
static_assert(NameOf(Picture::Win_EG) == "Win_EG" && NameOf(Picture::Opt_4) == "Opt_4");
static_assert(NameOf(Picture::Car11) == "Car11" && NameOf(Picture::Girl_Laying) == "Girl_Laying");
static_assert(static_cast<size_t>(Picture::BonusR) + 1 == kPictures.size());
static_assert(NameOf(PlayerCarPicture(6)) == "Car6" && NameOf(ShowroomCarPicture(6)) == "SG_Car6");
static_assert(NameOf(MainMenuButtonPicture(6, ButtonLook::AfterIntro)) == "MM_6_I");
static_assert(NameOf(MainMenuButtonPicture(4, ButtonLook::Highlighted)) == "MM_4_A");
static_assert(NameOf(GunPicture(6)) == "GunAnim_6" &&
              NameOf(RocketPodPicture(6)) == "RocketAnim_6");
static_assert(NameOf(Sound::Button) == "Button" && NameOf(Sound::WeaponAppear) == "WeaponAppear");
static_assert(NameOf(Sound::Accel4) == "Accel4" && NameOf(Sound::KillW) == "KillW");
static_assert(static_cast<size_t>(Sound::WeaponAppear) + 1 == kSounds.size());
static_assert(kTrafficCars[0].Image == Picture::Car7 && kTrafficCars[4].Image == Picture::Car11);

}  // namespace

bool FindPicture(std::string_view name, Picture& picture) {
    for (size_t i = 0; i < kPictures.size(); ++i) {
        if (SameNameIgnoringCase(kPictures[i].Name, name)) {
            picture = static_cast<Picture>(i);
            return true;
        }
    }
    return false;
}

bool FindSound(std::string_view name, Sound& sound) {
    for (size_t i = 0; i < kSounds.size(); ++i) {
        if (SameNameIgnoringCase(kSounds[i].Name, name)) {
            sound = static_cast<Sound>(i);
            return true;
        }
    }
    return false;
}
