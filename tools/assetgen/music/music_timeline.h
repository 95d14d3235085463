#pragma once
// Where each section of a song lies in time: the song followed order by order as a module
// player follows it (speed and tempo changes, pattern breaks and jumps), until it comes back to
// a place it has already played, which is where it loops.

#include <vector>

#include "assetgen/music/xm_writer.h"

namespace music {

struct SectionSpan {
    int order = 0;  // position in the order list
    int pattern = 0;
    double start = 0.0;  // seconds from the song's start
    double end = 0.0;
};

struct SongTimeline {
    std::vector<SectionSpan> sections;  // the first pass: intro and one turn of the loop
    int loopOrder = -1;                 // the order the song returns to; -1: it ends
    double loopStart = 0.0;             // seconds at which that order first began
    double length = 0.0;                // end of the first pass
    double LoopSeconds() const { return length - loopStart; }
};

SongTimeline TimelineOf(const XmModule& module);

}  // namespace music
