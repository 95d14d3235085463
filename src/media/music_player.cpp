#include "media/music_player.h"

#include <cstdio>

TMusicPlayer::~TMusicPlayer() {
    for (Mix_Music*& song : songs_) {
        if (song != nullptr) Mix_FreeMusic(song);
        song = nullptr;
    }
}

Mix_Music* TMusicPlayer::SongOf(int handle) const {
    if (handle <= 0 || handle > static_cast<int>(songs_.size())) return nullptr;
    return songs_[static_cast<size_t>(handle) - 1];
}

int TMusicPlayer::SongLoadFromFile(const std::string& path) {
    // No audio device: nothing could ever play, and SDL_mixer cannot decode without one.
    if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0) return 0;
    Mix_Music* song = Mix_LoadMUS(path.c_str());
    if (song == nullptr) {
        // A missing or broken song leaves the game without music, and the player learns which
        // file is at fault, once.
        if (reported_.insert(path).second) {
            std::fprintf(stderr, "Zarvex 2: %s: %s; no music plays\n", path.c_str(),
                         Mix_GetError());
        }
        SDL_ClearError();
        return 0;
    }
    for (size_t i = 0; i < songs_.size(); ++i) {
        if (songs_[i] == nullptr) {
            songs_[i] = song;
            return static_cast<int>(i) + 1;
        }
    }
    songs_.push_back(song);
    return static_cast<int>(songs_.size());
}

void TMusicPlayer::SongPlay(int handle) {
    if (Mix_Music* song = SongOf(handle)) {
        Mix_VolumeMusic(kMusicVolume);
        Mix_PlayMusic(song, -1);
    }
}

void TMusicPlayer::SongFree(int handle) {
    Mix_Music* song = SongOf(handle);
    if (song == nullptr) return;
    // Freeing the song that plays stops it first.
    Mix_FreeMusic(song);
    songs_[static_cast<size_t>(handle) - 1] = nullptr;
}

double TMusicPlayer::SongLengthSeconds(int handle) const {
    Mix_Music* song = SongOf(handle);
    return song != nullptr ? Mix_MusicDuration(song) : -1.0;
}

bool TMusicPlayer::Playing() const {
    return Mix_PlayingMusic() != 0;
}
