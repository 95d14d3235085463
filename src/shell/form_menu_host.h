#pragma once
// The main form as the menu screens see it: the narrow interface they were built against. When
// asked, it also notes every text the screens draw (tests read the log).

#include <string>
#include <vector>

#include "frontend/menu_host.h"

class TMForm;

struct DrawnText {
    int font;
    std::string text;
    double x;
    double y;
    bool centreX;
    bool centreY;
};

class FormMenuHost final : public MenuHost {
public:
    explicit FormMenuHost(TMForm& form) : form_(form) {}

    ScreenValues& Screens() override;
    TSpriteEngine& Engine() override;
    TGameOptions& Options() override;
    THighScoreTable& HighScores() override;
    TControls& Controls() override;
    void ControlsChanged() override;
    bool KeyHit(MenuKey key) const override;
    void ClickButton(int index) override;
    void OpenWindow(ModalWindow kind) override;
    void PlaySound(Sound sound) override;
    void PlayMusic() override;
    void StopMusic() override;
    void ApplyDisplayMode() override;
    void ShowSystemCursor() override;
    bool IsDrawable() const override;
    void SetFont(int index) override;
    void DrawText(const std::string& text, double x, double y, bool centreX, bool centreY) override;
    int TextWidthOf(const std::string& text) override;
    bool HasReplay(int row) const override;
    void RefreshReplays() override;
    bool WatchReplay(int row) override;
    void ClipTexts(const SDL_Rect* area) override;
    void DrawSpacedText(const std::string& text, double x, double y, double spacing) override;
    std::string HomePageAddress() const override;
    bool ScoresStayHere() const override;

    // When set, every text the screens draw is appended here.
    std::vector<DrawnText>* TextLog = nullptr;

private:
    TMForm& form_;
    int font_ = 1;
};
