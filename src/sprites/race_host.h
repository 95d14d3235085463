#pragma once
// All a race actor may ask of the running game: play and stop sounds, open a window, change the
// level, and reach the race's shared values, the road map with its view, the frame timing, the
// random generator and the scrolling road. The main form implements it; an actor's test can run
// against a small fake instead.

#include <string>

#include "media/frame_timing.h"
#include "sprites/race_state.h"
#include "track/random.h"
#include "track/track_generator.h"

class TScrollBackground;

class RaceHost {
public:
    virtual ~RaceHost() = default;

    virtual void PlaySound(const std::string& name) = 0;
    virtual void StopSound(const std::string& name) = 0;
    // One of the window kinds of screen_kinds.h; a request while a window is open is dropped.
    virtual void OpenWindow(int kind) = 0;
    // The level's parameters and a newly generated road, shown from its start.
    virtual void SetUpLevel(int level) = 0;

    virtual RaceState& Race() = 0;
    virtual TrackState& Track() = 0;
    virtual const FrameTiming& Timing() const = 0;
    virtual TRandom& Random() = 0;
    // The race's scrolling road; nullptr outside the race.
    virtual TScrollBackground* Background() = 0;
};
