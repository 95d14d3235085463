#pragma once
// Hand-built archive and bitmap bytes for the archive tests, so that every case states the bytes
// it feeds the reader.

#include <cstdint>
#include <string_view>
#include <vector>

#include "archive/archive_stream.h"

namespace archive_test {

// An archive file: resource header, "TPF0", class and empty object name. The test writes the
// properties; Finish() closes the property and child lists and fills in the object size.
class ArchiveBuilder {
public:
    explicit ArchiveBuilder(std::string_view className, uint8_t marker = 0xFF, uint16_t type = 10,
                            std::string_view signature = "TPF0") {
        out_.PutU8(marker);
        out_.PutU16(type);
        out_.PutChars("ARCHIVE");
        out_.PutU8(0);
        out_.PutU16(0x1030);
        sizeAt_ = out_.Size();
        out_.PutU32(0);
        out_.PutChars(signature);
        out_.PutShortString(className);
        out_.PutShortString("");
    }

    ArchiveBuilder& Name(std::string_view name) {
        out_.PutShortString(name);
        return *this;
    }
    ArchiveBuilder& Byte(uint8_t value) {
        out_.PutU8(value);
        return *this;
    }
    ArchiveBuilder& Bytes(const std::vector<uint8_t>& bytes) {
        out_.PutBytes(bytes);
        return *this;
    }
    ArchiveBuilder& Int8(int8_t value) { return Byte(2).Byte(static_cast<uint8_t>(value)); }
    ArchiveBuilder& Int16(int16_t value) {
        out_.PutU8(3);
        out_.PutU16(static_cast<uint16_t>(value));
        return *this;
    }
    ArchiveBuilder& Int32(int32_t value) {
        out_.PutU8(4);
        out_.PutI32(value);
        return *this;
    }
    ArchiveBuilder& Bool(bool value) { return Byte(value ? 9 : 8); }
    ArchiveBuilder& String(std::string_view text) {
        out_.PutU8(6);
        out_.PutShortString(text);
        return *this;
    }
    ArchiveBuilder& Ident(std::string_view text) {
        out_.PutU8(7);
        out_.PutShortString(text);
        return *this;
    }
    ArchiveBuilder& Binary(const std::vector<uint8_t>& data) {
        out_.PutU8(10);
        out_.PutU32(static_cast<uint32_t>(data.size()));
        out_.PutBytes(data);
        return *this;
    }
    // The "List" property and its collection tag; items follow, then EndCollection().
    ArchiveBuilder& BeginCollection() { return Name("List").Byte(14); }
    ArchiveBuilder& EndCollection() { return Byte(0); }

    std::vector<uint8_t> Finish() {
        out_.PutU8(0);  // property list
        out_.PutU8(0);  // child list
        out_.PatchU32(sizeAt_, static_cast<uint32_t>(out_.Size() - sizeAt_ - 4));
        return out_.Take();
    }

private:
    ByteWriter out_;
    size_t sizeAt_ = 0;
};

// A 40-byte info header.
inline std::vector<uint8_t> InfoHeader(int32_t width, int32_t height, uint16_t bits,
                                       uint32_t compression = 0, uint32_t colorsUsed = 0) {
    ByteWriter out;
    out.PutU32(40);
    out.PutI32(width);
    out.PutI32(height);
    out.PutU16(1);
    out.PutU16(bits);
    out.PutU32(compression);
    out.PutU32(0);
    out.PutI32(0);
    out.PutI32(0);
    out.PutU32(colorsUsed);
    out.PutU32(0);
    return out.Take();
}

// A 12-byte core header.
inline std::vector<uint8_t> CoreHeader(uint16_t width, uint16_t height, uint16_t bits) {
    ByteWriter out;
    out.PutU32(12);
    out.PutU16(width);
    out.PutU16(height);
    out.PutU16(1);
    out.PutU16(bits);
    return out.Take();
}

inline std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t>& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// "Picture.Data" contents: the class name, then the bitmap.
inline std::vector<uint8_t> PictureData(const std::vector<uint8_t>& dib,
                                        std::string_view pictureClass = "TDIB") {
    ByteWriter out;
    out.PutShortString(pictureClass);
    out.PutBytes(dib);
    return out.Take();
}

// One way of storing a bitmap: header kind, bit depth, compression, row order.
struct DibVariant {
    const char* name;
    bool core;  // 12-byte core header instead of the 40-byte info header
    uint16_t bits;
    uint32_t compression;  // 0 none, 1 8-bit runs, 2 4-bit runs, 3 bit fields
    bool topDown = false;
};

// Every way the decoder accepts.
inline const std::vector<DibVariant>& AllDibVariants() {
    static const std::vector<DibVariant> variants = {
        {"Core1", true, 1, 0},
        {"Core4", true, 4, 0},
        {"Core8", true, 8, 0},
        {"Core24", true, 24, 0},
        {"Info1", false, 1, 0},
        {"Info4", false, 4, 0},
        {"Info8", false, 8, 0},
        {"Info16", false, 16, 0},
        {"Info24", false, 24, 0},
        {"Info32", false, 32, 0},
        {"Info24TopDown", false, 24, 0, true},
        {"RunLength8", false, 8, 1},
        {"RunLength4", false, 4, 2},
        {"BitFields16", false, 16, 3},
        {"BitFields32", false, 32, 3},
    };
    return variants;
}

// A width x height bitmap stored the variant's way, with every row present. Run-length rows are
// runs of at most 255 pixels, each row ended by an end-of-line escape, the picture by an
// end-of-picture escape.
inline std::vector<uint8_t> SampleDib(const DibVariant& v, int width, int height) {
    ByteWriter out;
    out.PutBytes(
        v.core ? CoreHeader(static_cast<uint16_t>(width), static_cast<uint16_t>(height), v.bits)
               : InfoHeader(width, v.topDown ? -height : height, v.bits, v.compression));
    if (v.compression == 3) {
        const bool wide = v.bits == 32;
        out.PutU32(wide ? 0x00FF0000u : 0xF800u);
        out.PutU32(wide ? 0x0000FF00u : 0x07E0u);
        out.PutU32(wide ? 0x000000FFu : 0x001Fu);
    }
    if (v.bits <= 8) {
        for (int i = 0; i < (1 << v.bits); ++i) {
            out.PutU8(static_cast<uint8_t>(i * 7));
            out.PutU8(static_cast<uint8_t>(i * 13));
            out.PutU8(static_cast<uint8_t>(i * 29));
            if (!v.core) out.PutU8(0);
        }
    }
    if (v.compression == 1 || v.compression == 2) {
        for (int row = 0; row < height; ++row) {
            for (int left = width; left > 0; left -= 255) {
                out.PutU8(static_cast<uint8_t>(left < 255 ? left : 255));
                out.PutU8(static_cast<uint8_t>(row * 3 + 0x21));
            }
            out.PutU8(0);
            out.PutU8(0);
        }
        out.PutU8(0);
        out.PutU8(1);
        return out.Take();
    }
    const size_t stride = ((static_cast<size_t>(width) * v.bits + 31) / 32) * 4;
    for (size_t i = 0; i < stride * static_cast<size_t>(height); ++i) {
        out.PutU8(static_cast<uint8_t>(i * 37 + 11));
    }
    return out.Take();
}

}  // namespace archive_test
