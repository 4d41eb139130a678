// The built program on a real X server under real window managers, judged by what reaches the screen:
// the root window's pixels where each window stands, which windows are mapped, where and how large, and
// whether keys typed after each change of windows reach the window that should take them.
#include "x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>

using namespace kvizaro::desktop;

namespace {

const QString MainTitle = QStringLiteral("Kvizaro v1.0 * Folimo");
const QString SheetTitle = QStringLiteral("TaskFolio");
const QString NoticeTitle = QStringLiteral("Hiba!");
const QString HelpTitle = QString::fromUtf8("Súgó");
const QString WizardTitle = QString::fromUtf8("Kvizaro - Első indítás varázsló");
const QString WebAddress = QStringLiteral("https://www.kvizaro.hu/kvizaroprg.htm");
const QSize BoardSize(640, 480);
// How long a step may take on a loaded machine; every wait ends as soon as what it waits for is there.
constexpr int StepTimeoutMs = 20000;
// The program's first window: its start-up loads fonts and the content besides showing it.
constexpr int StartTimeoutMs = 60000;

// The success panel's colour by success rate, as the program's scoring fixes it.
QColor successColour(int rate) {
    return rate <= 50 ? QColor(255, 55 + 4 * rate, 0) : QColor(255 - 4 * (rate - 50), 255, 0);
}

double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double one = luminance(a);
    const double other = luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

// Painted: text and controls are there, so the area is neither mostly black nor one flat colour.
QString paintFault(const QImage& area) {
    QHash<QRgb, int> counts;
    int black = 0;
    for (int y = 0; y < area.height(); y += 2) {
        for (int x = 0; x < area.width(); x += 2) {
            const QRgb pixel = area.pixel(x, y);
            ++counts[pixel];
            black += qGray(pixel) < 16 ? 1 : 0;
        }
    }
    const int total = std::max(1, (area.width() / 2 + 1) * (area.height() / 2 + 1));
    if (black * 2 > total) {
        return QStringLiteral("mostly black");
    }
    if (counts.size() < 4) {
        return QStringLiteral("flat (%1 colours)").arg(counts.size());
    }
    return {};
}

// The contrast of the sharpest text pixel against the area's most common colour, its background.
double strongestContrast(const QImage& area) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            ++counts[area.pixel(x, y)];
        }
    }
    const QColor background = QColor::fromRgb(std::max_element(counts.begin(), counts.end()).key());
    double best = 1;
    for (auto it = counts.begin(); it != counts.end(); ++it) {
        best = std::max(best, contrast(background, QColor::fromRgb(it.key())));
    }
    return best;
}

// Pixels of a clearly red hue: the marking of a wrong answer, on a panel otherwise drawn in greys.
int countReddish(const QImage& area) {
    int count = 0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QColor pixel = area.pixelColor(x, y);
            count += pixel.red() - std::max(pixel.green(), pixel.blue()) > 80 ? 1 : 0;
        }
    }
    return count;
}

bool isFlat(const QImage& area) {
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (area.pixel(x, y) != area.pixel(0, 0)) {
                return false;
            }
        }
    }
    return true;
}

int countNear(const QImage& area, const QColor& colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QColor pixel = area.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) <= tolerance &&
                             std::abs(pixel.green() - colour.green()) <= tolerance &&
                             std::abs(pixel.blue() - colour.blue()) <= tolerance
                         ? 1
                         : 0;
        }
    }
    return count;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeRoad_data();
    void wholeRoad();
    void fontWizard_data();
    void fontWizard();
    void repeatRound();

private:
    void startDesktop(const DesktopSetup& setup, int scale);
    void startProgram(bool withoutEsperantoFaces = false);
    XWindowId waitForWindow(const QString& title, qint64 pid = 0, int timeoutMs = StepTimeoutMs);
    void waitGone(const QString& title);
    void waitForKeys(const QString& title);
    void verifyTitleBarOnly(XWindowId window, const char* what);
    void checkPainted(const QRect& area, const char* what);
    QImage settledGrab(const QRect& area);
    void waitForColour(QPoint at, const QColor& colour, const char* what);
    QPoint board(int x, int y) const; // a point of the main menu's board, on the screen
    QRect boardRect() const;
    QPoint inWindow(XWindowId window, int x, int y);

    void menuAndHover();
    void sheetAndAnswers(bool byClick);
    void noticeDismissedBy(const char* way, bool explained = false);
    void explainedMistake();
    void helpFromSheet();
    void helpFromMenu();
    void webLink();

    std::unique_ptr<QTemporaryDir> scratch_;
    std::unique_ptr<XSession> x_;
    std::unique_ptr<QProcess> program_;
    int scale_ = 1;
    int answered_ = 0;
    int right_ = 0;
};

void TestDesktop::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    QVERIFY(scratch_->isValid());
}

void TestDesktop::cleanup() {
    if (QTest::currentTestFailed() && x_) {
        const QString shot =
            QDir::current().absoluteFilePath(QStringLiteral("desktop-%1-%2.png")
                                                 .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                                      QString::fromLatin1(QTest::currentDataTag())));
        x_->grab(QRect(QPoint(0, 0), x_->screen())).save(shot);
        qWarning("screen at the failure: %s\nwindows at the failure:\n%s", qPrintable(shot),
                 qPrintable(x_->describeWindows()));
    }
    if (program_) {
        program_->kill();
        program_->waitForFinished(2000);
    }
    program_.reset();
    x_.reset();
    scratch_.reset();
}

void TestDesktop::startDesktop(const DesktopSetup& setup, int scale) {
    scale_ = scale;
    x_ = std::make_unique<XSession>();
    const QString error = x_->start(setup, scratch_->path());
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestDesktop::startProgram(bool withoutEsperantoFaces) {
    const QString dir = scratch_->path();
    // The content file is stored by the authoring tool from its readable source.
    QProcess encoder;
    encoder.start(QStringLiteral(KVIZARO_ADT),
                  {QStringLiteral("encode"), QStringLiteral(KVIZARO_ROAD_CONTENT),
                   dir + QStringLiteral("/enhavo.adt")});
    QVERIFY(encoder.waitForFinished(10000));
    QCOMPARE(encoder.exitCode(), 0);
    // A stand-in browser first on PATH records the address it is asked to open.
    QDir(dir).mkpath(QStringLiteral("bin"));
    QFile opener(dir + QStringLiteral("/bin/xdg-open"));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1/opened'\n").arg(dir).toUtf8());
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), x_->displayName());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("PATH"),
                       dir + QStringLiteral("/bin:") + environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("HOME"), dir);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    if (scale_ != 1) {
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale_));
    }
    if (withoutEsperantoFaces) {
        // One face that has Latin letters but none of the Esperanto ones, and nothing to fall back to.
        QDir(dir).mkpath(QStringLiteral("fonts"));
        QFile::link(QStringLiteral(KVIZARO_FACE_WITHOUT_ESPERANTO), dir + QStringLiteral("/fonts/face.ttf"));
        QFile config(dir + QStringLiteral("/fonts.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(
                         "<?xml version=\"1.0\"?><fontconfig><dir>%1/fonts</dir><cachedir>%1/cache</cachedir>"
                         "</fontconfig>\n")
                         .arg(dir)
                         .toUtf8());
        config.close();
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    }
    program_ = std::make_unique<QProcess>();
    program_->setProcessEnvironment(environment);
    program_->setWorkingDirectory(dir);
    program_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_->start(QStringLiteral(KVIZARO_EXECUTABLE), {});
    QVERIFY(program_->waitForStarted(5000));
    answered_ = 0;
    right_ = 0;
}

XWindowId TestDesktop::waitForWindow(const QString& title, qint64 pid, int timeoutMs) {
    std::optional<XWindowId> window;
    x_->waitUntil([&] { return (window = x_->viewableWindow(title, pid)).has_value(); }, timeoutMs);
    if (!window) {
        QTest::qFail(qPrintable(QStringLiteral("window \"%1\" not mapped").arg(title)), __FILE__, __LINE__);
        return 0;
    }
    return *window;
}

// Gone from the screen: the client window unmapped and the manager done with it. A manager takes its
// frame down only after the client has unmapped, and a click in between lands on the frame: under
// load, the click on a help button right after "Bezár" was lost that way.
void TestDesktop::waitGone(const QString& title) {
    QVERIFY2(x_->waitUntil(
                 [&] {
                     const auto windows = x_->windowsTitled(title);
                     return !x_->viewableWindow(title) &&
                            std::none_of(windows.begin(), windows.end(),
                                         [&](const auto& window) { return x_->isShown(window.first); });
                 },
                 StepTimeoutMs),
             qPrintable(QStringLiteral("window \"%1\" still mapped").arg(title)));
}

// A person types once a window is in front; a test must wait likewise until the window manager has given
// the keys, which it does some time after the change of windows. A program that never gets them back
// fails here.
void TestDesktop::waitForKeys(const QString& title) {
    QVERIFY2(x_->waitUntil(
                 [&] {
                     const std::optional<XWindowId> window = x_->viewableWindow(title);
                     return window && x_->hasKeyFocus(*window);
                 },
                 StepTimeoutMs),
             qPrintable(QStringLiteral("keys do not reach \"%1\"").arg(title)));
}

// A title bar only: the manager offers neither minimising nor maximising, so the learner cannot lose the
// window that way.
void TestDesktop::verifyTitleBarOnly(XWindowId window, const char* what) {
    const QStringList actions = x_->atomNames(window, "_NET_WM_ALLOWED_ACTIONS");
    QVERIFY2(!actions.isEmpty(), what);
    for (const QString& action : actions) {
        QVERIFY2(!action.startsWith(QLatin1String("_NET_WM_ACTION_MINIMIZE")) &&
                     !action.startsWith(QLatin1String("_NET_WM_ACTION_MAXIMIZE")),
                 qPrintable(QStringLiteral("%1 allows %2").arg(QLatin1String(what), action)));
    }
}

// The area once it has stayed the same for a while: a repaint still on its way would make it differ.
QImage TestDesktop::settledGrab(const QRect& area) {
    constexpr int SettledMs = 200;
    QImage last = x_->grab(area);
    QDeadlineTimer settled(SettledMs);
    x_->waitUntil(
        [&] {
            QImage now = x_->grab(area);
            if (now != last) {
                last = std::move(now);
                settled.setRemainingTime(SettledMs);
            }
            return settled.hasExpired();
        },
        StepTimeoutMs);
    return last;
}

void TestDesktop::checkPainted(const QRect& area, const char* what) {
    // A window just mapped may take a moment to paint; one that never does fails.
    QString fault;
    x_->waitUntil([&] { return (fault = paintFault(x_->grab(area))).isEmpty(); }, StepTimeoutMs);
    QVERIFY2(fault.isEmpty(),
             qPrintable(QStringLiteral("%1 not painted on the screen: %2").arg(QLatin1String(what), fault)));
}

void TestDesktop::waitForColour(QPoint at, const QColor& colour, const char* what) {
    QColor seen;
    x_->waitUntil([&] { return (seen = x_->pixel(at)) == colour; }, StepTimeoutMs);
    QVERIFY2(seen == colour, qPrintable(QStringLiteral("%1: %2 on the screen, %3 expected")
                                            .arg(QLatin1String(what), seen.name(), colour.name())));
}

QRect TestDesktop::boardRect() const {
    const QSize logical = x_->screen() / scale_;
    const QPoint origin((logical.width() - BoardSize.width()) / 2,
                        (logical.height() - BoardSize.height()) / 2);
    return QRect(origin * scale_, BoardSize * scale_);
}

QPoint TestDesktop::board(int x, int y) const {
    return boardRect().topLeft() + QPoint(x, y) * scale_;
}

QPoint TestDesktop::inWindow(XWindowId window, int x, int y) {
    return x_->clientRect(window).topLeft() + QPoint(x, y) * scale_;
}

// ---------------------------------------------------------------------------------------------------------

void TestDesktop::wholeRoad_data() {
    QTest::addColumn<QStringList>("manager");
    QTest::addColumn<QStringList>("compositor");
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("exitByKey");
    QTest::addColumn<bool>("sheetByClick");
    const QStringList openbox{QStringLiteral("openbox")};
    QTest::newRow("openbox") << openbox << QStringList() << 1 << false << false;
    QTest::newRow("icewm") << QStringList{QStringLiteral("icewm")} << QStringList() << 1 << true << true;
    QTest::newRow("openbox-xcompmgr")
        << openbox << QStringList{QStringLiteral("xcompmgr")} << 1 << false << true;
    QTest::newRow("openbox-scale-2") << openbox << QStringList() << 2 << true << false;
    // Xfce's manager, which needs a session bus; in the suite run with retries (see CMakeLists.txt).
    if (qEnvironmentVariableIsSet("KVIZARO_DESKTOP_XFWM4")) {
        QTest::newRow("xfwm4") << QStringList{QStringLiteral("dbus-run-session"), QStringLiteral("xfwm4"),
                                              QStringLiteral("--compositor=off")}
                               << QStringList() << 1 << true << false;
    }
}

void TestDesktop::wholeRoad() {
    QFETCH(QStringList, manager);
    QFETCH(QStringList, compositor);
    QFETCH(int, scale);
    QFETCH(bool, exitByKey);
    QFETCH(bool, sheetByClick);
    startDesktop({manager, compositor, QSize(1024, 768) * scale}, scale);
    startProgram();
    if (QTest::currentTestFailed()) {
        return;
    }
    menuAndHover();
    if (QTest::currentTestFailed()) {
        return;
    }
    sheetAndAnswers(sheetByClick);
    if (QTest::currentTestFailed()) {
        return;
    }
    helpFromSheet();
    if (QTest::currentTestFailed()) {
        return;
    }
    webLink();
    if (QTest::currentTestFailed()) {
        return;
    }
    helpFromMenu();
    if (QTest::currentTestFailed()) {
        return;
    }
    if (exitByKey) {
        waitForKeys(MainTitle);
        x_->key("Escape"); // typed without a click after "Bezár": the main menu has the keys again
    } else {
        x_->click(board(575, 435)); // "Kilépés"
    }
    QVERIFY(program_->waitForFinished(StepTimeoutMs));
    QCOMPARE(program_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_->exitCode(), 0);
}

void TestDesktop::menuAndHover() {
    const XWindowId main = waitForWindow(MainTitle, 0, StartTimeoutMs);
    const QRect mainRect = x_->clientRect(main);
    QCOMPARE(mainRect.topLeft(), QPoint(0, 0));
    QCOMPARE(mainRect.width(), x_->screen().width());
    QVERIFY(mainRect.contains(boardRect()));
    QVERIFY2(x_->hasIcon(main), "the main window has no icon");
    checkPainted(boardRect(), "main menu");
    waitForKeys(MainTitle); // after start-up, the main menu and not the sheet beneath it
    // The wheel over the list scrolls it, and back. The pointer rests on the heading row, which no hover
    // raises: only the scrolling changes the list.
    const QRect list(board(20, 125), QSize(290, 260) * scale_);
    const QPoint headingRow = board(167, 132);
    x_->moveMouse(headingRow);
    const QImage firstPage = settledGrab(list);
    x_->wheel(headingRow, 1);
    QVERIFY2(x_->waitUntil([&] { return x_->grab(list) != firstPage; }, StepTimeoutMs),
             "the wheel does not scroll the list");
    const QImage secondPage = settledGrab(list);
    x_->wheel(headingRow, -1);
    QVERIFY2(x_->waitUntil([&] { return x_->grab(list) != secondPage; }, StepTimeoutMs),
             "the wheel does not scroll the list back");
    // "Kilépés" turns red under the mouse and back when the mouse leaves it.
    // The mouse stirs over it as a hand would: one motion that comes while the program is still busy with
    // its start can pass before the button follows the mouse.
    const QPoint exitInside = board(526, 406);
    int stir = 0;
    x_->waitUntil(
        [&] {
            x_->moveMouse(board(575, 435) + QPoint(stir++ % 2, 0));
            return x_->pixel(exitInside) == QColor(255, 0, 0);
        },
        StepTimeoutMs);
    waitForColour(exitInside, QColor(255, 0, 0), "Kilep under the mouse");
    x_->moveMouse(board(167, 167));
    QVERIFY(x_->waitUntil([&] { return x_->pixel(exitInside) != QColor(255, 0, 0); }, StepTimeoutMs));
}

void TestDesktop::sheetAndAnswers(bool byClick) {
    if (byClick) {
        x_->click(board(167, 167)); // the first sheet's row
    } else {
        x_->key("2"); // the digit of the first sheet
    }
    const XWindowId sheet = waitForWindow(SheetTitle);
    QCOMPARE(x_->clientRect(sheet), boardRect());
    QVERIFY2(x_->hasIcon(sheet), "the task sheet has no icon");
    checkPainted(boardRect(), "task sheet");
    // The current question: caption text on the application workspace colour, readable.
    double best = 1;
    x_->waitUntil(
        [&] {
            return (best = strongestContrast(x_->grab(QRect(board(102, 247), QSize(520, 31) * scale_)))) >=
                   4.5;
        },
        StepTimeoutMs);
    QVERIFY2(best >= 4.5, qPrintable(QStringLiteral("Kerdes contrast %1:1").arg(best)));

    waitForKeys(SheetTitle);
    const QPoint success = board(210, 405);
    const auto answer = [&](const char* text, bool right) {
        x_->type(QLatin1String(text));
        x_->key("Return");
        ++answered_;
        right_ += right ? 1 : 0;
    };
    // Each answer typed without a click shows that the keys reach the answer box.
    answer("a", true);
    waitForColour(success, successColour(100), "success panel after a right answer");
    for (const char* way : {"Return", "Escape", "Ok", "close"}) {
        answer("zzz", false);
        noticeDismissedBy(way);
        waitForKeys(SheetTitle);
        if (QTest::currentTestFailed()) {
            return;
        }
        waitForColour(success, successColour(right_ * 100 / answered_), "success panel after a wrong answer");
        answer("a", true);
        waitForColour(success, successColour(right_ * 100 / answered_),
                      "success panel: keys after the notice");
    }
    explainedMistake();
}

// "bona tago" for "Bonan tagon": the notice explains the missing accusative under its message, and the
// answer panel marks where the endings are missing.
void TestDesktop::explainedMistake() {
    x_->type(QStringLiteral("bona"));
    x_->key("space");
    x_->type(QStringLiteral("tago"));
    x_->key("Return");
    ++answered_;
    noticeDismissedBy("Return", true);
    waitForKeys(SheetTitle);
    if (QTest::currentTestFailed()) {
        return;
    }
    const QRect respondo(board(132, 102), QSize(496, 31) * scale_);
    int marked = 0;
    x_->waitUntil([&] { return (marked = countReddish(x_->grab(respondo))) >= 12 * scale_; }, StepTimeoutMs);
    QVERIFY2(
        marked >= 12 * scale_,
        qPrintable(
            QStringLiteral("the marking of the answer is not on the screen (%1 red pixels)").arg(marked)));
}

void TestDesktop::noticeDismissedBy(const char* way, bool explained) {
    const XWindowId notice = waitForWindow(NoticeTitle);
    waitGone(SheetTitle);
    const QRect outer = x_->frameRect(notice);
    const QRect client = x_->clientRect(notice);
    if (scale_ == 1) {
        QCOMPARE(outer.size(), QSize(400, 137));
    }
    QVERIFY2(std::abs(outer.center().x() - x_->screen().width() / 2) <= scale_ &&
                 std::abs(outer.center().y() - x_->screen().height() / 2) <= scale_,
             qPrintable(QStringLiteral("notice not centred: frame %1,%2 %3x%4")
                            .arg(outer.x())
                            .arg(outer.y())
                            .arg(outer.width())
                            .arg(outer.height())));
    checkPainted(client, "notice");
    QVERIFY2(
        x_->waitUntil([&] { return countNear(x_->grab(client), QColor(255, 0, 0), 40) > 50; }, StepTimeoutMs),
        "the notice's red text is not on the screen");
    // The explanation's panel under the message: written when a typical mistake explains the answer,
    // empty otherwise.
    const QRect explanation(inWindow(notice, 10, 40), QSize(372, 28) * scale_);
    if (explained) {
        checkPainted(explanation, "the explanation on the notice");
    } else {
        QVERIFY2(isFlat(x_->grab(explanation)),
                 "the notice explains an answer that no typical mistake explains");
    }
    verifyTitleBarOnly(notice, "the notice");
    const QString how = QLatin1String(way);
    if (how == QLatin1String("Return") && !explained) {
        // Minimised all the same (a taskbar may do it), the notice comes back at a click on the program.
        x_->minimise(notice);
        x_->click(QPoint(2, 2));
        waitForWindow(NoticeTitle);
    }
    if (how == QLatin1String("Ok")) {
        x_->click(inWindow(notice, 196, 85));
    } else if (how == QLatin1String("close")) {
        x_->askToClose(notice);
    } else {
        waitForKeys(NoticeTitle);
        x_->key(way);
    }
    waitGone(NoticeTitle);
    const XWindowId sheet = waitForWindow(SheetTitle);
    QCOMPARE(x_->clientRect(sheet), boardRect());
    checkPainted(boardRect(), "task sheet after the notice");
}

void TestDesktop::helpFromSheet() {
    x_->click(board(570, 460)); // "Eszperantó betűk!"
    const XWindowId help = waitForWindow(HelpTitle);
    const QRect outer = x_->frameRect(help);
    QVERIFY2(std::abs(outer.center().x() - x_->screen().width() / 2) <= scale_ &&
                 std::abs(outer.center().y() - x_->screen().height() / 2) <= scale_,
             "help window not centred");
    checkPainted(x_->clientRect(help), "help window from the task sheet");
    verifyTitleBarOnly(help, "the help window");
    waitForKeys(HelpTitle);
    x_->key("Escape"); // closes it as "Bezár" does
    waitGone(HelpTitle);
    if (QTest::currentTestFailed()) {
        return;
    }
    // Back to the menu with Escape, typed without a click: the sheet has the keys again.
    waitForKeys(SheetTitle);
    x_->key("Escape");
    waitGone(SheetTitle);
    checkPainted(boardRect(), "main menu after the sheet");
}

void TestDesktop::helpFromMenu() {
    for (int button : {45, 205, 365}) {
        x_->click(board(button + 55, 460));
        const XWindowId help = waitForWindow(HelpTitle);
        checkPainted(x_->clientRect(help), "help window from the menu");
        x_->click(inWindow(help, 570, 432)); // "Bezár"
        waitGone(HelpTitle);
        // A person clicks on once the menu is in front again: a click while the manager is still handing
        // it the keys can be taken for the focusing click and lost.
        waitForKeys(MainTitle);
        if (QTest::currentTestFailed()) {
            return;
        }
    }
}

void TestDesktop::webLink() {
    waitForKeys(MainTitle);
    x_->click(board(260, 417));
    QFile opened(scratch_->filePath(QStringLiteral("opened")));
    QVERIFY2(x_->waitUntil([&] { return opened.exists() && opened.size() > 0; }, StepTimeoutMs),
             "no browser was asked");
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(opened.readAll()).trimmed(), WebAddress);
}

// ---------------------------------------------------------------------------------------------------------

void TestDesktop::fontWizard_data() {
    QTest::addColumn<QStringList>("manager");
    QTest::addColumn<bool>("restart");
    QTest::newRow("openbox-go-on") << QStringList{QStringLiteral("openbox")} << false;
    QTest::newRow("icewm-restart") << QStringList{QStringLiteral("icewm")} << true;
}

void TestDesktop::fontWizard() {
    QFETCH(QStringList, manager);
    QFETCH(bool, restart);
    startDesktop({manager, {}, QSize(1024, 768)}, 1);
    startProgram(true);
    if (QTest::currentTestFailed()) {
        return;
    }
    const XWindowId wizard = waitForWindow(WizardTitle, 0, StartTimeoutMs);
    // Placed by its frame as soon as the manager has told the frame: at the latest on its activation.
    QVERIFY2(x_->waitUntil([&] { return x_->frameRect(wizard).topLeft() == boardRect().topLeft(); },
                           StepTimeoutMs),
             "the font wizard is not over the board");
    checkPainted(x_->clientRect(wizard), "font wizard");
    QVERIFY2(x_->waitUntil(
                 [&] {
                     const auto windows = x_->windowsTitled(MainTitle);
                     return !windows.isEmpty() && x_->isIconic(windows.first().first);
                 },
                 StepTimeoutMs),
             "main window not minimised under the wizard");
    if (!restart) {
        x_->click(inWindow(wizard, 160, 437)); // "Használom a programot így"
        waitGone(WizardTitle);
        waitForWindow(MainTitle);
        checkPainted(boardRect(), "main menu after the wizard");
        waitForKeys(MainTitle);
        x_->key("2"); // keys reach the main menu without a click
        waitForWindow(SheetTitle);
        return;
    }
    const qint64 first = program_->processId();
    x_->click(inWindow(wizard, 471, 437)); // "Újraindítom a programot"
    QVERIFY(program_->waitForFinished(StepTimeoutMs));
    QCOMPARE(program_->exitCode(), 0);
    qint64 second = 0;
    QVERIFY2(x_->waitUntil(
                 [&] {
                     for (const auto& [window, pid] : x_->windowsTitled(WizardTitle)) {
                         if (pid != first && x_->viewableWindow(WizardTitle, pid)) {
                             second = pid;
                         }
                     }
                     return second != 0;
                 },
                 StepTimeoutMs),
             "no new instance came up");
    ::kill(pid_t(second), SIGTERM);
}

// A sheet of three answered wrong, right, wrong: "Hibáim" and "Hibásak újra (2)" paint where the answer row
// and "Következő" stood, follow the mouse, and take clicks and keys; the rounds count from zero and raise
// the notice like the sheet, until one ends with nothing wrong.
void TestDesktop::repeatRound() {
    startDesktop({{QStringLiteral("openbox")}, {}, QSize(1024, 768)}, 1);
    startProgram();
    waitForWindow(MainTitle, 0, StartTimeoutMs);
    waitForKeys(MainTitle);
    x_->key("3"); // the sheet "Három kérdés"
    waitForWindow(SheetTitle);
    const QPoint success = board(210, 405);
    const auto answer = [&](const char* text, int rate) {
        if (QTest::currentTestFailed()) {
            return;
        }
        waitForKeys(SheetTitle);
        x_->type(QLatin1String(text));
        x_->key("Return");
        if (qstrcmp(text, "a") != 0) {
            noticeDismissedBy("Return");
        }
        waitForColour(success, successColour(rate), "success panel");
    };
    answer("zzz", 0);
    answer("a", 50);
    answer("zzz", 33);
    const QRect review(board(512, 292), QSize(116, 26));
    const QRect repeat(board(512, 342), QSize(116, 41));
    checkPainted(review, "Hibaim");
    checkPainted(repeat, "Hibasak ujra");
    x_->moveMouse(repeat.center());
    waitForColour(repeat.topLeft(), QColor(0, 255, 255), "Hibasak ujra under the mouse");
    x_->click(review.center());
    const XWindowId help = waitForWindow(HelpTitle);
    checkPainted(x_->clientRect(help), "the list of wrong answers");
    x_->click(inWindow(help, 570, 432)); // "Bezár"
    waitGone(HelpTitle);
    waitForKeys(SheetTitle);
    x_->key("Escape"); // nothing in the end state: the Enter after it still reaches "Hibásak újra (2)"
    x_->key("Return");
    answer("zzz", 0);
    answer("a", 50);
    x_->click(repeat.center()); // "Hibásak újra (1)"
    answer("a", 100);
    QVERIFY2(
        x_->waitUntil([&] { return isFlat(x_->grab(repeat)) && isFlat(x_->grab(review)); }, StepTimeoutMs),
        "the buttons stay after a round without mistakes");
    x_->click(board(570, 417)); // "Vissza a főoldalra"
    waitGone(SheetTitle);
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
