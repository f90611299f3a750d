// The entry sequence: the launcher first (it loads the settings), then the other windows in
// their fixed order, the command line, and the event loop. All windows live until the end.
#include <QApplication>
#include <QFont>

#include "app/DesktopHost.h"
#include "app/Form_about.h"
#include "app/Form_main.h"
#include "app/SusiePlugins.h"
#include "app/ProgramIcon.h"
#include "config/Form_setup.h"
#include "display/Form_disp.h"
#include "sources/Form_fileselect.h"
#include "sources/Form_loading.h"

namespace {

// Every window uses the Japanese proportional Gothic at 12 pixels.
void SetProgramFont() {
    QFont::insertSubstitution("ＭＳ Ｐゴシック", "IPAPGothic");
    QFont font("ＭＳ Ｐゴシック");
    font.setPixelSize(12);
    QApplication::setFont(font);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName("Pictavo");
    QApplication::setWindowIcon(pictavo::ProgramIcon());
    SetProgramFont();

    pictavo::DesktopHost host;
    pictavo::SusiePlugins plugins;
    pictavo::Form_main launcher(host, plugins, QApplication::arguments().mid(1));
    pictavo::Form_loading loading(launcher.State());
    pictavo::Form_disp display(launcher.State());
    pictavo::Form_fileselect fileselect(launcher.State());
    pictavo::Form_setup setup(launcher.State().settings, launcher.State().SupportedExtensions);
    pictavo::Form_about about;
    launcher.Attach({&loading, &display, &fileselect, &setup, &about});

    launcher.HandleCommandLine();
    launcher.StartArgloadTimer();
    launcher.ShowAtStart();
    const int code = QApplication::exec();
    launcher.Detach();
    // The plug-ins go while the registry that holds their extensions is still there.
    plugins.Close(launcher.State());
    return code;
}
