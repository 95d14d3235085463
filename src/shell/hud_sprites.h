#pragma once
// The race's HUD panel and the icons on it, created once per race and refreshed every frame.

class TPointer;
class TMyImageSprite;

struct HudSprites {
    TMyImageSprite* Panel = nullptr;
    TPointer* Needle = nullptr;
    TMyImageSprite* ProgressMarker = nullptr;  // "SmallCar"
    TMyImageSprite* EnergyGauge = nullptr;
    TMyImageSprite* NitroIcon = nullptr;
    TMyImageSprite* WeaponIcon = nullptr;
};
