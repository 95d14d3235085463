#include "shell/replay_pacer.h"

#include <algorithm>

void ReplayPacer::Pass(int elapsedMs, bool fast) {
    const int speed = fast ? kFastForward : 1;
    owedMs_ = std::min(owedMs_ + std::max(elapsedMs, 0) * speed, kMostOwedMs * speed);
}

bool ReplayPacer::TakeIfDue(int lagCount) {
    if (owedMs_ * 2 < lagCount) return false;
    owedMs_ -= lagCount;
    return true;
}
