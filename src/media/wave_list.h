#pragma once
// The sound archive's named waves, each with a small pool of playback buffers so that one sound
// can overlap itself. Playback goes through an AudioBackend: SDL_mixer in the game, a silent
// backend when there is no audio device, and a scripted one in tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_types.h"

// What the wave list needs from a mixer. A handle is a started buffer; handles are never reused
// while the list lives.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Prepares the sound's RIFF bytes; returns a sound id (or -1 when the data cannot be used).
    // A backend may leave the conversion to the sound's first start; a sound that it cannot
    // convert then plays nothing.
    virtual int LoadSound(const std::vector<uint8_t>& riff) = 0;
    virtual void FreeSound(int sound) = 0;
    // Starts a buffer of the sound from its beginning, looping or once; returns its handle.
    virtual int Start(int sound, bool loop) = 0;
    virtual bool IsPlaying(int handle) const = 0;
    virtual void Stop(int handle) = 0;
    // True for the backend that plays nothing because no audio device opened.
    virtual bool Silent() const { return false; }
    // The archive's name of a loaded sound; a backend may use it to tell its sounds apart (a
    // recording backend lists what was played by name).
    virtual void NameSound(int sound, std::string_view name) {
        (void)sound;
        (void)name;
    }
    // Why the last LoadSound gave -1, for the message that names the archive and the sound.
    virtual std::string LoadError() const { return {}; }
    // How to name a loaded sound in a message ("Data/Res/Sounds.dxw: sound 'Crash'"), for a
    // backend that finds out only later that it cannot play it.
    virtual void DescribeSound(int sound, std::string_view description) {
        (void)sound;
        (void)description;
    }
};

// SDL_mixer when an audio device opens, otherwise a backend that plays nothing. Opening never
// fails: a machine without sound runs the game silently.
std::unique_ptr<AudioBackend> OpenAudioBackend();
// The backend that accepts every sound and plays none (replays, machines without sound).
std::unique_ptr<AudioBackend> MakeSilentAudioBackend();

class TWaveItem {
public:
    // source: the archive's path, for messages; empty for entries given in memory. A sound that
    // the backend cannot use is reported on stderr by the archive's and the sound's names.
    TWaveItem(WaveEntry entry, AudioBackend* backend, std::string_view source = {});
    ~TWaveItem();
    TWaveItem(const TWaveItem&) = delete;
    TWaveItem& operator=(const TWaveItem&) = delete;
    const std::string& Name() const { return entry_.name; }
    bool Looped() const { return entry_.looped; }
    int MaxPlayingCount() const { return entry_.maxPlayingCount; }

    // A looped item is stopped, rewound and played looping. Otherwise the first idle buffer of
    // the pool starts; with all busy a new buffer joins the pool while it is smaller than
    // MaxPlayingCount (or always, when that is 0), else the oldest buffer restarts.
    void StartWave();
    void StopWave();
    int PoolSize() const { return static_cast<int>(buffers_.size()); }
    int PlayingCount() const;
    // False when the backend could not use the sound data; such an item plays nothing.
    bool Loaded() const { return sound_ >= 0; }

private:
    struct Buffer {
        int handle = -1;
        uint64_t started = 0;  // start order, for "oldest"
    };
    void StartBuffer(Buffer& buffer, bool loop);

    WaveEntry entry_;
    AudioBackend* backend_;
    int sound_ = -1;
    std::vector<Buffer> buffers_;
    uint64_t startCounter_ = 0;
};

class TWaveList {
public:
    explicit TWaveList(AudioBackend* backend) : backend_(backend) {}
    void LoadArchive(const std::string& path);
    void LoadEntries(std::vector<WaveEntry> entries);
    // Throws std::runtime_error "Wave '<name>' not found" when absent, after the archive's path
    // and a colon when the list came from a file.
    TWaveItem& ByName(std::string_view name) const;
    TWaveItem* Find(std::string_view name) const;
    int Count() const { return static_cast<int>(items_.size()); }

private:
    void Fill(std::vector<WaveEntry> entries);

    AudioBackend* backend_;
    std::vector<std::unique_ptr<TWaveItem>> items_;
    std::string source_;  // the archive's path; empty for entries given in memory
};

// How messages name a sound of an archive: "Data/Res/Sounds.dxw: sound 'Crash'".
std::string SoundDescription(std::string_view source, std::string_view name);
