#include "media/image_list.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "archive/archive_reader.h"
#include "core/names.h"
#include "media/sdl_failure.h"

namespace {

// The picture's pixels as the texture gets them: the key colour (stored as 0x00BBGGRR) becomes
// fully see-through. Its colour channels are cleared as well, so that a smoothed draw never
// bleeds magenta into the edges. An opaque picture whose pixels are all opaque already (every
// decoded one) goes to the texture as it is, without a copy: the big menu pictures are.
const uint32_t* TexturePixels(const ImageEntry& entry, std::vector<uint32_t>& converted) {
    const std::vector<uint32_t>& pixels = entry.picture.pixels;
    if (!entry.HasKeyColor()) {
        const bool opaque = std::all_of(pixels.begin(), pixels.end(),
                                        [](uint32_t pixel) { return pixel >= 0xFF000000u; });
        if (opaque) return pixels.data();
        converted = pixels;
        for (uint32_t& pixel : converted) pixel |= 0xFF000000u;
        return converted.data();
    }
    const uint32_t key = entry.transparentColor;
    const uint32_t keyRgb = ((key & 0xFFu) << 16) | (key & 0xFF00u) | ((key >> 16) & 0xFFu);
    converted.resize(pixels.size());
    for (size_t k = 0; k < pixels.size(); ++k) {
        const uint32_t pixel = pixels[k];
        converted[k] = (pixel & 0x00FFFFFFu) == keyRgb ? 0u : (pixel | 0xFF000000u);
    }
    return converted.data();
}

}  // namespace

TPictureItem::TPictureItem(ImageEntry entry)
    : entry_(std::move(entry)), layout_(LayoutOf(entry_)) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Prepare(SDL_Renderer* renderer) {
    texture_.Reset();
    renderer_ = renderer;
    const DecodedPicture& picture = entry_.picture;
    if (renderer == nullptr || picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
        return;
    }
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                          picture.width, picture.height);
    const auto fail = [&](const char* step) {
        const std::string message =
            "Image '" + entry_.name + "' cannot be prepared (" + step + "): " + SDL_GetError();
        if (texture != nullptr) SDL_DestroyTexture(texture);
        throw std::runtime_error(message);
    };
    if (texture == nullptr) fail("texture");
    std::vector<uint32_t> converted;
    const uint32_t* pixels = TexturePixels(entry_, converted);
    // A texture whose pixels did not arrive would show whatever the renderer had there.
    if (SDL_UpdateTexture(texture, nullptr, pixels,
                          picture.width * static_cast<int>(sizeof(uint32_t))) != 0) {
        fail("pixels");
    }
    // Opaque pictures are copied straight, which is much cheaper for the software renderer;
    // DrawBlended switches blending on for its own draw. Without blending a picture with a key
    // colour would draw its see-through pixels black.
    if (SDL_SetTextureBlendMode(
            texture, entry_.HasKeyColor() ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE) != 0) {
        fail("blend mode");
    }
    // Smoothed scaling only softens the turned and scaled draws: worth a note, not a stop.
    if (SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest) != 0) {
        ReportSdlFailureOnce("SDL_SetTextureScaleMode (pictures)");
    }
    texture_ = OwnedTexture(renderer, texture);
}

SDL_Texture* TPictureItem::PatternSource(int pattern, SDL_Rect& source) const {
    SDL_Texture* texture = texture_.Get();
    if (texture == nullptr || pattern < 0 || pattern >= layout_.PatternCount()) return nullptr;
    const PatternRect rect = layout_.RectOf(pattern);
    source = SDL_Rect{rect.x, rect.y, rect.width, rect.height};
    return texture;
}

void TPictureItem::DrawPattern(int x, int y, int pattern) const {
    SDL_Rect source;
    SDL_Texture* texture = PatternSource(pattern, source);
    if (texture == nullptr) return;
    const SDL_Rect dest{x, y, source.w, source.h};
    SDL_RenderCopy(renderer_, texture, &source, &dest);
}

void TPictureItem::DrawPatternColumns(int x, int y, int pattern, int first, int count) const {
    SDL_Rect source;
    SDL_Texture* texture = PatternSource(pattern, source);
    if (texture == nullptr) return;
    first = std::clamp(first, 0, source.w);
    count = std::clamp(count, 0, source.w - first);
    if (count == 0) return;
    source.x += first;
    source.w = count;
    const SDL_Rect dest{x + first, y, count, source.h};
    SDL_RenderCopy(renderer_, texture, &source, &dest);
}

void TPictureItem::DrawBlended(const SDL_Rect& dest, int pattern, int alpha) const {
    if (alpha <= 0) return;
    SDL_Rect source;
    SDL_Texture* texture = PatternSource(pattern, source);
    if (texture == nullptr) return;
    if (alpha >= 255) {
        SDL_RenderCopy(renderer_, texture, &source, &dest);
        return;
    }
    // A renderer that cannot blend would draw the pattern at full strength: better not at all.
    if (SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND) != 0 ||
        SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(alpha)) != 0) {
        ReportSdlFailureOnce("Blended drawing");
    } else {
        SDL_RenderCopy(renderer_, texture, &source, &dest);
    }
    SDL_SetTextureAlphaMod(texture, 255);
    if (!entry_.HasKeyColor()) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
}

void TPictureItem::DrawTurned(int x, int y, int width, int height, int pattern, double centreX,
                              double centreY, int angle) const {
    if (width <= 0 || height <= 0) return;
    SDL_Rect source;
    SDL_Texture* texture = PatternSource(pattern, source);
    if (texture == nullptr) return;
    // The pivot (centreX, centreY) of the scaled pattern lands on (x, y); the renderer turns
    // the destination about its pivot. 256 steps make a full turn, clockwise on screen as the
    // renderer's degrees are.
    const float pivotX = static_cast<float>(centreX * width);
    const float pivotY = static_cast<float>(centreY * height);
    const SDL_FRect dest{static_cast<float>(x) - pivotX, static_cast<float>(y) - pivotY,
                         static_cast<float>(width), static_cast<float>(height)};
    const SDL_FPoint pivot{pivotX, pivotY};
    const double degrees = static_cast<double>(angle & 0xFF) * 360.0 / 256.0;
    SDL_RenderCopyExF(renderer_, texture, &source, &dest, degrees, &pivot, SDL_FLIP_NONE);
}

void TImageList::LoadArchive(const std::string& path) {
    LoadEntries(ReadImageArchive(ReadFileBytes(path)));
    source_ = path;
}

void TImageList::LoadEntries(std::vector<ImageEntry> entries) {
    source_.clear();
    items_.clear();
    items_.reserve(entries.size());
    for (ImageEntry& entry : entries) {
        items_.push_back(std::make_unique<TPictureItem>(std::move(entry)));
    }
}

void TImageList::Prepare(SDL_Renderer* renderer) {
    try {
        for (const auto& item : items_) item->Prepare(renderer);
    } catch (const std::runtime_error& error) {
        if (source_.empty()) throw;
        throw std::runtime_error(source_ + ": " + error.what());
    }
}

TPictureItem* TImageList::Find(std::string_view name) const {
    for (const auto& item : items_) {
        if (SameNameIgnoringCase(item->Name(), name)) return item.get();
    }
    return nullptr;
}

TPictureItem& TImageList::ByName(std::string_view name) const {
    TPictureItem* item = Find(name);
    if (item == nullptr) {
        const std::string message = "Image '" + std::string(name) + "' not found";
        throw std::runtime_error(source_.empty() ? message : source_ + ": " + message);
    }
    return *item;
}
