#pragma once
// The recording of the race being played: from the race's start to its end (or the game's), what
// makes it play out again exactly. The form tells it the start, every event that reaches the game
// during the race and, once a frame, what the frame loop read from the clock and the input;
// Finish gives the whole file.
//
// A recording that would grow past the largest a file may hold, or meet a value a file cannot
// hold, stops there: what it holds so far still plays, up to that frame, and its end figures are
// those of that frame.

#include <optional>
#include <string>

#include "persist/replay_file.h"

class TRaceRecorder {
public:
    // Starts a recording; the header's start fields are filled in, its end fields are not.
    void Begin(ReplayHeader start);
    bool Recording() const { return header_.has_value(); }
    // The frame timing as a frame starts, as the frame loop left it after the one before; the
    // first frame's goes into the header (later calls change nothing).
    void NoteFirstFrameTiming(int frameMs, double frameScale);
    void NoteEvent(const ReplayEvent& event);
    // A frame, with the race's score and level as it starts: when the recording stops there,
    // they are the figures of its end.
    void NoteFrame(const ReplayFrame& frame, int score, int level);
    // The name entered in the high-score table at the race's end.
    void NoteTableEntry(const std::string& name);
    // Ends the recording and returns the file's bytes; none when nothing is being recorded.
    std::optional<std::string> Finish(int finalScore, int finalLevel);

private:
    // Stops taking anything more, keeping the end figures of the last frame recorded.
    void Cut();

    std::optional<ReplayHeader> header_;
    ReplayStreamWriter stream_;
    bool started_ = false;
    bool cut_ = false;
    int lastScore_ = 0;
    int lastLevel_ = 1;
};
