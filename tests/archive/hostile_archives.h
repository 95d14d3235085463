#pragma once
// Archives built to hurt the loader: pictures that claim far more pixels than their bytes,
// sounds that claim a rate of 1 Hz, lengths that lie, nesting without end. Each must be refused
// with the format's message, quickly and without the memory it asks for.

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_stream.h"
#include "archive/archive_test_bytes.h"

namespace hostile {

using Bytes = std::vector<uint8_t>;

inline constexpr const char* kImageClass = "TPictureCollectionComponent";
inline constexpr const char* kWaveClass = "TWaveCollectionComponent";

// An image archive of `count` items named "Bomb<n>", each holding the same bitmap.
inline Bytes ImageArchiveOf(int count, const Bytes& dib) {
    archive_test::ArchiveBuilder archive(kImageClass);
    archive.BeginCollection();
    const Bytes data = archive_test::PictureData(dib);
    for (int i = 0; i < count; ++i) {
        archive.Byte(1).Name("Name").String("Bomb" + std::to_string(i));
        archive.Name("Picture.Data").Binary(data).Byte(0);
    }
    return archive.EndCollection().Finish();
}

// 71 bytes of run-length data claiming width x height pixels: a one-colour table, a few runs,
// a jump far up the picture and the end of the picture.
inline Bytes RunLengthBomb(int32_t width, int32_t height) {
    Bytes dib = archive_test::Concat(
        {archive_test::InfoHeader(width, height, 8, 1, 1), {0x20, 0x40, 0x60, 0}});
    for (int i = 0; i < 9; ++i) dib.insert(dib.end(), {255, 0});
    dib.insert(dib.end(), {0, 2, 255, 255, 0, 0, 0, 1});
    dib.resize(71, 0);
    return dib;
}

// A RIFF WAVE file of integer PCM with `dataBytes` bytes of silence.
inline Bytes Wave(uint32_t rate, uint16_t channels, uint16_t bits, uint32_t dataBytes,
                  uint16_t formatTag = 1) {
    ByteWriter out;
    out.PutChars("RIFF");
    out.PutU32(36 + dataBytes);
    out.PutChars("WAVE");
    out.PutChars("fmt ");
    out.PutU32(16);
    out.PutU16(formatTag);
    out.PutU16(channels);
    out.PutU32(rate);
    out.PutU32(rate * channels * bits / 8);
    out.PutU16(static_cast<uint16_t>(channels * bits / 8));
    out.PutU16(bits);
    out.PutChars("data");
    out.PutU32(dataBytes);
    out.PutBytes(Bytes(dataBytes, 0x80));
    return out.Take();
}

inline Bytes WaveArchiveOf(int count, const Bytes& riff) {
    archive_test::ArchiveBuilder archive(kWaveClass);
    archive.BeginCollection();
    for (int i = 0; i < count; ++i) {
        archive.Byte(1).Name("Name").String("Bomb" + std::to_string(i));
        archive.Name("Wave.WAVE").Binary(riff).Byte(0);
    }
    return archive.EndCollection().Finish();
}

struct HostileArchive {
    std::string name;
    Bytes bytes;
    bool wave;  // a sound archive
    std::string message;
};

// Every shape of attack, each a few kilobytes to a few megabytes.
inline std::vector<HostileArchive> HostileArchives() {
    // An unknown property holding lists in lists, collections in collections.
    Bytes deepLists =
        archive_test::ArchiveBuilder(kImageClass).Name("Deep").Bytes(Bytes(100000, 1)).Finish();
    archive_test::ArchiveBuilder collections(kImageClass);
    collections.Name("Deep");
    for (int i = 0; i < 50000; ++i) collections.Byte(14).Byte(1).Name("Deep");
    Bytes deepCollections = collections.Finish();
    // Child objects inside child objects after an empty property list.
    archive_test::ArchiveBuilder children(kImageClass);
    children.Byte(0);
    for (int i = 0; i < 50000; ++i) children.Name("TChild").Name("").Byte(0);
    Bytes deepChildren = children.Finish();

    Bytes lyingBinary = archive_test::ArchiveBuilder(kImageClass)
                            .BeginCollection()
                            .Byte(1)
                            .Name("Picture.Data")
                            .Bytes({10, 0xF0, 0xFF, 0xFF, 0xFF, 4, 'T', 'D', 'I', 'B'})
                            .Finish();
    // A literal run of 200 pixels with four bytes behind it.
    Bytes lyingRun = archive_test::Concat(
        {archive_test::InfoHeader(1024, 1024, 8, 1, 1), {0, 0, 0, 0}, {0, 200, 1, 2, 3, 4}});

    return {
        {"RunLengthBombs", ImageArchiveOf(300, RunLengthBomb(4096, 4096)), false, kDibIsInvalid},
        // A quarter of the budget each: the fifth goes over.
        {"SmallerRunLengthBombs", ImageArchiveOf(300, RunLengthBomb(2048, 1024)), false,
         kDibIsInvalid},
        // 512 KB of 1-bit rows each, half the budget: the third goes over.
        {"HugePlainPictures",
         ImageArchiveOf(6, archive_test::SampleDib({"Info1", false, 1, 0}, 4096, 1024)), false,
         kDibIsInvalid},
        {"LyingBinaryLength", lyingBinary, false, kStreamReadError},
        {"LyingRunLength", ImageArchiveOf(3, lyingRun), false, kStreamReadError},
        {"DeepLists", deepLists, false, kInvalidStreamFormat},
        {"DeepCollections", deepCollections, false, kInvalidStreamFormat},
        {"DeepChildObjects", deepChildren, false, kInvalidStreamFormat},
        // 1000 bytes at 1 Hz would be four minutes and 176 MB in the mixer, each.
        {"SoundBombs", WaveArchiveOf(200, Wave(1, 1, 8, 1000)), true, "Wave is invalid"},
    };
}

}  // namespace hostile
