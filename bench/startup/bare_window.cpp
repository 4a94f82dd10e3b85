// The yardstick of bench/measure-startup.sh: a Qt Widgets window with nothing in it, the
// size of the main window, shown as soon as the application exists.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("bare");
    window.setFixedSize(694, 484);
    window.show();
    return QApplication::exec();
}
