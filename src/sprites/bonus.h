#pragma once
// The bonuses: one sprite over a table of 400 slots, each a token lying on the road one or two
// cells right of a straight road's left edge. Driving over one collects it: points, and for the
// last four kinds an extra life, nitro or a weapon.

#include <array>
#include <optional>

#include "catalogue/sounds.h"
#include "sprites/car_items.h"
#include "sprites/image_sprite.h"

class RaceHost;
class TPictureItem;

constexpr int kBonusSlots = 400;
constexpr int kBonusKinds = 8;
// The kind that gives a life; a level places at most two of them.
constexpr int kLifeBonus = 5;
constexpr int kMaxLifeBonuses = 2;

struct TBonusSlot {
    bool Active = false;  // still lying on the road
    int Col = 0;          // its map cell
    int Row = 0;
    int Kind = 0;  // 1..8, see BonusKinds
};

// What each kind looks like and gives: its points, what the car picks up (if anything), its sound.
struct BonusKind {
    Picture Image;
    int Score;
    std::optional<CarItem> PickUp;
    Sound PickUpSound;
};
constexpr std::array<BonusKind, kBonusKinds + 1> BonusKinds = {{
    {Picture::Bonus10, 10, std::nullopt, Sound::Score},  // (index 0: no kind)
    {Picture::Bonus10, 10, std::nullopt, Sound::Score},
    {Picture::Bonus20, 20, std::nullopt, Sound::Score},
    {Picture::Bonus50, 50, std::nullopt, Sound::Score},
    {Picture::Bonus100, 100, std::nullopt, Sound::Score},
    {Picture::BonusL, 50, CarItem::Life, Sound::Bonus},
    {Picture::BonusN, 30, CarItem::Nitro, Sound::Bonus},
    {Picture::BonusMGnp, 20, CarItem::MachineGun, Sound::Bonus},
    {Picture::BonusRnp, 20, CarItem::Rockets, Sound::Bonus},
}};

class TBonus : public TMyImageSprite {
public:
    // Creates the bonus sprite and places the level's bonuses.
    TBonus(TSpriteEngine* engine, RaceHost& host);

    // Fills slots 1..BonusCount for the current level's map and empties the others.
    void PlaceBonuses();
    // The car collects the bonuses it drives over.
    void MoveStep(int moveCount) override;
    void DrawSelf() override;

    TBonusSlot& Slot(int i) { return Slots[static_cast<size_t>(i)]; }
    const TBonusSlot& Slot(int i) const { return Slots[static_cast<size_t>(i)]; }
    // The slots in use this level: 1..BonusCount.
    int UsedSlots() const;

    std::array<TBonusSlot, kBonusSlots + 1> Slots{};  // slot 0 unused

private:
    void Collect(TBonusSlot& bonus);

    RaceHost& host_;
    std::array<const TPictureItem*, kBonusKinds + 1> pictures_{};
};
