// The floor for answering: the least a Qt Widgets program does for what Kvizaro does after an Enter key.
// Usage: responsiveness-floor question|notice
//   question: a borderless 640 x 480 window, centred, whose text changes at each Enter released;
//   notice:   the same window, and at each Enter released a framed, stay-on-top 400 x 112 window with red
//             text, centred, which the next Enter released on it hides again.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace {

class Window : public QLabel {
public:
    Window(Qt::WindowFlags flags, std::function<void()> onEnter)
        : QLabel(nullptr, flags), onEnter_(std::move(onEnter)) {}

protected:
    void keyReleaseEvent(QKeyEvent* event) override {
        if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            onEnter_();
        }
    }

private:
    std::function<void()> onEnter_;
};

QPoint centred(QSize size) {
    const QSize screen = QApplication::primaryScreen()->size();
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool notice = argc > 1 && QByteArray(argv[1]) == "notice";
    int count = 0;
    Window* sheetPointer = nullptr;
    Window popup(Qt::Window | Qt::WindowStaysOnTopHint, [&] {
        sheetPointer->show();
        sheetPointer->activateWindow();
        popup.hide();
    });
    popup.setText(QStringLiteral("Rosszul!"));
    popup.setStyleSheet(QStringLiteral("color: red; font: bold 21px"));
    popup.setAlignment(Qt::AlignCenter);
    popup.resize(400, 112);
    Window sheet(Qt::FramelessWindowHint, [&] {
        if (notice) {
            popup.move(centred(popup.size()));
            popup.show();
            popup.raise();
            popup.activateWindow();
            sheetPointer->hide();
        } else {
            sheetPointer->setText(QStringLiteral("Kérdés %1").arg(++count));
        }
    });
    sheetPointer = &sheet;
    sheet.setWindowTitle(QStringLiteral("floor"));
    sheet.setText(QStringLiteral("Kérdés 0"));
    sheet.setAlignment(Qt::AlignCenter);
    sheet.resize(640, 480);
    sheet.move(centred(sheet.size()));
    sheet.show();
    sheet.activateWindow();
    return application.exec();
}
