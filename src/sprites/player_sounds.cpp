// The car's engine sound: one looping sound at a time, chosen from the pedals and the speed, with
// a short gear-change sound between the acceleration sounds.

#include <array>
#include <optional>
#include <string>

#include "sprites/player.h"
#include "sprites/race_host.h"

namespace {

constexpr std::array<Sound, 10> kEngineSounds = {
    Sound::Neutral, Sound::Accel1, Sound::Accel2, Sound::Accel3, Sound::Accel4,
    Sound::Shift,   Sound::Slowed, Sound::Maxed,  Sound::Brake,  Sound::Nitro};
constexpr std::array<Sound, 8> kOtherCarSounds = {Sound::MachineGun, Sound::Rocket,   Sound::Horn,
                                                  Sound::Kill,       Sound::Score,    Sound::Bonus,
                                                  Sound::Explosion,  Sound::Collision};

// The sound of the engine while accelerating at a speed; none where the sound does not change
// (between 90 and 95, at a standstill and beyond 180).
std::optional<Sound> AccelerationSound(double speed) {
    struct Band {
        double upTo;
        std::optional<Sound> sound;
    };
    static constexpr std::array<Band, 13> kBands = {{{65, Sound::Accel1},
                                                     {67, Sound::Shift},
                                                     {90, Sound::Accel2},
                                                     {95, std::nullopt},
                                                     {97, Sound::Shift},
                                                     {115, Sound::Accel3},
                                                     {116, Sound::Shift},
                                                     {130, Sound::Accel4},
                                                     {131, Sound::Shift},
                                                     {142, Sound::Accel4},
                                                     {143, Sound::Shift},
                                                     {157, Sound::Accel4},
                                                     {180, Sound::Maxed}}};
    if (speed <= 0) return std::nullopt;
    for (const Band& band : kBands) {
        if (speed <= band.upTo) return band.sound;
    }
    return std::nullopt;
}

bool IsAccel(Sound sound) {
    return sound == Sound::Accel1 || sound == Sound::Accel2 || sound == Sound::Accel3 ||
           sound == Sound::Accel4;
}

}  // namespace

void TPlayer::MuteCarSounds(bool all) {
    for (Sound sound : kEngineSounds) host_.StopSound(sound);
    if (!all) return;
    for (Sound sound : kOtherCarSounds) host_.StopSound(sound);
}

void TPlayer::ResumeCarSounds(bool all) {
    // The four acceleration sounds share one flag; the top one stands for them.
    if (EngineSoundFlags.Maxed) SwitchEngineSound(Sound::Maxed);
    if (EngineSoundFlags.Neutral) SwitchEngineSound(Sound::Neutral);
    if (EngineSoundFlags.Accel) SwitchEngineSound(Sound::Accel4);
    if (EngineSoundFlags.Shift) SwitchEngineSound(Sound::Shift);
    if (EngineSoundFlags.Slowed) SwitchEngineSound(Sound::Slowed);
    if (EngineSoundFlags.Brake) SwitchEngineSound(Sound::Brake);
    if (EngineSoundFlags.Nitro) SwitchEngineSound(Sound::Nitro);
    if (!all) return;
    if (GunSoundOn) SwitchEngineSound(Sound::MachineGun);
    if (HornOn) host_.PlaySound(Sound::Horn);
}

void TPlayer::SwitchEngineSound(Sound sound) {
    MuteCarSounds(false);
    host_.PlaySound(sound);
    EngineSoundFlags.Clear();
    EngineSoundFlagSet& f = EngineSoundFlags;
    if (sound == Sound::Maxed) f.Maxed = true;
    if (sound == Sound::Neutral) f.Neutral = true;
    if (sound == Sound::Shift) f.Shift = true;
    if (sound == Sound::Slowed) f.Slowed = true;
    if (sound == Sound::Brake) f.Brake = true;
    if (sound == Sound::Nitro) f.Nitro = true;
    if (IsAccel(sound)) f.Accel = true;
    // Any other sound (the machine gun) leaves the engine silent until the next switch.
    if (EngineSoundRunning()) EngineSound = sound;
}

bool TPlayer::EngineSoundRunning() const {
    const EngineSoundFlagSet& f = EngineSoundFlags;
    return f.Maxed || f.Accel || f.Shift || f.Slowed || f.Neutral || f.Brake || f.Nitro;
}

std::string TPlayer::EngineSoundName() const {
    return EngineSoundRunning() ? std::string(NameOf(EngineSound)) : std::string();
}

void TPlayer::UpdateEngineSound() {
    EngineSoundFlagSet& f = EngineSoundFlags;
    if (KeyNitro && HasNitro) {
        if (!f.Nitro) SwitchEngineSound(Sound::Nitro);
        return;
    }
    host_.StopSound(Sound::Nitro);
    f.Nitro = false;
    // Off the road the engine only idles, whatever the pedals.
    if (!OnRoad) {
        if (!f.Neutral) SwitchEngineSound(Sound::Neutral);
        return;
    }
    if (KeyUp && !KeyHandbrake) {
        const std::optional<Sound> sound = AccelerationSound(CarSpeed);
        if (sound) {
            bool running = false;
            if (IsAccel(*sound)) running = f.Accel;
            if (*sound == Sound::Shift) running = f.Shift;
            if (*sound == Sound::Maxed) running = f.Maxed;
            if (!running) SwitchEngineSound(*sound);
        }
    }
    if (!KeyUp && !KeyHandbrake) {
        if (CarSpeed > 40) {
            if (!f.Slowed) SwitchEngineSound(Sound::Slowed);
        } else if (!f.Neutral) {
            SwitchEngineSound(Sound::Neutral);
        }
    }
    if (KeyHandbrake && !f.Brake && CarSpeed != 0) SwitchEngineSound(Sound::Brake);
    if (f.Brake && CarSpeed == 0) SwitchEngineSound(Sound::Neutral);
}
