// Says something to a screen reader without showing anything: an empty, one-pixel notification beneath
// the window's controls. Orca speaks a notification when it appears, reading its name from the
// accessibility bus; with Qt 6.4 the bus carries no announcement event, and a changed description or name
// reaches Orca without its text.
#pragma once

#include <QWidget>

namespace kvizaro {

class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // Shown again with `text` as its name, so that the reader hears it; nothing is painted.
    void announce(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kvizaro
