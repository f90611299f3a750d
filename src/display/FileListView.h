#pragma once
// The file list laid over the slideshow (ListBox_filenamelist): a list view over a copy of the
// image list, so opening it on 100 000 entries costs a model reset and one pass over the texts
// for the scroll width, not 100 000 widgets. Enter or a double click on an entry chooses it;
// the arrow keys move; any other key or the focus going elsewhere dismisses the list.
#include <QListView>
#include <QStringList>
#include <QStringListModel>

#include "display/OverlayRules.h"

class QFontMetrics;

namespace pictavo {

class FileListView : public QListView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent);

    // Shows `entries` (copied) at `rect` (parent coordinates) with entry `current` selected and
    // in view, and takes the focus.
    void Open(const QStringList& entries, int current, const OverlayRect& rect);
    // Hides the list without a signal.
    void Close();

signals:
    // An entry was chosen (Enter, or a double click on it). The list is already hidden.
    void Chosen(int row);
    // Another key, or the focus went to another control. The list is already hidden.
    void Dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Choose(int row);
    void Dismiss();

    QStringListModel model_;
    class UniformRowDelegate* delegate_;
};

// Width in pixels of the widest of `texts` in `metrics`' font, from per-character advances
// (cached per character), so it costs one pass over the characters.
int WidestTextWidth(const QStringList& texts, const QFontMetrics& metrics);

}  // namespace pictavo
