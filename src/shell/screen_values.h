#pragma once
// Which screen is shown and which modal window lies over it, and the button selection that every
// screen and window shares.

#include <array>
#include <string>

#include "sprites/screen_kinds.h"

class TMenuButton;
class TMyImageSprite;
class TMyCursor;

// Entries of MenuButtons: 1..6 the screen's buttons, 11 and 12 a window's Yes and No, 13..17 the
// options and high-score screens' own pictures.
constexpr int kMenuButtonSlots = 18;
constexpr int kYesButton = 11;
constexpr int kNoButton = 12;

struct SavedSelectionValues {
    int SelectedButton = 0;
    int FirstButton = 1;
    int LastButton = 0;
};

struct ScreenValues {
    int ScreenState = kScreenNone;
    int WindowKind = kWindowNone;
    int SelectedButton = 0;
    int FirstButton = 1;  // an empty range is 1..0
    int LastButton = 0;
    std::array<TMyImageSprite*, kMenuButtonSlots> MenuButtons{};
    SavedSelectionValues SavedSelection;
    int WindowTimer = 0;
    char LastTypedChar = 0;
    std::string EnteredName;
    int SendChoice = 0;
    bool SendPending = false;
    bool EditingCountry = false;  // the options screen's country field is being edited
    bool IntroRunning = false;    // the main menu's opening animation

    // The open window's own sprites.
    TMyImageSprite* WindowBackground = nullptr;
    TMyImageSprite* WindowTitle = nullptr;
    TMyImageSprite* CheckBox = nullptr;
    TMyCursor* TextCursor = nullptr;

    TMenuButton* Button(int index) const;
};
