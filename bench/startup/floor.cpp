// The floor for start-up: the least a Qt Widgets program does to put a full-screen window on the screen.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("floor"));
    window.setGeometry(QApplication::primaryScreen()->geometry());
    window.show();
    return application.exec();
}
