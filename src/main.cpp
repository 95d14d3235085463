// Zarvex 2: a top-down arcade racing game.

#include "shell/game_loop.h"

int main() {
    return RunGame();
}
