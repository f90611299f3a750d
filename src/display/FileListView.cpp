#include "display/FileListView.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace pictavo {

// Every row has the same size: the widest text's width, one line high. With uniform rows the
// view lays out 100 000 entries without asking each one for its size, and the width gives the
// horizontal scroll extent.
class UniformRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void SetRowSize(QSize size) { size_ = size; }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return size_; }

private:
    QSize size_;
};

int WidestTextWidth(const QStringList& texts, const QFontMetrics& metrics) {
    // Advances of the characters met so far; -1 not yet measured. Kerning is left out, which
    // the 5 pixels of slack after the widest text cover.
    std::vector<int> advance(0x10000, -1);
    int widest = 0;
    for (const QString& text : texts) {
        int width = 0;
        const QChar* c = text.constData();
        const QChar* end = c + text.size();
        for (; c != end; ++c) {
            if (c->isHighSurrogate() && c + 1 != end) {
                width += metrics.horizontalAdvance(QString(c, 2));
                ++c;
                continue;
            }
            int& a = advance[c->unicode()];
            if (a < 0) a = metrics.horizontalAdvance(*c);
            width += a;
        }
        widest = std::max(widest, width);
    }
    return widest;
}

FileListView::FileListView(QWidget* parent) : QListView(parent), delegate_(new UniformRowDelegate(this)) {
    setObjectName(QStringLiteral("ListBox_filenamelist"));
    setUniformItemSizes(true);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setModel(&model_);
    hide();
}

void FileListView::Open(const QStringList& entries, int current, const OverlayRect& rect) {
    const QFontMetrics metrics(font());
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    delegate_->SetRowSize(QSize(WidestTextWidth(entries, metrics) + 5 + margin, metrics.height() + 2));
    model_.setStringList(entries);
    setGeometry(rect.left, rect.top, rect.width, rect.height);
    show();
    raise();
    const QModelIndex index = model_.index(current);
    if (index.isValid()) {
        setCurrentIndex(index);
        scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    setFocus(Qt::OtherFocusReason);
}

void FileListView::Close() {
    hide();
    // The copy of a long list is not kept while the list is hidden.
    model_.setStringList({});
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentIndex().isValid())
                Choose(currentIndex().row());
            else
                Dismiss();
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            QListView::keyPressEvent(event);
            return;
        default:
            Dismiss();
    }
}

// A double click on empty space below the entries does nothing.
void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) Choose(index.row());
}

// The window losing activation is not the list losing the focus: it still has it when the
// window comes back.
void FileListView::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    if (isVisible()) Dismiss();
}

void FileListView::Choose(int row) {
    Close();
    emit Chosen(row);
}

void FileListView::Dismiss() {
    Close();
    emit Dismissed();
}

}  // namespace pictavo
