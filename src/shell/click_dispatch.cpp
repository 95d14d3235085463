// The one dispatcher that turns a click (or Enter) on the selected button into the button's
// action: a window's buttons when a window is open, otherwise the current screen's.

#include "persist/web_links.h"
#include "shell/form.h"
#include "sprites/menu_button.h"

void TMForm::ClickMainMenu(int button) {
    TFrontEnd& menus = FrontEnd;
    // Clicks wait until the buttons have all faded in.
    if (Screens.IntroRunning) return;
    switch (button) {
        case kEntryStartGame:
            FrontEnd.MainMenu.CloseMenuScreen();
            menus.StartGame.OpenStartGame();
            break;
        case kEntryHighScores:
            FrontEnd.MainMenu.CloseMenuScreen();
            FrontEnd.HighScoreScreen.OpenHighScores();
            break;
        case kEntryWebSite:
            Components.OpenLink(MakerHomeAddress(ScoreServerBase()));
            break;
        case kEntryOptions:
            FrontEnd.MainMenu.CloseMenuScreen();
            menus.OptionsScreen.OpenOptions();
            break;
        case kEntryHelp:
            FrontEnd.MainMenu.CloseMenuScreen();
            menus.HelpScreen.OpenHelp();
            break;
        case kEntryExit:
            OpenWindow(ModalWindow::ExitGame);
            break;
        default:
            break;
    }
}

void TMForm::ClickStartGame(int button) {
    TStartGameScreen& screen = FrontEnd.StartGame;
    // A change of car runs to its end before anything else is taken.
    if (screen.CarChanging) return;
    switch (button) {
        case kStartGamePrevious:
            screen.PreviousCar();
            break;
        case kStartGameNext:
            screen.NextCar();
            break;
        case kStartGameStart:
            // The way to the race passes the main menu, which is gone again at once.
            screen.CloseStartGame();
            FrontEnd.MainMenu.OpenMainMenu(0, kEntryStartGame, 0);
            FrontEnd.MainMenu.CloseMenuScreen();
            RaceScreen.StartRace();
            break;
        case kStartGameBack:
            screen.CloseStartGame();
            FrontEnd.MainMenu.OpenMainMenu(0, kEntryStartGame, 0);
            break;
        default:
            break;
    }
}

void TMForm::ClickOptions(int button) {
    TOptionsScreen& screen = FrontEnd.OptionsScreen;
    switch (button) {
        case kOptionsDisplay:
            screen.ToggleFullScreen();
            break;
        case kOptionsMusic:
            screen.ToggleMusic();
            break;
        case kOptionsSound:
            screen.ToggleSound();
            break;
        case kOptionsCountry:
            Screens.ToggleCountryEdit();
            break;
        case kOptionsBack:
            screen.CloseOptions();
            FrontEnd.MainMenu.OpenMainMenu(0, kEntryOptions, 0);
            break;
        case kOptionsControls:
            screen.CloseOptions();
            FrontEnd.ControlsScreen.OpenControls();
            break;
        default:
            break;
    }
}

void TMForm::ClickHighScores(int button) {
    switch (button) {
        case kHighScoresClear:
            OpenWindow(ModalWindow::ClearTable);
            break;
        case kHighScoresView:
            Components.OpenLink(OnlineTableAddress(ScoreServerBase()));
            break;
        case kHighScoresBack:
            FrontEnd.HighScoreScreen.CloseHighScores();
            FrontEnd.MainMenu.OpenMainMenu(0, kEntryHighScores, 0);
            break;
        default:
            break;
    }
}

void TMForm::ClickHelp(int button) {
    THelpScreen& screen = FrontEnd.HelpScreen;
    switch (button) {
        case kHelpPrevious:
            screen.PreviousHelpPage();
            break;
        case kHelpNext:
            screen.NextHelpPage();
            break;
        case kHelpBack:
            screen.CloseHelp();
            FrontEnd.MainMenu.OpenMainMenu(0, kEntryHelp, 0);
            break;
        default:
            break;
    }
}

void TMForm::ClickControls(int button) {
    TControlsScreen& screen = FrontEnd.ControlsScreen;
    // A click while a row waits for a key takes the wait back, and nothing more.
    if (screen.Capturing()) {
        screen.CancelCapture();
        return;
    }
    if (button >= kControlsFirstRow && button <= kControlsLastRow) {
        screen.StartCapture(button);
    } else if (button == kControlsDefaults) {
        OpenWindow(ModalWindow::DefaultControls);
    } else if (button == kControlsBack) {
        screen.CloseControls();
        FrontEnd.OptionsScreen.OpenOptions(kOptionsControls);
    }
}

void TMForm::ClickButton(int index) {
    Screens.SelectedButton = index;
    ClickSelected();
}

void TMForm::ClickSelected() {
    if (!(Screens.ScreenState == GameScreen::Race && Screens.WindowKind == ModalWindow::None))
        Components.PlaySound(Sound::Button);

    if (Screens.WindowKind != ModalWindow::None) {
        switch (Screens.WindowKind) {
            case ModalWindow::ExitGame:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    FrontEnd.MainMenu.CloseMenuScreen();
                    SaveAndQuit();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case ModalWindow::ExitToMenu:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    if (EntersTable(RaceScreen.Race.Score)) {
                        OpenWindow(ModalWindow::NameEntry);
                    } else {
                        LeaveRaceForMainMenu();
                    }
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case ModalWindow::ClearTable:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    HighScores.ResetTable();
                    // The rows' races go with the rows.
                    RefreshReplayShelf();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case ModalWindow::DefaultControls:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    FrontEnd.ControlsScreen.RestoreDefaults();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case ModalWindow::NameEntry:
                if (Screens.LastTypedChar == 13) {
                    ConfirmNameEntry();
                } else if (Screens.CheckBox != nullptr && Input.MouseX >= 161 &&
                           Input.MouseX <= 215 && Input.MouseY >= 369 && Input.MouseY <= 414) {
                    Screens.CheckBox->FramePos = Screens.CheckBox->FramePos == 0 ? 1 : 0;
                }
                break;
            default:
                break;
        }
        return;
    }

    const int button = Screens.SelectedButton;
    switch (Screens.ScreenState) {
        case GameScreen::MainMenu:
            ClickMainMenu(button);
            break;
        case GameScreen::StartGame:
            ClickStartGame(button);
            break;
        case GameScreen::Options:
            ClickOptions(button);
            break;
        case GameScreen::HighScores:
            ClickHighScores(button);
            break;
        case GameScreen::Help:
            ClickHelp(button);
            break;
        case GameScreen::Controls:
            ClickControls(button);
            break;
        default:
            break;  // between screens and in the race there is nothing to click
    }
}
