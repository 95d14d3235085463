#pragma once
// The XM music player: load a song from a file, play it looping, free it. A song that cannot be
// loaded gives handle 0 and plays nothing (the first failure of each file is told on stderr,
// naming it); with no audio device nothing ever plays.

#include <SDL_mixer.h>

#include <set>
#include <string>
#include <vector>

// The volume every song plays at (Mix_VolumeMusic, of 128). A little under full: the race music
// then sits level with the accelerating engine, and music, engine and a pile of effects at once
// stay under full scale.
constexpr int kMusicVolume = 100;

class TMusicPlayer {
public:
    TMusicPlayer() = default;
    ~TMusicPlayer();
    TMusicPlayer(const TMusicPlayer&) = delete;
    TMusicPlayer& operator=(const TMusicPlayer&) = delete;
    // Returns a handle, 0 on failure.
    int SongLoadFromFile(const std::string& path);
    void SongPlay(int handle);
    void SongFree(int handle);
    // For tests: the song's length in seconds as the player sees it (-1 when unknown).
    double SongLengthSeconds(int handle) const;
    bool Playing() const;

private:
    Mix_Music* SongOf(int handle) const;

    std::vector<Mix_Music*> songs_;   // handle n is entry n - 1
    std::set<std::string> reported_;  // files whose failure was told
};
