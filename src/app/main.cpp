// kt52903: the configurator's desktop program.

#include "app/UProduction.h"
#include "base/Identity.h"
#include "core/UKorvelFirmWare.h"
#include "ui/UPrompts.h"
#include "ui/UQtText.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kt::SetUpApplication();
    kt::QtPrompts prompts;
    kt::Services services = kt::ProductionServices(prompts);
    kt::TFKorvelFirmWare window(kt::PathOf(QCoreApplication::applicationDirPath()), services);
    prompts.setParent(&window);
    window.show();
    return QApplication::exec();
}
