#include "assetgen/sounds/sound_report.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/riff_wave.h"
#include "assetgen/asset_parts.h"
#include "assetgen/music/music_measure.h"
#include "assetgen/music/music_render.h"
#include "assetgen/music/music_songs.h"
#include "assetgen/music/music_timeline.h"
#include "assetgen/sounds/sound_measure.h"
#include "media/music_player.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Sound {
    std::string name;
    bool looped = false;
    int rate = 0;
    std::vector<double> samples;
    std::vector<uint8_t> riff;
};

std::vector<Sound> Decode(const std::vector<WaveEntry>& waves) {
    std::vector<Sound> sounds;
    for (const WaveEntry& entry : waves) {
        const RiffWave riff = ParseRiffWave(entry.wave);
        sounds.push_back({entry.name, entry.looped, riff.sampleRate,
                          measure::DecodePcm16(riff.samples), entry.wave});
    }
    return sounds;
}

int IndexOf(const std::vector<Sound>& sounds, const std::string& name) {
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (sounds[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::vector<uint8_t>> Riffs(const std::vector<Sound>& sounds) {
    std::vector<std::vector<uint8_t>> riffs;
    for (const Sound& sound : sounds) riffs.push_back(sound.riff);
    return riffs;
}

void PrintTimes() {
    const Clock::time_point start = Clock::now();
    BuildMenuImages();
    const double menuImages = MillisecondsSince(start);
    Clock::time_point at = Clock::now();
    BuildTiles();
    BuildRaceSprites();
    const double raceImages = MillisecondsSince(at);
    at = Clock::now();
    BuildSounds();
    const double sounds = MillisecondsSince(at);
    at = Clock::now();
    BuildMenuSong();
    BuildRaceSong();
    const double songs = MillisecondsSince(at);
    std::printf(
        "Generator: every asset in %.0f ms (menu pictures %.0f, race pictures %.0f, sounds %.0f, "
        "songs %.0f)\n\n",
        MillisecondsSince(start), menuImages, raceImages, sounds, songs);
}

void PrintSounds(const std::vector<Sound>& sounds) {
    std::printf("%-13s %-4s %6s %9s %8s %10s %6s %7s %7s %7s\n", "sound", "loop", "sec",
                "peak dBFS", "RMS dBFS", "loud dB(A)", "DC %", "<80Hz %", "first %", "last %");
    for (const Sound& sound : sounds) {
        const measure::SoundFigures f =
            measure::MeasureSound(sound.samples, sound.rate, sound.looped);
        std::printf("%-13s %-4s %6.3f %9.1f %8.1f %10.1f %6.2f %7.1f %7.2f %7.2f\n",
                    sound.name.c_str(), sound.looped ? "yes" : "no",
                    static_cast<double>(sound.samples.size()) / sound.rate, f.peakDb, f.rmsDb,
                    f.loudnessDb, f.dcPercent, 100.0 * f.lowShare, f.firstPercent, f.lastPercent);
    }
    std::printf("\n");
}

// The song: intro and two turns of its loop, as the game's player plays it.
music::StereoRender RenderSong(const std::vector<uint8_t>& bytes,
                               const music::SongTimeline& timeline) {
    const double seconds = timeline.loopStart + 2.0 * timeline.LoopSeconds() + 2.0;
    return music::RenderThroughMixer(bytes, seconds, kMusicVolume, {}, {});
}

// The loudest stretch of a song's sections, where the busiest moment is played.
double LoudestSectionStart(const music::StereoRender& render,
                           const std::vector<music::SectionSpan>& sections) {
    double loudestAt = 0.0;
    double loudest = -200.0;
    for (const music::SectionSpan& span : sections) {
        const double level = music::MeasureStretch(render, span.start, span.end).loudnessDb;
        if (level > loudest) {
            loudest = level;
            loudestAt = span.start;
        }
    }
    return loudestAt;
}

// Prints the song's sections and gaps; returns the loudness of its loop.
double PrintSong(const char* name, const std::vector<uint8_t>& bytes, const XmModule& module,
                 const std::string& listenDir) {
    const music::SongTimeline timeline = music::TimelineOf(module);
    const music::StereoRender render = RenderSong(bytes, timeline);
    if (!listenDir.empty()) {
        music::WriteStereoWav(listenDir + "/" + name + ".wav", render);
    }
    const double loopEnd = timeline.loopStart + timeline.LoopSeconds();
    std::printf(
        "%s: %.1f s of intro, a loop of %.1f s from order %d, rendered at music volume %d\n", name,
        timeline.loopStart, timeline.LoopSeconds(), timeline.loopOrder, kMusicVolume);
    std::printf("  %5s %7s %7s %10s %8s %9s\n", "order", "pattern", "start s", "loud dB(A)",
                "side dB", "peak dBFS");
    for (const music::SectionSpan& span : timeline.sections) {
        const music::StretchFigures f = music::MeasureStretch(render, span.start, span.end);
        std::printf("  %5d %7d %7.1f %10.1f %8.1f %9.1f\n", span.order, span.pattern, span.start,
                    f.loudnessDb, f.sideDb, f.peakDb);
    }
    const music::StretchFigures whole = music::MeasureStretch(render, timeline.loopStart, loopEnd);
    const music::QuietSpot quiet = music::QuietestWindow(render, 10.0, 0.01, -45.0);
    const music::StretchFigures beforeJoin = music::MeasureStretch(render, loopEnd - 1.0, loopEnd);
    const music::StretchFigures afterJoin = music::MeasureStretch(render, loopEnd, loopEnd + 1.0);
    std::printf(
        "  loop: %.1f dB(A), side %.1f dB, peak %.1f dBFS; quietest 10 ms after 10 s: %.1f dBFS at "
        "%.2f s, %d windows under -45 dBFS\n",
        whole.loudnessDb, whole.sideDb, whole.peakDb, quiet.levelDb, quiet.at, quiet.windowsBelow);
    std::printf("  at the loop point (%.1f s): last second %.1f dB(A), first second %.1f dB(A)\n\n",
                loopEnd, beforeJoin.loudnessDb, afterJoin.loudnessDb);
    return whole.loudnessDb;
}

void PrintBalance(const std::vector<Sound>& sounds, double raceLoudness, int musicVolume) {
    std::printf("Balance against the race music (%.1f dB(A) per channel at volume %d):\n",
                raceLoudness, musicVolume);
    for (const Sound& sound : sounds) {
        const double loudness =
            measure::LoudestWindowDb(sound.samples, sound.rate, 0.3, sound.looped);
        std::printf("  %-13s %+6.1f dB\n", sound.name.c_str(), loudness - raceLoudness);
    }
    std::printf("\n");
}

// Engine sounds switched as a drive up through the gears and back switches them, with two
// presses of the horn over the engine. At each join the report gives the last sample before it
// and the first after it: at a switch, the last of what was cut off and the first of what came
// in. The mixer halts a sound without a fade, so a cut is only as quiet as the sound was at that
// moment, while the new sound must come in from silence.
void PrintEngineSwitches(const std::vector<Sound>& sounds, const std::string& listenDir,
                         int musicVolume) {
    struct Step {
        const char* name;
        int blocks;  // how long it plays, in mixer blocks of about 23 ms
    };
    const Step drive[] = {{"Neutral", 43}, {"Accel1", 65}, {"Shift", 11},   {"Accel2", 65},
                          {"Shift", 11},   {"Accel3", 52}, {"Shift", 11},   {"Accel4", 52},
                          {"Maxed", 65},   {"Slowed", 65}, {"Neutral", 43}, {"Brake", 43},
                          {"Nitro", 43},   {"Neutral", 35}};
    const double block = static_cast<double>(music::kRenderBlockFrames) / music::kRenderRate;
    std::vector<music::Cue> cues;
    std::vector<std::pair<int, std::string>> joins;  // block, what happens
    int at = 0;
    std::string previous = "silence";
    for (const Step& step : drive) {
        const int index = IndexOf(sounds, step.name);
        cues.push_back({at * block, 0, index, sounds[static_cast<size_t>(index)].looped});
        joins.emplace_back(at, previous + " -> " + step.name);
        previous = step.name;
        at += step.blocks;
    }
    // The horn on its own channel, as the game plays it, pressed twice.
    const int horn = IndexOf(sounds, "Horn");
    for (const auto& [down, up] : {std::pair{60, 85}, std::pair{270, 290}}) {
        cues.push_back({down * block, 1, horn, true});
        cues.push_back({up * block, 1, -1, false});
        joins.emplace_back(down, "horn pressed");
        joins.emplace_back(up, "horn released");
    }
    std::sort(joins.begin(), joins.end());
    const music::StereoRender render =
        music::RenderThroughMixer({}, at * block, musicVolume, Riffs(sounds), cues);
    if (!listenDir.empty()) music::WriteStereoWav(listenDir + "/engine-switches.wav", render);

    std::printf("Engine switches, as the mixer plays them (values in %% of full scale):\n");
    std::printf("  %7s  %-22s %8s %8s\n", "time s", "join", "before", "after");
    for (const auto& [blockIndex, what] : joins) {
        const auto frame = static_cast<size_t>(blockIndex) * music::kRenderBlockFrames;
        if (frame == 0 || frame >= render.Frames()) continue;
        std::printf("  %7.2f  %-22s %8.2f %8.2f\n", blockIndex * block, what.c_str(),
                    100.0 * render.Left(frame - 1), 100.0 * render.Left(frame));
    }
    std::printf("\n");
}

// The busiest moment of a race: the loudest section of the race music under the top engine
// sound, a held horn, the machine gun and a rain of one-shots (as the mix test plays it).
void PrintBusiestMoment(const std::vector<Sound>& sounds, const std::vector<uint8_t>& race,
                        double loudestAt, const std::string& listenDir, int musicVolume) {
    constexpr double kLength = 6.0;
    std::vector<music::Cue> cues = {{loudestAt, 0, IndexOf(sounds, "Maxed"), true},
                                    {loudestAt, 1, IndexOf(sounds, "Horn"), true},
                                    {loudestAt, 2, IndexOf(sounds, "MachineGun"), true}};
    const std::pair<const char*, double> shots[] = {
        {"Explosion", 0.0}, {"Explosion", 1.9}, {"Explosion", 3.7}, {"Collision", 0.45},
        {"Collision", 2.6}, {"Collision", 4.4}, {"KillW", 1.2},     {"Kill", 3.1},
        {"Rocket", 0.8},    {"Rocket", 2.9}};
    int channel = 3;
    for (const auto& [name, offset] : shots) {
        cues.push_back({loudestAt + offset, channel++, IndexOf(sounds, name), false});
    }
    for (double offset = 0.05; offset < kLength; offset += 0.37) {
        const bool bonus = static_cast<int>(offset / 0.37) % 3 == 2;
        cues.push_back({loudestAt + offset, bonus ? 20 : 21,
                        IndexOf(sounds, bonus ? "Bonus" : "Score"), false});
    }
    const music::StereoRender render =
        music::RenderThroughMixer(race, loudestAt + kLength, musicVolume, Riffs(sounds), cues);
    if (!listenDir.empty()) music::WriteStereoWav(listenDir + "/busiest-moment.wav", render);
    const music::StretchFigures f = music::MeasureStretch(render, loudestAt, loudestAt + kLength);
    size_t clamped = 0;
    const auto from = static_cast<size_t>(loudestAt * render.rate) * 2;
    for (size_t i = from; i < render.samples.size(); ++i) {
        if (render.samples[i] >= 32767 || render.samples[i] <= -32768) ++clamped;
    }
    std::printf(
        "Busiest moment (race music from %.1f s, Maxed, Horn, MachineGun, explosions, crashes, "
        "cries, rockets, chimes): peak %.2f dBFS, %zu samples clamped at full scale, %.1f dB(A)\n",
        loudestAt, f.peakDb, clamped, f.loudnessDb);
}

// A song read from a file, its structure unknown: kFileSongSeconds of it as the game's player
// plays it, measured as a whole from ten seconds on. Returns the render and sets the loudness.
constexpr double kFileSongSeconds = 180.0;

music::StereoRender PrintSongFile(const char* name, const std::vector<uint8_t>& bytes,
                                  int musicVolume, double& loudness) {
    music::StereoRender render =
        music::RenderThroughMixer(bytes, kFileSongSeconds, musicVolume, {}, {});
    const music::StretchFigures whole = music::MeasureStretch(render, 10.0, kFileSongSeconds);
    const music::QuietSpot quiet = music::QuietestWindow(render, 10.0, 0.01, -45.0);
    std::printf(
        "%s: %.0f s at music volume %d: %.1f dB(A), side %.1f dB, peak %.1f dBFS; quietest 10 ms "
        "after 10 s: %.1f dBFS at %.2f s, %d windows under -45 dBFS\n",
        name, kFileSongSeconds, musicVolume, whole.loudnessDb, whole.sideDb, whole.peakDb,
        quiet.levelDb, quiet.at, quiet.windowsBelow);
    loudness = whole.loudnessDb;
    return render;
}

// Stretches of eight seconds over a song whose sections are not known.
std::vector<music::SectionSpan> EightSecondStretches(double seconds) {
    std::vector<music::SectionSpan> stretches;
    for (double at = 0.0; at + 8.0 <= seconds; at += 8.0) {
        music::SectionSpan span;
        span.start = at;
        span.end = at + 8.0;
        stretches.push_back(span);
    }
    return stretches;
}

}  // namespace

int PrintFileReport(const std::string& dataDir, int musicVolume) {
    try {
        const std::string res = dataDir + "/Res/Sounds.dxw";
        const std::vector<Sound> sounds = Decode(ReadWaveArchive(ReadFileBytes(res)));
        PrintSounds(sounds);
        double menuLoudness = 0.0;
        double raceLoudness = 0.0;
        PrintSongFile("Menu", ReadFileBytes(dataDir + "/Music/Menu.xm"), musicVolume, menuLoudness);
        const std::vector<uint8_t> race = ReadFileBytes(dataDir + "/Music/Race.xm");
        const music::StereoRender raceRender =
            PrintSongFile("Race", race, musicVolume, raceLoudness);
        std::printf("\n");
        PrintBalance(sounds, raceLoudness, musicVolume);
        PrintEngineSwitches(sounds, "", musicVolume);
        const double loudestAt =
            LoudestSectionStart(raceRender, EightSecondStretches(kFileSongSeconds));
        PrintBusiestMoment(sounds, race, loudestAt, "", musicVolume);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarvex2-assetgen --measure-files: %s\n", error.what());
        return 1;
    }
    return 0;
}

int PrintSoundReport(const std::string& listenDir) {
    try {
        if (!listenDir.empty()) std::filesystem::create_directories(listenDir);
        PrintTimes();
        const std::vector<Sound> sounds = Decode(BuildSounds());
        PrintSounds(sounds);
        const XmModule menu = music::MenuModule();
        const XmModule race = music::RaceModule();
        PrintSong("Menu", WriteXm(menu), menu, listenDir);
        const std::vector<uint8_t> raceBytes = WriteXm(race);
        const double raceLoudness = PrintSong("Race", raceBytes, race, listenDir);
        PrintBalance(sounds, raceLoudness, kMusicVolume);
        PrintEngineSwitches(sounds, listenDir, kMusicVolume);
        const music::SongTimeline timeline = music::TimelineOf(race);
        const double loudestAt =
            LoudestSectionStart(RenderSong(raceBytes, timeline), timeline.sections);
        PrintBusiestMoment(sounds, raceBytes, loudestAt, listenDir, kMusicVolume);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zarvex2-assetgen --measure: %s\n", error.what());
        return 1;
    }
    return 0;
}
