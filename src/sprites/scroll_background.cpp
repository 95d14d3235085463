#include "sprites/scroll_background.h"

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/race_host.h"
#include "sprites/sprite_engine.h"
#include "track/map_codes.h"

TScrollBackground::TScrollBackground(TSpriteEngine* engine, Picture picture, int mapWidth,
                                     int mapHeight, RaceHost* host)
    : TBackgroundSprite(engine), host_(host) {
    SetMapSize(mapWidth, mapHeight);
    SetImage(picture);
    X = 0;
    Y = 0;
    SetZ(2);
    Tile = false;
    VelocityX = 0;
    VelocityY = 0;
    if (host_ != nullptr) {
        host_->Race().WorldVelocityX = 0;
        host_->Race().WorldVelocityY = 0;
    }
    DeadMarked = false;
}

// Width and Height are one tile's; the point query then finds the road only at its first tile,
// while the draw pass still sees the whole window through BoundsRect.
void TScrollBackground::SetImage(Picture picture) {
    ImageList = ListOf(picture);
    TImageList* list = Engine->ImageListOf(ImageList);
    if (list == nullptr) return;
    TPictureItem& image = list->ByName(std::string(NameOf(picture)));
    TBackgroundSprite::SetImage(&image);
    Width = image.PatternWidth();
    Height = image.PatternHeight();
}

void TScrollBackground::Kill() {
    if (DeadMarked) return;
    MarkDead();
    DeadMarked = true;
}

SDL_Rect TScrollBackground::BoundsRect() const {
    const int w = Image != nullptr ? Image->PatternWidth() * MapWidth() : 0;
    const int h = Image != nullptr ? Image->PatternHeight() * MapHeight() : 0;
    return SDL_Rect{Round(WorldX()), Round(WorldY()), w, h};
}

// The direction of a shift comes from the sign of the velocity, not from the edge that was
// passed; at the map's limit the offset still jumps by a tile but the window stays.
void TScrollBackground::ShiftColumn() {
    const RaceState& race = host_->Race();
    TrackState& track = host_->Track();
    if (race.WorldVelocityX > 0 && track.ViewCol > 0) --track.ViewCol;
    if (race.WorldVelocityX < 0 && track.ViewCol + 13 < kTrackCols) ++track.ViewCol;
}

void TScrollBackground::ShiftRow() {
    const RaceState& race = host_->Race();
    TrackState& track = host_->Track();
    if (race.WorldVelocityY > 0 && track.ViewRow > 0) --track.ViewRow;
    if (race.WorldVelocityY < 0 && track.ViewRow + 10 < kTrackRows) ++track.ViewRow;
}

void TScrollBackground::MoveStep(int moveCount) {
    (void)moveCount;
    if (host_ == nullptr) return;  // a menu picture stands still
    const RaceState& race = host_->Race();
    const double frameScale = host_->Timing().FrameScale;
    VelocityX = race.WorldVelocityX;
    VelocityY = race.WorldVelocityY;
    X += VelocityX * 0.5 * frameScale;
    Y += VelocityY * 0.5 * frameScale;

    const int w = Image != nullptr ? Image->PatternWidth() : kCellSize;
    const int h = Image != nullptr ? Image->PatternHeight() : kCellSize;
    if (X > 0) {
        X -= w;
        ShiftColumn();
    }
    if (X < -w) {
        X += w;
        ShiftColumn();
    }
    if (Y > 0) {
        Y -= h;
        ShiftRow();
    }
    if (Y < -h) {
        Y += h;
        ShiftRow();
    }
    if (SolidListener != nullptr) ReportSolidCells();
}

bool SolidRectOf(int code, double sx, double sy, std::array<TPointD, 4>& corners) {
    double left, right, top, bottom;
    if (code < -128 || code > 127) return false;
    switch (static_cast<MapCode>(code)) {
        case MapCode::RightBarrier:
            left = sx, right = sx + 35, top = sy, bottom = sy + 72;
            break;
        case MapCode::LeftBarrier:
            left = sx + 37, right = sx + 72, top = sy, bottom = sy + 72;
            break;
        case MapCode::WallTop:
            left = sx, right = sx + 72, top = sy + 58, bottom = sy + 72;
            break;
        case MapCode::WallLeft:
            left = sx + 65, right = sx + 72, top = sy, bottom = sy + 68;
            break;
        case MapCode::WallBottom:
        case MapCode::WallBottomRight:
        case MapCode::WallRight:
            left = sx, right = sx + 64, top = sy, bottom = sy + 64;
            break;
        default:
            return false;
    }
    corners = {TPointD{left, top}, TPointD{right, top}, TPointD{left, bottom},
               TPointD{right, bottom}};
    return true;
}

void TScrollBackground::ReportSolidCells() {
    const TrackState& track = host_->Track();
    // Window row 0 and column 0 are left out: they are the cells half off the screen's top and
    // left edges.
    for (int y = 1; y <= 10; ++y) {
        for (int x = 1; x <= 13; ++x) {
            const int code = track.TrackMap.At(track.ViewRow + y, track.ViewCol + x);
            std::array<TPointD, 4> corners;
            if (!SolidRectOf(code, kCellSize * x + X, kCellSize * y + Y, corners)) continue;
            SolidListener->TouchSolidCell(corners);
        }
    }
}
