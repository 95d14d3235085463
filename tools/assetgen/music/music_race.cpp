// The race song: 150 BPM in A minor, driving. The verse pushes on the harmonic minor's major
// dominant (i, bVI, V), the pre-chorus climbs, and the chorus lands on the rock cadence bVI,
// bVII, i. After a breakdown down to pads and hats, a snare build throws the chorus a whole
// tone up into B minor, the lift; a turnaround and a solo bring it back to the verse. Drums and
// bass sit in the middle, stabs and pads spread left and right, the arpeggio bounces between
// the speakers, and the lead's echo answers from the right.
//
// The intro plays once; the solo jumps back to the first verse, so the song loops for the whole
// race without a break.

#include <string>
#include <vector>

#include "assetgen/music/music_instruments.h"
#include "assetgen/music/music_score.h"
#include "assetgen/music/music_songs.h"

namespace music {

namespace {

enum Channel {
    kKick,
    kSnare,
    kHat,
    kPerc,  // crash and toms
    kBass,
    kLead,
    kEcho,
    kPad,
    kStab = kPad + 3,
    kArp = kStab + 3,
    kRiff,
    kControl,
    kChannels
};
enum Instrument {
    kKickSound = 1,
    kSnareSound,
    kClosedHat,
    kOpenHat,
    kCrashSound,
    kBassSound,
    kLeadSound,
    kLeadEcho,
    kPadLeft,
    kPadRight,
    kStabLeft,
    kStabRight,
    kPluckLeft,
    kPluckRight,
    kTomSound,
    kRiffSound
};

enum class Drums { Intro, Verse, Chorus, Lift, Half, HalfKick, Build };
enum class Bass { Held, Octaves, Drive, Gallop, Sixteenths };

struct Section {
    Progression chords;
    const char* lead = nullptr;
    int leadVolume = 50;
    int transpose = 0;
    Drums drums = Drums::Verse;
    Bass bass = Bass::Octaves;
    bool pad = false;
    int padVolume = 30;
    bool stabs = false;
    bool arp = false;
    int arpVolume = 22;
    bool riff = false;
    bool crash = false;
    bool fill = false;  // toms and a snare flam into the next section
};

void WriteDrums(PatternWriter& out, Drums drums) {
    const int c4 = NoteNumber("C4");
    for (int row = 0; row < kPatternRows; ++row) {
        const int inBar = row % kRowsPerBar;
        const int bar = row / kRowsPerBar;
        const bool onBeat = inBar % kRowsPerBeat == 0;
        const bool offBeat = inBar % kRowsPerBeat == 2;
        const bool backbeat = inBar == 4 || inBar == 12;
        switch (drums) {
            case Drums::Intro:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 54);
                if (offBeat) out.Note(row, kHat, c4, kClosedHat, 26);
                break;
            case Drums::Verse:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 58);
                if (backbeat) out.Note(row, kSnare, c4, kSnareSound, 48);
                if (bar % 2 == 1 && inBar == 15) out.Note(row, kSnare, c4, kSnareSound, 14);
                out.Note(row, kHat, c4, kClosedHat, row % 2 == 0 ? 24 : 10);
                break;
            case Drums::Chorus:
            case Drums::Lift:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 60);
                // The lift pushes: a kick on the last sixteenth of every other beat.
                if (drums == Drums::Lift && inBar % 8 == 7)
                    out.Note(row, kKick, c4, kKickSound, 40);
                if (backbeat) out.Note(row, kSnare, c4, kSnareSound, 54);
                if (offBeat) {
                    out.Note(row, kHat, c4, kOpenHat, 22);
                } else {
                    out.Note(row, kHat, c4, kClosedHat, row % 2 == 0 ? 20 : 9);
                }
                break;
            case Drums::Half:
            case Drums::HalfKick:
                if (row % 2 == 0) out.Note(row, kHat, c4, kClosedHat, offBeat ? 20 : 12);
                if (drums == Drums::HalfKick) {
                    if (inBar == 0) out.Note(row, kKick, c4, kKickSound, 48);
                    if (inBar == 8) out.Note(row, kSnare, c4, kSnareSound, 34);
                }
                break;
            case Drums::Build: {
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 56);
                // The snare doubles its pace every bar from the third, rising in volume.
                const int step = bar < 2 ? 4 : (bar == 2 ? 2 : 1);
                if (inBar % step == 0) {
                    out.Note(row, kSnare, c4, kSnareSound, 16 + 40 * row / kPatternRows);
                }
                if (row % 2 == 0) out.Note(row, kHat, c4, kClosedHat, 10 + 12 * row / kPatternRows);
                break;
            }
        }
    }
}

void WriteFill(PatternWriter& out) {
    // Four toms falling in pitch and a snare flam into the next section.
    const char* toms[] = {"G4", "E4", "C4", "A3"};
    for (int i = 0; i < 4; ++i) {
        out.Note(kPatternRows - 8 + 2 * i, kPerc, NoteNumber(toms[i]), kTomSound, 46);
    }
    for (int row = kPatternRows - 4; row < kPatternRows; ++row) {
        out.Note(row, kSnare, NoteNumber("C4"), kSnareSound, 30 + 6 * (row - kPatternRows + 4));
    }
}

void WriteBass(PatternWriter& out, Bass bass, const Progression& chords) {
    for (int bar = 0; bar < kBars; ++bar) {
        const int root = chords[static_cast<size_t>(bar)].bass;
        const int row = bar * kRowsPerBar;
        switch (bass) {
            case Bass::Held:
                out.Note(row, kBass, root, kBassSound, 54);
                break;
            case Bass::Octaves:
                for (int i = 0; i < 8; ++i) {
                    out.Note(row + 2 * i, kBass, i % 2 == 0 ? root : root + 12, kBassSound,
                             i % 2 == 0 ? 58 : 46);
                }
                break;
            case Bass::Drive:
                // Straight eighths on the root, climbing to the fifth at the bar's end.
                for (int i = 0; i < 8; ++i) {
                    out.Note(row + 2 * i, kBass, i >= 6 ? root + 7 : root, kBassSound,
                             i % 2 == 0 ? 58 : 48);
                }
                break;
            case Bass::Gallop: {
                static constexpr int kRows[6] = {0, 3, 6, 8, 11, 14};
                static constexpr int kUp[6] = {0, 0, 12, 0, 0, 12};
                for (int i = 0; i < 6; ++i) {
                    out.Note(row + kRows[i], kBass, root + kUp[i], kBassSound, 58);
                }
                break;
            }
            case Bass::Sixteenths:
                for (int i = 0; i < kRowsPerBar; ++i) {
                    out.Note(row + i, kBass, root, kBassSound, i % 4 == 0 ? 58 : 42);
                }
                break;
        }
    }
}

void WriteStabs(PatternWriter& out, const Progression& chords) {
    static constexpr int kStarts[5] = {0, 3, 6, 10, 12};
    static constexpr int kLengths[5] = {2, 2, 3, 2, 3};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = chords[static_cast<size_t>(bar)];
        for (int i = 0; i < 5; ++i) {
            const int row = bar * kRowsPerBar + kStarts[i];
            for (size_t voice = 0; voice < 3; ++voice) {
                const int channel = kStab + static_cast<int>(voice);
                const int sound = voice == 1 ? kStabRight : kStabLeft;
                out.Note(row, channel, chord.tones[voice], sound, voice == 2 ? 36 : 40);
                out.Release(row + kLengths[i], channel);
            }
        }
    }
}

// Sixteenths up and down the chord, every note on the other side.
void WriteArpeggio(PatternWriter& out, const Progression& chords, int volume) {
    static constexpr int kOrder[8] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = chords[static_cast<size_t>(bar)];
        const int tones[4] = {chord.tones[0], chord.tones[1], chord.tones[2], chord.tones[0] + 12};
        for (int i = 0; i < kRowsPerBar; ++i) {
            out.Note(bar * kRowsPerBar + i, kArp, tones[kOrder[i % 8]],
                     i % 2 == 0 ? kPluckLeft : kPluckRight, i % 4 == 0 ? volume + 8 : volume);
        }
    }
}

// The verse's riff: a syncopated figure on the chord, an octave under the stabs.
void WriteRiff(PatternWriter& out, const Progression& chords) {
    static constexpr int kRows[6] = {0, 3, 6, 8, 11, 14};
    static constexpr int kTone[6] = {0, 2, 1, 0, 2, 3};
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = chords[static_cast<size_t>(bar)];
        const int tones[4] = {chord.tones[0] - 12, chord.tones[1] - 12, chord.tones[2] - 12,
                              chord.tones[0]};
        for (int i = 0; i < 6; ++i) {
            out.Note(bar * kRowsPerBar + kRows[i], kRiff, tones[kTone[i]], kRiffSound,
                     i == 0 || i == 3 ? 40 : 30);
        }
    }
}

XmPattern Write(const Section& section, int loopBackTo) {
    PatternWriter out(kChannels);
    out.Effect(0, kControl, kXmGlobalVolume, kGlobalVolume);
    WriteDrums(out, section.drums);
    if (section.fill) WriteFill(out);
    if (section.crash) out.Note(0, kPerc, NoteNumber("C4"), kCrashSound, 38);
    WriteBass(out, section.bass, section.chords);
    if (section.pad) {
        WriteChordVoices(out, Transposed(section.chords, -12), kPad, {kPadLeft, kPadRight},
                         section.padVolume);
    }
    if (section.stabs) WriteStabs(out, section.chords);
    if (section.arp) WriteArpeggio(out, section.chords, section.arpVolume);
    if (section.riff) WriteRiff(out, section.chords);
    if (section.lead != nullptr) {
        out.Melody(kLead, kLeadSound, section.leadVolume, section.lead, section.transpose);
        out.Line(kEcho, kLeadEcho, section.leadVolume * 2 / 5, section.lead, 3, section.transpose);
    }
    // Held voices that this section does not play are let go as it begins, so nothing from
    // the section before hangs on (the solo's last note into the verse, say).
    for (const int channel :
         {+kLead, +kEcho, kPad + 0, kPad + 1, kPad + 2, kStab + 0, kStab + 1, kStab + 2}) {
        out.Release(0, channel);
    }
    if (loopBackTo >= 0) {
        out.Effect(kPatternRows - 1, kControl, kXmPositionJump, static_cast<uint8_t>(loopBackTo));
    }
    return out.Take();
}

}  // namespace

XmModule RaceModule() {
    const Chord am = MakeChord("A1: A4 C5 E5");
    const Chord f = MakeChord("F1: A4 C5 F5");
    const Chord e = MakeChord("E2: G#4 B4 E5");
    const Chord dm = MakeChord("D2: A4 D5 F5");
    const Chord g = MakeChord("G1: G4 B4 D5");
    const Chord bb = MakeChord("Bb1: Bb4 D5 F5");
    const Progression verseA = {am, am, f, e};
    const Progression verseB = {am, am, dm, e};
    const Progression pre = {dm, dm, f, g};
    const Progression chorusA = {f, g, am, am};
    const Progression chorusB = {f, g, e, e};
    // The breakdown's B flat is the Neapolitan: a half step above the tonic, falling to E.
    const Progression breakdown = {dm, am, bb, e};
    const Progression build = {f, g, e, e};
    const Progression turnaround = {dm, f, e, e};
    constexpr int kLift = 2;  // the lift's chorus sits a whole tone higher, in B minor

    constexpr const char* kVerseA =
        "E5:3 A5:3 B5:2 C6:4 B5:2 A5:2 | G5:4 A5:4 E5:8 | "
        "F5:3 A5:3 C6:2 D6:4 C6:2 A5:2 | B5:6 G#5:2 E5:8";
    constexpr const char* kVerseB =
        "E5:3 A5:3 B5:2 C6:4 D6:2 E6:2 | E6:4 D6:4 C6:4 B5:4 | "
        "A5:3 F5:3 D5:2 F5:4 A5:4 | G#5:4 B5:4 E6:8";
    constexpr const char* kChorusA =
        "C6:4 A5:4 C6:2 D6:6 | D6:4 B5:4 D6:2 E6:6 | "
        "E6:6 D6:2 C6:4 B5:4 | A5:12 -:4";
    constexpr const char* kChorusB =
        "C6:4 A5:4 C6:2 D6:6 | D6:4 B5:4 D6:2 G6:6 | "
        "E6:6 D6:2 B5:4 G#5:4 | B5:12 -:4";
    constexpr const char* kBreakdown = "F5:8 E5:4 D5:4 | E5:8 C5:8 | D5:8 F5:4 Bb5:4 | G#5:8 B5:8";
    constexpr const char* kTurnaround =
        "D6:4 C6:4 A5:8 | C6:4 A5:4 F5:8 | "
        "E5:4 G#5:4 B5:4 D6:4 | E6:12 -:4";
    constexpr const char* kSolo =
        "A5:2 E5:2 C5:2 E5:2 A5:2 C6:2 B5:2 A5:2 | G5:2 E5:2 C5:2 E5:2 G5:2 C6:2 B5:2 G5:2 | "
        "F5:2 A5:2 C6:2 F6:2 E6:2 C6:2 A5:2 F5:2 | G#5:2 B5:2 E6:2 G#6:2 F6:4 E6:4";

    // The sections as patterns; the order list below strings them together.
    const std::vector<Section> sections = {
        // 0: the intro, heard once: kick, hats, bass and pad under a crash.
        {.chords = verseA, .drums = Drums::Intro, .pad = true, .crash = true},
        // 1, 2: the verse groove, riff and bass under a soft pad, no tune yet.
        {.chords = verseA, .pad = true, .padVolume = 24, .riff = true, .crash = true},
        {.chords = verseB, .pad = true, .riff = true, .fill = true},
        // 3: the pre-chorus climbs on a straight bass under the arpeggio.
        {.chords = pre, .bass = Bass::Drive, .pad = true, .arp = true, .fill = true},
        // 4, 5: the chorus.
        {.chords = chorusA,
         .lead = kChorusA,
         .drums = Drums::Chorus,
         .bass = Bass::Gallop,
         .stabs = true,
         .crash = true},
        {.chords = chorusB,
         .lead = kChorusB,
         .drums = Drums::Chorus,
         .bass = Bass::Gallop,
         .stabs = true,
         .arp = true,
         .arpVolume = 18,
         .fill = true},
        // 6, 7: the verse with its tune.
        {.chords = verseA,
         .lead = kVerseA,
         .leadVolume = 46,
         .pad = true,
         .padVolume = 24,
         .riff = true,
         .crash = true},
        {.chords = verseB,
         .lead = kVerseB,
         .leadVolume = 46,
         .pad = true,
         .riff = true,
         .fill = true},
        // 8, 9: the breakdown: pads and hats, then a quiet tune over a half-time beat.
        {.chords = breakdown,
         .drums = Drums::Half,
         .bass = Bass::Held,
         .pad = true,
         .padVolume = 34},
        {.chords = breakdown,
         .lead = kBreakdown,
         .leadVolume = 36,
         .drums = Drums::HalfKick,
         .bass = Bass::Held,
         .pad = true,
         .padVolume = 34,
         .arp = true,
         .arpVolume = 12},
        // 10: the build.
        {.chords = build,
         .drums = Drums::Build,
         .bass = Bass::Sixteenths,
         .pad = true,
         .arp = true,
         .arpVolume = 20},
        // 11, 12: the lift: the chorus a whole tone up, everything playing.
        {.chords = Transposed(chorusA, kLift),
         .lead = kChorusA,
         .leadVolume = 56,
         .transpose = kLift,
         .drums = Drums::Lift,
         .bass = Bass::Gallop,
         .pad = true,
         .stabs = true,
         .arp = true,
         .crash = true},
        {.chords = Transposed(chorusB, kLift),
         .lead = kChorusB,
         .leadVolume = 56,
         .transpose = kLift,
         .drums = Drums::Lift,
         .bass = Bass::Gallop,
         .pad = true,
         .stabs = true,
         .arp = true,
         .fill = true},
        // 13: back to A minor.
        {.chords = turnaround,
         .lead = kTurnaround,
         .bass = Bass::Octaves,
         .stabs = true,
         .crash = true},
        // 14: the solo, which leads back into the verse.
        {.chords = verseA,
         .lead = kSolo,
         .leadVolume = 48,
         .drums = Drums::Chorus,
         .bass = Bass::Octaves,
         .pad = true,
         .fill = true},
    };
    constexpr int kLoopStart = 1;
    const std::vector<uint8_t> orders = {0, 1, 2, 3, 4, 5, 6, 7, 3, 4, 5, 8, 9, 10, 11, 12, 13, 14};

    XmModule module;
    module.name = "Zarvex 2 Race";
    module.channels = kChannels;
    module.speed = kSpeed;
    module.bpm = 150;
    const int lastPattern = orders.back();
    for (size_t i = 0; i < sections.size(); ++i) {
        module.patterns.push_back(
            Write(sections[i], static_cast<int>(i) == lastPattern ? kLoopStart : -1));
    }
    module.orders = orders;
    module.restartPosition = kLoopStart;

    const XmInstrument pluck = Pluck();
    const XmInstrument lead = SuperSawLead();
    const XmInstrument pad = StringPad();
    const XmInstrument stab = Stab();
    module.instruments = {Kick(),
                          Panned(Snare(), 136, "Snare"),
                          Panned(ClosedHat(), 176, "Closed hat"),
                          Panned(OpenHat(), 184, "Open hat"),
                          Panned(Crash(), 92, "Crash"),
                          SawBass(),
                          Panned(lead, 116, "Supersaw lead"),
                          Panned(lead, 208, "Supersaw echo"),
                          Panned(pad, 60, "String pad left"),
                          Panned(pad, 196, "String pad right"),
                          Panned(stab, 88, "Stab left"),
                          Panned(stab, 168, "Stab right"),
                          Panned(pluck, 64, "Pluck left"),
                          Panned(pluck, 192, "Pluck right"),
                          Panned(Kick(), 100, "Tom"),
                          Panned(pluck, 108, "Riff")};
    return module;
}

}  // namespace music
