#include "display/AheadReader.h"

#include <QTimer>
#include <algorithm>
#include <thread>

namespace pictavo {

namespace {

// The user-interface thread decodes too; the rest of the cores read ahead, a few at most.
int WorkerCount() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 1, 3);
}

Prefetcher::FileStamp StampOf(const QString& path) {
    return Prefetcher::StampOf(path.toStdString());
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

std::optional<Prefetcher::Job> AheadReader::JobFor(const QString& path, std::optional<ScreenFit> fit) const {
    if (path.isEmpty()) return std::nullopt;
    std::string local = path.toStdString();
    PictureRegistry::Choice choice = state_.registry.DecoderFor(local);
    if (!choice.decoder || !choice.threadSafe) return std::nullopt;
    return Prefetcher::Job{std::move(local), std::move(choice.decoder), fit};
}

void AheadReader::ShowDone(std::optional<ScreenFit> fit) {
    if (state_.DisplayClosing || state_.settings.IsPicAnimation) {
        Clear();
        return;
    }
    if (!Engine()) return;
    fit_ = fit;
    planned_.clear();
    for (const std::int32_t entry :
         PrefetchPlan(state_.CurrentIndex, state_.ImageCount, state_.settings.ES2PS_Is2PageSpread, travel_))
        planned_.append(state_.ImageList.value(entry));
    if (state_.SourceKind == 1) PostExtractNext();
    WantPlanned();
}

void AheadReader::WantPlanned() {
    std::vector<Prefetcher::Job> jobs;
    for (const QString& entry : planned_)
        if (auto job = JobFor(PathAhead(entry), fit_)) jobs.push_back(std::move(*job));
    engine_->Want(jobs);
}

QString AheadReader::PathAhead(const QString& entry) const {
    if (state_.SourceKind != 1) return entry;
    const auto it = extracted_.find(entry);
    if (it == extracted_.end() || it->second.path.isEmpty()) return {};
    const Extracted& member = it->second;
    const bool current = StampOf(member.path) == member.file && StampOf(state_.ArchivePath) == member.archive;
    return current ? member.path : QString();
}

QString AheadReader::Extract(const QString& member) {
    Extracted& done = extracted_[member];
    done.archive = StampOf(state_.ArchivePath);
    const QString path = extract_ ? extract_(member) : QString();
    done.file = StampOf(path);
    // Nothing written: not tried again from here; a show extracts it itself and beeps.
    done.path = done.file.size < 0 ? QString() : path;
    return path;
}

QString AheadReader::MemberPath(const QString& member) {
    if (budget_ == 0) return extract_ ? extract_(member) : QString();
    const QString ahead = PathAhead(member);
    return ahead.isEmpty() ? Extract(member) : ahead;
}

void AheadReader::PostExtractNext() {
    if (extractPosted_) return;
    extractPosted_ = true;
    QTimer::singleShot(0, &turns_, [this] {
        extractPosted_ = false;
        ExtractNext();
    });
}

void AheadReader::ExtractNext() {
    if (state_.DisplayClosing || state_.SourceKind != 1 || !engine_) return;
    const Prefetcher::FileStamp archive = StampOf(state_.ArchivePath);
    for (const QString& member : planned_) {
        const auto it = extracted_.find(member);
        const bool tried = it != extracted_.end() && it->second.archive == archive;
        if (tried && (it->second.path.isEmpty() || !PathAhead(member).isEmpty())) continue;
        Extract(member);
        WantPlanned();
        PostExtractNext();
        return;
    }
}

std::optional<Prefetcher::Ahead> AheadReader::Take(const QString& path) {
    if (!engine_) return std::nullopt;
    return engine_->Take(path.toStdString());
}

void AheadReader::ReadAside(const QString& path, std::optional<ScreenFit> fit) {
    Prefetcher* engine = Engine();
    if (!engine) return;
    if (auto job = JobFor(path, fit)) engine->Also(*job);
}

void AheadReader::Keep(const QString& path, Bitmap picture, Prefetcher::FileStamp stamp) {
    if (engine_ && !state_.DisplayClosing) engine_->Keep(path.toStdString(), std::move(picture), stamp);
}

void AheadReader::Clear() {
    if (engine_) engine_->Clear();
    planned_.clear();
    extracted_.clear();
}

}  // namespace pictavo
