// The slideshow window with the built-in decoders: each format shows, and bad files of every
// kind beep once per show and leave the area blank while the show goes on.
#include <QSignalSpy>
#include <QtTest>

#include "DisplayTestSupport.h"

using namespace pictavo;
using namespace pictavo::test;

class FormDispFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void builtInFormatsShow();
    void badFilesBeepOnceEach();
};

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// A BMP header that claims 100000 x 100000 pixels and carries none.
QByteArray OversizedBmp() {
    QByteArray bmp = Encoded(Uniform(4, 4, qRgb(1, 2, 3)), "BMP");
    const auto put = [&](int at, qint32 v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(18, 100000);
    put(22, 100000);
    return bmp;
}

}  // namespace

void FormDispFormatsTest::builtInFormatsShow() {
    DisplayFixture f;
    f.state.registry = PictureRegistry::WithBuiltins();
    const QRgb colour = qRgb(40, 160, 90);
    f.AddBytes("a.jpg", Encoded(Uniform(40, 30, colour), "JPG"));
    f.AddBytes("b.PNG", Encoded(Uniform(40, 30, colour), "PNG"));
    f.AddBytes("c.bmp", Encoded(Uniform(40, 30, colour), "BMP"));
    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(qRgba(255, 255, 255, 0));
    f.AddBytes("d.png", Encoded(clear, "PNG"));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();
    for (int i = 0; i < 3; ++i) {
        f.state.CurrentIndex = i;
        f.window->RepaintPictureArea();
        f.window->EmptyCurrentPicture();
        f.window->ShowCurrentPosition();
        const QRgb shown = f.At(100, 75);
        QVERIFY2(std::abs(qRed(shown) - 40) <= 3 && std::abs(qGreen(shown) - 160) <= 3 &&
                     std::abs(qBlue(shown) - 90) <= 3,
                 qPrintable(QString("entry %1").arg(i)));
        QCOMPARE(f.state.PictureWidth, 40);
    }
    // A transparent picture shows the background colour, also through the resampler.
    f.state.CurrentIndex = 3;
    f.window->EmptyCurrentPicture();
    f.window->ShowCurrentPosition();
    QCOMPARE(f.At(100, 75), f.Background());
    QCOMPARE(beeps.count(), 0);
}

void FormDispFormatsTest::badFilesBeepOnceEach() {
    DisplayFixture f;
    f.state.registry = PictureRegistry::WithBuiltins();
    f.AddBytes("png-named.jpg", Encoded(Uniform(40, 30, qRgb(1, 1, 1)), "PNG"));
    f.AddBytes("zero.jpg", {});
    f.AddBytes("garbage.gif", QByteArray(500, '\x47'));
    f.AddBytes("huge.bmp", OversizedBmp());
    f.AddPath(f.dir.filePath("missing.png"));
    f.AddBytes("good.png", Encoded(Uniform(40, 30, qRgb(200, 10, 10)), "PNG"));
    QSignalSpy beeps(f.window.get(), &Form_disp::PictureLoadFailed);
    f.window->Start();  // entry 0 is the first bad one
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(f.At(100, 75), f.Background());
    for (int i = 1; i < 5; ++i) {
        f.state.CurrentIndex = i;
        f.window->RepaintPictureArea();
        f.window->EmptyCurrentPicture();
        f.window->ShowCurrentPosition();
        QCOMPARE(beeps.count(), i + 1);
        QCOMPARE(f.At(100, 75), f.Background());
    }
    f.state.CurrentIndex = 5;
    f.window->EmptyCurrentPicture();
    f.window->ShowCurrentPosition();
    QCOMPARE(beeps.count(), 5);
    QCOMPARE(f.At(100, 75), qRgb(200, 10, 10));
}

QTEST_MAIN(FormDispFormatsTest)
#include "FormDispFormatsTest.moc"
