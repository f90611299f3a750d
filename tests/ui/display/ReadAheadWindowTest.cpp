#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <chrono>
#include <functional>
#include <thread>

#include "DisplayTestSupport.h"
#include "display/AheadReader.h"

using namespace pictavo;
using namespace pictavo::test;

namespace {

// Pictures of a few sizes, so that placement and spreads differ from entry to entry.
QImage EntryPicture(int i) {
    QImage image = Uniform(60 + (i % 3) * 30, 50 + (i % 2) * 40, EntryColor(i));
    QPainter(&image).fillRect(0, 0, image.width() / 3, image.height() / 2, QColor(250, 250, 250));
    return image;
}

// A slideshow of `count` PNG files read by the built-in decoders, which may read ahead; started
// unless told otherwise.
std::unique_ptr<DisplayFixture> Show(int count, std::size_t budget, int resizeType = 0, int algorithm = 1,
                                     bool start = true) {
    auto fx = std::make_unique<DisplayFixture>(200, 150);
    fx->state.registry = PictureRegistry::WithBuiltins();
    fx->state.settings.ImageResizeType = resizeType;
    fx->state.settings.StretchAlgorithm = algorithm;
    for (int i = 0; i < count; ++i)
        fx->Add(QStringLiteral("p%1.png").arg(i, 2, 10, QLatin1Char('0')), EntryPicture(i));
    fx->window->SetReadAheadBudget(budget);
    if (start) fx->window->Start();
    return fx;
}

// Runs `action` when `watched` receives an event of `type`, before it handles it.
class OnEvent : public QObject {
public:
    OnEvent(QObject* watched, QEvent::Type type, std::function<void()> action)
        : type_(type), action_(std::move(action)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) action_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> action_;
};

// The same pictures as members of an archive: an extraction copies one from the archive's
// folder into the temporary folder and is counted.
std::unique_ptr<DisplayFixture> ArchiveShow(int count, std::size_t budget, QMap<QString, int>& extractions) {
    auto fx = std::make_unique<DisplayFixture>(200, 150);
    fx->state.registry = PictureRegistry::WithBuiltins();
    QDir(fx->dir.path()).mkpath("book");
    for (int i = 0; i < count; ++i) fx->Add(QStringLiteral("book/p%1.png").arg(i), EntryPicture(i));
    fx->state.ImageList.replaceInStrings(fx->dir.filePath("book/"), QString());
    fx->state.SourceKind = 1;
    fx->state.ArchivePath = fx->dir.filePath("book.zip");
    testing_support::WriteFileBytes(fx->state.ArchivePath, "PK");
    fx->state.TempFolder = fx->dir.filePath("tmp");
    fx->window->ReadAhead().SetExtractor([fx = fx.get(), &extractions](const QString& member) {
        ++extractions[member];
        const QString path = fx->state.TempFolder + '/' + member;
        QFile::remove(path);
        QFile::copy(fx->dir.filePath("book/" + member), path);
        return path;
    });
    QDir().mkpath(fx->state.TempFolder);
    fx->window->SetReadAheadBudget(budget);
    fx->window->Start();
    return fx;
}

}  // namespace

// Reading ahead changes when pictures are decoded, never what the screen shows.
class ReadAheadWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Fitted to the area, the pictures read ahead are resampled ahead too (PNG without alpha is
    // known to be opaque); at natural size they are only decoded ahead.
    void theScreenIsTheSameWithAndWithoutReadingAhead_data() {
        QTest::addColumn<int>("resizeType");
        QTest::addColumn<int>("algorithm");
        QTest::newRow("natural size") << 0 << 1;
        QTest::newRow("fitted, bilinear") << 3 << 1;
        QTest::newRow("fitted, combined") << 3 << 3;
    }
    void theScreenIsTheSameWithAndWithoutReadingAhead() {
        QFETCH(int, resizeType);
        QFETCH(int, algorithm);
        auto ahead = Show(9, 64 << 20, resizeType, algorithm);
        auto plain = Show(9, 0, resizeType, algorithm);
        QCOMPARE(ahead->window->Canvas(), plain->window->Canvas());
        const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Alt,  Qt::Key_Right,
                                Qt::Key_Right, Qt::Key_X,     Qt::Key_Left, Qt::Key_Left, Qt::Key_F2,
                                Qt::Key_F1,    Qt::Key_Alt,   Qt::Key_Down, Qt::Key_Left, Qt::Key_F3,
                                Qt::Key_Right, Qt::Key_Left};  // back to the processed picture
        for (const Qt::Key key : keys) {
            // Let the neighbours be read ahead, so the next move takes them from there.
            QTRY_VERIFY(ahead->window->ReadAhead().HeldBytes() > 0);
            ahead->Key(key);
            plain->Key(key);
            QCOMPARE(ahead->state.CurrentIndex, plain->state.CurrentIndex);
            QCOMPARE(ahead->window->Canvas(), plain->window->Canvas());
        }
    }

    // Members ahead are extracted between turns of the event loop and decoded on a worker; a
    // show that lands on one does not extract it again while the archive is unchanged.
    void archiveMembersAreExtractedOnceAndReadAhead() {
        QMap<QString, int> aheadExtractions, plainExtractions;
        auto ahead = ArchiveShow(6, 64 << 20, aheadExtractions);
        auto plain = ArchiveShow(6, 0, plainExtractions);
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Alt, Qt::Key_Right,
                                  Qt::Key_Left, Qt::Key_Left}) {
            QTRY_VERIFY(ahead->window->ReadAhead().HeldBytes() > 0);
            ahead->Key(key);
            plain->Key(key);
            QCOMPARE(ahead->window->Canvas(), plain->window->Canvas());
        }
        QCOMPARE(aheadExtractions.size(), 6);
        for (const int times : aheadExtractions) QCOMPARE(times, 1);
        QVERIFY(plainExtractions.value("p1.png") > 1);

        testing_support::WriteFileBytes(ahead->state.ArchivePath, "PK changed");
        ahead->Key(Qt::Key_Right);
        plain->Key(Qt::Key_Right);
        QCOMPARE(ahead->window->Canvas(), plain->window->Canvas());
        QCOMPARE(aheadExtractions.value(ahead->state.ImageList[ahead->state.CurrentIndex]), 2);
    }

    // With nothing around it to read ahead, only the first picture can be held. The window's
    // show waits for the worker, which a busy machine might otherwise not start in time.
    void theFirstPictureIsReadWhileTheWindowIsMapped() {
        auto ahead = Show(1, 64 << 20, 3, 1, false);
        const AheadReader& reader = ahead->window->ReadAhead();
        const OnEvent waitForTheWorker(ahead->window.get(), QEvent::Show, [&reader] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (reader.HeldBytes() == 0 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
        });
        ahead->window->Start();
        auto plain = Show(1, 0, 3);
        QVERIFY(reader.PeakHeldBytes() > 0);
        QCOMPARE(ahead->window->Canvas(), plain->window->Canvas());
    }

    void aFileReplacedAfterItWasReadAheadShowsItsNewContent() {
        auto fx = Show(4, 64 << 20);
        QTRY_VERIFY(fx->window->ReadAhead().HeldBytes() >= 3u * 60 * 50 * 4);
        QVERIFY(Uniform(90, 90, qRgb(10, 200, 10)).save(fx->state.ImageList[1], "PNG"));
        fx->Key(Qt::Key_Right);
        QCOMPARE(fx->Centre(), qRgb(10, 200, 10));
    }

    void aBadFileBeepsOnceWhetherReadAheadOrNot() {
        auto fx = Show(3, 64 << 20);
        testing_support::WriteFileBytes(fx->state.ImageList[1], "\x89PNG\r\n\x1a\n broken");
        fx->Key(Qt::Key_Left);  // on entry 2, reads 1 and 0 ahead, the bad one among them
        QSignalSpy beeps(fx->window.get(), &Form_disp::PictureLoadFailed);
        fx->Key(Qt::Key_Left);
        fx->Key(Qt::Key_Left);
        QCOMPARE(fx->state.CurrentIndex, 0);
        QCOMPARE(beeps.count(), 1);
    }

    void aSmallBudgetIsNeverExceeded() {
        const std::size_t largest = 120 * 90 * 4;
        auto fx = Show(10, 2 * largest);
        for (int i = 0; i < 18; ++i) {
            QTRY_VERIFY(fx->window->ReadAhead().HeldBytes() > 0);
            fx->Key(i < 12 ? Qt::Key_Right : Qt::Key_Left);
        }
        QVERIFY(fx->window->ReadAhead().PeakHeldBytes() <= 2 * largest);
    }

    // Separate presses faster than pictures can be shown end on the last position reached,
    // with its picture on the screen.
    void aBurstOfPressesEndsWithTheLastPositionPainted() {
        auto fx = Show(7, 64 << 20);
        PaintWatcher watcher(fx->window->PaintBox_disp());
        for (int i = 0; i < 20; ++i) fx->PostKey(Qt::Key_Right);
        QCoreApplication::processEvents();
        QCOMPARE(fx->state.CurrentIndex, 20 % 7);
        QCOMPARE(watcher.lastPainted.pixel(100, 75), EntryColor(20 % 7));
    }
};

QTEST_MAIN(ReadAheadWindowTest)
#include "ReadAheadWindowTest.moc"
