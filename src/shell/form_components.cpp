#include "shell/form_components.h"

#include <filesystem>

#include "core/rounding.h"
#include "persist/game_options.h"
#include "shell/font_table.h"
#include "shell/form.h"

FormComponents::FormComponents(const FormConfig& config, const TGameOptions& options)
    : config_(config), options_(options) {
    MDXSpriteEngine.ImageList1 = &MDXImageList1;
    MDXSpriteEngine.ImageList2 = &MDXImageList2;
    GamePad.SetVirtualOnly(config_.virtualPadsOnly);
}

FormComponents::~FormComponents() {
    Close();
}

void FormComponents::Close() {
    while (!MDXSpriteEngine.Children.empty()) delete MDXSpriteEngine.Children.back();
    MDXSpriteEngine.DeadList.clear();
    StopMusic();
    MDXWaveList.reset();
    MDXSound.reset();
}

std::string FormComponents::DataPath(const std::string& relative) const {
    return (std::filesystem::path(config_.dataDir) / relative).string();
}

bool FormComponents::Open() {
    // The display, first as a window; the options choose the mode later.
    if (!MDXDraw.Open(false, config_.headless)) return false;
    MDXSpriteEngine.AttachSurface(kSurfaceWidth, kSurfaceHeight);
    TextCanvas.Init(DataPath("fonts.conf"));
    TextCanvas.SetRenderer(MDXDraw.Renderer());
    MDXSound = config_.openAudio ? config_.openAudio() : OpenAudioBackend();
    MDXWaveList = std::make_unique<TWaveList>(MDXSound.get());
    return true;
}

// ---- Sound and music ---------------------------------------------------------------------------

void FormComponents::PlaySound(Sound sound) {
    if (options_.Sound == 0 || !MDXWaveList) return;
    TWaveItem& item = MDXWaveList->ByName(NameOf(sound));
    item.StopWave();
    item.StartWave();
}

void FormComponents::StopSound(Sound sound) {
    if (options_.Sound == 0 || !MDXWaveList) return;
    MDXWaveList->ByName(NameOf(sound)).StopWave();
}

void FormComponents::PlayMusic(Song song) {
    if (options_.Music == 0) return;
    if (SongHandle != 0) {
        MusicPlayer.SongFree(SongHandle);
        SongHandle = 0;
    }
    SongHandle = MusicPlayer.SongLoadFromFile(
        DataPath(song == Song::Race ? "Music/Race.xm" : "Music/Menu.xm"));
    if (SongHandle != 0) MusicPlayer.SongPlay(SongHandle);
}

void FormComponents::StopMusic() {
    if (SongHandle != 0) {
        MusicPlayer.SongFree(SongHandle);
        SongHandle = 0;
    }
}

// ---- Text --------------------------------------------------------------------------------------

void FormComponents::SetFont(int index) {
    const FontStyle& style = FontTable(index);
    TextCanvas.SetFont(style.family, style.size, style.colour, style.bold, style.look);
}

int FormComponents::TextWidthOf(const std::string& text) {
    return TextCanvas.TextWidth(text);
}

int FormComponents::TextHeightOf(const std::string& text) {
    return TextCanvas.TextHeight(text);
}

int FormComponents::TextWidthIn(const std::string& text, int font) {
    SetFont(font);
    return TextWidthOf(text);
}

void FormComponents::DrawText(const std::string& text, double x, double y, bool centreX,
                              bool centreY) {
    if (centreX) x = Trunc(x - TextWidthOf(text) / 2.0);
    if (centreY) y = Trunc(y - TextHeightOf(text) / 2.0);
    TextCanvas.TextOut(static_cast<int>(x), static_cast<int>(y), text);
}

// ---- Display -----------------------------------------------------------------------------------

void FormComponents::ApplyDisplayMode(FrameTiming& timing) {
    if (options_.FullScreen == 1) {
        EnterFullScreen();
    } else {
        EnterWindowed();
    }
    timing.RefreshRate = ReadRefreshRate();
}

void FormComponents::EnterFullScreen() {
    MDXDraw.StopDisplay();
    MDXDraw.StartDisplay(true);
}

// The window comes back at the size the player gave it, centred on the screen.
void FormComponents::EnterWindowed() {
    MDXDraw.StopDisplay();
    MDXDraw.StartDisplay(false);
}

int FormComponents::ReadRefreshRate() const {
    if (config_.refreshRateOverride > 0) return config_.refreshRateOverride;
    return MDXDraw.ReadRefreshRate();
}

void FormComponents::ShowSystemCursor() {
    cursorVisible_ = true;
    if (!config_.headless) SDL_ShowCursor(SDL_ENABLE);
}

void FormComponents::HideSystemCursor() {
    cursorVisible_ = false;
    if (!config_.headless) SDL_ShowCursor(SDL_DISABLE);
}
