#include "media/wave_list.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "archive/archive_reader.h"
#include "core/names.h"

std::string SoundDescription(std::string_view source, std::string_view name) {
    std::string description;
    if (!source.empty()) description.append(source).append(": ");
    return description.append("sound '").append(name).append("'");
}

TWaveItem::TWaveItem(WaveEntry entry, AudioBackend* backend, std::string_view source)
    : entry_(std::move(entry)), backend_(backend) {
    if (backend_ == nullptr) return;
    sound_ = backend_->LoadSound(entry_.wave);
    const std::string description = SoundDescription(source, entry_.name);
    if (sound_ >= 0) {
        backend_->NameSound(sound_, entry_.name);
        backend_->DescribeSound(sound_, description);
        return;
    }
    // The game plays on without the sound, but the player learns which file is damaged.
    const std::string why = backend_->LoadError();
    if (!why.empty()) {
        std::fprintf(stderr, "Zarvex 2: %s: %s; it is not played\n", description.c_str(),
                     why.c_str());
    }
}

TWaveItem::~TWaveItem() {
    if (backend_ == nullptr || sound_ < 0) return;
    StopWave();
    backend_->FreeSound(sound_);
}

void TWaveItem::StartBuffer(Buffer& buffer, bool loop) {
    if (buffer.handle >= 0) backend_->Stop(buffer.handle);
    buffer.handle = backend_->Start(sound_, loop);
    buffer.started = ++startCounter_;
}

void TWaveItem::StartWave() {
    if (backend_ == nullptr || sound_ < 0) return;
    if (entry_.looped) {
        // A looping sound (an engine, a siren) has one buffer that starts over from the top.
        StopWave();
        if (buffers_.empty()) buffers_.emplace_back();
        StartBuffer(buffers_.front(), true);
        return;
    }
    for (Buffer& buffer : buffers_) {
        if (!backend_->IsPlaying(buffer.handle)) {
            StartBuffer(buffer, false);
            return;
        }
    }
    if (entry_.maxPlayingCount <= 0 || PoolSize() < entry_.maxPlayingCount) {
        buffers_.emplace_back();
        StartBuffer(buffers_.back(), false);
        return;
    }
    auto oldest =
        std::min_element(buffers_.begin(), buffers_.end(),
                         [](const Buffer& a, const Buffer& b) { return a.started < b.started; });
    StartBuffer(*oldest, false);
}

void TWaveItem::StopWave() {
    if (backend_ == nullptr) return;
    for (const Buffer& buffer : buffers_) {
        if (buffer.handle >= 0) backend_->Stop(buffer.handle);
    }
}

int TWaveItem::PlayingCount() const {
    if (backend_ == nullptr) return 0;
    return static_cast<int>(std::count_if(
        buffers_.begin(), buffers_.end(),
        [this](const Buffer& b) { return b.handle >= 0 && backend_->IsPlaying(b.handle); }));
}

void TWaveList::LoadArchive(const std::string& path) {
    std::vector<WaveEntry> entries = ReadWaveArchive(ReadFileBytes(path));
    source_ = path;
    Fill(std::move(entries));
}

void TWaveList::LoadEntries(std::vector<WaveEntry> entries) {
    source_.clear();
    Fill(std::move(entries));
}

void TWaveList::Fill(std::vector<WaveEntry> entries) {
    items_.clear();
    items_.reserve(entries.size());
    for (WaveEntry& entry : entries) {
        items_.push_back(std::make_unique<TWaveItem>(std::move(entry), backend_, source_));
    }
}

TWaveItem* TWaveList::Find(std::string_view name) const {
    for (const auto& item : items_) {
        if (SameNameIgnoringCase(item->Name(), name)) return item.get();
    }
    return nullptr;
}

TWaveItem& TWaveList::ByName(std::string_view name) const {
    TWaveItem* item = Find(name);
    if (item == nullptr) {
        const std::string message = "Wave '" + std::string(name) + "' not found";
        throw std::runtime_error(source_.empty() ? message : source_ + ": " + message);
    }
    return *item;
}
