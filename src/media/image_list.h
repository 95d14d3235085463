#pragma once
// The game's two image lists: named pictures cut into patterns, loaded from an image archive and
// drawn on the 800 x 600 back buffer. Names are looked up without regard to case.

#include <SDL.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_types.h"
#include "archive/pattern_geometry.h"
#include "media/renderer_lifetime.h"

class TPictureItem {
public:
    explicit TPictureItem(ImageEntry entry);
    ~TPictureItem();
    TPictureItem(const TPictureItem&) = delete;
    TPictureItem& operator=(const TPictureItem&) = delete;

    const std::string& Name() const { return entry_.name; }
    int PatternWidth() const { return layout_.PatternWidthOf(); }
    int PatternHeight() const { return layout_.PatternHeightOf(); }
    int PatternCount() const { return layout_.PatternCount(); }
    int Width() const { return entry_.picture.width; }
    int Height() const { return entry_.picture.height; }
    // True when a key colour is left out of the drawn picture ("clNone" leaves nothing out).
    bool Transparent() const { return entry_.HasKeyColor(); }
    const ImageEntry& Entry() const { return entry_; }

    // Makes the picture drawable on the renderer (the key colour becomes see-through). Throws
    // std::runtime_error naming the picture when the renderer cannot take it.
    void Prepare(SDL_Renderer* renderer);
    bool Prepared() const { return texture_.Get() != nullptr; }

    // One pattern with its top-left corner at (x, y). Nothing is drawn for a pattern number out
    // of range or before Prepare.
    void DrawPattern(int x, int y, int pattern) const;
    // Columns first .. first + count - 1 of a pattern, where DrawPattern at (x, y) would put them.
    void DrawPatternColumns(int x, int y, int pattern, int first, int count) const;
    // One pattern scaled into dest and blended: alpha 255 opaque, 0 nothing. The key colour
    // stays see-through.
    void DrawBlended(const SDL_Rect& dest, int pattern, int alpha) const;
    // One pattern scaled to width x height and turned by angle (256 steps a full turn, positive
    // clockwise) about the point (x, y); (centreX, centreY) is the pivot inside the pattern as
    // fractions of its size, and may lie outside 0..1.
    void DrawTurned(int x, int y, int width, int height, int pattern, double centreX,
                    double centreY, int angle) const;

private:
    // The texture and source rectangle of a drawable pattern; nullptr when there is nothing to
    // draw.
    SDL_Texture* PatternSource(int pattern, SDL_Rect& source) const;

    ImageEntry entry_;
    PatternLayout layout_;
    SDL_Renderer* renderer_ = nullptr;
    OwnedTexture texture_;
};

class TImageList {
public:
    // Replaces the contents with the archive's; throws ArchiveError naming the file when it
    // cannot be opened, or with the format's message when it is corrupt.
    void LoadArchive(const std::string& path);
    void LoadEntries(std::vector<ImageEntry> entries);
    void Prepare(SDL_Renderer* renderer);

    // Throws std::runtime_error "Image '<name>' not found" when absent, after the archive's
    // path and a colon when the list came from a file.
    TPictureItem& ByName(std::string_view name) const;
    TPictureItem* Find(std::string_view name) const;
    int Count() const { return static_cast<int>(items_.size()); }
    TPictureItem& Item(int index) const { return *items_[index]; }

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
    std::string source_;  // the archive's path; empty for entries given in memory
};
