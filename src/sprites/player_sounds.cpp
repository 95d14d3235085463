// The car's engine sound: one looping sound at a time, chosen from the pedals and the speed, with
// a short gear-change sound between the acceleration sounds.

#include <array>
#include <string_view>

#include "sprites/player.h"
#include "sprites/race_host.h"

namespace {

constexpr std::array<const char*, 10> kEngineSounds = {"Neutral", "Accel1", "Accel2", "Accel3",
                                                       "Accel4",  "Shift",  "Slowed", "Maxed",
                                                       "Brake",   "Nitro"};
constexpr std::array<const char*, 8> kOtherCarSounds = {
    "MachineGun", "Rocket", "Horn", "Kill", "Score", "Bonus", "Explosion", "Collision"};

// The sound of the engine while accelerating at a speed; "" where the sound does not change
// (between 90 and 95, at a standstill and beyond 180).
std::string_view AccelerationSound(double speed) {
    struct Band {
        double upTo;
        const char* sound;
    };
    static constexpr std::array<Band, 13> kBands = {{{65, "Accel1"},
                                                     {67, "Shift"},
                                                     {90, "Accel2"},
                                                     {95, ""},
                                                     {97, "Shift"},
                                                     {115, "Accel3"},
                                                     {116, "Shift"},
                                                     {130, "Accel4"},
                                                     {131, "Shift"},
                                                     {142, "Accel4"},
                                                     {143, "Shift"},
                                                     {157, "Accel4"},
                                                     {180, "Maxed"}}};
    if (speed <= 0) return "";
    for (const Band& band : kBands) {
        if (speed <= band.upTo) return band.sound;
    }
    return "";
}

bool IsAccel(std::string_view name) {
    return name == "Accel1" || name == "Accel2" || name == "Accel3" || name == "Accel4";
}

}  // namespace

void TPlayer::MuteCarSounds(bool all) {
    for (const char* name : kEngineSounds) host_.StopSound(name);
    if (!all) return;
    for (const char* name : kOtherCarSounds) host_.StopSound(name);
}

void TPlayer::ResumeCarSounds(bool all) {
    // The four acceleration sounds share one flag; the top one stands for them.
    if (EngineSoundFlags.Maxed) SwitchEngineSound("Maxed");
    if (EngineSoundFlags.Neutral) SwitchEngineSound("Neutral");
    if (EngineSoundFlags.Accel) SwitchEngineSound("Accel4");
    if (EngineSoundFlags.Shift) SwitchEngineSound("Shift");
    if (EngineSoundFlags.Slowed) SwitchEngineSound("Slowed");
    if (EngineSoundFlags.Brake) SwitchEngineSound("Brake");
    if (EngineSoundFlags.Nitro) SwitchEngineSound("Nitro");
    if (!all) return;
    if (GunSoundOn) SwitchEngineSound("MachineGun");
    if (HornOn) host_.PlaySound("Horn");
}

void TPlayer::SwitchEngineSound(const std::string& name) {
    MuteCarSounds(false);
    host_.PlaySound(name);
    EngineSoundFlags.Clear();
    EngineSoundFlagSet& f = EngineSoundFlags;
    if (name == "Maxed") f.Maxed = true;
    if (name == "Neutral") f.Neutral = true;
    if (name == "Shift") f.Shift = true;
    if (name == "Slowed") f.Slowed = true;
    if (name == "Brake") f.Brake = true;
    if (name == "Nitro") f.Nitro = true;
    if (IsAccel(name)) f.Accel = true;
    // Any other sound (the machine gun) leaves the engine silent until the next switch.
    const bool engine =
        f.Maxed || f.Accel || f.Shift || f.Slowed || f.Neutral || f.Brake || f.Nitro;
    EngineSound = engine ? name : std::string();
}

std::string TPlayer::EngineSoundName() const {
    const EngineSoundFlagSet& f = EngineSoundFlags;
    const bool any = f.Maxed || f.Accel || f.Shift || f.Slowed || f.Neutral || f.Brake || f.Nitro;
    return any ? EngineSound : std::string();
}

void TPlayer::UpdateEngineSound() {
    EngineSoundFlagSet& f = EngineSoundFlags;
    if (KeyNitro && HasNitro) {
        if (!f.Nitro) SwitchEngineSound("Nitro");
        return;
    }
    host_.StopSound("Nitro");
    f.Nitro = false;
    // Off the road the engine only idles, whatever the pedals.
    if (!OnRoad) {
        if (!f.Neutral) SwitchEngineSound("Neutral");
        return;
    }
    if (KeyUp && !KeyHandbrake) {
        const std::string_view sound = AccelerationSound(CarSpeed);
        bool running = false;
        if (IsAccel(sound)) running = f.Accel;
        if (sound == "Shift") running = f.Shift;
        if (sound == "Maxed") running = f.Maxed;
        if (!sound.empty() && !running) SwitchEngineSound(std::string(sound));
    }
    if (!KeyUp && !KeyHandbrake) {
        if (CarSpeed > 40) {
            if (!f.Slowed) SwitchEngineSound("Slowed");
        } else if (!f.Neutral) {
            SwitchEngineSound("Neutral");
        }
    }
    if (KeyHandbrake && !f.Brake && CarSpeed != 0) SwitchEngineSound("Brake");
    if (f.Brake && CarSpeed == 0) SwitchEngineSound("Neutral");
}
