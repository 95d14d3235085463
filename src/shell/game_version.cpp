#include "shell/game_version.h"

const char* GameVersion() {
    return ZARVEX_VERSION;
}
