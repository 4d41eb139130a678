// The built program under a Wayland compositor (weston) that offers XWayland, with Qt's Wayland platform
// installed: Qt on its own would take Wayland there, yet the program must come up as a client of the X
// server, unless the user has chosen a platform; and a task sheet must work through it from synthetic X
// input. Every wait is for a window, a focus, a pixel or a log line, with a time limit.
#include "content_builder.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

#include <memory>
#include <optional>

using namespace kvizaro::test;

namespace {

const QString mainTitle = QStringLiteral("Kvizaro v1.0 * Folimo");
const QString sheetTitle = QStringLiteral("TaskFolio");
const QString noticeTitle = QStringLiteral("Hiba!");
constexpr int serverTimeout = 10000;
// Generous, for a loaded machine: a wait ends as soon as its event comes.
constexpr int windowTimeout = 20000;
constexpr int toolTimeout = 5000;

// One menu entry and a sheet of two questions: answered wrong and then right, the success panel stands
// at 50 % and is pure yellow.
std::vector<std::string> lessonLines() {
    return {"#Menuo",
            "Menuero=\"Gyakorlat\",\"gyak\"",
            "#gyak",
            "[tasko]",
            "Demando=\"igen\"",
            "Instruo=\"jes\"",
            "Solvo=\"jes\"",
            "[tasko]",
            "Demando=\"nem\"",
            "Instruo=\"ne\"",
            "Solvo=\"ne\"",
            "#"};
}
// Colours as 0xRRGGBB.
constexpr quint32 halfRightColour = 0xffff00;
constexpr quint32 noColour = 0xffffffff;
// The main window's own colour, which shows where the board was once a sheet is open.
constexpr quint32 backdropColour = 0x306080;
// A point of the board clear of its controls, in the main window's client area: the board is centred in
// the 1024 x 768 window.
const QPoint boardPoint(192 + 5, 144 + 5);
// A point inside the success panel `Rezulto`, in the task sheet's client area, clear of its caption.
const QPoint successPanelPoint(208, 402);
// The middle of "Vissza a főoldalra" (`Eliro`), in the task sheet's client area.
const QPoint backButtonPoint(570, 417);

QStringList missingTools() {
    QStringList missing;
    for (const char* tool : {"weston", "Xwayland", "Xvfb", "xdotool", "xwininfo", "xwd"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            missing << QString::fromLatin1(tool);
        }
    }
    const QString waylandPlugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqwayland-generic.so");
    if (!QFile::exists(waylandPlugin)) {
        missing << QStringLiteral("Qt's Wayland platform (qt6-wayland)");
    }
    return missing;
}

// X servers keep their sockets there; weston opens XWayland's before any X server may have made it.
bool ensureX11SocketFolder() {
    const QByteArray folder("/tmp/.X11-unix");
    if (QDir(QString::fromLatin1(folder)).exists()) {
        return true;
    }
    return QDir().mkpath(QString::fromLatin1(folder)) && ::chmod(folder.constData(), 01777) == 0;
}

// The regular expression xdotool needs to match exactly this window name.
QString exactName(const QString& name) {
    QString pattern = QStringLiteral("^");
    for (const QChar c : name) {
        if (QStringLiteral(".*+?()[]{}|^$\\").contains(c)) {
            pattern += QLatin1Char('\\');
        }
        pattern += c;
    }
    return pattern + QLatin1Char('$');
}

struct ToolResult {
    int exitCode = -1;
    QByteArray output;
};

ToolResult runTool(const QString& program, const QStringList& arguments,
                   const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeout) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitCode(), process.readAllStandardOutput()};
}

// The colour of one pixel of an X window dump (the XWD format that xwd writes: a big-endian header, a
// colour table, then the pixels in the byte order the header names). Invalid when the dump is not a
// 32-bit true-colour image holding the point.
quint32 pixelOfDump(const QByteArray& dump, QPoint point) {
    constexpr int headerWords = 25;
    if (dump.size() < headerWords * 4) {
        return noColour;
    }
    const auto word = [&dump](int index) { return qFromBigEndian<quint32>(dump.constData() + index * 4); };
    const quint32 headerSize = word(0), width = word(4), height = word(5), byteOrder = word(7);
    const quint32 bitsPerPixel = word(11), bytesPerLine = word(12), colourCount = word(19);
    const qint64 offset = qint64(headerSize) + qint64(colourCount) * 12 + qint64(point.y()) * bytesPerLine +
                          qint64(point.x()) * 4;
    if (bitsPerPixel != 32 || point.x() < 0 || point.y() < 0 || quint32(point.x()) >= width ||
        quint32(point.y()) >= height || offset + 4 > dump.size()) {
        return noColour;
    }
    const char* pixel = dump.constData() + offset;
    const quint32 value = byteOrder == 0 ? qFromLittleEndian<quint32>(pixel) : qFromBigEndian<quint32>(pixel);
    return value & 0xffffffU;
}

// Weston with XWayland, in a runtime folder of its own. Headless has no input devices at all; nested,
// weston shows its output in a window of a private Xvfb and takes that server's keyboard and pointer as
// its seat, which XWayland needs before synthetic X input can reach a client.
class Compositor {
public:
    enum class Backend { Headless, NestedInXvfb };

    explicit Compositor(Backend backend) : backend_(backend) {
        QFile::setPermissions(runtimeFolder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ~Compositor() {
        stop(weston_);
        stop(xvfb_);
    }

    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    // Empty when weston and XWayland's socket are ready, otherwise what went wrong.
    QString start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_.path());
        QString backendModule = QStringLiteral("headless-backend.so");
        if (backend_ == Backend::NestedInXvfb) {
            xvfbDisplay_ = startXvfb();
            if (xvfbDisplay_.isEmpty()) {
                return QStringLiteral("Xvfb did not start: ") +
                       QString::fromLocal8Bit(xvfb_.readAllStandardError());
            }
            environment.insert(QStringLiteral("DISPLAY"), xvfbDisplay_);
            backendModule = QStringLiteral("x11-backend.so");
        }
        weston_.setProcessEnvironment(environment);
        weston_.setProcessChannelMode(QProcess::MergedChannels);
        weston_.start(QStringLiteral("weston"),
                      {QStringLiteral("--no-config"), QStringLiteral("--backend=") + backendModule,
                       QStringLiteral("--use-pixman"), QStringLiteral("--xwayland"),
                       QStringLiteral("--socket=") + socketName, QStringLiteral("--width=1024"),
                       QStringLiteral("--height=768"), QStringLiteral("--idle-time=0"),
                       QStringLiteral("--log=") + logPath()});
        if (!QTest::qWaitFor([this] { return !x11Display_.isEmpty() || !readLog(); }, serverTimeout) ||
            x11Display_.isEmpty()) {
            return QStringLiteral("weston did not offer XWayland; its log:\n") + log();
        }
        return {};
    }

    // What a program of a Wayland session with XWayland finds: no platform chosen.
    QProcessEnvironment sessionEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP",
                                 "XDG_SESSION_DESKTOP", "WAYLAND_DEBUG"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder_.path());
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socketName);
        environment.insert(QStringLiteral("DISPLAY"), x11Display_);
        return environment;
    }

    // One pixel of what weston shows, nested in Xvfb: the screen as a person would see it.
    quint32 screenPixel(QPoint point) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), xvfbDisplay_);
        const ToolResult dump =
            runTool(QStringLiteral("xwd"), {QStringLiteral("-silent"), QStringLiteral("-root")}, environment);
        return pixelOfDump(dump.output, point);
    }

    QString log() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    static inline const QString socketName = QStringLiteral("kvizaro-test");

private:
    QString logPath() const { return runtimeFolder_.filePath(QStringLiteral("weston.log")); }

    // Xvfb names its display on the descriptor given; standard output is the one the test can read.
    QString startXvfb() {
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp")});
        QByteArray number;
        (void)QTest::qWaitFor(
            [this, &number] {
                number += xvfb_.readAllStandardOutput();
                return number.contains('\n') || xvfb_.state() == QProcess::NotRunning;
            },
            serverTimeout);
        return number.contains('\n') ? QStringLiteral(":") + QString::fromLatin1(number.trimmed())
                                     : QString();
    }

    // False once weston has ended; notes XWayland's display as soon as weston names it.
    bool readLog() {
        static const QRegularExpression listening(QStringLiteral("xserver listening on display (:\\d+)"));
        const QRegularExpressionMatch match = listening.match(log());
        if (match.hasMatch()) {
            x11Display_ = match.captured(1);
        }
        return weston_.state() != QProcess::NotRunning;
    }

    static void stop(QProcess& process) {
        if (process.state() == QProcess::NotRunning) {
            return;
        }
        process.terminate();
        if (!process.waitForFinished(toolTimeout)) {
            process.kill();
            process.waitForFinished();
        }
    }

    Backend backend_;
    QTemporaryDir runtimeFolder_;
    QProcess xvfb_;
    QProcess weston_;
    QString x11Display_;
    QString xvfbDisplay_;
};

// The built program, started from a scratch folder holding the lesson file, and the X tools aimed at the
// X server it is expected on.
class Program {
public:
    Program(const QProcessEnvironment& environment, const QStringList& arguments)
        : environment_(environment) {
        writeFile(folder_, "enhavo.adt", encodeStored(lessonLines()));
        process_.setWorkingDirectory(folder_.path());
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(KVIZARO_EXECUTABLE), arguments);
    }

    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    QProcess& process() { return process_; }

    // Ids of the mapped X windows of that exact name.
    QStringList visibleWindows(const QString& name) const {
        const ToolResult result = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                           QStringLiteral("--name"), exactName(name)});
        return QString::fromLatin1(result.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString focusedWindowName() const {
        const ToolResult result =
            xdotool({QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")});
        return result.exitCode == 0 ? QString::fromUtf8(result.output).trimmed() : QString();
    }

    bool waitForFocus(const QString& name) const {
        return QTest::qWaitFor([&] { return focusedWindowName() == name; }, windowTimeout);
    }

    bool waitForWindow(const QString& name, bool shown) const {
        return QTest::qWaitFor([&] { return visibleWindows(name).isEmpty() != shown; }, windowTimeout);
    }

    bool key(const QString& keyName) const { return xdotool({QStringLiteral("key"), keyName}).exitCode == 0; }

    bool type(const QString& text) const { return xdotool({QStringLiteral("type"), text}).exitCode == 0; }

    // From xwininfo, because xdotool misplaces a window that weston's window manager has framed.
    std::optional<QPoint> position(const QString& window) const {
        const ToolResult info =
            runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}, environment_);
        static const QRegularExpression absolute(
            QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)\\s+Absolute upper-left Y:\\s+(-?\\d+)"));
        const QRegularExpressionMatch match = absolute.match(QString::fromLatin1(info.output));
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
    }

    bool click(const QString& window, QPoint inClientArea) const {
        const std::optional<QPoint> origin = position(window);
        if (!origin) {
            return false;
        }
        const QPoint target = *origin + inClientArea;
        return xdotool({QStringLiteral("mousemove"), QString::number(target.x()), QString::number(target.y()),
                        QStringLiteral("click"), QStringLiteral("1")})
                   .exitCode == 0;
    }

    quint32 pixel(const QString& window, QPoint point) const {
        const ToolResult dump = runTool(
            QStringLiteral("xwd"), {QStringLiteral("-silent"), QStringLiteral("-id"), window}, environment_);
        return pixelOfDump(dump.output, point);
    }

    // Everything the program has written to its error output so far.
    bool waitForPixel(const QString& window, QPoint point, quint32 colour) const {
        quint32 seen = noColour;
        const bool reached = QTest::qWaitFor(
            [&] {
                seen = pixel(window, point);
                return seen == colour;
            },
            windowTimeout);
        if (!reached) {
            qWarning("pixel (%d, %d) of window %s is %06x", point.x(), point.y(), qPrintable(window), seen);
        }
        return reached;
    }

    QString errorOutput() {
        errorOutput_ += QString::fromLocal8Bit(process_.readAllStandardError());
        return errorOutput_;
    }

private:
    ToolResult xdotool(const QStringList& arguments) const {
        return runTool(QStringLiteral("xdotool"), arguments, environment_);
    }

    QTemporaryDir folder_;
    QProcessEnvironment environment_;
    QProcess process_;
    QString errorOutput_;
};

} // namespace

class TestWaylandSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void waylandSessionRunsThroughX11();
    void chosenPlatformIsKept_data();
    void chosenPlatformIsKept();
    void sheetIsDrilledThroughXWayland();

private:
    std::unique_ptr<Compositor> headless_;
};

void TestWaylandSession::initTestCase() {
    const QStringList missing = missingTools();
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing, install with scripts/install-deps.sh: ") +
                                           missing.join(QStringLiteral(", "))));
    QVERIFY2(ensureX11SocketFolder(), "cannot make /tmp/.X11-unix for XWayland's socket");
    headless_ = std::make_unique<Compositor>(Compositor::Backend::Headless);
    const QString error = headless_->start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

// Qt's own choice here would be Wayland (it is installed, and chosenPlatformIsKept shows it connects):
// so a main window on the X server, from a program that never spoke to the Wayland compositor, is the
// program's decision and not Qt's fallback.
void TestWaylandSession::waylandSessionRunsThroughX11() {
    QProcessEnvironment environment = headless_->sessionEnvironment();
    environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    Program program(environment, {});
    QVERIFY2(program.waitForWindow(mainTitle, true), qPrintable(program.errorOutput()));
    QVERIFY(!program.visibleWindows(sheetTitle).isEmpty());
    const QString errorOutput = program.errorOutput();
    QVERIFY2(!errorOutput.contains(QStringLiteral("wl_display@")), qPrintable(errorOutput));
    QCOMPARE(program.process().state(), QProcess::Running);
}

void TestWaylandSession::chosenPlatformIsKept_data() {
    QTest::addColumn<QString>("environmentChoice");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("QT_QPA_PLATFORM") << QStringLiteral("wayland") << QStringList();
    QTest::newRow("-platform") << QString()
                               << QStringList{QStringLiteral("-platform"), QStringLiteral("wayland")};
}

// The user's choice of Wayland is kept: the main window reaches the compositor as a Wayland surface (its
// title crosses the Wayland connection) and never appears on the X server.
void TestWaylandSession::chosenPlatformIsKept() {
    QFETCH(QString, environmentChoice);
    QFETCH(QStringList, arguments);
    QProcessEnvironment environment = headless_->sessionEnvironment();
    environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    if (!environmentChoice.isEmpty()) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), environmentChoice);
    }
    Program program(environment, arguments);
    const QString titleOverWayland = QStringLiteral("set_title(\"") + mainTitle + QStringLiteral("\")");
    QVERIFY2(QTest::qWaitFor([&] { return program.errorOutput().contains(titleOverWayland); }, windowTimeout),
             qPrintable(program.errorOutput().right(2000)));
    QVERIFY(program.visibleWindows(mainTitle).isEmpty());
    QCOMPARE(program.process().state(), QProcess::Running);
}

// Synthetic X input needs a seat, which weston's headless backend does not have (see Compositor): the
// sheet is drilled under weston nested in Xvfb. Opened by its digit key, answered wrong (the notice comes
// and goes with Enter) and then right, left by a click on "Vissza a főoldalra", and the program ended
// with Escape on the main menu. Weston's own X window manager neither raises nor activates a window that
// is already mapped when the program asks it to, so opening the sheet is seen by the main menu hiding its
// board, not by a change of focus.
void TestWaylandSession::sheetIsDrilledThroughXWayland() {
    Compositor nested(Compositor::Backend::NestedInXvfb);
    const QString error = nested.start();
    QVERIFY2(error.isEmpty(), qPrintable(error));
    Program program(nested.sessionEnvironment(), {});
    QVERIFY2(program.waitForWindow(mainTitle, true), qPrintable(program.errorOutput()));
    QVERIFY2(program.waitForFocus(mainTitle), qPrintable(program.focusedWindowName()));
    const QStringList menu = program.visibleWindows(mainTitle);
    QCOMPARE(menu.size(), 1);
    const QStringList sheet = program.visibleWindows(sheetTitle);
    QCOMPARE(sheet.size(), 1);

    QVERIFY(program.key(QStringLiteral("1")));
    QVERIFY(program.waitForPixel(menu.first(), boardPoint, backdropColour));
    QVERIFY(program.type(QStringLiteral("xyz")));
    QVERIFY(program.key(QStringLiteral("Return")));
    QVERIFY(program.waitForWindow(noticeTitle, true));
    QVERIFY(program.waitForFocus(noticeTitle));
    QVERIFY(program.key(QStringLiteral("Return")));
    QVERIFY(program.waitForWindow(noticeTitle, false));

    QVERIFY(program.waitForFocus(sheetTitle));
    QVERIFY(program.type(QStringLiteral("ne")));
    QVERIFY(program.key(QStringLiteral("Return")));
    QVERIFY(program.waitForPixel(sheet.first(), successPanelPoint, halfRightColour));
    QVERIFY(program.visibleWindows(noticeTitle).isEmpty());
    // Shown again after the notice, the sheet is in front on the screen itself.
    const std::optional<QPoint> sheetPosition = program.position(sheet.first());
    QVERIFY(sheetPosition);
    const QPoint successPanelOnScreen = *sheetPosition + successPanelPoint;
    QVERIFY(QTest::qWaitFor([&] { return nested.screenPixel(successPanelOnScreen) == halfRightColour; },
                            windowTimeout));

    QVERIFY(program.click(sheet.first(), backButtonPoint));
    QVERIFY(program.waitForWindow(sheetTitle, false));
    QVERIFY(program.waitForFocus(mainTitle));
    QVERIFY(program.key(QStringLiteral("Escape")));
    QVERIFY(program.process().waitForFinished(windowTimeout));
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
