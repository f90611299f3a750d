#include "display/DisplayCommand.h"

namespace pictavo {

const std::array<DispatchRow, kDispatchRowCount>& DispatchTable() {
    using C = DisplayCommand;
    using S = Settings;
    static const std::array<DispatchRow, kDispatchRowCount> table{{
        {C::Exit, &S::ExitKey},
        {C::Next, &S::NextKey},
        {C::Prev, &S::PrevKey},
        {C::NextJump, &S::NextJumpKey},
        {C::PrevJump, &S::PrevJumpKey},
        {C::Plus1Page, &S::Plus1PageKey},
        {C::Minus1Page, &S::Minus1PageKey},
        {C::RandomJump, &S::RandomJumpKey},
        {C::ExchangeLR, &S::ExchangeLRKey},
        {C::ChangePicShowType, &S::ChangePicShowTypeKey},
        {C::FileInfo, &S::FileInfoKey},
        {C::Repaint, &S::RepaintKey},
        {C::AutoSlide, &S::AutoSlideKey},
        {C::FileList, &S::FileListKey},
        {C::EnvInfo, &S::EnvInfoKey},
        {C::Animation, &S::AnimationKey},
        {C::AddList, &S::AddListKey},
        {C::ShowNowTime, &S::ShowNowTimeKey},
        {C::ImgProcFormat, &S::ImgProc_FormatKey},
        {C::ImgProcMono, &S::ImgProc_MonoKey},
        {C::ImgProcNega, &S::ImgProc_NegaKey},
        {C::ImgProcBright, &S::ImgProc_BrightKey},
        {C::ImgProcDark, &S::ImgProc_DarkKey},
        {C::ImgProcBlur, &S::ImgProc_BlurKey},
        {C::ImgProcLRotate, &S::ImgProc_LRotateKey},
        {C::ImgProcRRotate, &S::ImgProc_RRotateKey},
        {C::ImgProcTBRotate, &S::ImgProc_TBRotateKey},
        {C::ImgProcLRRotate, &S::ImgProc_LRRotateKey},
    }};
    return table;
}

std::optional<DisplayCommand> MatchCommand(const Settings& settings, KeyCode code) {
    if (code == kEscapeCode) return DisplayCommand::Exit;
    for (const DispatchRow& row : DispatchTable())
        if (settings.*row.key == code) return row.command;
    return std::nullopt;
}

KeyCode BoundCode(const Settings& settings, DisplayCommand command) {
    for (const DispatchRow& row : DispatchTable())
        if (row.command == command) return settings.*row.key;
    return 0;
}

int ImageProcessIndex(DisplayCommand command) {
    const int offset = static_cast<int>(command) - static_cast<int>(DisplayCommand::ImgProcFormat);
    return offset >= 0 && offset < 10 ? offset : -1;
}

}  // namespace pictavo
