#pragma once
// Textures die with the renderer that made them. The image lists and the text canvas belong to
// the game and may outlive the display, so a texture is only used and freed while the renderer
// it came from still exists.

#include <SDL.h>

#include <cstdint>

// The display reports the renderers it creates and destroys.
void NoteRendererCreated(SDL_Renderer* renderer);
void NoteRendererDestroyed(SDL_Renderer* renderer);

// A texture tied to the life of its renderer. A renderer the display never reported is trusted
// to outlive its textures.
class OwnedTexture {
public:
    OwnedTexture() = default;
    OwnedTexture(SDL_Renderer* renderer, SDL_Texture* texture);
    ~OwnedTexture() { Reset(); }
    OwnedTexture(OwnedTexture&& other) noexcept;
    OwnedTexture& operator=(OwnedTexture&& other) noexcept;
    OwnedTexture(const OwnedTexture&) = delete;
    OwnedTexture& operator=(const OwnedTexture&) = delete;

    // The texture, or nullptr when there is none or its renderer has been destroyed.
    SDL_Texture* Get() const;
    void Reset();

private:
    SDL_Texture* texture_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    uint64_t life_ = 0;  // 0: renderer unknown to the display
};
