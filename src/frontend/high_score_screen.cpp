#include "frontend/high_score_screen.h"

#include <string>
#include <vector>

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
    // The choice of a race stays across a replay, while its row still has one.
    host_.RefreshReplays();
    if (!host_.HasReplay(ChosenRow)) ChosenRow = 0;
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
    // A row cleared from the table takes its race's mark with it.
    if (!host_.HasReplay(ChosenRow)) ChosenRow = 0;
    if (host_.KeyHit(MenuKey::Left)) ChooseRow(-1);
    if (host_.KeyHit(MenuKey::Right)) ChooseRow(1);
    if (host_.KeyHit(MenuKey::Esc)) {
        host_.ClickButton(kHighScoresBack);
    } else if (host_.KeyHit(MenuKey::Watch) && host_.WatchReplay(ChosenRow)) {
        // The replay starts with the next frame.
        host_.PlaySound(Sound::Button);
    }
    host_.Engine().MoveAll(LagCount);
    DrawScoreTable();
    DrawReplayMarks();
}

namespace {

// A row's replay mark: "REPLAY" at the left end of the name's cell, clear of a name of twelve
// letters centred in it.
constexpr int kMarkX = 387;
constexpr int kMarkHalfWidth = 26;
constexpr int kMarkHalfHeight = 15;

int RowY(int row) {
    return 220 + 36 * row;
}

}  // namespace

void THighScoreScreen::ChooseRow(int step) {
    std::vector<int> choices = {0};
    for (int row = 1; row <= 10; ++row)
        if (host_.HasReplay(row)) choices.push_back(row);
    if (choices.size() == 1) return;
    const int count = static_cast<int>(choices.size());
    int at = 0;
    while (at < count && choices[at] != ChosenRow) ++at;
    if (at == count) at = 0;
    ChosenRow = choices[(at + step + count) % count];
    host_.PlaySound(Sound::Button);
}

int THighScoreScreen::ReplayRowAt(int x, int y) const {
    for (int row = 1; row <= 10; ++row) {
        if (!host_.HasReplay(row)) continue;
        if (x >= kMarkX - kMarkHalfWidth && x <= kMarkX + kMarkHalfWidth &&
            y >= RowY(row) - kMarkHalfHeight && y <= RowY(row) + kMarkHalfHeight)
            return row;
    }
    return 0;
}

void THighScoreScreen::HoverReplayMark(int x, int y) {
    const int row = ReplayRowAt(x, y);
    if (row == 0 || row == ChosenRow) return;
    ChosenRow = row;
    host_.PlaySound(Sound::Button);
}

void THighScoreScreen::DrawReplayMarks() {
    bool anyRow = false;
    for (int row = 1; row <= 10; ++row) {
        if (!host_.HasReplay(row)) continue;
        anyRow = true;
        // The chosen row's mark stands out in the options' orange, at the same size.
        host_.SetFont(row == ChosenRow ? 23 : 2);
        host_.DrawText("REPLAY", kMarkX, RowY(row), true, true);
    }
    if (!host_.HasReplay(0) && !anyRow) return;
    host_.SetFont(2);
    const std::string what =
        ChosenRow == 0 ? "THE LAST RACE" : "RACE No. " + std::to_string(ChosenRow);
    host_.DrawText("R: WATCH " + what, 137, 548, true, true);
    if (anyRow) host_.DrawText("LEFT, RIGHT: CHOOSE A RACE", 137, 574, true, true);
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
