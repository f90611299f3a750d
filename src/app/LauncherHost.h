#pragma once
// What the launcher needs from the desktop around it: the settings file, message boxes and the
// beep, the folder and file choosers, opening a document, and ending the program. The program
// uses DesktopHost; window tests put a recording stand-in in its place.
#include <QString>

#include "config/Settings.h"

class QWidget;

namespace pictavo {

class LauncherHost {
public:
    virtual ~LauncherHost() = default;

    // The settings from the settings file (defaults for anything missing). Never throws.
    virtual Settings LoadSettings() = 0;
    // Writes every setting into the settings file; a failure is reported to the user here.
    virtual void SaveSettings(const Settings& settings) = 0;

    // A modal message box owned by `owner` with an OK button and `caption` ("エラー", "注意").
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption) = 0;
    // The desktop's default beep for a refused action.
    virtual void Beep() = 0;

    // The folder chooser of the folder menu, opened at `initialFolder` (the desktop when that is
    // empty or missing). Returns the chosen folder, or an empty text when cancelled.
    virtual QString ChooseFolder(QWidget* owner, const QString& initialFolder) = 0;
    // The archive open dialog with `filter` in "text|patterns|text|patterns" form. Returns the
    // chosen file, or an empty text when cancelled.
    virtual QString ChooseArchive(QWidget* owner, const QString& filter) = 0;

    // Opens the document at `path` with the desktop's program for it; false when it cannot.
    virtual bool OpenDocument(const QString& path) = 0;
    // The program's folder, without a trailing separator.
    virtual QString ProgramFolder() = 0;

    // Ends the program once control is back in the event loop (the exit sequence still runs).
    virtual void RequestQuit() = 0;
};

}  // namespace pictavo
