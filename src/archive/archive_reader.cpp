#include "archive/archive_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "archive/archive_stream.h"
#include "archive/dib.h"
#include "archive/riff_wave.h"

namespace {

// The tagged values of the streamed object.
enum ValueTag : uint8_t {
    kNull = 0,
    kList = 1,
    kInt8 = 2,
    kInt16 = 3,
    kInt32 = 4,
    kExtended = 5,
    kString = 6,
    kIdent = 7,
    kFalse = 8,
    kTrue = 9,
    kBinary = 10,
    kSet = 11,
    kLongString = 12,
    kNil = 13,
    kCollection = 14,
    kSingle = 15,
    kCurrency = 16,
    kDate = 17,
    kWideString = 18,
    kInt64 = 19,
    kUtf8String = 20,
};

constexpr uint8_t kResourceMarker = 0xFF;
constexpr uint16_t kResourceType = 10;
constexpr size_t kResourceHeaderWindow = 79;
// Lists, collections and child objects nest; a corrupt file must not nest deep enough to
// exhaust the stack.
constexpr int kMaxNesting = 32;

constexpr const char* kImageArchiveClass = "TPictureCollectionComponent";
constexpr const char* kWaveArchiveClass = "TWaveCollectionComponent";

// The resource header in front of the streamed object: 0xFF, type 10, the zero-terminated name,
// 16-bit flags and the 32-bit object size. Only the first two are checked; the object is read up
// to its own end markers, so the size is not needed.
void SkipResourceHeader(ByteReader& in) {
    const size_t window = std::min(kResourceHeaderWindow, in.Remaining());
    uint8_t marker = 0;
    uint8_t typeLow = 0;
    uint8_t typeHigh = 0;
    if (!in.PeekAt(0, marker) || !in.PeekAt(1, typeLow) || !in.PeekAt(2, typeHigh) ||
        marker != kResourceMarker || (typeLow | (typeHigh << 8)) != kResourceType) {
        throw ArchiveError(kInvalidStreamFormat);
    }
    size_t nameEnd = 3;
    uint8_t c = 1;
    while (nameEnd < window && in.PeekAt(nameEnd, c) && c != 0) ++nameEnd;
    if (nameEnd >= window) {
        // No terminator: a file that ends inside the header is truncated, a longer one has a
        // name no resource header can hold.
        throw ArchiveError(window < kResourceHeaderWindow ? kStreamReadError
                                                          : kInvalidStreamFormat);
    }
    in.Skip(nameEnd + 1 + 2 + 4);
}

std::string WideToUtf8(std::span<const uint8_t> units) {
    std::string out;
    auto append = [&out](uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    };
    const size_t count = units.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t unit = units[2 * i] | (units[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
            const uint32_t next = units[2 * i + 2] | (units[2 * i + 3] << 8);
            if (next >= 0xDC00 && next < 0xE000) {
                append(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        append(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return out;
}

struct NamedColor {
    std::string_view name;
    uint32_t value;  // 0x00BBGGRR
};

// The standard colour constants a colour property may name instead of giving a number.
constexpr std::array<NamedColor, 24> kNamedColors = {{
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clLtGray", 0xC0C0C0},  {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},    {"clGrey", 0x808080},    {"clNone", kColorNone},
}};

uint32_t ColorOfIdentifier(std::string_view name) {
    for (const NamedColor& color : kNamedColors) {
        if (SameNameIgnoringCase(color.name, name)) return color.value;
    }
    return 0;
}

bool IsIdentifierStart(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentifierChar(uint8_t c) {
    return IsIdentifierStart(c) || (c >= '0' && c <= '9') || c == '.';
}

// Reads the tagged values of the streamed object.
class ValueReader {
public:
    explicit ValueReader(ByteReader& in) : in_(in) {}

    ByteReader& Stream() { return in_; }

    std::string ReadName() { return in_.ReadShortString(); }

    int32_t ReadInteger() {
        switch (in_.ReadU8()) {
            case kInt8:
                return static_cast<int8_t>(in_.ReadU8());
            case kInt16:
                return in_.ReadI16();
            case kInt32:
                return in_.ReadI32();
            case kInt64: {
                const int64_t value = in_.ReadI64();
                if (value < INT32_MIN || value > INT32_MAX)
                    throw ArchiveError(kInvalidPropertyValue);
                return static_cast<int32_t>(value);
            }
            default:
                throw ArchiveError(kInvalidPropertyValue);
        }
    }

    bool ReadBoolean() {
        switch (in_.ReadU8()) {
            case kFalse:
                return false;
            case kTrue:
                return true;
            default:
                throw ArchiveError(kInvalidPropertyValue);
        }
    }

    std::string ReadString() {
        switch (in_.ReadU8()) {
            case kString:
                return ToString(in_.ReadBytes(in_.ReadU8()));
            case kLongString:
            case kUtf8String:
                return ToString(in_.ReadBytes(in_.ReadU32()));
            case kWideString:
                return WideToUtf8(in_.ReadBytes(uint64_t{in_.ReadU32()} * 2));
            default:
                throw ArchiveError(kInvalidPropertyValue);
        }
    }

    // A colour: a number, or the name of a standard colour (an unknown name is black).
    uint32_t ReadColor() {
        uint8_t tag = 0;
        if (in_.PeekAt(0, tag) && tag == kIdent) {
            in_.ReadU8();
            return ColorOfIdentifier(ToString(in_.ReadBytes(in_.ReadU8())));
        }
        return static_cast<uint32_t>(ReadInteger());
    }

    std::span<const uint8_t> ReadBinary() {
        if (in_.ReadU8() != kBinary) throw ArchiveError(kInvalidPropertyValue);
        return in_.ReadBytes(in_.ReadU32());
    }

    // Starts the next item of a collection and says whether there is one; consumes the end
    // marker after the last. An item may begin with its order (an integer value) and then the
    // list-begin value; both are optional.
    bool BeginItem() {
        const uint8_t first = in_.PeekU8();
        if (first == kNull) {
            in_.ReadU8();
            return false;
        }
        if ((first == kInt8 || first == kInt16 || first == kInt32) && !PropertyNameFollows()) {
            ReadInteger();  // the item's order: the items are kept in file order anyway
        }
        if (in_.PeekU8() == kList) in_.ReadU8();
        return true;
    }

    // Skips one tagged value of any type, nested ones included.
    void SkipValue(int depth) {
        if (depth > kMaxNesting) throw ArchiveError(kInvalidStreamFormat);
        const uint8_t tag = in_.ReadU8();
        switch (tag) {
            case kNull:
            case kFalse:
            case kTrue:
            case kNil:
                return;
            case kList:
                while (in_.PeekU8() != kNull) SkipValue(depth + 1);
                in_.ReadU8();
                return;
            case kInt8:
                in_.Skip(1);
                return;
            case kInt16:
                in_.Skip(2);
                return;
            case kInt32:
            case kSingle:
                in_.Skip(4);
                return;
            case kExtended:
                in_.Skip(10);
                return;
            case kCurrency:
            case kDate:
            case kInt64:
                in_.Skip(8);
                return;
            case kString:
            case kIdent:
                in_.Skip(in_.ReadU8());
                return;
            case kBinary:
            case kLongString:
            case kUtf8String:
                in_.Skip(in_.ReadU32());
                return;
            case kWideString:
                in_.Skip(uint64_t{in_.ReadU32()} * 2);
                return;
            case kSet:
                for (uint8_t length = in_.ReadU8(); length != 0; length = in_.ReadU8()) {
                    in_.Skip(length);
                }
                return;
            case kCollection:
                while (BeginItem()) SkipProperties(depth + 1);
                return;
            default:
                throw ArchiveError(kInvalidStreamFormat);
        }
    }

    // Skips (name, value) pairs up to and including the empty name that ends them.
    void SkipProperties(int depth) {
        while (!ReadName().empty()) SkipValue(depth);
    }

    // Skips a child object: its optional flags prefix, class and object names, properties and
    // its own children.
    void SkipObject(int depth) {
        if (depth > kMaxNesting) throw ArchiveError(kInvalidStreamFormat);
        SkipPrefix();
        ReadName();  // class
        ReadName();  // object name
        SkipProperties(depth + 1);
        SkipChildren(depth + 1);
    }

    void SkipChildren(int depth) {
        while (in_.PeekU8() != 0) SkipObject(depth);
        in_.ReadU8();
    }

    // An object may start with a flags byte (0xF0 | flags); the child-position flag adds an
    // integer.
    void SkipPrefix() {
        constexpr uint8_t kChildPosition = 0x02;
        const uint8_t first = in_.PeekU8();
        if ((first & 0xF0) != 0xF0) return;
        in_.ReadU8();
        if ((first & kChildPosition) != 0) ReadInteger();
    }

private:
    static std::string ToString(std::span<const uint8_t> bytes) {
        return std::string(bytes.begin(), bytes.end());
    }

    // At an item's start a byte of 2 to 4 is either an order value or, when the item has no
    // list-begin value, the length of its first property name. It is a name when the bytes
    // after it spell an identifier of that length: an order would have to be a number whose
    // every byte is a letter or digit, which no collection of these sizes reaches.
    bool PropertyNameFollows() const {
        uint8_t length = 0;
        in_.PeekAt(0, length);
        for (size_t i = 1; i <= length; ++i) {
            uint8_t c = 0;
            if (!in_.PeekAt(i, c)) return false;
            if (i == 1 ? !IsIdentifierStart(c) : !IsIdentifierChar(c)) return false;
        }
        return true;
    }

    ByteReader& in_;
};

// Reads the streamed object: signature, class (which must be the expected one), object name, the
// property list with the "List" collection, and the (empty) child list. `readProperty` applies
// one property of an item and must consume its value.
template <class Entry, class ReadProperty>
std::vector<Entry> ReadArchive(std::span<const uint8_t> bytes, std::string_view className,
                               ReadProperty readProperty) {
    ByteReader in(bytes);
    SkipResourceHeader(in);
    std::span<const uint8_t> signature = in.ReadBytes(4);
    if (signature[0] != 'T' || signature[1] != 'P' || signature[2] != 'F' || signature[3] != '0') {
        throw ArchiveError(kInvalidStreamFormat);
    }
    ValueReader values(in);
    values.SkipPrefix();
    if (!SameNameIgnoringCase(values.ReadName(), className))
        throw ArchiveError(kInvalidStreamFormat);
    values.ReadName();  // object name

    std::vector<Entry> entries;
    for (std::string name = values.ReadName(); !name.empty(); name = values.ReadName()) {
        if (!SameNameIgnoringCase(name, "List")) {
            values.SkipValue(0);  // "List.ColorTable" and anything else the items do not use
            continue;
        }
        if (in.ReadU8() != kCollection) throw ArchiveError(kInvalidPropertyValue);
        entries.clear();  // a second "List" replaces the first, as loading it again would
        while (values.BeginItem()) {
            Entry entry;
            for (std::string property = values.ReadName(); !property.empty();
                 property = values.ReadName()) {
                readProperty(entry, property, values);
            }
            entries.push_back(std::move(entry));
        }
    }
    values.SkipChildren(1);
    return entries;
}

// "Picture.Data": the picture's class as a short string, then its data. An empty class is an
// item without a picture. Only "TDIB" pictures are understood; any other class cannot be
// shown, so it fails the load as a bad bitmap rather than leaving a hole in the game.
DecodedPicture ReadPictureData(std::span<const uint8_t> data, PixelBudget& budget) {
    ByteReader in(data);
    const std::string pictureClass = in.ReadShortString();
    if (pictureClass.empty()) return {};
    if (!SameNameIgnoringCase(pictureClass, "TDIB")) throw ArchiveError(kDibIsInvalid);
    return DecodeDib(in.ReadRest(), budget);
}

void ReadImageProperty(ImageEntry& entry, std::string_view name, ValueReader& values,
                       PixelBudget& budget) {
    if (SameNameIgnoringCase(name, "Name")) {
        entry.name = values.ReadString();
    } else if (SameNameIgnoringCase(name, "PatternHeight")) {
        entry.patternHeight = values.ReadInteger();
    } else if (SameNameIgnoringCase(name, "PatternWidth")) {
        entry.patternWidth = values.ReadInteger();
    } else if (SameNameIgnoringCase(name, "SkipHeight")) {
        entry.skipHeight = values.ReadInteger();
    } else if (SameNameIgnoringCase(name, "SkipWidth")) {
        entry.skipWidth = values.ReadInteger();
    } else if (SameNameIgnoringCase(name, "SystemMemory")) {
        entry.systemMemory = values.ReadBoolean();
    } else if (SameNameIgnoringCase(name, "Transparent")) {
        entry.transparent = values.ReadBoolean();
    } else if (SameNameIgnoringCase(name, "TransparentColor")) {
        entry.transparentColor = values.ReadColor();
    } else if (SameNameIgnoringCase(name, "Picture.Data")) {
        entry.picture = ReadPictureData(values.ReadBinary(), budget);
    } else {
        values.SkipValue(0);
    }
}

// The sound frames the RIFF bytes may fill in the mixer; 0 for bytes the mixer will refuse
// anyway because they are no wave file.
int64_t MixerFramesOf(std::span<const uint8_t> riff) {
    if (riff.size() > static_cast<size_t>(INT_MAX)) throw ArchiveError(kWaveIsInvalid);
    try {
        return MixerFramesAtMost(riff);
    } catch (const ArchiveError&) {
        return 0;
    }
}

void ReadWaveProperty(WaveEntry& entry, std::string_view name, ValueReader& values,
                      int64_t& framesLeft) {
    if (SameNameIgnoringCase(name, "Name")) {
        entry.name = values.ReadString();
    } else if (SameNameIgnoringCase(name, "Looped")) {
        entry.looped = values.ReadBoolean();
    } else if (SameNameIgnoringCase(name, "MaxPlayingCount")) {
        entry.maxPlayingCount = values.ReadInteger();
    } else if (SameNameIgnoringCase(name, "Wave.WAVE")) {
        std::span<const uint8_t> riff = values.ReadBinary();
        const int64_t frames = MixerFramesOf(riff);
        if (frames > framesLeft) throw ArchiveError(kWaveIsInvalid);
        framesLeft -= frames;
        entry.wave.assign(riff.begin(), riff.end());
    } else {
        values.SkipValue(0);
    }
}

}  // namespace

std::vector<ImageEntry> ReadImageArchive(std::span<const uint8_t> bytes, int64_t pixelBudget) {
    PixelBudget budget(pixelBudget);
    return ReadArchive<ImageEntry>(
        bytes, kImageArchiveClass,
        [&budget](ImageEntry& entry, std::string_view name, ValueReader& values) {
            ReadImageProperty(entry, name, values, budget);
        });
}

std::vector<WaveEntry> ReadWaveArchive(std::span<const uint8_t> bytes, int64_t soundFrameBudget) {
    int64_t framesLeft = soundFrameBudget;
    return ReadArchive<WaveEntry>(
        bytes, kWaveArchiveClass,
        [&framesLeft](WaveEntry& entry, std::string_view name, ValueReader& values) {
            ReadWaveProperty(entry, name, values, framesLeft);
        });
}

std::vector<uint8_t> ReadFileBytes(const std::string& path, uint64_t maxBytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat info {};
    if (file != nullptr && (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(file);
        file = nullptr;
    }
    if (file == nullptr) throw ArchiveError("Cannot open file '" + path + "'");
    const auto tooLarge = [&] {
        return ArchiveError("File '" + path + "' is larger than the " + std::to_string(maxBytes) +
                            " bytes an archive may have");
    };
    if (info.st_size > 0 && static_cast<uint64_t>(info.st_size) > maxBytes) {
        std::fclose(file);
        throw tooLarge();
    }
    std::vector<uint8_t> bytes;
    // The whole file in one read into its own room (the archives are megabytes: growing the
    // buffer chunk by chunk copied them over and over); a file that turns out longer than it
    // said goes on in chunks.
    if (info.st_size > 0) {
        bytes.resize(static_cast<size_t>(info.st_size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::array<uint8_t, 65536> chunk{};
    size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() + got > maxBytes) {
            std::fclose(file);
            throw tooLarge();
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw ArchiveError("Cannot read file '" + path + "'");
    return bytes;
}
