// kt52903: the configurator's desktop program.

#include "core/UKorvelFirmWare.h"
#include "core/UPrompts.h"
#include "core/UQtText.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kt::SetUpApplication();
    kt::QtPrompts prompts;
    kt::Services services = kt::Services::Production(prompts);
    kt::TFKorvelFirmWare window(kt::PathOf(QCoreApplication::applicationDirPath()), services);
    prompts.setParent(&window);
    window.show();
    return QApplication::exec();
}
