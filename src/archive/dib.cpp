#include "archive/dib.h"

#include <algorithm>
#include <array>
#include <bit>

#include "archive/archive_stream.h"

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

uint32_t Opaque(uint32_t red, uint32_t green, uint32_t blue) {
    return kOpaqueBlack | (red << 16) | (green << 8) | blue;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
class Channel {
public:
    explicit Channel(uint32_t mask)
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask >> shift_) {}

    uint32_t From(uint32_t pixel) const {
        if (max_ == 0) return 0;
        const uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<uint32_t>((value * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_;
    uint64_t max_;
};

struct DibHeader {
    bool core = false;
    int64_t width = 0;
    int64_t height = 0;  // negative: rows stored top-down
    int bits = 0;
    uint32_t compression = kCompressionNone;
    uint32_t colorsUsed = 0;
};

DibHeader ReadHeader(ByteReader& in) {
    DibHeader header;
    const uint32_t size = in.ReadU32();
    if (size == kCoreHeaderSize) {
        header.core = true;
        header.width = in.ReadU16();
        header.height = in.ReadU16();
        in.ReadU16();  // planes
        header.bits = in.ReadU16();
    } else if (size == kInfoHeaderSize) {
        header.width = in.ReadI32();
        header.height = in.ReadI32();
        in.ReadU16();  // planes
        header.bits = in.ReadU16();
        header.compression = in.ReadU32();
        in.ReadU32();  // image size: not needed, the rows give it
        in.ReadI32();  // horizontal resolution
        in.ReadI32();  // vertical resolution
        header.colorsUsed = in.ReadU32();
        in.ReadU32();  // important colours
    } else {
        throw ArchiveError(kDibIsInvalid);
    }

    const int bits = header.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        throw ArchiveError(kDibIsInvalid);
    }
    switch (header.compression) {
        case kCompressionNone:
            break;
        case kCompressionRle8:
            if (bits != 8 || header.height < 0) throw ArchiveError(kDibIsInvalid);
            break;
        case kCompressionRle4:
            if (bits != 4 || header.height < 0) throw ArchiveError(kDibIsInvalid);
            break;
        case kCompressionBitFields:
            if (bits != 16 && bits != 32) throw ArchiveError(kDibIsInvalid);
            break;
        default:
            throw ArchiveError(kDibIsInvalid);
    }
    const int64_t rows = header.height < 0 ? -header.height : header.height;
    if (header.width <= 0 || header.width > kMaxDibSide || rows <= 0 || rows > kMaxDibSide) {
        throw ArchiveError(kDibIsInvalid);
    }
    return header;
}

std::vector<uint32_t> ReadColorTable(ByteReader& in, const DibHeader& header) {
    uint64_t count = header.colorsUsed;
    if (count == 0 && header.bits <= 8) count = uint64_t{1} << header.bits;
    count = std::min<uint64_t>(count, 256);
    const size_t entrySize = header.core ? 3 : 4;
    std::vector<uint32_t> table;
    table.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        std::span<const uint8_t> entry = in.ReadBytes(entrySize);
        table.push_back(Opaque(entry[2], entry[1], entry[0]));
    }
    return table;
}

class Canvas {
public:
    Canvas(int width, int height, uint32_t background) : width_(width), height_(height) {
        picture_.width = width;
        picture_.height = height;
        picture_.pixels.assign(static_cast<size_t>(width) * height, background);
    }

    // Stores a pixel at (x, row) counted from the top; positions outside are dropped, as
    // run-length data may point past the right edge.
    void Put(int64_t x, int64_t row, uint32_t color) {
        if (x < 0 || x >= width_ || row < 0 || row >= height_) return;
        picture_.pixels[static_cast<size_t>(row) * width_ + static_cast<size_t>(x)] = color;
    }

    DecodedPicture Take() { return std::move(picture_); }

private:
    int width_;
    int height_;
    DecodedPicture picture_;
};

uint32_t TableColor(const std::vector<uint32_t>& table, uint32_t index) {
    return index < table.size() ? table[index] : kOpaqueBlack;
}

void DecodeRows(ByteReader& in, const DibHeader& header, const std::vector<uint32_t>& table,
                const std::array<uint32_t, 3>& masks, Canvas& canvas) {
    const int64_t width = header.width;
    const int64_t rows = header.height < 0 ? -header.height : header.height;
    const uint64_t stride = ((static_cast<uint64_t>(width) * header.bits + 31) / 32) * 4;
    const Channel red(masks[0]);
    const Channel green(masks[1]);
    const Channel blue(masks[2]);
    for (int64_t stored = 0; stored < rows; ++stored) {
        const int64_t row = header.height < 0 ? stored : rows - 1 - stored;
        std::span<const uint8_t> line = in.ReadBytes(stride);
        for (int64_t x = 0; x < width; ++x) {
            uint32_t color = kOpaqueBlack;
            switch (header.bits) {
                case 1:
                    color = TableColor(table, (line[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case 4:
                    color = TableColor(table, (line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
                    break;
                case 8:
                    color = TableColor(table, line[x]);
                    break;
                case 16: {
                    const uint32_t pixel = line[2 * x] | (line[2 * x + 1] << 8);
                    color = Opaque(red.From(pixel), green.From(pixel), blue.From(pixel));
                    break;
                }
                case 24:
                    color = Opaque(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
                    break;
                case 32: {
                    const uint32_t pixel = static_cast<uint32_t>(line[4 * x]) |
                                           (static_cast<uint32_t>(line[4 * x + 1]) << 8) |
                                           (static_cast<uint32_t>(line[4 * x + 2]) << 16) |
                                           (static_cast<uint32_t>(line[4 * x + 3]) << 24);
                    color = Opaque(red.From(pixel), green.From(pixel), blue.From(pixel));
                    break;
                }
                default:
                    break;
            }
            canvas.Put(x, row, color);
        }
    }
}

// Run-length data: pairs (count, value) paint count pixels; a zero count is an escape: 0 ends
// the line, 1 ends the picture, 2 moves the pen by (dx, dy), 3 and more are that many literal
// pixels padded to a 16-bit boundary. Rows count from the bottom. The data may stop after the
// last row without an end-of-picture escape.
void DecodeRuns(ByteReader& in, const DibHeader& header, const std::vector<uint32_t>& table,
                Canvas& canvas) {
    const bool fourBit = header.compression == kCompressionRle4;
    const int64_t rows = header.height;
    int64_t x = 0;
    int64_t y = 0;  // from the bottom
    auto put = [&](uint32_t index) {
        canvas.Put(x, rows - 1 - y, TableColor(table, index));
        ++x;
    };
    while (y < rows) {
        const uint8_t count = in.ReadU8();
        const uint8_t value = in.ReadU8();
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                if (!fourBit) {
                    put(value);
                } else {
                    put(i % 2 == 0 ? value >> 4 : value & 0x0F);
                }
            }
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += in.ReadU8();
            y += in.ReadU8();
        } else {
            const size_t bytes = fourBit ? (value + 1u) / 2 : value;
            std::span<const uint8_t> literal = in.ReadBytes(bytes);
            for (int i = 0; i < value; ++i) {
                if (!fourBit) {
                    put(literal[i]);
                } else {
                    const uint8_t pair = literal[i / 2];
                    put(i % 2 == 0 ? pair >> 4 : pair & 0x0F);
                }
            }
            if (bytes % 2 == 1) in.Skip(1);
        }
    }
}

}  // namespace

void PixelBudget::Take(int64_t pixels) {
    if (pixels < 0 || pixels > left_) throw ArchiveError(kDibIsInvalid);
    left_ -= pixels;
}

DecodedPicture DecodeDib(std::span<const uint8_t> bytes, PixelBudget& budget) {
    ByteReader in(bytes);
    const DibHeader header = ReadHeader(in);

    std::array<uint32_t, 3> masks = {0x7C00, 0x03E0, 0x001F};  // 16 bits: 5-5-5
    if (header.bits == 32) masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (header.compression == kCompressionBitFields) {
        masks[0] = in.ReadU32();
        masks[1] = in.ReadU32();
        masks[2] = in.ReadU32();
    }
    const std::vector<uint32_t> table = ReadColorTable(in, header);

    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height < 0 ? -header.height : header.height);
    const bool runs =
        header.compression == kCompressionRle8 || header.compression == kCompressionRle4;
    if (!runs) {
        // Uncompressed rows must all be there before anything is allocated: a short file is a
        // read error, not a picture that is too large.
        const uint64_t stride = ((static_cast<uint64_t>(width) * header.bits + 31) / 32) * 4;
        if (stride * static_cast<uint64_t>(height) > in.Remaining()) {
            throw ArchiveError(kStreamReadError);
        }
    }
    budget.Take(static_cast<int64_t>(width) * height);
    if (runs) {
        Canvas canvas(width, height, TableColor(table, 0));
        DecodeRuns(in, header, table, canvas);
        return canvas.Take();
    }
    Canvas canvas(width, height, kOpaqueBlack);
    DecodeRows(in, header, table, masks, canvas);
    return canvas.Take();
}

DecodedPicture DecodeDib(std::span<const uint8_t> bytes) {
    PixelBudget budget;
    return DecodeDib(bytes, budget);
}

std::vector<uint8_t> EncodeDib24(const DecodedPicture& picture) {
    const int width = picture.width;
    const int height = picture.height;
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide ||
        picture.pixels.size() != static_cast<size_t>(width) * height) {
        throw ArchiveError("Cannot store a " + std::to_string(width) + " x " +
                           std::to_string(height) + " picture with " +
                           std::to_string(picture.pixels.size()) + " pixels");
    }
    const uint32_t stride = ((static_cast<uint32_t>(width) * 24 + 31) / 32) * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);

    ByteWriter out;
    out.PutU32(kInfoHeaderSize);
    out.PutI32(width);
    out.PutI32(height);  // positive: bottom-up
    out.PutU16(1);       // planes
    out.PutU16(24);
    out.PutU32(kCompressionNone);
    out.PutU32(imageSize);
    out.PutI32(0);  // resolution
    out.PutI32(0);
    out.PutU32(0);  // colours used
    out.PutU32(0);  // important colours
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const uint32_t color = picture.At(x, row);
            out.PutU8(static_cast<uint8_t>(color & 0xFF));
            out.PutU8(static_cast<uint8_t>((color >> 8) & 0xFF));
            out.PutU8(static_cast<uint8_t>((color >> 16) & 0xFF));
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < stride; ++pad) out.PutU8(0);
    }
    return out.Take();
}
