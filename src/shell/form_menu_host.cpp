#include "shell/form_menu_host.h"

#include <chrono>

#include "persist/web_links.h"
#include "shell/form.h"

ScreenValues& FormMenuHost::Screens() {
    return form_.Screens;
}
TSpriteEngine& FormMenuHost::Engine() {
    return form_.MDXSpriteEngine;
}
TGameOptions& FormMenuHost::Options() {
    return form_.Options;
}
THighScoreTable& FormMenuHost::HighScores() {
    return form_.HighScores;
}

bool FormMenuHost::KeyHit(MenuKey key) const {
    switch (key) {
        case MenuKey::Up:
            return form_.KeyHit(kHitUp);
        case MenuKey::Down:
            return form_.KeyHit(kHitDown);
        case MenuKey::Left:
            return form_.KeyHit(kHitLeft);
        case MenuKey::Right:
            return form_.KeyHit(kHitRight);
        case MenuKey::Esc:
            return form_.KeyHit(kHitEsc);
    }
    return false;
}

void FormMenuHost::ClickButton(int index) {
    form_.ClickButton(index);
}
void FormMenuHost::OpenWindow(int kind) {
    form_.OpenWindow(kind);
}
void FormMenuHost::PlaySound(Sound sound) {
    form_.PlaySound(sound);
}
void FormMenuHost::PlayMusic() {
    form_.PlayMusic();
}
void FormMenuHost::StopMusic() {
    form_.StopMusic();
}
void FormMenuHost::ApplyDisplayMode() {
    form_.ApplyDisplayMode();
}
void FormMenuHost::ShowSystemCursor() {
    form_.ShowSystemCursor();
}
bool FormMenuHost::IsDrawable() const {
    return form_.MDXDraw.IsDrawable();
}

void FormMenuHost::SetFont(int index) {
    font_ = index;
    form_.SetFont(index);
}

void FormMenuHost::DrawText(const std::string& text, double x, double y, bool centreX,
                            bool centreY) {
    if (TextLog != nullptr) TextLog->push_back({font_, text, x, y, centreX, centreY});
    form_.DrawText(text, x, y, centreX, centreY);
}

int FormMenuHost::TextWidthOf(const std::string& text) {
    return form_.TextWidthOf(text);
}

int FormMenuHost::CurrentYear() const {
    using namespace std::chrono;
    const year_month_day today{floor<days>(system_clock::now())};
    return static_cast<int>(today.year());
}

std::string FormMenuHost::HomePageAddress() const {
    return MakerHomeAddress(ScoreServerBase());
}
