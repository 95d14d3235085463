#pragma once
// The notation both songs are written in: note names, chords with their voicings, and a writer
// that fills a four-bar pattern from lines of "note:rows" tokens. Four rows make a beat, sixteen
// a bar, and a section is one pattern of four bars.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assetgen/music/xm_writer.h"

namespace music {

constexpr int kRowsPerBeat = 4;
constexpr int kRowsPerBar = 16;
constexpr int kBars = 4;
constexpr int kPatternRows = kRowsPerBar * kBars;
constexpr int kSpeed = 6;  // ticks per row: four rows make one beat at the song's BPM
// The music's global volume: it sits below the sound effects.
constexpr uint8_t kGlobalVolume = 48;

// Panning positions of the instruments, 0 (left) to 255 (right).
constexpr uint8_t kCentre = 128;

// "C4", "F#4", "Bb3" -> XM note number (C-4 is 49). Throws std::logic_error on a bad name.
int NoteNumber(std::string_view name);

// A chord: the bass note and the voicing the pads and stabs play, low to high.
struct Chord {
    int bass = 0;
    std::vector<int> tones;
    Chord Transposed(int semitones) const;
};

// "F2: A3 C4 E4 G4" -> bass F2 under the four tones.
Chord MakeChord(std::string_view spelling);

// Four chords, one per bar of a section.
using Progression = std::array<Chord, kBars>;
Progression Transposed(const Progression& chords, int semitones);

// Fills one pattern, cell by cell.
class PatternWriter {
public:
    explicit PatternWriter(int channels) : pattern_(kPatternRows, channels) {}

    // A note with its volume (0 .. 64); rows outside the pattern are dropped.
    void Note(int row, int channel, int note, int instrument, int volume);
    // Releases the channel's note, unless something already happens in that cell.
    void Release(int row, int channel);
    void Effect(int row, int channel, uint8_t effect, uint8_t param);

    // Writes a line of "note:rows" tokens from `startRow` on ("-:rows" is a rest, releasing the
    // note before it; "|" marks bars and is skipped). Notes past the pattern's end are dropped.
    // Returns the line's length in rows.
    int Line(int channel, int instrument, int volume, std::string_view line, int startRow = 0,
             int transpose = 0);
    // A melody must fill its section exactly; a wrong count is a slip in the score.
    void Melody(int channel, int instrument, int volume, std::string_view line, int transpose = 0);

    XmPattern Take() { return std::move(pattern_); }

private:
    XmPattern pattern_;
};

// Each voice of the chords in its own channel from `firstChannel` on, struck at each bar where
// its note changes and held otherwise. `instruments` gives each voice's instrument in turn
// (voices beyond the list reuse it from the start), so voices can sit at different places in
// the stereo field.
void WriteChordVoices(PatternWriter& out, const Progression& chords, int firstChannel,
                      const std::vector<int>& instruments, int volume);

// An instrument with the same sound placed elsewhere in the stereo field.
XmInstrument Panned(XmInstrument instrument, uint8_t panning, const std::string& name);

}  // namespace music
