#pragma once
// The back buffer's text canvas: desktop fonts looked up by family name through fontconfig
// (with the game's own alias file), sizes in points at 96 dpi, text drawn with no background.

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TTextCanvas {
public:
    TTextCanvas();
    ~TTextCanvas();
    TTextCanvas(const TTextCanvas&) = delete;
    TTextCanvas& operator=(const TTextCanvas&) = delete;

    // Loads the alias file (an absolute path is made from a relative one) on top of the system
    // configuration. Returns false when fontconfig or SDL_ttf cannot start.
    bool Init(const std::string& fontsConfPath);
    void SetRenderer(SDL_Renderer* renderer);

    // colour is 0x00RRGGBB.
    void SetFont(const std::string& family, int sizePt, uint32_t colour, bool bold);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    // Writes text with its top-left corner at (x, y) on the back buffer.
    void TextOut(int x, int y, std::string_view text);
    // Ends the frame's use of the canvas (drops text textures not used for a while).
    void Release();

    // The family fontconfig actually chose for a requested family ("" when none).
    std::string MatchedFamily(const std::string& family, bool bold);
    // The font file chosen for a family, and whether bold has to be drawn synthetically because
    // the family has no bold face.
    std::string MatchedFile(const std::string& family, bool bold);
    bool SyntheticBold(const std::string& family, bool bold);

    // Rendered texts kept for reuse (tests watch that the cache does not grow without end).
    int CachedTextCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
