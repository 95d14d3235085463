// The sound archive: 23 waves, all synthesised here, and the mix they make in the race. Each
// sound is set to a loudness (an A-weighted level over its loudest 300 ms, as a player hears it
// on small speakers): the engine sits on the race music, the horn and the tyres a little above
// it, the pick-up chimes clearly above, and crashes at least as loud as the chimes. No event
// peaks above -6 dBFS, which leaves the mixer room for music, engine and a pile of events at
// once.

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "archive/riff_wave.h"
#include "assetgen/asset_parts.h"
#include "assetgen/sounds/sound_measure.h"
#include "assetgen/sounds/sound_parts.h"
#include "catalogue/sounds.h"

namespace {

using sounds::kSoundRate;
using synth::Biquad;
using synth::Decay;
using synth::kTwoPi;
using synth::NoiseSource;
using synth::Signal;

// How loud a sound is made: its loudness in dB(A), unless that would take its peak over the
// ceiling in dBFS.
struct Level {
    double loudnessDb;
    double ceilingDb = -6.0;
};

// The race music plays at about -27 dB(A) (its volume is set in the music player).
constexpr double kEngineDb = -29.0;
// Idling and coasting are the engine's quieter states, still well within earshot.
constexpr double kIdleDb = kEngineDb - 3.5;
// The horn and the tyres stand out from the engine without drowning it.
constexpr double kHornDb = kEngineDb + 4.5;
constexpr double kTyresDb = kEngineDb + 4.0;
constexpr double kGunDb = -25.0;
// A pick-up is a reward: a chime the player hears over everything that drives.
constexpr double kChimeDb = -24.0;
// A crash is at least as loud as a chime.
constexpr double kImpactDb = -23.0;
constexpr double kCryDb = -23.0;

int Samples(double seconds) {
    return synth::SamplesFor(seconds, kSoundRate);
}
double TimeOf(int n) {
    return static_cast<double>(n) / kSoundRate;
}

// Takes out the deep bass that small speakers cannot play and that would only eat the mixer's
// headroom. A loop is filtered round twice and keeps the second turn, so it stays seamless.
void TrimSubBass(Signal& signal, double hz, bool looped) {
    Biquad highPass(Biquad::Kind::HighPass, hz, 0.7, kSoundRate);
    if (looped) {
        for (double x : signal) highPass.Process(x);
    }
    for (double& x : signal) x = highPass.Process(x);
}

Signal Thump(double seconds, double startHz, double endHz, double pitchTau, double decayTau) {
    return synth::Thump(seconds, startHz, endHz, pitchTau, decayTau, kSoundRate);
}

Signal NoiseBurst(double seconds, Biquad filter, double decayTau, NoiseSource& noise) {
    return synth::NoiseBurst(seconds, filter, decayTau, noise, kSoundRate);
}

Signal Partials(double seconds, std::initializer_list<std::array<double, 3>> partials) {
    return synth::Partials(seconds, partials, kSoundRate);
}

Signal MakeButton() {
    // A crisp plastic click.
    NoiseSource noise(11);
    Signal out = Partials(0.07, {{1850.0, 0.8, 0.007}, {620.0, 0.6, 0.012}, {3900.0, 0.25, 0.004}});
    synth::MixInto(
        out,
        NoiseBurst(0.02, Biquad(Biquad::Kind::HighPass, 3000.0, 0.7, kSoundRate), 0.002, noise), 0,
        1.2);
    synth::FadeOut(out, Samples(0.01));
    return out;
}

Signal MakeTick() {
    // A clock tick: a struck wooden block, two short resonances.
    NoiseSource noise(12);
    Signal out =
        Partials(0.06, {{1250.0, 1.0, 0.010}, {2950.0, 0.55, 0.006}, {5200.0, 0.2, 0.003}});
    synth::MixInto(
        out,
        NoiseBurst(0.01, Biquad(Biquad::Kind::BandPass, 4000.0, 1.0, kSoundRate), 0.0015, noise), 0,
        1.5);
    synth::FadeOut(out, Samples(0.01));
    return out;
}

Signal MakeMenuBegin() {
    // A whoosh sweeping upwards into a bright F major chord that swells and fades.
    constexpr double kLength = 1.0;
    const int length = Samples(kLength);
    NoiseSource noise(13);
    Signal out(static_cast<size_t>(length));

    Biquad sweep(Biquad::Kind::BandPass, 300.0, 1.4, kSoundRate);
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n);
        sweep.Set(300.0 * std::pow(5000.0 / 300.0, std::min(t / 0.6, 1.0)), 1.4);
        const double rise = std::pow(std::min(t / 0.55, 1.0), 2.0);
        const double level = t < 0.55 ? rise : Decay(t - 0.55, 0.12);
        out[static_cast<size_t>(n)] += 1.6 * sweep.Process(noise.Bipolar()) * level;
    }

    // F3 C4 F4 A4 C5 G5, each two detuned saws gliding up a whole tone into pitch.
    const double chord[] = {174.61, 261.63, 349.23, 440.00, 523.25, 783.99};
    Biquad tone(Biquad::Kind::LowPass, 400.0, 0.9, kSoundRate);
    std::vector<synth::Oscillator> voices;
    for (size_t i = 0; i < std::size(chord); ++i) {
        voices.emplace_back(synth::Oscillator::Shape::Saw, kSoundRate, 0.13 * i);
        voices.emplace_back(synth::Oscillator::Shape::Saw, kSoundRate, 0.57 + 0.11 * i);
    }
    const synth::Envelope swell({{0.25, 0.0}, {0.5, 1.0}, {0.7, 0.8}, {kLength, 0.0}});
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n);
        const double glide = std::pow(2.0, -2.0 / 12.0 * (1.0 - synth::SmoothRise(t, 0.2, 0.35)));
        double sum = 0.0;
        for (size_t i = 0; i < std::size(chord); ++i) {
            const double hz = chord[i] * glide;
            sum += voices[2 * i].Next(hz * 1.004) + voices[2 * i + 1].Next(hz / 1.004);
        }
        tone.Set(400.0 + 4500.0 * synth::SmoothRise(t, 0.2, 0.4), 0.9);
        out[static_cast<size_t>(n)] += 0.18 * tone.Process(sum) * swell.At(t);
    }
    synth::FadeOut(out, Samples(0.05));
    return out;
}

Signal MakeHorn() {
    // Two horns a major third apart (420 and 525 Hz), each a buzzing reed through a bell
    // resonance. Both run a whole number of cycles in the 0.4 s loop.
    constexpr double kLoopSeconds = 0.4;
    const int loop = Samples(kLoopSeconds);
    const int preroll = 2048;
    const int length = preroll + loop;
    Biquad bellLow(Biquad::Kind::BandPass, 1100.0, 1.2, kSoundRate);
    Biquad bellHigh(Biquad::Kind::BandPass, 2600.0, 1.5, kSoundRate);
    Biquad body(Biquad::Kind::LowPass, 4500.0, 0.7, kSoundRate);
    Signal out(static_cast<size_t>(length));
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n - preroll);
        double reed = 0.0;
        for (double hz : {420.0, 525.0}) {
            for (int k = 1; k * hz < 9000.0; ++k) {
                // A reed buzz: strong odd and even harmonics, slowly falling.
                reed += std::sin(kTwoPi * k * hz * t + 0.7 * k) / std::pow(k, 0.8);
            }
        }
        const double shaped =
            0.5 * reed + 1.5 * bellLow.Process(reed) + 1.0 * bellHigh.Process(reed);
        out[static_cast<size_t>(n)] = body.Process(std::tanh(0.25 * shaped));
    }
    out.erase(out.begin(), out.begin() + preroll);
    return out;
}

Signal MakeMachineGun() {
    // Five shots in one second, 200 ms apart. Each shot's ring is wrapped round the loop end,
    // so the loop is one continuous stretch of fire.
    constexpr int kShots = 5;
    const int loop = Samples(1.0);
    Signal out(static_cast<size_t>(loop));
    NoiseSource noise(21);
    for (int shot = 0; shot < kShots; ++shot) {
        const double variation = noise.Between(0.85, 1.0);
        Signal blast =
            NoiseBurst(0.35, Biquad(Biquad::Kind::HighPass, 900.0, 0.7, kSoundRate), 0.006, noise);
        synth::MixInto(
            blast,
            NoiseBurst(0.35, Biquad(Biquad::Kind::LowPass, 1600.0, 0.7, kSoundRate), 0.028, noise),
            0, 1.6);
        synth::MixInto(blast, Thump(0.35, 220.0, 90.0, 0.012, 0.025), 0, 0.45);
        // The bolt slamming home 45 ms after the shot.
        synth::MixInto(
            blast,
            NoiseBurst(0.05, Biquad(Biquad::Kind::BandPass, 4200.0, 2.0, kSoundRate), 0.003, noise),
            Samples(0.045), 0.35);
        // A short echo off the street.
        synth::MixInto(
            blast,
            NoiseBurst(0.3, Biquad(Biquad::Kind::LowPass, 1200.0, 0.7, kSoundRate), 0.07, noise),
            Samples(0.03), 0.25);
        for (size_t n = 0; n < blast.size(); ++n) {
            blast[n] *= std::min(1.0, TimeOf(static_cast<int>(n)) / 0.0008);
        }
        synth::MixCircular(out, blast, Samples(0.002 + 0.2 * shot), variation);
    }
    TrimSubBass(out, 110.0, true);
    // Squeeze the muzzle blasts, so the fire sounds dense and loud without sharp peaks.
    const double drive = 3.0 / synth::PeakOf(out);
    for (double& x : out) x = std::tanh(drive * x);
    return out;
}

Signal MakeRocket() {
    // Ignition pop, then a rushing whoosh that falls in pitch as the rocket leaves.
    constexpr double kLength = 0.45;
    const int length = Samples(kLength);
    NoiseSource noise(22);
    Signal out(static_cast<size_t>(length));
    Biquad whoosh(Biquad::Kind::BandPass, 2500.0, 1.1, kSoundRate);
    Biquad hiss(Biquad::Kind::HighPass, 4500.0, 0.7, kSoundRate);
    synth::OnePoleLowPass roar(300.0, kSoundRate);
    const synth::Envelope body({{0.0, 0.0}, {0.02, 1.0}, {0.12, 0.85}, {kLength, 0.0}});
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n);
        whoosh.Set(2600.0 * std::pow(600.0 / 2600.0, t / kLength), 1.1);
        const double white = noise.Bipolar();
        const double rush = 1.6 * whoosh.Process(white) +
                            0.3 * hiss.Process(white) * Decay(t, 0.08) +
                            3.0 * roar.Process(noise.Bipolar());
        out[static_cast<size_t>(n)] = rush * body.At(t);
    }
    synth::MixInto(
        out, NoiseBurst(0.06, Biquad(Biquad::Kind::LowPass, 5000.0, 0.7, kSoundRate), 0.008, noise),
        0, 1.0);
    synth::MixInto(out, Thump(0.12, 120.0, 60.0, 0.02, 0.03), 0, 0.6);
    synth::FadeOut(out, Samples(0.03));
    return out;
}

Signal MakeExplosion() {
    // A sharp crack, a chest-thumping boom, a roaring fireball that darkens as it burns out, a
    // low rumble and bits of debris landing. The roar carries the explosion: it is pushed into
    // a light overdrive, so it sounds big on small speakers without peaking.
    constexpr double kLength = 1.1;
    const int length = Samples(kLength);
    NoiseSource noise(23);
    Signal out(static_cast<size_t>(length));

    // The crack: a burst of bright noise with a few sharper snaps inside it.
    synth::MixInto(
        out, NoiseBurst(0.06, Biquad(Biquad::Kind::HighPass, 900.0, 0.7, kSoundRate), 0.01, noise),
        0, 1.2);
    for (int i = 0; i < 5; ++i) {
        const double at = 0.004 + 0.012 * i + noise.Between(0.0, 0.006);
        Signal snap = NoiseBurst(
            0.02, Biquad(Biquad::Kind::BandPass, noise.Between(1800.0, 4200.0), 1.5, kSoundRate),
            0.003, noise);
        synth::MixInto(out, snap, Samples(at), 1.6 * Decay(at, 0.03));
    }
    // The boom: a falling thump, pitched where a small speaker still gives it weight.
    synth::MixInto(out, Thump(kLength, 140.0, 48.0, 0.06, 0.16), 0, 0.9);

    // The fireball roar and the rumble under it.
    Biquad fire(Biquad::Kind::LowPass, 3500.0, 0.8, kSoundRate);
    Biquad body(Biquad::Kind::BandPass, 350.0, 0.7, kSoundRate);
    synth::OnePoleLowPass rumbleA(160.0, kSoundRate);
    synth::OnePoleLowPass rumbleB(160.0, kSoundRate);
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n);
        fire.Set(250.0 + 3300.0 * Decay(t, 0.22), 0.8);
        body.Set(180.0 + 400.0 * Decay(t, 0.3), 0.7);
        const double white = noise.Bipolar();
        const double swell = synth::SmoothRise(t, 0.0, 0.02) * Decay(t - 0.05, 0.32);
        const double roar = 1.3 * fire.Process(white) + 2.2 * body.Process(white);
        const double rumble = rumbleB.Process(rumbleA.Process(noise.Bipolar())) * 5.0 *
                              synth::SmoothRise(t, 0.0, 0.06) * Decay(t, 0.5);
        out[static_cast<size_t>(n)] += roar * swell + rumble;
    }

    // Debris: sparse ticks, thinning out.
    for (int i = 0; i < 26; ++i) {
        const double at = 0.1 + 0.6 * std::pow(noise.Uniform(), 1.6);
        const double hz = noise.Between(1500.0, 5000.0);
        Signal bit =
            NoiseBurst(0.03, Biquad(Biquad::Kind::BandPass, hz, 3.0, kSoundRate), 0.004, noise);
        synth::MixInto(out, bit, Samples(at), 0.6 * Decay(at, 0.4));
    }
    for (double& x : out) x = std::tanh(1.4 * x);
    synth::FadeOut(out, Samples(0.12));
    return out;
}

Signal MakeCollision() {
    // A heavy knock with crumpling metal: a short thud pitched up into the range a small
    // speaker plays, a crunch of mid-range grit, short grains of bright noise and a ringing
    // panel, lightly overdriven so it hits hard at a modest peak.
    constexpr double kLength = 0.3;
    const int length = Samples(kLength);
    NoiseSource noise(24);
    Signal out(static_cast<size_t>(length));
    synth::MixInto(out, Thump(kLength, 180.0, 75.0, 0.02, 0.05), 0, 1.0);
    synth::MixInto(
        out,
        NoiseBurst(kLength, Biquad(Biquad::Kind::BandPass, 700.0, 0.8, kSoundRate), 0.04, noise), 0,
        2.2);
    synth::MixInto(
        out,
        NoiseBurst(kLength, Biquad(Biquad::Kind::LowPass, 2500.0, 0.7, kSoundRate), 0.022, noise),
        0, 1.0);
    for (int i = 0; i < 18; ++i) {
        const double at = 0.15 * std::pow(noise.Uniform(), 1.3);
        const double hz = noise.Between(1000.0, 4200.0);
        Signal grain =
            NoiseBurst(noise.Between(0.008, 0.02),
                       Biquad(Biquad::Kind::BandPass, hz, 3.0, kSoundRate), 0.006, noise);
        synth::MixInto(out, grain, Samples(at), 2.0 * Decay(at, 0.08));
    }
    synth::MixInto(out,
                   Partials(kLength, {{423.0, 0.16, 0.12},
                                      {1131.0, 0.12, 0.09},
                                      {1893.0, 0.09, 0.07},
                                      {2757.0, 0.06, 0.05}}),
                   Samples(0.005));
    TrimSubBass(out, 80.0, false);
    for (double& x : out) x = std::tanh(2.6 * x);
    synth::FadeOut(out, Samples(0.03));
    return out;
}

Signal MakeScore() {
    // A coin: B5 then E6, bright square tone with a bell shimmer on the second note.
    constexpr double kLength = 0.32;
    constexpr double kSecond = 0.07;
    const int length = Samples(kLength);
    Signal out(static_cast<size_t>(length));
    synth::Oscillator first(synth::Oscillator::Shape::Square, kSoundRate);
    synth::Oscillator second(synth::Oscillator::Shape::Square, kSoundRate);
    for (int n = 0; n < length; ++n) {
        const double t = TimeOf(n);
        double x = 0.0;
        if (t < kSecond + 0.01) {
            const double end = 1.0 - synth::SmoothRise(t, kSecond, 0.01);
            x += 0.5 * first.Next(987.77) * std::min(1.0, t / 0.002) * end;
        }
        if (t >= kSecond) {
            const double dt = t - kSecond;
            x += 0.5 * second.Next(1318.51) * std::min(1.0, dt / 0.002) * Decay(dt, 0.09);
        }
        out[static_cast<size_t>(n)] = x;
    }
    Signal shimmer = Partials(kLength - kSecond, {{2637.0, 0.25, 0.07}, {3956.0, 0.12, 0.05}});
    synth::MixInto(out, shimmer, Samples(kSecond));
    Biquad soften(Biquad::Kind::LowPass, 6500.0, 0.7, kSoundRate);
    for (double& x : out) x = soften.Process(x);
    synth::FadeOut(out, Samples(0.02));
    return out;
}

Signal MakeBonus() {
    // A power-up: a quick rising arpeggio of C major over two octaves, with an echo, ending on
    // a ringing top note with vibrato.
    constexpr double kLength = 0.6;
    constexpr double kStep = 0.055;
    const double notes[] = {523.25, 659.26, 783.99, 1046.50, 1318.51, 1567.98};
    const int length = Samples(kLength);
    Signal dry(static_cast<size_t>(length));
    for (size_t i = 0; i < std::size(notes); ++i) {
        const bool last = i + 1 == std::size(notes);
        const double start = kStep * static_cast<double>(i);
        synth::Oscillator pulse(synth::Oscillator::Shape::Square, kSoundRate, 0.0, 0.25);
        synth::Oscillator octave(synth::Oscillator::Shape::Sine, kSoundRate);
        for (int n = Samples(start); n < length; ++n) {
            const double dt = TimeOf(n) - start;
            const double vibrato = last ? 1.0 + 0.012 * std::sin(kTwoPi * 7.0 * dt) : 1.0;
            const double hz = notes[i] * vibrato;
            const double level = std::min(1.0, dt / 0.003) * Decay(dt, last ? 0.14 : 0.05);
            dry[static_cast<size_t>(n)] +=
                // A quarter-width pulse sits at -0.5 on average; centre it on zero.
                level * (0.4 * (pulse.Next(hz) + 0.5) + 0.3 * octave.Next(2.0 * hz));
        }
    }
    Signal out = dry;
    synth::MixInto(out, dry, Samples(0.09), 0.35);
    Biquad soften(Biquad::Kind::LowPass, 7000.0, 0.7, kSoundRate);
    for (double& x : out) x = soften.Process(x);
    synth::FadeOut(out, Samples(0.05));
    return out;
}

Signal MakeWeaponAppear() {
    // A servo unfolding the weapon: a whirring motor that eases in (the sound restarts every
    // frame for its first tenth of a second, so it must start quietly), spins up, and stops
    // with a clunk as the mount locks.
    constexpr double kLength = 0.5;
    constexpr double kClunkAt = 0.42;
    const int length = Samples(kLength);
    NoiseSource noise(31);
    Signal out(static_cast<size_t>(length));
    synth::Oscillator motor(synth::Oscillator::Shape::Saw, kSoundRate);
    synth::Oscillator whine(synth::Oscillator::Shape::Sine, kSoundRate);
    Biquad housing(Biquad::Kind::BandPass, 1200.0, 0.8, kSoundRate);
    const synth::Envelope speed({{0.0, 210.0}, {0.25, 330.0}, {0.38, 345.0}, {kClunkAt, 300.0}});
    for (int n = 0; n < Samples(kClunkAt + 0.01); ++n) {
        const double t = TimeOf(n);
        const double hz = speed.At(t);
        const double teeth = 1.0 + 0.3 * std::sin(kTwoPi * 45.0 * t);
        const double x = 0.6 * motor.Next(hz) + 0.3 * whine.Next(4.0 * hz) + 0.1 * noise.Bipolar();
        const double level =
            synth::SmoothRise(t, 0.0, 0.15) * (1.0 - synth::SmoothRise(t, kClunkAt - 0.02, 0.03));
        out[static_cast<size_t>(n)] = (0.5 * x + 1.5 * housing.Process(x)) * teeth * level;
    }
    Signal clunk = Thump(kLength - kClunkAt, 120.0, 60.0, 0.01, 0.028);
    synth::MixInto(clunk, Partials(kLength - kClunkAt, {{1730.0, 0.3, 0.03}, {2610.0, 0.2, 0.02}}),
                   0);
    synth::MixInto(
        clunk,
        NoiseBurst(0.02, Biquad(Biquad::Kind::HighPass, 2000.0, 0.7, kSoundRate), 0.003, noise), 0,
        0.8);
    synth::MixInto(out, clunk, Samples(kClunkAt), 1.6);
    synth::FadeOut(out, Samples(0.02));
    return out;
}

// The catalogue's sound, named and looped as the catalogue says.
WaveEntry Wave(Sound sound, Signal signal, Level level) {
    const bool looped = InfoOf(sound).Looped;
    synth::RemoveDc(signal, looped, kSoundRate);
    if (looped) {
        // The game stops one engine sound and starts the next from its first sample: a loop
        // must come in from silence, and it does so where it is quietest.
        synth::OpenLoopQuietly(signal, Samples(0.002), Samples(0.001));
    } else {
        // A one-shot never starts or stops on a step, even a click: 1 ms to come in.
        synth::FadeIn(signal, Samples(0.001));
        synth::FadeOut(signal, Samples(0.002));
    }
    const double loudness = measure::LoudestWindowDb(signal, kSoundRate, 0.3, looped);
    const double peak = synth::PeakOf(signal);
    if (peak > 0.0) {
        const double gain = std::min(std::pow(10.0, (level.loudnessDb - loudness) / 20.0),
                                     std::pow(10.0, level.ceilingDb / 20.0) / peak);
        for (double& x : signal) x *= gain;
    }
    WaveEntry entry;
    entry.name = std::string(NameOf(sound));
    entry.looped = looped;
    entry.maxPlayingCount = 1;
    entry.wave = MakeRiffWave16(synth::ToPcm16(signal), kSoundRate);
    return entry;
}

}  // namespace

std::vector<WaveEntry> BuildSounds() {
    std::vector<WaveEntry> waves;
    waves.push_back(Wave(Sound::Button, MakeButton(), {-25.0}));
    waves.push_back(Wave(Sound::MenuBegin, MakeMenuBegin(), {-21.0}));
    waves.push_back(Wave(Sound::Tick, MakeTick(), {-23.0}));
    waves.push_back(Wave(Sound::Neutral, sounds::MakeNeutral(), {kIdleDb}));
    // The engine grows a little louder with each gear.
    const Sound gears[4] = {Sound::Accel1, Sound::Accel2, Sound::Accel3, Sound::Accel4};
    for (int gear = 1; gear <= 4; ++gear) {
        waves.push_back(
            Wave(gears[gear - 1], sounds::MakeAccel(gear), {kEngineDb - 1.0 + 0.5 * (gear - 1)}));
    }
    // The gear change sits between engine loops, so it keeps to their level.
    waves.push_back(Wave(Sound::Shift, sounds::MakeShift(), {kEngineDb}));
    waves.push_back(Wave(Sound::Slowed, sounds::MakeSlowed(), {kIdleDb + 0.5}));
    waves.push_back(Wave(Sound::Maxed, sounds::MakeMaxed(), {kEngineDb + 1.0}));
    waves.push_back(Wave(Sound::Brake, sounds::MakeBrake(), {kTyresDb}));
    waves.push_back(Wave(Sound::Nitro, sounds::MakeNitro(), {kEngineDb + 2.0}));
    waves.push_back(Wave(Sound::Horn, MakeHorn(), {kHornDb}));
    waves.push_back(Wave(Sound::MachineGun, MakeMachineGun(), {kGunDb}));
    waves.push_back(Wave(Sound::Rocket, MakeRocket(), {kGunDb}));
    waves.push_back(Wave(Sound::Explosion, MakeExplosion(), {kImpactDb}));
    waves.push_back(Wave(Sound::Collision, MakeCollision(), {kImpactDb}));
    waves.push_back(Wave(Sound::Kill, sounds::MakeCry(false), {kCryDb}));
    waves.push_back(Wave(Sound::KillW, sounds::MakeCry(true), {kCryDb}));
    waves.push_back(Wave(Sound::Score, MakeScore(), {kChimeDb}));
    waves.push_back(Wave(Sound::Bonus, MakeBonus(), {kChimeDb}));
    waves.push_back(Wave(Sound::WeaponAppear, MakeWeaponAppear(), {-24.0}));
    return waves;
}
