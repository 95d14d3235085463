#pragma once
// Window and pad events become the form's events here, and only here: the game loop feeds it what
// SDL delivers, the replay runner what its script says (its pads are SDL's virtual controllers,
// whose events it takes from SDL's queue), so both run one code path.

#include <SDL.h>

#include <cstdint>

class TMForm;

// nowMs is the frame clock's time (the focus events restart the frame timer with it).
void HandleEvent(TMForm& form, const SDL_Event& event, uint64_t nowMs);
