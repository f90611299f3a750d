#include "sources/FileSelectListView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <cmath>
#include <vector>

namespace pictavo {
namespace {

constexpr int kExtentMargin = 5;

// Every row is as wide as the extent: with uniform row sizes the view lays out a million rows
// at once, and the horizontal scroll range follows the widest path instead of the first one.
class ExtentDelegate : public QStyledItemDelegate {
public:
    ExtentDelegate(const FileSelectListView& view)
        : QStyledItemDelegate(const_cast<FileSelectListView*>(&view)), view_(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {view_.HorizontalExtent(), QStyledItemDelegate::sizeHint(option, index).height()};
    }

private:
    const FileSelectListView& view_;
};

}  // namespace

// Text widths without shaping every path: measuring a million paths one by one takes many
// seconds, adding up cached character widths a few milliseconds. Only characters that are
// drawn one glyph each (Latin, kana, kanji, full-width forms) are added up; a path holding
// anything else (combining marks, other scripts, surrogate pairs) is measured whole.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : metrics_(font), widths_(0x10000, -1.0f) {}

    double Of(const QString& text) {
        double width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            const bool simple =
                code < 0x0300 || (code >= 0x3000 && code < 0xA000) || (code >= 0xFF00 && code < 0xFFF0);
            if (!simple) return metrics_.horizontalAdvance(text);
            float& cached = widths_[code];
            if (cached < 0) cached = metrics_.horizontalAdvance(c);
            width += cached;
        }
        return width;
    }

private:
    QFontMetricsF metrics_;
    std::vector<float> widths_;
};

FileSelectListView::FileSelectListView(QStringListModel& model, QWidget* parent)
    : QListView(parent), model_(model) {
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
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &FileSelectListView::RefreshExtent);
    connect(&model_, &QAbstractItemModel::modelReset, this, &FileSelectListView::RefreshExtent);
    connect(&model_, &QAbstractItemModel::layoutChanged, this, &FileSelectListView::RefreshExtent);
    RefreshExtent();
}

void FileSelectListView::RefreshExtent() {
    const int widest = WidestRow(0, model_.rowCount() - 1);
    SetExtent(widest < 0 ? 0 : widest + kExtentMargin);
}

// New or changed rows only ever widen the extent; removals measure everything again.
void FileSelectListView::MeasureRows(int first, int last) {
    const int widest = WidestRow(first, last);
    if (widest >= 0) SetExtent(std::max(extent_, widest + kExtentMargin));
}

// Pixel width of the widest of rows `first` to `last`; -1 when there is no such row.
int FileSelectListView::WidestRow(int first, int last) {
    if (!widths_) widths_ = std::make_unique<TextWidths>(font());
    const QStringList rows = model_.stringList();  // shares the model's data
    double widest = -1;
    for (int row = std::max(first, 0); row <= last && row < rows.size(); ++row)
        widest = std::max(widest, widths_->Of(rows.at(row)));
    return widest < 0 ? -1 : static_cast<int>(std::ceil(widest));
}

FileSelectListView::~FileSelectListView() = default;

void FileSelectListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        widths_.reset();
        RefreshExtent();
    }
    QListView::changeEvent(event);
}

void FileSelectListView::SetExtent(int extent) {
    const bool changed = extent != extent_;
    extent_ = extent;
    if (changed) scheduleDelayedItemsLayout();
}

}  // namespace pictavo
