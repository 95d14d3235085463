#include "shell/form_race_host.h"

#include "shell/form.h"

void FormRaceHost::PlaySound(Sound sound) {
    form_.Components.PlaySound(sound);
}
void FormRaceHost::StopSound(Sound sound) {
    form_.Components.StopSound(sound);
}
void FormRaceHost::OpenWindow(ModalWindow kind) {
    form_.OpenWindow(kind);
}
void FormRaceHost::SetUpLevel(int level) {
    form_.RaceScreen.SetUpLevel(level);
}
void FormRaceHost::PlaceRoadActors() {
    form_.RaceScreen.PlaceRoadActors();
}
void FormRaceHost::Rumble(double strength, int ms) {
    form_.Components.GamePad.Rumble(strength, ms);
}
RaceState& FormRaceHost::Race() {
    return form_.RaceScreen.Race;
}
TrackState& FormRaceHost::Track() {
    return form_.RaceScreen.Track;
}
const FrameTiming& FormRaceHost::Timing() const {
    return form_.Timing;
}
TRandom& FormRaceHost::Random() {
    return form_.Components.Random;
}
TScrollBackground* FormRaceHost::Background() {
    return form_.Screens.ScreenState == GameScreen::Race ? form_.RaceScreen.CurrentBackground
                                                         : nullptr;
}
