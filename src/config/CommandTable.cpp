#include <strings.h>
#include <cstring>

#include "config/KeyNames.h"

namespace pictavo {
namespace {

using S = Settings;
using C = Command;

// Rows in the order of the INI section; the dispatch order is Command's own order.
constexpr std::array<CommandInfo, kCommandCount> kCommands{{
    {"NextKey", "次の画像 ", "ComboBox_nextkey", 39, &S::NextKey, C::Next},
    {"NextJumpKey", "次の画像(ジャンプ)", "ComboBox_nextjumpkey", 40, &S::NextJumpKey, C::NextJump},
    {"PrevKey", "前の画像", "ComboBox_prevkey", 37, &S::PrevKey, C::Prev},
    {"PrevJumpKey", "前の画像(ジャンプ)", "ComboBox_prevjumpkey", 38, &S::PrevJumpKey, C::PrevJump},
    {"Plus1PageKey", "一枚だけ進める", "ComboBox_plus1pagekey", 73, &S::Plus1PageKey, C::Plus1Page},
    {"Minus1PageKey", "一枚だけ戻る", "ComboBox_minus1pagekey", 68, &S::Minus1PageKey, C::Minus1Page},
    {"RandomJumpKey", "ランダムジャンプ", "ComboBox_randomjumpkey", 82, &S::RandomJumpKey, C::RandomJump},
    {"ExchangeLRKey", "左右画像入れ替え", "ComboBox_exchangelrkey", 88, &S::ExchangeLRKey, C::ExchangeLR},
    {"ChangePicShowTypeKey", "一枚／見開き切り替え", "ComboBox_changepicshowtypekey", 18,
     &S::ChangePicShowTypeKey, C::ChangePicShowType},
    {"FileInfoKey", "ファイル情報表示の変更", "ComboBox_fileinfokey", 9, &S::FileInfoKey, C::FileInfo},
    {"RepaintKey", "再描画", "ComboBox_repaintkey", 32, &S::RepaintKey, C::Repaint},
    {"ExitKey", "スライドショー終了", "ComboBox_exitkey", 8, &S::ExitKey, C::Exit},
    {"AutoSlideKey", "自動スライドの開始・停止", "ComboBox_autoslidekey", 83, &S::AutoSlideKey, C::AutoSlide},
    {"FileListKey", "ファイルリストの表示", "ComboBox_filelistkey", 36, &S::FileListKey, C::FileList},
    {"EnvInfoKey", "設定情報の表示", "ComboBox_envinfokey", 35, &S::EnvInfoKey, C::EnvInfo},
    {"AnimationKey", "アニメーションの開始・停止", "ComboBox_animationkey", 65, &S::AnimationKey,
     C::Animation},
    {"AddListKey", "表示中画像をリストに登録", "ComboBox_addlistkey", 76, &S::AddListKey, C::AddList},
    {"ShowNowTimeKey", "現在時刻の表示・非表示", "ComboBox_shownowtimekey", 84, &S::ShowNowTimeKey,
     C::ShowNowTime},
    {"ImgProc_FormatKey", "画像元に戻す", "ComboBox_imgproc_formatkey", 112, &S::ImgProc_FormatKey,
     C::ImgProcFormat},
    {"ImgProc_MonoKey", "画像モノクロ化", "ComboBox_imgproc_monokey", 113, &S::ImgProc_MonoKey,
     C::ImgProcMono},
    {"ImgProc_NegaKey", "画像ネガ反転", "ComboBox_imgproc_negakey", 114, &S::ImgProc_NegaKey, C::ImgProcNega},
    {"ImgProc_BrightKey", "画像明るく", "ComboBox_imgproc_brightkey", 115, &S::ImgProc_BrightKey,
     C::ImgProcBright},
    {"ImgProc_DarkKey", "画像暗く", "ComboBox_imgproc_darkkey", 116, &S::ImgProc_DarkKey, C::ImgProcDark},
    {"ImgProc_BlurKey", "画像ぼかし", "ComboBox_imgproc_blurkey", 117, &S::ImgProc_BlurKey, C::ImgProcBlur},
    {"ImgProc_LRotateKey", "画像左回転", "ComboBox_imgproc_lrotatekey", 118, &S::ImgProc_LRotateKey,
     C::ImgProcLRotate},
    {"ImgProc_RRotateKey", "画像右回転", "ComboBox_imgproc_rrotatekey", 119, &S::ImgProc_RRotateKey,
     C::ImgProcRRotate},
    {"ImgProc_TBRotateKey", "画像上下反転", "ComboBox_imgproc_tbrotatekey", 120, &S::ImgProc_TBRotateKey,
     C::ImgProcTBRotate},
    {"ImgProc_LRRotateKey", "画像左右反転", "ComboBox_imgproc_lrrotatekey", 121, &S::ImgProc_LRRotateKey,
     C::ImgProcLRRotate},
}};

// Index into kCommands by Command, built from the table so the two orders cannot drift.
constexpr std::array<std::size_t, kCommandCount> MakeRowOfCommand() {
    std::array<std::size_t, kCommandCount> rows{};
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        rows[static_cast<std::size_t>(kCommands[i].command)] = i;
    return rows;
}
constexpr std::array<std::size_t, kCommandCount> kRowOfCommand = MakeRowOfCommand();

constexpr std::array<Command, kCommandCount> MakeDispatchOrder() {
    std::array<Command, kCommandCount> order{};
    for (int i = 0; i < kCommandCount; ++i) order[static_cast<std::size_t>(i)] = static_cast<Command>(i);
    return order;
}
constexpr std::array<Command, kCommandCount> kDispatchOrder = MakeDispatchOrder();

}  // namespace

const std::array<CommandInfo, kCommandCount>& Commands() {
    return kCommands;
}

const std::array<Command, kCommandCount>& DispatchOrder() {
    return kDispatchOrder;
}

const CommandInfo& InfoOf(Command command) {
    return kCommands[kRowOfCommand[static_cast<std::size_t>(command)]];
}

KeyCode DefaultKeyCode(const char* iniKey) {
    if (iniKey == nullptr) return 0;
    for (const CommandInfo& info : kCommands) {
        if (strcasecmp(info.iniKey, iniKey) == 0) return info.defaultCode;
    }
    return 0;
}

KeyCode DefaultKeyCode(Command command) {
    return InfoOf(command).defaultCode;
}

KeyCode BoundCode(const Settings& settings, Command command) {
    return settings.*(InfoOf(command).field);
}

std::optional<Command> CommandForCode(const Settings& settings, KeyCode code) {
    if (code == kEscapeKey) return Command::Exit;
    for (Command command : kDispatchOrder) {
        if (BoundCode(settings, command) == code) return command;
    }
    return std::nullopt;
}

}  // namespace pictavo
