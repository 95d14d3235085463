#pragma once
// The instruments of the two songs, each one synthesised sample with its envelope. Pitched
// instruments are tuned so that the note C-4 plays middle C; drums play their natural sound
// at C-4.

#include "assetgen/music/xm_writer.h"

namespace music {

// Menu song.
XmInstrument SoftPad();
XmInstrument GlassBell();
XmInstrument RoundBass();
XmInstrument SoftLead();
XmInstrument WarmKeys();
XmInstrument SoftKick();
XmInstrument Snap();
XmInstrument Shaker();

// Race song.
XmInstrument Kick();
XmInstrument Snare();
XmInstrument ClosedHat();
XmInstrument OpenHat();
XmInstrument Crash();
XmInstrument SawBass();
XmInstrument SuperSawLead();
XmInstrument StringPad();
XmInstrument Stab();
XmInstrument Pluck();

}  // namespace music
