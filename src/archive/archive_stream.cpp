#include "archive/archive_stream.h"

uint8_t ByteReader::PeekU8() const {
    if (AtEnd()) throw ArchiveError(kStreamReadError);
    return bytes_[position_];
}

bool ByteReader::PeekAt(size_t ahead, uint8_t& value) const {
    if (ahead >= Remaining()) return false;
    value = bytes_[position_ + ahead];
    return true;
}

std::span<const uint8_t> ByteReader::ReadBytes(uint64_t count) {
    if (count > Remaining()) throw ArchiveError(kStreamReadError);
    std::span<const uint8_t> result = bytes_.subspan(position_, static_cast<size_t>(count));
    position_ += static_cast<size_t>(count);
    return result;
}

uint8_t ByteReader::ReadU8() {
    return ReadBytes(1)[0];
}

uint16_t ByteReader::ReadU16() {
    std::span<const uint8_t> b = ReadBytes(2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int16_t ByteReader::ReadI16() {
    return static_cast<int16_t>(ReadU16());
}

uint32_t ByteReader::ReadU32() {
    std::span<const uint8_t> b = ReadBytes(4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

int32_t ByteReader::ReadI32() {
    return static_cast<int32_t>(ReadU32());
}

uint64_t ByteReader::ReadU64() {
    const uint64_t low = ReadU32();
    const uint64_t high = ReadU32();
    return low | (high << 32);
}

int64_t ByteReader::ReadI64() {
    return static_cast<int64_t>(ReadU64());
}

std::string ByteReader::ReadShortString() {
    const uint8_t length = ReadU8();
    std::span<const uint8_t> chars = ReadBytes(length);
    return std::string(chars.begin(), chars.end());
}

std::span<const uint8_t> ByteReader::ReadRest() {
    return ReadBytes(Remaining());
}

void ByteWriter::PutU16(uint16_t value) {
    PutU8(static_cast<uint8_t>(value & 0xFF));
    PutU8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::PutU32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        PutU8(static_cast<uint8_t>((value >> shift) & 0xFF));
}

void ByteWriter::PutU64(uint64_t value) {
    PutU32(static_cast<uint32_t>(value & 0xFFFFFFFFu));
    PutU32(static_cast<uint32_t>(value >> 32));
}

void ByteWriter::PutBytes(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::PutChars(std::string_view chars) {
    for (char c : chars) PutU8(static_cast<uint8_t>(c));
}

void ByteWriter::PutShortString(std::string_view text) {
    if (text.size() > 255) {
        throw ArchiveError("Text too long for a short string: '" + std::string(text) + "'");
    }
    PutU8(static_cast<uint8_t>(text.size()));
    PutChars(text);
}

void ByteWriter::PatchU32(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes_.at(offset + i) = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
    }
}
