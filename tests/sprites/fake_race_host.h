#pragma once
// A race without the main form: the actors' interface to the game answered by plain values, a
// sprite engine with the stand-in image lists (not drawable: no display), and the sounds and
// windows asked for, noted in order.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/image_list.h"
#include "sprites/race_host.h"
#include "sprites/scroll_background.h"
#include "sprites/sprite_engine.h"
#include "support/test_assets.h"
#include "track/track_map.h"

class FakeRaceHost : public RaceHost {
public:
    explicit FakeRaceHost(int refreshRate = 85) {
        list1.LoadEntries(TestImageList1());
        list2.LoadEntries(TestImageList2());
        engine.ImageList1 = &list1;
        engine.ImageList2 = &list2;
        engine.Timing = &timing;
        engine.AttachSurface(800, 600);
        timing.RefreshRate = refreshRate;
        timing.Recompute();
        track = std::make_unique<TrackState>();
    }
    ~FakeRaceHost() override {
        while (!engine.Children.empty()) delete engine.Children.back();
        engine.DeadList.clear();
    }

    void PlaySound(Sound sound) override { sounds.emplace_back(NameOf(sound)); }
    void StopSound(Sound sound) override { stopped.emplace_back(NameOf(sound)); }
    void OpenWindow(ModalWindow kind) override { windows.push_back(kind); }
    void SetUpLevel(int level) override { levels.push_back(level); }
    void PlaceRoadActors() override { ++placements; }
    void Rumble(double strength, int ms) override { rumbles.push_back({strength, ms}); }
    RaceState& Race() override { return race; }
    TrackState& Track() override { return *track; }
    const FrameTiming& Timing() const override { return timing; }
    TRandom& Random() override { return random; }
    TScrollBackground* Background() override { return background; }

    // Level 1 on a map of plain ground, the view at (viewCol, viewRow).
    void GroundLevelOneAt(int viewCol, int viewRow) {
        track->TrackMap.Fill(0);
        track->Level = LevelParamsFor(1);
        track->ViewCol = viewCol;
        track->ViewRow = viewRow;
    }

    // A scrolling road whose sub-cell offsets are (x, y): the world-to-screen sums of the actors
    // then carry a non-zero background term, whose sign a view without offsets cannot show.
    TScrollBackground* UseBackground(double x, double y) {
        background = new TScrollBackground(&engine, Picture::Tiles, 13, 10, this);
        background->X = x;
        background->Y = y;
        return background;
    }

    // Runs at another refresh rate: 60 Hz scales every per-frame speed by 85/60 and makes each
    // frame 16 ms.
    void RunAt(int refreshRate) {
        timing.RefreshRate = refreshRate;
        timing.Recompute();
    }

    int CountOf(const std::string& sound) const {
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound));
    }

    TImageList list1;
    TImageList list2;
    TSpriteEngine engine;
    FrameTiming timing;
    RaceState race;
    std::unique_ptr<TrackState> track;
    TRandom random{1};
    TScrollBackground* background = nullptr;
    std::vector<std::string> sounds;
    std::vector<std::string> stopped;
    std::vector<ModalWindow> windows;
    std::vector<int> levels;
    int placements = 0;  // the level changes' placings of the road's actors
    struct Shake {
        double strength;
        int ms;
    };
    std::vector<Shake> rumbles;
};
