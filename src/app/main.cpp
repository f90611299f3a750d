// The entry sequence: the launcher first (it loads the settings), then the other windows in
// their fixed order, the command line, and the event loop. All windows live until the end.
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <memory>

#include "app/ConsoleOptions.h"
#include "app/DesktopHost.h"
#include "app/DisplayGuard.h"
#include "app/Form_about.h"
#include "app/Form_main.h"
#include "app/SusiePlugins.h"
#include "app/ProgramIcon.h"
#include "config/Form_setup.h"
#include "display/Form_disp.h"
#include "platform/TerminationSignals.h"
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

// Without a display there is nothing to show: one line on standard error and status 1.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
    pictavo::DisplayGuard guard;
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto status = pictavo::RunConsoleOption(argc, argv)) return *status;
    pictavo::TerminationSignals::Install();
    const std::unique_ptr<QApplication> app = OpenDisplay(argc, argv);
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
    // From the event loop on, a termination signal ends a running show (its hide sequence
    // runs, as with Escape) and then closes the launcher as the user would, so the settings
    // are written; one that came earlier waits until then, as a quit asked for inside the
    // command line's scan would be lost. The events go to the widgets directly: a launcher
    // that a command-line show kept hidden has no window for close() to act on, and a visible
    // display would refuse the application's quit.
    pictavo::TerminationSignals::Watch(&launcher, [&launcher, &display] {
        QCloseEvent toDisplay, toLauncher;
        if (display.isVisible()) QCoreApplication::sendEvent(&display, &toDisplay);
        QCoreApplication::sendEvent(&launcher, &toLauncher);
    });
    const int code = QApplication::exec();
    launcher.Detach();
    // The plug-ins go while the registry that holds their extensions is still there.
    plugins.Close(launcher.State());
    return code;
}
