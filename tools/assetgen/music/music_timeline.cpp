#include "assetgen/music/music_timeline.h"

#include <set>
#include <utility>

namespace music {

SongTimeline TimelineOf(const XmModule& module) {
    SongTimeline timeline;
    int speed = module.speed;
    int bpm = module.bpm;
    double seconds = 0.0;
    int order = 0;
    int row = 0;
    std::set<std::pair<int, int>> visited;  // (order, first row) of every section played
    const auto orderCount = static_cast<int>(module.orders.size());
    while (order < orderCount) {
        if (!visited.insert({order, row}).second) {
            timeline.loopOrder = order;
            for (const SectionSpan& span : timeline.sections) {
                if (span.order == order) {
                    timeline.loopStart = span.start;
                    break;
                }
            }
            break;
        }
        const int pattern = module.orders[static_cast<size_t>(order)];
        const XmPattern& cells = module.patterns.at(static_cast<size_t>(pattern));
        SectionSpan span{order, pattern, seconds, seconds};
        int nextOrder = order + 1;
        int nextRow = 0;
        for (; row < cells.rows; ++row) {
            bool leave = false;
            for (int channel = 0; channel < cells.channels; ++channel) {
                const XmCell& cell = cells.At(row, channel);
                if (cell.effect == kXmSetSpeed && cell.param > 0) {
                    if (cell.param < 32) {
                        speed = cell.param;
                    } else {
                        bpm = cell.param;
                    }
                } else if (cell.effect == kXmPositionJump) {
                    nextOrder = cell.param;
                    leave = true;
                } else if (cell.effect == kXmPatternBreak) {
                    nextRow = (cell.param >> 4U) * 10 + (cell.param & 0xFU);
                    leave = true;
                }
            }
            // One row lasts `speed` ticks of 2.5 / bpm seconds.
            seconds += speed * 2.5 / bpm;
            if (leave) break;
        }
        span.end = seconds;
        timeline.sections.push_back(span);
        order = nextOrder;
        row = nextRow;
    }
    timeline.length = seconds;
    return timeline;
}

}  // namespace music
