#pragma once
// The menu screens of the game, each with its own state, all speaking to the game through one
// MenuHost. The main form owns one of these.

#include "frontend/controls_screen.h"
#include "frontend/help_screen.h"
#include "frontend/high_score_screen.h"
#include "frontend/main_menu.h"
#include "frontend/options_screen.h"
#include "frontend/start_game.h"
#include "sprites/screen_kinds.h"

struct TFrontEnd {
    explicit TFrontEnd(MenuHost& host)
        : MainMenu(host),
          StartGame(host),
          OptionsScreen(host),
          HighScoreScreen(host),
          HelpScreen(host),
          ControlsScreen(host) {}

    // Leaves the menu screen `screenState` is showing, as its own way out does before the next
    // screen opens; nothing for the race or no screen.
    void CloseScreen(GameScreen screenState) {
        switch (screenState) {
            case GameScreen::MainMenu:
                MainMenu.CloseMenuScreen();
                break;
            case GameScreen::StartGame:
                StartGame.CloseStartGame();
                break;
            case GameScreen::Options:
                OptionsScreen.CloseOptions();
                break;
            case GameScreen::HighScores:
                HighScoreScreen.CloseHighScores();
                break;
            case GameScreen::Help:
                HelpScreen.CloseHelp();
                break;
            case GameScreen::Controls:
                ControlsScreen.CloseControls();
                break;
            default:
                break;
        }
    }

    TMainMenu MainMenu;
    TStartGameScreen StartGame;
    TOptionsScreen OptionsScreen;
    THighScoreScreen HighScoreScreen;
    THelpScreen HelpScreen;
    TControlsScreen ControlsScreen;
};
