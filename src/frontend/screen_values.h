#pragma once
// Which screen is shown and which modal window lies over it, and the button selection that every
// screen and window shares: the range of buttons on offer, the selected one, and the looks that
// follow the selection. The menu screens and the shell's windows and dispatcher all work on it.

#include <array>
#include <string>

#include "sprites/screen_kinds.h"

class TMenuButton;
class TMyImageSprite;
class TMyCursor;
class TScrollBackground;

// Entries of MenuButtons: 1..6 the screen's buttons, 11 and 12 a window's Yes and No.
constexpr int kMenuButtonSlots = 18;
constexpr int kYesButton = 11;
constexpr int kNoButton = 12;

struct SavedSelectionValues {
    int SelectedButton = 0;
    int FirstButton = 1;
    int LastButton = 0;
};

struct ScreenValues {
    GameScreen ScreenState = GameScreen::None;
    ModalWindow WindowKind = ModalWindow::None;
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

    // The full-screen picture of the menu screen that is open; each screen makes its own.
    TScrollBackground* MenuBackground = nullptr;

    // The open window's own sprites. TextCursor is also the options screen's country cursor.
    TMyImageSprite* WindowBackground = nullptr;
    TMyImageSprite* WindowTitle = nullptr;
    TMyImageSprite* CheckBox = nullptr;
    TMyCursor* TextCursor = nullptr;

    // The button in entry index, or nullptr when the entry is empty or out of range.
    TMenuButton* Button(int index) const;

    // The selected button in its highlighted look, every other button of the range in its normal
    // look. The normal look is applied again on every call, so those buttons never animate; the
    // highlighted look only when the selection has just arrived. Leaving the options screen's
    // country row ends the typing there.
    void RefreshHighlight();
    // Kills every button from FirstButton to LastButton and empties their entries.
    void RemoveButtons();
    // Starts or ends the typing of the country, and the cursor's blinking with it.
    void ToggleCountryEdit();
    // Kills the menu screen's background (a second kill does nothing) and forgets it.
    void KillMenuBackground();
};
