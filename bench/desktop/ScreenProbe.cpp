// Watches an X screen to time a picture viewer from the outside: which generated picture is on
// screen is read from the colour of a few root-window pixels, keys are sent with XTest, and all
// times come from CLOCK_MONOTONIC. The viewer itself is never changed or asked anything.
//
//   screen_probe gen W H INDEX                 binary PPM of picture INDEX on stdout
//   screen_probe decode ROUNDS FILE...         single-thread libjpeg decode rate (djpeg's settings)
//   screen_probe time-cmd ROUNDS -- CMD...     median wall time of a command (the djpeg floor)
//   screen_probe start INDEX -- CMD...         start-up until INDEX is on screen, then peak RSS
//   screen_probe pause COUNT -- CMD...         key to picture after a pause of one second
//   screen_probe presses RATE SECONDS -- CMD...  separate presses at RATE per second (PROBE_KEYS)
//   screen_probe hold RATE SECONDS DELAY -- CMD...  one held key, server auto-repeat at RATE per s
//   screen_probe redraw COUNT -- CMD...        key to a new key-result line (the clock key, T)
//   screen_probe shot FILE.ppm                 the root window as a PPM, for looking at by eye
//
// Built by bench/desktop/measure.sh; every result is printed as "key value" lines.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// After <cstdio>: this header uses FILE without including anything for it.
#include <jpeglib.h>

namespace {

// ---------------------------------------------------------------------------------------------
// Clock and pictures

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void SleepUntilMs(double deadline) {
    timespec t{};
    t.tv_sec = static_cast<time_t>(deadline / 1e3);
    t.tv_nsec = static_cast<long>((deadline - t.tv_sec * 1e3) * 1e6);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

void SleepMs(double ms) {
    SleepUntilMs(NowMs() + ms);
}

struct Rgb {
    int r, g, b;
};

constexpr int kPaletteSize = 64;
constexpr int kMaxPictures = kPaletteSize * kPaletteSize;
constexpr int kTolerance = 26;  // half the step between palette levels, less a margin

// Four levels per channel, 64 apart, none of them near the black background.
Rgb PaletteColour(int digit) {
    return {40 + 64 * (digit % 4), 40 + 64 * (digit / 4 % 4), 40 + 64 * (digit / 16 % 4)};
}

// A picture's top half carries the low digit of its index, the bottom half the high one, so
// that a folder larger than any burst of keys can travel never repeats a colour pair.
Rgb PictureColour(int index, bool bottom) {
    return PaletteColour(bottom ? index / kPaletteSize % kPaletteSize : index % kPaletteSize);
}

int Classify(Rgb c) {
    for (int i = 0; i < kPaletteSize; ++i) {
        const Rgb p = PaletteColour(i);
        if (std::abs(c.r - p.r) <= kTolerance && std::abs(c.g - p.g) <= kTolerance &&
            std::abs(c.b - p.b) <= kTolerance) {
            return i;
        }
    }
    return -1;
}

// A uniform colour compresses to almost nothing and decodes far faster than a photograph, so
// the identifying colour carries grey noise: the entropy decoder then does photograph-like work
// while any few pixels averaged together still name the picture.
void WritePicture(int w, int h, int index) {
    if (index < 0 || index >= kMaxPictures || w <= 0 || h <= 0)
        throw std::runtime_error("bad picture size or index");
    std::printf("P6\n%d %d\n255\n", w, h);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    uint32_t state = 0x9E3779B9u * static_cast<uint32_t>(index + 1);
    for (int y = 0; y < h; ++y) {
        const Rgb c = PictureColour(index, y >= h / 2);
        for (int x = 0; x < w; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            // Smooth shading plus fine grain, as in an ordinary photograph.
            const int shade = ((x / 64 + y / 64) % 5) - 2;
            const int grain = static_cast<int>(state % 25) - 12;
            const int d = shade * 2 + grain;
            row[3 * x] = static_cast<unsigned char>(std::clamp(c.r + d, 0, 255));
            row[3 * x + 1] = static_cast<unsigned char>(std::clamp(c.g + d, 0, 255));
            row[3 * x + 2] = static_cast<unsigned char>(std::clamp(c.b + d, 0, 255));
        }
        std::fwrite(row.data(), 1, row.size(), stdout);
    }
}

// ---------------------------------------------------------------------------------------------
// Decoding floor

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

double DecodeOnceMs(const char* path) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) throw std::runtime_error(std::string("cannot open ") + path);
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    const double t0 = NowMs();
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    // Row by row into one buffer, as djpeg writing to /dev/null does: the floor is the decoding
    // alone, not the first touch of a whole picture's memory.
    std::vector<unsigned char> line(static_cast<size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = line.data();
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return NowMs() - t0;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---------------------------------------------------------------------------------------------
// Child process

pid_t g_child = -1;

void KillChild() {
    if (g_child <= 0) return;
    kill(g_child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(g_child, nullptr, WNOHANG) == g_child) {
            g_child = -1;
            return;
        }
        SleepMs(20);
    }
    kill(g_child, SIGKILL);
    waitpid(g_child, nullptr, 0);
    g_child = -1;
}

void OnSignal(int) {
    if (g_child > 0) kill(g_child, SIGKILL);
    _exit(2);
}

pid_t StartChild(char** argv) {
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        // The viewer goes with us whatever way we end.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv);
        _exit(127);
    }
    g_child = pid;
    return pid;
}

long PeakRssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

bool ChildAlive() {
    return g_child > 0 && waitpid(g_child, nullptr, WNOHANG) == 0;
}

// ---------------------------------------------------------------------------------------------
// Screen

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

// A busy server sometimes refuses a connection for a moment; try for two seconds.
Display* OpenDisplay() {
    for (int i = 0; i < 20; ++i) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
        SleepMs(100);
    }
    throw std::runtime_error("cannot open the X display");
}

class ScreenWatch {
public:
    ScreenWatch() : display_(OpenDisplay()) {
        int event, error, major, minor;
        if (!XTestQueryExtension(display_.get(), &event, &error, &major, &minor)) {
            throw std::runtime_error("the X server has no XTest");
        }
        root_ = DefaultRootWindow(display_.get());
        width_ = DisplayWidth(display_.get(), DefaultScreen(display_.get()));
        height_ = DisplayHeight(display_.get(), DefaultScreen(display_.get()));
        right_ = XKeysymToKeycode(display_.get(), XK_Right);
    }

    // The picture on screen, or -1 while none or two of them (a half-painted frame) show. The
    // points sit inside a 3:2 picture fitted to the screen and away from the corners, where
    // text lines are drawn: two in each half of a column through the centre, two more in the
    // top half of a row.
    int Shown() const {
        const int h = height_;
        const Image column = Column(width_ / 2);
        const int top = Digit(column, {h / 18, h / 3});
        const int bottom = Digit(column, {2 * h / 3, h - h / 18});
        if (top < 0 || bottom < 0) return -1;
        const int row = Digit(Row(h / 4), {width_ / 10, width_ - width_ / 10});
        return row == top ? top + kPaletteSize * bottom : -1;
    }

    void Key(bool down, KeySym key = XK_Right) const {
        const KeyCode code = key == XK_Right ? right_ : XKeysymToKeycode(display_.get(), key);
        XTestFakeKeyEvent(display_.get(), code, down ? True : False, CurrentTime);
        XFlush(display_.get());
    }

    // The bottom-left corner where a key's result line is written, reduced to the positions
    // of its text-coloured (pure green) pixels; empty when no text shows.
    std::vector<int> BottomLineText() const {
        const int w = std::min(width_, 640), h = std::min(height_, 48);
        const Image image(XGetImage(display_.get(), root_, 0, height_ - h, w, h, AllPlanes, ZPixmap));
        std::vector<int> text;
        if (!image) return text;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const unsigned long p = XGetPixel(image.get(), x, y);
                if (((p >> 8) & 0xff) > 200 && ((p >> 16) & 0xff) < 100 && (p & 0xff) < 100) {
                    text.push_back(y * w + x);
                }
            }
        }
        return text;
    }

    void PointerToCentre() const {
        XTestFakeMotionEvent(display_.get(), -1, width_ / 2, height_ / 2, CurrentTime);
        XSync(display_.get(), False);
    }

    // Server auto-repeat for held keys: after `delayMs`, one repeat every 1000/rate ms. Xvfb
    // accepts the request but keeps the rate it was started with (-ardelay, -arinterval), so the
    // caller starts it with the same figures; the presses counted by KeyCounter tell the truth.
    void SetAutoRepeat(int delayMs, int rate) const {
        XAutoRepeatOn(display_.get());
        if (!XkbSetAutoRepeatRate(display_.get(), XkbUseCoreKbd, delayMs, 1000 / rate)) {
            throw std::runtime_error("cannot set the auto-repeat rate");
        }
        XSync(display_.get(), False);
    }

    void SavePpm(const char* path) const {
        XImage* image = XGetImage(display_.get(), root_, 0, 0, width_, height_, AllPlanes, ZPixmap);
        if (!image) throw std::runtime_error("XGetImage failed");
        FILE* out = std::fopen(path, "wb");
        if (!out) {
            XDestroyImage(image);
            throw std::runtime_error("cannot write the picture");
        }
        std::fprintf(out, "P6\n%d %d\n255\n", width_, height_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                              static_cast<unsigned char>(p >> 8),
                                              static_cast<unsigned char>(p)};
                std::fwrite(rgb, 1, 3, out);
            }
        }
        std::fclose(out);
        XDestroyImage(image);
    }

private:
    struct ImageDeleter {
        void operator()(XImage* image) const { XDestroyImage(image); }
    };
    using Image = std::unique_ptr<XImage, ImageDeleter>;

    // A one-pixel-wide column at x or a one-pixel-high row at y.
    Image Column(int x) const {
        return Image(XGetImage(display_.get(), root_, x, 0, 1, height_, AllPlanes, ZPixmap));
    }
    Image Row(int y) const {
        return Image(XGetImage(display_.get(), root_, 0, y, width_, 1, AllPlanes, ZPixmap));
    }

    // Classifies the 5-pixel average at each offset along a strip; the common palette digit, or -1.
    static int Digit(const Image& image, std::initializer_list<int> offsets) {
        if (!image) return -1;
        const bool vertical = image->width == 1;
        int found = -2;
        for (int at : offsets) {
            Rgb sum{0, 0, 0};
            for (int d = -2; d <= 2; ++d) {
                const unsigned long p =
                    vertical ? XGetPixel(image.get(), 0, at + d) : XGetPixel(image.get(), at + d, 0);
                sum.r += (p >> 16) & 0xff;
                sum.g += (p >> 8) & 0xff;
                sum.b += p & 0xff;
            }
            const int digit = Classify({sum.r / 5, sum.g / 5, sum.b / 5});
            if (digit < 0 || (found != -2 && found != digit)) return -1;
            found = digit;
        }
        return found;
    }

    std::unique_ptr<Display, DisplayCloser> display_;
    Window root_;
    int width_, height_;
    KeyCode right_;
};

// Counts the key presses the server delivers, auto-repeats included, so that the rate
// the viewer was offered is reported beside what it showed. Uses the RECORD extension on a
// connection of its own; replies are read whenever Poll() is called.
class KeyCounter {
public:
    KeyCounter() : control_(OpenDisplay()), data_(OpenDisplay()) {
        int major, minor;
        if (!XRecordQueryVersion(control_.get(), &major, &minor)) return;  // no count then
        XRecordRange* range = XRecordAllocRange();
        range->device_events.first = KeyPress;
        range->device_events.last = KeyRelease;
        XRecordClientSpec clients = XRecordAllClients;
        context_ = XRecordCreateContext(control_.get(), 0, &clients, 1, &range, 1);
        XFree(range);
        XSync(control_.get(), False);
        if (context_ && XRecordEnableContextAsync(data_.get(), context_, &KeyCounter::OnData,
                                                  reinterpret_cast<XPointer>(this))) {
            active_ = true;
        }
    }
    ~KeyCounter() {
        if (context_) {
            XRecordDisableContext(control_.get(), context_);
            XRecordFreeContext(control_.get(), context_);
            XSync(control_.get(), False);
        }
    }
    KeyCounter(const KeyCounter&) = delete;
    KeyCounter& operator=(const KeyCounter&) = delete;

    void Poll() {
        if (active_) XRecordProcessReplies(data_.get());
    }
    bool Active() const { return active_; }
    // Press times (ms, CLOCK_MONOTONIC as seen on arrival).
    const std::vector<double>& Presses() const { return presses_; }
    // Presses stamped with the same server time as the release before them: toolkits that tell
    // auto-repeat by that sign (Qt does) take such a press for a repeat of a held key.
    int SameTimePresses() const { return sameTime_; }

private:
    static void OnData(XPointer self, XRecordInterceptData* data) {
        auto* counter = reinterpret_cast<KeyCounter*>(self);
        if (data->category == XRecordFromServer && data->data_len > 0) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(data->data);
            uint32_t serverTime;
            std::memcpy(&serverTime, bytes + 4, sizeof serverTime);  // the wire's byte order is ours
            const KeyCode code = bytes[1];
            if ((bytes[0] & 0x7f) == KeyPress) {
                counter->presses_.push_back(NowMs());
                if (counter->lastRelease_ && counter->lastRelease_->first == code &&
                    counter->lastRelease_->second == serverTime) {
                    ++counter->sameTime_;
                }
            } else if ((bytes[0] & 0x7f) == KeyRelease) {
                counter->lastRelease_ = std::make_pair(code, serverTime);
            }
        }
        XRecordFreeData(data);
    }

    std::unique_ptr<Display, DisplayCloser> control_;
    std::unique_ptr<Display, DisplayCloser> data_;
    XRecordContext context_ = 0;
    bool active_ = false;
    std::vector<double> presses_;
    std::optional<std::pair<KeyCode, uint32_t>> lastRelease_;  // key and server time
    int sameTime_ = 0;
};

// Polls until `want` (or, with want < 0, any picture other than `other`) is on screen.
// Returns the picture, or -1 on timeout or when the viewer died.
int WaitFor(const ScreenWatch& screen, int want, int other, double timeoutMs, double pollMs = 0.5) {
    const double end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        const int shown = screen.Shown();
        if (want >= 0 ? shown == want : (shown >= 0 && shown != other)) return shown;
        if (!ChildAlive()) return -1;
        SleepMs(pollMs);
    }
    return -1;
}

// A change of picture seen by the poller.
struct Change {
    double ms;
    int index;
};

// Records every change of the shown picture, pressing or holding the key on the way; keys are
// sent on schedule and the screen is read in between, every `pollMs`.
struct Recorder {
    const ScreenWatch& screen;
    KeyCounter& keys;
    std::vector<Change> changes;
    int last = -1;

    void Poll(double origin) {
        keys.Poll();
        const int shown = screen.Shown();
        if (shown >= 0 && shown != last) {
            changes.push_back({NowMs() - origin, shown});
            last = shown;
        }
    }

    // Polls until `until` (absolute ms).
    void PollUntil(double origin, double until, double pollMs = 0.5) {
        while (NowMs() < until) {
            Poll(origin);
            SleepUntilMs(std::min(until, NowMs() + pollMs));
        }
    }
};

int Forward(int from, int to, int count) {
    return ((to - from) % count + count) % count;
}

// Prints what a run of keys showed: pictures shown per second during [from, to], how far the
// show went on after `to`, and where it stopped against where `moves` keys should have taken it
// (moves < 0: not known). Positions are counted forwards between the pictures seen; the folder
// is larger than the keys can travel, so no step is ambiguous.
void ReportRun(const std::vector<Change>& changes, double from, double to, int start, int moves, int count) {
    int during = 0, after = 0, advanced = 0, advancedAfter = 0, longest = 0;
    int previous = start;
    double lastChange = 0;
    for (const Change& c : changes) {
        const int step = Forward(previous, c.index, count);
        previous = c.index;
        advanced += step;
        longest = std::max(longest, step);
        if (c.ms >= from && c.ms <= to) ++during;
        if (c.ms > to) {
            ++after;
            advancedAfter += step;
        }
        lastChange = c.ms;
    }
    std::printf("shown_per_s %.1f\n", during / ((to - from) / 1e3));
    std::printf("changes_total %zu\n", changes.size());
    std::printf("pictures_after_last_key %d\n", after);
    std::printf("positions_after_last_key %d\n", advancedAfter);
    std::printf("stop_ms_after_last_key %.0f\n", lastChange > to ? lastChange - to : 0.0);
    std::printf("positions_advanced %d\n", advanced);
    std::printf("longest_jump %d\n", longest);
    // Positions between the picture left on screen and the one the keys asked for.
    if (moves >= 0) std::printf("short_of_last_position %d\n", moves - advanced);
}

// The keys that separate presses take in turn (PROBE_KEYS, key names joined by commas; Right by
// default). Two keys that both move forwards keep a toolkit from taking a press for a repeat
// of the key released just before it.
std::vector<KeySym> PressKeys() {
    const char* env = std::getenv("PROBE_KEYS");
    std::string names = env && *env ? env : "Right";
    std::vector<KeySym> keys;
    for (size_t start = 0; start <= names.size();) {
        const size_t comma = std::min(names.find(',', start), names.size());
        const std::string name = names.substr(start, comma - start);
        const KeySym key = XStringToKeysym(name.c_str());
        if (key == NoSymbol) throw std::runtime_error("unknown key name " + name);
        keys.push_back(key);
        start = comma + 1;
    }
    return keys;
}

// How many pictures the viewer cycles through, for positions modulo the folder.
int CountPictures() {
    const char* env = std::getenv("PROBE_COUNT");
    return env ? std::max(1, std::atoi(env)) : 1;
}

int RunViewer(const std::string& mode, const std::vector<double>& args, char** cmd) {
    const ScreenWatch screen;
    screen.PointerToCentre();
    const int count = CountPictures();
    if (mode == "hold") screen.SetAutoRepeat(static_cast<int>(args[2]), static_cast<int>(args[0]));
    const double t0 = NowMs();
    const pid_t pid = StartChild(cmd);
    const int first = mode == "start" ? static_cast<int>(args[0]) : 0;
    if (WaitFor(screen, first, -1, 20000, mode == "start" ? 0.5 : 2) != first) {
        std::printf("error first_picture_not_seen\n");
        KillChild();
        return 1;
    }
    const double startup = NowMs() - t0;
    if (mode == "start") {
        std::printf("startup_ms %.1f\n", startup);
        SleepMs(700);  // anything the viewer does once the picture is up counts towards its peak
        std::printf("peak_rss_kb %ld\n", PeakRssKb(pid));
        KillChild();
        return 0;
    }
    screen.PointerToCentre();
    SleepMs(500);
    if (mode == "redraw") {
        // The clock key (T) writes its result line after a redraw of the picture under it. The
        // repaint key (Space) first puts a different line there, untimed, so that the clock
        // key's line is always new on screen: timed from the press to that new text.
        const auto pressFor = [&](KeySym key, const std::vector<int>& before) {
            const double k = NowMs();
            screen.Key(true, key);
            screen.Key(false, key);
            for (const double end = k + 5000; NowMs() < end; SleepMs(0.25)) {
                const std::vector<int> now = screen.BottomLineText();
                if (now.size() > 10 && now != before) return NowMs() - k;
            }
            return -1.0;
        };
        std::vector<double> latencies;
        for (int i = 0; i < static_cast<int>(args[0]); ++i) {
            if (pressFor(XK_space, screen.BottomLineText()) < 0) continue;
            SleepMs(1000);
            const double ms = pressFor(XK_t, screen.BottomLineText());
            if (ms >= 0) latencies.push_back(ms);
        }
        std::printf("redraw_ms_median %.1f\n", Median(latencies));
        std::printf("redraw_seen %zu\n", latencies.size());
        KillChild();
        return 0;
    }
    if (mode == "pause") {
        std::vector<double> latencies;
        int current = first;
        for (int i = 0; i < static_cast<int>(args[0]); ++i) {
            SleepMs(1000);
            const double k = NowMs();
            screen.Key(true);
            screen.Key(false);
            const int shown = WaitFor(screen, -1, current, 10000, 0.25);
            if (shown < 0) {
                std::printf("error no_picture_after_key %d\n", i);
                break;
            }
            latencies.push_back(NowMs() - k);
            if (shown != (current + 1) % count) std::printf("note unexpected_picture %d\n", shown);
            current = shown;
        }
        std::printf("key_to_picture_ms_median %.1f\n", Median(latencies));
        if (!latencies.empty()) {
            std::printf("key_to_picture_ms_min %.1f\n",
                        *std::min_element(latencies.begin(), latencies.end()));
            std::printf("key_to_picture_ms_max %.1f\n",
                        *std::max_element(latencies.begin(), latencies.end()));
        }
        std::printf("peak_rss_kb %ld\n", PeakRssKb(pid));
        KillChild();
        return 0;
    }

    const double rate = args[0], seconds = args[1];
    KeyCounter keys;
    Recorder rec{screen, keys, {}, first};
    const double origin = NowMs();
    int moves = 0;
    double lastKey = 0;
    if (mode == "presses") {
        const std::vector<KeySym> cycle = PressKeys();
        const double step = 1000.0 / rate;
        const int n = static_cast<int>(rate * seconds);
        for (int i = 0; i < n; ++i) {
            rec.PollUntil(origin, origin + i * step);
            lastKey = NowMs() - origin;
            screen.Key(true, cycle[i % cycle.size()]);
            screen.Key(false, cycle[i % cycle.size()]);
            ++moves;
        }
        rec.PollUntil(origin, origin + n * step);
    } else {  // hold
        const double delay = args[2];
        screen.Key(true);
        rec.PollUntil(origin, origin + delay + seconds * 1e3);
        screen.Key(false);
        lastKey = NowMs() - origin;
    }
    // Let the show run out: stop after three quiet seconds (or twenty in all).
    const double settleEnd = NowMs() + 20000;
    while (NowMs() < settleEnd) {
        const size_t before = rec.changes.size();
        rec.PollUntil(origin, NowMs() + 3000);
        if (rec.changes.size() == before) break;
    }
    if (mode == "hold") {
        // The server makes the repeats and the viewer may drop some while it is busy, so the
        // position the key should have reached is not known here: only the run-out is.
        ReportRun(rec.changes, args[2], lastKey, first, -1, count);
    } else {
        ReportRun(rec.changes, 0, lastKey, first, moves, count);
    }
    if (mode == "presses") {
        std::printf("keys_sent %d\n", moves);
        // The screen cannot tell a press the viewer dropped from a position it reached but did
        // not paint. One more press after the quiet time does: it shows the position after the
        // one the viewer really holds.
        const int shown = rec.last;
        screen.Key(true);
        screen.Key(false);
        const int next = WaitFor(screen, -1, shown, 10000);
        if (next >= 0) {
            const int reached = Forward(first, next, count) - 1;
            std::printf("position_held_after_burst %d\n", reached);
            std::printf("presses_lost %d\n", moves - reached);
        }
    }
    if (keys.Active()) {
        // Presses the server delivered while the key was down (or the burst lasted).
        const double from = mode == "hold" ? origin + args[2] : origin, to = origin + lastKey;
        const auto& at = keys.Presses();
        const auto n =
            std::count_if(at.begin(), at.end(), [&](double t) { return t >= from && t <= to + 1; });
        std::printf("server_presses %zu\n", at.size());
        std::printf("server_press_per_s %.1f\n", n / ((to - from) / 1e3));
        std::printf("presses_same_time_as_release %d\n", keys.SameTimePresses());
    }
    std::printf("peak_rss_kb %ld\n", PeakRssKb(pid));
    KillChild();
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: see the comment at the top of ScreenProbe.cpp\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    signal(SIGTERM, OnSignal);
    signal(SIGINT, OnSignal);
    if (argc < 2) return Usage();
    const std::string mode = argv[1];
    try {
        if (mode == "gen" && argc == 5) {
            WritePicture(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
            return 0;
        }
        if (mode == "decode" && argc >= 4) {
            const int rounds = std::atoi(argv[2]);
            std::vector<double> times;
            double total = 0;
            for (int r = 0; r < rounds; ++r) {
                for (int i = 3; i < argc; ++i) {
                    times.push_back(DecodeOnceMs(argv[i]));
                    total += times.back();
                }
            }
            std::printf("decode_ms_median %.2f\n", Median(times));
            std::printf("decode_per_s %.1f\n", times.size() / (total / 1e3));
            return 0;
        }
        if (mode == "shot" && argc == 3) {
            ScreenWatch().SavePpm(argv[2]);
            return 0;
        }
        // The remaining modes take numbers, then "--" and the command to run.
        int dash = 2;
        while (dash < argc && std::strcmp(argv[dash], "--") != 0) ++dash;
        if (dash >= argc - 1) return Usage();
        std::vector<double> args;
        for (int i = 2; i < dash; ++i) args.push_back(std::atof(argv[i]));
        char** cmd = argv + dash + 1;
        if (mode == "time-cmd" && args.size() == 1) {
            std::vector<double> times;
            for (int r = 0; r < static_cast<int>(args[0]); ++r) {
                const double t0 = NowMs();
                const pid_t pid = StartChild(cmd);
                waitpid(pid, nullptr, 0);
                g_child = -1;
                times.push_back(NowMs() - t0);
            }
            std::printf("cmd_ms_median %.1f\n", Median(times));
            return 0;
        }
        const bool oneNumber = mode == "start" || mode == "pause" || mode == "redraw";
        const size_t need = oneNumber ? 1 : mode == "hold" ? 3 : 2;
        if ((!oneNumber && mode != "presses" && mode != "hold") || args.size() != need) {
            return Usage();
        }
        return RunViewer(mode, args, cmd);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screen_probe: %s\n", e.what());
        KillChild();
        return 1;
    }
}
