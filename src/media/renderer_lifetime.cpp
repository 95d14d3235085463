#include "media/renderer_lifetime.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct RendererLife {
    SDL_Renderer* renderer;
    uint64_t life;
};

// A renderer created at the address of a destroyed one gets a new life number, so textures of
// the old one are never mistaken for its own.
std::vector<RendererLife> liveRenderers;
uint64_t lastLife = 0;

uint64_t LifeOf(SDL_Renderer* renderer) {
    for (const RendererLife& entry : liveRenderers) {
        if (entry.renderer == renderer) return entry.life;
    }
    return 0;
}

}  // namespace

void NoteRendererCreated(SDL_Renderer* renderer) {
    NoteRendererDestroyed(renderer);
    liveRenderers.push_back({renderer, ++lastLife});
}

void NoteRendererDestroyed(SDL_Renderer* renderer) {
    std::erase_if(liveRenderers,
                  [renderer](const RendererLife& entry) { return entry.renderer == renderer; });
}

OwnedTexture::OwnedTexture(SDL_Renderer* renderer, SDL_Texture* texture)
    : texture_(texture), renderer_(renderer), life_(LifeOf(renderer)) {}

OwnedTexture::OwnedTexture(OwnedTexture&& other) noexcept
    : texture_(std::exchange(other.texture_, nullptr)),
      renderer_(std::exchange(other.renderer_, nullptr)),
      life_(std::exchange(other.life_, 0)) {}

OwnedTexture& OwnedTexture::operator=(OwnedTexture&& other) noexcept {
    if (this != &other) {
        Reset();
        texture_ = std::exchange(other.texture_, nullptr);
        renderer_ = std::exchange(other.renderer_, nullptr);
        life_ = std::exchange(other.life_, 0);
    }
    return *this;
}

SDL_Texture* OwnedTexture::Get() const {
    if (texture_ == nullptr) return nullptr;
    if (life_ != 0 && LifeOf(renderer_) != life_) return nullptr;
    return texture_;
}

void OwnedTexture::Reset() {
    if (SDL_Texture* texture = Get()) SDL_DestroyTexture(texture);
    texture_ = nullptr;
    renderer_ = nullptr;
    life_ = 0;
}
