#include "media/text_canvas.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <tuple>
#include <unordered_map>
#include <vector>

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
    int dx = 0;  // where the picture lies against the plain text's top-left corner
    int dy = 0;
    uint64_t lastUsedFrame = 0;
};

// ---- Pictures of texts ----------------------------------------------------------------------
// Texts are put together on 32-bit surfaces with straight (not premultiplied) alpha.

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using OwnedSurface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

OwnedSurface BlankSurface(int width, int height) {
    OwnedSurface surface(SDL_CreateRGBSurfaceWithFormat(0, std::max(1, width), std::max(1, height),
                                                        32, SDL_PIXELFORMAT_ARGB8888));
    if (surface) SDL_FillRect(surface.get(), nullptr, 0);
    return surface;
}

// SDL_ttf's picture of a text as a 32-bit surface; empty when there is none.
OwnedSurface Argb(SDL_Surface* rendered) {
    if (rendered == nullptr) return nullptr;
    OwnedSurface converted(SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0));
    SDL_FreeSurface(rendered);
    return converted;
}

uint32_t& PixelAt(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                       static_cast<ptrdiff_t>(y) * surface->pitch)[x];
}

uint32_t PixelOf(const SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                             static_cast<ptrdiff_t>(y) * surface->pitch)[x];
}

// Lays src over dst with its top-left corner at (ox, oy). A tint replaces the source's colour
// (its coverage stays); opacity scales the source's coverage.
void Over(SDL_Surface* dst, const SDL_Surface* src, int ox, int oy, int64_t tint = -1,
          double opacity = 1.0) {
    for (int y = 0; y < src->h; ++y) {
        const int ty = y + oy;
        if (ty < 0 || ty >= dst->h) continue;
        for (int x = 0; x < src->w; ++x) {
            const int tx = x + ox;
            if (tx < 0 || tx >= dst->w) continue;
            uint32_t s = PixelOf(src, x, y);
            if (tint >= 0) s = (s & 0xFF000000u) | (static_cast<uint32_t>(tint) & 0xFFFFFFu);
            const double as = (s >> 24) / 255.0 * opacity;
            if (as <= 0) continue;
            uint32_t& d = PixelAt(dst, tx, ty);
            const double ad = (d >> 24) / 255.0;
            const double ao = as + ad * (1 - as);
            uint32_t out = static_cast<uint32_t>(std::lround(ao * 255)) << 24;
            for (int shift = 0; shift <= 16; shift += 8) {
                const double cs = (s >> shift) & 0xFF;
                const double cd = (d >> shift) & 0xFF;
                const double c = (cs * as + cd * ad * (1 - as)) / ao;
                out |= static_cast<uint32_t>(std::clamp(std::lround(c), 0L, 255L)) << shift;
            }
            d = out;
        }
    }
}

// A chrome title's metal, top to bottom: a bright sky, a dark horizon, the ground reflecting.
uint32_t ChromeAt(double t) {
    struct Stop {
        double at;
        uint32_t colour;
    };
    static constexpr Stop kStops[] = {
        {0.0, 0xFFFFFF}, {0.42, 0xD3D8E0}, {0.50, 0x6F7887}, {0.56, 0x9AA2AF}, {1.0, 0xF2F4F7}};
    t = std::clamp(t, 0.0, 1.0);
    for (size_t i = 1; i < std::size(kStops); ++i) {
        if (t > kStops[i].at) continue;
        const double f = (t - kStops[i - 1].at) / (kStops[i].at - kStops[i - 1].at);
        uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const double a = (kStops[i - 1].colour >> shift) & 0xFF;
            const double b = (kStops[i].colour >> shift) & 0xFF;
            out |= static_cast<uint32_t>(std::lround(a + (b - a) * f)) << shift;
        }
        return out;
    }
    return kStops[std::size(kStops) - 1].colour;
}

// Paints the metal over the rows of the text's ink, keeping its coverage.
void PaintChrome(SDL_Surface* surface) {
    int top = surface->h;
    int bottom = -1;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            if ((PixelOf(surface, x, y) >> 24) != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (bottom < top) return;
    for (int y = top; y <= bottom; ++y) {
        const uint32_t metal = ChromeAt((y - top) / std::max(1.0, double(bottom - top)));
        for (int x = 0; x < surface->w; ++x) {
            uint32_t& p = PixelAt(surface, x, y);
            p = (p & 0xFF000000u) | metal;
        }
    }
}

// Leans a picture forward: each row moves right by slant times its height above the middle row,
// blended between the two pixels it falls between. The picture grows by the lean on both sides.
OwnedSurface Lean(const SDL_Surface* src, double slant, int& grow) {
    grow = static_cast<int>(std::ceil(std::fabs(slant) * src->h / 2)) + 1;
    OwnedSurface out = BlankSurface(src->w + 2 * grow, src->h);
    if (!out) return out;
    auto at = [src](int x, int y) { return x >= 0 && x < src->w ? PixelOf(src, x, y) : 0u; };
    const double middle = src->h / 2.0;
    for (int y = 0; y < src->h; ++y) {
        const double shift = slant * (middle - (y + 0.5)) + grow;
        for (int x = 0; x < out->w; ++x) {
            const double from = x - shift;
            const int left = static_cast<int>(std::floor(from));
            const double part = from - left;
            const uint32_t a = at(left, y);
            const uint32_t b = at(left + 1, y);
            // Mixed with their coverage as weights, so that no dark rim appears at the edges.
            const double wa = (1 - part) * ((a >> 24) / 255.0);
            const double wb = part * ((b >> 24) / 255.0);
            const double alpha = wa + wb;
            if (alpha <= 0) continue;
            uint32_t pixel = static_cast<uint32_t>(std::lround(alpha * 255)) << 24;
            for (int bits = 0; bits <= 16; bits += 8) {
                const double c = (((a >> bits) & 0xFF) * wa + ((b >> bits) & 0xFF) * wb) / alpha;
                pixel |= static_cast<uint32_t>(std::lround(c)) << bits;
            }
            PixelAt(out.get(), x, y) = pixel;
        }
    }
    return out;
}

constexpr uint32_t kOutlineInk = 0x06070A;

// The pixel size of a size in points on the screen.
double PixelSize(int sizePt) {
    return sizePt * kScreenDpi / 72.0;
}

}  // namespace

struct TTextCanvas::Impl {
    bool ttfStarted = false;
    FcConfig* config = nullptr;
    SDL_Renderer* renderer = nullptr;

    // Open fonts by (family as the game names it, size in points, bold, outline in pixels).
    std::map<std::tuple<std::string, int, bool, int>, std::pair<int, TTF_Font*>> fonts;
    int nextFontId = 1;
    TTF_Font* font = nullptr;
    int fontId = 0;
    uint32_t colour = 0;
    TextLook look = TextLook::Plain;
    int sizePt = 0;
    TTF_Font* figures = nullptr;  // an LCD family's figure face
    TTF_Font* outline = nullptr;  // the face widened by the outline of an outlined look
    int outlineWidth = 0;

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

    bool Match(const std::string& family, bool bold, int sizePt, FontMatch& match) const {
        if (config == nullptr) return false;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        if (sizePt > 0) FcPatternAddDouble(pattern, FC_SIZE, sizePt);
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

    std::pair<int, TTF_Font*> Open(const std::string& family, int sizePt, bool bold,
                                   int outlinePx = 0) {
        const auto key = std::make_tuple(family, sizePt, bold, outlinePx);
        if (auto it = fonts.find(key); it != fonts.end()) return it->second;
        TTF_Font* opened = nullptr;
        FontMatch match;
        if (ttfStarted && sizePt > 0 && Match(family, bold, sizePt, match)) {
            opened = TTF_OpenFontIndexDPI(match.file.c_str(), sizePt, match.index, kScreenDpi,
                                          kScreenDpi);
            if (opened != nullptr && NeedsSyntheticBold(match, bold)) {
                TTF_SetFontStyle(opened, TTF_STYLE_BOLD);
            }
            if (opened != nullptr && outlinePx > 0) TTF_SetFontOutline(opened, outlinePx);
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

    // ---- The looks ------------------------------------------------------------------------

    // One cell of an LCD read-out: the face, the character drawn and where its cell starts.
    struct LcdCell {
        TTF_Font* face;
        uint32_t glyph;
        int x;
    };

    // The read-out's cells and its width. Cells are set closer than the face sets them, by a
    // tenth of the size: the face leaves a wide gap on the right of every cell. The space and
    // the colon keep their own narrow advance.
    std::vector<LcdCell> LcdLayout(std::string_view text, int& width) const {
        std::vector<LcdCell> cells;
        const double px = PixelSize(sizePt);
        const int closer = static_cast<int>(std::lround(px / 10));
        int pen = 0;
        for (const char c : text) {
            const unsigned char byte = static_cast<unsigned char>(c);
            if (byte >= 0x80) continue;  // the read-outs show plain ASCII
            const bool figure = (byte >= '0' && byte <= '9') || byte == ':';
            TTF_Font* face = figure && figures != nullptr ? figures : font;
            const uint32_t glyph = byte == 'V' || byte == 'v' ? 'U' : byte;
            int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
            if (TTF_GlyphMetrics32(face, glyph, &minX, &maxX, &minY, &maxY, &advance) != 0)
                advance = 0;
            cells.push_back({face, glyph, pen});
            pen += advance > px / 2 ? advance - closer : advance;
        }
        width = pen;
        return cells;
    }

    int Width(std::string_view text) const {
        if (font == nullptr || text.empty()) return 0;
        if (look == TextLook::Lcd) {
            int width = 0;
            LcdLayout(text, width);
            return width;
        }
        int width = 0;
        int height = 0;
        if (TTF_SizeUTF8(font, std::string(text).c_str(), &width, &height) != 0) return 0;
        return width;
    }

    // The picture of a text in the current look, and where it lies against the plain text's
    // top-left corner.
    OwnedSurface Render(std::string_view text, int& dx, int& dy) const {
        dx = dy = 0;
        const std::string line(text);
        const SDL_Color fill{static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                             static_cast<Uint8>(colour), 255};
        switch (look) {
            case TextLook::Plain:
                return Argb(TTF_RenderUTF8_Blended(font, line.c_str(), fill));
            case TextLook::Lcd: {
                int width = 0;
                const std::vector<LcdCell> cells = LcdLayout(text, width);
                OwnedSurface out = BlankSurface(width + 4, TTF_FontHeight(font));
                if (!out) return out;
                for (const LcdCell& cell : cells) {
                    if (cell.glyph == ' ') continue;
                    OwnedSurface glyph =
                        Argb(TTF_RenderGlyph32_Blended(cell.face, cell.glyph, fill));
                    if (glyph)
                        Over(out.get(), glyph.get(), cell.x,
                             TTF_FontAscent(font) - TTF_FontAscent(cell.face));
                }
                return out;
            }
            case TextLook::Outlined: {
                OwnedSurface body = Argb(TTF_RenderUTF8_Blended(font, line.c_str(), fill));
                OwnedSurface rim = outline != nullptr
                                       ? Argb(TTF_RenderUTF8_Blended(outline, line.c_str(), fill))
                                       : nullptr;
                if (!body || !rim) return body;
                // The shadow falls a little below and right of the outline.
                const int drop = std::max(2, outlineWidth);
                OwnedSurface out = BlankSurface(rim->w + drop, rim->h + drop);
                if (!out) return body;
                Over(out.get(), rim.get(), drop, drop, 0x000000, 0.5);
                Over(out.get(), rim.get(), 0, 0, kOutlineInk);
                Over(out.get(), body.get(), outlineWidth, outlineWidth);
                dx = dy = -outlineWidth;
                return out;
            }
            case TextLook::Chrome: {
                OwnedSurface body = Argb(TTF_RenderUTF8_Blended(font, line.c_str(), fill));
                OwnedSurface rim = outline != nullptr
                                       ? Argb(TTF_RenderUTF8_Blended(outline, line.c_str(), fill))
                                       : nullptr;
                if (!body || !rim) return body;
                PaintChrome(body.get());
                OwnedSurface upright = BlankSurface(rim->w, rim->h);
                if (!upright) return body;
                Over(upright.get(), rim.get(), 0, 0, kOutlineInk);
                Over(upright.get(), body.get(), outlineWidth, outlineWidth);
                int grow = 0;
                OwnedSurface out = Lean(upright.get(), 0.06, grow);
                dx = -outlineWidth - grow;
                dy = -outlineWidth;
                return out;
            }
        }
        return nullptr;
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

void TTextCanvas::SetFont(const std::string& family, int sizePt, uint32_t colour, bool bold,
                          TextLook look) {
    Impl& impl = *impl_;
    const auto [id, font] = impl.Open(family, sizePt, bold);
    impl.fontId = id;
    impl.font = font;
    impl.colour = colour & 0x00FFFFFFu;
    impl.look = look;
    impl.sizePt = sizePt;
    impl.figures = nullptr;
    impl.outline = nullptr;
    impl.outlineWidth = 0;
    if (font == nullptr) return;
    if (look == TextLook::Lcd) impl.figures = impl.Open(family + " Figures", sizePt, bold).second;
    if (look == TextLook::Outlined || look == TextLook::Chrome) {
        // About a sixteenth of the size for the window texts, a thirtieth for the titles.
        const double px = PixelSize(sizePt);
        impl.outlineWidth =
            static_cast<int>(std::max(2L, std::lround(px / (look == TextLook::Chrome ? 30 : 16))));
        impl.outline = impl.Open(family, sizePt, bold, impl.outlineWidth).second;
    }
}

int TTextCanvas::TextWidth(std::string_view text) {
    return impl_->Width(text);
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
    key += std::to_string(static_cast<int>(impl.look));
    key += '\x1f';
    key += text;
    auto it = impl.texts.find(key);
    if (it == impl.texts.end() || it->second.texture.Get() == nullptr) {
        CachedText cached;
        OwnedSurface surface = impl.Render(text, cached.dx, cached.dy);
        if (!surface) return;
        SDL_Texture* texture = SDL_CreateTextureFromSurface(impl.renderer, surface.get());
        cached.width = surface->w;
        cached.height = surface->h;
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
    const SDL_Rect dest{x + cached.dx, y + cached.dy, cached.width, cached.height};
    SDL_RenderCopy(impl.renderer, cached.texture.Get(), nullptr, &dest);
}

void TTextCanvas::Release() {
    ++impl_->frame;
    impl_->Evict();
}

std::string TTextCanvas::MatchedFamily(const std::string& family, bool bold, int sizePt) {
    FontMatch match;
    return impl_->Match(family, bold, sizePt, match) ? match.family : std::string();
}

std::string TTextCanvas::MatchedFile(const std::string& family, bool bold) {
    FontMatch match;
    return impl_->Match(family, bold, 0, match) ? match.file : std::string();
}

bool TTextCanvas::SyntheticBold(const std::string& family, bool bold) {
    FontMatch match;
    return impl_->Match(family, bold, 0, match) && Impl::NeedsSyntheticBold(match, bold);
}

int TTextCanvas::CachedTextCount() const {
    return static_cast<int>(impl_->texts.size());
}
