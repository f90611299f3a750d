#include "display/PictureShow.h"

#include <QCoreApplication>
#include <exception>

#include "display/FileInfoText.h"
#include "display/PictureArea.h"
#include "display/PictureProcessing.h"
#include "display/Placement.h"

namespace pictavo {

// Marks a load as under way for its whole length and gives it the next generation.
class PictureShow::LoadScope {
public:
    explicit LoadScope(PictureShow& show) : show_(show), generation_(++show.generation_) {
        ++show_.loadsInProgress_;
    }
    ~LoadScope() { --show_.loadsInProgress_; }
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;

    // False once a nested show or a change of the cache has overtaken this load.
    bool StillCurrent() const { return show_.generation_ == generation_; }

private:
    PictureShow& show_;
    std::uint64_t generation_;
};

PictureShow::PictureShow(AppState& state, PictureArea& area, Hooks hooks)
    : state_(state), area_(area), hooks_(std::move(hooks)) {}

void PictureShow::EmptyCurrentPicture() {
    // Nothing writes to a picture without losing its opaque mark: one that still has it is
    // the file's picture as read, which the next shows may want again (the one behind).
    if (hooks_.keep && current_ && current_->KnownOpaque() && shownPaths_.size() == 1)
        hooks_.keep(shownPaths_[0], std::move(*current_), readStamp_);
    current_.reset();
    ++pictureVersion_;
    ++generation_;
}

QString PictureShow::ResolvePath(int index) {
    const QString entry = state_.ImageList.value(index);
    if (state_.SourceKind == 1) return hooks_.memberPath ? hooks_.memberPath(entry) : entry;
    // Input that arrived while the previous picture was drawn is served first.
    QCoreApplication::processEvents();
    return entry;
}

std::optional<Prefetcher::Ahead> PictureShow::TakeAhead(const QString& path) const {
    return hooks_.takeAhead ? hooks_.takeAhead(path) : std::nullopt;
}

// Transparent parts take the background colour once here, so every drawing method and
// every filter sees an opaque picture.
Bitmap PictureShow::ReadPicture(const QString& path, std::optional<Prefetcher::Ahead> ahead) const {
    Bitmap picture = ahead ? std::move(ahead->picture) : state_.registry.Load(path.toStdString());
    FlattenOntoColor(picture, state_.settings.BackGroundColor);
    return picture;
}

void PictureShow::ReadSingle(const QString& path) {
    ++pictureVersion_;
    fittedAhead_.reset();
    std::optional<Prefetcher::Ahead> ahead = TakeAhead(path);
    readStamp_ = ahead ? ahead->stamp : Prefetcher::StampOf(path.toStdString());
    if (ahead && ahead->fit && ahead->fitted)
        fittedAhead_ = FittedAhead{pictureVersion_, *ahead->fit, std::move(*ahead->fitted)};
    current_ = ReadPicture(path, std::move(ahead));
    shownPaths_ = {path};
}

ScreenFit PictureShow::FitNow() const {
    return {area_.width(), area_.height(), state_.settings.ImageResizeType, state_.settings.StretchAlgorithm};
}

std::optional<ScreenFit> PictureShow::SingleFit() const {
    if (state_.settings.ES2PS_Is2PageSpread) return std::nullopt;
    return FitNow();
}

void PictureShow::ReadSpread(const QString& left, const QString& right) {
    // The two pages are read side by side: the right one on a worker meanwhile.
    if (hooks_.readAside) hooks_.readAside(right);
    fittedAhead_.reset();
    const Bitmap leftPage = ReadPicture(left, TakeAhead(left));
    const Bitmap rightPage = ReadPicture(right, TakeAhead(right));
    ++pictureVersion_;
    spreadSizes_ = {leftPage.Width(), leftPage.Height(), rightPage.Width(), rightPage.Height()};
    current_ = ComposeSpread(leftPage, rightPage, state_.settings.BackGroundColor);
    shownPaths_ = {left, right};
}

void PictureShow::DrawCurrent() {
    const Bitmap& picture = *current_;
    const ScreenFit fit = FitNow();
    // What the worker resampled stands for resampling now only for the picture as it was read
    // and for the fit it was made for (the window may have changed size meanwhile).
    std::optional<Bitmap> fitted;
    if (fittedAhead_ && fittedAhead_->version == pictureVersion_ && fittedAhead_->fit == fit)
        fitted = std::move(fittedAhead_->bitmap);
    fittedAhead_.reset();
    const auto rect =
        PlacePicture(picture.Width(), picture.Height(), fit.areaWidth, fit.areaHeight, fit.resizeType);
    if (rect) area_.DrawStretched(*rect, fit.algorithm, picture, pictureVersion_, std::move(fitted));
}

void PictureShow::ProcessPicture(int command) {
    ++generation_;
    ApplyProcessing(command);
}

void PictureShow::ApplyProcessing(int command) {
    if (command == kRestorePicture) {
        // Back to the file: the processed cache is dropped and the area cleared of it.
        current_.reset();
        area_.Erase();
        if (shownPaths_.size() == 2)
            ReadSpread(shownPaths_[0], shownPaths_[1]);
        else if (shownPaths_.size() == 1)
            ReadSingle(shownPaths_[0]);
        return;
    }
    if (!current_) return;
    if (command >= 0 && command <= 9) ++pictureVersion_;
    ApplyPictureCommand(*current_, command, state_.settings.ESIProc_BrightPower,
                        state_.settings.ESIProc_BlurPower);
}

void PictureShow::LoadSinglePicture(int index) {
    if (state_.DisplayClosing) {
        Finish();
        return;
    }
    const LoadScope scope(*this);
    const QString path = ResolvePath(index);
    // The input served meanwhile has put its own show on screen, which is the one the user
    // asked for last; drawing this one now would put an older picture or older lines over it.
    if (!scope.StillCurrent()) return;
    try {
        if (current_)
            ApplyProcessing(state_.ImageProcessCommand);
        else
            ReadSingle(path);
        if (current_) DrawCurrent();
    } catch (const std::exception&) {
        current_.reset();
        if (hooks_.beep) hooks_.beep();
    }
    state_.PictureWidth = current_ ? current_->Width() : 0;
    state_.PictureHeight = current_ ? current_->Height() : 0;

    const std::int32_t lines = state_.settings.FileInfoState;
    const PageFacts page{index, state_.ImageList.value(index), state_.PictureWidth, state_.PictureHeight,
                         ShowsSizeLine(lines) ? RoundedFileSize(path) : 0};
    WriteInfoLines(SingleInfoLines(page, state_.ImageCount, lines));
    Finish();
}

void PictureShow::LoadSpreadPictures(int left, int right) {
    if (state_.DisplayClosing) {
        Finish();
        return;
    }
    const LoadScope scope(*this);
    const QString leftPath = ResolvePath(left);
    const QString rightPath = ResolvePath(right);
    if (!scope.StillCurrent()) return;
    try {
        if (current_)
            ApplyProcessing(state_.ImageProcessCommand);
        else
            ReadSpread(leftPath, rightPath);
        if (current_) DrawCurrent();
    } catch (const std::exception&) {
        // The lines must not show the sizes of the spread before this one.
        current_.reset();
        spreadSizes_ = {};
        if (hooks_.beep) hooks_.beep();
    }
    state_.PictureWidth = current_ ? current_->Width() : 0;
    state_.PictureHeight = current_ ? current_->Height() : 0;

    const std::int32_t lines = state_.settings.FileInfoState;
    const bool readSizes = ShowsSizeLine(lines);
    const SpreadSizes& s = spreadSizes_;
    const PageFacts leftPage{left, state_.ImageList.value(left), s.leftWidth, s.leftHeight,
                             readSizes ? RoundedFileSize(leftPath) : 0};
    const PageFacts rightPage{right, state_.ImageList.value(right), s.rightWidth, s.rightHeight,
                              readSizes ? RoundedFileSize(rightPath) : 0};
    WriteInfoLines(SpreadInfoLines(leftPage, rightPage, state_.ImageCount, lines));
    Finish();
}

void PictureShow::LoadAnimation(int index, const std::function<void(const QString&)>& play) {
    if (state_.DisplayClosing) {
        Finish();
        return;
    }
    const LoadScope scope(*this);
    const QString path = ResolvePath(index);
    if (!scope.StillCurrent()) return;  // a nested show has put its own picture in the view
    play(path);
    Finish();
}

void PictureShow::WriteInfoLines(const QStringList& lines) {
    const int height = area_.LineHeight();
    const QColor color = ColorFromSetting(state_.settings.FileInfoColor);
    for (int k = 0; k < lines.size(); ++k) area_.DrawTextLine(k * height, lines[k], color);
}

void PictureShow::Finish() {
    area_.Present();
    if (hooks_.finish) hooks_.finish();
}

}  // namespace pictavo
