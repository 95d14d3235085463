// The menu song: 116 BPM in F, calm and inviting. The theme floats in F Lydian (the raised
// fourth, B natural, over an F pedal), the bridge settles into plain F major, a breakdown
// thins to pads and a bell, and the lift carries the theme a whole tone up into G before a
// turnaround brings it home. Pads spread across the stereo field, the bell arpeggio bounces
// between the speakers and the echo of the lead answers from the right.
//
// The intro plays once; the last section jumps back to the first theme, so the song loops for
// as long as the menu stays open without ever going silent.

#include <string>
#include <vector>

#include "assetgen/music/music_instruments.h"
#include "assetgen/music/music_score.h"
#include "assetgen/music/music_songs.h"

namespace music {

namespace {

enum Channel {
    kLead,
    kEcho,
    kPad,
    kBass = kPad + 4,
    kArpLeft,
    kArpRight,
    kKeys,
    kKick,
    kSnap,
    kShake,
    kControl,
    kChannels
};
enum Instrument {
    kPadLeft = 1,
    kPadRight,
    kBellLeft,
    kBellRight,
    kBassSound,
    kLeadSound,
    kLeadEcho,
    kKeysSound,
    kKickSound,
    kSnapSound,
    kShaker
};

enum class Bass { None, Held, Moving, Pulse };
enum class Arp { None, Twinkle, Quarters, Eighths };
enum class Beat { None, Shaker, Light, Full };

struct Section {
    Progression chords;
    const char* melody = nullptr;
    int melodyInstrument = kLeadSound;
    int melodyVolume = 50;
    bool echo = false;
    const char* counter = nullptr;  // a second line on the keys
    int counterVolume = 34;
    Bass bass = Bass::None;
    Arp arp = Arp::None;
    int arpVolume = 26;
    Beat beat = Beat::None;
    int padVolume = 36;
};

void WriteBass(PatternWriter& out, const Section& section) {
    for (int bar = 0; bar < kBars; ++bar) {
        const int root = section.chords[static_cast<size_t>(bar)].bass;
        const int row = bar * kRowsPerBar;
        switch (section.bass) {
            case Bass::None:
                break;
            case Bass::Held:
                out.Note(row, kBass, root, kBassSound, 54);
                break;
            case Bass::Moving:
                out.Note(row, kBass, root, kBassSound, 58);
                out.Note(row + 6, kBass, root + 12, kBassSound, 40);
                out.Note(row + 8, kBass, root + 7, kBassSound, 50);
                out.Note(row + 14, kBass, root + 5, kBassSound, 38);
                break;
            case Bass::Pulse:
                for (int i = 0; i < 8; ++i) {
                    out.Note(row + 2 * i, kBass, i % 4 == 3 ? root + 12 : root, kBassSound,
                             i % 2 == 0 ? 58 : 42);
                }
                break;
        }
    }
}

// The bell plays the chord's tones, alternating between a bell on the left and one on the
// right, each in its own channel so the last note rings on under the next.
void WriteArpeggio(PatternWriter& out, const Section& section) {
    int step = 0;
    auto bell = [&](int row, int note, int volume) {
        const bool left = step++ % 2 == 0;
        out.Note(row, left ? kArpLeft : kArpRight, note, left ? kBellLeft : kBellRight, volume);
    };
    for (int bar = 0; bar < kBars; ++bar) {
        const std::vector<int>& tones = section.chords[static_cast<size_t>(bar)].tones;
        const int row = bar * kRowsPerBar;
        auto tone = [&](size_t i) { return tones[i % tones.size()] + 12 * (1 + i / tones.size()); };
        const int v = section.arpVolume;
        switch (section.arp) {
            case Arp::None:
                break;
            case Arp::Twinkle:
                bell(row + 2, tone(tones.size() - 1), v);
                bell(row + 10, tone(tones.size() + 1), v - 6);
                break;
            case Arp::Quarters: {
                static constexpr size_t kOrder[4] = {0, 2, 1, 3};
                for (int i = 0; i < 4; ++i) bell(row + 4 * i, tone(kOrder[i]), v);
                break;
            }
            case Arp::Eighths: {
                static constexpr size_t kOrder[8] = {0, 1, 2, 3, 4, 3, 2, 1};
                for (int i = 0; i < 8; ++i)
                    bell(row + 2 * i, tone(kOrder[i]), i % 2 == 0 ? v : v - 8);
                break;
            }
        }
    }
}

void WriteBeat(PatternWriter& out, Beat beat) {
    const int c4 = NoteNumber("C4");
    for (int bar = 0; bar < kBars; ++bar) {
        const int row = bar * kRowsPerBar;
        if (beat != Beat::None) {
            for (int r = 0; r < kRowsPerBar; r += 2) {
                out.Note(row + r, kShake, c4, kShaker, r % 4 == 2 ? 26 : 13);
            }
        }
        if (beat == Beat::Light || beat == Beat::Full) {
            out.Note(row, kKick, c4, kKickSound, 54);
            out.Note(row + 8, kKick, c4, kKickSound, 46);
        }
        if (beat == Beat::Full) {
            out.Note(row + 4, kSnap, c4, kSnapSound, 40);
            out.Note(row + 12, kSnap, c4, kSnapSound, 40);
            if (bar == kBars - 1) out.Note(row + 10, kKick, c4, kKickSound, 36);
        }
    }
}

XmPattern Write(const Section& section, int loopBackTo) {
    PatternWriter out(kChannels);
    out.Effect(0, kControl, kXmGlobalVolume, kGlobalVolume);
    WriteChordVoices(out, section.chords, kPad, {kPadLeft, kPadRight}, section.padVolume);
    if (section.melody != nullptr) {
        out.Melody(kLead, section.melodyInstrument, section.melodyVolume, section.melody);
        // The echo answers a dotted eighth later from the other side.
        if (section.echo) {
            const int echoSound = section.melodyInstrument == kLeadSound ? kLeadEcho : kBellRight;
            out.Line(kEcho, echoSound, section.melodyVolume * 2 / 5, section.melody, 3);
        }
    }
    if (section.counter != nullptr) {
        out.Melody(kKeys, kKeysSound, section.counterVolume, section.counter);
    }
    WriteBass(out, section);
    WriteArpeggio(out, section);
    WriteBeat(out, section.beat);
    // Held voices that this section does not play are let go as it begins, so nothing from
    // the section before hangs on.
    for (const int channel :
         {+kLead, +kEcho, kPad + 0, kPad + 1, kPad + 2, kPad + 3, +kBass, +kKeys}) {
        out.Release(0, channel);
    }
    if (loopBackTo >= 0) {
        out.Effect(kPatternRows - 1, kControl, kXmPositionJump, static_cast<uint8_t>(loopBackTo));
    }
    return out.Take();
}

}  // namespace

XmModule MenuModule() {
    // F Lydian: the theme's chords all come from the white keys over F, until the borrowed
    // B flat at the end of its second half turns it home.
    const Progression intro = {MakeChord("F2: A3 C4 E4 G4"), MakeChord("F2: A3 C4 E4 G4"),
                               MakeChord("Bb1: F3 A3 C4 D4"), MakeChord("C2: F3 G3 Bb3 D4")};
    const Progression themeA = {MakeChord("F2: A3 C4 E4 G4"), MakeChord("F2: B3 D4 E4 G4"),
                                MakeChord("E2: B3 D4 E4 G4"), MakeChord("A1: A3 C4 E4 G4")};
    const Progression themeB = {MakeChord("D2: F3 A3 C4 E4"), MakeChord("G1: F3 A3 C4 D4"),
                                MakeChord("C2: E3 G3 B3 D4"), MakeChord("Bb1: F3 A3 C4 D4")};
    // F major: the bridge.
    const Progression bridgeA = {MakeChord("Bb1: F3 A3 C4 D4"), MakeChord("Bb1: E3 G3 C4 E4"),
                                 MakeChord("A1: E3 G3 C4 E4"), MakeChord("D2: F3 A3 C4 E4")};
    const Progression bridgeB = {MakeChord("G1: F3 A3 Bb3 D4"), MakeChord("A1: E3 G3 C4 E4"),
                                 MakeChord("Bb1: F3 A3 C4 D4"), MakeChord("C2: F3 G3 Bb3 D4")};
    const Progression breakdown = {MakeChord("D2: F3 A3 C4 E4"), MakeChord("D2: F3 A3 C4 E4"),
                                   MakeChord("Bb1: F3 A3 C4 D4"), MakeChord("Bb1: F3 A3 C4 D4")};
    // The lift: the theme a whole tone up, in G Lydian.
    const Progression liftA = {MakeChord("G2: B3 D4 F#4 A4"), MakeChord("G2: C#4 E4 F#4 A4"),
                               MakeChord("F#2: C#4 E4 F#4 A4"), MakeChord("B1: B3 D4 F#4 A4")};
    const Progression liftB = {MakeChord("E2: G3 B3 D4 F#4"), MakeChord("A1: G3 B3 D4 E4"),
                               MakeChord("D2: F#3 A3 C#4 E4"), MakeChord("C2: E3 G3 B3 D4")};
    const Progression turnaround = {MakeChord("G1: F3 A3 Bb3 D4"), MakeChord("A1: E3 G3 C4 E4"),
                                    MakeChord("Bb1: F3 A3 C4 D4"), MakeChord("C2: F3 G3 Bb3 D4")};

    constexpr const char* kThemeA =
        "C5:4 A4:4 E5:6 D5:2 | D5:4 B4:4 G5:8 | "
        "G5:4 E5:2 D5:2 B4:4 G4:4 | A4:12 -:4";
    constexpr const char* kThemeB =
        "F5:4 E5:4 D5:4 A4:4 | C5:6 D5:2 B4:8 | "
        "E5:4 G5:4 B5:4 G5:4 | A5:8 F5:4 D5:4";
    constexpr const char* kThemeC =
        "C5:2 D5:2 E5:2 G5:2 A5:6 G5:2 | B5:4 A5:2 G5:2 D5:8 | "
        "E5:4 G5:4 B5:4 A5:2 G5:2 | E5:6 D5:2 C5:8";
    constexpr const char* kThemeD =
        "F5:4 A5:4 E5:6 D5:2 | C5:4 D5:4 G5:4 F5:2 D5:2 | "
        "E5:6 G5:2 B5:4 C6:4 | A5:12 -:4";
    constexpr const char* kBridgeA =
        "D5:4 F5:4 A5:4 F5:4 | G5:6 E5:2 C5:8 | "
        "E5:4 A5:4 G5:4 E5:4 | F5:8 -:4 A4:4";
    constexpr const char* kBridgeB =
        "Bb4:4 D5:4 F5:6 G5:2 | E5:4 C5:4 A4:8 | "
        "D5:4 F5:4 A5:4 C6:4 | Bb5:8 G5:4 F5:4";
    constexpr const char* kBridgeKeysA =
        "-:8 F4:4 A4:4 | -:8 G4:4 E4:4 | "
        "-:8 C4:4 E4:4 | -:8 D4:4 F4:4";
    constexpr const char* kBridgeKeysB =
        "-:8 D4:4 Bb3:4 | -:8 C4:4 E4:4 | "
        "-:8 D4:4 F4:4 | -:8 Bb3:4 G3:4";
    constexpr const char* kBreakdown = "E5:8 A5:8 | F5:8 E5:4 D5:4 | C5:8 F5:8 | A5:12 -:4";
    constexpr const char* kLiftA =
        "D5:4 B4:4 F#5:6 E5:2 | E5:4 C#5:4 A5:8 | "
        "A5:4 F#5:2 E5:2 C#5:4 A4:4 | B4:12 -:4";
    constexpr const char* kLiftB =
        "G5:4 F#5:4 E5:4 B4:4 | D5:6 E5:2 C#5:8 | "
        "F#5:4 A5:4 C#6:4 A5:4 | B5:8 G5:4 E5:4";
    constexpr const char* kLiftKeysA = "F#4:8 G4:8 | E4:8 F#4:8 | C#4:8 E4:8 | D4:8 F#4:8";
    constexpr const char* kLiftKeysB = "G4:8 B4:8 | A4:8 E4:8 | F#4:8 A4:8 | G4:8 E4:8";
    constexpr const char* kTurnaround = "D5:8 F5:8 | E5:8 C5:8 | D5:4 F5:4 A5:8 | G5:12 -:4";

    const std::vector<Section> sections = {
        // The intro, heard once: pads swelling in under a few bell notes.
        {.chords = intro, .bass = Bass::None, .arp = Arp::Twinkle, .padVolume = 34},
        // The theme, first on its own over a shaker, then with the beat.
        {.chords = themeA,
         .melody = kThemeA,
         .melodyVolume = 46,
         .bass = Bass::Held,
         .arp = Arp::Quarters,
         .arpVolume = 22,
         .beat = Beat::Shaker},
        {.chords = themeB,
         .melody = kThemeB,
         .melodyVolume = 46,
         .bass = Bass::Held,
         .arp = Arp::Quarters,
         .arpVolume = 22,
         .beat = Beat::Light},
        {.chords = themeA,
         .melody = kThemeC,
         .echo = true,
         .bass = Bass::Moving,
         .arp = Arp::Eighths,
         .beat = Beat::Full},
        {.chords = themeB,
         .melody = kThemeD,
         .echo = true,
         .bass = Bass::Moving,
         .arp = Arp::Eighths,
         .beat = Beat::Full},
        // The bridge: the tune moves to the bell, the keys answer between its phrases.
        {.chords = bridgeA,
         .melody = kBridgeA,
         .melodyInstrument = kBellLeft,
         .melodyVolume = 48,
         .echo = true,
         .counter = kBridgeKeysA,
         .bass = Bass::Moving,
         .beat = Beat::Full},
        {.chords = bridgeB,
         .melody = kBridgeB,
         .melodyInstrument = kBellLeft,
         .melodyVolume = 48,
         .echo = true,
         .counter = kBridgeKeysB,
         .bass = Bass::Moving,
         .beat = Beat::Full},
        // The breakdown: pads, a held bass and the bell alone.
        {.chords = breakdown,
         .melody = kBreakdown,
         .melodyInstrument = kBellLeft,
         .melodyVolume = 36,
         .bass = Bass::Held,
         .arp = Arp::Twinkle,
         .arpVolume = 18,
         .padVolume = 30},
        // The lift: everything, a tone higher.
        {.chords = liftA,
         .melody = kLiftA,
         .melodyVolume = 54,
         .echo = true,
         .counter = kLiftKeysA,
         .bass = Bass::Pulse,
         .arp = Arp::Eighths,
         .arpVolume = 30,
         .beat = Beat::Full,
         .padVolume = 40},
        {.chords = liftB,
         .melody = kLiftB,
         .melodyVolume = 54,
         .echo = true,
         .counter = kLiftKeysB,
         .bass = Bass::Pulse,
         .arp = Arp::Eighths,
         .arpVolume = 30,
         .beat = Beat::Full,
         .padVolume = 40},
        // Home again: the beat drops to the shaker and the turnaround leads into the theme.
        {.chords = turnaround,
         .melody = kTurnaround,
         .melodyVolume = 44,
         .echo = true,
         .bass = Bass::Held,
         .arp = Arp::Quarters,
         .arpVolume = 22,
         .beat = Beat::Shaker},
    };

    XmModule module;
    module.name = "Zarvex 2 Menu";
    module.channels = kChannels;
    module.speed = kSpeed;
    module.bpm = 116;
    constexpr int kLoopStart = 1;
    for (size_t i = 0; i < sections.size(); ++i) {
        const bool last = i + 1 == sections.size();
        module.patterns.push_back(Write(sections[i], last ? kLoopStart : -1));
        module.orders.push_back(static_cast<uint8_t>(i));
    }
    module.restartPosition = kLoopStart;

    const XmInstrument pad = SoftPad();
    const XmInstrument bell = GlassBell();
    const XmInstrument lead = SoftLead();
    module.instruments = {Panned(pad, 72, "Soft pad left"),
                          Panned(pad, 184, "Soft pad right"),
                          Panned(bell, 56, "Glass bell left"),
                          Panned(bell, 200, "Glass bell right"),
                          RoundBass(),
                          Panned(lead, 112, "Soft lead"),
                          Panned(lead, 200, "Soft lead echo"),
                          Panned(WarmKeys(), 88, "Warm keys"),
                          SoftKick(),
                          Panned(Snap(), 150, "Snap"),
                          Panned(Shaker(), 180, "Shaker")};
    return module;
}

}  // namespace music
