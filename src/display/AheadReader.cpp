#include "display/AheadReader.h"

#include <algorithm>
#include <thread>

namespace pictavo {

namespace {

// The user-interface thread decodes too; the rest of the cores read ahead, a few at most.
int WorkerCount() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 1, 3);
}

}  // namespace

AheadReader::AheadReader(const AppState& state, std::size_t budgetBytes) : state_(state) {
    SetBudget(budgetBytes);
}

// The workers start with the first show that reads ahead, not when the window is made.
void AheadReader::SetBudget(std::size_t budgetBytes) {
    engine_.reset();
    budget_ = budgetBytes;
}

Prefetcher* AheadReader::Engine() {
    if (!engine_ && budget_ > 0) engine_ = std::make_unique<Prefetcher>(budget_, WorkerCount());
    return engine_.get();
}

std::optional<Prefetcher::Job> AheadReader::JobFor(const QString& path) const {
    if (state_.SourceKind != 0 || path.isEmpty()) return std::nullopt;
    std::string local = path.toStdString();
    PictureRegistry::Choice choice = state_.registry.DecoderFor(local);
    if (!choice.decoder || !choice.threadSafe) return std::nullopt;
    return Prefetcher::Job{std::move(local), std::move(choice.decoder)};
}

void AheadReader::ShowDone() {
    if (state_.DisplayClosing || state_.settings.IsPicAnimation) {
        Clear();
        return;
    }
    Prefetcher* engine = Engine();
    if (!engine) return;
    std::vector<Prefetcher::Job> jobs;
    for (const std::int32_t entry :
         PrefetchPlan(state_.CurrentIndex, state_.ImageCount, state_.settings.ES2PS_Is2PageSpread, travel_))
        if (auto job = JobFor(state_.ImageList.value(entry))) jobs.push_back(std::move(*job));
    engine->Want(jobs);
}

std::optional<Bitmap> AheadReader::Take(const QString& path) {
    if (!engine_ || state_.SourceKind != 0) return std::nullopt;
    return engine_->Take(path.toStdString());
}

void AheadReader::ReadAside(const QString& path) {
    Prefetcher* engine = Engine();
    if (!engine) return;
    if (auto job = JobFor(path)) engine->Also(*job);
}

void AheadReader::Clear() {
    if (engine_) engine_->Clear();
}

}  // namespace pictavo
