#include "shell/race_recorder.h"

#include <algorithm>

namespace {

// Room kept for the header, the items, the last run and the events that may come before the
// next frame (the size is looked at only when a frame comes).
constexpr size_t kStreamLimit = kMaxReplayBytes - 65536;

bool Representable(const ReplayFrame& frame) {
    return frame.LagCount >= 1 && frame.LagCount <= kMaxReplayLag && frame.FrameRate >= 0 &&
           frame.FrameRate <= kMaxReplayRate && frame.RefreshRate >= 1 &&
           frame.RefreshRate <= kMaxReplayRate && (frame.Input >> kReplayInputBits) == 0;
}

}  // namespace

void TRaceRecorder::Begin(ReplayHeader start) {
    if (start.Gives.size() > kMaxReplayGives) start.Gives.resize(kMaxReplayGives);
    if (start.EnteredName.size() > kReplayNameBytes) start.EnteredName.resize(kReplayNameBytes);
    header_ = std::move(start);
    header_->EnteredTable = false;
    stream_ = ReplayStreamWriter();
    started_ = false;
    cut_ = false;
    lastScore_ = 0;
    lastLevel_ = header_->Level;
}

void TRaceRecorder::NoteFirstFrameTiming(int frameMs, double frameScale) {
    if (!Recording() || started_) return;
    header_->FrameMs = frameMs;
    header_->FrameScale = frameScale;
    started_ = true;
}

void TRaceRecorder::Cut() {
    cut_ = true;
}

void TRaceRecorder::NoteEvent(const ReplayEvent& event) {
    if (!Recording() || cut_) return;
    ReplayEvent kept = event;
    if (kept.Kind == ReplayEventKind::Char) kept.A &= 0xFF;
    // The pointer is always on the surface; a position beyond any screen would be a fault.
    if (kept.Kind == ReplayEventKind::MouseMove) {
        kept.A = std::clamp(kept.A, -kMaxReplayMouse, kMaxReplayMouse);
        kept.B = std::clamp(kept.B, -kMaxReplayMouse, kMaxReplayMouse);
    }
    stream_.Event(kept);
}

void TRaceRecorder::NoteFrame(const ReplayFrame& frame, int score, int level) {
    if (!Recording() || cut_) return;
    if (stream_.Size() > kStreamLimit || !Representable(frame) ||
        stream_.FrameCount() == UINT32_MAX) {
        // The race as it stands after the last frame recorded.
        lastScore_ = score;
        lastLevel_ = level;
        return Cut();
    }
    stream_.Frame(frame);
}

void TRaceRecorder::NoteTableEntry(const std::string& name) {
    if (!Recording()) return;
    header_->EnteredTable = true;
    header_->EnteredName = name.substr(0, kReplayNameBytes);
}

std::optional<std::string> TRaceRecorder::Finish(int finalScore, int finalLevel) {
    if (!Recording()) return std::nullopt;
    ReplayHeader header = std::move(*header_);
    header_.reset();
    header.FinalScore = cut_ ? lastScore_ : finalScore;
    header.FinalLevel = cut_ ? lastLevel_ : finalLevel;
    header.FrameCount = stream_.FrameCount();
    header.EventCount = stream_.EventCount();
    return EncodeReplay(header, stream_.Bytes());
}
