// The least a Qt Widgets program does to show a picture: the first JPEG of a folder, read by
// Qt's own reader, drawn fitted on a frameless window over the whole screen. Timed beside our
// program and feh, it tells what start-up time and memory any Qt Widgets viewer pays here
// before it does anything of its own.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class PictureWindow : public QWidget {
public:
    explicit PictureWindow(QImage picture) : picture_(std::move(picture)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
        const QPoint at((width() - fitted.width()) / 2, (height() - fitted.height()) / 2);
        painter.drawImage(QRect(at, fitted), picture_);
    }

private:
    QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QStringList pictures = folder.entryList({"*.jpg"}, QDir::Files, QDir::Name);
    if (pictures.isEmpty()) return 1;
    PictureWindow window(QImage(folder.filePath(pictures.first())));
    window.setWindowFlags(Qt::FramelessWindowHint);
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return QApplication::exec();
}
