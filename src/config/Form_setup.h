#pragma once
// The settings dialog ("設定"): five tabs over the settings record. Every showing fills the
// controls from the record; only OK, after its checks, stores them back. Not modal: the
// launcher disables itself while the dialog is open and enables itself on Closed().
#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "config/Settings.h"
#include "platform/UserDialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace pictavo {

class NumericEdit;

class Form_setup : public QWidget {
    Q_OBJECT
public:
    // `settings` is the run state's record and `supportedExtensions` the list the extension
    // tab offers (read at each showing); they and `dialogs` outlive the dialog.
    Form_setup(Settings& settings, const QStringList& supportedExtensions,
               UserDialogs& dialogs = DesktopUserDialogs(), QWidget* parent = nullptr);

    // Controls from the record; run at every showing and by "全て元に戻す".
    void Fill();
    // The record from the controls; run by OK once the checks have passed.
    void Store();

    // The buttons, public so that each can be driven on its own.
    void Button_okClick();
    void Button_undoClick();
    void Button_defaultClick();
    void Button_spi_selClick();

signals:
    // The dialog was closed (OK, "キャンセル" or the close box); the launcher enables itself.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ColourBars {
        std::array<QScrollBar*, 3> bars{};
        std::array<QLabel*, 3> labels{};
    };

    // Building the tabs (in their own file).
    QWidget* CreateGeneralPage();
    QWidget* CreateColourBox();
    QWidget* CreateKeyPage();
    QWidget* CreateProcessingPage();
    QWidget* CreateFormatPage();
    QWidget* CreateArchivePage();
    QCheckBox* AddCheck(const char* name, const QString& caption, bool Settings::*field);
    QScrollBar* AddBar(const char* name, int maximum, QLabel*& valueLabel, const char* labelName);
    ColourBars AddColourBars(const char* suffix);
    // Makes the pages and buttons, once.
    void Build();
    QPushButton* AddButton(const char* name, const QString& caption);

    void FillKeys(const Settings& source);
    QList<int> KeyPositions() const;
    static void SetColour(const ColourBars& bars, std::int32_t colour);
    static std::int32_t ColourOf(const ColourBars& bars);
    void ShowColours();
    void EnablePluginControls();
    enum class Selection { All, None, Invert };
    void SelectExtensions(Selection how);

    Settings& settings_;
    const QStringList& supportedExtensions_;
    UserDialogs& dialogs_;

    QTabWidget* PageControl = nullptr;
    std::vector<std::pair<QCheckBox*, bool Settings::*>> checks_;
    NumericEdit* Edit_lc_fs_max = nullptr;
    NumericEdit* Edit_lc_fs_min = nullptr;
    NumericEdit* Edit_slideinterval = nullptr;
    NumericEdit* Edit_jumpnum = nullptr;
    QComboBox* ComboBox_imgresizetype = nullptr;
    QLineEdit* Edit_password = nullptr;
    ColourBars backgroundBars_;
    ColourBars fileInfoBars_;
    QWidget* Panel_bg = nullptr;
    QLabel* Label_fi = nullptr;
    QRadioButton* RadioButton_es2ps_ltor = nullptr;
    QRadioButton* RadioButton_es2ps_rtol = nullptr;

    std::array<QComboBox*, 28> keyBoxes_{};

    QScrollBar* ScrollBar_brightpower = nullptr;
    QScrollBar* ScrollBar_blurpower = nullptr;
    QLabel* Label_brightpower = nullptr;
    QLabel* Label_blurpower = nullptr;
    std::array<QRadioButton*, 4> stretchButtons_{};

    QCheckBox* CheckBox_isusespi = nullptr;
    std::array<QCheckBox*, 5> searchChecks_{};  // the folders the plug-in search looks in
    QLineEdit* Edit_spi_sel = nullptr;
    QPushButton* Button_spi_sel = nullptr;
    QListWidget* ListBox_lielist = nullptr;
    QListWidget* ListBox_arctype = nullptr;
};

}  // namespace pictavo
