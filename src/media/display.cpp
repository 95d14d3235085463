#include "media/display.h"

#include <algorithm>
#include <cmath>

#include "media/renderer_lifetime.h"

namespace {

constexpr const char* kWindowTitle = "Zarvex 2";

// Waits for the performance counter to reach a tick: sleeps while more than a couple of
// milliseconds remain (SDL_Delay may oversleep by about one), then spins for the rest.
void WaitUntilTick(uint64_t tick) {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    for (;;) {
        const uint64_t now = SDL_GetPerformanceCounter();
        if (now >= tick) return;
        const uint64_t leftMs = (tick - now) * 1000 / frequency;
        if (leftMs > 2) {
            SDL_Delay(static_cast<Uint32>(leftMs - 2));
        }
    }
}

}  // namespace

int UsableRefreshRate(int reportedHz) {
    return reportedHz > 1 ? reportedHz : 60;
}

SDL_Rect SurfacePlacement(int outputWidth, int outputHeight, bool fullScreen) {
    if (!fullScreen || outputWidth <= 0 || outputHeight <= 0) {
        return SDL_Rect{0, 0, outputWidth, outputHeight};
    }
    // The largest 4:3 area that fits, centred.
    int width = outputWidth;
    int height = outputWidth * kSurfaceHeight / kSurfaceWidth;
    if (height > outputHeight) {
        height = outputHeight;
        width = outputHeight * kSurfaceWidth / kSurfaceHeight;
    }
    return SDL_Rect{(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

TDisplay::~TDisplay() {
    Close();
}

bool TDisplay::Open(bool fullScreen, bool headless) {
    Close();
    headless_ = headless;
    fullScreen_ = fullScreen;
    stopped_ = false;

    // A headless run (the replay runner, the tests) never needs a screen: it uses SDL's
    // offscreen driver whatever the environment says, unless video is running already.
    const bool forceOffscreen = headless && SDL_WasInit(SDL_INIT_VIDEO) == 0;
    if (forceOffscreen)
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
    const int initResult = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    if (forceOffscreen) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (initResult != 0) return false;
    videoStarted_ = true;

    Uint32 windowFlags = headless ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
    if (fullScreen) windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(kWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kClientWidth, kClientHeight, windowFlags);
    if (window_ == nullptr) {
        Close();
        return false;
    }

    if (!headless) {
        renderer_ = SDL_CreateRenderer(
            window_, -1,
            SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
    }
    if (renderer_ == nullptr) {
        // A headless window's pixels are never shown, so its software renderer draws straight
        // into the driver's buffer; by default SDL would start a GPU renderer just to show them,
        // which costs a quarter of a second per display.
        if (headless) {
            SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
        }
        renderer_ =
            SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        if (headless) SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    }
    if (renderer_ == nullptr) {
        Close();
        return false;
    }
    NoteRendererCreated(renderer_);
    SDL_RendererInfo info{};
    vsync_ =
        SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;

    target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                kSurfaceWidth, kSurfaceHeight);
    if (target_ == nullptr) {
        Close();
        return false;
    }
    // Only the final copy to the window is smoothed; the game's own pictures stay sharp.
    SDL_SetTextureScaleMode(target_, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
    SDL_SetRenderTarget(renderer_, target_);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    ClearTo(0);

    if (!headless) pacer_.emplace(SDL_GetPerformanceFrequency(), ReadRefreshRate());
    return true;
}

void TDisplay::Close() {
    pacer_.reset();
    if (target_ != nullptr) {
        SDL_DestroyTexture(target_);
        target_ = nullptr;
    }
    if (renderer_ != nullptr) {
        NoteRendererDestroyed(renderer_);
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        videoStarted_ = false;
    }
    vsync_ = false;
    stopped_ = false;
}

void TDisplay::StopDisplay() {
    stopped_ = true;
}

void TDisplay::StartDisplay(bool fullScreen) {
    fullScreen_ = fullScreen;
    if (window_ != nullptr) {
        if (fullScreen) {
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        } else {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_SetWindowSize(window_, kClientWidth, kClientHeight);
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    // The new mode may sit on a display with another rate.
    if (pacer_) pacer_->SetRefreshRate(ReadRefreshRate());
    stopped_ = false;
}

bool TDisplay::IsDrawable() const {
    if (renderer_ == nullptr || target_ == nullptr || stopped_) return false;
    // A minimised window shows nothing: its frames are skipped.
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) == 0;
}

void TDisplay::ClearTo(uint32_t colour) {
    if (renderer_ == nullptr) return;
    SDL_SetRenderTarget(renderer_, target_);
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(colour >> 16),
                           static_cast<Uint8>(colour >> 8), static_cast<Uint8>(colour), 255);
    SDL_RenderClear(renderer_);
}

void TDisplay::CopyTargetToWindow() {
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const SDL_Rect placement = SurfacePlacement(outputWidth, outputHeight, fullScreen_);
    SDL_RenderCopy(renderer_, target_, nullptr, &placement);
}

void TDisplay::WaitForPresentSlot() {
    if (!pacer_) return;
    const uint64_t at = pacer_->NextPresentAt(SDL_GetPerformanceCounter());
    WaitUntilTick(at);
}

void TDisplay::Present() {
    if (renderer_ == nullptr || target_ == nullptr) return;
    // Nobody looks at a headless window: the back buffer is read with ReadPixels, and the copy
    // would only slow the replay runner down. The frame's drawing is still carried out, so that
    // the renderer's queue does not grow and the replay's frame costs are the real ones.
    if (headless_) {
        SDL_RenderFlush(renderer_);
        return;
    }
    CopyTargetToWindow();
    WaitForPresentSlot();
    const uint64_t start = SDL_GetPerformanceCounter();
    SDL_RenderPresent(renderer_);
    if (pacer_) pacer_->NotePresent(start, SDL_GetPerformanceCounter());
    SDL_SetRenderTarget(renderer_, target_);
}

int TDisplay::ReadRefreshRate() const {
    int displayIndex = 0;
    if (window_ != nullptr) displayIndex = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(displayIndex, &mode) != 0) return UsableRefreshRate(0);
    return UsableRefreshRate(mode.refresh_rate);
}

void TDisplay::WindowToSurface(int wx, int wy, int& sx, int& sy) const {
    if (window_ == nullptr) {
        sx = wx;
        sy = wy;
        return;
    }
    // Mouse positions come in window coordinates, which may differ from output pixels on a
    // high-density screen, so the placement is worked out in window coordinates.
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const SDL_Rect placement = SurfacePlacement(windowWidth, windowHeight, fullScreen_);
    if (placement.w <= 0 || placement.h <= 0) {
        sx = wx;
        sy = wy;
        return;
    }
    // The surface pixel under the middle of the window pixel.
    const auto scale = [](int value, int origin, int extent, int surfaceExtent) {
        const double scaled = (value - origin + 0.5) * surfaceExtent / extent;
        return static_cast<int>(std::clamp(std::floor(scaled), 0.0, surfaceExtent - 1.0));
    };
    sx = scale(wx, placement.x, placement.w, kSurfaceWidth);
    sy = scale(wy, placement.y, placement.h, kSurfaceHeight);
}

bool TDisplay::ReadPixels(std::vector<uint32_t>& pixels) const {
    if (renderer_ == nullptr || target_ == nullptr) return false;
    pixels.assign(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight, 0);
    SDL_SetRenderTarget(renderer_, target_);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             kSurfaceWidth * static_cast<int>(sizeof(uint32_t))) != 0) {
        return false;
    }
    // The back buffer is opaque, whatever a blended draw left in its alpha channel.
    for (uint32_t& pixel : pixels) pixel |= 0xFF000000u;
    return true;
}
