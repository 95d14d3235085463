#pragma once
// The start-game screen: the player picks one of six cars between two arrow buttons, the old
// picture cross-fading into the new one, then starts the race or goes back to the main menu.

class MenuHost;
class TMyImageSprite;

// The screen's buttons.
enum StartGameButton {
    kStartGamePrevious = 1,
    kStartGameNext = 2,
    kStartGameStart = 3,
    kStartGameBack = 4,
};

class TStartGameScreen {
public:
    explicit TStartGameScreen(MenuHost& host) : host_(host) {}

    void OpenStartGame();
    void CloseStartGame();
    // Start the change to the car before or after the chosen one, 6 and 1 being neighbours.
    void PreviousCar();
    void NextCar();
    // The screen's routine for one frame with no window open.
    void StartGameFrame();

    // The chosen car, 1 to 6, kept for the whole run; the race builds the player's car from it.
    int SelectedCar = 1;
    // The car fading in while CarChanging is set.
    int PendingCar = 1;
    bool CarChanging = false;

    TMyImageSprite* FramePicture = nullptr;
    // A shows the chosen car; B, underneath it, the car fading in while A fades out.
    TMyImageSprite* CarPictureA = nullptr;
    TMyImageSprite* CarPictureB = nullptr;

private:
    void BeginChange();

    MenuHost& host_;
};
