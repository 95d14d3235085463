#include "frontend/screen_values.h"

#include "sprites/menu_button.h"
#include "sprites/scroll_background.h"

TMenuButton* ScreenValues::Button(int index) const {
    if (index < 0 || index >= kMenuButtonSlots) return nullptr;
    return dynamic_cast<TMenuButton*>(MenuButtons[index]);
}

void ScreenValues::RefreshHighlight() {
    for (int i = FirstButton; i <= LastButton; ++i) {
        if (i == SelectedButton) continue;
        TMenuButton* button = Button(i);
        if (button == nullptr) continue;
        button->ShowNormalLook();
        button->Highlighted = false;
    }
    TMenuButton* selected = SelectedButton != 0 ? Button(SelectedButton) : nullptr;
    if (selected != nullptr && !selected->Highlighted) {
        selected->ShowHighlightLook();
        selected->Highlighted = true;
        // The mouse (or a key) took the selection off the country row: the typing ends.
        if (ScreenState == GameScreen::Options && SelectedButton != 4 && EditingCountry)
            ToggleCountryEdit();
    }
}

void ScreenValues::RemoveButtons() {
    for (int i = FirstButton; i <= LastButton; ++i) {
        if (i < 0 || i >= kMenuButtonSlots) continue;
        if (TMyImageSprite* sprite = MenuButtons[i]) sprite->Kill();
        MenuButtons[i] = nullptr;
    }
}

void ScreenValues::ToggleCountryEdit() {
    EditingCountry = !EditingCountry;
    if (TextCursor != nullptr) TextCursor->Blinking = !TextCursor->Blinking;
}

void ScreenValues::KillMenuBackground() {
    if (MenuBackground != nullptr) MenuBackground->Kill();
    MenuBackground = nullptr;
}
