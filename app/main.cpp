// The desktop program: opens the main window with the catalogue, the project
// files and the settings, shows the disclaimer, runs until the window closes.
#include "ui/frmmain.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("qeln-column");
    QApplication::setOrganizationName("qeln");

    qeln::ui::MainOptions options;
    options.openCatalogue = [](std::string&) -> std::unique_ptr<qeln::ui::ProfileTable> {
        return std::make_unique<qeln::ui::MemoryProfileTable>(qeln::ui::sampleProfiles());
    };

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
