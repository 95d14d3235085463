#include "media/sdl_failure.h"

#include <SDL.h>

#include <cstdio>
#include <set>
#include <string>

bool ReportSdlFailureOnce(std::string_view what) {
    static std::set<std::string, std::less<>> reported;
    if (reported.contains(what)) return false;
    reported.emplace(what);
    std::fprintf(stderr, "Zarvex 2: %.*s failed: %s\n", static_cast<int>(what.size()), what.data(),
                 SDL_GetError());
    return true;
}
