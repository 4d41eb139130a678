// Everything that leaves the program goes through this seam, so that tests can run the real windows
// without ending the test process, opening a browser or depending on the screen they happen to run on.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace kvizaro {

class Platform {
public:
    virtual ~Platform() = default;

    // Ends the process at once: no close handler runs, nothing is torn down.
    virtual void exitNow(int exitCode) = 0;
    // Opens a web address with the desktop's opener; the result is not examined.
    virtual void openUrl(const QString& url) = 0;
    // Starts a new instance of this program's own executable, which reads the same lessons as this one
    // and gets the same toolkit options; whether it could be started.
    virtual bool startNewInstance() = 0;
    virtual QSize screenSize() const = 0;
    // Whether `font` (with the system's fallbacks) can show all twelve Esperanto letters.
    virtual bool canShowEsperantoLetters(const QFont& font) const = 0;
    // A modal error box with the error icon.
    virtual void showError(const QString& text, const QString& caption) = 0;
};

} // namespace kvizaro
