#pragma once
// Writes extended modules (XM, version 0x0104, linear frequency table): the song's order list,
// packed patterns and instruments with one 16-bit delta-coded sample each.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Note numbers: 1 is C-0, 49 is C-4 (a sample with relative note 0 plays at 8363 Hz there),
// 97 releases the note (key off).
constexpr uint8_t kXmKeyOff = 97;
constexpr int kXmC4 = 49;

// Effects the songs use. A song loops by itself with a position jump on the last row of its
// last section: the game's player ignores the header's restart position.
enum XmEffect : uint8_t {
    kXmArpeggio = 0x0,
    kXmPortaUp = 0x1,
    kXmPortaDown = 0x2,
    kXmSetPanning = 0x8,
    kXmVolumeSlide = 0xA,
    kXmPositionJump = 0xB,
    kXmPatternBreak = 0xD,
    kXmSetSpeed = 0xF,  // below 32: ticks per row; 32 and above: beats per minute
    kXmGlobalVolume = 0x10,
};

struct XmCell {
    uint8_t note = 0;        // 0: none
    uint8_t instrument = 0;  // 1-based, 0: none
    uint8_t volume = 0;      // volume column byte: 0x10 + 0..64 sets the volume, 0: none
    uint8_t effect = 0;
    uint8_t param = 0;

    bool Empty() const {
        return note == 0 && instrument == 0 && volume == 0 && effect == 0 && param == 0;
    }
};

struct XmPattern {
    XmPattern(int rows, int channels)
        : rows(rows), channels(channels), cells(static_cast<size_t>(rows * channels)) {}
    XmCell& At(int row, int channel) {
        return cells[static_cast<size_t>(row * channels + channel)];
    }
    const XmCell& At(int row, int channel) const {
        return cells[static_cast<size_t>(row * channels + channel)];
    }

    int rows;
    int channels;
    std::vector<XmCell> cells;
};

struct XmSample {
    std::string name;
    std::vector<int16_t> data;
    bool looped = false;
    int loopStart = 0;   // in samples
    int loopLength = 0;  // in samples
    uint8_t volume = 64;
    int8_t finetune = 0;  // 1/128 of a semitone
    uint8_t panning = 128;
    int8_t relativeNote = 0;
};

// A volume envelope in ticks and 0..64 levels; the note holds at the sustain point until it is
// released, then runs on through the remaining points.
struct XmEnvelope {
    std::vector<std::pair<uint16_t, uint16_t>> points;
    int sustainPoint = -1;  // -1: none
};

struct XmInstrument {
    std::string name;
    XmSample sample;
    XmEnvelope volumeEnvelope;  // no points: no envelope
    uint16_t fadeout = 0;       // volume lost per tick after the release, of 32768
    uint8_t vibratoDepth = 0;   // automatic vibrato, 0: none
    uint8_t vibratoRate = 0;
    uint8_t vibratoSweep = 0;
};

struct XmModule {
    std::string name;
    int channels = 8;
    int restartPosition = 0;
    int speed = 6;  // ticks per row
    int bpm = 125;
    std::vector<uint8_t> orders;
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

// Sets the sample's relative note and finetune so that it plays at `hz` samples per second
// when the note C-4 is played.
void TuneSample(XmSample& sample, double hz);

// The module's bytes. Throws std::invalid_argument for a module the format cannot hold (an odd
// or too large channel count, an order naming a missing pattern, a position jump past the
// order list, a loop outside its sample).
std::vector<uint8_t> WriteXm(const XmModule& module);
