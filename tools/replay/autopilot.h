#pragma once
// The replay runner's driver: looks at the road ahead of the car and holds the keys a careful
// player would, so that benchmarks and soak runs can play unattended.

class TMForm;

// Sets the held keys for the coming frame (only during a race, outside windows).
void DriveAutopilot(TMForm& form);
