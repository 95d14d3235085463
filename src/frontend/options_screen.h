#pragma once
// The options screen: full screen or window, music on or off, sound on or off, each switched by
// clicking its row and in effect at once, and the player's country, typed into a field with a
// blinking cursor while its row is switched to typing. Beside Back, a button leads to the race's
// controls.

class MenuHost;
class TMyImageSprite;

// The screen's buttons: the four rows, Back, and the way to the controls screen.
enum OptionsButton {
    kOptionsDisplay = 1,
    kOptionsMusic = 2,
    kOptionsSound = 3,
    kOptionsCountry = 4,
    kOptionsBack = 5,
    kOptionsControls = 6,
};

class TOptionsScreen {
public:
    explicit TOptionsScreen(MenuHost& host) : host_(host) {}

    // Opens with Back selected, or with the controls button on the way back from there.
    void OpenOptions(int selected = kOptionsBack);
    void CloseOptions();
    // The screen's routine for one frame with no window open.
    void OptionsFrame(int LagCount);
    // The pictures and texts that follow the settings; also drawn while a window lies over the
    // screen, so that it stays whole underneath.
    void DrawOptionTexts();

    // The rows' actions.
    void ToggleFullScreen();
    void ToggleMusic();
    void ToggleSound();

    TMyImageSprite* CountryField = nullptr;
    TMyImageSprite* DisplayPicture = nullptr;
    TMyImageSprite* MusicPicture = nullptr;
    TMyImageSprite* SoundPicture = nullptr;

private:
    MenuHost& host_;
};
