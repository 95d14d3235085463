#include "frontend/controls_screen.h"

#include <algorithm>

#include "frontend/menu_backdrop.h"
#include "frontend/menu_host.h"
#include "frontend/screen_values.h"
#include "media/controls.h"
#include "media/frame_timing.h"
#include "sprites/menu_button.h"
#include "sprites/sprite_engine.h"

namespace {

// The table: a row of 28 pixels for each action below the column headings, between the logo's
// corner and the buttons at the bottom, which are centred on the screen.
constexpr int kRowLeft = 60;
constexpr int kRowWidth = 680;
constexpr int kRowHeight = 28;
constexpr int kFirstRowTop = 232;
constexpr int kHeadingY = 216;
constexpr int kActionX = 84;
constexpr int kKeysX = 270;
constexpr int kPadColumnX = 520;
constexpr int kDefaultsX = 255;
constexpr int kBackX = 435;
constexpr int kButtonsY = 527;

constexpr int kTextFont = 17;
constexpr int kAccentFont = 22;

constexpr const char* kActionLabels[kRaceActionCount] = {
    "ACCELERATE", "BRAKE, REVERSE", "STEER LEFT",     "STEER RIGHT", "HAND BRAKE",
    "FIRE",       "NITRO BOOST",    "SOUND THE HORN", "PAUSE",       "LEAVE THE RACE",
};

int RowTop(int row) {
    return kFirstRowTop + (row - kControlsFirstRow) * kRowHeight;
}

RaceAction ActionOfRow(int row) {
    return ActionAt(row - kControlsFirstRow);
}

int RowOfAction(RaceAction action) {
    return IndexOf(action) + kControlsFirstRow;
}

bool IsRow(int button) {
    return button >= kControlsFirstRow && button <= kControlsLastRow;
}

std::string KeysText(const ActionBinding& binding) {
    std::string text;
    for (const SDL_Keycode key : binding.Keys) {
        if (key == SDLK_UNKNOWN) continue;
        if (!text.empty()) text += ", ";
        text += KeyName(key);
    }
    return text.empty() ? "NONE" : text;
}

std::string PadText(RaceAction action, const ActionBinding& binding) {
    std::string text = binding.Pad ? PadControlLabel(*binding.Pad) : "";
    // The left stick steers beside whatever control is bound.
    if (action == RaceAction::Left || action == RaceAction::Right)
        text += text.empty() ? "STICK" : " / STICK";
    return text.empty() ? "NONE" : text;
}

}  // namespace

std::string PadControlLabel(PadControl control) {
    switch (control) {
        case kPadA:
            return "A";
        case kPadB:
            return "B";
        case kPadX:
            return "X";
        case kPadY:
            return "Y";
        case kPadBack:
            return "BACK";
        case kPadStart:
            return "START";
        case kPadGuide:
            return "GUIDE";
        case kPadDpadUp:
            return "D-PAD UP";
        case kPadDpadDown:
            return "D-PAD DOWN";
        case kPadDpadLeft:
            return "D-PAD LEFT";
        case kPadDpadRight:
            return "D-PAD RIGHT";
        case kPadLeftTrigger:
            return "LEFT TRIGGER";
        case kPadRightTrigger:
            return "RIGHT TRIGGER";
        case kPadLeftShoulder:
            return "LEFT SHOULDER";
        case kPadRightShoulder:
            return "RIGHT SHOULDER";
        case kPadLeftStickPress:
            return "LEFT STICK PRESS";
        case kPadRightStickPress:
            return "RIGHT STICK PRESS";
        case kPadMisc:
            return "MISC";
        case kPadPaddle1:
            return "PADDLE 1";
        case kPadPaddle2:
            return "PADDLE 2";
        case kPadPaddle3:
            return "PADDLE 3";
        case kPadPaddle4:
            return "PADDLE 4";
        case kPadTouchpad:
            return "TOUCHPAD";
        default:
            return "";
    }
}

void TControlsScreen::OpenControls() {
    ScreenValues& screens = host_.Screens();
    screens.ScreenState = GameScreen::Controls;
    screens.FirstButton = kControlsFirstRow;
    screens.LastButton = kControlsBack;
    // A player comes here to move a control: the first action is ready for Enter.
    screens.SelectedButton = kControlsFirstRow;
    CaptureRow = 0;
    ChangedRows = {};
    ChangedLeft = 0;
    CreateMenuBackground(host_);

    TSpriteEngine* engine = &host_.Engine();
    // The rows show nothing of their own until selected; the mouse finds a row anywhere along it.
    for (int row = kControlsFirstRow; row <= kControlsLastRow; ++row) {
        auto* button =
            new TMenuButton(engine, Picture::Ctl_Row, Picture::Null, 0, 0, kRowLeft, RowTop(row));
        button->HitWidth = kRowWidth;
        button->HitHeight = kRowHeight - 1;  // the next row starts on the following line
        screens.MenuButtons[row] = button;
    }
    screens.MenuButtons[kControlsDefaults] =
        new TMenuButton(engine, Picture::Ctl_Def, Picture::Ctl_Def, 0, 1, kDefaultsX, kButtonsY);
    screens.MenuButtons[kControlsBack] =
        new TMenuButton(engine, Picture::Opt_Bk, Picture::Opt_Bk, 0, 1, kBackX, kButtonsY);
}

void TControlsScreen::CloseControls() {
    ScreenValues& screens = host_.Screens();
    CaptureRow = 0;
    screens.ScreenState = GameScreen::None;
    screens.RemoveButtons();
    screens.KillMenuBackground();
}

void TControlsScreen::ControlsFrame(int /*LagCount*/) {
    ScreenValues& screens = host_.Screens();
    screens.RefreshHighlight();
    // During a capture every key goes to it (the form hands it over); the selection stands.
    if (!Capturing()) {
        int& selected = screens.SelectedButton;
        const bool onRow = IsRow(selected);
        const bool onButtons = selected == kControlsDefaults || selected == kControlsBack;
        if (host_.KeyHit(MenuKey::Up)) {
            if (!onRow)
                selected = kControlsLastRow;
            else if (selected > kControlsFirstRow)
                --selected;
        } else if (host_.KeyHit(MenuKey::Down)) {
            if (onRow)
                selected = selected < kControlsLastRow ? selected + 1 : kControlsDefaults;
            else if (!onButtons)
                selected = kControlsFirstRow;
        }
        if (host_.KeyHit(MenuKey::Left) && selected == kControlsBack) selected = kControlsDefaults;
        if (host_.KeyHit(MenuKey::Right) && selected == kControlsDefaults) selected = kControlsBack;
        if (host_.KeyHit(MenuKey::Esc)) host_.ClickButton(kControlsBack);
    }
    if (ChangedLeft > 0) {
        const FrameTiming* timing = host_.Engine().Timing;
        ChangedLeft -= timing != nullptr ? timing->FrameMs : ChangedLeft;
        if (ChangedLeft < 0) ChangedLeft = 0;
    }
    if (screens.ScreenState != GameScreen::Controls) return;  // Esc left the screen
    DrawControlsTexts();
}

void TControlsScreen::DrawControlsTexts(const SDL_Rect* covered) {
    DrawScreenTitle(host_, "CONTROLS");
    host_.SetFont(kAccentFont);
    DrawCell("ACTION", kActionX, kHeadingY, covered);
    DrawCell("KEYS", kKeysX, kHeadingY, covered);
    DrawCell("PAD", kPadColumnX, kHeadingY, covered);
    for (int row = kControlsFirstRow; row <= kControlsLastRow; ++row) DrawRow(row, covered);
}

void TControlsScreen::DrawRow(int row, const SDL_Rect* covered) {
    const double y = RowTop(row) + kRowHeight / 2.0;
    const RaceAction action = ActionOfRow(row);
    host_.SetFont(kTextFont);
    DrawCell(kActionLabels[IndexOf(action)], kActionX, y, covered);
    if (row == CaptureRow) {
        host_.SetFont(kAccentFont);
        DrawCell("PRESS A KEY OR PAD BUTTON  -  ESC CANCELS", kKeysX, y, covered);
        return;
    }
    const bool changed = ChangedLeft > 0 && (ChangedRows[0] == row || ChangedRows[1] == row);
    host_.SetFont(changed ? kAccentFont : kTextFont);
    const ActionBinding& binding = host_.Controls().Of(action);
    DrawCell(KeysText(binding), kKeysX, y, covered);
    DrawCell(PadText(action, binding), kPadColumnX, y, covered);
}

void TControlsScreen::DrawCell(const std::string& text, int x, double y, const SDL_Rect* covered) {
    const SDL_Rect cell{x, static_cast<int>(y) - kRowHeight / 2, host_.TextWidthOf(text),
                        kRowHeight};
    if (covered == nullptr || !SDL_HasIntersection(&cell, covered)) {
        host_.DrawText(text, x, y, false, true);
        return;
    }
    // A cell partly under the window shows what lies beside the panel: the bands left and right
    // of it, and above and below it between those, each drawn once through its own clip.
    const int right = covered->x + covered->w;
    const int bottom = covered->y + covered->h;
    const int middleLeft = std::max(cell.x, covered->x);
    const int middleWidth = std::min(cell.x + cell.w, right) - middleLeft;
    const SDL_Rect bands[] = {
        {cell.x, cell.y, covered->x - cell.x, cell.h},
        {right, cell.y, cell.x + cell.w - right, cell.h},
        {middleLeft, cell.y, middleWidth, covered->y - cell.y},
        {middleLeft, bottom, middleWidth, cell.y + cell.h - bottom},
    };
    for (const SDL_Rect& band : bands) {
        if (band.w <= 0 || band.h <= 0) continue;
        host_.ClipTexts(&band);
        host_.DrawText(text, x, y, false, true);
    }
    host_.ClipTexts(nullptr);
}

void TControlsScreen::StartCapture(int row) {
    if (IsRow(row)) CaptureRow = row;
}

void TControlsScreen::CancelCapture() {
    CaptureRow = 0;
}

bool TControlsScreen::TakeKey(SDL_Keycode key) {
    if (!Capturing()) return false;
    if (key == SDLK_ESCAPE) {
        CancelCapture();
        return true;
    }
    if (!IsNameableKey(key)) return false;
    const int row = CaptureRow;
    const std::optional<RaceAction> loser = host_.Controls().BindKey(ActionOfRow(row), key);
    CaptureRow = 0;
    MarkChanged(row, loser ? RowOfAction(*loser) : 0);
    return true;
}

bool TControlsScreen::TakePad(PadControl control) {
    if (!Capturing() || !IsBindablePadControl(control)) return false;
    const int row = CaptureRow;
    const std::optional<RaceAction> loser = host_.Controls().BindPad(ActionOfRow(row), control);
    CaptureRow = 0;
    MarkChanged(row, loser ? RowOfAction(*loser) : 0);
    return true;
}

void TControlsScreen::RestoreDefaults() {
    host_.Controls() = TControls();
    CaptureRow = 0;
    ChangedRows = {};
    ChangedLeft = 0;
    host_.ControlsChanged();
}

void TControlsScreen::MarkChanged(int bound, int loser) {
    ChangedRows = {bound, loser};
    ChangedLeft = kControlsChangeShownMs;
    host_.PlaySound(Sound::Button);
    host_.ControlsChanged();
}
