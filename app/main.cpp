// The desktop program: opens the main window with the catalogue, the project
// files and the settings, shows the disclaimer, runs until the window closes.
//
//     qeln-column [FILE.qln]
//
// A project file given on the command line (a file manager's double click)
// is opened once the disclaimer is accepted; a relative name is taken from
// the folder the program was started in.
#include "platform/fileio.h"
#include "catalogue/location.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    // a save beyond the file size limit fails with a message; a kill removes the save's temporary file
    qeln::platform::installSignalHandling();
    QApplication app(argc, argv);
    QApplication::setApplicationName("qeln-column");
    QApplication::setOrganizationName("qeln");
    QGuiApplication::setDesktopFileName("org.qeln.Column");

    qeln::ui::MainOptions options;
    // the table beside the program when it may be written there (a build
    // folder), else the per-user copy of the installed one
    options.openCatalogue = [](std::string& error) -> std::unique_ptr<qeln::ProfileCatalogue> {
        const auto where = qeln::location::writableCatalogue(qeln::location::standardFolders());
        if (where.folder.empty()) {
            error = where.error;
            return nullptr;
        }
        return qeln::ui::openProfileCatalogue(where.folder, error);
    };
    options.startProject = qeln::ui::startProjectArgument(QApplication::arguments());

    auto w = std::make_unique<qeln::ui::frmmain>(std::move(options));
    if (!w->catalogueOpen())
        return 1;
    w->show();
    QTimer::singleShot(0, w.get(), [&w] {
        if (!w->FormActivate())
            QCoreApplication::exit(0);   // the disclaimer was refused
    });
    const int rc = app.exec();
    w.reset();   // writes the settings file
    return rc;
}
