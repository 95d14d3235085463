#pragma once
// The main form as the race's actors see it: the narrow interface they were built against.

#include "sprites/race_host.h"

class TMForm;

class FormRaceHost final : public RaceHost {
public:
    explicit FormRaceHost(TMForm& form) : form_(form) {}

    void PlaySound(Sound sound) override;
    void StopSound(Sound sound) override;
    void OpenWindow(ModalWindow kind) override;
    void SetUpLevel(int level) override;
    void PlaceRoadActors() override;
    void Rumble(double strength, int ms) override;
    RaceState& Race() override;
    TrackState& Track() override;
    const FrameTiming& Timing() const override;
    TRandom& Random() override;
    TScrollBackground* Background() override;

private:
    TMForm& form_;
};
