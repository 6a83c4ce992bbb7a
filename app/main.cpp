// The desktop program: opens the main window with the catalogue, the project
// files and the settings, shows the disclaimer, runs until the window closes.
#include "catalogue/fileio.h"
#include "ui/catalogueadapter.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    // a save beyond the file size limit fails with a message; a kill removes the save's temporary file
    qeln::fileio::installSignalHandling();
    QApplication app(argc, argv);
    QApplication::setApplicationName("qeln-column");
    QApplication::setOrganizationName("qeln");

    qeln::ui::MainOptions options;
    // the catalogue lies beside the program, which is the current folder by then
    options.openCatalogue = [](std::string& error) { return qeln::ui::CatalogueTable::open("", error); };

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
