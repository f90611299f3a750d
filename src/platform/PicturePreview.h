#pragma once
// The preview pane of the picture open dialog: the picture under the cursor, scaled down to
// fit, with its size in pixels underneath.
#include <QLabel>
#include <QString>

namespace pictavo {

class PicturePreview : public QLabel {
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    // Shows the picture at `path`; an empty pane for anything that is not a readable picture.
    void ShowFile(const QString& path);
};

}  // namespace pictavo
