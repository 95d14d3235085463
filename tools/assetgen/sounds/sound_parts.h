#pragma once
// The car's sounds and the pedestrians' cries, each as a signal at kSoundRate before it is
// levelled and stored. sounds.cpp puts them into the sound archive with the menu and pick-up
// sounds.

#include "assetgen/sounds/sound_synth.h"

namespace sounds {

constexpr int kSoundRate = 22050;

// Every engine loop is half a second long, and every engine frequency a multiple of 8 Hz: the
// firing pulses, the half-order lope (firing / 2) and the slow cylinder rock (firing / 4) then
// all run a whole number of cycles per loop and the loop joins without a seam.
constexpr double kEngineLoopSeconds = 0.5;

// The firing frequency of each engine sound; the pitch rises with the gear.
constexpr double kNeutralHz = 40.0;
constexpr double kAccelHz[4] = {72.0, 96.0, 120.0, 152.0};
constexpr double kSlowedHz = 88.0;
constexpr double kMaxedHz = 176.0;
constexpr double kNitroHz = 160.0;

synth::Signal MakeNeutral();
// gear 1 to 4
synth::Signal MakeAccel(int gear);
synth::Signal MakeShift();
synth::Signal MakeSlowed();
synth::Signal MakeMaxed();
synth::Signal MakeNitro();
synth::Signal MakeBrake();

// A pained cry through a cascade of vocal-tract formants; the woman's voice is higher in pitch
// and in formants.
synth::Signal MakeCry(bool female);

}  // namespace sounds
