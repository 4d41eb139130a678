// The application object and the error boxes' text. Runs its own main: the test needs the program's own
// application class, which reports exceptions escaping an event handler instead of ending the process.
// What start-up shows (its error boxes, the windows' first states) is tested in tst_startup.
#include "application.h"
#include "fake_platform.h"
#include "kvizaro.h"

#include <QtTest>

#include <stdexcept>

using namespace kvizaro;

namespace {

test::FakePlatform* fakePlatform = nullptr;

// A widget whose key handler fails, as any handler might.
class FailingWidget : public QWidget {
protected:
    void keyPressEvent(QKeyEvent*) override { throw std::runtime_error("I/O error 5"); }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void errorTextGetsAFullStopUnlessItEndsInOne_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing-file") << QByteArray("File not found") << QStringLiteral("File not found.");
        QTest::newRow("number") << QByteArray("I/O error 5") << QStringLiteral("I/O error 5.");
        QTest::newRow("ends-in-full-stop") << QByteArray("Done.") << QStringLiteral("Done.");
        QTest::newRow("ends-below-full-stop") << QByteArray("Really!") << QStringLiteral("Really!");
        QTest::newRow("ends-in-comma") << QByteArray("a,") << QStringLiteral("a,");
        QTest::newRow("ends-in-slash") << QByteArray("a/") << QStringLiteral("a/.");
        QTest::newRow("empty") << QByteArray("") << QStringLiteral(".");
    }
    void errorTextGetsAFullStopUnlessItEndsInOne() {
        QFETCH(QByteArray, message);
        QFETCH(QString, text);
        QCOMPARE(errorBoxText(message.toStdString()), text);
    }

    void exceptionInAHandlerIsShownAndTheLoopGoesOn() {
        fakePlatform->errors.clear();
        FailingWidget widget;
        QTest::keyPress(&widget, Qt::Key_A);
        QCOMPARE(fakePlatform->errors.size(), 1);
        QCOMPARE(fakePlatform->errors.front().first, QStringLiteral("I/O error 5."));
        QCOMPARE(fakePlatform->errors.front().second, QStringLiteral("Kvizaro v1.0 * Folimo"));
        QTest::keyPress(&widget, Qt::Key_B);
        QCOMPARE(fakePlatform->errors.size(), 2);
    }
};

int main(int argc, char** argv) {
    test::FakePlatform platform;
    fakePlatform = &platform;
    KvizaroApplication application(argc, argv, platform);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
