#include <QApplication>
#include <QMainWindow>
#include <clocale>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Number text in files never follows the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QMainWindow frame;
    frame.setWindowTitle("Parvelin");
    frame.show();
    return application.exec();
}
