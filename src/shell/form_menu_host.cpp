#include "shell/form_menu_host.h"

#include "persist/web_links.h"
#include "shell/form.h"

ScreenValues& FormMenuHost::Screens() {
    return form_.Screens;
}
TSpriteEngine& FormMenuHost::Engine() {
    return form_.Components.MDXSpriteEngine;
}
TGameOptions& FormMenuHost::Options() {
    return form_.Options;
}
THighScoreTable& FormMenuHost::HighScores() {
    return form_.HighScores;
}
TControls& FormMenuHost::Controls() {
    return form_.Input.Controls;
}
void FormMenuHost::ControlsChanged() {
    form_.KeepControls();
}

bool FormMenuHost::KeyHit(MenuKey key) const {
    switch (key) {
        case MenuKey::Up:
            return form_.Input.Hit(kHitUp);
        case MenuKey::Down:
            return form_.Input.Hit(kHitDown);
        case MenuKey::Left:
            return form_.Input.Hit(kHitLeft);
        case MenuKey::Right:
            return form_.Input.Hit(kHitRight);
        case MenuKey::Esc:
            return form_.Input.Hit(kHitEsc);
        case MenuKey::Watch:
            return form_.Input.Hit(kHitWatch);
    }
    return false;
}

void FormMenuHost::ClickButton(int index) {
    form_.ClickButton(index);
}
void FormMenuHost::OpenWindow(ModalWindow kind) {
    form_.OpenWindow(kind);
}
void FormMenuHost::PlaySound(Sound sound) {
    form_.Components.PlaySound(sound);
}
void FormMenuHost::PlayMusic() {
    form_.PlayMusic();
}
void FormMenuHost::StopMusic() {
    form_.Components.StopMusic();
}
void FormMenuHost::ApplyDisplayMode() {
    form_.ApplyDisplayMode();
}
void FormMenuHost::ShowSystemCursor() {
    form_.Components.ShowSystemCursor();
}
bool FormMenuHost::IsDrawable() const {
    return form_.Components.MDXDraw.IsDrawable();
}

void FormMenuHost::SetFont(int index) {
    font_ = index;
    form_.Components.SetFont(index);
}

void FormMenuHost::DrawText(const std::string& text, double x, double y, bool centreX,
                            bool centreY) {
    if (TextLog != nullptr) TextLog->push_back({font_, text, x, y, centreX, centreY});
    form_.Components.DrawText(text, x, y, centreX, centreY);
}

int FormMenuHost::TextWidthOf(const std::string& text) {
    return form_.Components.TextWidthOf(text);
}

bool FormMenuHost::HasReplay(int row) const {
    if (row == 0) return !form_.Shelf.LastRaceFile.empty();
    return row >= 1 && row <= 10 && !form_.Shelf.RowFiles[row].empty();
}

void FormMenuHost::RefreshReplays() {
    form_.RefreshReplayShelf();
}

bool FormMenuHost::WatchReplay(int row) {
    return form_.WatchShelfReplay(row);
}

void FormMenuHost::ClipTexts(const SDL_Rect* area) {
    SDL_RenderSetClipRect(form_.Components.MDXDraw.Renderer(), area);
}

void FormMenuHost::DrawSpacedText(const std::string& text, double x, double y, double spacing) {
    if (TextLog != nullptr) TextLog->push_back({font_, text, x, y, false, true});
    FormComponents& components = form_.Components;
    double pen = x;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string letter = text.substr(i, 1);
        components.DrawText(letter, pen, y, false, true);
        pen += components.TextWidthOf(letter) + spacing;
    }
}

std::string FormMenuHost::HomePageAddress() const {
    return MakerHomeAddress(ScoreServerBase());
}

bool FormMenuHost::ScoresStayHere() const {
    return IsThisComputer(ScoreServerBase());
}
