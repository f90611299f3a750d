#include "display/KeyResult.h"

#include <array>

namespace pictavo {

namespace {

struct TextContext {
    const Settings& settings;
    const OverlayState& overlays;
    const QString& entry;
};

struct TextRow {
    KeyCode Settings::*key;
    QString (*text)(const TextContext&);
};

QString Fixed(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Choose(bool state, const char* whenSet, const char* whenClear) {
    return Fixed(state ? whenSet : whenClear);
}

// The order of this table differs from the dispatch order (the repaint row comes before the
// file-information row), so a code bound twice reports the way it always has.
using S = Settings;
using T = const TextContext&;
const std::array<TextRow, 27> kTextRows{{
    {&S::NextKey, [](T) { return Fixed("次の画像を表示"); }},
    {&S::PrevKey, [](T) { return Fixed("前の画像を表示"); }},
    {&S::NextJumpKey, [](T c) { return QString::number(c.settings.JumpNumber) + Fixed("枚次の画像を表示"); }},
    {&S::PrevJumpKey, [](T c) { return QString::number(c.settings.JumpNumber) + Fixed("枚前の画像を表示"); }},
    {&S::Plus1PageKey, [](T) { return Fixed("1ファイル分のみ前の画像を表示"); }},
    {&S::Minus1PageKey, [](T) { return Fixed("1ファイル分のみ前の画像を表示"); }},
    {&S::RandomJumpKey, [](T) { return Fixed("ランダムジャンプ"); }},
    {&S::ExchangeLRKey,
     [](T c) {
         return Choose(c.settings.ES2PS_IsPageLtoR, "左から右の向きになるよう画像左右入れ替え",
                       "右から左の向きになるよう画像左右入れ替え");
     }},
    {&S::ChangePicShowTypeKey,
     [](T c) { return Choose(c.settings.ES2PS_Is2PageSpread, "見開き表示にする", "1枚表示にする"); }},
    {&S::RepaintKey, [](T) { return Fixed("再描画"); }},
    {&S::FileInfoKey, [](T) { return Fixed("ファイル情報表示タイプの変更"); }},
    {&S::AutoSlideKey,
     [](T c) { return Choose(c.overlays.autoSlide, "自動スライド開始", "自動スライド終了"); }},
    {&S::FileListKey,
     [](T c) { return Choose(c.overlays.fileList, "ファイルリストの表示", "ファイルリストの非表示"); }},
    {&S::EnvInfoKey,
     [](T c) { return Choose(c.overlays.settingsPanel, "設定情報の表示", "設定情報の非表示"); }},
    {&S::AnimationKey,
     [](T c) {
         return Choose(c.settings.IsPicAnimation, "アニメーションモード開始", "アニメーションモード終了");
     }},
    {&S::AddListKey, [](T c) { return c.entry + Fixed("をリストに登録"); }},
    {&S::ShowNowTimeKey, [](T c) { return Choose(c.overlays.clock, "現在時刻を表示", "現在時刻を非表示"); }},
    {&S::ImgProc_FormatKey, [](T) { return Fixed("画像初期化"); }},
    {&S::ImgProc_MonoKey, [](T) { return Fixed("画像モノクロ化"); }},
    {&S::ImgProc_NegaKey, [](T) { return Fixed("画像ネガ反転"); }},
    {&S::ImgProc_BrightKey, [](T) { return Fixed("画像明るく"); }},
    {&S::ImgProc_DarkKey, [](T) { return Fixed("画像暗く"); }},
    {&S::ImgProc_BlurKey, [](T) { return Fixed("画像ぼかし"); }},
    {&S::ImgProc_LRotateKey, [](T) { return Fixed("画像左回転"); }},
    {&S::ImgProc_RRotateKey, [](T) { return Fixed("画像右回転"); }},
    {&S::ImgProc_TBRotateKey, [](T) { return Fixed("画像上下反転"); }},
    {&S::ImgProc_LRRotateKey, [](T) { return Fixed("画像左右反転"); }},
}};

}  // namespace

QString KeyResultText(KeyCode code, const Settings& settings, const OverlayState& overlays,
                      const QString& currentEntry) {
    if (code == 0) return {};  // no key has code 0, whatever is bound to it
    const TextContext context{settings, overlays, currentEntry};
    for (const TextRow& row : kTextRows)
        if (settings.*row.key == code) return row.text(context);
    return {};
}

}  // namespace pictavo
