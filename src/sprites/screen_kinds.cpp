#include "sprites/screen_kinds.h"

#include <ostream>

std::ostream& operator<<(std::ostream& out, GameScreen screen) {
    return out << static_cast<int>(screen);
}

std::ostream& operator<<(std::ostream& out, ModalWindow window) {
    return out << static_cast<int>(window);
}
