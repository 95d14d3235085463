#include "assetgen/music/music_score.h"

#include <algorithm>
#include <stdexcept>

namespace music {

int NoteNumber(std::string_view name) {
    static constexpr std::string_view kLetters = "C D EF G A B";
    const auto bad = [&] { return std::logic_error("bad note " + std::string(name)); };
    if (name.size() < 2) throw bad();
    const size_t letter = kLetters.find(name[0]);
    if (letter == std::string_view::npos || name[0] == ' ') throw bad();
    int semitone = static_cast<int>(letter);
    size_t i = 1;
    if (name[i] == '#') {
        ++semitone;
        ++i;
    } else if (name[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '7') throw bad();
    const int octave = name[i] - '0';
    return octave * 12 + semitone + 1;
}

Chord Chord::Transposed(int semitones) const {
    Chord out = *this;
    out.bass += semitones;
    for (int& tone : out.tones) tone += semitones;
    return out;
}

Chord MakeChord(std::string_view spelling) {
    const size_t colon = spelling.find(':');
    if (colon == std::string_view::npos) {
        throw std::logic_error("bad chord " + std::string(spelling));
    }
    Chord chord;
    chord.bass = NoteNumber(spelling.substr(0, colon));
    size_t at = colon + 1;
    while (at < spelling.size()) {
        const size_t end = std::min(spelling.find(' ', at), spelling.size());
        if (end > at) chord.tones.push_back(NoteNumber(spelling.substr(at, end - at)));
        at = end + 1;
    }
    if (chord.tones.empty()) throw std::logic_error("chord without tones");
    return chord;
}

Progression Transposed(const Progression& chords, int semitones) {
    Progression out = chords;
    for (Chord& chord : out) chord = chord.Transposed(semitones);
    return out;
}

void PatternWriter::Note(int row, int channel, int note, int instrument, int volume) {
    if (row < 0 || row >= kPatternRows) return;
    XmCell& cell = pattern_.At(row, channel);
    cell.note = static_cast<uint8_t>(note);
    cell.instrument = static_cast<uint8_t>(instrument);
    cell.volume = static_cast<uint8_t>(0x10 + std::clamp(volume, 0, 64));
}

void PatternWriter::Release(int row, int channel) {
    if (row < 0 || row >= kPatternRows) return;
    XmCell& cell = pattern_.At(row, channel);
    if (cell.note == 0) cell.note = kXmKeyOff;
}

void PatternWriter::Effect(int row, int channel, uint8_t effect, uint8_t param) {
    XmCell& cell = pattern_.At(row, channel);
    cell.effect = effect;
    cell.param = param;
}

int PatternWriter::Line(int channel, int instrument, int volume, std::string_view line,
                        int startRow, int transpose) {
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
            Note(row, channel, NoteNumber(pitch) + transpose, instrument, volume);
        }
        row += rows;
    }
    return row - startRow;
}

void PatternWriter::Melody(int channel, int instrument, int volume, std::string_view line,
                           int transpose) {
    if (Line(channel, instrument, volume, line, 0, transpose) != kPatternRows) {
        throw std::logic_error("melody does not fill four bars: " + std::string(line));
    }
}

void WriteChordVoices(PatternWriter& out, const Progression& chords, int firstChannel,
                      const std::vector<int>& instruments, int volume) {
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = chords[static_cast<size_t>(bar)];
        for (size_t voice = 0; voice < chord.tones.size(); ++voice) {
            const int note = chord.tones[voice];
            const bool held = bar > 0 &&
                              voice < chords[static_cast<size_t>(bar - 1)].tones.size() &&
                              chords[static_cast<size_t>(bar - 1)].tones[voice] == note;
            if (held) continue;
            out.Note(bar * kRowsPerBar, firstChannel + static_cast<int>(voice), note,
                     instruments[voice % instruments.size()], volume);
        }
    }
}

XmInstrument Panned(XmInstrument instrument, uint8_t panning, const std::string& name) {
    instrument.name = name;
    instrument.sample.panning = panning;
    return instrument;
}

}  // namespace music
