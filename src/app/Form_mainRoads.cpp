// The roads of the launcher into a slideshow: folder menu, file selection window, archive
// menu, a dropped path and the first command-line argument.
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "app/Form_main.h"

#include <algorithm>

#include "sources/Extensions.h"
#include "app/LauncherHost.h"
#include "app/ScreenPlacement.h"
#include "archive/ArchiveListing.h"
#include "archive/MemberExtraction.h"
#include "sources/EventPump.h"
#include "sources/Extensions.h"
#include "sources/FolderScanner.h"
#include "sources/Form_fileselect.h"
#include "sources/Form_loading.h"

namespace pictavo {

namespace {

constexpr const char* kExtractFailedMessage = "ファイルの展開に失敗しました";

}  // namespace

// A road that starts while a scan is still running (its events let the menus through) or
// after the program was asked to end is refused.
bool Form_main::RoadAllowed() {
    if (endRequested_) return false;
    if (!collecting_) return true;
    host_.Beep();
    return false;
}

void Form_main::ShowError(const QString& text) {
    host_.ShowMessage(this, text, "エラー");
}

void Form_main::RequestEnd() {
    if (endRequested_) return;
    endRequested_ = true;
    host_.RequestQuit();
}

// Shows the loading window and scans `folder` into a fresh ImageList. The loading window stays
// up: the caller hides it (FinishCollection) once its message, if any, has been shown.
CollectionVerdict Form_main::CollectFolder(const QString& folder) {
    collecting_ = true;
    windows_.loading->show();
    state_.ImageList.clear();
    state_.ImageCount = 0;

    EventPump pump([] { QCoreApplication::processEvents(); }, scanEventInterval_);
    ScanHooks hooks;
    hooks.betweenEntries = [&pump] { pump.Poll(); };
    hooks.cancelRequested = [this] { return state_.CancelRequested; };
    hooks.folderFinished = [this](std::int32_t count) { windows_.loading->SetCount(count); };
    FolderScanner(ScanOptions::FromSettings(state_.settings), hooks)
        .Scan(folder, state_.ImageList, state_.ImageCount);
    collecting_ = false;

    if (endRequested_) return CollectionVerdict::GaveUp;
    return JudgeCollection(state_.ImageCount, state_.CancelRequested, state_.ForceStart);
}

// Lists the archive at `path` and starts its slideshow when it holds pictures.
Form_main::ArchiveResult Form_main::CollectArchive(const QString& path) {
    state_.CurrentArchiver = DetectArchiver(*ArchiveManager, path);
    if (state_.CurrentArchiver < 0) return ArchiveResult::Unclaimed;
    if (!ArchiveManager->IsReady(state_.CurrentArchiver)) return ArchiveResult::NotReady;
    state_.ImageList.clear();
    state_.ImageCount = 0;
    if (!ListArchive(*ArchiveManager, path, state_)) ShowError(kArchiveBrokenMessage);
    if (state_.ImageCount <= 0) return ArchiveResult::NothingFound;
    state_.SourceKind = 1;
    // Members are extracted only when missing, so a copy left by another archive (after a
    // crash, say) must not be taken for this archive's member.
    ClearTempFolder(state_.TempFolder);
    StartSlideshow();
    return ArchiveResult::Started;
}

void Form_main::FinishCollection() {
    state_.CancelRequested = false;
    state_.ForceStart = false;
    windows_.loading->hide();
}

void Form_main::mmenu_slide_directoryClick() {
    if (!RoadAllowed()) return;
    const QString folder = host_.ChooseFolder(this, state_.LastFolder);
    if (!folder.isEmpty()) {
        state_.LastFolder = folder;
        state_.ScanRoot = folder;
        switch (CollectFolder(folder)) {
            case CollectionVerdict::NothingFound:
                ShowError(kNothingFoundMessage);  // the loading window is still behind it
                break;
            case CollectionVerdict::GaveUp:
                break;
            case CollectionVerdict::Start:
                state_.SourceKind = 0;
                StartSlideshow();
                break;
        }
    }
    FinishCollection();
}

void Form_main::mmenu_slide_fileClick() {
    if (!RoadAllowed()) return;
    CentreOnScreen(windows_.fileselect);
    windows_.fileselect->show();
    BringToFront(windows_.fileselect);
}

void Form_main::mmenu_slide_archiveClick() {
    if (!RoadAllowed()) return;
    const QString path = host_.ChooseArchive(this, openDialogFilter_);
    if (path.isEmpty()) return;
    ReportArchiveResult(CollectArchive(path), /*unclaimedFails=*/true);
}

void Form_main::OpenDroppedPath(const QString& path) {
    if (!RoadAllowed()) return;
    if (QFileInfo(path).isDir()) {
        state_.LastFolder = path;
        const CollectionVerdict verdict = CollectFolder(path);
        FinishCollection();
        if (verdict == CollectionVerdict::NothingFound) ShowError(kNothingFoundMessage);
        if (verdict == CollectionVerdict::Start) {
            state_.SourceKind = 0;
            StartSlideshow();
        }
        return;
    }
    // A file nobody claims (a single picture, say) is ignored without a word.
    ReportArchiveResult(CollectArchive(path), /*unclaimedFails=*/false);
    FinishCollection();
}

void Form_main::HandleCommandLine() {
    const QString argument = arguments_.value(0);
    if (argument.isEmpty() || !RoadAllowed()) return;
    if (QFileInfo(argument).isDir())
        HandleFolderArgument(argument);
    else
        HandleArchiveArgument(argument);
    FinishCollection();
}

// LastFolder and ScanRoot stay as they were: the argument is not a folder the user picked.
// `firstPicture`, when given, is the entry the show starts at (a picture opened on its own).
void Form_main::HandleFolderArgument(const QString& folder, const QString& firstPicture) {
    switch (CollectFolder(folder)) {
        case CollectionVerdict::NothingFound:
            ShowError(kNothingFoundMessage);
            if (state_.settings.IsEndExe_Arg) RequestEnd();
            break;
        case CollectionVerdict::GaveUp:  // the launcher stays, whatever IsEndExe_Arg says
            break;
        case CollectionVerdict::Start:
            state_.SourceKind = 0;
            StartSlideshowAt(std::max<int>(0, state_.ImageList.indexOf(firstPicture)));
            break;
    }
}

void Form_main::HandleArchiveArgument(const QString& path) {
    const ArchiveResult result = CollectArchive(path);
    if (result == ArchiveResult::Started) return;
    // A picture opened from a file manager is not an archive: it is shown among the pictures
    // of its folder, starting with itself, instead of failing to "extract".
    if (result == ArchiveResult::Unclaimed && HasLoadExtension(path, state_.settings.LoadExtensions)) {
        const QFileInfo picture(path);
        HandleFolderArgument(picture.absolutePath(), picture.absoluteFilePath());
        return;
    }
    ShowError(result == ArchiveResult::NothingFound ? kNothingFoundMessage : kExtractFailedMessage);
    if (state_.settings.IsEndExe_Arg) RequestEnd();
}

// The messages of the archive roads. A file that no archiver claims is an error when the
// user chose it as an archive, but not when it was merely dropped.
void Form_main::ReportArchiveResult(ArchiveResult result, bool unclaimedFails) {
    if (result == ArchiveResult::NotReady || (result == ArchiveResult::Unclaimed && unclaimedFails))
        ShowError(kExtractFailedMessage);
    else if (result == ArchiveResult::NothingFound)
        ShowError(kNothingFoundMessage);
}

}  // namespace pictavo
