#pragma once
// The replay runner's driver: looks at the road and the traffic ahead of the car and holds the
// keys a careful player would, so that benchmarks and soak runs can play unattended. It keeps to
// a free lane, brakes behind a car it cannot pass, fires a mounted weapon at the cars in its way,
// and after a lost game types a name into the high-score table.

class TMForm;

// What the driver wants that only the runner can do.
enum class AutopilotWish {
    None,
    NewRace,  // the game is back at a menu: a new race should start
};

// Sets the held keys for the coming frame during a race, outside windows; answers the name entry
// after a lost game.
AutopilotWish DriveAutopilot(TMForm& form);
