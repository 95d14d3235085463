#include "archive/archive_writer.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "archive/archive_stream.h"
#include "archive/dib.h"

namespace {

constexpr uint8_t kTagList = 1;
constexpr uint8_t kTagInt8 = 2;
constexpr uint8_t kTagInt16 = 3;
constexpr uint8_t kTagInt32 = 4;
constexpr uint8_t kTagString = 6;
constexpr uint8_t kTagFalse = 8;
constexpr uint8_t kTagTrue = 9;
constexpr uint8_t kTagBinary = 10;
constexpr uint8_t kTagLongString = 12;
constexpr uint8_t kTagCollection = 14;
constexpr uint8_t kEnd = 0;

constexpr uint16_t kResourceFlags = 0x1030;

void PutName(ByteWriter& out, std::string_view name) {
    out.PutShortString(name);
}

// The smallest integer value that holds the number.
void PutInteger(ByteWriter& out, int32_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        out.PutU8(kTagInt8);
        out.PutU8(static_cast<uint8_t>(static_cast<int8_t>(value)));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        out.PutU8(kTagInt16);
        out.PutU16(static_cast<uint16_t>(static_cast<int16_t>(value)));
    } else {
        out.PutU8(kTagInt32);
        out.PutI32(value);
    }
}

void PutBoolean(ByteWriter& out, bool value) {
    out.PutU8(value ? kTagTrue : kTagFalse);
}

void PutString(ByteWriter& out, std::string_view text) {
    if (text.size() <= 255) {
        out.PutU8(kTagString);
        out.PutShortString(text);
    } else {
        out.PutU8(kTagLongString);
        out.PutU32(static_cast<uint32_t>(text.size()));
        out.PutChars(text);
    }
}

void PutBinary(ByteWriter& out, std::span<const uint8_t> data) {
    out.PutU8(kTagBinary);
    out.PutU32(static_cast<uint32_t>(data.size()));
    out.PutBytes(data);
}

// The archive: resource header, then the streamed object with its "List" collection. Each item
// is the list-begin value, its properties and an end marker.
template <class Entry, class PutItem>
std::vector<uint8_t> WriteArchive(const std::vector<Entry>& entries, std::string_view className,
                                  PutItem putItem) {
    ByteWriter out;
    out.PutU8(0xFF);
    out.PutU16(10);
    for (char c : className) {
        out.PutU8(static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
    out.PutU8(0);
    out.PutU16(kResourceFlags);
    const size_t sizeAt = out.Size();
    out.PutU32(0);
    const size_t objectStart = out.Size();

    out.PutChars("TPF0");
    out.PutShortString(className);
    out.PutShortString("");
    PutName(out, "List");
    out.PutU8(kTagCollection);
    for (const Entry& entry : entries) {
        out.PutU8(kTagList);
        putItem(out, entry);
        out.PutU8(kEnd);
    }
    out.PutU8(kEnd);  // end of the collection
    out.PutU8(kEnd);  // end of the property list
    out.PutU8(kEnd);  // end of the (empty) child list
    out.PatchU32(sizeAt, static_cast<uint32_t>(out.Size() - objectStart));
    return out.Take();
}

void PutImageItem(ByteWriter& out, const ImageEntry& entry) {
    PutName(out, "Name");
    PutString(out, entry.name);
    PutName(out, "PatternHeight");
    PutInteger(out, entry.patternHeight);
    PutName(out, "PatternWidth");
    PutInteger(out, entry.patternWidth);

    // An item without a picture stores an empty class name.
    ByteWriter picture;
    if (entry.picture.width == 0 && entry.picture.height == 0 && entry.picture.pixels.empty()) {
        picture.PutShortString("");
    } else {
        picture.PutShortString("TDIB");
        try {
            picture.PutBytes(EncodeDib24(entry.picture));
        } catch (const ArchiveError& error) {
            throw ArchiveError("Image '" + entry.name + "': " + error.what());
        }
    }
    PutName(out, "Picture.Data");
    PutBinary(out, picture.Bytes());

    if (entry.skipHeight != 0) {
        PutName(out, "SkipHeight");
        PutInteger(out, entry.skipHeight);
    }
    if (entry.skipWidth != 0) {
        PutName(out, "SkipWidth");
        PutInteger(out, entry.skipWidth);
    }
    PutName(out, "SystemMemory");
    PutBoolean(out, entry.systemMemory);
    PutName(out, "Transparent");
    PutBoolean(out, entry.transparent);
    PutName(out, "TransparentColor");
    PutInteger(out, static_cast<int32_t>(entry.transparentColor));
}

void PutWaveItem(ByteWriter& out, const WaveEntry& entry) {
    PutName(out, "Name");
    PutString(out, entry.name);
    PutName(out, "Looped");
    PutBoolean(out, entry.looped);
    PutName(out, "MaxPlayingCount");
    PutInteger(out, entry.maxPlayingCount);
    PutName(out, "Wave.WAVE");
    PutBinary(out, entry.wave);
}

}  // namespace

std::vector<uint8_t> WriteImageArchive(const std::vector<ImageEntry>& images) {
    return WriteArchive(images, "TPictureCollectionComponent", PutImageItem);
}

std::vector<uint8_t> WriteWaveArchive(const std::vector<WaveEntry>& waves) {
    return WriteArchive(waves, "TWaveCollectionComponent", PutWaveItem);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    namespace fs = std::filesystem;
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) throw ArchiveError("Cannot create file '" + temporary + "'");
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
    // The data must be on disk before the rename makes it the file, or a crash could leave an
    // empty file where the old one was.
    ok = fsync(fileno(file)) == 0 && ok;
#endif
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    if (ok) fs::rename(temporary, path, error);
    if (!ok || error) {
        fs::remove(temporary, error);
        throw ArchiveError("Cannot write file '" + path + "'");
    }
}
