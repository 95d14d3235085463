#include "frontend/options_screen.h"

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "persist/game_options.h"
#include "sprites/menu_button.h"
#include "sprites/sprite_engine.h"

namespace {

Picture DisplayImage(const TGameOptions& options) {
    return options.FullScreen != 0 ? Picture::OptFullScreen : Picture::OptWindow;
}
Picture MusicImage(const TGameOptions& options) {
    return options.Music != 0 ? Picture::OptMusicOn : Picture::OptMusicOff;
}
Picture SoundImage(const TGameOptions& options) {
    return options.Sound != 0 ? Picture::OptSoundOn : Picture::OptSoundOff;
}

int Flipped(int flag) {
    return flag == 0 ? 1 : 0;
}

// Where the country's text starts; the cursor follows its end.
constexpr int kCountryX = 380;
constexpr int kCountryFont = 4;
constexpr int kControlsButtonX = 470;

}  // namespace

void TOptionsScreen::OpenOptions(int selected) {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::Options;
    screens.FirstButton = 1;
    screens.LastButton = kOptionsControls;
    screens.SelectedButton = selected;
    CreateMenuBackground(host_);

    TSpriteEngine* engine = &host_.Engine();
    CountryField = TMyImageSprite::CreateAt(engine, Picture::CountryEditBg, 361, 442, 3);
    // The rows show nothing until selected; their hit boxes cover the whole row, wider than
    // the highlight pictures.
    struct RowPlace {
        Picture highlight;
        int y;
        int hitWidth;
        int hitHeight;
    };
    constexpr RowPlace kRows[4] = {{Picture::Opt_1, 248, 545, 64},
                                   {Picture::Opt_2, 312, 282, 62},
                                   {Picture::Opt_3, 375, 282, 62},
                                   {Picture::Opt_4, 436, 681, 84}};
    for (int row = 1; row <= 4; ++row) {
        const RowPlace& place = kRows[row - 1];
        auto* button = new TMenuButton(engine, place.highlight, Picture::Null, 0, 0, 118, place.y);
        button->HitWidth = place.hitWidth;
        button->HitHeight = place.hitHeight;
        screens.MenuButtons[row] = button;
    }
    screens.MenuButtons[kOptionsBack] =
        new TMenuButton(engine, Picture::Opt_Bk, Picture::Opt_Bk, 0, 1, 345, 513);
    // On Back's line, under the country field's right half.
    screens.MenuButtons[kOptionsControls] =
        new TMenuButton(engine, Picture::Opt_Ctl, Picture::Opt_Ctl, 0, 1, kControlsButtonX, 513);

    const TGameOptions& options = host_.Options();
    DisplayPicture = TMyImageSprite::CreateAt(engine, DisplayImage(options), 118, 255, 3);
    MusicPicture = TMyImageSprite::CreateAt(engine, MusicImage(options), 118, 320, 3);
    SoundPicture = TMyImageSprite::CreateAt(engine, SoundImage(options), 115, 383, 3);
    screens.TextCursor = new TMyCursor(engine, Picture::Cursor, kCountryX, 491, 5, 1000);
    screens.EditingCountry = false;
}

void TOptionsScreen::CloseOptions() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::None;
    screens.RemoveButtons();
    screens.KillMenuBackground();
    for (TMyImageSprite** picture :
         {&DisplayPicture, &MusicPicture, &SoundPicture, &CountryField}) {
        if (*picture != nullptr) (*picture)->Kill();
        *picture = nullptr;
    }
    if (screens.TextCursor != nullptr) screens.TextCursor->Kill();
    screens.TextCursor = nullptr;
}

void TOptionsScreen::OptionsFrame(int LagCount) {
    ScreenValues& screens = host_.Screens();
    screens.RefreshHighlight();
    // While the country is typed, the arrows stay out of it and Esc only ends the typing.
    int escTarget = kOptionsCountry;
    if (!screens.EditingCountry) {
        int& selected = screens.SelectedButton;
        if (selected == kOptionsControls) {
            // Beside Back: Up leads to the country row as from Back, Left to Back.
            if (host_.KeyHit(MenuKey::Up)) selected = kOptionsCountry;
            if (host_.KeyHit(MenuKey::Left)) selected = kOptionsBack;
        } else {
            // The rows and Back, top to bottom, without wrapping round.
            if (host_.KeyHit(MenuKey::Up) && selected - 1 >= screens.FirstButton) --selected;
            if (host_.KeyHit(MenuKey::Down) && selected + 1 <= kOptionsBack) ++selected;
            if (host_.KeyHit(MenuKey::Right) && selected == kOptionsBack)
                selected = kOptionsControls;
        }
        escTarget = kOptionsBack;
    }
    if (host_.KeyHit(MenuKey::Esc)) host_.ClickButton(escTarget);
    host_.Engine().MoveAll(LagCount);  // the cursor blinks
    DrawScreenTitle(host_, "OPTIONS");
    DrawOptionTexts();
    // Just right of the typed text, in the font DrawOptionTexts left set.
    if (screens.TextCursor != nullptr)
        screens.TextCursor->X = kCountryX + host_.TextWidthOf(host_.Options().Country);
}

void TOptionsScreen::DrawOptionTexts() {
    const TGameOptions& options = host_.Options();
    // A switch shows in the frame it was made in.
    if (DisplayPicture != nullptr) DisplayPicture->SetImageByName(DisplayImage(options));
    if (MusicPicture != nullptr) MusicPicture->SetImageByName(MusicImage(options));
    if (SoundPicture != nullptr) SoundPicture->SetImageByName(SoundImage(options));
    host_.SetFont(13);
    host_.DrawText("Your country:", 116, 447, false, false);
    host_.SetFont(kCountryFont);
    host_.DrawText(options.Country, kCountryX, 450, false, false);
}

void TOptionsScreen::ToggleFullScreen() {
    TGameOptions& options = host_.Options();
    options.FullScreen = Flipped(options.FullScreen);
    host_.ApplyDisplayMode();
}

void TOptionsScreen::ToggleMusic() {
    TGameOptions& options = host_.Options();
    options.Music = Flipped(options.Music);
    // Off stops the song; on starts the menu song from its beginning.
    host_.StopMusic();
    host_.PlayMusic();
}

void TOptionsScreen::ToggleSound() {
    TGameOptions& options = host_.Options();
    options.Sound = Flipped(options.Sound);
}
