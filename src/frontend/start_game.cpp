#include "frontend/start_game.h"

#include <string>

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "sprites/menu_button.h"

namespace {

Picture CarImage(int car) {
    return ShowroomCarPicture(car);
}

// The old picture loses this much alpha a frame: a change takes 13 frames.
constexpr int kFadeStep = 20;

}  // namespace

void TStartGameScreen::OpenStartGame() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::StartGame;
    CarChanging = false;
    screens.FirstButton = 1;
    screens.LastButton = 4;
    screens.SelectedButton = kStartGameStart;  // Enter starts the race at once
    CreateMenuBackground(host_);

    TSpriteEngine* engine = &host_.Engine();
    FramePicture = TMyImageSprite::CreateAt(engine, Picture::SG_Bk, 198, 218, 3);
    CarPictureA = TMyImageSprite::CreateAt(engine, CarImage(SelectedCar), 231, 259, 4);
    // Made after A on the same layer, so it is drawn underneath A.
    CarPictureB = TMyImageSprite::CreateAt(engine, CarImage(SelectedCar), 231, 259, 4);
    CarPictureB->Visible = false;

    struct ButtonPlace {
        Picture image;
        int x;
        int y;
    };
    constexpr ButtonPlace kButtons[4] = {{Picture::SG_Left, 198, 330},
                                         {Picture::SG_Right, 568, 328},
                                         {Picture::SG_Start, 222, 475},
                                         {Picture::SG_Back, 410, 475}};
    for (int i = 1; i <= 4; ++i) {
        const ButtonPlace& place = kButtons[i - 1];
        auto* button = new TMenuButton(engine, place.image, place.image, 0, 1, place.x, place.y);
        button->SetZ(5);
        screens.MenuButtons[i] = button;
    }
}

void TStartGameScreen::CloseStartGame() {
    ScreenValues& screens = host_.Screens();
    screens.RemoveButtons();
    screens.KillMenuBackground();
    for (TMyImageSprite** picture : {&FramePicture, &CarPictureA, &CarPictureB}) {
        if (*picture != nullptr) (*picture)->Kill();
        *picture = nullptr;
    }
    screens.ScreenState = GameScreen::None;
}

void TStartGameScreen::BeginChange() {
    CarChanging = true;
    // A change that starts in the frame right after the last swap finds the old picture still
    // faded out; it fades from the start again, or the new car would just jump in. Departs from
    // the original rule, which lets it jump (docs/departures.md).
    if (CarPictureA != nullptr) CarPictureA->Alpha = 255;
    if (CarPictureB != nullptr) {
        CarPictureB->SetImageByName(CarImage(PendingCar));
        CarPictureB->Visible = true;
    }
}

void TStartGameScreen::PreviousCar() {
    PendingCar = SelectedCar;
    PendingCar = PendingCar <= 1 || PendingCar > 6 ? 6 : PendingCar - 1;
    BeginChange();
}

void TStartGameScreen::NextCar() {
    PendingCar = SelectedCar;
    PendingCar = PendingCar < 1 || PendingCar >= 6 ? 1 : PendingCar + 1;
    BeginChange();
}

void TStartGameScreen::StartGameFrame() {
    ScreenValues& screens = host_.Screens();
    screens.RefreshHighlight();
    int& selected = screens.SelectedButton;
    // An arrow key on its own arrow button turns the car; elsewhere it moves the selection.
    if (host_.KeyHit(MenuKey::Left)) {
        if (selected == kStartGamePrevious) {
            host_.ClickButton(kStartGamePrevious);
        } else if (selected == kStartGameNext) {
            selected = kStartGamePrevious;
        } else if (selected == kStartGameBack) {
            selected = kStartGameStart;
        }
    }
    if (host_.KeyHit(MenuKey::Right)) {
        if (selected == kStartGameNext) {
            host_.ClickButton(kStartGameNext);
        } else if (selected == kStartGamePrevious) {
            selected = kStartGameNext;
        } else if (selected == kStartGameStart) {
            selected = kStartGameBack;
        }
    }
    if (host_.KeyHit(MenuKey::Up)) {
        if (selected == kStartGameStart) {
            selected = kStartGamePrevious;
        } else if (selected == kStartGameBack) {
            selected = kStartGameNext;
        }
    }
    if (host_.KeyHit(MenuKey::Down)) {
        if (selected == kStartGamePrevious) {
            selected = kStartGameStart;
        } else if (selected == kStartGameNext) {
            selected = kStartGameBack;
        }
    }

    if (CarPictureA == nullptr || CarPictureB == nullptr) return;
    if (!CarChanging) {
        for (TMyImageSprite* picture : {CarPictureA, CarPictureB}) {
            picture->AlphaMode = false;
            picture->Alpha = 255;
        }
        CarPictureA->Visible = true;
        CarPictureB->Visible = false;
        return;
    }
    // A fades out over the new car on B; once A is gone it takes the new car itself.
    CarPictureA->AlphaMode = true;
    CarPictureB->AlphaMode = true;
    CarPictureA->Alpha -= kFadeStep;
    if (CarPictureA->Alpha <= 0) {
        CarPictureA->SetImageByName(CarImage(PendingCar));
        CarChanging = false;
        SelectedCar = PendingCar;
    }
}
