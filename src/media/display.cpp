#include "media/display.h"

#include <algorithm>
#include <cmath>

#include "media/renderer_lifetime.h"
#include "media/sdl_failure.h"

namespace {

constexpr const char* kWindowTitle = "Zarvex 2";

// The software renderer has two ways of writing a run of pixels that bypass the cache: copies of
// opaque pictures whose rows and destination are both 16-byte aligned, and every fill. The next
// draw over such pixels then waits on memory: the road's 72-pixel tiles met the first every
// time the road stood on a multiple of 4 pixels (such frames took four times as long), and the
// clear at the start of each frame cost five times what all the frame's drawing did. So with that
// renderer the back buffer is one column wider than the surface, its rows 3204 bytes apart, not
// a multiple of 8, which keeps every copy on the ordinary cached path; and the clear copies a
// strip of the colour down the surface instead of filling. The extra column lies off the
// surface: nothing draws on it, reads it or shows it. (A GPU would smooth it into the surface's
// edge when full screen scales it, so there the buffer keeps the surface's size.)
bool IsSoftwareRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// The rows of the clearing strip: few enough to stay in the cache, enough to need few copies.
constexpr int kClearStripRows = 8;

// Draws into the back buffer, its viewport the 800 x 600 surface: without a destination a draw
// fills the surface, and nothing lands on the extra column.
int SetBackBufferTarget(SDL_Renderer* renderer, SDL_Texture* target) {
    if (SDL_SetRenderTarget(renderer, target) != 0) return -1;
    const SDL_Rect surface{0, 0, kSurfaceWidth, kSurfaceHeight};
    return SDL_RenderSetViewport(renderer, &surface);
}

}  // namespace

int UsableRefreshRate(int reportedHz) {
    return reportedHz > 1 ? reportedHz : 60;
}

SurfaceView SurfacePlacement(int outputWidth, int outputHeight, bool fullScreen) {
    if (outputWidth <= 0 || outputHeight <= 0) {
        return SurfaceView{SDL_Rect{0, 0, kClientWidth, kClientHeight},
                           SDL_Rect{0, 0, outputWidth, outputHeight}, false};
    }
    const int pictureWidth = fullScreen ? kSurfaceWidth : kClientWidth;
    const int pictureHeight = fullScreen ? kSurfaceHeight : kClientHeight;
    // The largest size with the picture's proportions that fits.
    int width = outputWidth;
    int height = outputWidth * pictureHeight / pictureWidth;
    if (height > outputHeight) {
        height = outputHeight;
        width = outputHeight * pictureWidth / pictureHeight;
    }
    bool smooth = true;
    if (!fullScreen) {
        const int multiple = std::min(outputWidth / pictureWidth, outputHeight / pictureHeight);
        if (multiple >= 1 && 4 * multiple * pictureWidth >= 3 * width) {
            width = multiple * pictureWidth;
            height = multiple * pictureHeight;
            smooth = false;
        }
    }
    return SurfaceView{
        SDL_Rect{0, 0, pictureWidth, pictureHeight},
        SDL_Rect{(outputWidth - width) / 2, (outputHeight - height) / 2, width, height}, smooth};
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
    int width = kClientWidth;
    int height = kClientHeight;
    if (!headless) {
        // The player may resize and maximise the window; on a high-density screen it gets as
        // many pixels as the screen has for it.
        windowFlags |= SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
        if (maximised_) windowFlags |= SDL_WINDOW_MAXIMIZED;
        FitWindowedSizeToScreen();
        width = windowedWidth_;
        height = windowedHeight_;
    }
    window_ = SDL_CreateWindow(kWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, windowFlags);
    if (window_ == nullptr) {
        Close();
        return false;
    }
    if (!headless) SDL_SetWindowMinimumSize(window_, kMinimumWindowWidth, kMinimumWindowHeight);

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

    software_ = IsSoftwareRenderer(renderer_);
    target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                software_ ? kSurfaceWidth + 1 : kSurfaceWidth, kSurfaceHeight);
    if (target_ == nullptr) {
        Close();
        return false;
    }
    // The back buffer is opaque however blended draws left its alpha: copied with blending, it
    // would darken on the window.
    if (SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE) != 0) {
        ReportSdlFailureOnce("SDL_SetTextureBlendMode (back buffer)");
    }
    targetScaleMode_ = -1;
    if (SetBackBufferTarget(renderer_, target_) != 0) {
        Close();
        return false;
    }
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    // The game's pointer over its window is the hand.
    cursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    if (cursor_ != nullptr) {
        SDL_SetCursor(cursor_);
    } else if (!headless) {
        ReportSdlFailureOnce("SDL_CreateSystemCursor (hand)");
    }
    ClearTo(0);

    if (!headless) pacer_.emplace(SDL_GetPerformanceFrequency(), ReadRefreshRate());
    return true;
}

void TDisplay::Close() {
    pacer_.reset();
    if (cursor_ != nullptr) {
        // Freeing the active cursor puts the system's default back.
        SDL_FreeCursor(cursor_);
        cursor_ = nullptr;
    }
    if (clearStrip_ != nullptr) {
        SDL_DestroyTexture(clearStrip_);
        clearStrip_ = nullptr;
    }
    if (target_ != nullptr) {
        SDL_DestroyTexture(target_);
        target_ = nullptr;
    }
    software_ = false;
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
    targetLost_ = false;
}

void TDisplay::SetWindowedSize(int width, int height, bool maximised) {
    windowedWidth_ = std::max(width, kMinimumWindowWidth);
    windowedHeight_ = std::max(height, kMinimumWindowHeight);
    maximised_ = maximised;
}

void TDisplay::FitWindowedSizeToScreen() {
    // A size kept from a larger screen (or a hand-edited file) must not open a window whose
    // borders lie off the screen.
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return;
    windowedWidth_ =
        std::clamp(windowedWidth_, kMinimumWindowWidth, std::max(usable.w, kMinimumWindowWidth));
    windowedHeight_ =
        std::clamp(windowedHeight_, kMinimumWindowHeight, std::max(usable.h, kMinimumWindowHeight));
}

void TDisplay::NoteWindowChanged() {
    if (window_ == nullptr || headless_ || fullScreen_) return;
    const Uint32 flags = SDL_GetWindowFlags(window_);
    if ((flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)) != 0) return;
    maximised_ = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    // A maximised window keeps the size it had before, to come back to.
    if (maximised_) return;
    SDL_GetWindowSize(window_, &windowedWidth_, &windowedHeight_);
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
            // Back to the window the player had, centred on the screen.
            SDL_SetWindowFullscreen(window_, 0);
            if (headless_) {
                SDL_SetWindowSize(window_, kClientWidth, kClientHeight);
            } else if (maximised_) {
                SDL_MaximizeWindow(window_);
            } else {
                SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
            }
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    // The new mode may sit on a display with another rate.
    if (pacer_) pacer_->SetRefreshRate(ReadRefreshRate());
    stopped_ = false;
}

bool TDisplay::IsDrawable() const {
    if (renderer_ == nullptr || target_ == nullptr || stopped_ || targetLost_) return false;
    // A minimised window shows nothing: its frames are skipped.
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) == 0;
}

bool TDisplay::TargetBackBuffer() {
    targetLost_ = SetBackBufferTarget(renderer_, target_) != 0;
    if (targetLost_) ReportSdlFailureOnce("SDL_SetRenderTarget (back buffer)");
    return !targetLost_;
}

void TDisplay::ClearTo(uint32_t colour) {
    if (renderer_ == nullptr) return;
    // Drawing meant for the back buffer must never land on the window.
    if (!TargetBackBuffer()) return;
    if (software_ && CopyClearStrip(colour)) return;
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(colour >> 16),
                           static_cast<Uint8>(colour >> 8), static_cast<Uint8>(colour), 255);
    SDL_RenderClear(renderer_);
}

bool TDisplay::CopyClearStrip(uint32_t colour) {
    const uint32_t pixel = 0xFF000000u | (colour & 0xFFFFFFu);
    if (clearStrip_ == nullptr) {
        clearStrip_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_STATIC, kSurfaceWidth, kClearStripRows);
        if (clearStrip_ == nullptr ||
            SDL_SetTextureBlendMode(clearStrip_, SDL_BLENDMODE_NONE) != 0) {
            ReportSdlFailureOnce("The clearing strip");
            return false;
        }
        clearStripPixel_.reset();
    }
    if (clearStripPixel_ != pixel) {
        const std::vector<uint32_t> pixels(static_cast<size_t>(kSurfaceWidth) * kClearStripRows,
                                           pixel);
        if (SDL_UpdateTexture(clearStrip_, nullptr, pixels.data(),
                              kSurfaceWidth * static_cast<int>(sizeof(uint32_t))) != 0) {
            ReportSdlFailureOnce("The clearing strip's colour");
            return false;
        }
        clearStripPixel_ = pixel;
    }
    for (int y = 0; y < kSurfaceHeight; y += kClearStripRows) {
        const SDL_Rect rows{0, y, kSurfaceWidth, std::min(kClearStripRows, kSurfaceHeight - y)};
        const SDL_Rect source{0, 0, rows.w, rows.h};
        SDL_RenderCopy(renderer_, clearStrip_, &source, &rows);
    }
    return true;
}

bool TDisplay::CopyTargetToWindow() {
    if (SDL_SetRenderTarget(renderer_, nullptr) != 0) {
        ReportSdlFailureOnce("SDL_SetRenderTarget (window)");
        return false;
    }
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const SurfaceView view = SurfacePlacement(outputWidth, outputHeight, fullScreen_);
    // Black bars beside a scaled surface; a surface that covers the window needs no clear (with
    // the software renderer a clear costs more than the copy).
    const bool covered = view.dest.x == 0 && view.dest.y == 0 && view.dest.w == outputWidth &&
                         view.dest.h == outputHeight;
    if (!(software_ && covered)) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    // Whole multiples keep their pixels sharp; any other scaling is smoothed.
    const int scaleMode = view.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
    if (scaleMode != targetScaleMode_) {
        if (SDL_SetTextureScaleMode(target_, static_cast<SDL_ScaleMode>(scaleMode)) != 0) {
            ReportSdlFailureOnce("SDL_SetTextureScaleMode (back buffer)");
        }
        targetScaleMode_ = scaleMode;
    }
    if (SDL_RenderCopy(renderer_, target_, &view.source, &view.dest) != 0) {
        ReportSdlFailureOnce("SDL_RenderCopy (window)");
        return false;
    }
    return true;
}

void TDisplay::ObserveCopiedWindow() {
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    if (width > 0 && height > 0 &&
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             width * static_cast<int>(sizeof(uint32_t))) != 0) {
        pixels.assign(pixels.size(), 0);
    }
    windowObserver_(pixels, width, height);
}

void TDisplay::WaitForPresentSlot() {
    if (!pacer_) return;
    const uint64_t at = pacer_->NextPresentAt(SDL_GetPerformanceCounter());
    SleepUntilTick(at, SDL_GetPerformanceFrequency(), SDL_GetPerformanceCounter);
}

void TDisplay::Present() {
    if (renderer_ == nullptr || target_ == nullptr) return;
    // Nobody looks at a headless window: the back buffer is read with ReadPixels, and the copy
    // would only slow the replay runner down. The frame's drawing is still carried out, so that
    // the renderer's queue does not grow and the replay's frame costs are the real ones.
    if (headless_ && !windowObserver_) {
        SDL_RenderFlush(renderer_);
        return;
    }
    // A frame whose copy failed is not shown: the window keeps the previous one.
    if (CopyTargetToWindow()) {
        if (windowObserver_) ObserveCopiedWindow();
        WaitForPresentSlot();
        const uint64_t start = SDL_GetPerformanceCounter();
        SDL_RenderPresent(renderer_);
        if (pacer_) pacer_->NotePresent(start, SDL_GetPerformanceCounter());
    }
    TargetBackBuffer();
}

int TDisplay::ReadRefreshRate() const {
    int displayIndex = 0;
    if (window_ != nullptr) displayIndex = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(displayIndex, &mode) != 0) return UsableRefreshRate(0);
    return UsableRefreshRate(mode.refresh_rate);
}

bool TDisplay::WindowToSurface(int wx, int wy, int& sx, int& sy) const {
    if (window_ == nullptr || renderer_ == nullptr) {
        sx = wx;
        sy = wy;
        return true;
    }
    // Mouse positions come in the desktop's units, which a high-density screen shows with more
    // output pixels each; the picture is placed in output pixels.
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    // (The renderer's output size would be the back buffer's while that is the target.)
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetWindowSizeInPixels(window_, &outputWidth, &outputHeight);
    if (outputWidth <= 0 || outputHeight <= 0) {
        outputWidth = windowWidth;
        outputHeight = windowHeight;
    }
    const SurfaceView view = SurfacePlacement(outputWidth, outputHeight, fullScreen_);
    if (view.dest.w <= 0 || view.dest.h <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        sx = wx;
        sy = wy;
        return true;
    }
    // The surface pixel under the middle of the window pixel, held to the part shown.
    bool onPicture = true;
    const auto scale = [&onPicture](int value, int windowExtent, int outputExtent, int destOrigin,
                                    int destExtent, int sourceOrigin, int sourceExtent) {
        const double output = (value + 0.5) * outputExtent / windowExtent;
        const double scaled = (output - destOrigin) * sourceExtent / destExtent;
        if (scaled < 0 || scaled >= sourceExtent) onPicture = false;
        return sourceOrigin +
               static_cast<int>(std::clamp(std::floor(scaled), 0.0, sourceExtent - 1.0));
    };
    sx =
        scale(wx, windowWidth, outputWidth, view.dest.x, view.dest.w, view.source.x, view.source.w);
    sy = scale(wy, windowHeight, outputHeight, view.dest.y, view.dest.h, view.source.y,
               view.source.h);
    // Only the bars are off the picture; a drag that leaves the window goes on along its edge.
    const bool inWindow = wx >= 0 && wy >= 0 && wx < windowWidth && wy < windowHeight;
    return onPicture || !inWindow;
}

bool TDisplay::ReadPixels(std::vector<uint32_t>& pixels) const {
    if (renderer_ == nullptr || target_ == nullptr) return false;
    pixels.assign(static_cast<size_t>(kSurfaceWidth) * kSurfaceHeight, 0);
    if (SetBackBufferTarget(renderer_, target_) != 0) return false;
    const SDL_Rect surface{0, 0, kSurfaceWidth, kSurfaceHeight};
    if (SDL_RenderReadPixels(renderer_, &surface, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             kSurfaceWidth * static_cast<int>(sizeof(uint32_t))) != 0) {
        return false;
    }
    // The back buffer is opaque, whatever a blended draw left in its alpha channel.
    for (uint32_t& pixel : pixels) pixel |= 0xFF000000u;
    return true;
}
