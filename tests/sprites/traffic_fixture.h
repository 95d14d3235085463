#pragma once
// The traffic without the main form: a fake race on a straight road (the columns 321 to 324 of
// every row hold 1 2 3 4), the traffic sprite over it, and, where a test needs one, the player's
// car at its place on the screen with a plain rectangular outline.

#include <gtest/gtest.h>

#include "fake_race_host.h"
#include "sprites/finish.h"
#include "sprites/player.h"
#include "sprites/rocket.h"
#include "sprites/traffic.h"

class TrafficTest : public ::testing::Test {
protected:
    static constexpr int kLeftEdge = 321;
    static constexpr int kRightEdge = 324;

    void SetUp() override {
        TrackState& track = *host.track;
        track.TrackMap.Fill(0);
        for (int r = 1; r <= kTrackRows; ++r)
            for (int k = 0; k < 4; ++k) track.TrackMap.Set(r, kLeftEdge + k, int8_t(1 + k));
        track.Level = LevelParamsFor(1);
        track.ViewCol = 318;
        track.ViewRow = 1400;  // inside level 1's road, rows 1200 to 1499
        traffic = new TCar(&host.engine, host);
        host.race.Traffic = traffic;
    }

    // The screen's top-left corner in the world.
    double OriginX() const { return host.track->ViewCol * 72.0; }
    double OriginY() const { return host.track->ViewRow * 72.0; }

    // Empties every slot but the first, and puts a car there with its picture's top-left at the
    // screen point (sx, sy).
    TCarSlot& OnlyCar(int model, int dir, int speed, double sx, double sy) {
        for (TCarSlot& slot : traffic->Slots) slot = TCarSlot{};
        TCarSlot& car = traffic->Slot(1);
        car.Model = model;
        car.Dir = dir;
        car.Speed = speed;
        car.PosX = OriginX() + sx;
        car.PosY = OriginY() + sy;
        car.OnScreen = true;
        return car;
    }

    // The player's car at (365, 400), standing, its outline the rectangle x 370..430, y 410..560.
    TPlayer* AddPlayer() {
        player = new TPlayer(&host.engine, host, 1);
        host.race.Player = player;
        player->Footprint = {TPointD{370, 410}, TPointD{430, 410}, TPointD{370, 560},
                             TPointD{430, 560}};
        return player;
    }

    void Step() { traffic->MoveStep(1); }

    // The finish line of the level, passed or not; it joins the race on first use.
    void SetCrossed(bool crossed) {
        if (host.race.Finish == nullptr) host.race.Finish = new TFinish(&host.engine, host);
        host.race.Finish->Crossed = crossed;
    }

    FakeRaceHost host;
    TCar* traffic = nullptr;  // owned by the engine
    TPlayer* player = nullptr;
};
