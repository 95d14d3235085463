#pragma once
// Every sound of the game's sound archive, named once: the code names a sound through this
// enumeration (a misspelt name does not compile), and the table beside it holds its name in the
// archive and whether it loops. The game, the asset generator, the tests' stand-in archive and the
// asset tests all read this one table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// In the order of the archive.
enum class Sound : uint8_t {
    Button,
    MenuBegin,
    Tick,
    // The engine: idling, the four gears, the gear change, rolling, the top speed, braking, nitro.
    Neutral,
    Accel1,
    Accel2,
    Accel3,
    Accel4,
    Shift,
    Slowed,
    Maxed,
    Brake,
    Nitro,
    Horn,
    // The weapons and what they hit.
    MachineGun,
    Rocket,
    Explosion,
    Collision,
    Kill,
    KillW,
    // Bonuses picked up, and the weapon coming out of the roof.
    Score,
    Bonus,
    WeaponAppear,
};

struct SoundInfo {
    std::string_view Name;  // the name in the archive
    bool Looped;            // plays until stopped
};

inline constexpr std::array<SoundInfo, 23> kSounds = {{
    {"Button", false},    {"MenuBegin", false}, {"Tick", false},         {"Neutral", true},
    {"Accel1", true},     {"Accel2", true},     {"Accel3", true},        {"Accel4", true},
    {"Shift", false},     {"Slowed", true},     {"Maxed", true},         {"Brake", true},
    {"Nitro", true},      {"Horn", true},       {"MachineGun", true},    {"Rocket", false},
    {"Explosion", false}, {"Collision", false}, {"Kill", false},         {"KillW", false},
    {"Score", false},     {"Bonus", false},     {"WeaponAppear", false},
}};

constexpr const SoundInfo& InfoOf(Sound sound) {
    return kSounds[static_cast<size_t>(sound)];
}
constexpr std::string_view NameOf(Sound sound) {
    return InfoOf(sound).Name;
}

// The sound of that name, compared as the archive compares names (without regard to case); false
// when the catalogue has none.
bool FindSound(std::string_view name, Sound& sound);
