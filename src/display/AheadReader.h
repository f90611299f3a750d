#pragma once
// Joins the prefetcher to the slideshow: after each show it asks for the entries the user is
// likely to want next, and the loaders take their pictures from it when it has them. Only
// plain files with a decoder that may run on another thread are read ahead; archive members
// are extracted by the show itself and decoded there.
#include <QString>
#include <cstddef>
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
    // A position is on screen: read its neighbours ahead. The animation view reads its own
    // files, so nothing is read ahead for it.
    void ShowDone();
    // The picture read ahead for `path`, or nothing (the caller decodes it). Throws the
    // EDecode of a failed read-ahead.
    std::optional<Bitmap> Take(const QString& path);
    // Starts reading `path` on a worker now (the second page of a spread).
    void ReadAside(const QString& path);
    // Drops everything read ahead (the show ended).
    void Clear();

    // Bytes held now and at most so far; 0 when reading ahead is off.
    std::size_t HeldBytes() const { return engine_ ? engine_->HeldBytes() : 0; }
    std::size_t PeakHeldBytes() const { return engine_ ? engine_->PeakHeldBytes() : 0; }

private:
    std::optional<Prefetcher::Job> JobFor(const QString& path) const;
    Prefetcher* Engine();

    const AppState& state_;
    std::size_t budget_ = 0;
    std::unique_ptr<Prefetcher> engine_;
    Travel travel_ = Travel::Forward;
};

}  // namespace pictavo
