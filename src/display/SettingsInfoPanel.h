#pragma once
// The settings-info panel (Panel_info): the list size and position, the key bound to every
// command, and a few settings that can be changed without leaving the slideshow. The window
// opens, fills and closes it; the panel asks to be closed by its button or when the focus
// leaves it, and keeps its number fields to digits while typing.
#include <QFrame>

#include "display/SettingsPanelFields.h"
#include "sources/AppState.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pictavo {

class SettingsInfoPanel : public QFrame {
    Q_OBJECT
public:
    explicit SettingsInfoPanel(QWidget* parent);

    // Writes every value from `state`: counts, key names and the editable fields.
    void Fill(const AppState& state);
    // The editable fields as they stand, and back (after ApplySettingsPanel may have changed
    // their texts).
    SettingsPanelFields Fields() const;
    void SetFields(const SettingsPanelFields& fields);
    // Shows the panel centred in its parent and focuses the interval field.
    void Open();

signals:
    // The close button was pressed or the focus went to a control outside the panel.
    void CloseRequested();
    // A digit was refused because the field is full: the window beeps.
    void TypingRefused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildKeyRows(QGridLayout* grid);
    void BuildEditableBlock(QGridLayout* grid, int row);
    bool FilterKey(QLineEdit* edit, QKeyEvent* event);
    void FocusChanged(QWidget* old, QWidget* now);

    QLabel* count_;
    QLabel* position_;
    QList<QLabel*> keyLabels_;
    QLineEdit* interval_;
    QLineEdit* jump_;
    QCheckBox* autoRandom_;
    QCheckBox* showKeyResult_;
    QComboBox* stretch_;
    QCheckBox* autoPassword_;
    QLineEdit* password_;
    QPushButton* close_;
};

}  // namespace pictavo
