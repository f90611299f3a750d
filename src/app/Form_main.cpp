#include "app/Form_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <array>

#include "app/Form_about.h"
#include "config/Form_setup.h"
#include "app/LauncherHost.h"
#include "app/PluginGateway.h"
#include "app/ScreenPlacement.h"
#include "archive/ArchiveListing.h"
#include "archive/TArchiveFunction.h"
#include "display/Form_disp.h"
#include "platform/ProgramPaths.h"
#include "sources/Extensions.h"
#include "sources/Form_fileselect.h"

namespace pictavo {

namespace {

constexpr int kClientWidth = 239;
constexpr int kClientHeight = 141;
constexpr const char* kProgramTitle = "Pictavo";
// The panel shows one ampersand: a label shows "&" as it is.
constexpr const char* kDropPanelCaption = "ここにD&DしてもOK";

// The first dropped path that is a local file or folder; empty when there is none.
QString FirstLocalPath(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl first = data->urls().constFirst();
    return first.isLocalFile() ? first.toLocalFile() : QString();
}

}  // namespace

Form_main::Form_main(LauncherHost& host, PluginGateway& plugins, const QStringList& arguments,
                     QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      host_(host),
      plugins_(plugins),
      arguments_(arguments) {
    setObjectName("Form_main");
    setWindowTitle(kProgramTitle);
    CreateMenu();
    CreatePanel();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    Timer_argload.setInterval(100);
    connect(&Timer_argload, &QTimer::timeout, this, &Form_main::Timer_argloadTimer);
    Initialise();
}

Form_main::~Form_main() {
    state_.settings.Left = pos().x();
    state_.settings.Top = pos().y();
    host_.SaveSettings(state_.settings);
}

void Form_main::CreateMenu() {
    QMenu* slide = menuBar()->addMenu("スライドショー");
    slide->setObjectName("mmenu_slide");
    const auto add = [this](QMenu* menu, const char* name, const QString& text, QKeySequence key,
                            void (Form_main::*slot)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(slide, "mmenu_slide_directory", "ディレクトリ指定", Qt::Key_F1,
        &Form_main::mmenu_slide_directoryClick);
    add(slide, "mmenu_slide_file", "ファイル指定", Qt::Key_F2, &Form_main::mmenu_slide_fileClick);
    mmenu_slide_archive =
        add(slide, "mmenu_slide_archive", "アーカイブ指定", Qt::Key_F3, &Form_main::mmenu_slide_archiveClick);

    QAction* setup = menuBar()->addAction("設定");
    setup->setObjectName("mmenu_setup");
    connect(setup, &QAction::triggered, this, &Form_main::mmenu_setupClick);

    QMenu* help = menuBar()->addMenu("ヘルプ");
    help->setObjectName("mmenu_help");
    add(help, "mmenu_help_readme", "readme.txt", {}, &Form_main::mmenu_help_readmeClick);
    add(help, "mmenu_help_about", "「Pictavo」について", {}, &Form_main::mmenu_help_aboutClick);
}

void Form_main::CreatePanel() {
    Panel1 = new QLabel(kDropPanelCaption, this);
    Panel1->setObjectName("Panel1");
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(Panel1);
}

// Runs while the launcher is created, before any other window exists.
void Form_main::Initialise() {
    state_.StartDirectory = QDir::currentPath();
    state_.settings = host_.LoadSettings();
    move(state_.settings.Left, state_.settings.Top);
    LoadArchivers();

    QList<QStringList> pluginPatterns;
    if (state_.settings.IsUseSPI) pluginPatterns = plugins_.SearchExtensionPatterns(state_);
    state_.SupportedExtensions = BuildSupportedExtensions(pluginPatterns);
    if (CheckLoadExtensions(state_.settings.LoadExtensions, state_.SupportedExtensions))
        host_.ShowMessage(this, kLoadExtensionsResetMessage, "注意");

    setAcceptDrops(true);
    openDialogFilter_ = RestrictArchiveFilter(*ArchiveManager);
    if (openDialogFilter_ == QString::fromUtf8(kAllFilesFilter)) mmenu_slide_archive->setEnabled(false);
    state_.CurrentArchiver = 0;
    state_.StartedWithArgument = !arguments_.value(0).isEmpty();
}

// The archiver modules that the settings allow, from the program folder.
void Form_main::LoadArchivers() {
    const Settings& s = state_.settings;
    const std::array<bool, 12> load{s.IsLoadArcDLL_ZIP,
                                    s.IsLoadArcDLL_LHA,
                                    s.IsLoadArcDLL_7Z,
                                    s.IsLoadArcDLL_CAB,
                                    s.IsLoadArcDLL_GCA,
                                    s.IsLoadArcDLL_ARJ,
                                    s.IsLoadArcDLL_RAR,
                                    s.IsLoadArcDLL_BGA,
                                    s.IsLoadArcDLL_TAR,
                                    false,
                                    false,
                                    s.IsLoadArcDLL_YZ1};
    ArchiveManager = std::make_unique<TArchiveFunction>(load, host_.ProgramFolder());
    state_.archives = ArchiveManager.get();
    state_.TempFolder = TempFolderPath();
}

void Form_main::Attach(const LauncherWindows& windows) {
    windows_ = windows;
    connect(windows_.display, &Form_disp::Hidden, this, &Form_main::SlideshowEnded);
    connect(windows_.fileselect, &Form_fileselect::StartRequested, this, &Form_main::StartSlideshow);
    // Its "実行" would pull ImageList from under a scan or another road's running slideshow.
    windows_.fileselect->SetBusyCheck(
        [this] { return collecting_ || endRequested_ || windows_.display->isVisible(); });
    connect(windows_.setup, &Form_setup::Closed, this, [this] { setEnabled(true); });
    connect(windows_.about, &Form_about::Closed, this, [this] { setEnabled(true); });
}

void Form_main::Detach() {
    if (windows_.fileselect != nullptr) windows_.fileselect->SetBusyCheck({});
    for (QObject* window : std::initializer_list<QObject*>{windows_.display, windows_.fileselect,
                                                           windows_.setup, windows_.about}) {
        if (window != nullptr) disconnect(window, nullptr, this, nullptr);
    }
    windows_ = {};
    Timer_argload.stop();
}

void Form_main::StartArgloadTimer() {
    Timer_argload.start();
}

void Form_main::ShowAtStart() {
    if (windows_.display == nullptr || !windows_.display->isVisible()) show();
}

// Hides the launcher once a slideshow is on screen, then has no more work.
void Form_main::Timer_argloadTimer() {
    if (windows_.display != nullptr && windows_.display->isVisible()) {
        hide();
        Timer_argload.stop();
    }
}

void Form_main::StartSlideshow() {
    windows_.display->setEnabled(true);
    windows_.display->Start();
    hide();
    SetApplicationTitle("スライドショー実行中");
    BringToFront(windows_.display);
}

void Form_main::SlideshowEnded() {
    if (state_.StartedWithArgument && state_.settings.IsEndExe_Arg) RequestEnd();
    SetApplicationTitle(kProgramTitle);
    if (!isVisible()) show();
    if (windows_.fileselect != nullptr && !windows_.fileselect->isEnabled())
        windows_.fileselect->setEnabled(true);
}

void Form_main::SetApplicationTitle(const QString& title) {
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
}

void Form_main::CentreOnScreen(QWidget* window) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    window->move(area.topLeft() + CentredPosition(area.size(), window->frameGeometry().size()));
}

void Form_main::BringToFront(QWidget* window) const {
    window->raise();
    window->activateWindow();
}

void Form_main::mmenu_setupClick() {
    CentreOnScreen(windows_.setup);
    windows_.setup->show();
    setEnabled(false);
    BringToFront(windows_.setup);
}

void Form_main::mmenu_help_aboutClick() {
    setEnabled(false);
    CentreOnScreen(windows_.about);
    windows_.about->show();
    BringToFront(windows_.about);
}

void Form_main::mmenu_help_readmeClick() {
    if (!host_.OpenDocument(host_.ProgramFolder() + "/readme.txt"))
        host_.ShowMessage(this, "readme.txtのオープンに失敗しました。", "エラー");
}

// The launcher never covers a running slideshow.
bool Form_main::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && windows_.display != nullptr &&
        windows_.display->isVisible())
        BringToFront(windows_.display);
    return QMainWindow::event(event);
}

// Hidden while a slideshow runs, the launcher is also disabled so that its shortcuts sleep.
void Form_main::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) setEnabled(true);
    QMainWindow::showEvent(event);
}

void Form_main::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) setEnabled(false);
    QMainWindow::hideEvent(event);
}

// Closing the launcher ends the program, even while another window is open; a scan that is
// running stops at its next entry.
void Form_main::closeEvent(QCloseEvent* event) {
    if (collecting_) state_.CancelRequested = true;
    RequestEnd();
    event->accept();
}

void Form_main::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalPath(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The road runs after the drop has been released, so a long scan or a message box never
// keeps the program the files came from waiting.
void Form_main::dropEvent(QDropEvent* event) {
    const QString path = FirstLocalPath(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenDroppedPath(path); }, Qt::QueuedConnection);
}

}  // namespace pictavo
