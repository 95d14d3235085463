// The modal windows: the Yes/No questions, pause, the level banner, time over, game over, the
// name entry and the sending notice. While one is open the world stands still but is still drawn.

#include "shell/form.h"
#include "sprites/menu_button.h"
#include "sprites/player.h"

namespace {

// Counts a timed window down by one frame; true when it has run out (its value is then kept).
bool CountDown(int& timer, int frameMs) {
    if (timer - frameMs < 0) return true;
    timer -= frameMs;
    return false;
}

bool IsQuestion(ModalWindow kind) {
    return kind == ModalWindow::ExitGame || kind == ModalWindow::ExitToMenu ||
           kind == ModalWindow::ClearTable || kind == ModalWindow::DefaultControls;
}

}  // namespace

void TMForm::OpenWindow(ModalWindow kind) {
    if (Screens.WindowKind != ModalWindow::None) return;  // one window at a time: the first wins
    TPlayer* car = RaceScreen.Race.Player;
    if (car != nullptr) car->MuteCarSounds(true);
    Screens.WindowKind = kind;
    Screens.SavedSelection = {Screens.SelectedButton, Screens.FirstButton, Screens.LastButton};

    TSpriteEngine* engine = &Components.MDXSpriteEngine;
    if (IsQuestion(kind))
        Screens.WindowBackground = TMyImageSprite::CreateAt(engine, Picture::Window, 188, 237, 14);
    if (kind == ModalWindow::NameEntry) {
        Components.ShowSystemCursor();
        Screens.CheckBox = TMyImageSprite::CreateAt(engine, Picture::SendOk, 161, 369, 15);
        Screens.CheckBox->FramePos = 1;  // ticked
        Screens.WindowBackground =
            TMyImageSprite::CreateAt(engine, Picture::SendTable, 127, 135, 14);
    }
    if (kind == ModalWindow::ExitGame)
        Screens.WindowTitle = TMyImageSprite::CreateAt(engine, Picture::Win_EG, 295, 248, 16);
    if (kind == ModalWindow::ExitToMenu)
        Screens.WindowTitle =
            TMyImageSprite::CreateAt(engine, Picture::Win_ExitToMenu, 276, 248, 16);
    if (kind == ModalWindow::ClearTable)
        Screens.WindowTitle = TMyImageSprite::CreateAt(engine, Picture::Win_ClearHS, 268, 237, 16);
    if (kind == ModalWindow::DefaultControls)
        Screens.WindowTitle = TMyImageSprite::CreateAt(engine, Picture::Win_Defaults, 248, 237, 16);
    if (IsQuestion(kind)) {
        Components.ShowSystemCursor();
        // Only the window's buttons show a highlight while it is open: the screen's buttons
        // beneath take their normal look, and the selected one is highlighted again when the
        // window closes (RefreshHighlight gives the look to a button that does not have it).
        for (int i = Screens.FirstButton; i <= Screens.LastButton; ++i) {
            if (TMenuButton* button = Screens.Button(i); button != nullptr && button->Highlighted) {
                button->ShowNormalLook();
                button->Highlighted = false;
            }
        }
        Screens.FirstButton = kYesButton;
        Screens.LastButton = kNoButton;
        Screens.SelectedButton = kNoButton;  // No is preselected
        auto* yes = new TMenuButton(engine, Picture::Yes, Picture::Yes, 0, 1, 237, 296);
        auto* no = new TMenuButton(engine, Picture::No, Picture::No, 0, 1, 386, 296);
        yes->SetZ(15);
        no->SetZ(15);
        // Over the menus the buttons rise above the title while highlighted; in the race and
        // the high-score screen they stay under it.
        yes->OnTop = no->OnTop = kind == ModalWindow::ExitGame;
        Screens.MenuButtons[kYesButton] = yes;
        Screens.MenuButtons[kNoButton] = no;
        // No shows its highlight from the first frame the window is drawn in.
        Screens.RefreshHighlight();
    }
    if (kind == ModalWindow::LevelBanner) Screens.WindowTimer = 2000;
    if (kind == ModalWindow::GameOver || kind == ModalWindow::TimeOver) Screens.WindowTimer = 3000;
    if (kind == ModalWindow::NameEntry) {
        Screens.TextCursor = new TMyCursor(engine, Picture::Cursor2, 163, 360, 15, 1000);
        Screens.TextCursor->Blinking = true;
    }
    if ((kind == ModalWindow::Pause || kind == ModalWindow::ExitToMenu) && car != nullptr)
        car->MuteCarSounds(true);
    Screens.SendPending = false;
}

void TMForm::CloseWindow() {
    const ModalWindow kind = Screens.WindowKind;
    Screens.SelectedButton = Screens.SavedSelection.SelectedButton;
    Screens.FirstButton = Screens.SavedSelection.FirstButton;
    Screens.LastButton = Screens.SavedSelection.LastButton;
    if ((IsQuestion(kind) || kind == ModalWindow::NameEntry) &&
        Screens.WindowBackground != nullptr) {
        Screens.WindowBackground->Kill();
        Screens.WindowBackground = nullptr;
    }
    if (kind == ModalWindow::NameEntry) {
        if (Screens.CheckBox != nullptr) Screens.CheckBox->Kill();
        Screens.CheckBox = nullptr;
        Components.HideSystemCursor();
    }
    if (IsQuestion(kind)) {
        // The menus keep the cursor.
        if (Screens.ScreenState == GameScreen::Race) Components.HideSystemCursor();
        for (int slot : {kYesButton, kNoButton}) {
            if (Screens.MenuButtons[slot] != nullptr) Screens.MenuButtons[slot]->Kill();
            Screens.MenuButtons[slot] = nullptr;
        }
    }
    if (kind == ModalWindow::NameEntry && Screens.TextCursor != nullptr) {
        Screens.TextCursor->Visible = false;
        Screens.TextCursor->Kill();
        Screens.TextCursor = nullptr;
    }
    if (IsQuestion(kind) && Screens.WindowTitle != nullptr) {
        Screens.WindowTitle->Kill();
        Screens.WindowTitle = nullptr;
    }
    if ((kind == ModalWindow::Pause || kind == ModalWindow::ExitToMenu) &&
        RaceScreen.Race.Player != nullptr)
        RaceScreen.Race.Player->ResumeCarSounds(true);
    Screens.WindowKind = ModalWindow::None;
}

void TMForm::WindowFrame(int LagCount) {
    if (IsQuestion(Screens.WindowKind)) {
        for (int slot : {kYesButton, kNoButton})
            if (Screens.MenuButtons[slot] != nullptr) Screens.MenuButtons[slot]->MoveStep(LagCount);
        Screens.RefreshHighlight();
        if (Input.Hit(kHitY)) ClickButton(kYesButton);
        if (Input.Hit(kHitN)) ClickButton(kNoButton);
        // Left and Right move between Yes and No without wrapping round.
        if (Input.Hit(kHitLeft)) {
            int& s = Screens.SelectedButton;
            if (s < Screens.FirstButton || s > Screens.LastButton) s = Screens.FirstButton;
            if (s - 1 >= Screens.FirstButton) --s;
        }
        if (Input.Hit(kHitRight)) {
            int& s = Screens.SelectedButton;
            if (s < Screens.FirstButton || s > Screens.LastButton) s = Screens.LastButton;
            if (s + 1 <= Screens.LastButton) ++s;
        }
    }

    FormComponents& text = Components;
    TPlayer* car = RaceScreen.Race.Player;
    const int score = RaceScreen.Race.Score;
    switch (Screens.WindowKind) {
        case ModalWindow::TimeOver:
            text.SetFont(5);
            text.DrawText("Your time is over,", 348, 217, true, true);
            text.DrawText("Try again, please!", 348, 267, true, true);
            if (CountDown(Screens.WindowTimer, Timing.FrameMs)) {
                CloseWindow();
                if (car != nullptr) car->StartLevel(false);
            }
            break;
        case ModalWindow::Pause:
            text.SetFont(5);
            text.DrawText("Pause", 400, 300, true, true);
            // The race's pause or leave binding closes it (P and Esc, the Start and Back
            // buttons, unless the player moved them), and the window key Esc always does.
            if (Input.Race.IsHit(RaceAction::Pause) || Input.Race.IsHit(RaceAction::Leave) ||
                Input.Hit(kHitEsc))
                CloseWindow();
            break;
        case ModalWindow::LevelBanner:
            text.SetFont(5);
            text.DrawText("Level " + std::to_string(RaceScreen.Track.Level.LevelNumber), 400, 300,
                          true, true);
            if (CountDown(Screens.WindowTimer, Timing.FrameMs)) CloseWindow();
            break;
        case ModalWindow::GameOver:
            text.SetFont(5);
            text.DrawText("Game Over", 348, 237, true, true);
            if (CountDown(Screens.WindowTimer, Timing.FrameMs)) {
                CloseWindow();
                if (EntersTable(score)) {
                    OpenWindow(ModalWindow::NameEntry);
                } else {
                    LeaveRaceForMainMenu();
                }
            }
            break;
        case ModalWindow::NameEntry: {
            text.SetFont(9);
            text.DrawText(std::to_string(score), 348, 217, true, true);
            text.SetFont(10);
            text.DrawText(Screens.EnteredName, 348, 345, true, true);
            if (Screens.TextCursor != nullptr) {
                Screens.TextCursor->X = 348 + text.TextWidthOf(Screens.EnteredName) / 2.0;
                Screens.TextCursor->MoveStep(LagCount);
            }
            break;
        }
        case ModalWindow::Sending:
            text.SetFont(11);
            text.DrawText("Sending results...", 348, 219, true, true);
            text.SetFont(10);
            text.DrawText(Screens.EnteredName, 348, 345, true, true);
            if (Screens.SendPending) {
                SubmitScore();
                CloseWindow();
                LeaveRaceForHighScores();
            } else {
                // The notice is drawn once before the request holds the game up.
                Screens.SendPending = true;
            }
            break;
        default:
            break;
    }

    if (Screens.ScreenState == GameScreen::Race) RaceScreen.DrawHud();
}

void TMForm::ConfirmNameEntry() {
    // A replay's race ends here: the table is the viewer's, and stays as it is.
    if (Watch.Active) return EndReplayRace();
    Recorder.NoteTableEntry(Screens.EnteredName);
    Screens.LastTypedChar = 0;
    HighScores.Slot(11).Name = Screens.EnteredName;
    HighScores.Slot(11).Score = RaceScreen.Race.Score;
    HighScores.SortTable();
    Screens.SendChoice =
        Screens.CheckBox != nullptr ? static_cast<int>(Screens.CheckBox->FramePos) : 0;
    CloseWindow();
    if (Screens.SendChoice == 0) {
        LeaveRaceForHighScores();
    } else {
        OpenWindow(ModalWindow::Sending);
    }
}

void TMForm::LeaveRaceForMainMenu() {
    // A replay returns to where it was started instead.
    if (Watch.Active) return EndReplayRace();
    RaceScreen.EndRace();
    FrontEnd.MainMenu.OpenMainMenu(0, 1, 1);
}

// The way to the high scores passes the main menu, which is gone again at once.
void TMForm::LeaveRaceForHighScores() {
    if (Watch.Active) return EndReplayRace();
    LeaveRaceForMainMenu();
    FrontEnd.MainMenu.CloseMenuScreen();
    FrontEnd.HighScoreScreen.OpenHighScores();
}
