#pragma once
// Decodes the pictures the user is likely to want next on worker threads, so that a show that
// lands on one of them only has to draw. The show still flattens, processes, places and draws
// what it takes from here, so the screen is the same with and without prefetching; for a
// single picture the worker also resamples it the way the show is going to, which the show
// takes instead of resampling when it places the picture exactly so.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "decode/PictureRegistry.h"
#include "display/PictureProcessing.h"
#include "imaging/Bitmap.h"

namespace pictavo {

class Prefetcher {
public:
    // What a file looks like on disk, so a picture read from an older version is not shown.
    struct FileStamp {
        std::int64_t size = -1;
        std::int64_t modifiedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };

    // One picture to decode ahead: its local path, the (thread-safe) decoder for it and, for a
    // picture the show will fit on its own, how it fits the screen.
    struct Job {
        std::string path;
        std::shared_ptr<const PictureDecoder> decoder;
        std::optional<ScreenFit> fit;
    };

    // A picture read ahead, the file as it was when it was read, and, when its job had a fit,
    // the picture resampled for that fit (not for a picture the show may still flatten, nor one
    // the area does not resample whole).
    struct Ahead {
        Bitmap picture;
        FileStamp stamp;
        std::optional<ScreenFit> fit;
        std::optional<Bitmap> fitted;
    };

    // Finished pictures are held within `budgetBytes`; a decode that would go beyond it is
    // dropped. `workers` threads decode (at least one).
    explicit Prefetcher(std::size_t budgetBytes, int workers = 1);
    // Cancels what is queued, waits for the decodes under way and frees everything.
    ~Prefetcher();
    Prefetcher(const Prefetcher&) = delete;
    Prefetcher& operator=(const Prefetcher&) = delete;

    // The pictures wanted now, most wanted first. Anything else queued or held is dropped (a
    // decode under way for it is let finish and then thrown away); wanted pictures that are
    // neither queued nor held are queued.
    void Want(const std::vector<Job>& jobs);
    // Drops everything (the show ended or left the neighbourhood).
    void Clear() { Want({}); }
    // Adds one picture to what is wanted, ahead of the rest of the queue (the second page of a
    // spread, read while the first is decoded on the calling thread).
    void Also(const Job& job);
    // A picture the show read from `path` as it was at `stamp` and shows no longer: held as if
    // it had been read ahead, so that coming back to it does not decode it again, when the
    // budget allows and nothing for `path` is held or under way. The next Want drops it unless
    // it is wanted there.
    void Keep(const std::string& path, Bitmap picture, FileStamp stamp);

    // The picture decoded ahead for `path`, waiting for its decode when it is under way. Empty
    // when it was not asked for, not yet started, over the budget, or when the file changed
    // (size or modification time) since it was read: the caller then decodes it itself. A
    // decode that failed throws its EDecode here, once, as decoding the file would. The entry
    // is handed over and forgotten either way.
    std::optional<Ahead> Take(const std::string& path);

    // Bytes of finished pictures held now, and the most ever held (for tests and measurements).
    std::size_t HeldBytes() const;
    std::size_t PeakHeldBytes() const;

    // A default budget: a quarter of physical memory, at most 1 GiB.
    static std::size_t DefaultBudget();
    static FileStamp StampOf(const std::string& path);

private:
    enum class State { Queued, Decoding, Done, Failed, Dropped };
    struct Entry {
        State state = State::Queued;
        std::shared_ptr<const PictureDecoder> decoder;
        std::optional<ScreenFit> fit;
        std::optional<Bitmap> picture;
        std::optional<Bitmap> fitted;
        std::string error;
        FileStamp stamp;
        bool wanted = true;
    };

    void Work();
    void Finish(const std::string& path, Entry& entry, std::optional<Bitmap> picture,
                std::optional<Bitmap> fitted, std::string error, FileStamp before);
    static std::size_t BytesOf(const Entry& entry);
    void Release(Entry& entry);

    const std::size_t budget_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, Entry> entries_;
    std::deque<std::string> queue_;
    std::size_t held_ = 0;
    std::size_t peak_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace pictavo
