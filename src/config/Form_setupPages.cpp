// The five tabs of the settings dialog and their controls.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <type_traits>

#include "config/Form_setup.h"
#include "config/KeyNames.h"
#include "config/NumericEdit.h"

namespace pictavo {
namespace {

// A row of widgets (or captions, given as text) from left to right, ending in a stretch.
template <typename... Parts>
QHBoxLayout* Row(Parts... parts) {
    auto* row = new QHBoxLayout;
    const auto add = [row](auto part) {
        if constexpr (std::is_convertible_v<decltype(part), const char*>)
            row->addWidget(new QLabel(QString::fromUtf8(part)));
        else
            row->addWidget(part);
    };
    (add(parts), ...);
    row->addStretch();
    return row;
}

QLabel* RedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: red;"));
    return label;
}

QListWidget* MultiSelectList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    // A click turns one item on or off: these lists are sets of switches.
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    return list;
}

}  // namespace

QCheckBox* Form_setup::AddCheck(const char* name, const QString& caption, bool Settings::*field) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    checks_.emplace_back(box, field);
    return box;
}

QScrollBar* Form_setup::AddBar(const char* name, int maximum, QLabel*& valueLabel, const char* labelName) {
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(name);
    bar->setRange(0, maximum);
    bar->setMinimumWidth(130);
    valueLabel = new QLabel(QStringLiteral("0"), this);
    valueLabel->setObjectName(labelName);
    valueLabel->setMinimumWidth(22);
    connect(bar, &QScrollBar::valueChanged, valueLabel, qOverload<int>(&QLabel::setNum));
    return bar;
}

Form_setup::ColourBars Form_setup::AddColourBars(const char* suffix) {
    ColourBars bars;
    const char* channels[] = {"r", "g", "b"};
    for (int i = 0; i < 3; ++i) {
        const QByteArray bar = QByteArray("ScrollBar_") + suffix + "_" + channels[i];
        const QByteArray label = QByteArray("Label_") + suffix + "_" + channels[i];
        bars.bars[i] = AddBar(bar.constData(), 255, bars.labels[i], label.constData());
        connect(bars.bars[i], &QScrollBar::valueChanged, this, &Form_setup::ShowColours);
    }
    return bars;
}

QWidget* Form_setup::CreateGeneralPage() {
    auto* page = new QWidget;
    Edit_lc_fs_max = new NumericEdit("Edit_lc_fs_max", 7, dialogs_, this);
    Edit_lc_fs_min = new NumericEdit("Edit_lc_fs_min", 7, dialogs_, this);
    Edit_slideinterval = new NumericEdit("Edit_slideinterval", 9, dialogs_, this);
    Edit_jumpnum = new NumericEdit("Edit_jumpnum", 4, dialogs_, this);
    for (NumericEdit* edit : {Edit_lc_fs_max, Edit_lc_fs_min, Edit_jumpnum}) edit->setFixedWidth(64);
    Edit_slideinterval->setFixedWidth(76);
    ComboBox_imgresizetype = new QComboBox(this);
    ComboBox_imgresizetype->setObjectName("ComboBox_imgresizetype");
    ComboBox_imgresizetype->addItems({"元の大きさ", "大きいものは縮小", "小さいものは拡大", "常に全画面"});
    Edit_password = new QLineEdit(this);
    Edit_password->setObjectName("Edit_password");
    Edit_password->setFixedWidth(120);

    auto* left = new QVBoxLayout;
    left->addWidget(AddCheck("CheckBox_subdir", "サブディレクトリも取得", &Settings::IsGetSubDirectory));
    left->addWidget(AddCheck("CheckBox_usesizefilter", "ファイルサイズによるフィルタを使う",
                             &Settings::IsUseFileSizeFilter));
    left->addLayout(Row("    最高ファイルサイズ", Edit_lc_fs_max, "kByte"));
    left->addLayout(Row("    最低ファイルサイズ", Edit_lc_fs_min, "kByte"));
    left->addSpacing(6);
    left->addWidget(AddCheck("CheckBox_isautoslide", "自動でスライドさせる", &Settings::IsAutoSlide));
    left->addLayout(Row("    間隔 :", Edit_slideinterval, "ミリ秒"));
    left->addWidget(AddCheck("CheckBox_isautorandom", "順序をランダムにする", &Settings::IsAutoRandom));
    left->addSpacing(6);
    left->addWidget(
        AddCheck("CheckBox_ishidetaskbar", "スライドショー時にタスクバーを隠す", &Settings::IsHideTaskBar));
    left->addWidget(
        AddCheck("CheckBox_isshowkeyresult", "キー入力の結果を表示する", &Settings::IsShowKeyResult));
    left->addWidget(AddCheck("CheckBox_ispicanimation", "アニメｰションを行う", &Settings::IsPicAnimation));
    left->addWidget(AddCheck("CheckBox_isshownowtime", "現在時刻を表示する", &Settings::IsShowNowTime));
    left->addWidget(AddCheck("CheckBox_isfullscreen", "フルスクリーンモードで実行", &Settings::IsFullScreen));
    left->addSpacing(6);
    left->addLayout(Row("画像の表示サイズ", ComboBox_imgresizetype));
    left->addWidget(
        AddCheck("CheckBox_isautoinputpassword", "パスワード自動入力を使う", &Settings::IsAutoInputPassword));
    left->addLayout(Row("    入力パスワード", Edit_password));
    left->addWidget(new QLabel("ジャンプキーのジャンプ量(飛び越える枚数)", this));
    left->addLayout(Row("    ", Edit_jumpnum));
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(CreateColourBox());
    right->addWidget(
        AddCheck("CheckBox_es2ps_is2pagespread", "画像を見開き表示する", &Settings::ES2PS_Is2PageSpread));
    auto* direction = new QGroupBox("ページの進行方向", this);
    RadioButton_es2ps_ltor = new QRadioButton("左から右", direction);
    RadioButton_es2ps_ltor->setObjectName("RadioButton_es2ps_ltor");
    RadioButton_es2ps_rtol = new QRadioButton("右から左", direction);
    RadioButton_es2ps_rtol->setObjectName("RadioButton_es2ps_rtol");
    direction->setLayout(Row(RadioButton_es2ps_ltor, RadioButton_es2ps_rtol));
    right->addWidget(direction);
    right->addStretch();

    auto* grid = new QGridLayout(page);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(AddCheck("CheckBox_isendexe_arg",
                             "D&&Dでの実行の時、スライドが終了したらすぐにプログラムを終了させる",
                             &Settings::IsEndExe_Arg),
                    1, 0, 1, 2);
    return page;
}

QWidget* Form_setup::CreateColourBox() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    backgroundBars_ = AddColourBars("bg");
    fileInfoBars_ = AddColourBars("fi");
    const char* channelNames[] = {"R", "G", "B"};
    for (const auto& [title, bars] : {std::pair{"スライドショーの背景色", &backgroundBars_},
                                      std::pair{"ファイル情報の文字色", &fileInfoBars_}}) {
        auto* group = new QGroupBox(title, box);
        auto* rows = new QVBoxLayout(group);
        rows->setSpacing(2);
        for (int i = 0; i < 3; ++i) rows->addLayout(Row(channelNames[i], bars->bars[i], bars->labels[i]));
        layout->addWidget(group);
    }
    Panel_bg = new QWidget(box);
    Panel_bg->setObjectName("Panel_bg");
    Panel_bg->setAttribute(Qt::WA_StyledBackground);
    Panel_bg->setFixedHeight(36);
    Label_fi = new QLabel("色見本", Panel_bg);
    Label_fi->setObjectName("Label_fi");
    auto* sample = new QHBoxLayout(Panel_bg);
    sample->addWidget(Label_fi, 0, Qt::AlignCenter);
    layout->addWidget(Panel_bg);
    ShowColours();
    return box;
}

QWidget* Form_setup::CreateKeyPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    const int perColumn = (kCommandCount + 1) / 2;
    // The lists go in whole: item by item, the dialog took tens of milliseconds of start-up.
    QStringList keyNames[2];
    for (int position = 0; position < kKeyNameCount; ++position)
        for (const bool first : {false, true}) keyNames[first].append(KeyNameAt(position, first));
    for (int i = 0; i < kCommandCount; ++i) {
        const CommandInfo& command = Commands()[i];
        auto* box = new QComboBox(this);
        box->setObjectName(command.comboBox);
        box->addItems(keyNames[i == 0]);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMaxVisibleItems(20);
        box->setFixedWidth(110);
        keyBoxes_[i] = box;
        const int row = i % perColumn;
        const int column = (i / perColumn) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(command.label), this), row, column);
        grid->addWidget(box, row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 120);
    QPushButton* undo = AddButton("Button_undo", "キー設定のみを元に戻す");
    QPushButton* defaults = AddButton("Button_default", "キー設定のみをデフォルトに戻す");
    connect(undo, &QPushButton::clicked, this, &Form_setup::Button_undoClick);
    connect(defaults, &QPushButton::clicked, this, &Form_setup::Button_defaultClick);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(Row(undo, defaults));
    return page;
}

QWidget* Form_setup::CreateProcessingPage() {
    auto* page = new QWidget;
    auto* strength = new QGroupBox("各画像処理の強度", page);
    ScrollBar_brightpower = AddBar("ScrollBar_brightpower", 255, Label_brightpower, "Label_brightpower");
    ScrollBar_blurpower = AddBar("ScrollBar_blurpower", 10, Label_blurpower, "Label_blurpower");
    for (QScrollBar* bar : {ScrollBar_brightpower, ScrollBar_blurpower}) bar->setMinimumWidth(260);
    auto* strengthRows = new QGridLayout(strength);
    strengthRows->addWidget(new QLabel("明度変化の強さ", strength), 0, 0);
    strengthRows->addLayout(Row(ScrollBar_brightpower, Label_brightpower), 0, 1);
    strengthRows->addWidget(new QLabel("ぼかしの強さ", strength), 1, 0);
    strengthRows->addLayout(Row(ScrollBar_blurpower, Label_blurpower), 1, 1);

    auto* stretch = new QGroupBox("拡大・縮小処理", page);
    auto* stretchRows = new QVBoxLayout(stretch);
    const char* names[] = {"RadioButton_stretch_api", "RadioButton_stretch_bilinear",
                           "RadioButton_stretch_integral", "RadioButton_stretch_bi_in"};
    const char* captions[] = {"WinAPI による処理", "バイリニア法", "積分法", "バイリニア法+積分法"};
    for (int i = 0; i < 4; ++i) {
        stretchButtons_[i] = new QRadioButton(captions[i], stretch);
        stretchButtons_[i]->setObjectName(names[i]);
        if (i == 1)
            stretchRows->addLayout(Row(stretchButtons_[i], RedLabel("推奨", stretch)));
        else
            stretchRows->addWidget(stretchButtons_[i]);
    }

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(strength);
    layout->addWidget(stretch);
    layout->addStretch();
    return page;
}

QWidget* Form_setup::CreateFormatPage() {
    auto* page = new QWidget;
    CheckBox_isusespi = AddCheck("CheckBox_isusespi", "Susie Plug-in を使う", &Settings::IsUseSPI);
    connect(CheckBox_isusespi, &QCheckBox::clicked, this, &Form_setup::EnablePluginControls);

    auto* search = new QGroupBox("Susie Plug-in を探すディレクトリ", page);
    auto* searchRows = new QVBoxLayout(search);
    searchRows->setSpacing(3);
    searchChecks_ = {AddCheck("CheckBox_spi_susie", "Susieのあるディレクトリ", &Settings::SearchSusieDir),
                     AddCheck("CheckBox_spi_win", "Windowsディレクトリ", &Settings::SearchWindowsDir),
                     AddCheck("CheckBox_spi_sys", "システムディレクトリ", &Settings::SearchSystemDir),
                     AddCheck("CheckBox_spi_app", "Pictavoのあるディレクトリ", &Settings::SearchAppDir),
                     AddCheck("CheckBox_spi_sel", "指定ディレクトリ", &Settings::SearchSelDir)};
    for (QCheckBox* box : searchChecks_) searchRows->addWidget(box);
    Edit_spi_sel = new QLineEdit(search);
    Edit_spi_sel->setObjectName("Edit_spi_sel");
    Button_spi_sel = AddButton("Button_spi_sel", "参照");
    connect(Button_spi_sel, &QPushButton::clicked, this, &Form_setup::Button_spi_selClick);
    auto* folderRow = new QHBoxLayout;
    folderRow->addSpacing(20);
    folderRow->addWidget(Edit_spi_sel, 1);
    folderRow->addWidget(Button_spi_sel);
    searchRows->addLayout(folderRow);
    searchRows->addSpacing(10);
    searchRows->addWidget(
        RedLabel("「読み込む画像の拡張子」以外は\nPictavoを再起動した時に\n適用されます。", search));
    searchRows->addStretch();

    auto* extensions = new QGroupBox("読み込む画像の拡張子", page);
    ListBox_lielist = MultiSelectList("ListBox_lielist", extensions);
    auto* extensionRows = new QVBoxLayout(extensions);
    extensionRows->addWidget(ListBox_lielist, 1);
    const std::pair<const char*, const char*> buttons[] = {
        {"Button_spi_allchk", "全選択"}, {"Button_spi_alldechk", "全解除"}, {"Button_spi_allrev", "全反転"}};
    const Selection selections[] = {Selection::All, Selection::None, Selection::Invert};
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = AddButton(buttons[i].first, buttons[i].second);
        connect(button, &QPushButton::clicked, this, [this, how = selections[i]] { SelectExtensions(how); });
        extensionRows->addWidget(button);
    }

    auto* columns = new QHBoxLayout;
    columns->addWidget(search, 3);
    columns->addWidget(extensions, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CheckBox_isusespi);
    layout->addLayout(columns, 1);
    return page;
}

QWidget* Form_setup::CreateArchivePage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox("利用するDLL", page);
    ListBox_arctype = MultiSelectList("ListBox_arctype", group);
    ListBox_arctype->addItems({"UnZip32.dll", "Unlha32.dll", "7-Zip32.dll", "Cab32.dll", "UnGCA32.dll",
                               "Unarj32j.dll", "Unrar32.dll", "Bga32.dll", "Tar32.dll", "Yz1.dll"});
    ListBox_arctype->setFixedSize(160, 200);
    auto* rows = new QVBoxLayout(group);
    rows->addWidget(ListBox_arctype);
    rows->addWidget(new QLabel("*次回の起動から反映されます。", group));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(Row(group));
    layout->addStretch();
    return page;
}

}  // namespace pictavo
