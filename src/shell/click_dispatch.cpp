// The button selection shared by every screen and window, and the one dispatcher that turns a
// click (or Enter) on the selected button into the button's action.

#include "shell/form.h"
#include "sprites/menu_button.h"

TMenuButton* ScreenValues::Button(int index) const {
    if (index < 0 || index >= kMenuButtonSlots) return nullptr;
    return dynamic_cast<TMenuButton*>(MenuButtons[index]);
}

void TMForm::RefreshHighlight() {
    for (int i = Screens.FirstButton; i <= Screens.LastButton; ++i) {
        if (i == Screens.SelectedButton) continue;
        TMenuButton* button = Screens.Button(i);
        if (button == nullptr) continue;
        // The normal look is applied again every time, so normal buttons never animate.
        button->ShowNormalLook();
        button->Highlighted = false;
    }
    TMenuButton* selected =
        Screens.SelectedButton != 0 ? Screens.Button(Screens.SelectedButton) : nullptr;
    if (selected != nullptr && !selected->Highlighted) {
        selected->ShowHighlightLook();
        selected->Highlighted = true;
        if (Screens.ScreenState == kScreenOptions && Screens.SelectedButton != 4 &&
            Screens.EditingCountry) {
            ToggleCountryEdit();
        }
    }
}

void TMForm::RemoveButtons() {
    for (int i = Screens.FirstButton; i <= Screens.LastButton; ++i) {
        if (i < 0 || i >= kMenuButtonSlots) continue;
        if (TMyImageSprite* sprite = Screens.MenuButtons[i]) sprite->Kill();
        Screens.MenuButtons[i] = nullptr;
    }
}

void TMForm::ToggleCountryEdit() {
    Screens.EditingCountry = !Screens.EditingCountry;
    if (Screens.TextCursor != nullptr) Screens.TextCursor->Blinking = !Screens.TextCursor->Blinking;
}

void TMForm::ClickButton(int index) {
    Screens.SelectedButton = index;
    ClickSelected();
}

void TMForm::ClickSelected() {
    if (!(Screens.ScreenState == kScreenRace && Screens.WindowKind == kWindowNone))
        PlaySound("Button");

    if (Screens.WindowKind != kWindowNone) {
        switch (Screens.WindowKind) {
            case kWindowExitGame:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    CloseMenuScreen();
                    SaveAndQuit();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowExitToMenu:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    if (HighScores.IsHighScore(Race.Score)) {
                        OpenWindow(kWindowNameEntry);
                    } else {
                        EndRace();
                        OpenMainMenu(0, 1, 1);
                    }
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowClearTable:
                if (Screens.SelectedButton == kYesButton) {
                    CloseWindow();
                    HighScores.ResetTable();
                } else if (Screens.SelectedButton == kNoButton) {
                    CloseWindow();
                }
                break;
            case kWindowNameEntry:
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

    // The screens' own buttons.
    ClickScreenButton();
}
