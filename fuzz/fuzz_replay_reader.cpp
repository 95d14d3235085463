// Feeds arbitrary bytes to the reader of race recordings, as they are and with their checksum made
// right (so that the checks behind it are reached too). Reading must never crash or allocate
// beyond the file's own size; a recording that reads must read the same after its stream is
// written again by the game's own writer, item for item, and its header likewise.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "persist/replay_file.h"

namespace {

// The items with the number of times each comes in a row, equal frames in a row merged however
// the stream split them into runs; every run is taken in one step, however long.
std::vector<std::pair<ReplayItem, uint64_t>> Items(std::string_view stream) {
    ReplayStreamReader reader(stream);
    std::vector<std::pair<ReplayItem, uint64_t>> items;
    ReplayItem item;
    uint32_t count = 0;
    while (reader.NextRun(item, count)) {
        if (item.IsFrame && !items.empty() && items.back().first == item) {
            items.back().second += count;
        } else {
            items.emplace_back(item, count);
        }
    }
    if (reader.Failed()) __builtin_trap();  // the decoder walked it to its end already
    return items;
}

void Check(std::string_view bytes) {
    std::string error;
    const std::optional<ReplayRecording> read = DecodeReplay(bytes, "fuzz", error);
    if (!read) {
        if (error.rfind("fuzz: ", 0) != 0) __builtin_trap();  // every refusal names the file
        return;
    }
    const std::vector<std::pair<ReplayItem, uint64_t>> items = Items(read->Stream);
    // Written again with the game's writer, frame by frame: long runs are cut short here, since
    // only their coding is in question.
    std::vector<std::pair<ReplayItem, uint64_t>> written;
    ReplayStreamWriter writer;
    for (const auto& [item, count] : items) {
        const uint64_t kept = item.IsFrame ? std::min<uint64_t>(count, 300) : count;
        for (uint64_t i = 0; i < kept; ++i) {
            if (item.IsFrame) {
                writer.Frame(item.Frame);
            } else {
                writer.Event(item.Event);
            }
        }
        if (!written.empty() && item.IsFrame && written.back().first == item) {
            written.back().second += kept;
        } else {
            written.emplace_back(item, kept);
        }
    }
    ReplayHeader header = read->Header;
    header.FrameCount = writer.FrameCount();
    header.EventCount = writer.EventCount();
    const std::string again = EncodeReplay(header, writer.Bytes());
    const std::optional<ReplayRecording> reread = DecodeReplay(again, "again", error);
    if (!reread || Items(reread->Stream) != written) __builtin_trap();
    const ReplayHeader& a = read->Header;
    const ReplayHeader& b = reread->Header;
    if (a.GameVersion != b.GameVersion || a.RandomState != b.RandomState || a.Car != b.Car ||
        a.Level != b.Level || a.Gives != b.Gives || a.FrameMs != b.FrameMs ||
        a.FrameScale != b.FrameScale || a.TableBar != b.TableBar || a.FinalScore != b.FinalScore ||
        a.StartName != b.StartName || a.EnteredName != b.EnteredName ||
        a.EnteredTable != b.EnteredTable)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    if (size >= 4) {
        std::string fixed(bytes);
        const uint32_t crc = Crc32(std::string_view(fixed).substr(0, size - 4));
        for (int i = 0; i < 4; ++i) fixed[size - 4 + i] = static_cast<char>(crc >> (8 * i));
        Check(fixed);
    }
    return 0;
}
