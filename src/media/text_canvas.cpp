#include "media/text_canvas.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <tuple>
#include <unordered_map>

#include "media/renderer_lifetime.h"
#include "media/sdl_failure.h"

namespace {

constexpr int kScreenDpi = 96;
// A rendered text unused for about two seconds of frames is dropped; the HUD redraws the same
// texts every frame and keeps them, a changing clock or score lets the old ones go.
constexpr uint64_t kKeepTextFrames = 170;
// However many different texts a frame draws, the cache stays bounded.
constexpr size_t kMaxCachedTexts = 512;

struct FontMatch {
    std::string family;
    std::string file;
    int index = 0;
    int weight = 0;
};

struct CachedText {
    OwnedTexture texture;
    int width = 0;
    int height = 0;
    uint64_t lastUsedFrame = 0;
};

}  // namespace

struct TTextCanvas::Impl {
    bool ttfStarted = false;
    FcConfig* config = nullptr;
    SDL_Renderer* renderer = nullptr;

    // Open fonts by (family as the game names it, size in points, bold).
    std::map<std::tuple<std::string, int, bool>, std::pair<int, TTF_Font*>> fonts;
    int nextFontId = 1;
    TTF_Font* font = nullptr;
    int fontId = 0;
    uint32_t colour = 0;

    std::unordered_map<std::string, CachedText> texts;
    uint64_t frame = 0;
    std::string fontsConf;                   // the alias file, for messages
    std::set<std::string> reportedFamilies;  // fonts already reported missing

    ~Impl() {
        texts.clear();
        CloseFonts();
        if (config != nullptr) FcConfigDestroy(config);
        if (ttfStarted) TTF_Quit();
    }

    void CloseFonts() {
        font = nullptr;
        fontId = 0;
        for (auto& entry : fonts) {
            if (entry.second.second != nullptr) TTF_CloseFont(entry.second.second);
        }
        fonts.clear();
    }

    bool Match(const std::string& family, bool bold, FontMatch& match) const {
        if (config == nullptr) return false;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
        FcPatternDestroy(pattern);
        if (sorted == nullptr) return false;
        const FcPattern* font = PreferNamedStyle(sorted, bold ? "Bold" : "Regular");
        bool found = false;
        FcChar8* value = nullptr;
        if (font != nullptr && FcPatternGetString(font, FC_FILE, 0, &value) == FcResultMatch) {
            match.file = reinterpret_cast<const char*>(value);
            match.family = FirstString(font, FC_FAMILY);
            if (FcPatternGetInteger(font, FC_INDEX, 0, &match.index) != FcResultMatch) {
                match.index = 0;
            }
            match.weight = WeightOf(font);
            found = true;
        }
        FcFontSetDestroy(sorted);
        return found;
    }

    static std::string FirstString(const FcPattern* font, const char* object) {
        FcChar8* value = nullptr;
        if (FcPatternGetString(font, object, 0, &value) != FcResultMatch) return std::string();
        return reinterpret_cast<const char*>(value);
    }

    static int WeightOf(const FcPattern* font) {
        int weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) != FcResultMatch) {
            weight = FC_WEIGHT_REGULAR;
        }
        return weight;
    }

    // Fontconfig ranks faces of the same family and weight equal: "Bebas Neue" has a Book and
    // a Regular face of one weight, and the screens were laid out with the Regular one (Book
    // sets "WWWWWWWWWWWW" 11 px wider). Among the faces tied with the best one, the face named
    // after the wanted style wins.
    static const FcPattern* PreferNamedStyle(const FcFontSet* sorted, const char* style) {
        if (sorted->nfont <= 0) return nullptr;
        const FcPattern* best = sorted->fonts[0];
        const std::string family = FirstString(best, FC_FAMILY);
        const int weight = WeightOf(best);
        for (int i = 0; i < sorted->nfont; ++i) {
            const FcPattern* font = sorted->fonts[i];
            if (FirstString(font, FC_FAMILY) != family) continue;
            if (WeightOf(font) != weight) continue;
            if (FirstString(font, FC_STYLE) == style) return font;
        }
        return best;
    }

    static bool NeedsSyntheticBold(const FontMatch& match, bool bold) {
        return bold && match.weight < FC_WEIGHT_DEMIBOLD;
    }

    std::pair<int, TTF_Font*> Open(const std::string& family, int sizePt, bool bold) {
        const auto key = std::make_tuple(family, sizePt, bold);
        if (auto it = fonts.find(key); it != fonts.end()) return it->second;
        TTF_Font* opened = nullptr;
        FontMatch match;
        if (ttfStarted && sizePt > 0 && Match(family, bold, match)) {
            opened = TTF_OpenFontIndexDPI(match.file.c_str(), sizePt, match.index, kScreenDpi,
                                          kScreenDpi);
            if (opened != nullptr && NeedsSyntheticBold(match, bold)) {
                TTF_SetFontStyle(opened, TTF_STYLE_BOLD);
            }
        }
        if (ttfStarted && sizePt > 0 && opened == nullptr) ReportMissingFont(family, match);
        // A font that cannot be opened is remembered too, so it is not searched every frame.
        const std::pair<int, TTF_Font*> entry{nextFontId++, opened};
        fonts.emplace(key, entry);
        return entry;
    }

    // Once per family: the texts in it are left out, and the player learns which font file (or
    // which family, when fontconfig found none) is at fault.
    void ReportMissingFont(const std::string& family, const FontMatch& match) {
        if (!reportedFamilies.insert(family).second) return;
        if (match.file.empty()) {
            std::fprintf(stderr, "Zarvex 2: no font is installed for \"%s\" (see %s)\n",
                         family.c_str(), fontsConf.c_str());
        } else {
            std::fprintf(stderr, "Zarvex 2: %s: the font for \"%s\" cannot be opened: %s\n",
                         match.file.c_str(), family.c_str(), TTF_GetError());
        }
    }

    void Evict() {
        const bool overfull = texts.size() > kMaxCachedTexts;
        std::erase_if(texts, [&](const auto& entry) {
            const uint64_t idle = frame - entry.second.lastUsedFrame;
            return idle > kKeepTextFrames || (overfull && idle > 1);
        });
    }
};

TTextCanvas::TTextCanvas() : impl_(std::make_unique<Impl>()) {}

TTextCanvas::~TTextCanvas() = default;

bool TTextCanvas::Init(const std::string& fontsConfPath) {
    if (!impl_->ttfStarted) {
        if (TTF_Init() != 0) return false;
        impl_->ttfStarted = true;
    }
    impl_->texts.clear();
    impl_->CloseFonts();
    if (impl_->config != nullptr) {
        FcConfigDestroy(impl_->config);
        impl_->config = nullptr;
    }

    // The alias file includes the system configuration and maps the game's font names onto
    // installed families. Without it the system configuration alone is used.
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(fontsConfPath, error);
    impl_->fontsConf = fontsConfPath;
    if (!error && std::filesystem::is_regular_file(path, error)) {
        FcConfig* config = FcConfigCreate();
        if (config != nullptr &&
            FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue) &&
            FcConfigBuildFonts(config)) {
            impl_->config = config;
        } else {
            if (config != nullptr) FcConfigDestroy(config);
            std::fprintf(stderr,
                         "Zarvex 2: %s cannot be read; the game's faces fall back to the "
                         "system's fonts\n",
                         fontsConfPath.c_str());
        }
    } else {
        std::fprintf(stderr,
                     "Zarvex 2: %s is missing; the game's faces fall back to the system's fonts\n",
                     fontsConfPath.c_str());
    }
    if (impl_->config == nullptr) impl_->config = FcInitLoadConfigAndFonts();
    return impl_->config != nullptr;
}

void TTextCanvas::SetRenderer(SDL_Renderer* renderer) {
    if (renderer == impl_->renderer) return;
    impl_->texts.clear();
    impl_->renderer = renderer;
}

void TTextCanvas::SetFont(const std::string& family, int sizePt, uint32_t colour, bool bold) {
    const auto [id, font] = impl_->Open(family, sizePt, bold);
    impl_->fontId = id;
    impl_->font = font;
    impl_->colour = colour & 0x00FFFFFFu;
}

int TTextCanvas::TextWidth(std::string_view text) {
    if (impl_->font == nullptr || text.empty()) return 0;
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(impl_->font, std::string(text).c_str(), &width, &height) != 0) return 0;
    return width;
}

int TTextCanvas::TextHeight(std::string_view /*text*/) {
    // Every text of a font is one line high, whatever its letters.
    if (impl_->font == nullptr) return 0;
    return TTF_FontHeight(impl_->font);
}

void TTextCanvas::TextOut(int x, int y, std::string_view text) {
    Impl& impl = *impl_;
    if (impl.font == nullptr || impl.renderer == nullptr || text.empty()) return;
    std::string key = std::to_string(impl.fontId);
    key += '\x1f';
    key += std::to_string(impl.colour);
    key += '\x1f';
    key += text;
    auto it = impl.texts.find(key);
    if (it == impl.texts.end() || it->second.texture.Get() == nullptr) {
        const SDL_Color colour{static_cast<Uint8>(impl.colour >> 16),
                               static_cast<Uint8>(impl.colour >> 8),
                               static_cast<Uint8>(impl.colour), 255};
        SDL_Surface* surface = TTF_RenderUTF8_Blended(impl.font, std::string(text).c_str(), colour);
        if (surface == nullptr) return;
        SDL_Texture* texture = SDL_CreateTextureFromSurface(impl.renderer, surface);
        CachedText cached;
        cached.width = surface->w;
        cached.height = surface->h;
        SDL_FreeSurface(surface);
        if (texture == nullptr) {
            ReportSdlFailureOnce("Text texture");
            return;
        }
        // Unblended, a text would stand in a black box: such a text is left out instead.
        if (SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND) != 0) {
            ReportSdlFailureOnce("Text blending");
            SDL_DestroyTexture(texture);
            return;
        }
        cached.texture = OwnedTexture(impl.renderer, texture);
        it = impl.texts.insert_or_assign(std::move(key), std::move(cached)).first;
    }
    CachedText& cached = it->second;
    cached.lastUsedFrame = impl.frame;
    const SDL_Rect dest{x, y, cached.width, cached.height};
    SDL_RenderCopy(impl.renderer, cached.texture.Get(), nullptr, &dest);
}

void TTextCanvas::Release() {
    ++impl_->frame;
    impl_->Evict();
}

std::string TTextCanvas::MatchedFamily(const std::string& family, bool bold) {
    FontMatch match;
    return impl_->Match(family, bold, match) ? match.family : std::string();
}

std::string TTextCanvas::MatchedFile(const std::string& family, bool bold) {
    FontMatch match;
    return impl_->Match(family, bold, match) ? match.file : std::string();
}

bool TTextCanvas::SyntheticBold(const std::string& family, bool bold) {
    FontMatch match;
    return impl_->Match(family, bold, match) && Impl::NeedsSyntheticBold(match, bold);
}

int TTextCanvas::CachedTextCount() const {
    return static_cast<int>(impl_->texts.size());
}
