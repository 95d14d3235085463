#pragma once
// A race on the headless form, driven frame by frame with held keys, at the refresh rate given as
// the test parameter (85 Hz is the rate the game is tuned for; 60 Hz scales every step by 85/60).

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shell/form.h"
#include "sprites/finish.h"
#include "sprites/player.h"
#include "sprites/scroll_background.h"
#include "support/sound_log.h"
#include "support/test_assets.h"

class PlayerRaceTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        sounds = std::make_shared<SoundLog>();
        form = MakeTestForm(GetParam(), 1, sounds);
        form->Timing.RefreshRate = GetParam();
        form->Timing.Recompute();
        form->RaceScreen.StartRace();
        form->CloseWindow();  // the level banner
        car = form->RaceScreen.Race.Player;
        ASSERT_NE(car, nullptr);
        // Plenty of time and a finish line at the far end of the map, so that neither ends a
        // driving test.
        form->RaceScreen.Track.Level.TimeLeft = 10'000'000;
        form->RaceScreen.Track.Level.TrackLength = kTrackRows;
        form->RaceScreen.Race.Finish->PlaceFinish();
    }

    // Turns the whole map into road: the car can drive anywhere without an edge or a barrier.
    void OpenRoad() {
        form->RaceScreen.Track.TrackMap.Fill(2);
        form->RaceScreen.RefreshView();
    }
    // Plain ground everywhere: no cell is drivable, none is solid.
    void OpenGround() {
        form->RaceScreen.Track.TrackMap.Fill(0);
        form->RaceScreen.RefreshView();
    }

    double FrameScale() const { return form->Timing.FrameScale; }
    int FrameMs() const { return form->Timing.FrameMs; }

    void Frame() { form->FrameHandler(form->Timing.FrameMs); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // The race copies the held keys into the car after its move, so a key pressed now is
    // latched by one frame and acts from the frame after.
    void Press(std::initializer_list<SDL_Scancode> keys) {
        for (SDL_Scancode key : keys) form->FormKeyDown(key, false);
        Frame();
    }
    void Release(std::initializer_list<SDL_Scancode> keys) {
        for (SDL_Scancode key : keys) form->FormKeyUp(key);
        Frame();
    }
    void ReleaseAll() {
        Release({SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT,
                 SDL_SCANCODE_SPACE, SDL_SCANCODE_X, SDL_SCANCODE_H});
    }
    // Puts the car at a speed as the move step left it (the world follows from the next frame).
    void SetSpeed(double speed) {
        car->CarSpeed = speed;
        car->Velocity = speed / 10;
    }
    // Runs frames until the condition holds; false when it did not within the limit.
    template <typename Condition>
    bool RunUntil(Condition done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Frame();
        }
        return done();
    }

    std::shared_ptr<SoundLog> sounds;
    std::unique_ptr<TMForm> form;
    TPlayer* car = nullptr;
};

inline std::string RateName(const ::testing::TestParamInfo<int>& info) {
    return std::to_string(info.param) + "Hz";
}
