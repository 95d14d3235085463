#pragma once
// The five menu screens of the game, each with its own state, all speaking to the game through
// one MenuHost. The main form owns one of these.

#include "frontend/help_screen.h"
#include "frontend/high_score_screen.h"
#include "frontend/main_menu.h"
#include "frontend/options_screen.h"
#include "frontend/start_game.h"

struct TFrontEnd {
    explicit TFrontEnd(MenuHost& host)
        : MainMenu(host),
          StartGame(host),
          OptionsScreen(host),
          HighScoreScreen(host),
          HelpScreen(host) {}

    TMainMenu MainMenu;
    TStartGameScreen StartGame;
    TOptionsScreen OptionsScreen;
    THighScoreScreen HighScoreScreen;
    THelpScreen HelpScreen;
};
