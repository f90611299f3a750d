#include "display/Form_disp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <exception>

#include "archive/MemberExtraction.h"
#include "display/AheadReader.h"
#include "display/AnimationView.h"
#include "display/CommandDispatcher.h"
#include "display/DisplayFrame.h"
#include "display/DisplayInputFilter.h"
#include "display/DisplayOverlays.h"
#include "display/FormDispActions.h"
#include "display/PictureArea.h"
#include "display/PictureShow.h"
#include "platform/MessageBoxes.h"

namespace pictavo {

namespace {

constexpr int kMinimumSide = 150;

Qt::Edges EdgesOf(FrameArea area) {
    switch (area) {
        case FrameArea::Left:
            return Qt::LeftEdge;
        case FrameArea::Right:
            return Qt::RightEdge;
        case FrameArea::Top:
            return Qt::TopEdge;
        case FrameArea::Bottom:
            return Qt::BottomEdge;
        case FrameArea::TopLeft:
            return Qt::TopEdge | Qt::LeftEdge;
        case FrameArea::TopRight:
            return Qt::TopEdge | Qt::RightEdge;
        case FrameArea::BottomLeft:
            return Qt::BottomEdge | Qt::LeftEdge;
        case FrameArea::BottomRight:
            return Qt::BottomEdge | Qt::RightEdge;
        default:
            return {};
    }
}

Qt::CursorShape CursorFor(FrameArea area) {
    switch (area) {
        case FrameArea::Left:
        case FrameArea::Right:
            return Qt::SizeHorCursor;
        case FrameArea::Top:
        case FrameArea::Bottom:
            return Qt::SizeVerCursor;
        case FrameArea::TopLeft:
        case FrameArea::BottomRight:
            return Qt::SizeFDiagCursor;
        case FrameArea::TopRight:
        case FrameArea::BottomLeft:
            return Qt::SizeBDiagCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace

Form_disp::Form_disp(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    // First of all, so that it watches every control from its creation and its filter runs
    // after the frame's: presses on the frame are the frame's alone.
    input_ = new DisplayInputFilter(this);
    setObjectName(QStringLiteral("Form_disp"));
    setWindowFlag(Qt::FramelessWindowHint);
    setMinimumSize(kMinimumSide, kMinimumSide);
    setFocusPolicy(Qt::StrongFocus);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    setFont(font);
    setAutoFillBackground(true);

    topBorder_ = new FrameStrip(QStringLiteral("Image_topborder"), HorizontalStripImage(192, 224, 192), this);
    bottomBorder_ =
        new FrameStrip(QStringLiteral("Image_bottomborder"), HorizontalStripImage(192, 224, 127), this);
    leftBorder_ = new FrameStrip(QStringLiteral("Image_leftborder"), VerticalStripImage(192, 224, 127), this);
    rightBorder_ =
        new FrameStrip(QStringLiteral("Image_rightborder"), VerticalStripImage(192, 224, 127), this);
    caption_ = new FrameStrip(QStringLiteral("Image_caption"), CaptionGradientImage(), this);
    exitPanel_ = new ExitPanel(this);
    area_ = new PictureArea(this);
    timerDisp_ = new QTimer(this);
    timerDisp_->setObjectName(QStringLiteral("Timer_disp"));
    timerDisp_->setInterval(5000);

    connect(exitPanel_, &ExitPanel::Clicked, this, &Form_disp::ExitPanelClicked);
    for (QWidget* w : std::initializer_list<QWidget*>{this, topBorder_, bottomBorder_, leftBorder_,
                                                      rightBorder_, caption_, area_}) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }

    ahead_ = std::make_unique<AheadReader>(state_, Prefetcher::DefaultBudget());
    PictureShow::Hooks hooks;
    hooks.beep = [this] { Beep(); };
    hooks.finish = [this] {
        if (timerDisp_->isActive()) timerDisp_->start();  // the auto-slide interval counts from this show
        BringToFront();
        ahead_->ShowDone(show_->SingleFit());
    };
    ahead_->SetExtractor([this](const QString& member) {
        return ResolveMember(state_, member, reinterpret_cast<ArcWindow>(effectiveWinId()));
    });
    hooks.memberPath = [this](const QString& member) { return ahead_->MemberPath(member); };
    hooks.takeAhead = [this](const QString& path) { return ahead_->Take(path); };
    hooks.readAside = [this](const QString& path) { ahead_->ReadAside(path); };
    hooks.keep = [this](const QString& path, Bitmap picture, Prefetcher::FileStamp stamp) {
        ahead_->Keep(path, std::move(picture), stamp);
    };
    show_ = std::make_unique<PictureShow>(state_, *area_, std::move(hooks));
    CreateOverlays();
    actions_ = std::make_unique<FormDispActions>(*this, state_);
    dispatcher_ = std::make_unique<CommandDispatcher>(state_, *actions_);
    ConnectInput();
}

void Form_disp::CreateOverlays() {
    DisplayOverlays::Host host;
    host.executeCommand = [this](KeyCode code) { ExecuteCommand(code); };
    host.repaintArea = [this] { RepaintPictureArea(); };
    host.emptyCache = [this] { EmptyCurrentPicture(); };
    host.showCurrentPosition = [this] { ShowCurrentPosition(); };
    host.beep = [this] { Beep(); };
    overlays_ = std::make_unique<DisplayOverlays>(*this, state_, *timerDisp_, std::move(host));
}

void Form_disp::ConnectInput() {
    input_->SetClickTargets({this, area_, overlays_->Image_animation()});
    connect(input_, &DisplayInputFilter::KeyDown, this,
            [this](std::uint16_t code, bool autoRepeat) { dispatcher_->KeyDown(code, autoRepeat); });
    connect(input_, &DisplayInputFilter::MouseButtonDown, this,
            [this](std::uint16_t code) { dispatcher_->MouseButtonDown(code); });
    connect(input_, &DisplayInputFilter::WheelTurned, this, [this](int delta) { dispatcher_->Wheel(delta); });
}

void Form_disp::ExecuteCommand(KeyCode code) {
    dispatcher_->ExecuteCommand(code);
}

void Form_disp::ShowKeyResult(KeyCode code) {
    dispatcher_->ShowKeyResult(code);
}

// The "×" stays pressed for a moment so the click is seen, then the show ends as the exit key
// ends it. The pause lets events run rather than freezing the window.
void Form_disp::ExitPanelClicked() {
    exitPanel_->setFrameShadow(QFrame::Sunken);
    QCoreApplication::processEvents();
    QEventLoop pause;
    QTimer::singleShot(100, &pause, &QEventLoop::quit);
    pause.exec();
    exitPanel_->setFrameShadow(QFrame::Raised);
    QCoreApplication::processEvents();
    if (isVisible() && !state_.DisplayClosing) ExecuteCommand(state_.settings.ExitKey);
}

Form_disp::~Form_disp() = default;

const QImage& Form_disp::Canvas() const {
    return area_->Canvas();
}

const SpreadSizes& Form_disp::LastSpreadSizes() const {
    return show_->LastSpreadSizes();
}

bool Form_disp::HasCurrentPicture() const {
    return show_->CurrentPicture() != nullptr;
}

bool Form_disp::IsShowInProgress() const {
    return show_->InProgress();
}

std::uint64_t Form_disp::ShowGeneration() const {
    return show_->Generation();
}

void Form_disp::Start(int first) {
    state_.DisplayClosing = false;
    setEnabled(true);
    RunShowSequence();
    const int start = first > 0 && first < state_.ImageCount ? first : 0;
    ReadFirstAhead(start);
    if (state_.settings.IsFullScreen)
        showFullScreen();
    else
        showNormal();
    BringToFront();
    if (state_.ImageCount < 1) return;
    state_.CurrentIndex = start;
    ShowCurrentPosition();
}

// The first picture is decoded on a worker while the window is being mapped and painted.
// Archive members are extracted by the show itself, and the animation view reads its own files.
void Form_disp::ReadFirstAhead(int index) {
    if (state_.SourceKind == 1 || state_.settings.IsPicAnimation || index >= state_.ImageCount) return;
    if (SpreadAt(index)) {
        ahead_->ReadAside(state_.ImageList[index]);
        ahead_->ReadAside(state_.ImageList[index + 1]);
        return;
    }
    ahead_->ReadAside(state_.ImageList[index], show_->SingleFit());
}

void Form_disp::RunShowSequence() {
    const Settings& s = state_.settings;
    if (s.IsFullScreen) {
        // Full screen covers the panels of the desktop; there is no separate taskbar to hide.
        ShowFrame(false);
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    } else {
        ShowFrame(true);
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(s.DispWindowLeft, s.DispWindowTop, s.DispWindowWidth, s.DispWindowHeight);
    }
    state_.ImageProcessCommand = -1;
    state_.CurrentIndex = 0;
    // A load that was still under way when the last show ended may have refilled the cache.
    show_->EmptyCurrentPicture();
    const QColor windowColor = ColorFromSetting(s.BackGroundColor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, windowColor);
    setPalette(pal);
    area_->SetWindowColor(windowColor);
    LayOutChildren();
    area_->Erase();
    timerDisp_->setInterval(s.SlideInterval);
    if (s.IsAutoSlide)
        timerDisp_->start();
    else
        timerDisp_->stop();
    overlays_->ShowStarted(area_->geometry());
}

void Form_disp::NoteTravel(Travel travel) {
    ahead_->NoteTravel(travel);
}

void Form_disp::SetReadAheadBudget(std::size_t bytes) {
    ahead_->SetBudget(bytes);
}

void Form_disp::HideDisplay() {
    if (state_.DisplayClosing) return;
    state_.DisplayClosing = true;
    ahead_->Clear();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Pictavo"));
    overlays_->HideStarted();
    timerDisp_->stop();
    if (state_.SourceKind == 1) ClearTempFolder(state_.TempFolder);
    if (!state_.settings.IsFullScreen) {
        const QRect g = geometry();
        state_.settings.DispWindowWidth = g.width();
        state_.settings.DispWindowHeight = g.height();
        state_.settings.DispWindowLeft = g.x();
        state_.settings.DispWindowTop = g.y();
    }
    drag_.reset();
    hide();
    setEnabled(false);
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    show_->EmptyCurrentPicture();
    area_->Erase();
    state_.CurrentIndex = 0;
    state_.DisplayClosing = false;
    // Edits made in the settings-info panel reach the settings file.
    overlays_->HideFinished();
    emit Hidden();
}

void Form_disp::ShowPictures(int index, int second, bool twoPage) {
    // The picture area is hidden under the animation view only in animation mode; toggling it
    // for every show there would repaint the window each time.
    const bool animation = state_.settings.IsPicAnimation;
    area_->setVisible(!animation);
    const auto inList = [this](int i) { return i >= 0 && i < state_.ImageList.size(); };
    if (animation) {
        // One picture in the animation view; spread mode still decides how far a move goes.
        if (inList(index)) LoadAnimation(index);
        return;
    }
    overlays_->ClearAnimation(true);
    if (!inList(index) || (twoPage && !inList(second))) return;
    if (!twoPage) {
        show_->LoadSinglePicture(index);
        return;
    }
    const bool leftToRight = state_.settings.ES2PS_IsPageLtoR;
    show_->LoadSpreadPictures(leftToRight ? index : second, leftToRight ? second : index);
}

void Form_disp::LoadAnimation(int index) {
    overlays_->ClearAnimation(false);
    show_->LoadAnimation(index,
                         [this](const QString& path) { overlays_->ShowAnimation(path, area_->geometry()); });
}

void Form_disp::ShowCurrentPosition() {
    const int i = state_.CurrentIndex;
    const int n = state_.ImageCount;
    if (i < 0 || i >= n) return;  // e.g. -1 after stepping back in spread mode through a one-entry list
    ShowPictures(i, i + 1, SpreadAt(i));
}

// The last entry is shown alone, spread mode or not.
bool Form_disp::SpreadAt(int index) const {
    return state_.settings.ES2PS_Is2PageSpread && index < state_.ImageCount - 1;
}

void Form_disp::RepaintPictureArea() {
    area_->Erase();
}

void Form_disp::RepaintFromCache() {
    RepaintPictureArea();
    ShowCurrentPosition();
}

void Form_disp::EmptyCurrentPicture() {
    show_->EmptyCurrentPicture();
}

void Form_disp::ProcessPicture(int command) {
    try {
        show_->ProcessPicture(command);
    } catch (const std::exception&) {
        show_->EmptyCurrentPicture();
        Beep();
    }
}

void Form_disp::Beep() {
    emit PictureLoadFailed();
    pictavo::Beep();
}

void Form_disp::BringToFront() {
    if (isActiveWindow()) return;
    raise();
    activateWindow();
}

void Form_disp::ShowFrame(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{topBorder_, bottomBorder_, leftBorder_, rightBorder_,
                                                      caption_, exitPanel_})
        w->setVisible(visible);
}

void Form_disp::LayOutChildren() {
    const int W = width();
    const int H = height();
    if (!caption_->isHidden()) {
        const int top = kBorderWidth + kCaptionHeight;
        topBorder_->setGeometry(0, 0, W, kBorderWidth);
        caption_->setGeometry(0, kBorderWidth, W, kCaptionHeight);
        bottomBorder_->setGeometry(0, H - kBorderWidth, W, kBorderWidth);
        leftBorder_->setGeometry(0, top, kBorderWidth, H - top - kBorderWidth);
        rightBorder_->setGeometry(W - kBorderWidth, top, kBorderWidth, H - top - kBorderWidth);
        const QRect c = caption_->geometry();
        exitPanel_->move(c.x() + c.width() - 21, c.y() + (kCaptionHeight - kExitPanelSize) / 2);
        area_->setGeometry(kBorderWidth, top, W - 2 * kBorderWidth, H - top - kBorderWidth);
    } else {
        area_->setGeometry(0, 0, W, H);
    }
    if (overlays_) overlays_->LayOut(area_->geometry());
}

void Form_disp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutChildren();
}

void Form_disp::closeEvent(QCloseEvent* event) {
    // The window is never closed while the program runs, only hidden.
    event->ignore();
    HideDisplay();
}

// Losing the focus while visible, the window takes it back once pending events are served.
void Form_disp::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow() || !isVisible()) return;
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !isActiveWindow() && !state_.DisplayClosing) BringToFront();
    });
}

bool Form_disp::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && !state_.settings.IsFullScreen && HandleFrameMouse(widget, event)) return true;
    return QWidget::eventFilter(watched, event);
}

// The frame's edges resize, the caption moves; presses there never reach the picture area.
bool Form_disp::HandleFrameMouse(QWidget* widget, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonRelease && drag_) {
        drag_.reset();
        return true;
    }
    if (type == QEvent::MouseMove && drag_) {
        DragFrame(global);
        return true;
    }
    const QPoint pos =
        widget == this ? mouse->position().toPoint() : widget->mapTo(this, mouse->position().toPoint());
    const QRect c = caption_->geometry();
    const FrameArea area =
        HitTestFrame(pos.x(), pos.y(), width(), height(), c.x() + c.width(), c.y() + c.height());
    if (type == QEvent::MouseMove) {
        setCursor(CursorFor(area));
        return false;
    }
    if (type != QEvent::MouseButtonPress || area == FrameArea::Client) return false;
    if (mouse->button() == Qt::LeftButton) StartFrameDrag(area, global);
    return true;
}

bool Form_disp::StartFrameDrag(FrameArea area, QPoint globalPos) {
    if (QWindow* window = windowHandle()) {
        const bool started =
            area == FrameArea::Caption ? window->startSystemMove() : window->startSystemResize(EdgesOf(area));
        if (started) return true;
    }
    drag_ = FrameDrag{area, globalPos, geometry()};
    return true;
}

// Moves or resizes by hand where the window system does not, keeping the 150 x 150 minimum.
void Form_disp::DragFrame(QPoint globalPos) {
    const QPoint d = globalPos - drag_->startPos;
    QRect g = drag_->startGeometry;
    if (drag_->area == FrameArea::Caption) {
        move(g.topLeft() + d);
        return;
    }
    const Qt::Edges edges = EdgesOf(drag_->area);
    if (edges & Qt::LeftEdge) g.setLeft(std::min(g.left() + d.x(), g.right() + 1 - kMinimumSide));
    if (edges & Qt::RightEdge) g.setRight(std::max(g.right() + d.x(), g.left() + kMinimumSide - 1));
    if (edges & Qt::TopEdge) g.setTop(std::min(g.top() + d.y(), g.bottom() + 1 - kMinimumSide));
    if (edges & Qt::BottomEdge) g.setBottom(std::max(g.bottom() + d.y(), g.top() + kMinimumSide - 1));
    setGeometry(g);
}

}  // namespace pictavo
