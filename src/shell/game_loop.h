#pragma once
// The game's real-time loop: window events become the form's events, and whenever the event
// queue is empty and the game is active, the frame timer runs one frame.

class TMForm;

// Runs until the game ends; returns the process exit status.
int RunGameLoop(TMForm& form);

// The whole game: SDL start-up, the form's start-up sequence, the loop, and a clear message
// instead of a crash when something fails. Returns the process exit status.
int RunGame();
