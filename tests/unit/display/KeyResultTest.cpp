#include <gtest/gtest.h>

#include <functional>

#include "display/KeyResult.h"

namespace pictavo {
namespace {

void Nothing(Settings&, OverlayState&) {}

TEST(KeyResultText, ReportsWhatTheKeyDid) {
    struct Case {
        const char* name;
        KeyCode code;
        std::function<void(Settings&, OverlayState&)> setUp;
        const char* text;
    };
    const Case cases[] = {
        // Texts that depend on a setting or on what is open are read from the state they name,
        // both ways where the default state gives the other text; Plus1 says "前" as Minus1 does.
        {"JumpForward", 40, [](Settings& s, OverlayState&) { s.JumpNumber = 25; }, "25枚次の画像を表示"},
        {"Plus1", 73, Nothing, "1ファイル分のみ前の画像を表示"},
        {"RightToLeft", 88, [](Settings& s, OverlayState&) { s.ES2PS_IsPageLtoR = false; },
         "右から左の向きになるよう画像左右入れ替え"},
        {"LeftToRight", 88, Nothing, "左から右の向きになるよう画像左右入れ替え"},
        {"Spread", 18, [](Settings& s, OverlayState&) { s.ES2PS_Is2PageSpread = true; }, "見開き表示にする"},
        {"Single", 18, Nothing, "1枚表示にする"},
        {"AutoOn", 83, [](Settings&, OverlayState& o) { o.autoSlide = true; }, "自動スライド開始"},
        {"AutoOff", 83, Nothing, "自動スライド終了"},
        {"ListOpen", 36, [](Settings&, OverlayState& o) { o.fileList = true; }, "ファイルリストの表示"},
        {"PanelOpen", 35, [](Settings&, OverlayState& o) { o.settingsPanel = true; }, "設定情報の表示"},
        {"AnimationOn", 65, [](Settings& s, OverlayState&) { s.IsPicAnimation = true; },
         "アニメーションモード開始"},
        {"AnimationOff", 65, Nothing, "アニメーションモード終了"},
        {"ClockShown", 84, [](Settings&, OverlayState& o) { o.clock = true; }, "現在時刻を表示"},
        {"AddList", 76, Nothing, "/pics/a.jpgをリストに登録"},
        {"Unbound", 90, Nothing, ""},
        {"ExitHasNoLine", 8, Nothing, ""},
        // Repaint is reported before the file-information change when both share a key.
        {"RepaintBeforeFileInfo", 9, [](Settings& s, OverlayState&) { s.RepaintKey = 9; }, "再描画"},
    };
    for (const Case& c : cases) {
        Settings settings;
        OverlayState overlays;
        c.setUp(settings, overlays);
        EXPECT_EQ(KeyResultText(c.code, settings, overlays, QStringLiteral("/pics/a.jpg")).toStdString(),
                  c.text)
            << c.name;
    }
}

}  // namespace
}  // namespace pictavo
