#pragma once
// A RIFF WAVE of 16-bit mono samples, for tests that feed the mixer sounds of their own.

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> MonoWave(const std::vector<int16_t>& samples, uint32_t rate) {
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * 2;
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(dataSize);
    for (int16_t sample : samples) put16(static_cast<uint16_t>(sample));
    return bytes;
}
