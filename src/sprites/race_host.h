#pragma once
// All a race actor may ask of the running game: play and stop sounds, open a window, change the
// level, shake the pad, and reach the race's shared values, the road map with its view, the frame
// timing, the random generator and the scrolling road. The main form implements it; an actor's test
// can run against a small fake instead.

#include "catalogue/sounds.h"
#include "core/random.h"
#include "media/frame_timing.h"
#include "sprites/race_state.h"
#include "sprites/screen_kinds.h"
#include "track/track_generator.h"

class TScrollBackground;

// The pad's shakes: a short half-strength pulse when the car takes a hit, a long full one when it
// blows up (the longer shake wins when the third hit blows it up).
constexpr double kHitRumbleStrength = 0.5;
constexpr int kHitRumbleMs = 150;
constexpr double kBlowUpRumbleStrength = 1.0;
constexpr int kBlowUpRumbleMs = 600;

class RaceHost {
public:
    virtual ~RaceHost() = default;

    virtual void PlaySound(Sound sound) = 0;
    virtual void StopSound(Sound sound) = 0;
    // One of the window kinds of screen_kinds.h; a request while a window is open is dropped.
    virtual void OpenWindow(ModalWindow kind) = 0;
    // The level's parameters and a newly generated road, shown from its start.
    virtual void SetUpLevel(int level) = 0;
    // A new or repeated level: the road from its start, the finish line not yet crossed, and the
    // road's actors (bonuses, crowd, lamps, traffic, finish line, in that order) placed on the
    // new road. Whoever owns the actors places them; the car only asks.
    virtual void PlaceRoadActors() = 0;
    // Shakes the player's pad, strength 0 to 1 for ms milliseconds; a new shake replaces one
    // still running. Nothing happens without a pad.
    virtual void Rumble(double strength, int ms) = 0;

    virtual RaceState& Race() = 0;
    virtual TrackState& Track() = 0;
    virtual const FrameTiming& Timing() const = 0;
    virtual TRandom& Random() = 0;
    // The race's scrolling road; nullptr outside the race.
    virtual TScrollBackground* Background() = 0;
};
