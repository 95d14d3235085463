#pragma once
// Window events become the form's events here, and only here: the game loop feeds it what SDL
// delivers, the replay runner what its script says, so both run one code path.

#include <SDL.h>

#include <cstdint>

class TMForm;

// nowMs is the frame clock's time (the focus events restart the frame timer with it).
void HandleEvent(TMForm& form, const SDL_Event& event, uint64_t nowMs);
