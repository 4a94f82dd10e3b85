// kt52903: the configurator's desktop program.

#include "app/UProduction.h"
#include "base/Identity.h"
#include "core/UKorvelFirmWare.h"
#include "ui/UPrompts.h"
#include "ui/UQtText.h"

#include <QApplication>

#ifdef KT_WARM_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

int main(int argc, char** argv) {
#ifdef KT_WARM_FONTCONFIG
    // Reading the font configuration is most of the main window's first text layout; it runs
    // beside the connection to the display instead of after it.
    std::thread fonts([] { FcInit(); });
#endif
    QApplication app(argc, argv);
#ifdef KT_WARM_FONTCONFIG
    fonts.join(); // before the first text is laid out
#endif
    kt::SetUpApplication();
    kt::QtPrompts prompts;
    kt::Services services = kt::ProductionServices(prompts);
    kt::TFKorvelFirmWare window(kt::PathOf(QCoreApplication::applicationDirPath()), services);
    prompts.setParent(&window);
    window.show();
    return QApplication::exec();
}
