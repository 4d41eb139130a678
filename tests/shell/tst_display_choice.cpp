// Which platform start-up asks Qt for: X11 through XWayland under a Wayland session, unless XWayland is
// missing or the user has chosen; and the command line that carries the choice to Qt.
#include "display_choice.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace kvizaro;

namespace {

std::vector<std::string> toStrings(const QByteArrayList& list) {
    std::vector<std::string> strings;
    for (const QByteArray& item : list) {
        strings.push_back(item.toStdString());
    }
    return strings;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& string : strings) {
        pointers.push_back(string.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

class TestDisplayChoice : public QObject {
    Q_OBJECT

private slots:
    void waylandSessionRunsThroughXWaylandUnlessChosen_data() {
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("x11Display");
        QTest::addColumn<QByteArray>("qtPlatform");
        QTest::addColumn<QByteArrayList>("options");
        QTest::addColumn<bool>("x11");

        const QByteArray wayland = "wayland";
        const QByteArray socket = "wayland-0";
        const QByteArray display = ":0";
        const QByteArrayList none;
        const QByteArray unset;
        QTest::newRow("Wayland session with XWayland")
            << wayland << socket << display << unset << none << true;
        QTest::newRow("Wayland display, no session type")
            << unset << socket << display << unset << none << true;
        QTest::newRow("Wayland session type, no display name")
            << wayland << unset << display << unset << none << true;
        QTest::newRow("Wayland display inside an X11 session")
            << QByteArray("x11") << QByteArray("wayland-1") << display << unset << none << true;
        QTest::newRow("Wayland session without XWayland")
            << wayland << socket << unset << unset << none << false;
        QTest::newRow("X11 session") << QByteArray("x11") << unset << display << unset << none << false;
        QTest::newRow("no session type, X11 display only")
            << unset << unset << display << unset << none << false;
        QTest::newRow("text console") << QByteArray("tty") << unset << unset << unset << none << false;
        QTest::newRow("platform chosen in the environment")
            << wayland << socket << display << wayland << none << false;
        QTest::newRow("X11 chosen in the environment")
            << wayland << socket << display << QByteArray("xcb") << none << false;
        QTest::newRow("platform chosen with one dash")
            << wayland << socket << display << unset << QByteArrayList{"-platform", "wayland"} << false;
        QTest::newRow("platform chosen with two dashes")
            << wayland << socket << display << unset << QByteArrayList{"--platform", "wayland"} << false;
        QTest::newRow("platform chosen after a file name")
            << wayland << socket << display << unset
            << QByteArrayList{"lessons.adt", "-platform", "offscreen"} << false;
        QTest::newRow("a file name alone is no choice")
            << wayland << socket << display << unset << QByteArrayList{"lessons.adt"} << true;
        QTest::newRow("a platform theme is no choice")
            << wayland << socket << display << unset << QByteArrayList{"-platformtheme", "gtk3"} << true;
    }

    void waylandSessionRunsThroughXWaylandUnlessChosen() {
        QFETCH(QByteArray, sessionType);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, x11Display);
        QFETCH(QByteArray, qtPlatform);
        QFETCH(QByteArrayList, options);
        QFETCH(bool, x11);

        const DisplayEnvironment environment{sessionType.toStdString(), waylandDisplay.toStdString(),
                                             x11Display.toStdString(), qtPlatform.toStdString()};
        std::vector<std::string> strings = toStrings(QByteArrayList{"kvizaro"} + options);
        const std::vector<char*> arguments = pointersTo(strings);
        const DisplayPlatform chosen = chooseDisplayPlatform(environment, {arguments.data(), strings.size()});
        QCOMPARE(chosen == DisplayPlatform::X11, x11);
    }

    void programNameIsNeverTakenForAnOption() {
        const DisplayEnvironment environment{"wayland", "wayland-0", ":0", ""};
        std::vector<std::string> strings{"-platform"};
        const std::vector<char*> arguments = pointersTo(strings);
        QCOMPARE(chooseDisplayPlatform(environment, {arguments.data(), 1}), DisplayPlatform::X11);
        QCOMPARE(chooseDisplayPlatform(environment, {}), DisplayPlatform::X11);
    }

    void commandLineCarriesTheChoice_data() {
        QTest::addColumn<QByteArrayList>("given");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<QByteArrayList>("handedToQt");

        QTest::newRow("X11, program name only")
            << QByteArrayList{"kvizaro"} << true << QByteArrayList{"kvizaro", "-platform", "xcb"};
        QTest::newRow("X11, file name kept after the option")
            << QByteArrayList{"kvizaro", "lessons.adt"} << true
            << QByteArrayList{"kvizaro", "-platform", "xcb", "lessons.adt"};
        QTest::newRow("Qt's choice leaves the command line")
            << QByteArrayList{"kvizaro", "lessons.adt"} << false << QByteArrayList{"kvizaro", "lessons.adt"};
        QTest::newRow("X11 without even a program name adds nothing")
            << QByteArrayList{} << true << QByteArrayList{};
    }

    void commandLineCarriesTheChoice() {
        QFETCH(QByteArrayList, given);
        QFETCH(bool, x11);
        QFETCH(QByteArrayList, handedToQt);

        std::vector<std::string> strings = toStrings(given);
        std::vector<char*> argv = pointersTo(strings);
        ApplicationArguments arguments(static_cast<int>(strings.size()), argv.data(),
                                       x11 ? DisplayPlatform::X11 : DisplayPlatform::QtChoice);
        QByteArrayList result;
        for (int i = 0; i < arguments.count(); ++i) {
            result << QByteArray(arguments.values()[i]);
        }
        QCOMPARE(result, handedToQt);
        QCOMPARE(arguments.values()[arguments.count()], nullptr);
    }
};

QTEST_GUILESS_MAIN(TestDisplayChoice)
#include "tst_display_choice.moc"
