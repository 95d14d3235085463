// The street lamps: drawing them from the visible part of the map, and their solid posts.

#include "sprites/lamp.h"

#include "core/rounding.h"
#include "media/image_list.h"
#include "sprites/player.h"
#include "sprites/race_host.h"
#include "sprites/road_view.h"
#include "sprites/sprite_engine.h"
#include "track/track_generator.h"

namespace {

constexpr int kLampZ = 9;
// The window of map cells the lamps are looked for in: the rows and columns the road shows.
constexpr int kWindowRows = 10;
constexpr int kWindowCols = 13;
// What a post does to a car driving into it.
constexpr double kPostBounce = -100;

// The lamp table's entry for each map code, -1 for none.
struct LampIndex {
    std::array<int8_t, 256> entry{};
    constexpr LampIndex() {
        for (int8_t& e : entry) e = -1;
        for (size_t k = 0; k < kLampPlaces.size(); ++k)
            entry[static_cast<uint8_t>(CodeOf(kLampPlaces[k].Code))] = static_cast<int8_t>(k);
    }
};
constexpr LampIndex kLampIndex;

int LampEntryOf(int code) {
    return kLampIndex.entry[static_cast<uint8_t>(code)];
}

}  // namespace

const LampPlace* LampPlaceOf(int code) {
    if (code < -128 || code > 127) return nullptr;
    const int entry = LampEntryOf(code);
    return entry >= 0 ? &kLampPlaces[static_cast<size_t>(entry)] : nullptr;
}

namespace {

// Calls visit(i, j, lamp) for each lamp cell of the window of cells from the view's top-left
// (row i, column j of the window): posts stand on every fifth map row. The view is read afresh
// for every cell, as a visit may move the road.
template <typename Visit>
void ForEachLampCell(const TTrackMap& map, const RoadView& view, Visit visit) {
    for (int i = 0; i < kWindowRows; ++i) {
        const int row = view.ViewRow + i;
        if (row % kLampRowSpacing != 0) continue;
        for (int j = 0; j < kWindowCols; ++j) {
            const int entry = LampEntryOf(map.At(row, view.ViewCol + j));
            if (entry >= 0) visit(i, j, kLampPlaces[static_cast<size_t>(entry)]);
        }
    }
}

}  // namespace

TLamp::TLamp(TSpriteEngine* engine, RaceHost& host)
    : TMyImageSprite(engine, ListOf(Picture::Lamp_L)), host_(host) {
    SetImageByName(Picture::Lamp_L);
    X = 0;
    Y = 0;
    SetZ(kLampZ);
    if (TImageList* list = engine->ImageListOf(ImageList); list != nullptr)
        for (size_t k = 0; k < kLampPlaces.size(); ++k)
            pictures_[k] = list->Find(NameOf(kLampPlaces[k].Image));
}

void TLamp::Reset() {
    X = 0;
    Y = 0;
    Grace = true;
}

// Every post in the window is tested every frame; two posts in the car's outline cost two hits.
// A car without energy left, or one blowing up, passes through. A car that the respawn put onto a
// post would otherwise take a hit in each of its first three frames and blow up where it stands:
// the grace departs from the original rule to spare it (docs/departures.md).
void TLamp::MoveStep(int moveCount) {
    (void)moveCount;
    TPlayer* car = host_.Race().Player;
    if (car == nullptr) return;
    bool onPost = false;
    RoadView view = RoadViewOf(host_);
    ForEachLampCell(host_.Track().TrackMap, view, [&](int i, int j, const LampPlace& lamp) {
        const TPointD post{
            static_cast<double>(Round(j * kCellSize + view.BackgroundX + lamp.PostX)),
            static_cast<double>(Round(i * kCellSize + view.BackgroundY + lamp.PostY))};
        const auto& foot = car->Footprint;
        if (!PointInQuad(post, foot[0], foot[1], foot[2], foot[3])) return;
        onPost = true;
        if (Grace || car->Energy <= 0 || car->Crashed != 0) return;
        if (car->CarSpeed > 0) {
            car->Bounce(kPostBounce);
        } else {
            car->SlowDown(-1);
        }
        car->TakeHit();
        // A bounce has moved the road: the next posts are where it now shows them.
        view = RoadViewOf(host_);
    });
    // The grace lasts while the car is exploding, and ends once it drives clear of the posts.
    if (!onPost && car->Crashed == 0) Grace = false;
}

void TLamp::DrawSelf() {
    const RoadView view = RoadViewOf(host_);
    ForEachLampCell(host_.Track().TrackMap, view, [&](int i, int j, const LampPlace& lamp) {
        const TPictureItem* picture = pictures_[static_cast<size_t>(&lamp - kLampPlaces.data())];
        if (picture == nullptr) return;
        picture->DrawPattern(Round(j * kCellSize + view.BackgroundX + lamp.Dx),
                             Round(i * kCellSize + view.BackgroundY), 0);
    });
}
