#include "media/wave_list.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "archive/archive_reader.h"
#include "core/names.h"

TWaveItem::TWaveItem(WaveEntry entry, AudioBackend* backend)
    : entry_(std::move(entry)), backend_(backend) {
    if (backend_ != nullptr) {
        sound_ = backend_->LoadSound(entry_.wave);
        if (sound_ >= 0) backend_->NameSound(sound_, entry_.name);
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
    LoadEntries(ReadWaveArchive(ReadFileBytes(path)));
}

void TWaveList::LoadEntries(std::vector<WaveEntry> entries) {
    items_.clear();
    items_.reserve(entries.size());
    for (WaveEntry& entry : entries) {
        items_.push_back(std::make_unique<TWaveItem>(std::move(entry), backend_));
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
    if (item == nullptr) throw std::runtime_error("Wave '" + std::string(name) + "' not found");
    return *item;
}
