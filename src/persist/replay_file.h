#pragma once
// A recording of one race, as a file: what makes the race play out again exactly (the generator's
// state when it started, the car, the level, and for every frame what the frame loop read from
// the clock and the input as the race read it, with the form's events in between), and a few
// figures about its end. docs/replay-format.md describes the bytes; in short:
//
//   a header of 112 bytes (little-endian): the magic "ZX2RPLAY", the format version, the header's
//   size, the game's version, the seed, the generator's state, the car, the first level, the
//   frame timing, the items handed over at the start, the name the name entry starts from, the
//   end (score, level, the name entered in the table), the counts and the size of the stream;
//   then the items given, one byte each; then the stream; then a CRC-32 of all the bytes before
//   it.
//
// The stream holds the frames and the events in the order they reached the game. A frame that
// repeats the one before costs nothing but a share of a run count, and one whose only change is
// a small step of LagCount costs one byte, so a race at any refresh rate up to a few hundred
// hertz takes about a byte a frame at most.
//
// Reading trusts nothing: the sizes are checked against the file's length before anything else
// is read, the checksum before the content, and the stream is walked once to the end with every
// value held to its range, so that playing a recording that was read never meets a surprise.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kReplayMagic[8] = {'Z', 'X', '2', 'R', 'P', 'L', 'A', 'Y'};
// The layout of the bytes. A reader refuses any other version: the fields would not mean what
// it takes them for.
inline constexpr uint16_t kReplayFormatVersion = 1;
inline constexpr size_t kReplayHeaderSize = 112;
// No recording is larger: an hour of racing at 240 Hz takes well under a megabyte.
inline constexpr size_t kMaxReplayBytes = size_t{16} << 20;
inline constexpr size_t kMaxReplayGives = 16;
inline constexpr size_t kReplayNameBytes = 12;
inline constexpr size_t kReplayVersionBytes = 16;
// The input word's meaningful bits (the game gives them their meaning); the others are 0.
inline constexpr int kReplayInputBits = 29;
// The ranges a frame's values are held to.
inline constexpr int kMaxReplayLag = 1000000;
inline constexpr int kMaxReplayRate = 1000000;
inline constexpr int kMaxReplayMouse = 100000;

// What the frame loop read for one frame.
struct ReplayFrame {
    int LagCount = 0;
    int FrameRate = 0;
    int RefreshRate = 0;
    uint64_t Input = 0;  // the race's actions held and hit and the KeyHit flags, packed by the game

    bool operator==(const ReplayFrame&) const = default;
};

// The form's events that reach the race between two frames. The numbers are the stream's tags.
enum class ReplayEventKind : uint8_t {
    Char = 0x90,           // a typed character (Enter is 13, backspace 8): A = its code 0..255
    MouseMove = 0x91,      // the pointer at surface pixel (A, B)
    Click = 0x92,          // a click (or double click) on the surface
    CloseRequest = 0x93,   // the close box, Alt+F4 or the system asked the window to close
    FullScreenKey = 0x94,  // Alt+Enter
    FocusLost = 0x95,
    FocusGained = 0x96,
    PadLost = 0x97,  // the pad in use was pulled out
};

struct ReplayEvent {
    ReplayEventKind Kind = ReplayEventKind::Click;
    int A = 0;
    int B = 0;

    bool operator==(const ReplayEvent&) const = default;
};

struct ReplayItem {
    bool IsFrame = false;
    ReplayFrame Frame;
    ReplayEvent Event;

    bool operator==(const ReplayItem&) const = default;
};

struct ReplayHeader {
    std::string GameVersion;
    uint32_t Seed = 0;           // what the generator was seeded with at start-up
    uint32_t RandomState = 0;    // the generator's state as the race started
    int Car = 1;                 // 1 to 6
    int Level = 1;               // the first level
    std::vector<uint8_t> Gives;  // items picked up at the start, in order (1 to 4)
    int FrameMs = 15;            // the frame timing as the race started
    double FrameScale = 1.0;
    // A score above this enters the high-score table (the lowest score in it when the race
    // started; the table does not change during a race).
    int TableBar = 0;
    uint32_t FrameCount = 0;
    uint32_t EventCount = 0;
    int FinalScore = 0;
    int FinalLevel = 1;
    // The name the name entry starts from: the one the player typed after the game before.
    std::string StartName;      // at most kReplayNameBytes
    bool EnteredTable = false;  // a name was entered in the table with the final score
    std::string EnteredName;    // at most kReplayNameBytes
};

// Builds the stream: frames and events in the order they happen.
class ReplayStreamWriter {
public:
    void Frame(const ReplayFrame& frame);
    void Event(const ReplayEvent& event);
    // The stream so far, with the frames still counted in a run written out.
    std::string Bytes() const;
    // The bytes so far, near enough (a pending run takes a few more).
    size_t Size() const { return bytes_.size(); }
    uint32_t FrameCount() const { return frames_; }
    uint32_t EventCount() const { return events_; }

private:
    static void PutRun(std::string& out, uint32_t count);
    void FlushRun();

    std::string bytes_;
    ReplayFrame previous_;
    uint32_t run_ = 0;  // frames equal to previous_ not yet written
    uint32_t frames_ = 0;
    uint32_t events_ = 0;
};

// Walks a stream item by item. A copy walks on independently (to look ahead).
class ReplayStreamReader {
public:
    explicit ReplayStreamReader(std::string_view stream) : stream_(stream) {}
    // The next item; false at the end of the stream, or on a fault (Failed() then says so).
    bool Next(ReplayItem& item);
    // The same, with a run of equal frames taken at once: `count` is how many times the item
    // comes in a row (1 but for a run), so that a long run costs one step.
    bool NextRun(ReplayItem& item, uint32_t& count);
    bool Failed() const { return failed_; }
    bool AtEnd() const { return run_ == 0 && pos_ >= stream_.size(); }

private:
    bool ReadVarint(uint64_t& value);
    bool ReadValue(int& value, int low, int high);
    bool Fail();

    std::string_view stream_;
    size_t pos_ = 0;
    ReplayFrame current_;
    uint32_t run_ = 0;  // repeats of current_ still to give
    bool failed_ = false;
};

struct ReplayRecording {
    ReplayHeader Header;
    std::string Stream;
};

// The whole file.
std::string EncodeReplay(const ReplayHeader& header, std::string_view stream);

// Reads a file's bytes. On failure the result is empty and `error` says why, starting with
// `fileName`. With `gameVersion` given, a recording made by another version of the game is
// refused too: the race would not play out the same.
std::optional<ReplayRecording> DecodeReplay(std::string_view bytes, const std::string& fileName,
                                            std::string& error, std::string_view gameVersion = {});

// Reads the file at `path` (a regular file of at most kMaxReplayBytes) and decodes it.
std::optional<ReplayRecording> ReadReplayFile(const std::string& path, std::string& error,
                                              std::string_view gameVersion = {});

// The CRC-32 of zlib and PNG (reflected, polynomial 0xEDB88320), continued from `crc`.
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);
