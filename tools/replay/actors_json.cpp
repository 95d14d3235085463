#include "actors_json.h"

#include <cstdio>
#include <sstream>

#include "shell/form.h"
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
    const TCar* traffic = form.Race.Traffic;
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
    for (const TRocket* rocket : form.Race.RocketPool) {
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

struct ActorSection {
    const char* key;
    void (*write)(const TMForm& form, std::ostream& out);
};

// The crowd, the bonuses, the lamps and the finish line add their sections here.
constexpr ActorSection kSections[] = {
    {"traffic", WriteTraffic},
    {"rockets", WriteRockets},
};

}  // namespace

std::string ActorsJson(const TMForm& form, int frame) {
    std::ostringstream j;
    j << "{\"frame\":" << frame;
    for (const ActorSection& section : kSections) {
        j << ",\"" << section.key << "\":[";
        section.write(form, j);
        j << "]";
    }
    j << "}";
    return j.str();
}
