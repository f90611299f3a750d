#include "sources/FileListView.h"

#include <QFontMetrics>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace pictavo {
namespace {

constexpr int kExtentMargin = 5;

// Every row is as wide as the extent: with uniform row sizes the view lays out a million rows
// at once, and the horizontal scroll range follows the widest path instead of the first one.
class ExtentDelegate : public QStyledItemDelegate {
public:
    ExtentDelegate(const FileListView& view)
        : QStyledItemDelegate(const_cast<FileListView*>(&view)), view_(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {view_.HorizontalExtent(), QStyledItemDelegate::sizeHint(option, index).height()};
    }

private:
    const FileListView& view_;
};

}  // namespace

FileListView::FileListView(QStringListModel& model, QWidget* parent) : QListView(parent), model_(model) {
    setObjectName("ListBox_files");
    setModel(&model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new ExtentDelegate(*this));
    connect(&model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { MeasureRows(first, last); });
    connect(
        &model_, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& top, const QModelIndex& bottom) { MeasureRows(top.row(), bottom.row()); });
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &FileListView::RefreshExtent);
    connect(&model_, &QAbstractItemModel::modelReset, this, &FileListView::RefreshExtent);
    connect(&model_, &QAbstractItemModel::layoutChanged, this, &FileListView::RefreshExtent);
    RefreshExtent();
}

void FileListView::RefreshExtent() {
    const int widest = WidestRow(0, model_.rowCount() - 1);
    SetExtent(widest < 0 ? 0 : widest + kExtentMargin);
}

// New or changed rows only ever widen the extent; removals measure everything again.
void FileListView::MeasureRows(int first, int last) {
    const int widest = WidestRow(first, last);
    if (widest >= 0) SetExtent(std::max(extent_, widest + kExtentMargin));
}

// Pixel width of the widest of rows `first` to `last`; -1 when there is no such row.
int FileListView::WidestRow(int first, int last) const {
    const QFontMetrics metrics(font());
    const QStringList rows = model_.stringList();  // shares the model's data
    int widest = -1;
    for (int row = std::max(first, 0); row <= last && row < rows.size(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(rows.at(row)));
    return widest;
}

void FileListView::SetExtent(int extent) {
    const bool changed = extent != extent_;
    extent_ = extent;
    if (changed) scheduleDelayedItemsLayout();
}

}  // namespace pictavo
