#pragma once
// The drawing surface: a window titled "Zarvex 2" with a fixed 792 x 592 client area (or full
// screen), an 800 x 600 render target that the game always draws into, and the flip that copies
// that target to the window. Headless runs use SDL's offscreen driver with a software renderer.

#include <SDL.h>

#include <cstdint>
#include <vector>

constexpr int kSurfaceWidth = 800;
constexpr int kSurfaceHeight = 600;
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 592;

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

private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* target_ = nullptr;
    bool fullScreen_ = false;
    bool headless_ = false;
    bool stopped_ = false;
    bool vsync_ = false;
    uint64_t lastPresentTicks_ = 0;
    int shortPresents_ = 0;
};
