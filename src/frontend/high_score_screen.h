#pragma once
// The high-score screen: the local top ten over the table picture, with Clear (after a Yes/No
// question), View online and Back. The races that put rows there can be watched again: those
// rows carry a replay mark; Left and Right (or the mouse over a mark) choose one, and R (or the
// pad's Y, or a click on the mark) watches it, or with none chosen the last race run.

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
    // The marks of the rows whose race can be watched, and what R does.
    void DrawReplayMarks();
    // The row (1 to 10) whose replay mark covers surface pixel (x, y), or 0.
    int ReplayRowAt(int x, int y) const;
    // The mouse over a replay mark chooses its row.
    void HoverReplayMark(int x, int y);

    TMyImageSprite* TitlePicture = nullptr;
    TMyImageSprite* TablePicture = nullptr;
    // The row whose race R watches; 0: the last race run.
    int ChosenRow = 0;

private:
    // Moves the choice to the next row with a race to watch (step 1, down the table) or the one
    // before (-1), through "the last race" before the first of them.
    void ChooseRow(int step);

    MenuHost& host_;
};
