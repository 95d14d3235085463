// The race screen: building it, its per-frame routine (move pass, controls, needle, clock, view,
// progress marker, world velocity, HUD), the level change's placing of the road's actors, and
// tearing it down.

#include "shell/race_screen.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/rounding.h"
#include "shell/form.h"
#include "shell/form_race_host.h"
#include "sprites/bonus.h"
#include "sprites/crowd.h"
#include "sprites/finish.h"
#include "sprites/lamp.h"
#include "sprites/player.h"
#include "sprites/pointer.h"
#include "sprites/rocket.h"
#include "sprites/scroll_background.h"
#include "sprites/traffic.h"
#include "track/tile_patterns.h"

TRaceScreen::TRaceScreen(TMForm& form) : form_(form), host_(std::make_unique<FormRaceHost>(form)) {}

TRaceScreen::~TRaceScreen() = default;

void TRaceScreen::SetUpLevel(int level) {
    TTrackGenerator generator(Track, form_.Components.Random);
    generator.SetUpLevel(level);
    RefreshView();
}

void TRaceScreen::RefreshView() {
    if (CurrentBackground == nullptr) return;
    for (int r = Track.ViewRow; r <= Track.ViewRow + 10; ++r)
        for (int c = Track.ViewCol; c <= Track.ViewCol + 13; ++c)
            CurrentBackground->SetCell(c - Track.ViewCol, r - Track.ViewRow,
                                       TilePatternAt(Track.TrackMap, r, c));
}

void TRaceScreen::StartRace(int firstLevel, const std::vector<CarItem>& gives) {
    // Before the first draw from the random generator: the recording starts from its state.
    form_.NoteRaceStart(firstLevel, gives);
    ScreenValues& screens = form_.Screens;
    FormComponents& components = form_.Components;
    screens.ScreenState = GameScreen::Race;
    components.PlayMusic(Song::Race);
    components.HideSystemCursor();
    screens.FirstButton = 1;
    screens.LastButton = 0;
    screens.SelectedButton = 0;

    TSpriteEngine* engine = &components.MDXSpriteEngine;
    CurrentBackground = new TScrollBackground(engine, Picture::Tiles, 13, 10, host_.get());
    CurrentBackground->SetImage(Picture::Tiles);
    CurrentBackground->X = 0;
    CurrentBackground->Y = 0;
    SetUpLevel(firstLevel);

    // The road's actors, in this order: they move in it, each before the car, and place
    // themselves from the level's map with the random generator in turn. (A new level places
    // them in an order of its own: PlaceRoadActors.)
    Race.Lamps = new TLamp(engine, Host());
    Race.Crowd = new TMan(engine, Host());
    Race.Bonuses = new TBonus(engine, Host());
    Race.Traffic = new TCar(engine, Host());
    Race.Finish = new TFinish(engine, Host());

    Hud.Panel = TMyImageSprite::CreateAt(engine, Picture::Panel, 610, 0, 11);
    Hud.Needle = new TPointer(engine, Picture::Pointer, 641, 509, 12);
    Hud.Needle->NeedlePivotX = 641;
    Hud.Needle->NeedlePivotY = 509;
    Hud.Needle->NeedleCenterX = 1.04;
    Hud.Needle->NeedleCenterY = 0.5;
    Hud.ProgressMarker = TMyImageSprite::CreateAt(engine, Picture::SmallCar, 773, 177, 12);
    Hud.Needle->NeedleAngle = -28;
    Hud.EnergyGauge = TMyImageSprite::CreateAt(engine, Picture::Energy, 672, 558, 12);
    Hud.NitroIcon = TMyImageSprite::CreateAt(engine, Picture::BonusNitro, 628, 363, 12);
    Hud.NitroIcon->Visible = false;
    Hud.WeaponIcon = TMyImageSprite::CreateAt(engine, Picture::BonusM, 627, 251, 12);
    Hud.WeaponIcon->Visible = false;

    Race.Player = new TPlayer(engine, Host(), form_.FrontEnd.StartGame.SelectedCar);
    CurrentBackground->SolidListener = Race.Player;
    CreateRocketPool(engine, Host(), Race);
    DrawHud();
    Race.Lives = 3;
    Race.Score = 0;
    form_.OpenWindow(ModalWindow::LevelBanner);
    for (CarItem item : gives) Race.Player->PickUp(item);
}

// A level change places the bonuses before the crowd (the race's start, the other way round): both
// draw from the random generator, so the order decides where everything lies for a seed.
void TRaceScreen::PlaceRoadActors() {
    if (TScrollBackground* road = host_->Background(); road != nullptr) {
        road->X = 0;
        road->Y = 0;
    }
    if (Race.Finish != nullptr) Race.Finish->Crossed = false;
    if (Race.Bonuses != nullptr) Race.Bonuses->PlaceBonuses();
    if (Race.Crowd != nullptr) Race.Crowd->PlaceCrowd();
    if (Race.Lamps != nullptr) Race.Lamps->Reset();
    if (Race.Traffic != nullptr) Race.Traffic->PlaceTraffic();
    if (Race.Finish != nullptr) Race.Finish->PlaceFinish();
}

namespace {

// The needle follows the speed; it dips by one step during a gear change.
int NeedleAngleFor(const TPlayer& car) {
    int angle = Round(car.CarSpeed * 1.15 - 28);
    if (angle < -28) angle = -28;
    if (car.EngineSoundFlags.Shift) angle -= 1;
    return angle;
}

}  // namespace

void TRaceScreen::RaceFrame(int LagCount) {
    form_.Components.MDXSpriteEngine.MoveAll(LagCount);
    const InputValues& input = form_.Input;
    TPlayer* car = Race.Player;
    if (car == nullptr) return;

    // The car's move step has already run: it always acts on the previous frame's keys. The
    // race's input states come from the player's bindings (media/controls.h).
    const RaceInputStates& controls = input.Race;
    car->KeyLeft = controls.IsHeld(RaceAction::Left);
    car->KeyRight = controls.IsHeld(RaceAction::Right);
    car->KeyUp = controls.IsHeld(RaceAction::Accelerate);
    car->KeyDown = controls.IsHeld(RaceAction::Brake);
    car->KeyHandbrake = controls.IsHeld(RaceAction::Handbrake);
    car->KeyFire = controls.IsHeld(RaceAction::Fire);
    car->KeyNitro = controls.IsHeld(RaceAction::Nitro);
    car->KeyHorn = controls.IsHeld(RaceAction::Horn);

    if (Hud.Needle != nullptr) Hud.Needle->NeedleAngle = NeedleAngleFor(*car);
    CountDownTime();
    DropEmptyWeapons();
    RefreshView();
    UpdateProgressMarker();
    UpdateWorldVelocity();
    DrawHud();
    CullRockets(Race);

    if (controls.IsHit(RaceAction::Leave)) form_.OpenWindow(ModalWindow::ExitToMenu);
    if (controls.IsHit(RaceAction::Pause)) form_.OpenWindow(ModalWindow::Pause);
}

void TRaceScreen::CountDownTime() {
    TPlayer* car = Race.Player;
    int& timeLeft = Track.Level.TimeLeft;
    const int frameMs = form_.Timing.FrameMs;
    // One tick for each whole second that passes during the last ten.
    if (timeLeft <= 10000 && (timeLeft + frameMs) / 1000 > timeLeft / 1000)
        form_.Components.PlaySound(Sound::Tick);
    if (!car->TimeUp && !FinishCrossed(Race) && timeLeft - frameMs >= 0) timeLeft -= frameMs;
    if (frameMs + 1 >= timeLeft) car->TimeUp = true;
}

void TRaceScreen::DropEmptyWeapons() {
    TPlayer* car = Race.Player;
    // A weapon is dropped as the item it came from; with none mounted there is nothing to drop.
    if (car->Ammo <= 0 && car->Weapon == WeaponKind::MachineGun) car->DropItem(CarItem::MachineGun);
    if (car->Ammo <= 0 && car->Weapon == WeaponKind::Rockets) car->DropItem(CarItem::Rockets);
    if (!(car->NitroFuel > 0)) car->DropItem(CarItem::Nitro);
}

void TRaceScreen::UpdateProgressMarker() {
    TMyImageSprite* marker = Hud.ProgressMarker;
    if (marker == nullptr) return;
    const double h = marker->Height;
    const double span = Track.Level.TrackLength - 60;
    double y = (216 - h) - (201 - h) * (1490 - Track.ViewRow) / (span != 0 ? span : 1);
    if (y < 15) y = 15;
    marker->Y = y;
}

void TRaceScreen::UpdateWorldVelocity() {
    if (Race.Player != nullptr) Race.Player->UpdateWorldVelocity();
}

std::string HudTime(int timeLeft) {
    const int minutes = timeLeft / 60000;
    const int seconds = (timeLeft / 1000) % 60;
    char text[32];
    std::snprintf(text, sizeof text, "%02d : %02d", minutes, seconds);
    return text;
}

std::string HudLives(int lives) {
    return lives < 0 ? "0" : std::to_string(lives);
}

namespace {

// The window shows the surface only up to x 792. The lives and the nitro stand so far right that a
// figure of two (lives) or three (nitro) digits, centred where the HUD's rule puts it, would reach
// past that edge: they are set flush with the right end of their windows instead, where one digit
// of lives stands as it did and wider figures grow to the left. (Departs from the original rule,
// which centres them on x 775 and x 760: docs/departures.md.)
constexpr double kHudFlushRight = 786;

}  // namespace

void TRaceScreen::DrawHud() {
    const TPlayer* car = Race.Player;
    FormComponents& components = form_.Components;
    components.SetFont(18);
    components.DrawText("LEVEL " + std::to_string(Track.Level.LevelNumber), 690, 28, true, true);
    components.DrawText(HudTime(Track.Level.TimeLeft), 705, 117, true, true);
    components.DrawText(std::to_string(Race.Score), 692, 202, true, true);
    const std::string lives = HudLives(Race.Lives);
    components.DrawText(lives, kHudFlushRight - components.TextWidthOf(lives), 327, false, true);
    if (car == nullptr) return;
    if (Hud.EnergyGauge != nullptr)
        Hud.EnergyGauge->FramePos = car->Energy >= 0 && car->Energy <= 3 ? 3 - car->Energy : 3;
    if (Hud.NitroIcon != nullptr) {
        Hud.NitroIcon->Visible = car->HasNitro;
        if (car->HasNitro) {
            const std::string fuel = std::to_string(Round(car->NitroFuel));
            components.DrawText(fuel, kHudFlushRight - components.TextWidthOf(fuel), 384, false,
                                true);
        }
    }
    if (Hud.WeaponIcon != nullptr) {
        if (car->Weapon == WeaponKind::MachineGun) Hud.WeaponIcon->SetImageByName(Picture::BonusM);
        if (car->Weapon == WeaponKind::Rockets) Hud.WeaponIcon->SetImageByName(Picture::BonusR);
        Hud.WeaponIcon->Visible = car->Weapon != WeaponKind::None;
        if (car->Weapon != WeaponKind::None)
            components.DrawText(std::to_string(car->Ammo), 763, 272, true, true);
    }
}

void TRaceScreen::EndRace() {
    // The race as it ended, for its recording.
    form_.NoteRaceEnd();
    form_.Screens.ScreenState = GameScreen::None;
    if (CurrentBackground != nullptr) {
        CurrentBackground->Kill();
        CurrentBackground = nullptr;
    }
    TPlayer* car = Race.Player;
    if (car != nullptr) car->MuteCarSounds(true);
    for (TMyImageSprite* actor :
         {static_cast<TMyImageSprite*>(Race.Lamps), static_cast<TMyImageSprite*>(Race.Crowd),
          static_cast<TMyImageSprite*>(Race.Bonuses), static_cast<TMyImageSprite*>(Race.Traffic),
          static_cast<TMyImageSprite*>(Race.Finish)})
        if (actor != nullptr) actor->Kill();
    Race.Lamps = nullptr;
    Race.Crowd = nullptr;
    Race.Bonuses = nullptr;
    Race.Traffic = nullptr;
    Race.Finish = nullptr;
    for (TMyImageSprite* hud : {Hud.Panel, static_cast<TMyImageSprite*>(Hud.Needle),
                                Hud.ProgressMarker, Hud.EnergyGauge, Hud.NitroIcon, Hud.WeaponIcon})
        if (hud != nullptr) hud->Kill();
    Hud.Panel = nullptr;
    Hud.Needle = nullptr;
    Hud.ProgressMarker = Hud.EnergyGauge = Hud.NitroIcon = Hud.WeaponIcon = nullptr;
    if (car != nullptr) {
        for (TMyImageSprite* part : {car->NitroFlameLeft, car->NitroFlameRight, car->WeaponSprite})
            if (part != nullptr) part->Kill();
        car->Kill();
    }
    Race.Player = nullptr;
    KillRocketPool(Race);
    Race.WorldVelocityX = Race.WorldVelocityY = 0;
    form_.Components.MDXSpriteEngine.SweepDead();
}
