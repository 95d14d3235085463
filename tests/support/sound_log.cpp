#include "support/sound_log.h"

#include <map>

namespace {

class RecordingAudio final : public AudioBackend {
public:
    explicit RecordingAudio(std::shared_ptr<SoundLog> log) : log_(std::move(log)) {}
    int LoadSound(const std::vector<uint8_t>& /*riff*/) override { return nextSound_++; }
    void FreeSound(int /*sound*/) override {}
    int Start(int sound, bool /*loop*/) override {
        log_->played.push_back(names_[sound]);
        log_->sounding.push_back(names_[sound]);
        handles_[nextHandle_] = names_[sound];
        return nextHandle_++;
    }
    bool IsPlaying(int /*handle*/) const override { return false; }
    void Stop(int handle) override {
        const auto it = handles_.find(handle);
        if (it == handles_.end()) return;
        const auto playing = std::find(log_->sounding.begin(), log_->sounding.end(), it->second);
        if (playing != log_->sounding.end()) log_->sounding.erase(playing);
        handles_.erase(it);
    }
    bool Silent() const override { return true; }
    void NameSound(int sound, std::string_view name) override { names_[sound] = name; }

private:
    std::shared_ptr<SoundLog> log_;
    std::map<int, std::string> names_;
    std::map<int, std::string> handles_;  // the handles started and not stopped
    int nextSound_ = 0;
    int nextHandle_ = 0;
};

}  // namespace

std::unique_ptr<AudioBackend> MakeRecordingAudio(std::shared_ptr<SoundLog> log) {
    return std::make_unique<RecordingAudio>(std::move(log));
}
