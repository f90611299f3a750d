#pragma once
// A launcher host that answers from fields and records what the launcher asked of it, plus
// the six windows of the program built the way the entry sequence builds them.
#include <QStringList>
#include <memory>
#include <optional>

#include "app/Form_about.h"
#include "app/Form_main.h"
#include "app/LauncherHost.h"
#include "app/PluginGateway.h"
#include "config/Form_setup.h"
#include "display/Form_disp.h"
#include "sources/Form_fileselect.h"
#include "sources/Form_loading.h"

namespace pictavo {

class RecordingHost final : public LauncherHost {
public:
    Settings LoadSettings() override { return settings; }
    void SaveSettings(const Settings& written) override { saved = written; }
    void ShowMessage(QWidget*, const QString& text, const QString& caption) override {
        messages.append(caption + ": " + text);
    }
    void Beep() override { ++beeps; }
    QString ChooseFolder(QWidget*, const QString& initialFolder) override {
        pickerStartedAt = initialFolder;
        return folderToChoose;
    }
    QString ChooseArchive(QWidget*, const QString&) override { return {}; }
    bool OpenDocument(const QString& path) override { return opened.append(path), openSucceeds; }
    QString ProgramFolder() override { return programFolder; }
    void RequestQuit() override { ++quitRequests; }

    Settings settings;  // what the settings file holds
    std::optional<Settings> saved;
    QStringList messages;
    int beeps = 0;
    QString folderToChoose;
    QString pickerStartedAt;
    QStringList opened;
    bool openSucceeds = true;
    int quitRequests = 0;
    QString programFolder;
};

// The launcher and the windows after it, destroyed in the reverse order of creation.
struct TestProgram {
    // `programFolder` is where the archiver modules are looked for.
    explicit TestProgram(const QStringList& arguments = {}, const Settings& settings = Settings(),
                         const QString& programFolder = "/opt/pictavo") {
        host.settings = settings;
        host.programFolder = programFolder;
        launcher = std::make_unique<Form_main>(host, plugins, arguments);
        loading = std::make_unique<Form_loading>(launcher->State());
        display = std::make_unique<Form_disp>(launcher->State());
        fileselect = std::make_unique<Form_fileselect>(launcher->State());
        setup =
            std::make_unique<Form_setup>(launcher->State().settings, launcher->State().SupportedExtensions);
        about = std::make_unique<Form_about>();
        launcher->Attach({loading.get(), display.get(), fileselect.get(), setup.get(), about.get()});
    }
    ~TestProgram() { Exit(); }
    // Ends the program the way the entry sequence does: the launcher goes last.
    void Exit() {
        if (launcher) launcher->Detach();
        about.reset();
        setup.reset();
        fileselect.reset();
        display.reset();
        loading.reset();
        launcher.reset();
    }
    AppState& State() { return launcher->State(); }
    // The display's hide sequence ends by announcing Hidden(); the launcher's answer to it
    // may run more than once without harm.
    void EndSlideshow() {
        display->hide();
        emit display->Hidden();
    }

    RecordingHost host;
    NoPlugins plugins;
    std::unique_ptr<Form_main> launcher;
    std::unique_ptr<Form_loading> loading;
    std::unique_ptr<Form_disp> display;
    std::unique_ptr<Form_fileselect> fileselect;
    std::unique_ptr<Form_setup> setup;
    std::unique_ptr<Form_about> about;
};

}  // namespace pictavo
