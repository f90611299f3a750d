#include "display/SettingsPanelFields.h"

#include <optional>

namespace pictavo {

namespace {

constexpr std::int32_t kShortestInterval = 100;

// Only plain digits count: the fields take no sign, space or separator by typing either.
std::optional<std::int32_t> WholeNumber(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<std::int32_t>(value) : std::nullopt;
}

}  // namespace

SettingsPanelFields FillSettingsPanel(const Settings& settings) {
    SettingsPanelFields f;
    f.slideInterval = QString::number(settings.SlideInterval);
    f.jumpNumber = QString::number(settings.JumpNumber);
    f.isAutoRandom = settings.IsAutoRandom;
    f.isShowKeyResult = settings.IsShowKeyResult;
    const std::int32_t algorithm = settings.StretchAlgorithm;
    f.stretchAlgorithm = algorithm >= 0 && algorithm <= 3 ? algorithm : -1;
    f.isAutoInputPassword = settings.IsAutoInputPassword;
    f.password = settings.InputPassword;
    return f;
}

void ApplySettingsPanel(SettingsPanelFields& fields, Settings& settings) {
    if (fields.slideInterval.isEmpty()) fields.slideInterval = QStringLiteral("100");
    if (fields.jumpNumber.isEmpty()) fields.jumpNumber = QStringLiteral("0");
    if (const auto jump = WholeNumber(fields.jumpNumber))
        settings.JumpNumber = *jump;
    else
        fields.jumpNumber = QString::number(settings.JumpNumber);
    if (const auto interval = WholeNumber(fields.slideInterval))
        settings.SlideInterval = *interval < kShortestInterval ? kShortestInterval : *interval;
    else
        fields.slideInterval = QString::number(settings.SlideInterval);
    settings.IsAutoRandom = fields.isAutoRandom;
    settings.IsShowKeyResult = fields.isShowKeyResult;
    settings.IsAutoInputPassword = fields.isAutoInputPassword;
    if (fields.stretchAlgorithm >= 0 && fields.stretchAlgorithm <= 3)
        settings.StretchAlgorithm = fields.stretchAlgorithm;
    settings.InputPassword = fields.password;
}

}  // namespace pictavo
