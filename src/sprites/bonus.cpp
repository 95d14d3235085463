// The bonuses: placing a level's tokens on the road, collecting them, and drawing those in view.

#include "sprites/bonus.h"

#include <algorithm>

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/road_view.h"
#include "sprites/sprite_engine.h"
#include "track/map_codes.h"
#include "track/track_generator.h"

namespace {

constexpr int kBonusZ = 5;
// The token lies in the middle of its 72-pixel cell: 19 + 34 + 19.
constexpr int kTokenInset = 19;
// The four points under the token where the car collects it, from the cell's corner.
constexpr int kProbeNear = 19;
constexpr int kProbeFarX = 54;
constexpr int kProbeFarY = 53;
// How far off the play area a token is still tested.
constexpr int kTestLeft = -20;
constexpr int kTestRight = 720;
constexpr int kTestTop = -20;
constexpr int kTestBottom = 620;
// The window of map cells the tokens are drawn in.
constexpr int kWindowCols = 13;
constexpr int kWindowRows = 10;

}  // namespace

TBonus::TBonus(TSpriteEngine* engine, RaceHost& host)
    : TMyImageSprite(engine, ListOf(Picture::Bonus10)), host_(host) {
    SetImageByName(Picture::Bonus10);
    X = 0;
    Y = 0;
    SetZ(kBonusZ);
    if (TImageList* list = engine->ImageListOf(ImageList); list != nullptr)
        for (int kind = 1; kind <= kBonusKinds; ++kind)
            pictures_[static_cast<size_t>(kind)] = list->Find(NameOf(BonusKinds[kind].Image));
    PlaceBonuses();
}

int TBonus::UsedSlots() const {
    return std::clamp(host_.Track().Level.BonusCount, 0, kBonusSlots);
}

// Each bonus draws a row of the level's road, away from its far end and from the start stretch,
// and lies right of the last straight left edge in that row (a row of parallel roads has more
// than one). A life bonus counts as placed when it is drawn, even if a later edge cell of the
// same row then places another kind in the slot; after two, the life is drawn again.
void TBonus::PlaceBonuses() {
    for (TBonusSlot& bonus : Slots) bonus.Active = false;
    const TTrackMap& map = host_.Track().TrackMap;
    const int trackLength = host_.Track().Level.TrackLength;
    TRandom& random = host_.Random();
    int lives = 0;
    const int count = UsedSlots();
    for (int s = 1; s <= count; ++s) {
        TBonusSlot& bonus = Slot(s);
        const int row = (1549 - trackLength) + random.Random(trackLength - 54);
        if (!TTrackMap::Inside(row, 1)) continue;
        for (int c = 1; c <= kTrackCols; ++c) {
            if (map.At(row, c) != MapCode::LeftEdge) continue;
            bonus.Active = true;
            bonus.Col = c + 1 + random.Random(2);
            bonus.Row = row;
            if (lives < kMaxLifeBonuses) {
                bonus.Kind = 1 + random.Random(kBonusKinds);
            } else {
                do {
                    bonus.Kind = 1 + random.Random(kBonusKinds);
                } while (bonus.Kind == kLifeBonus);
            }
            if (bonus.Kind == kLifeBonus) ++lives;
        }
    }
}

// A token is collected when the car is the topmost sprite at one of four points under it; a
// token under the HUD panel cannot be.
void TBonus::MoveStep(int moveCount) {
    (void)moveCount;
    const TPlayer* car = host_.Race().Player;
    if (car == nullptr) return;
    const RoadView view = RoadViewOf(host_);
    const int count = UsedSlots();
    for (int s = 1; s <= count; ++s) {
        TBonusSlot& bonus = Slot(s);
        if (!bonus.Active) continue;
        const int sx =
            Round((bonus.Col - view.ViewCol) * static_cast<double>(kCellSize) + view.BackgroundX);
        const int sy =
            Round((bonus.Row - view.ViewRow) * static_cast<double>(kCellSize) + view.BackgroundY);
        const int tx = sx + kProbeNear;
        const int ty = sy + kProbeNear;
        if (tx < kTestLeft || tx > kTestRight || ty < kTestTop || ty > kTestBottom) continue;
        TSpriteEngine& engine = *Engine;
        if (PlayerTopmostAt(engine, car, sx + kProbeNear, sy + kProbeNear) ||
            PlayerTopmostAt(engine, car, sx + kProbeFarX, sy + kProbeNear) ||
            PlayerTopmostAt(engine, car, sx + kProbeNear, sy + kProbeFarY) ||
            PlayerTopmostAt(engine, car, sx + kProbeFarX, sy + kProbeFarY))
            Collect(bonus);
    }
}

void TBonus::Collect(TBonusSlot& bonus) {
    TPlayer* car = host_.Race().Player;
    const BonusKind& kind = BonusKinds[static_cast<size_t>(std::clamp(bonus.Kind, 0, kBonusKinds))];
    bonus.Active = false;
    car->AddScore(kind.Score);
    if (kind.PickUp) car->PickUp(*kind.PickUp);
    host_.PlaySound(kind.PickUpSound);
}

void TBonus::DrawSelf() {
    const RoadView view = RoadViewOf(host_);
    const int count = UsedSlots();
    for (int s = 1; s <= count; ++s) {
        const TBonusSlot& bonus = Slot(s);
        if (!bonus.Active) continue;
        if (bonus.Col < view.ViewCol || bonus.Col > view.ViewCol + kWindowCols) continue;
        if (bonus.Row < view.ViewRow || bonus.Row > view.ViewRow + kWindowRows) continue;
        const TPictureItem* picture =
            pictures_[static_cast<size_t>(std::clamp(bonus.Kind, 0, kBonusKinds))];
        if (picture == nullptr) continue;
        picture->DrawPattern(
            Round((bonus.Col - view.ViewCol) * static_cast<double>(kCellSize) + view.BackgroundX) +
                kTokenInset,
            Round((bonus.Row - view.ViewRow) * static_cast<double>(kCellSize) + view.BackgroundY) +
                kTokenInset,
            0);
    }
}
