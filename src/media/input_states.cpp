#include "media/input_states.h"

SDL_Scancode TInputStates::BindingOf(int state) {
    switch (state) {
        case kStateUp:
            return SDL_SCANCODE_UP;
        case kStateDown:
            return SDL_SCANCODE_DOWN;
        case kStateLeft:
            return SDL_SCANCODE_LEFT;
        case kStateRight:
            return SDL_SCANCODE_RIGHT;
        case kStateH:
            return SDL_SCANCODE_H;
        case kStateP:
            return SDL_SCANCODE_P;
        case kStateY:
            return SDL_SCANCODE_Y;
        case kStateN:
            return SDL_SCANCODE_N;
        case kStateEsc:
            return SDL_SCANCODE_ESCAPE;
        case kStateSpace:
            return SDL_SCANCODE_SPACE;
        case kStateEnter:
            return SDL_SCANCODE_RETURN;
        case kStateZ:
            return SDL_SCANCODE_Z;
        case kStateX:
            return SDL_SCANCODE_X;
        case kStateC:
            return SDL_SCANCODE_C;
        case kStateV:
            return SDL_SCANCODE_V;
        case kStateB:
            return SDL_SCANCODE_B;
        case kStateDigit0:
            return SDL_SCANCODE_0;
        default:
            break;
    }
    // The digit keys 1 to 9 lie in a row of consecutive scancodes.
    if (state >= kStateDigit1 && state < kStateDigit1 + 9) {
        return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (state - kStateDigit1));
    }
    return SDL_SCANCODE_UNKNOWN;
}

void TInputStates::Refresh(const Uint8* keys, int keyCount) {
    for (int state = 0; state < kInputStateCount; ++state) {
        const SDL_Scancode key = BindingOf(state);
        states_[state] =
            keys != nullptr && key != SDL_SCANCODE_UNKNOWN && key < keyCount && keys[key] != 0;
    }
}

void TInputStates::MergePad(const PadControls& held) {
    for (int control = 0; control < kPadControlCount; ++control) {
        if (!held[control]) continue;
        const int state = PadMenuBinding(static_cast<PadControl>(control));
        if (state >= 0 && state < kInputStateCount) states_[state] = true;
    }
}
