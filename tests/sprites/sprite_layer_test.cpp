// The sprite tree: layer order, the draw pass's overlap test, deferred removal, the point query
// and the animation rules that every game object relies on.

#include <gtest/gtest.h>

#include <memory>

#include "media/frame_timing.h"
#include "media/image_list.h"
#include "sprites/image_sprite.h"
#include "sprites/sprite_engine.h"
#include "support/test_assets.h"

namespace {

// A sprite that records when it is drawn and moved.
class ProbeSprite : public TSprite {
public:
    ProbeSprite(TSprite* parent, std::vector<int>* log, int id)
        : TSprite(parent), log_(log), id_(id) {
        Width = 10;
        Height = 10;
    }
    void DrawSelf() override { log_->push_back(id_); }
    void MoveStep(int moveCount) override { moved += moveCount; }
    int moved = 0;

private:
    std::vector<int>* log_;
    int id_;
};

class SpriteLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.AttachSurface(800, 600);
        engine.Timing = &timing;
        timing.FrameMs = 10;
        images.LoadEntries(
            {MakeTestImage("Strip4", 8, 8, 4, 0x112233), MakeTestImage("One", 8, 8, 1, 0x445566)});
        engine.ImageList1 = &images;
    }
    std::vector<int> log;
    TSpriteEngine engine;
    FrameTiming timing;
    TImageList images;
};

TEST_F(SpriteLayerTest, EqualZDrawsLaterCreatedUnderneathAndSetZRelayers) {
    auto* a = new ProbeSprite(&engine, &log, 1);
    auto* b = new ProbeSprite(&engine, &log, 2);
    auto* c = new ProbeSprite(&engine, &log, 3);
    c->SetZ(5);
    engine.DrawAll();
    EXPECT_EQ(log, (std::vector<int>{2, 1, 3}));  // b created later, so drawn first

    log.clear();
    a->SetZ(5);  // re-layered onto c's layer: lands below c
    engine.DrawAll();
    EXPECT_EQ(log, (std::vector<int>{2, 1, 3}));
    b->SetZ(7);
    log.clear();
    engine.DrawAll();
    EXPECT_EQ(log, (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(engine.SpriteCount, 3);
}

TEST_F(SpriteLayerTest, DrawPassSkipsSpritesOutsideOrTouchingTheSurfaceEdge) {
    auto* inside = new ProbeSprite(&engine, &log, 1);
    inside->X = 0;
    auto* touchingRight = new ProbeSprite(&engine, &log, 2);
    touchingRight->X = 800;
    auto* touchingTop = new ProbeSprite(&engine, &log, 3);
    touchingTop->Y = -10;
    auto* overlapping = new ProbeSprite(&engine, &log, 4);
    overlapping->X = -9.4;  // rounds to -9: one pixel column shows
    auto* hidden = new ProbeSprite(&engine, &log, 5);
    hidden->Visible = false;
    engine.DrawAll();
    EXPECT_EQ(engine.DrawCount, 2);
    EXPECT_EQ(log.size(), 2u);
    // An invisible sprite still moves.
    engine.MoveAll(7);
    EXPECT_EQ(hidden->moved, 7);
    (void)inside;
    (void)touchingRight;
    (void)touchingTop;
    (void)overlapping;
}

TEST_F(SpriteLayerTest, KillQueuesOnceAndTheSpriteLivesUntilTheSweep) {
    auto* sprite = new TMyImageSprite(&engine, 1);
    sprite->SetImageByName("One");
    auto* other = new ProbeSprite(&engine, &log, 9);
    sprite->Kill();
    sprite->Kill();
    EXPECT_EQ(engine.DeadList.size(), 1u);
    engine.MoveAll(1);  // still moves...
    engine.DrawAll();   // ...and draws
    EXPECT_EQ(engine.DrawCount, 2);
    EXPECT_EQ(engine.SpriteCount, 2);
    engine.SweepDead();
    EXPECT_EQ(engine.SpriteCount, 1);
    EXPECT_TRUE(engine.DeadList.empty());
    EXPECT_EQ(engine.ChildCount(), 1);
    (void)other;
}

TEST_F(SpriteLayerTest, SpriteAtCountsEdgesAndPrefersHigherZThenCreationOrder) {
    auto* low = new ProbeSprite(&engine, &log, 1);
    low->X = 100;
    low->Y = 100;
    auto* high = new ProbeSprite(&engine, &log, 2);
    high->X = 105;
    high->Y = 105;
    high->SetZ(3);
    EXPECT_EQ(engine.SpriteAt(110, 102), low);  // right and bottom edges are inside
    EXPECT_EQ(engine.SpriteAt(102, 110), low);
    EXPECT_EQ(engine.SpriteAt(100, 100), low);
    EXPECT_EQ(engine.SpriteAt(110, 110), high);  // both hold it: the higher layer wins
    EXPECT_EQ(engine.SpriteAt(111, 110), high);
    EXPECT_EQ(engine.SpriteAt(107, 107), high);
    EXPECT_EQ(engine.SpriteAt(116, 116), nullptr);
    auto* twin = new ProbeSprite(&engine, &log, 3);
    twin->X = 105;
    twin->Y = 105;
    twin->SetZ(3);
    EXPECT_EQ(engine.SpriteAt(107, 107), high);  // equal Z: first in creation order wins
    high->Visible = false;
    EXPECT_EQ(engine.SpriteAt(107, 107), twin);
}

TEST_F(SpriteLayerTest, LoopingAnimationWrapsJustBelowFrameCountAndCountsAsLoopEnd) {
    auto* sprite = new TMyImageSprite(&engine, 1);
    sprite->SetImageByName("Strip4");
    ASSERT_EQ(sprite->FrameCount, 4);
    sprite->FrameSpeed = 0.2;
    sprite->HideAtLoopEnd = true;
    sprite->MoveStep(10);  // 2.0
    EXPECT_DOUBLE_EQ(sprite->FramePos, 2.0);
    EXPECT_TRUE(sprite->Visible);
    sprite->MoveStep(8);  // 3.6 lies above FrameCount - 0.5: back to 0 in the same step
    EXPECT_EQ(sprite->FramePos, 0);
    EXPECT_FALSE(sprite->Visible);  // and that counts as the loop's end
}

TEST_F(SpriteLayerTest, WrapAfterProgressKillsOrHides) {
    auto* dying = new TMyImageSprite(&engine, 1);
    dying->SetImageByName("Strip4");
    dying->DieAtLoopEnd = true;
    dying->FrameSpeed = 0.1;
    auto* hiding = new TMyImageSprite(&engine, 1);
    hiding->SetImageByName("Strip4");
    hiding->HideAtLoopEnd = true;
    hiding->FrameSpeed = 0.1;
    int steps = 0;
    while (!dying->DeadMarked && steps < 100) {
        dying->MoveStep(10);
        hiding->MoveStep(10);
        ++steps;
    }
    // 1.0 per step: 1, 2, 3, then 4 wraps to 0.
    EXPECT_EQ(steps, 4);
    EXPECT_FALSE(hiding->Visible);
    EXPECT_EQ(engine.DeadList.size(), 1u);
}

TEST_F(SpriteLayerTest, NonLoopingAnimationStopsOnItsLastPatternAndNeverDies) {
    auto* sprite = new TMyImageSprite(&engine, 1);
    sprite->SetImageByName("Strip4");
    sprite->FrameLoop = false;
    sprite->DieAtLoopEnd = true;
    sprite->FrameSpeed = 0.2;
    for (int i = 0; i < 50; ++i) sprite->MoveStep(10);
    EXPECT_EQ(sprite->FrameSpeed, 0);
    EXPECT_FALSE(sprite->DeadMarked);
    EXPECT_LE(sprite->FramePos, 3.0);
}

TEST_F(SpriteLayerTest, AnimPercentFollowsFrameMs) {
    auto* sprite = new TMyImageSprite(&engine, 1);
    sprite->SetAnimation("Strip4", 100);
    timing.FrameMs = 16;
    sprite->MoveStep(16);  // the new speed applies from the next step
    EXPECT_DOUBLE_EQ(sprite->FrameSpeed, 1.0 / 16);
    sprite->MoveStep(16);
    EXPECT_DOUBLE_EQ(sprite->FramePos, 1.0);
}

TEST_F(SpriteLayerTest, CreateCenteredUsesExactHalvesAndCentreIsTruncated) {
    auto* sprite = TMyImageSprite::CreateCentered(&engine, 1, "One", 10, 10, 4);
    EXPECT_DOUBLE_EQ(sprite->X, 6);
    EXPECT_EQ(sprite->Z(), 4);
    sprite->X = 6.9;
    sprite->MoveStep(1);
    EXPECT_EQ(sprite->CenterX, 10);
    EXPECT_THROW(sprite->SetImageByName("Missing"), std::runtime_error);
}

TEST_F(SpriteLayerTest, BackgroundMapSizeAndCells) {
    auto* background = new TBackgroundSprite(&engine);
    background->SetMapSize(0, 5);
    EXPECT_EQ(background->MapWidth(), 0);
    EXPECT_EQ(background->MapHeight(), 0);
    background->SetMapSize(3, 2);
    background->SetImage(&images.ByName("One"));
    EXPECT_EQ(background->Width, 24);
    EXPECT_EQ(background->Height, 16);
    background->SetCell(2, 1, 7);
    background->SetCell(3, 1, 9);  // outside: ignored
    EXPECT_EQ(background->Cell(2, 1), 7);
    EXPECT_EQ(background->Cell(3, 1), -1);
    EXPECT_EQ(background->Cell(-1, 0), -1);
}

}  // namespace
