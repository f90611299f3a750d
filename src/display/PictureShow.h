#pragma once
// Puts list entries on the picture area: reads them through the picture registry (single
// pictures and two-page spreads), keeps the decoded picture as a cache so that redraws and
// image processing never decode again, places and draws it, and writes the file-information
// lines. The slideshow window owns one and calls it for every show.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

#include "display/Prefetcher.h"
#include "display/SpreadComposite.h"
#include "imaging/Bitmap.h"
#include "sources/AppState.h"

namespace pictavo {

class PictureArea;

class PictureShow {
public:
    // What a show needs from its window: `beep` when a picture cannot be shown, `finish` at
    // the end of every load (restart the auto-slide timer, bring the window to the front).
    struct Hooks {
        std::function<void()> beep;
        std::function<void()> finish;
        // Turns an archive member into the local path it was extracted to; unset means the
        // entry is used as it is.
        std::function<QString(const QString& member)> memberPath;
        // The picture read ahead for a local path, if any (it throws what its decode threw);
        // unset or empty means the show decodes the file itself.
        std::function<std::optional<Prefetcher::Ahead>(const QString& path)> takeAhead;
        // Starts reading a local path on another thread (the right page of a spread).
        std::function<void(const QString& path)> readAside;
        // Takes a picture read from a local path (as it was then) that is no longer shown,
        // untouched since it was read, for a show that may come back to it.
        std::function<void(const QString& path, Bitmap picture, Prefetcher::FileStamp stamp)> keep;
    };

    // `state` and `area` are borrowed and must outlive this object.
    PictureShow(AppState& state, PictureArea& area, Hooks hooks);

    // Shows entry `index` alone. An unreadable picture beeps once and leaves the area as it
    // is; the information lines are still written (size 0 x 0). Input served while the path is
    // resolved may start a nested show; when one ran (or the cache changed meanwhile), this
    // show leaves the screen to it and draws nothing. Never throws.
    void LoadSinglePicture(int index);
    // Shows entries `left` and `right` side by side, as above.
    void LoadSpreadPictures(int left, int right);

    // The animation mode's load: resolves entry `index` and hands its local path to `play`
    // (which shows it in the animation view), then finishes as every load does. Overtaken by
    // a nested show while the path is resolved, it leaves the view to that show.
    void LoadAnimation(int index, const std::function<void(const QString& path)>& play);

    // Applies image-processing command `command` (see PictureProcessing.h) to the cache; 0
    // rereads the file(s) last shown. Throws what loading or the filters throw.
    void ProcessPicture(int command);

    // The cache: the decoded (and processed) picture on screen, nullptr when empty.
    const Bitmap* CurrentPicture() const { return current_ ? &*current_ : nullptr; }
    void EmptyCurrentPicture();

    // Advances with every show and every change of the cache from outside a show: a caller
    // that sees it move by more than its own show's one step knows a nested show ran.
    std::uint64_t Generation() const { return generation_; }
    // True while a load is under way (including the input it lets run meanwhile).
    bool InProgress() const { return loadsInProgress_ > 0; }
    // Page sizes of the last spread read from files; kept across redraws from the cache.
    const SpreadSizes& LastSpreadSizes() const { return spreadSizes_; }
    // How the next single picture will be fitted to the screen as things stand; nothing in
    // spread mode, where pages are composed before they are fitted.
    std::optional<ScreenFit> SingleFit() const;

private:
    class LoadScope;

    QString ResolvePath(int index);
    void ApplyProcessing(int command);
    Bitmap ReadPicture(const QString& path, std::optional<Prefetcher::Ahead> ahead) const;
    std::optional<Prefetcher::Ahead> TakeAhead(const QString& path) const;
    ScreenFit FitNow() const;
    void ReadSingle(const QString& path);
    void ReadSpread(const QString& left, const QString& right);
    void DrawCurrent();
    void WriteInfoLines(const QStringList& lines);
    void Finish();

    AppState& state_;
    PictureArea& area_;
    Hooks hooks_;
    std::optional<Bitmap> current_;
    SpreadSizes spreadSizes_;
    // The file(s) the cache came from, for restore: one path, or the left and right page.
    QStringList shownPaths_;
    Prefetcher::FileStamp readStamp_;  // the single picture's file as it was read
    std::uint64_t generation_ = 0;
    int loadsInProgress_ = 0;
    // Names the cache's content: it changes with every read and every processing step, so the
    // area can tell a redraw of the same picture from a new one.
    std::uint64_t pictureVersion_ = 1;
    // The picture just read, resampled ahead on a worker for the fit it was made for; taken by
    // the draw that follows the read, when the cache and the fit are still those.
    struct FittedAhead {
        std::uint64_t version = 0;
        ScreenFit fit;
        Bitmap bitmap;
    };
    std::optional<FittedAhead> fittedAhead_;
};

}  // namespace pictavo
