#pragma once
// The game's version, as the build names it ("2.0"): `zarvex2 --version` says it, and every
// recording carries it, for a race plays out the same only in the version that recorded it.

const char* GameVersion();
