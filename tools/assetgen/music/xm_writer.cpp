#include "assetgen/music/xm_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr int kHeaderSize = 276;            // from the header-size field to the first pattern
constexpr int kInstrumentHeaderSize = 263;  // the size the original tracker writes
constexpr int kSampleHeaderSize = 40;
constexpr int kMaxEnvelopePoints = 12;

class Bytes {
public:
    void U8(uint32_t v) { bytes_.push_back(static_cast<uint8_t>(v & 0xFFU)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8U);
    }
    void U32(uint32_t v) {
        U16(v);
        U16(v >> 16U);
    }
    // A fixed-size text field, padded with zeros.
    void Text(const std::string& text, size_t size) {
        for (size_t i = 0; i < size; ++i) U8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    }
    void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void Append(const std::vector<uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }
    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// One pattern cell in the packed form: a flag byte saying which of the five fields follow, or
// the plain five bytes when all are present.
void PackCell(Bytes& out, const XmCell& cell) {
    uint8_t flags = 0x80;
    if (cell.note != 0) flags |= 0x01;
    if (cell.instrument != 0) flags |= 0x02;
    if (cell.volume != 0) flags |= 0x04;
    if (cell.effect != 0) flags |= 0x08;
    if (cell.param != 0) flags |= 0x10;
    if (flags == 0x9F) {
        out.U8(cell.note);
        out.U8(cell.instrument);
        out.U8(cell.volume);
        out.U8(cell.effect);
        out.U8(cell.param);
        return;
    }
    out.U8(flags);
    if (cell.note != 0) out.U8(cell.note);
    if (cell.instrument != 0) out.U8(cell.instrument);
    if (cell.volume != 0) out.U8(cell.volume);
    if (cell.effect != 0) out.U8(cell.effect);
    if (cell.param != 0) out.U8(cell.param);
}

void WritePattern(Bytes& out, const XmPattern& pattern, int channels) {
    if (pattern.channels != channels || pattern.rows < 1 || pattern.rows > 256) {
        throw std::invalid_argument("XM pattern does not fit the module");
    }
    Bytes data;
    for (int row = 0; row < pattern.rows; ++row) {
        for (int channel = 0; channel < channels; ++channel) {
            const XmCell& cell = pattern.At(row, channel);
            if (cell.note > kXmKeyOff) throw std::invalid_argument("XM note out of range");
            PackCell(data, cell);
        }
    }
    out.U32(9);  // pattern header length
    out.U8(0);   // packing type
    out.U16(static_cast<uint32_t>(pattern.rows));
    out.U16(static_cast<uint32_t>(data.Size()));
    out.Append(data.Take());
}

void WriteInstrument(Bytes& out, const XmInstrument& instrument) {
    const XmSample& sample = instrument.sample;
    const XmEnvelope& envelope = instrument.volumeEnvelope;
    const auto length = static_cast<int>(sample.data.size());
    if (sample.looped && (sample.loopStart < 0 || sample.loopLength < 1 ||
                          sample.loopStart + sample.loopLength > length)) {
        throw std::invalid_argument("XM sample loop outside the sample");
    }
    if (envelope.points.size() > kMaxEnvelopePoints ||
        envelope.sustainPoint >= static_cast<int>(envelope.points.size())) {
        throw std::invalid_argument("XM envelope too long");
    }

    const size_t start = out.Size();
    out.U32(kInstrumentHeaderSize);
    out.Text(instrument.name, 22);
    out.U8(0);   // type
    out.U16(1);  // one sample
    out.U32(kSampleHeaderSize);
    out.Zeros(96);  // every note plays sample 0
    for (size_t i = 0; i < kMaxEnvelopePoints; ++i) {
        const auto point =
            i < envelope.points.size() ? envelope.points[i] : std::pair<uint16_t, uint16_t>{0, 0};
        out.U16(point.first);
        out.U16(point.second);
    }
    out.Zeros(4 * kMaxEnvelopePoints);  // no panning envelope
    out.U8(static_cast<uint32_t>(envelope.points.size()));
    out.U8(0);  // panning points
    out.U8(static_cast<uint32_t>(std::max(envelope.sustainPoint, 0)));
    out.U8(0);  // volume loop start
    out.U8(0);  // volume loop end
    out.U8(0);  // panning sustain
    out.U8(0);  // panning loop start
    out.U8(0);  // panning loop end
    uint32_t volumeType = 0;
    if (!envelope.points.empty()) volumeType |= 1U;
    if (!envelope.points.empty() && envelope.sustainPoint >= 0) volumeType |= 2U;
    out.U8(volumeType);
    out.U8(0);  // panning type
    out.U8(0);  // vibrato type: sine
    out.U8(instrument.vibratoSweep);
    out.U8(instrument.vibratoDepth);
    out.U8(instrument.vibratoRate);
    out.U16(instrument.fadeout);
    out.Zeros(kInstrumentHeaderSize - (out.Size() - start));

    // Sample header: lengths in bytes, 16-bit, forward loop.
    out.U32(static_cast<uint32_t>(length * 2));
    out.U32(static_cast<uint32_t>(sample.looped ? sample.loopStart * 2 : 0));
    out.U32(static_cast<uint32_t>(sample.looped ? sample.loopLength * 2 : 0));
    out.U8(sample.volume);
    out.U8(static_cast<uint8_t>(sample.finetune));
    out.U8((sample.looped ? 0x01U : 0x00U) | 0x10U);
    out.U8(sample.panning);
    out.U8(static_cast<uint8_t>(sample.relativeNote));
    out.U8(0);  // delta coding
    out.Text(sample.name, 22);

    // Sample data, each value stored as the difference from the one before.
    int16_t previous = 0;
    for (int16_t value : sample.data) {
        out.U16(
            static_cast<uint16_t>(static_cast<uint16_t>(value) - static_cast<uint16_t>(previous)));
        previous = value;
    }
}

}  // namespace

void TuneSample(XmSample& sample, double hz) {
    const double semitones = 12.0 * std::log2(hz / 8363.0);
    const int relative = static_cast<int>(std::lround(semitones));
    const int finetune = static_cast<int>(std::lround((semitones - relative) * 128.0));
    sample.relativeNote = static_cast<int8_t>(std::clamp(relative, -96, 95));
    sample.finetune = static_cast<int8_t>(std::clamp(finetune, -128, 127));
}

std::vector<uint8_t> WriteXm(const XmModule& module) {
    if (module.channels < 2 || module.channels > 16 || module.channels % 2 != 0) {
        throw std::invalid_argument("XM channel count must be even and at most 16");
    }
    if (module.orders.empty() || module.orders.size() > 256 || module.patterns.empty() ||
        module.patterns.size() > 256 || module.instruments.size() > 128) {
        throw std::invalid_argument("XM song too large or empty");
    }
    if (module.restartPosition < 0 ||
        module.restartPosition >= static_cast<int>(module.orders.size())) {
        throw std::invalid_argument("XM restart position outside the song");
    }
    for (uint8_t order : module.orders) {
        if (order >= module.patterns.size()) throw std::invalid_argument("XM order out of range");
    }
    // A jump past the order list would end the song where the player least expects it.
    for (const XmPattern& pattern : module.patterns) {
        for (const XmCell& cell : pattern.cells) {
            if (cell.effect == kXmPositionJump && cell.param >= module.orders.size()) {
                throw std::invalid_argument("XM position jump outside the order list");
            }
        }
    }

    Bytes out;
    out.Text("Extended Module: ", 17);
    out.Text(module.name, 20);
    out.U8(0x1A);
    out.Text("Zarvex assetgen", 20);
    out.U16(0x0104);
    out.U32(kHeaderSize);
    out.U16(static_cast<uint32_t>(module.orders.size()));
    out.U16(static_cast<uint32_t>(module.restartPosition));
    out.U16(static_cast<uint32_t>(module.channels));
    out.U16(static_cast<uint32_t>(module.patterns.size()));
    out.U16(static_cast<uint32_t>(module.instruments.size()));
    out.U16(1);  // linear frequency table
    out.U16(static_cast<uint32_t>(module.speed));
    out.U16(static_cast<uint32_t>(module.bpm));
    for (size_t i = 0; i < 256; ++i) out.U8(i < module.orders.size() ? module.orders[i] : 0);

    for (const XmPattern& pattern : module.patterns) WritePattern(out, pattern, module.channels);
    for (const XmInstrument& instrument : module.instruments) WriteInstrument(out, instrument);
    return out.Take();
}
