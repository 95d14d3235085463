#pragma once
// What the player's car picks up from the bonuses and loses again, and the weapon it carries.

// The items. The numbers are the bonuses' own.
enum class CarItem : int { Life = 1, Nitro = 2, MachineGun = 3, Rockets = 4 };

// The weapon mounted on the car: none, or the item it came from (the same numbers).
enum class WeaponKind : int { None = 0, MachineGun = 3, Rockets = 4 };
