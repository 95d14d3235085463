#include "actors_json.h"

#include <cstdio>
#include <sstream>

#include "shell/form.h"
#include "sprites/bonus.h"
#include "sprites/crowd.h"
#include "sprites/finish.h"
#include "sprites/rocket.h"
#include "sprites/traffic.h"

namespace {

std::string Number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

const char* Bool(bool v) {
    return v ? "true" : "false";
}

// Every traffic slot in use this level, empty ones included (Dir 0), in slot order.
void WriteTraffic(const TMForm& form, std::ostream& out) {
    const TCar* traffic = form.RaceScreen.Race.Traffic;
    if (traffic == nullptr) return;
    const int count = traffic->UsedSlots();
    for (int i = 1; i <= count; ++i) {
        const TCarSlot& car = traffic->Slot(i);
        if (i > 1) out << ",";
        out << "{\"slot\":" << i << ",\"Model\":" << car.Model << ",\"PosX\":" << Number(car.PosX)
            << ",\"PosY\":" << Number(car.PosY) << ",\"Dir\":" << car.Dir
            << ",\"Speed\":" << car.Speed << ",\"OnScreen\":" << Bool(car.OnScreen)
            << ",\"Exploding\":" << Bool(car.Exploding)
            << ",\"ExplosionPhase\":" << Number(car.ExplosionPhase) << "}";
    }
}

// The five rockets of the pool, in pool order.
void WriteRockets(const TMForm& form, std::ostream& out) {
    bool first = true;
    for (const TRocket* rocket : form.RaceScreen.Race.RocketPool) {
        if (rocket == nullptr) continue;
        if (!first) out << ",";
        first = false;
        out << "{\"InFlight\":" << Bool(rocket->InFlight)
            << ",\"Detonated\":" << Bool(rocket->Detonated)
            << ",\"WorldX\":" << Number(rocket->WorldX) << ",\"WorldY\":" << Number(rocket->WorldY)
            << ",\"RocketSpeed\":" << rocket->RocketSpeed
            << ",\"RocketHeading\":" << rocket->RocketHeading << "}";
    }
}

// Every pedestrian of the level, in slot order: the walking ones, the bodies (Dir 0) and those
// blown away (Dir 255), all of which keep Alive until they leave the map. Empty slots are left
// out.
void WriteCrowd(const TMForm& form, std::ostream& out) {
    const TMan* crowd = form.RaceScreen.Race.Crowd;
    if (crowd == nullptr) return;
    bool first = true;
    for (int i = 1; i <= kManSlots; ++i) {
        const TManSlot& man = crowd->Slot(i);
        if (!man.Alive) continue;
        if (!first) out << ",";
        first = false;
        out << "{\"slot\":" << i << ",\"IsGirl\":" << Bool(man.IsGirl)
            << ",\"PosX\":" << Number(man.PosX) << ",\"PosY\":" << Number(man.PosY)
            << ",\"Dir\":" << static_cast<int>(man.Dir) << ",\"Speed\":" << man.Speed
            << ",\"OnScreen\":" << Bool(man.OnScreen) << "}";
    }
}

// Every bonus slot in use this level, collected ones included (Active false), in slot order.
void WriteBonuses(const TMForm& form, std::ostream& out) {
    const TBonus* bonuses = form.RaceScreen.Race.Bonuses;
    if (bonuses == nullptr) return;
    const int count = bonuses->UsedSlots();
    for (int i = 1; i <= count; ++i) {
        const TBonusSlot& bonus = bonuses->Slot(i);
        if (i > 1) out << ",";
        out << "{\"slot\":" << i << ",\"Active\":" << Bool(bonus.Active) << ",\"Col\":" << bonus.Col
            << ",\"Row\":" << bonus.Row << ",\"Kind\":" << bonus.Kind << "}";
    }
}

// The finish line: one object, or null outside a race.
void WriteFinish(const TMForm& form, std::ostream& out) {
    const TFinish* finish = form.RaceScreen.Race.Finish;
    if (finish == nullptr) {
        out << "null";
        return;
    }
    out << "{\"LineY\":" << finish->LineY << ",\"Crossed\":" << Bool(finish->Crossed)
        << ",\"Y\":" << Number(finish->Y) << "}";
}

struct ActorSection {
    const char* key;
    void (*write)(const TMForm& form, std::ostream& out);
    // An array of the actor's slots, or one object of its own.
    bool array;
};

// A new actor adds its section here; its key appears on the same line.
constexpr ActorSection kSections[] = {
    {"traffic", WriteTraffic, true}, {"rockets", WriteRockets, true}, {"crowd", WriteCrowd, true},
    {"bonuses", WriteBonuses, true}, {"finish", WriteFinish, false},
};

}  // namespace

std::string ActorsJson(const TMForm& form, int frame) {
    std::ostringstream j;
    j << "{\"frame\":" << frame;
    for (const ActorSection& section : kSections) {
        j << ",\"" << section.key << "\":" << (section.array ? "[" : "");
        section.write(form, j);
        j << (section.array ? "]" : "");
    }
    j << "}";
    return j.str();
}
