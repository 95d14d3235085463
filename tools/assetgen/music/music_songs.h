#pragma once
// The two songs as modules, before they are written out. Each plays an intro once and then
// loops: its last section jumps back to the first section after the intro. The measuring
// tools read the order list and tempo to know where each section lies in a rendering.

#include "assetgen/music/xm_writer.h"

namespace music {

// 116 BPM in F, calm and inviting.
XmModule MenuModule();
// 150 BPM in A minor, driving.
XmModule RaceModule();

}  // namespace music
