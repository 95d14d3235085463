#pragma once
// Hand-built archive and bitmap bytes for the archive tests, so that every case states the bytes
// it feeds the reader.

#include <cstdint>
#include <string_view>
#include <vector>

#include "media/archive_stream.h"

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

}  // namespace archive_test
