#pragma once
// The drawing surface: a window titled "Zarvex 2" with a 792 x 592 client area that the player
// may resize and maximise (or full screen), an 800 x 600 render target that the game always
// draws into, and the flip that copies that target to the window, scaled to fit it. Headless runs
// use SDL's offscreen driver with a software renderer.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "media/frame_pacer.h"

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 592;

// Some displays report 0 or 1 Hz when they cannot tell their rate; the frame timing would then
// divide by zero or run 85 times too fast, so such a rate counts as 60 Hz. (Departs from the
// original rule, which takes the rate as reported: docs/departures.md.)
int UsableRefreshRate(int reportedHz);

// Which part of the 800 x 600 surface is shown where in an output of the given size, and whether
// it is scaled smoothly (otherwise pixel for pixel, or by a whole multiple with sharp pixels).
struct SurfaceView {
    SDL_Rect source;  // on the surface
    SDL_Rect dest;    // in the output
    bool smooth = false;
};

// In a window the surface's top-left 792 x 592 pixels are the picture (the art keeps everything
// that matters inside that area). A window of that size shows them one to one. A larger window
// shows them enlarged by the largest whole multiple that fits, sharp, as long as that fills at
// least three quarters of the size a smooth scaling would reach; otherwise (a 1920 x 1080 screen
// holds only one whole 792 x 592, at less than three fifths of the height it could have) they
// are scaled smoothly to the largest size that keeps their proportions. Either way the picture
// is centred, with black bars on the other sides. In full screen the whole surface is scaled
// smoothly to the largest centred 4:3 area. Showing only the top-left part departs from the
// original rule, which squeezes the whole surface into the client area and blurs every picture
// and letter (docs/departures.md).
SurfaceView SurfacePlacement(int outputWidth, int outputHeight, bool fullScreen);

// The smallest window the player can shrink the game's window to: half the picture's size.
constexpr int kMinimumWindowWidth = kClientWidth / 2;
constexpr int kMinimumWindowHeight = kClientHeight / 2;

class TDisplay {
public:
    TDisplay() = default;
    ~TDisplay();
    TDisplay(const TDisplay&) = delete;
    TDisplay& operator=(const TDisplay&) = delete;

    // Creates the window, renderer and render target. headless: no pacing in Present, software
    // renderer, window never shown, never resized. Returns false (with SDL_GetError) when SDL
    // video fails.
    bool Open(bool fullScreen, bool headless);

    // The window's client size outside full screen (in the desktop's units, which a high-density
    // screen shows with more pixels each) and whether it is maximised. Set before Open to open
    // the window the way the player left it (a size larger than the screen's usable area shrinks
    // to fit it); kept up to date by NoteWindowChanged while the game runs.
    void SetWindowedSize(int width, int height, bool maximised);
    int WindowedWidth() const { return windowedWidth_; }
    int WindowedHeight() const { return windowedHeight_; }
    bool Maximised() const { return maximised_; }
    // The window was resized, maximised or restored: remembers its size outside full screen.
    void NoteWindowChanged();
    void Close();

    // Tear the display down and bring it up again in the other mode (the window keeps its
    // renderer; the game's textures survive).
    void StopDisplay();
    void StartDisplay(bool fullScreen);
    bool FullScreen() const { return fullScreen_; }

    bool IsDrawable() const;
    bool Headless() const { return headless_; }
    // Fills the back buffer; colour is 0x00RRGGBB.
    void ClearTo(uint32_t colour);
    // Copies the back buffer to the window and shows it. With vsync that waits for the vertical
    // blank; when presenting returns at once (software renderer, some drivers) the frame rate is
    // held to the refresh rate here instead. Headless displays never wait.
    void Present();

    // The display's vertical refresh rate in Hz; a reported 0 or 1 (unknown) counts as 60.
    int ReadRefreshRate() const;

    // Window coordinates (as mouse events give them) to surface pixels, through the scaling of
    // the picture. Positions off the picture are held to its edge; the result is false for those
    // in the bars beside it (a drag that leaves the window counts as on the picture's edge).
    bool WindowToSurface(int wx, int wy, int& sx, int& sy) const;

    // The back buffer as 0xAARRGGBB pixels, 800 x 600, top row first.
    bool ReadPixels(std::vector<uint32_t>& pixels) const;

    // Test hook: Present hands the observer the window's pixels (0xAARRGGBB, top row first) as
    // they were copied, right before they are shown. A headless display copies its back buffer
    // to its window only while an observer is set.
    using WindowObserver =
        std::function<void(const std::vector<uint32_t>& pixels, int width, int height)>;
    void ObserveWindow(WindowObserver observer) { windowObserver_ = std::move(observer); }

    // The hand pointer shown over the window, made with the display and freed with it; nullptr
    // when the video driver has no system cursors (the offscreen driver).
    SDL_Cursor* Cursor() const { return cursor_; }

    SDL_Renderer* Renderer() const { return renderer_; }
    SDL_Window* Window() const { return window_; }
    // True when the renderer promised to wait for the vertical blank when presenting.
    bool VSync() const { return vsync_; }
    // True while Present holds the frame rate itself because presenting does not wait.
    bool SelfPacing() const { return pacer_ && pacer_->Pacing(); }

private:
    // Points drawing at the back buffer; when the renderer refuses, the surface counts as lost
    // (IsDrawable is false) until a later call succeeds.
    bool TargetBackBuffer();
    bool CopyTargetToWindow();
    void FitWindowedSizeToScreen();
    void ObserveCopiedWindow();
    void WaitForPresentSlot();
    // The software renderer's clear (display.cpp says why); false when it cannot be done so.
    bool CopyClearStrip(uint32_t colour);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* target_ = nullptr;
    bool software_ = false;
    SDL_Texture* clearStrip_ = nullptr;
    std::optional<uint32_t> clearStripPixel_;  // the colour the strip holds
    SDL_Cursor* cursor_ = nullptr;
    WindowObserver windowObserver_;
    bool targetLost_ = false;
    int targetScaleMode_ = -1;  // the SDL_ScaleMode last set on target_
    bool fullScreen_ = false;
    int windowedWidth_ = kClientWidth;
    int windowedHeight_ = kClientHeight;
    bool maximised_ = false;
    bool headless_ = false;
    bool stopped_ = false;
    bool vsync_ = false;
    bool videoStarted_ = false;
    std::optional<FramePacer> pacer_;
};
