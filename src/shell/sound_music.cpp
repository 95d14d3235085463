// The form's sound and music operations: sounds restart from their beginning when played again,
// and both switches of the options are honoured here.

#include "shell/form.h"

void TMForm::PlaySound(Sound sound) {
    if (Options.Sound == 0 || !MDXWaveList) return;
    TWaveItem& item = MDXWaveList->ByName(NameOf(sound));
    item.StopWave();
    item.StartWave();
}

void TMForm::StopSound(Sound sound) {
    if (Options.Sound == 0 || !MDXWaveList) return;
    MDXWaveList->ByName(NameOf(sound)).StopWave();
}

void TMForm::PlayMusic() {
    const std::string song = Screens.ScreenState == kScreenRace ? "Music/Race.xm" : "Music/Menu.xm";
    if (Options.Music == 0) return;
    if (SongHandle != 0) {
        MusicPlayer.SongFree(SongHandle);
        SongHandle = 0;
    }
    SongHandle = MusicPlayer.SongLoadFromFile(DataPath(song));
    if (SongHandle != 0) MusicPlayer.SongPlay(SongHandle);
}

void TMForm::StopMusic() {
    if (SongHandle != 0) {
        MusicPlayer.SongFree(SongHandle);
        SongHandle = 0;
    }
}
