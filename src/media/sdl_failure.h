#pragma once
// SDL calls that may fail while the game runs (a texture update, a blend mode the renderer lacks,
// a lost render target) must neither crash the game nor be repeated on stderr sixty times a
// second: each kind of failure is reported once.

#include <string_view>

// Writes "Zarvex 2: <what> failed: <SDL_GetError()>" on stderr the first time `what` fails in
// this run; returns true when it wrote the line.
bool ReportSdlFailureOnce(std::string_view what);
