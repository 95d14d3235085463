#pragma once
// The XM music player: load a song from a file, play it looping, free it. A song that cannot be
// loaded gives handle 0 and plays nothing; with no audio device nothing ever plays.

#include <SDL_mixer.h>

#include <string>
#include <vector>

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

    std::vector<Mix_Music*> songs_;  // handle n is entry n - 1
};
