// The application object. An exception thrown in any event handler is shown in an error box and the
// event loop goes on: no exception ever crosses into Qt.
#pragma once

#include <QApplication>

namespace kvizaro {

class Platform;

class KvizaroApplication : public QApplication {
    Q_OBJECT

public:
    KvizaroApplication(int& argc, char** argv, Platform& platform);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Platform& platform_;
};

} // namespace kvizaro
