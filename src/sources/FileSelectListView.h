#pragma once
// The list of the file selection window over the run state's string-list model: several rows
// can be selected, and the horizontal scroll extent is the pixel width of the widest path plus
// 5, kept current whoever changes the model (this window or the display's add-to-list).
#include <QListView>
#include <memory>

class QStringListModel;

namespace pictavo {

class TextWidths;

class FileSelectListView : public QListView {
    Q_OBJECT
public:
    // `model` outlives the view.
    explicit FileSelectListView(QStringListModel& model, QWidget* parent = nullptr);
    ~FileSelectListView() override;

    // Width of the widest row in the view's font plus 5; 0 for an empty list.
    int HorizontalExtent() const { return extent_; }
    // Measures every row again.
    void RefreshExtent();

protected:
    void changeEvent(QEvent* event) override;

private:
    void MeasureRows(int first, int last);
    int WidestRow(int first, int last);
    void SetExtent(int extent);

    QStringListModel& model_;
    std::unique_ptr<TextWidths> widths_;  // character widths in the current font
    int extent_ = 0;
};

}  // namespace pictavo
