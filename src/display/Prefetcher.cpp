#include "display/Prefetcher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>

namespace pictavo {

Prefetcher::Prefetcher(std::size_t budgetBytes, int workers) : budget_(budgetBytes) {
    for (int i = 0; i < std::max(1, workers); ++i) workers_.emplace_back([this] { Work(); });
}

Prefetcher::~Prefetcher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

std::size_t Prefetcher::DefaultBudget() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    constexpr std::size_t kMost = std::size_t{1} << 30;
    if (pages <= 0 || pageSize <= 0) return kMost / 4;
    return std::min(kMost, static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) / 4);
}

Prefetcher::FileStamp Prefetcher::StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

std::size_t Prefetcher::BytesOf(const Entry& entry) {
    return (entry.picture ? entry.picture->ByteSize() : 0) + (entry.fitted ? entry.fitted->ByteSize() : 0);
}

void Prefetcher::Release(Entry& entry) {
    held_ -= BytesOf(entry);
    entry.picture.reset();
    entry.fitted.reset();
}

void Prefetcher::Want(const std::vector<Job>& jobs) {
    {
        const std::lock_guard lock(mutex_);
        for (auto& [path, entry] : entries_) entry.wanted = false;
        queue_.clear();
        for (const Job& job : jobs) {
            auto [it, added] = entries_.try_emplace(job.path);
            Entry& entry = it->second;
            entry.wanted = true;
            if (added) {
                entry.decoder = job.decoder;
                entry.fit = job.fit;
            }
            if (entry.state == State::Queued) queue_.push_back(job.path);
        }
        // A decode under way is let finish; its result goes when it arrives.
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (it->second.wanted || it->second.state == State::Decoding) {
                ++it;
                continue;
            }
            Release(it->second);
            it = entries_.erase(it);
        }
    }
    changed_.notify_all();
}

void Prefetcher::Also(const Job& job) {
    {
        const std::lock_guard lock(mutex_);
        auto [it, added] = entries_.try_emplace(job.path);
        it->second.wanted = true;
        if (!added) return;
        it->second.decoder = job.decoder;
        it->second.fit = job.fit;
        queue_.push_front(job.path);
    }
    changed_.notify_one();
}

void Prefetcher::Keep(const std::string& path, Bitmap picture, FileStamp stamp) {
    const std::lock_guard lock(mutex_);
    if (held_ + picture.ByteSize() > budget_ || entries_.contains(path)) return;
    Entry& entry = entries_[path];
    entry.state = State::Done;
    entry.stamp = stamp;
    entry.picture = std::move(picture);
    held_ += BytesOf(entry);
    peak_ = std::max(peak_, held_);
}

void Prefetcher::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const std::string path = queue_.front();
        queue_.pop_front();
        const auto it = entries_.find(path);
        if (it == entries_.end() || it->second.state != State::Queued) continue;
        Entry& entry = it->second;
        entry.state = State::Decoding;
        const std::shared_ptr<const PictureDecoder> decoder = entry.decoder;
        const std::optional<ScreenFit> fit = entry.fit;
        lock.unlock();

        const FileStamp before = StampOf(path);
        std::optional<Bitmap> picture;
        std::optional<Bitmap> fitted;
        std::string error;
        try {
            picture = decoder->Decode(path);
        } catch (const std::bad_alloc&) {
            error = "out of memory decoding " + path;
        } catch (const std::exception& e) {
            error = e.what();
        }
        // The show flattens a picture that may be transparent before it resamples it, so only a
        // picture known to be opaque is resampled here. Failing here only leaves it to the show.
        if (picture && fit && picture->KnownOpaque()) {
            try {
                fitted = ResampleForScreen(*picture, *fit);
            } catch (const std::exception&) {
            }
        }
        lock.lock();
        Finish(path, entry, std::move(picture), std::move(fitted), std::move(error), before);
    }
}

// Entries under decode are never erased meanwhile, so `entry` is still the one for `path`.
void Prefetcher::Finish(const std::string& path, Entry& entry, std::optional<Bitmap> picture,
                        std::optional<Bitmap> fitted, std::string error, FileStamp before) {
    if (!entry.wanted) {
        entries_.erase(path);
    } else if (StampOf(path) != before) {
        entry.state = State::Dropped;  // written while it was read: the show reads it again
    } else if (!picture) {
        entry.state = State::Failed;
        entry.error = std::move(error);
        entry.stamp = before;
    } else if (held_ + picture->ByteSize() > budget_) {
        entry.state = State::Dropped;
    } else {
        // The resampled copy is worth less than the picture: it goes first when both do not fit.
        if (fitted && held_ + picture->ByteSize() + fitted->ByteSize() > budget_) fitted.reset();
        entry.picture = std::move(picture);
        entry.fitted = std::move(fitted);
        held_ += BytesOf(entry);
        peak_ = std::max(peak_, held_);
        entry.stamp = before;
        entry.state = State::Done;
    }
    changed_.notify_all();
}

std::optional<Prefetcher::Ahead> Prefetcher::Take(const std::string& path) {
    std::unique_lock lock(mutex_);
    auto it = entries_.find(path);
    if (it == entries_.end()) return std::nullopt;
    if (it->second.state == State::Decoding) {
        // The picture is half read already: waiting costs less than reading it again.
        changed_.wait(lock, [&] {
            it = entries_.find(path);
            return it == entries_.end() || it->second.state != State::Decoding;
        });
        if (it == entries_.end()) return std::nullopt;
    }
    Entry entry = std::move(it->second);
    entries_.erase(it);
    held_ -= BytesOf(entry);
    const bool current =
        (entry.state == State::Done || entry.state == State::Failed) && StampOf(path) == entry.stamp;
    if (!current) return std::nullopt;
    if (entry.state == State::Failed) throw EDecode(entry.error);
    return Ahead{std::move(*entry.picture), entry.stamp, entry.fit, std::move(entry.fitted)};
}

std::size_t Prefetcher::HeldBytes() const {
    const std::lock_guard lock(mutex_);
    return held_;
}

std::size_t Prefetcher::PeakHeldBytes() const {
    const std::lock_guard lock(mutex_);
    return peak_;
}

}  // namespace pictavo
