#include "frontend/high_score_screen.h"

#include <string>

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "persist/high_score_table.h"
#include "sprites/menu_button.h"
#include "sprites/sprite_engine.h"

void THighScoreScreen::OpenHighScores() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::HighScores;
    screens.FirstButton = 1;
    screens.LastButton = 3;
    screens.SelectedButton = kHighScoresBack;
    CreateMenuBackground(host_);

    TSpriteEngine* engine = &host_.Engine();
    TitlePicture = TMyImageSprite::CreateAt(engine, Picture::HSCaption, 364, 102, 3);
    TablePicture = TMyImageSprite::CreateAt(engine, Picture::HSTable, 274, 199, 3);
    struct ButtonPlace {
        Picture image;
        int x;
        int y;
    };
    constexpr ButtonPlace kButtons[3] = {
        {Picture::HS_Clear, 0, 245}, {Picture::HS_View, 0, 335}, {Picture::HS_Back, 52, 457}};
    for (int i = 1; i <= 3; ++i) {
        const ButtonPlace& place = kButtons[i - 1];
        screens.MenuButtons[i] =
            new TMenuButton(engine, place.image, place.image, 0, 1, place.x, place.y);
    }
}

void THighScoreScreen::CloseHighScores() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::None;
    screens.KillMenuBackground();
    screens.RemoveButtons();
    for (TMyImageSprite** picture : {&TitlePicture, &TablePicture}) {
        if (*picture != nullptr) (*picture)->Kill();
        *picture = nullptr;
    }
}

void THighScoreScreen::HighScoresFrame(int LagCount) {
    ScreenValues& screens = host_.Screens();
    screens.RefreshHighlight();
    int& selected = screens.SelectedButton;
    if (host_.KeyHit(MenuKey::Up) && selected - 1 >= screens.FirstButton) --selected;
    if (host_.KeyHit(MenuKey::Down) && selected + 1 <= screens.LastButton) ++selected;
    if (host_.KeyHit(MenuKey::Esc)) host_.ClickButton(kHighScoresBack);
    host_.Engine().MoveAll(LagCount);
    DrawScoreTable();
}

void THighScoreScreen::DrawScoreTable() {
    const THighScoreTable& table = host_.HighScores();
    // The rank numbers and headings are part of the table picture; rows are 36 pixels apart.
    for (int i = 1; i <= 10; ++i) {
        const THighScore& entry = table.Slot(i);
        host_.SetFont(2);
        host_.DrawText(entry.Name, 530, 220 + 36 * i, true, true);
        host_.SetFont(17);
        host_.DrawText(std::to_string(entry.Score), 720, 216 + 36 * i, true, true);
    }
}
