#pragma once
// The race: the scrolling road and its actors, the player's car, the rocket pool and the HUD, from
// the start of a game to its end. The main form owns one and runs its frame while the race is the
// screen shown and no window lies over it; the race reaches the form's components, input and
// windows through the form. Its actors reach the race through the narrow RaceHost interface.

#include <memory>
#include <string>
#include <vector>

#include "shell/hud_sprites.h"
#include "sprites/car_items.h"
#include "sprites/race_state.h"
#include "track/track_generator.h"

class RaceHost;
class TMForm;
class TScrollBackground;

class TRaceScreen {
public:
    explicit TRaceScreen(TMForm& form);
    ~TRaceScreen();
    TRaceScreen(const TRaceScreen&) = delete;
    TRaceScreen& operator=(const TRaceScreen&) = delete;

    // Builds the race screen for the car chosen on the start-game screen and starts the first
    // level (1 unless the replay runner asks for another), with the items given picked up at
    // once (the runner's, and a recording's).
    void StartRace(int firstLevel = 1, const std::vector<CarItem>& gives = {});
    // The race's routine in a frame: the move pass, the car's keys, the needle, the clock, the
    // weapons run dry, the view, the progress marker, the road's velocity and the HUD.
    void RaceFrame(int LagCount);
    // The HUD's texts and icons; the windows over the race draw it too.
    void DrawHud();
    // Removes everything the race made; the screen shown becomes none.
    void EndRace();
    // The level's parameters and a newly generated road, shown by the background.
    void SetUpLevel(int level);
    // The background's window of tiles from the map at the view.
    void RefreshView();
    // A new or repeated level: the road from its start, the finish line not yet crossed, and the
    // road's actors placed on the new road in the order the game places them.
    void PlaceRoadActors();
    // What the race's actors may ask of the game.
    RaceHost& Host() { return *host_; }

    TrackState Track;
    RaceState Race;
    HudSprites Hud;
    TScrollBackground* CurrentBackground = nullptr;  // the race's road

private:
    void CountDownTime();
    void DropEmptyWeapons();
    void UpdateProgressMarker();
    void UpdateWorldVelocity();

    TMForm& form_;
    std::unique_ptr<RaceHost> host_;
};

// The HUD's clock: minutes and seconds, two digits each, "01 : 05".
std::string HudTime(int timeLeft);
// The HUD's lives: never below "0".
std::string HudLives(int lives);
