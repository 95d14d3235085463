#pragma once
// The high-score screen: the local top ten over the table picture, with Clear (after a Yes/No
// question), View online and Back.

class MenuHost;
class TMyImageSprite;

// The screen's buttons.
enum HighScoreButton {
    kHighScoresClear = 1,
    kHighScoresView = 2,
    kHighScoresBack = 3,
};

class THighScoreScreen {
public:
    explicit THighScoreScreen(MenuHost& host) : host_(host) {}

    void OpenHighScores();
    void CloseHighScores();
    // The screen's routine for one frame with no window open.
    void HighScoresFrame(int LagCount);
    // Slots 1 to 10, highest first: the name and the score of each row.
    void DrawScoreTable();

    TMyImageSprite* TitlePicture = nullptr;
    TMyImageSprite* TablePicture = nullptr;

private:
    MenuHost& host_;
};
