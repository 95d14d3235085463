#include "shell/form_race_host.h"

#include "shell/form.h"

void FormRaceHost::PlaySound(Sound sound) {
    form_.PlaySound(sound);
}
void FormRaceHost::StopSound(Sound sound) {
    form_.StopSound(sound);
}
void FormRaceHost::OpenWindow(int kind) {
    form_.OpenWindow(kind);
}
void FormRaceHost::SetUpLevel(int level) {
    form_.SetUpLevel(level);
}
void FormRaceHost::Rumble(double strength, int ms) {
    form_.GamePad.Rumble(strength, ms);
}
RaceState& FormRaceHost::Race() {
    return form_.Race;
}
TrackState& FormRaceHost::Track() {
    return form_.Track;
}
const FrameTiming& FormRaceHost::Timing() const {
    return form_.Timing;
}
TRandom& FormRaceHost::Random() {
    return form_.Random;
}
TScrollBackground* FormRaceHost::Background() {
    return form_.Screens.ScreenState == kScreenRace ? form_.CurrentBackground : nullptr;
}
