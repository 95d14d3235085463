#include "track/scroll_background.h"

#include "media/image_list.h"
#include "shell/form.h"
#include "sprites/player.h"
#include "sprites/sprite_engine.h"

TScrollBackground::TScrollBackground(TSpriteEngine* engine, int imageList, const std::string& name,
                                     int mapWidth, int mapHeight)
    : TBackgroundSprite(engine) {
    SetMapSize(mapWidth, mapHeight);
    ImageList = imageList;
    SetImageByName(name);
    X = 0;
    Y = 0;
    SetZ(2);
    Tile = false;
    VelocityX = 0;
    VelocityY = 0;
    MForm->Race.WorldVelocityX = 0;
    MForm->Race.WorldVelocityY = 0;
    DeadMarked = false;
}

void TScrollBackground::SetImageByName(const std::string& name) {
    TImageList* list = Engine->ImageListOf(ImageList);
    if (list == nullptr) return;
    TPictureItem& image = list->ByName(name);
    TBackgroundSprite::SetImage(&image);
}

void TScrollBackground::SetImage(const std::string& name, int imageList) {
    ImageList = imageList;
    SetImageByName(name);
}

void TScrollBackground::Kill() {
    if (DeadMarked) return;
    MarkDead();
    DeadMarked = true;
}

// The direction of a shift comes from the sign of the velocity, not from the edge that was
// passed; at the map's limit the offset still jumps by a tile but the window stays.
void TScrollBackground::ShiftColumn() {
    TMForm& form = *MForm;
    if (form.Race.WorldVelocityX > 0 && form.Track.ViewCol > 0) --form.Track.ViewCol;
    if (form.Race.WorldVelocityX < 0 && form.Track.ViewCol + 13 < kTrackCols) ++form.Track.ViewCol;
}

void TScrollBackground::ShiftRow() {
    TMForm& form = *MForm;
    if (form.Race.WorldVelocityY > 0 && form.Track.ViewRow > 0) --form.Track.ViewRow;
    if (form.Race.WorldVelocityY < 0 && form.Track.ViewRow + 10 < kTrackRows) ++form.Track.ViewRow;
}

void TScrollBackground::MoveStep(int moveCount) {
    (void)moveCount;
    TMForm& form = *MForm;
    VelocityX = form.Race.WorldVelocityX;
    VelocityY = form.Race.WorldVelocityY;
    X += VelocityX * 0.5 * form.Timing.FrameScale;
    Y += VelocityY * 0.5 * form.Timing.FrameScale;

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
    if (form.Screens.ScreenState == kScreenRace) TestSolidCells();
}

bool SolidRectOf(int code, double sx, double sy, TPointD corners[4]) {
    double left, right, top, bottom;
    switch (code) {
        case 59:
            left = sx, right = sx + 35, top = sy, bottom = sy + 72;
            break;
        case 39:
            left = sx + 37, right = sx + 72, top = sy, bottom = sy + 72;
            break;
        case 40:
            left = sx, right = sx + 72, top = sy + 58, bottom = sy + 72;
            break;
        case 41:
            left = sx + 65, right = sx + 72, top = sy, bottom = sy + 68;
            break;
        case 42:
        case 43:
        case 44:
            left = sx, right = sx + 64, top = sy, bottom = sy + 64;
            break;
        default:
            return false;
    }
    corners[0] = {left, top};
    corners[1] = {right, top};
    corners[2] = {left, bottom};
    corners[3] = {right, bottom};
    return true;
}

void TScrollBackground::TestSolidCells() {
    TMForm& form = *MForm;
    TPlayer* car = form.Race.Player;
    if (car == nullptr) return;
    // Window row 0 and column 0 are left out: they are the cells half off the screen's top and
    // left edges.
    for (int y = 1; y <= 10; ++y) {
        for (int x = 1; x <= 13; ++x) {
            const int code = form.Track.TrackMap.At(form.Track.ViewRow + y, form.Track.ViewCol + x);
            TPointD corners[4];
            if (!SolidRectOf(code, kCellSize * x + X, kCellSize * y + Y, corners)) continue;
            if (!QuadsOverlap(car->Footprint.data(), corners)) continue;
            if (car->Energy <= 0 || car->Crashed != 0) continue;
            if (car->CarSpeed > 0) {
                car->Bounce(-100);
            } else {
                car->SlowDown(-1);
            }
            car->TakeHit();
        }
    }
}
