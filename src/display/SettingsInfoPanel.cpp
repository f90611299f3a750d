#include "display/SettingsInfoPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "config/KeyNames.h"
#include "config/SetupConversions.h"
#include "display/OverlayRules.h"

namespace pictavo {

namespace {

constexpr int kPanelWidth = 361;
constexpr int kPanelHeight = 457;

struct KeyRow {
    const char* caption;
    const char* name;  // object name after "Label_info_"
    KeyCode Settings::*key;
};

using S = Settings;
// Navigation and display commands on the left, image processing on the right.
const std::array<KeyRow, 18> kLeftRows{{
    {"次の画像", "nextkey", &S::NextKey},
    {"次ｼﾞｬﾝﾌﾟ", "nextjumpkey", &S::NextJumpKey},
    {"前の画像", "prevkey", &S::PrevKey},
    {"前ｼﾞｬﾝﾌﾟ", "prevjumpkey", &S::PrevJumpKey},
    {"一枚次", "plus1pagekey", &S::Plus1PageKey},
    {"一枚前", "minus1pagekey", &S::Minus1PageKey},
    {"ﾗﾝﾀﾞﾑ", "randomjumpkey", &S::RandomJumpKey},
    {"左右入替", "exchangelrkey", &S::ExchangeLRKey},
    {"見開き", "changepicshowtypekey", &S::ChangePicShowTypeKey},
    {"終了", "exitkey", &S::ExitKey},
    {"ﾌｧｲﾙ情報", "fileinfokey", &S::FileInfoKey},
    {"再描画", "repaintkey", &S::RepaintKey},
    {"自動ｽﾗｲﾄﾞ", "autoslidekey", &S::AutoSlideKey},
    {"ﾌｧｲﾙﾘｽﾄ", "filelistkey", &S::FileListKey},
    {"設定情報", "envinfokey", &S::EnvInfoKey},
    {"ｱﾆﾒｰｼｮﾝ", "animationkey", &S::AnimationKey},
    {"ﾘｽﾄ登録", "addlistkey", &S::AddListKey},
    {"現在時刻", "shownowtimekey", &S::ShowNowTimeKey},
}};
const std::array<KeyRow, 10> kRightRows{{
    {"元に戻す", "imgproc_formatkey", &S::ImgProc_FormatKey},
    {"ﾓﾉｸﾛ", "imgproc_monokey", &S::ImgProc_MonoKey},
    {"ﾈｶﾞ", "imgproc_negakey", &S::ImgProc_NegaKey},
    {"明るく", "imgproc_brightkey", &S::ImgProc_BrightKey},
    {"暗く", "imgproc_darkkey", &S::ImgProc_DarkKey},
    {"ぼかし", "imgproc_blurkey", &S::ImgProc_BlurKey},
    {"左回転", "imgproc_lrotatekey", &S::ImgProc_LRotateKey},
    {"右回転", "imgproc_rrotatekey", &S::ImgProc_RRotateKey},
    {"上下反転", "imgproc_tbrotatekey", &S::ImgProc_TBRotateKey},
    {"左右反転", "imgproc_lrrotatekey", &S::ImgProc_LRRotateKey},
}};

QLabel* Caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QLabel* ValueLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label_info_") + name);
    return label;
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

SettingsInfoPanel::SettingsInfoPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel_info"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    // A panel of the desktop's own colours, not of the slideshow's background colour, which
    // the window sets for itself and its children.
    QPalette pal = palette();
    const QPalette desktop = QApplication::palette();
    pal.setColor(QPalette::Window, desktop.color(QPalette::Window));
    pal.setColor(QPalette::WindowText, desktop.color(QPalette::WindowText));
    setPalette(pal);
    setFixedSize(kPanelWidth, kPanelHeight);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(6);
    grid->addWidget(Caption("読み込んだ画像数", this), 0, 0);
    grid->addWidget(count_ = ValueLabel(QStringLiteral("numofloadfile"), this), 0, 1);
    grid->addWidget(Caption("現在の画像番号", this), 1, 0);
    grid->addWidget(position_ = ValueLabel(QStringLiteral("nowimageindex"), this), 1, 1);
    BuildKeyRows(grid);
    BuildEditableBlock(grid, 2 + static_cast<int>(kLeftRows.size()));
    connect(qApp, &QApplication::focusChanged, this, &SettingsInfoPanel::FocusChanged);
    hide();
}

void SettingsInfoPanel::BuildKeyRows(QGridLayout* grid) {
    auto add = [&](const KeyRow& row, int line, int column) {
        grid->addWidget(Caption(row.caption, this), line, column);
        keyLabels_.append(ValueLabel(QString::fromLatin1(row.name), this));
        grid->addWidget(keyLabels_.back(), line, column + 1);
    };
    for (std::size_t i = 0; i < kLeftRows.size(); ++i) add(kLeftRows[i], 2 + static_cast<int>(i), 0);
    for (std::size_t i = 0; i < kRightRows.size(); ++i) add(kRightRows[i], 2 + static_cast<int>(i), 2);
}

void SettingsInfoPanel::BuildEditableBlock(QGridLayout* grid, int row) {
    grid->addWidget(Caption("自動ｽﾗｲﾄﾞ間隔", this), row, 0);
    grid->addWidget(interval_ = Named(new QLineEdit(this), "Edit_slideinterval"), row, 1, 1, 2);
    grid->addWidget(Caption("ﾐﾘ秒", this), row++, 3);
    grid->addWidget(Caption("ｼﾞｬﾝﾌﾟ量", this), row, 0);
    grid->addWidget(jump_ = Named(new QLineEdit(this), "Edit_jumpnum"), row, 1, 1, 2);
    grid->addWidget(Caption("枚", this), row++, 3);
    autoRandom_ =
        Named(new QCheckBox(QString::fromUtf8("自動ｽﾗｲﾄﾞ順序ﾗﾝﾀﾞﾑ"), this), "CheckBox_isautorandom");
    grid->addWidget(autoRandom_, row++, 0, 1, 4);
    showKeyResult_ =
        Named(new QCheckBox(QString::fromUtf8("ｷｰ入力結果表示"), this), "CheckBox_isshowkeyresult");
    grid->addWidget(showKeyResult_, row++, 0, 1, 4);
    grid->addWidget(Caption("拡縮処理法", this), row, 0);
    stretch_ = Named(new QComboBox(this), "ComboBox_stretchalgorithm");
    for (const char* item : {"WinAPI", "ﾊﾞｲﾘﾆｱ", "積分法", "ﾊﾞｲﾘﾆｱ+積分法"})
        stretch_->addItem(QString::fromUtf8(item));
    grid->addWidget(stretch_, row++, 1, 1, 3);
    autoPassword_ = Named(new QCheckBox(QString::fromUtf8("ﾊﾟｽﾜｰﾄﾞ自動入力を使う"), this),
                          "CheckBox_isautoinputpassword");
    grid->addWidget(autoPassword_, row++, 0, 1, 4);
    grid->addWidget(Caption("入力ﾊﾟｽﾜｰﾄﾞ", this), row, 0);
    grid->addWidget(password_ = Named(new QLineEdit(this), "Edit_password"), row, 1, 1, 2);
    close_ = Named(new QPushButton(QString::fromUtf8("閉"), this), "Button_envinfoclose");
    grid->addWidget(close_, row, 3);
    connect(close_, &QPushButton::clicked, this, &SettingsInfoPanel::CloseRequested);
    interval_->installEventFilter(this);
    jump_->installEventFilter(this);
}

void SettingsInfoPanel::Fill(const AppState& state) {
    count_->setText(QString::number(state.ImageCount));
    position_->setText(QString::number(state.CurrentIndex + 1));
    int i = 0;
    for (const KeyRow& row : kLeftRows) keyLabels_[i++]->setText(KeyName(state.settings.*row.key));
    for (const KeyRow& row : kRightRows) keyLabels_[i++]->setText(KeyName(state.settings.*row.key));
    SetFields(FillSettingsPanel(state.settings));
}

SettingsPanelFields SettingsInfoPanel::Fields() const {
    return {interval_->text(),        jump_->text(),
            autoRandom_->isChecked(), showKeyResult_->isChecked(),
            stretch_->currentIndex(), autoPassword_->isChecked(),
            password_->text()};
}

void SettingsInfoPanel::SetFields(const SettingsPanelFields& f) {
    interval_->setText(f.slideInterval);
    jump_->setText(f.jumpNumber);
    autoRandom_->setChecked(f.isAutoRandom);
    showKeyResult_->setChecked(f.isShowKeyResult);
    stretch_->setCurrentIndex(f.stretchAlgorithm);
    autoPassword_->setChecked(f.isAutoInputPassword);
    password_->setText(f.password);
}

void SettingsInfoPanel::Open() {
    if (const QWidget* window = parentWidget()) {
        const OverlayRect r = CentredRect(width(), height(), window->width(), window->height());
        move(r.left, r.top);
    }
    show();
    raise();
    interval_->setFocus(Qt::OtherFocusReason);
}

bool SettingsInfoPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress) return FilterKey(edit, static_cast<QKeyEvent*>(event));
    if (edit && event->type() == QEvent::FocusOut && edit->text().isEmpty())
        edit->setText(QStringLiteral("0"));
    return QFrame::eventFilter(watched, event);
}

// Pasted text is not filtered here; what it leaves is checked when the panel closes.
bool SettingsInfoPanel::FilterKey(QLineEdit* edit, QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1) return false;
    const TypedCharacter verdict =
        JudgeTypedCharacter(text[0], static_cast<int>(edit->text().size()), edit->hasSelectedText(),
                            edit == interval_ ? kIntervalDigits : kJumpDigits);
    if (verdict == TypedCharacter::Take) return false;
    if (verdict == TypedCharacter::DropWithBeep) emit TypingRefused();
    return true;
}

// The list of the stretch combo box is a window of its own: focusing it stays in the panel.
void SettingsInfoPanel::FocusChanged(QWidget* old, QWidget* now) {
    Q_UNUSED(old);
    if (!isVisible() || !now || now == this || isAncestorOf(now) || now->window() != window()) return;
    emit CloseRequested();
}

}  // namespace pictavo
