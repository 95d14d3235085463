#pragma once
// The back buffer's text canvas: desktop fonts looked up by family name through fontconfig
// (with the game's own alias file), sizes in points at 96 dpi, text drawn with no background.
// A text may be dressed in one of a few looks (TextLook); the look never moves a text's middle.

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// How a text is dressed.
//   Plain     the face's own letters in the colour.
//   Lcd       a segment read-out: letters from the family, figures (digits and ':') from the face
//             the alias file names "<family> Figures", so that no figure reads as a letter; the
//             cells are set close, and a V, which a segment face can only split, shows as a U.
//   Outlined  a dark outline and a shadow below it, so that the text reads on any background.
//   Chrome    a title: leaning forward, polished metal from white to a dark horizon, outlined.
enum class TextLook { Plain, Lcd, Outlined, Chrome };

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
    void SetFont(const std::string& family, int sizePt, uint32_t colour, bool bold,
                 TextLook look = TextLook::Plain);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    // Writes text with its top-left corner at (x, y) on the back buffer.
    void TextOut(int x, int y, std::string_view text);
    // Ends the frame's use of the canvas (drops text textures not used for a while).
    void Release();

    // The family fontconfig actually chose for a requested family ("" when none). The alias file
    // may choose by size: a size of 0 asks for none in particular.
    std::string MatchedFamily(const std::string& family, bool bold, int sizePt = 0);
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
