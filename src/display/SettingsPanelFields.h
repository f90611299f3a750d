#pragma once
// The editable block of the settings-info panel as plain values: filled from the settings when
// the panel opens, stored back when it closes (and when the slideshow ends), with the typing
// rule of its two number fields. The panel window only moves these values in and out of its
// controls.
#include <QChar>
#include <QString>
#include <cstdint>

#include "config/Settings.h"

namespace pictavo {

struct SettingsPanelFields {
    QString slideInterval;  // Edit_slideinterval
    QString jumpNumber;     // Edit_jumpnum
    bool isAutoRandom = false;
    bool isShowKeyResult = false;
    int stretchAlgorithm = -1;  // item of ComboBox_stretchalgorithm, -1 for none
    bool isAutoInputPassword = false;
    QString password;  // Edit_password
};

// The fields as the settings hold them. A stretch algorithm outside 0..3 selects no item.
SettingsPanelFields FillSettingsPanel(const Settings& settings);

// Stores the fields into `settings`. An empty interval field becomes "100", an empty jump field
// "0"; an interval below 100 is stored as 100; no item in the list leaves StretchAlgorithm as
// it was. Text that is not a whole number (pasted text gets past the typing rule) or does not
// fit 32 bits keeps the setting it would replace, and the field shows that setting again.
void ApplySettingsPanel(SettingsPanelFields& fields, Settings& settings);

// Maximum length of the number fields before a typed digit is refused: 9 digits for the
// interval, 4 for the jump.
inline constexpr int kIntervalDigits = 9;
inline constexpr int kJumpDigits = 4;

}  // namespace pictavo
