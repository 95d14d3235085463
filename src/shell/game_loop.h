#pragma once
// The game's real-time loop: window events become the form's events, and whenever the event
// queue is empty and the game is active, the frame timer runs one frame.

#include <string>

class TMForm;

// Runs until the game ends; returns the process exit status.
int RunGameLoop(TMForm& form);

// The whole game: SDL start-up, the form's start-up sequence, the loop, and a clear message
// instead of a crash when something fails. With a recording's path, the game opens by playing
// it, and goes on to the main menu at its end. Returns the process exit status.
int RunGame(const std::string& replayPath = {});
