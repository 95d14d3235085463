#include "persist/replay_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

// ---- Stream tags
// --------------------------------------------------------------------------------- 0x00..0x7F: a
// run of (tag + 1) frames equal to the one before. 0x80:       a run of frames equal to the one
// before, its length a varint. 0x81..0x8F: one frame; the bits of (tag & 0x0F) say which values
// follow as varints, in this
//             order: 1 LagCount, 2 FrameRate, 4 RefreshRate, 8 the input word XOR the previous.
// 0x90..0x97: an event (ReplayEventKind); Char takes one byte, MouseMove two zigzag varints.
// 0xA0..0xBF: one frame whose LagCount is the previous one plus (tag & 0x1F) - 16.
// Everything else is not a tag.
constexpr uint8_t kShortRunLast = 0x7F;
constexpr uint8_t kLongRun = 0x80;
constexpr uint8_t kChangedFrame = 0x80;
constexpr uint8_t kChangedLag = 1;
constexpr uint8_t kChangedRate = 2;
constexpr uint8_t kChangedRefresh = 4;
constexpr uint8_t kChangedInput = 8;
constexpr uint8_t kLagStep = 0xA0;
constexpr int kLagStepLow = -16;
constexpr int kLagStepHigh = 15;

void PutVarint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

uint64_t ZigZag(int value) {
    const int64_t v = value;
    return static_cast<uint64_t>((v << 1) ^ (v >> 63));
}

int UnZigZag(uint64_t value) {
    return static_cast<int>(static_cast<int64_t>(value >> 1) ^ -static_cast<int64_t>(value & 1));
}

// ---- Little-endian fields
// ------------------------------------------------------------------------

void Put16(std::string& out, uint16_t v) {
    for (int i = 0; i < 2; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put64(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutText(std::string& out, std::string_view text, size_t width) {
    for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? text[i] : '\0');
}

uint64_t Get(std::string_view bytes, size_t offset, int count) {
    uint64_t v = 0;
    for (int i = count - 1; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(bytes[offset + static_cast<size_t>(i)]);
    return v;
}
int32_t GetSigned32(std::string_view bytes, size_t offset) {
    return static_cast<int32_t>(static_cast<uint32_t>(Get(bytes, offset, 4)));
}
// A NUL-padded text field: the text up to the first NUL.
std::string GetText(std::string_view bytes, size_t offset, size_t width) {
    std::string_view field = bytes.substr(offset, width);
    return std::string(field.substr(0, field.find('\0')));
}

// The header's fields, by offset.
constexpr size_t kAtVersion = 8;
constexpr size_t kAtHeaderSize = 10;
constexpr size_t kAtGameVersion = 12;
constexpr size_t kAtSeed = 28;
constexpr size_t kAtRandomState = 32;
constexpr size_t kAtCar = 36;
constexpr size_t kAtGiveCount = 37;
constexpr size_t kAtFlags = 38;
constexpr size_t kAtZero = 39;
constexpr size_t kAtLevel = 40;
constexpr size_t kAtFrameMs = 44;
constexpr size_t kAtFrameScale = 48;
constexpr size_t kAtTableBar = 56;
constexpr size_t kAtFrameCount = 60;
constexpr size_t kAtEventCount = 64;
constexpr size_t kAtFinalScore = 68;
constexpr size_t kAtFinalLevel = 72;
constexpr size_t kAtStreamSize = 76;
constexpr size_t kAtStartName = 80;    // a length byte, then 12 bytes
constexpr size_t kAtEnteredName = 93;  // a length byte, then 12 bytes
constexpr size_t kAtReserved = 106;    // 6 bytes of 0
constexpr uint8_t kFlagEnteredTable = 1;
constexpr int kMaxLevel = 100000;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

bool IsEventTag(uint8_t tag) {
    return tag >= static_cast<uint8_t>(ReplayEventKind::Char) &&
           tag <= static_cast<uint8_t>(ReplayEventKind::PadLost);
}

}  // namespace

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
    crc = ~crc;
    for (const char c : bytes) crc = kCrcTable[(crc ^ static_cast<uint8_t>(c)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

// ---- Writing the stream
// --------------------------------------------------------------------------

void ReplayStreamWriter::PutRun(std::string& out, uint32_t count) {
    if (count == 0) return;
    if (count <= kShortRunLast + 1u) {
        out.push_back(static_cast<char>(count - 1));
    } else {
        out.push_back(static_cast<char>(kLongRun));
        PutVarint(out, count);
    }
}

void ReplayStreamWriter::FlushRun() {
    PutRun(bytes_, run_);
    run_ = 0;
}

void ReplayStreamWriter::Frame(const ReplayFrame& frame) {
    ++frames_;
    if (frame == previous_) {
        ++run_;
        return;
    }
    FlushRun();
    const int step = frame.LagCount - previous_.LagCount;
    if (frame.FrameRate == previous_.FrameRate && frame.RefreshRate == previous_.RefreshRate &&
        frame.Input == previous_.Input && step >= kLagStepLow && step <= kLagStepHigh) {
        bytes_.push_back(static_cast<char>(kLagStep + (step - kLagStepLow)));
    } else {
        uint8_t mask = 0;
        if (frame.LagCount != previous_.LagCount) mask |= kChangedLag;
        if (frame.FrameRate != previous_.FrameRate) mask |= kChangedRate;
        if (frame.RefreshRate != previous_.RefreshRate) mask |= kChangedRefresh;
        if (frame.Input != previous_.Input) mask |= kChangedInput;
        bytes_.push_back(static_cast<char>(kChangedFrame | mask));
        if ((mask & kChangedLag) != 0) PutVarint(bytes_, static_cast<uint32_t>(frame.LagCount));
        if ((mask & kChangedRate) != 0) PutVarint(bytes_, static_cast<uint32_t>(frame.FrameRate));
        if ((mask & kChangedRefresh) != 0)
            PutVarint(bytes_, static_cast<uint32_t>(frame.RefreshRate));
        if ((mask & kChangedInput) != 0) PutVarint(bytes_, frame.Input ^ previous_.Input);
    }
    previous_ = frame;
}

void ReplayStreamWriter::Event(const ReplayEvent& event) {
    ++events_;
    FlushRun();
    bytes_.push_back(static_cast<char>(event.Kind));
    if (event.Kind == ReplayEventKind::Char) bytes_.push_back(static_cast<char>(event.A & 0xFF));
    if (event.Kind == ReplayEventKind::MouseMove) {
        PutVarint(bytes_, ZigZag(event.A));
        PutVarint(bytes_, ZigZag(event.B));
    }
}

std::string ReplayStreamWriter::Bytes() const {
    std::string out = bytes_;
    PutRun(out, run_);
    return out;
}

// ---- Reading the stream
// --------------------------------------------------------------------------

bool ReplayStreamReader::Fail() {
    failed_ = true;
    return false;
}

bool ReplayStreamReader::ReadVarint(uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (pos_ >= stream_.size()) return Fail();
        const uint8_t byte = static_cast<uint8_t>(stream_[pos_++]);
        const uint64_t bits = byte & 0x7F;
        // The tenth byte may only hold the top bit of a 64-bit value.
        if (shift == 63 && bits > 1) return Fail();
        value |= bits << shift;
        if ((byte & 0x80) == 0) return true;
    }
    return Fail();
}

bool ReplayStreamReader::ReadValue(int& value, int low, int high) {
    uint64_t raw = 0;
    if (!ReadVarint(raw) || raw < static_cast<uint64_t>(low) || raw > static_cast<uint64_t>(high))
        return Fail();
    value = static_cast<int>(raw);
    return true;
}

bool ReplayStreamReader::Next(ReplayItem& item) {
    if (failed_) return false;
    if (run_ > 0) {
        --run_;
        item = ReplayItem{true, current_, {}};
        return true;
    }
    uint32_t count = 0;
    if (!NextRun(item, count)) return false;
    run_ = count - 1;
    return true;
}

bool ReplayStreamReader::NextRun(ReplayItem& item, uint32_t& count) {
    if (failed_) return false;
    count = 1;
    if (run_ > 0) {
        count = run_;
        run_ = 0;
        item = ReplayItem{true, current_, {}};
        return true;
    }
    if (pos_ >= stream_.size()) return false;
    const uint8_t tag = static_cast<uint8_t>(stream_[pos_++]);
    if (tag <= kShortRunLast || tag == kLongRun) {
        uint64_t length = tag + 1u;
        if (tag == kLongRun && (!ReadVarint(length) || length == 0 || length > UINT32_MAX))
            return Fail();
        // The first frame of a stream has nothing to repeat.
        if (current_.LagCount == 0) return Fail();
        count = static_cast<uint32_t>(length);
        item = ReplayItem{true, current_, {}};
        return true;
    }
    if (tag > kChangedFrame && tag <= (kChangedFrame | 0x0F)) {
        ReplayFrame frame = current_;
        if ((tag & kChangedLag) != 0 && !ReadValue(frame.LagCount, 1, kMaxReplayLag)) return false;
        if ((tag & kChangedRate) != 0 && !ReadValue(frame.FrameRate, 0, kMaxReplayRate))
            return false;
        if ((tag & kChangedRefresh) != 0 && !ReadValue(frame.RefreshRate, 1, kMaxReplayRate))
            return false;
        if ((tag & kChangedInput) != 0) {
            uint64_t change = 0;
            if (!ReadVarint(change) || (change >> kReplayInputBits) != 0) return Fail();
            frame.Input ^= change;
        }
        // Every frame has a LagCount and a refresh rate: the first must set both.
        if (frame.LagCount == 0 || frame.RefreshRate == 0) return Fail();
        current_ = frame;
        item = ReplayItem{true, current_, {}};
        return true;
    }
    if (tag >= kLagStep && tag <= kLagStep + (kLagStepHigh - kLagStepLow)) {
        if (current_.LagCount == 0) return Fail();
        const int lag = current_.LagCount + (tag - kLagStep) + kLagStepLow;
        if (lag < 1 || lag > kMaxReplayLag) return Fail();
        current_.LagCount = lag;
        item = ReplayItem{true, current_, {}};
        return true;
    }
    if (IsEventTag(tag)) {
        ReplayEvent event;
        event.Kind = static_cast<ReplayEventKind>(tag);
        if (event.Kind == ReplayEventKind::Char) {
            if (pos_ >= stream_.size()) return Fail();
            event.A = static_cast<uint8_t>(stream_[pos_++]);
        }
        if (event.Kind == ReplayEventKind::MouseMove) {
            uint64_t x = 0;
            uint64_t y = 0;
            if (!ReadVarint(x) || !ReadVarint(y) || x > 2u * kMaxReplayMouse ||
                y > 2u * kMaxReplayMouse)
                return Fail();
            event.A = UnZigZag(x);
            event.B = UnZigZag(y);
        }
        item = ReplayItem{false, {}, event};
        return true;
    }
    return Fail();
}

// ---- The file
// ------------------------------------------------------------------------------------

std::string EncodeReplay(const ReplayHeader& header, std::string_view stream) {
    std::string out;
    out.reserve(kReplayHeaderSize + header.Gives.size() + stream.size() + 4);
    out.append(kReplayMagic, sizeof kReplayMagic);
    Put16(out, kReplayFormatVersion);
    const size_t gives = std::min(header.Gives.size(), kMaxReplayGives);
    Put16(out, static_cast<uint16_t>(kReplayHeaderSize + gives));
    PutText(out, header.GameVersion, kReplayVersionBytes);
    Put32(out, header.Seed);
    Put32(out, header.RandomState);
    out.push_back(static_cast<char>(header.Car));
    out.push_back(static_cast<char>(gives));
    out.push_back(static_cast<char>(header.EnteredTable ? kFlagEnteredTable : 0));
    out.push_back('\0');
    Put32(out, static_cast<uint32_t>(header.Level));
    Put32(out, static_cast<uint32_t>(header.FrameMs));
    uint64_t scale = 0;
    std::memcpy(&scale, &header.FrameScale, sizeof scale);
    Put64(out, scale);
    Put32(out, static_cast<uint32_t>(header.TableBar));
    Put32(out, header.FrameCount);
    Put32(out, header.EventCount);
    Put32(out, static_cast<uint32_t>(header.FinalScore));
    Put32(out, static_cast<uint32_t>(header.FinalLevel));
    Put32(out, static_cast<uint32_t>(stream.size()));
    for (const std::string& text : {header.StartName, header.EnteredName}) {
        const std::string_view name = std::string_view(text).substr(0, kReplayNameBytes);
        out.push_back(static_cast<char>(name.size()));
        PutText(out, name, kReplayNameBytes);
    }
    PutText(out, "", kReplayHeaderSize - out.size());
    for (size_t i = 0; i < gives; ++i) out.push_back(static_cast<char>(header.Gives[i]));
    out.append(stream);
    Put32(out, Crc32(out));
    return out;
}

std::optional<ReplayRecording> DecodeReplay(std::string_view bytes, const std::string& fileName,
                                            std::string& error, std::string_view gameVersion) {
    auto refuse = [&](const std::string& why) {
        error = fileName + ": " + why;
        return std::nullopt;
    };
    const std::string damaged = "the recording is damaged";
    if (bytes.size() < kAtHeaderSize ||
        bytes.substr(0, sizeof kReplayMagic) != std::string_view(kReplayMagic, sizeof kReplayMagic))
        return refuse("not a Zarvex 2 recording");
    const uint16_t version = static_cast<uint16_t>(Get(bytes, kAtVersion, 2));
    if (version != kReplayFormatVersion)
        return refuse("a recording of format version " + std::to_string(version) +
                      "; this game plays version " + std::to_string(kReplayFormatVersion));
    if (bytes.size() < kReplayHeaderSize + 4) return refuse(damaged + " (cut short)");
    const size_t headerSize = static_cast<size_t>(Get(bytes, kAtHeaderSize, 2));
    const size_t gives = static_cast<uint8_t>(bytes[kAtGiveCount]);
    const size_t streamSize = static_cast<size_t>(Get(bytes, kAtStreamSize, 4));
    // The sizes must add up to the file's length exactly, before anything is taken from it.
    if (gives > kMaxReplayGives || headerSize != kReplayHeaderSize + gives ||
        headerSize > bytes.size() - 4 || streamSize != bytes.size() - 4 - headerSize)
        return refuse(damaged + " (its sizes do not add up)");
    const uint32_t stored = static_cast<uint32_t>(Get(bytes, bytes.size() - 4, 4));
    if (Crc32(bytes.substr(0, bytes.size() - 4)) != stored)
        return refuse(damaged + " (its checksum does not match)");

    ReplayRecording recording;
    ReplayHeader& h = recording.Header;
    h.GameVersion = GetText(bytes, kAtGameVersion, kReplayVersionBytes);
    if (!gameVersion.empty() && h.GameVersion != gameVersion)
        return refuse("recorded by Zarvex 2 " + h.GameVersion + "; this is " +
                      std::string(gameVersion) +
                      ", and a race plays out the same only in the version that recorded it");
    h.Seed = static_cast<uint32_t>(Get(bytes, kAtSeed, 4));
    h.RandomState = static_cast<uint32_t>(Get(bytes, kAtRandomState, 4));
    h.Car = static_cast<uint8_t>(bytes[kAtCar]);
    const uint8_t flags = static_cast<uint8_t>(bytes[kAtFlags]);
    h.EnteredTable = (flags & kFlagEnteredTable) != 0;
    h.Level = GetSigned32(bytes, kAtLevel);
    h.FrameMs = GetSigned32(bytes, kAtFrameMs);
    const uint64_t scale = Get(bytes, kAtFrameScale, 8);
    std::memcpy(&h.FrameScale, &scale, sizeof scale);
    h.TableBar = GetSigned32(bytes, kAtTableBar);
    h.FrameCount = static_cast<uint32_t>(Get(bytes, kAtFrameCount, 4));
    h.EventCount = static_cast<uint32_t>(Get(bytes, kAtEventCount, 4));
    h.FinalScore = GetSigned32(bytes, kAtFinalScore);
    h.FinalLevel = GetSigned32(bytes, kAtFinalLevel);
    for (auto [at, name] :
         {std::pair{kAtStartName, &h.StartName}, std::pair{kAtEnteredName, &h.EnteredName}}) {
        const size_t length = static_cast<uint8_t>(bytes[at]);
        if (length > kReplayNameBytes) return refuse(damaged + " (a name in it)");
        *name = std::string(bytes.substr(at + 1, length));
    }
    for (size_t i = 0; i < gives; ++i) {
        const uint8_t item = static_cast<uint8_t>(bytes[kReplayHeaderSize + i]);
        if (item < 1 || item > 4) return refuse(damaged + " (an item given at the start)");
        h.Gives.push_back(item);
    }
    if (h.Car < 1 || h.Car > 6 || h.Level < 1 || h.Level > kMaxLevel || h.FinalLevel < 1 ||
        h.FinalLevel > kMaxLevel || h.FrameMs < 0 || h.FrameMs > 1000 ||
        !std::isfinite(h.FrameScale) || !(h.FrameScale > 0) || h.FrameScale > 85 ||
        (flags & ~kFlagEnteredTable) != 0 || bytes[kAtZero] != '\0' ||
        bytes.substr(kAtReserved, kReplayHeaderSize - kAtReserved).find_first_not_of('\0') !=
            std::string_view::npos)
        return refuse(damaged + " (a value of its header is out of range)");

    // The stream, walked once to its end: every value in range, and as many frames and events
    // as the header says.
    const std::string_view stream = bytes.substr(headerSize, streamSize);
    ReplayStreamReader reader(stream);
    ReplayItem item;
    uint32_t count = 0;
    uint64_t frames = 0;
    uint64_t events = 0;
    while (reader.NextRun(item, count)) (item.IsFrame ? frames : events) += count;
    if (reader.Failed()) return refuse(damaged + " (its frames cannot be read)");
    if (frames != h.FrameCount || events != h.EventCount)
        return refuse(damaged + " (it holds another number of frames than it says)");
    recording.Stream = std::string(stream);
    return recording;
}

std::optional<ReplayRecording> ReadReplayFile(const std::string& path, std::string& error,
                                              std::string_view gameVersion) {
    // Non-blocking, so that a pipe of that name cannot hold the game up; only a regular file of
    // a size a recording may have is read, and no more than that size is allocated.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        error = path + ": not a recording (not a file)";
        return std::nullopt;
    }
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > kMaxReplayBytes) {
        close(fd);
        error = path + ": not a recording (larger than any recording)";
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        filled += static_cast<size_t>(got);
    }
    close(fd);
    bytes.resize(filled);
    return DecodeReplay(bytes, path, error, gameVersion);
}
