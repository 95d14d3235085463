#pragma once
// Little-endian byte reading and writing for the archive format. The reader never trusts a
// length: every read checks the bytes that are left and throws ArchiveError "Stream read error"
// when the data ends early, so a corrupt file can never make it read outside its buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_types.h"

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

    // The next byte without consuming it; throws at the end of the data.
    uint8_t PeekU8() const;
    // The byte `ahead` places after the current one, or false when the data ends before it.
    bool PeekAt(size_t ahead, uint8_t& value) const;

    uint8_t ReadU8();
    uint16_t ReadU16();
    int16_t ReadI16();
    uint32_t ReadU32();
    int32_t ReadI32();
    uint64_t ReadU64();
    int64_t ReadI64();
    // The next `count` bytes as a view into the buffer.
    std::span<const uint8_t> ReadBytes(uint64_t count);
    void Skip(uint64_t count) { ReadBytes(count); }
    // One length byte, then that many 8-bit characters.
    std::string ReadShortString();
    // Everything that has not been read yet (consumes it).
    std::span<const uint8_t> ReadRest();

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

class ByteWriter {
public:
    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

    void PutU8(uint8_t value) { bytes_.push_back(value); }
    void PutU16(uint16_t value);
    void PutU32(uint32_t value);
    void PutI32(int32_t value) { PutU32(static_cast<uint32_t>(value)); }
    void PutU64(uint64_t value);
    void PutBytes(std::span<const uint8_t> bytes);
    void PutChars(std::string_view chars);
    // A length byte and the characters; throws ArchiveError for more than 255 characters.
    void PutShortString(std::string_view text);
    // Overwrites four bytes written earlier (a size known only afterwards).
    void PatchU32(size_t offset, uint32_t value);

private:
    std::vector<uint8_t> bytes_;
};
