#pragma once
// The drawing surface: a window titled "Zarvex 2" with a fixed 792 x 592 client area (or full
// screen), an 800 x 600 render target that the game always draws into, and the flip that copies
// that target to the window. Headless runs use SDL's offscreen driver with a software renderer.

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "media/frame_pacer.h"

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 592;

// Some displays report 0 or 1 Hz when they cannot tell their rate; the frame timing would then
// divide by zero or run 85 times too fast, so such a rate counts as 60 Hz.
int UsableRefreshRate(int reportedHz);

// Where the 800 x 600 surface lands in an output of the given size: stretched over all of it in
// a window, the largest centred 4:3 area in full screen (bars on the other sides).
SDL_Rect SurfacePlacement(int outputWidth, int outputHeight, bool fullScreen);

class TDisplay {
public:
    TDisplay() = default;
    ~TDisplay();
    TDisplay(const TDisplay&) = delete;
    TDisplay& operator=(const TDisplay&) = delete;

    // Creates the window, renderer and render target. headless: no pacing in Present, software
    // renderer, window never shown. Returns false (with SDL_GetError) when SDL video fails.
    bool Open(bool fullScreen, bool headless);
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

    // Window coordinates (792 x 592 or the full-screen size) to surface pixels (800 x 600).
    void WindowToSurface(int wx, int wy, int& sx, int& sy) const;

    // The back buffer as 0xAARRGGBB pixels, 800 x 600, top row first.
    bool ReadPixels(std::vector<uint32_t>& pixels) const;

    SDL_Renderer* Renderer() const { return renderer_; }
    SDL_Window* Window() const { return window_; }
    // True when the renderer promised to wait for the vertical blank when presenting.
    bool VSync() const { return vsync_; }
    // True while Present holds the frame rate itself because presenting does not wait.
    bool SelfPacing() const { return pacer_ && pacer_->Pacing(); }

private:
    void CopyTargetToWindow();
    void WaitForPresentSlot();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* target_ = nullptr;
    bool fullScreen_ = false;
    bool headless_ = false;
    bool stopped_ = false;
    bool vsync_ = false;
    bool videoStarted_ = false;
    std::optional<FramePacer> pacer_;
};
