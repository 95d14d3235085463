// The two songs. Each is a set of four-bar sections (one 64-row pattern each, four rows to the
// beat) built from a chord progression, a hand-written melody and parts derived from the chords:
// pad voicings, bass lines, arpeggios and drum grooves. The order list strings the sections
// into a loop of a minute and a half or more; the song runs off its end and the player starts
// it again, so it never stops.
//
// Menu.xm: D minor, 116 BPM, a calm theme on a soft lead over pad, bell arpeggio and a light
// beat. Race.xm: E minor, 150 BPM, a driving supersaw theme over saw bass, stabs, a running
// pluck arpeggio and a full drum kit, with a breakdown and a snare build into the chorus.

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "asset_parts.h"
#include "music_instruments.h"
#include "xm_writer.h"

namespace {

constexpr int kRowsPerBar = 16;
constexpr int kBars = 4;
constexpr int kPatternRows = kRowsPerBar * kBars;
constexpr int kSpeed = 6;  // ticks per row: four rows make one beat at the song's BPM
// The music sits below the sound effects.
constexpr uint8_t kGlobalVolume = 48;

// "C4", "F#4", "Bb3" -> XM note number (C-4 is 49).
int NoteNumber(std::string_view name) {
    static constexpr std::string_view kLetters = "C D EF G A B";
    if (name.size() < 2) throw std::logic_error("bad note " + std::string(name));
    const size_t letter = kLetters.find(name[0]);
    if (letter == std::string_view::npos || name[0] == ' ') {
        throw std::logic_error("bad note " + std::string(name));
    }
    int semitone = static_cast<int>(letter);
    size_t i = 1;
    if (name[i] == '#') {
        ++semitone;
        ++i;
    } else if (name[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '7') {
        throw std::logic_error("bad note " + std::string(name));
    }
    const int octave = name[i] - '0';
    return octave * 12 + semitone + 1;
}

struct Chord {
    int bass;
    std::array<int, 3> tones;  // the pad's voicing, low to high
};

Chord MakeChord(std::string_view bass, std::string_view low, std::string_view middle,
                std::string_view high) {
    return {NoteNumber(bass), {NoteNumber(low), NoteNumber(middle), NoteNumber(high)}};
}

using Progression = std::array<Chord, kBars>;

// Fills one pattern, cell by cell.
class PatternWriter {
public:
    explicit PatternWriter(int channels) : pattern_(kPatternRows, channels) {}

    void Note(int row, int channel, int note, int instrument, int volume) {
        if (row < 0 || row >= kPatternRows) return;
        XmCell& cell = pattern_.At(row, channel);
        cell.note = static_cast<uint8_t>(note);
        cell.instrument = static_cast<uint8_t>(instrument);
        cell.volume = static_cast<uint8_t>(0x10 + std::clamp(volume, 0, 64));
    }

    // Releases the channel's note, unless something already happens in that cell.
    void Release(int row, int channel) {
        if (row < 0 || row >= kPatternRows) return;
        XmCell& cell = pattern_.At(row, channel);
        if (cell.note == 0) cell.note = kXmKeyOff;
    }

    void Effect(int row, int channel, uint8_t effect, uint8_t param) {
        XmCell& cell = pattern_.At(row, channel);
        cell.effect = effect;
        cell.param = param;
    }

    // Writes a line of "note:rows" tokens from `startRow` on ("-:rows" is a rest, releasing the
    // note before it; "|" marks bars and is skipped). Notes past the pattern's end are dropped.
    // Returns the line's length in rows.
    int Line(int channel, int instrument, int volume, std::string_view line, int startRow = 0) {
        int row = startRow;
        size_t at = 0;
        while (at < line.size()) {
            const size_t end = std::min(line.find(' ', at), line.size());
            const std::string_view token = line.substr(at, end - at);
            at = end + 1;
            if (token.empty() || token == "|") continue;
            const size_t colon = token.find(':');
            if (colon == std::string_view::npos) throw std::logic_error("bad token");
            const std::string_view pitch = token.substr(0, colon);
            const int rows = std::stoi(std::string(token.substr(colon + 1)));
            if (pitch == "-") {
                Release(row, channel);
            } else {
                Note(row, channel, NoteNumber(pitch), instrument, volume);
            }
            row += rows;
        }
        return row - startRow;
    }

    // A melody must fill its section exactly; a wrong count is a slip in the score.
    void Melody(int channel, int instrument, int volume, std::string_view line) {
        if (Line(channel, instrument, volume, line) != kPatternRows) {
            throw std::logic_error("melody does not fill four bars: " + std::string(line));
        }
    }

    XmPattern Take() { return std::move(pattern_); }

private:
    XmPattern pattern_;
};

// Each voice of the chord in its own channel; a voice whose note does not change is held.
void WriteChordVoices(PatternWriter& out, const Progression& chords, int firstChannel,
                      int instrument, int volume) {
    for (int bar = 0; bar < kBars; ++bar) {
        for (size_t voice = 0; voice < 3; ++voice) {
            const int note = chords[static_cast<size_t>(bar)].tones[voice];
            if (bar == 0 || note != chords[static_cast<size_t>(bar - 1)].tones[voice]) {
                out.Note(bar * kRowsPerBar, firstChannel + static_cast<int>(voice), note,
                         instrument, volume);
            }
        }
    }
}

// The chord's tones with the lowest an octave up on top: four notes to arpeggiate.
std::array<int, 4> ArpeggioTones(const Chord& chord, int transpose) {
    return {chord.tones[0] + transpose, chord.tones[1] + transpose, chord.tones[2] + transpose,
            chord.tones[0] + 12 + transpose};
}

// ---------------------------------------------------------------------------------------------
// Menu song

namespace menu {

enum Channel { kLead, kEcho, kPad, kBass = kPad + 3, kArp, kBeat, kShake, kControl, kChannels };
enum Instrument { kPadSound = 1, kBell, kBassSound, kLeadSound, kKickSound, kSnapSound, kShaker };

enum class Bass { None, Held, Moving };
enum class Arp { None, Eighths, Quarters };
enum class Beat { None, Shaker, Full };

struct Section {
    Progression chords;
    const char* melody = nullptr;
    int melodyInstrument = kLeadSound;
    int melodyVolume = 54;
    bool echo = false;
    Bass bass = Bass::None;
    Arp arp = Arp::None;
    Beat beat = Beat::None;
};

XmPattern Write(const Section& section) {
    PatternWriter out(kChannels);
    out.Effect(0, kControl, kXmGlobalVolume, kGlobalVolume);
    WriteChordVoices(out, section.chords, kPad, kPadSound, 40);

    if (section.melody != nullptr) {
        out.Melody(kLead, section.melodyInstrument, section.melodyVolume, section.melody);
        // A soft echo a dotted eighth behind.
        if (section.echo) out.Line(kEcho, section.melodyInstrument, 20, section.melody, 3);
    }

    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = section.chords[static_cast<size_t>(bar)];
        const int row = bar * kRowsPerBar;
        switch (section.bass) {
            case Bass::None:
                break;
            case Bass::Held:
                out.Note(row, kBass, chord.bass, kBassSound, 58);
                break;
            case Bass::Moving:
                out.Note(row, kBass, chord.bass, kBassSound, 60);
                out.Note(row + 10, kBass, chord.bass, kBassSound, 46);
                out.Note(row + 12, kBass, chord.bass + 7, kBassSound, 52);
                break;
        }

        const std::array<int, 4> tones = ArpeggioTones(chord, 12);
        switch (section.arp) {
            case Arp::None:
                break;
            case Arp::Eighths: {
                static constexpr int kOrder[8] = {0, 1, 2, 3, 2, 1, 2, 3};
                for (int i = 0; i < 8; ++i) {
                    out.Note(row + 2 * i, kArp, tones[static_cast<size_t>(kOrder[i])], kBell,
                             i % 2 == 0 ? 30 : 22);
                }
                break;
            }
            case Arp::Quarters: {
                static constexpr int kOrder[4] = {0, 2, 1, 3};
                for (int i = 0; i < 4; ++i) {
                    out.Note(row + 4 * i, kArp, tones[static_cast<size_t>(kOrder[i])], kBell, 30);
                }
                break;
            }
        }

        if (section.beat != Beat::None) {
            for (int r = 0; r < kRowsPerBar; r += 2) {
                out.Note(row + r, kShake, NoteNumber("C4"), kShaker, r % 4 == 2 ? 26 : 14);
            }
        }
        if (section.beat == Beat::Full) {
            out.Note(row, kBeat, NoteNumber("C4"), kKickSound, 60);
            out.Note(row + 4, kBeat, NoteNumber("C4"), kSnapSound, 44);
            out.Note(row + 8, kBeat, NoteNumber("C4"), kKickSound, 54);
            if (bar == kBars - 1) out.Note(row + 10, kBeat, NoteNumber("C4"), kKickSound, 40);
            out.Note(row + 12, kBeat, NoteNumber("C4"), kSnapSound, 44);
        }
    }
    return out.Take();
}

XmModule Song() {
    const Progression theme = {
        MakeChord("D2", "F4", "A4", "C5"), MakeChord("Bb1", "F4", "A4", "D5"),
        MakeChord("F2", "E4", "A4", "C5"), MakeChord("C2", "E4", "G4", "D5")};
    const Progression bridge = {
        MakeChord("Bb1", "F4", "A4", "D5"), MakeChord("C2", "E4", "G4", "C5"),
        MakeChord("A1", "E4", "G4", "C5"), MakeChord("D2", "F4", "A4", "D5")};
    const Progression turn = {MakeChord("Bb1", "F4", "A4", "D5"), MakeChord("C2", "E4", "G4", "C5"),
                              MakeChord("A1", "E4", "G4", "C5"),
                              MakeChord("A1", "E4", "G4", "C#5")};

    constexpr const char* kThemeA =
        "A4:4 D5:4 E5:4 F5:4 | A5:8 G5:4 F5:4 | E5:6 F5:2 E5:4 C5:4 | D5:12 -:4";
    constexpr const char* kThemeB =
        "A4:4 D5:4 E5:4 F5:4 | D6:8 C6:4 A5:4 | G5:6 A5:2 G5:4 E5:4 | E5:4 G5:4 E5:6 -:2";
    constexpr const char* kThemeC =
        "F5:4 E5:2 D5:2 A4:8 | Bb4:4 C5:2 D5:2 F5:8 | E5:4 F5:2 G5:2 A5:4 C6:4 | G5:12 -:4";
    constexpr const char* kBridgeA =
        "D5:4 F5:4 A5:6 G5:2 | G5:8 E5:4 C5:4 | C5:4 E5:4 G5:4 A5:4 | F5:8 E5:4 D5:4";
    constexpr const char* kBridgeB =
        "D5:4 F5:4 A5:6 Bb5:2 | C6:8 G5:4 E5:4 | A5:4 G5:4 E5:4 C5:4 | E5:6 D5:2 C#5:6 -:2";

    std::vector<Section> sections(8);
    sections[0] = {theme, nullptr, kLeadSound, 0, false, Bass::None, Arp::Quarters, Beat::None};
    sections[1] = {theme, nullptr, kLeadSound, 0, false, Bass::Held, Arp::Eighths, Beat::Shaker};
    sections[2] = {theme, kThemeA, kLeadSound, 54, true, Bass::Moving, Arp::Eighths, Beat::Full};
    sections[3] = {theme, kThemeB, kLeadSound, 54, true, Bass::Moving, Arp::Eighths, Beat::Full};
    sections[4] = {bridge, kBridgeA, kLeadSound, 54, true, Bass::Moving, Arp::Eighths, Beat::Full};
    sections[5] = {turn, kBridgeB, kLeadSound, 54, true, Bass::Moving, Arp::Eighths, Beat::Full};
    sections[6] = {theme, kThemeC, kLeadSound, 54, true, Bass::Moving, Arp::Quarters, Beat::Full};
    // The quiet middle: the bridge tune on the bell over pad and bass.
    sections[7] = {bridge, kBridgeA, kBell, 48, true, Bass::Held, Arp::None, Beat::Shaker};

    XmModule module;
    module.name = "Zarvex 2 Menu";
    module.channels = kChannels;
    module.speed = kSpeed;
    module.bpm = 116;
    for (const Section& section : sections) module.patterns.push_back(Write(section));
    // Intro, groove, theme twice, bridge twice, second theme, theme, quiet bridge, bridge, theme.
    module.orders = {0, 1, 2, 3, 4, 5, 6, 3, 7, 4, 5, 2};
    module.restartPosition = 1;
    module.instruments = {music::SoftPad(),  music::GlassBell(), music::RoundBass(),
                          music::SoftLead(), music::SoftKick(),  music::Snap(),
                          music::Shaker()};
    return module;
}

}  // namespace menu

// ---------------------------------------------------------------------------------------------
// Race song

namespace race {

enum Channel {
    kKick,
    kSnare,
    kHat,
    kBass,
    kLead,
    kEcho,
    kChords,
    kArp = kChords + 3,
    kCrash,
    kToms,
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
    kPadSound,
    kStabSound,
    kPluckSound
};

enum class Drums { None, Intro, Verse, Chorus, Build };
enum class Bass { None, Held, Octaves, Sixteenths, Gallop };
enum class Chords { None, Pad, Stabs };

struct Section {
    Progression chords;
    const char* lead = nullptr;
    Drums drums = Drums::None;
    Bass bass = Bass::None;
    Chords harmony = Chords::None;
    bool arp = false;
    bool crash = false;
    bool fill = false;  // a tom and snare fill in the last beat
};

void WriteDrums(PatternWriter& out, Drums drums) {
    const int c4 = NoteNumber("C4");
    for (int row = 0; row < kPatternRows; ++row) {
        const int inBar = row % kRowsPerBar;
        const int bar = row / kRowsPerBar;
        const bool onBeat = inBar % 4 == 0;
        const bool offBeat = inBar % 4 == 2;
        switch (drums) {
            case Drums::None:
                break;
            case Drums::Intro:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 58);
                if (offBeat) out.Note(row, kHat, c4, kClosedHat, 30);
                break;
            case Drums::Verse:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 60);
                if (inBar == 4 || inBar == 12) out.Note(row, kSnare, c4, kSnareSound, 50);
                if (bar % 2 == 1 && inBar == 15) out.Note(row, kSnare, c4, kSnareSound, 16);
                out.Note(row, kHat, c4, kClosedHat, row % 2 == 0 ? 26 : 11);
                break;
            case Drums::Chorus:
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 62);
                if (inBar == 4 || inBar == 12) out.Note(row, kSnare, c4, kSnareSound, 54);
                if (offBeat) {
                    out.Note(row, kHat, c4, kOpenHat, 24);
                } else {
                    out.Note(row, kHat, c4, kClosedHat, row % 2 == 0 ? 22 : 10);
                }
                break;
            case Drums::Build: {
                if (onBeat) out.Note(row, kKick, c4, kKickSound, 58);
                // The snare doubles its pace every bar from the third, rising in volume.
                const int step = bar < 2 ? 4 : (bar == 2 ? 2 : 1);
                if (inBar % step == 0)
                    out.Note(row, kSnare, c4, kSnareSound, 18 + 40 * row / kPatternRows);
                break;
            }
        }
    }
}

void WriteFill(PatternWriter& out) {
    // Four toms falling in pitch (the kick pitched up) and a snare flam into the next section.
    const char* toms[] = {"G5", "E5", "C5", "A4"};
    for (int i = 0; i < 4; ++i)
        out.Note(kPatternRows - 8 + 2 * i, kToms, NoteNumber(toms[i]), kKickSound, 44);
    for (int row = kPatternRows - 4; row < kPatternRows; ++row) {
        out.Note(row, kSnare, NoteNumber("C4"), kSnareSound, 30 + 6 * (row - kPatternRows + 4));
    }
}

void WriteBass(PatternWriter& out, Bass bass, const Progression& chords) {
    for (int bar = 0; bar < kBars; ++bar) {
        const int root = chords[static_cast<size_t>(bar)].bass;
        const int row = bar * kRowsPerBar;
        switch (bass) {
            case Bass::None:
                break;
            case Bass::Held:
                out.Note(row, kBass, root, kBassSound, 58);
                break;
            case Bass::Octaves:
                for (int i = 0; i < 8; ++i) {
                    out.Note(row + 2 * i, kBass, i % 2 == 0 ? root : root + 12, kBassSound,
                             i % 2 == 0 ? 60 : 50);
                }
                break;
            case Bass::Sixteenths:
                for (int i = 0; i < kRowsPerBar; ++i) {
                    out.Note(row + i, kBass, root, kBassSound, i % 4 == 0 ? 60 : 44);
                }
                break;
            case Bass::Gallop: {
                static constexpr int kRows[6] = {0, 3, 6, 8, 11, 14};
                static constexpr int kUp[6] = {0, 0, 12, 0, 0, 12};
                for (int i = 0; i < 6; ++i)
                    out.Note(row + kRows[i], kBass, root + kUp[i], kBassSound, 60);
                break;
            }
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
                const int channel = kChords + static_cast<int>(voice);
                out.Note(row, channel, chord.tones[voice], kStabSound, 44);
                out.Release(row + kLengths[i], channel);
            }
        }
    }
}

void WriteArpeggio(PatternWriter& out, const Progression& chords) {
    for (int bar = 0; bar < kBars; ++bar) {
        const std::array<int, 4> tones = ArpeggioTones(chords[static_cast<size_t>(bar)], 0);
        for (int i = 0; i < kRowsPerBar; ++i) {
            out.Note(bar * kRowsPerBar + i, kArp, tones[static_cast<size_t>(i % 4)], kPluckSound,
                     i % 4 == 0 ? 32 : 22);
        }
    }
}

XmPattern Write(const Section& section) {
    PatternWriter out(kChannels);
    out.Effect(0, kToms, kXmGlobalVolume, kGlobalVolume);
    WriteDrums(out, section.drums);
    if (section.fill) WriteFill(out);
    if (section.crash) out.Note(0, kCrash, NoteNumber("C4"), kCrashSound, 40);
    WriteBass(out, section.bass, section.chords);
    switch (section.harmony) {
        case Chords::None:
            break;
        case Chords::Pad:
            WriteChordVoices(out, section.chords, kChords, kPadSound, 36);
            break;
        case Chords::Stabs:
            WriteStabs(out, section.chords);
            break;
    }
    if (section.arp) WriteArpeggio(out, section.chords);
    if (section.lead != nullptr) {
        out.Melody(kLead, kLeadSound, 56, section.lead);
        out.Line(kEcho, kLeadSound, 22, section.lead, 3);
    }
    return out.Take();
}

XmModule Song() {
    const Chord em = MakeChord("E2", "G4", "B4", "E5");
    const Chord c = MakeChord("C2", "G4", "C5", "E5");
    const Chord g = MakeChord("G1", "G4", "B4", "D5");
    const Chord d = MakeChord("D2", "F#4", "A4", "D5");
    const Chord bm = MakeChord("B1", "F#4", "B4", "D5");
    const Chord cmaj7 = MakeChord("C2", "G4", "B4", "E5");
    const Chord am = MakeChord("A1", "A4", "C5", "E5");
    const Chord b = MakeChord("B1", "F#4", "B4", "D#5");
    const Progression verse = {em, c, g, d};
    const Progression chorus = {c, d, bm, em};
    const Progression lift = {em, cmaj7, am, b};

    constexpr const char* kVerseA =
        "E5:3 G5:3 B5:2 A5:4 G5:4 | E5:3 G5:3 C6:2 B5:4 G5:4 | "
        "D5:3 G5:3 B5:2 D6:4 B5:4 | A5:6 F#5:2 D5:8";
    constexpr const char* kVerseB =
        "E5:3 G5:3 B5:2 A5:4 G5:4 | E5:3 G5:3 C6:2 B5:4 C6:4 | "
        "D6:6 B5:2 G5:4 A5:4 | F#5:4 A5:4 D6:8";
    constexpr const char* kChorusA =
        "G5:4 E6:6 D6:2 C6:4 | D6:6 A5:2 F#5:4 A5:4 | B5:4 F#6:6 E6:2 D6:4 | E6:12 -:4";
    constexpr const char* kChorusB =
        "G5:4 E6:6 D6:2 C6:4 | D6:6 E6:2 F#6:4 A6:4 | G6:4 F#6:4 D6:4 B5:4 | E6:14 -:2";
    constexpr const char* kSolo =
        "B5:2 G5:2 E5:2 G5:2 B5:2 E6:2 D6:2 B5:2 | C6:2 G5:2 E5:2 G5:2 C6:2 E6:2 D6:2 C6:2 | "
        "B5:2 G5:2 D5:2 G5:2 B5:2 D6:2 G6:2 D6:2 | F#6:4 E6:2 D6:2 A5:4 F#5:4";
    constexpr const char* kBreakdown = "B5:12 A5:2 G5:2 | E5:16 | C6:8 B5:4 A5:4 | B5:8 D#6:8";

    std::vector<Section> sections(10);
    sections[0] = {verse, nullptr, Drums::Intro, Bass::None, Chords::None, true, true, false};
    sections[1] = {verse, nullptr, Drums::Verse, Bass::Octaves, Chords::Pad, true, false, true};
    sections[2] = {verse, kVerseA, Drums::Verse, Bass::Octaves, Chords::Pad, false, true, false};
    sections[3] = {verse, kVerseB, Drums::Verse, Bass::Octaves, Chords::Pad, true, false, true};
    sections[4] = {chorus, kChorusA, Drums::Chorus, Bass::Gallop, Chords::Stabs, true, true, false};
    sections[5] = {chorus, kChorusB, Drums::Chorus, Bass::Gallop, Chords::Stabs, true, false, true};
    sections[6] = {lift, kBreakdown, Drums::None, Bass::Held, Chords::Pad, true, true, false};
    sections[7] = {lift, nullptr, Drums::Build, Bass::Sixteenths, Chords::Pad, true, false, true};
    sections[8] = {verse, kSolo, Drums::Chorus, Bass::Octaves, Chords::Stabs, true, true, false};
    sections[9] = {verse, nullptr, Drums::Chorus, Bass::Gallop, Chords::Pad, true, false, true};

    XmModule module;
    module.name = "Zarvex 2 Race";
    module.channels = kChannels;
    module.speed = kSpeed;
    module.bpm = 150;
    for (const Section& section : sections) module.patterns.push_back(Write(section));
    // Intro, verse, chorus, a turn and the solo, the breakdown and build into the chorus, the
    // verse again and out through the solo.
    module.orders = {0, 1, 2, 3, 4, 5, 9, 8, 6, 7, 4, 5, 2, 3, 8, 9};
    module.restartPosition = 1;
    module.instruments = {music::Kick(),         music::Snare(),     music::ClosedHat(),
                          music::OpenHat(),      music::Crash(),     music::SawBass(),
                          music::SuperSawLead(), music::StringPad(), music::Stab(),
                          music::Pluck()};
    return module;
}

}  // namespace race

}  // namespace

std::vector<uint8_t> BuildMenuSong() {
    return WriteXm(menu::Song());
}

std::vector<uint8_t> BuildRaceSong() {
    return WriteXm(race::Song());
}
