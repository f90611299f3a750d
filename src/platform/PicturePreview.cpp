#include "platform/PicturePreview.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace pictavo {
namespace {

constexpr int kPaneSize = 200;
// A preview never decodes more than this many pixels: a huge picture shows only its size.
constexpr qint64 kMaxPreviewPixels = 64LL * 1024 * 1024;

}  // namespace

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
    setObjectName("PicturePreview");
    setFixedWidth(kPaneSize);
    setMinimumHeight(kPaneSize);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setWordWrap(true);
}

void PicturePreview::ShowFile(const QString& path) {
    clear();
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid()) return;
    const QString caption = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
    if (qint64(size.width()) * size.height() > kMaxPreviewPixels) {
        setText(caption);
        return;
    }
    // Scaled while decoding where the format allows it (JPEG), so a large photo stays cheap.
    reader.setScaledSize(
        size.scaled(kPaneSize - 8, kPaneSize - 8, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    if (image.isNull()) {
        setText(caption);
        return;
    }
    setPixmap(QPixmap::fromImage(image));
    setToolTip(caption);
}

}  // namespace pictavo
