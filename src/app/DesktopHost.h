#pragma once
// The launcher's host on a real desktop: the settings file beside the program (or in the XDG
// folders), Qt message boxes and dialogs, the desktop's "open" for documents.
#include "app/LauncherHost.h"

namespace pictavo {

class DesktopHost final : public LauncherHost {
public:
    Settings LoadSettings() override;
    void SaveSettings(const Settings& settings) override;
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption) override;
    void Beep() override;
    QString ChooseFolder(QWidget* owner, const QString& initialFolder) override;
    QString ChooseArchive(QWidget* owner, const QString& filter) override;
    bool OpenDocument(const QString& path) override;
    QString ProgramFolder() override;
    void RequestQuit() override;
};

}  // namespace pictavo
