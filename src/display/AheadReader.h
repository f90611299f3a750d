#pragma once
// Joins the prefetcher to the slideshow: after each show it asks for the entries the user is
// likely to want next, and the loaders take their pictures from it when it has them. Only
// files with a decoder that may run on another thread are read ahead. Archive members are
// extracted on the user-interface thread, one per turn of the event loop so that input is
// served in between, and only their decoding moves to a worker.
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "display/PrefetchPlan.h"
#include "display/Prefetcher.h"
#include "sources/AppState.h"

namespace pictavo {

class AheadReader {
public:
    // Borrows `state`, which must outlive this object. `budgetBytes` 0 reads nothing ahead.
    AheadReader(const AppState& state, std::size_t budgetBytes);

    // Starts over with a new budget (0 switches reading ahead off); what was held is dropped.
    void SetBudget(std::size_t budgetBytes);
    // The direction of the move about to be shown.
    void NoteTravel(Travel travel) { travel_ = travel; }
    // A position is on screen: read its neighbours ahead, and resample them for `fit` too when
    // single pictures are shown. The animation view reads its own files, so nothing is read
    // ahead for it.
    void ShowDone(std::optional<ScreenFit> fit);
    // The picture read ahead for `path`, or nothing (the caller decodes it). Throws the
    // EDecode of a failed read-ahead.
    std::optional<Prefetcher::Ahead> Take(const QString& path);
    // Starts reading `path` on a worker now (the second page of a spread, the first picture of
    // a show), resampled for `fit` too when one is given.
    void ReadAside(const QString& path, std::optional<ScreenFit> fit = {});
    // The picture the show read from `path` (as it was at `stamp`) and shows no longer, for a
    // show that comes back to it; nothing is kept once the slideshow is ending.
    void Keep(const QString& path, Bitmap picture, Prefetcher::FileStamp stamp);
    // Drops everything read ahead (the show ended).
    void Clear();

    // Extracts one archive member and returns the path to read it from (the show's extraction).
    using Extractor = std::function<QString(const QString& member)>;
    void SetExtractor(Extractor extract) { extract_ = std::move(extract); }
    // The path to read archive member `member` from. A member extracted ahead is not extracted
    // again while its file and the archive are as they were then; with reading ahead off every
    // call extracts.
    QString MemberPath(const QString& member);

    // Bytes held now and at most so far; 0 when reading ahead is off.
    std::size_t HeldBytes() const { return engine_ ? engine_->HeldBytes() : 0; }
    std::size_t PeakHeldBytes() const { return engine_ ? engine_->PeakHeldBytes() : 0; }

private:
    // An archive member in the temporary folder, with the stamps that tell whether it is still
    // what the archive holds. An empty path marks a failed extraction. Extracted files stay in
    // the folder until the slideshow ends, so their notes are kept as long.
    struct Extracted {
        QString path;
        Prefetcher::FileStamp file;
        Prefetcher::FileStamp archive;
    };

    std::optional<Prefetcher::Job> JobFor(const QString& path, std::optional<ScreenFit> fit = {}) const;
    Prefetcher* Engine();
    // The planned entries that can be decoded now, handed to the engine in the plan's order.
    void WantPlanned();
    // The local file to decode for `entry`: itself, or an archive member's current extraction.
    QString PathAhead(const QString& entry) const;
    // Extracts `member` now and notes the result; returns the extractor's path.
    QString Extract(const QString& member);
    // Extracts the next planned member not yet tried, then comes back on the next turn.
    void ExtractNext();
    void PostExtractNext();

    const AppState& state_;
    std::size_t budget_ = 0;
    std::unique_ptr<Prefetcher> engine_;
    Travel travel_ = Travel::Forward;
    QStringList planned_;
    std::optional<ScreenFit> fit_;
    Extractor extract_;
    std::map<QString, Extracted> extracted_;
    bool extractPosted_ = false;
    QObject turns_;  // receives the posted extractions; they go with this object
};

}  // namespace pictavo
