#pragma once
// Holds a watched replay to the pace it was recorded at. Each frame of the window adds the time
// that passed (four times as much while fast forward is held); a recorded frame is due once the
// time owed reaches half its LagCount, and then takes its whole LagCount from the debt. A replay
// watched at the refresh rate it was recorded at thus plays one recorded frame in each frame
// shown, however the two clocks jitter; at a lower rate it plays some frames two at a time (only
// the last of them is shown), at a higher one it shows some frames twice.

class ReplayPacer {
public:
    static constexpr int kFastForward = 4;
    // At most this many recorded frames in one frame of the window (times kFastForward while
    // fast forward is held), and at most this much time owed: after the game was held up, the
    // replay goes on from where it was instead of racing to catch up.
    static constexpr int kMostFrames = 8;
    static constexpr int kMostOwedMs = 250;

    void Start() { owedMs_ = 0; }
    // A frame of the window, `elapsedMs` after the previous one.
    void Pass(int elapsedMs, bool fast);
    // Whether the next recorded frame, of `lagCount` ms, is due now; when it is, its time is
    // taken from the debt.
    bool TakeIfDue(int lagCount);
    int OwedMs() const { return owedMs_; }

private:
    int owedMs_ = 0;
};
