#pragma once
// The replay runner's driver: looks at the road and the traffic ahead of the car and holds the
// keys a careful player would, so that benchmarks and soak runs can play unattended. It keeps to
// a free lane, brakes behind a car it cannot pass, fires a mounted weapon at the cars in its way,
// and after a lost game types a name into the high-score table. It presses the keys the player's
// bindings give the race's actions, so it drives with any controls file.

#include <SDL.h>

#include "media/controls.h"

class TMForm;

// What the driver wants that only the runner can do.
enum class AutopilotWish {
    None,
    NewRace,  // the game is back at a menu: a new race should start
};

// Sets the held keys for the coming frame during a race, outside windows; answers the name entry
// after a lost game.
AutopilotWish DriveAutopilot(TMForm& form);

// The key (its scancode on the layout in use) that holds an action: the first one bound to it, or
// SDL_SCANCODE_UNKNOWN when it has none.
SDL_Scancode FirstKeyOf(const TControls& controls, RaceAction action);
