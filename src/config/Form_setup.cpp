#include "config/Form_setup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "config/KeyNames.h"
#include "config/NumericEdit.h"
#include "config/SetupConversions.h"

namespace pictavo {
namespace {

constexpr const char* kDuplicateKeysMessage = "キー設定で重複しているものがあります。";
constexpr const char* kSizeRangeMessage =
    "読み込む画像の最低ファイルサイズ・最高ファイルサイズがおかしいです。";

// The archiver switches in the order of the list's items.
constexpr std::array<bool Settings::*, 10> kArchiverFields{
    &Settings::IsLoadArcDLL_ZIP, &Settings::IsLoadArcDLL_LHA, &Settings::IsLoadArcDLL_7Z,
    &Settings::IsLoadArcDLL_CAB, &Settings::IsLoadArcDLL_GCA, &Settings::IsLoadArcDLL_ARJ,
    &Settings::IsLoadArcDLL_RAR, &Settings::IsLoadArcDLL_BGA, &Settings::IsLoadArcDLL_TAR,
    &Settings::IsLoadArcDLL_YZ1};

}  // namespace

Form_setup::Form_setup(Settings& settings, const QStringList& supportedExtensions, UserDialogs& dialogs,
                       QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      settings_(settings),
      supportedExtensions_(supportedExtensions),
      dialogs_(dialogs) {
    setObjectName("Form_setup");
    setWindowTitle("設定");
    setFixedSize(551, 551);
}

// The pages are made when the dialog is first needed: most runs never open it, and its
// controls took several milliseconds of every start-up.
void Form_setup::Build() {
    if (PageControl != nullptr) return;
    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->addTab(CreateGeneralPage(), "一般設定");
    PageControl->addTab(CreateKeyPage(), "キー設定");
    PageControl->addTab(CreateProcessingPage(), "画像処理設定");
    PageControl->addTab(CreateFormatPage(), "画像形式");
    PageControl->addTab(CreateArchivePage(), "圧縮形式");

    QPushButton* undoAll = AddButton("Button_undoall", "全て元に戻す");
    QPushButton* ok = AddButton("Button_ok", "OK");
    QPushButton* cancel = AddButton("Button_cansel", "キャンセル");
    connect(undoAll, &QPushButton::clicked, this, &Form_setup::Fill);
    connect(ok, &QPushButton::clicked, this, &Form_setup::Button_okClick);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    // Escape cancels, as in any dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(undoAll);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 10);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);
}

QPushButton* Form_setup::AddButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void Form_setup::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) Fill();
    QWidget::showEvent(event);
}

void Form_setup::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

void Form_setup::Fill() {
    Build();
    // Typing a key name needs an editable box: a line edit and a completer for each of the 28,
    // which took most of the dialog's share of the program's start-up when made there.
    for (QComboBox* box : keyBoxes_) box->setEditable(true);
    const Settings& s = settings_;
    for (const auto& [box, field] : checks_) box->setChecked(s.*field);
    Edit_lc_fs_max->SetNumber(KByteFromStoredSize(s.LoadCondition_FileSizeMax));
    Edit_lc_fs_min->SetNumber(KByteFromStoredSize(s.LoadCondition_FileSizeMin));
    // A negative number from a hand-edited file would not fit the digits-only fields.
    Edit_slideinterval->SetNumber(static_cast<std::uint32_t>(std::max(0, s.SlideInterval)));
    Edit_jumpnum->SetNumber(static_cast<std::uint32_t>(std::max(0, s.JumpNumber)));
    ComboBox_imgresizetype->setCurrentIndex(s.ImageResizeType);
    Edit_password->setText(s.InputPassword);
    SetColour(backgroundBars_, s.BackGroundColor);
    SetColour(fileInfoBars_, s.FileInfoColor);
    RadioButton_es2ps_ltor->setChecked(s.ES2PS_IsPageLtoR);
    RadioButton_es2ps_rtol->setChecked(!s.ES2PS_IsPageLtoR);

    FillKeys(s);

    ScrollBar_brightpower->setValue(s.ESIProc_BrightPower);
    ScrollBar_blurpower->setValue(s.ESIProc_BlurPower);
    for (int i = 0; i < int(stretchButtons_.size()); ++i)
        stretchButtons_[i]->setChecked(s.StretchAlgorithm == i);

    Edit_spi_sel->setText(s.SearchSelDirPath);
    ListBox_lielist->clear();
    for (const QString& extension : supportedExtensions_) {
        auto* item = new QListWidgetItem(extension, ListBox_lielist);
        item->setSelected(s.LoadExtensions.contains(extension, Qt::CaseInsensitive));
    }
    for (int i = 0; i < int(kArchiverFields.size()); ++i)
        ListBox_arctype->item(i)->setSelected(s.*kArchiverFields[i]);
    EnablePluginControls();
}

void Form_setup::Store() {
    Build();
    Settings& s = settings_;
    for (const auto& [box, field] : checks_) s.*field = box->isChecked();
    s.LoadCondition_FileSizeMax = StoredSizeFromKByte(Edit_lc_fs_max->Number());
    s.LoadCondition_FileSizeMin = StoredSizeFromKByte(Edit_lc_fs_min->Number());
    s.SlideInterval = StoredSlideInterval(Edit_slideinterval->Number());
    s.JumpNumber = static_cast<std::int32_t>(Edit_jumpnum->Number());
    // A type the list does not offer (a hand-edited file) stays as it was.
    if (ComboBox_imgresizetype->currentIndex() >= 0)
        s.ImageResizeType = ComboBox_imgresizetype->currentIndex();
    s.InputPassword = Edit_password->text();
    s.BackGroundColor = ColourOf(backgroundBars_);
    s.FileInfoColor = ColourOf(fileInfoBars_);
    s.ES2PS_IsPageLtoR = RadioButton_es2ps_ltor->isChecked();

    const QList<int> positions = KeyPositions();
    for (int i = 0; i < kCommandCount; ++i) s.*Commands()[i].field = KeyCodeFromIndex(positions[i]);

    s.ESIProc_BrightPower = ScrollBar_brightpower->value();
    s.ESIProc_BlurPower = ScrollBar_blurpower->value();
    s.StretchAlgorithm = 0;  // the first checked button wins; none checked counts as the first
    for (int i = int(stretchButtons_.size()) - 1; i >= 0; --i) {
        if (stretchButtons_[i]->isChecked()) s.StretchAlgorithm = i;
    }

    s.SearchSelDirPath = Edit_spi_sel->text();
    s.LoadExtensions.clear();
    for (int i = 0; i < ListBox_lielist->count(); ++i) {
        if (ListBox_lielist->item(i)->isSelected()) s.LoadExtensions.append(ListBox_lielist->item(i)->text());
    }
    for (int i = 0; i < int(kArchiverFields.size()); ++i)
        s.*kArchiverFields[i] = ListBox_arctype->item(i)->isSelected();
}

// Nothing is stored while a check fails; the dialog stays open with the user's edits.
void Form_setup::Button_okClick() {
    Build();
    if (HasDuplicateKeys(KeyPositions())) {
        dialogs_.ShowError(this, kDuplicateKeysMessage);
        return;
    }
    if (Edit_lc_fs_min->Number() > Edit_lc_fs_max->Number()) {
        dialogs_.ShowError(this, kSizeRangeMessage);
        return;
    }
    Store();
    close();
}

void Form_setup::FillKeys(const Settings& source) {
    for (int i = 0; i < kCommandCount; ++i)
        keyBoxes_[i]->setCurrentIndex(KeyIndexFromCode(source.*Commands()[i].field));
}

void Form_setup::Button_undoClick() {
    Build();
    FillKeys(settings_);
}

void Form_setup::Button_defaultClick() {
    Build();
    Settings defaults;
    for (const CommandInfo& command : Commands()) defaults.*command.field = command.defaultCode;
    FillKeys(defaults);
}

// A typed key name counts in any case ("f5" is "F5"); a box whose text names no key has no
// position (-1), and is stored as code 0.
QList<int> Form_setup::KeyPositions() const {
    QList<int> positions;
    for (const QComboBox* box : keyBoxes_)
        positions.append(box->findText(box->currentText(), Qt::MatchFixedString));
    return positions;
}

void Form_setup::SetColour(const ColourBars& bars, std::int32_t colour) {
    const std::array<int, 3> channels = ChannelsOfColour(colour);
    for (int i = 0; i < 3; ++i) bars.bars[i]->setValue(channels[i]);
}

std::int32_t Form_setup::ColourOf(const ColourBars& bars) {
    return ColourFromChannels(bars.bars[0]->value(), bars.bars[1]->value(), bars.bars[2]->value());
}

// The sample panel in the background colour, its caption in the file-information colour.
void Form_setup::ShowColours() {
    if (Panel_bg == nullptr || Label_fi == nullptr || fileInfoBars_.bars[2] == nullptr) return;
    const auto colourOf = [](const ColourBars& bars) {
        return QColor(bars.bars[0]->value(), bars.bars[1]->value(), bars.bars[2]->value());
    };
    Panel_bg->setStyleSheet(
        QStringLiteral("#Panel_bg { background-color: %1; }").arg(colourOf(backgroundBars_).name()));
    Label_fi->setStyleSheet(QStringLiteral("color: %1;").arg(colourOf(fileInfoBars_).name()));
}

void Form_setup::EnablePluginControls() {
    const bool on = CheckBox_isusespi->isChecked();
    for (QCheckBox* box : searchChecks_) box->setEnabled(on);
    Edit_spi_sel->setEnabled(on);
    Button_spi_sel->setEnabled(on);
}

void Form_setup::Button_spi_selClick() {
    Build();
    const std::optional<QString> folder = dialogs_.ChooseFolder(this, "フォルダの選択", Edit_spi_sel->text());
    if (!folder) return;
    if (folder->isEmpty())
        dialogs_.ShowError(this, "失敗しました");
    else
        Edit_spi_sel->setText(*folder);
}

void Form_setup::SelectExtensions(Selection how) {
    for (int i = 0; i < ListBox_lielist->count(); ++i) {
        QListWidgetItem* item = ListBox_lielist->item(i);
        item->setSelected(how == Selection::All || (how == Selection::Invert && !item->isSelected()));
    }
}

}  // namespace pictavo
