// The start-up warm-up thread: every order in which start-up may call it, or fail to, ends the thread and
// never hangs or joins twice.
#include "warm_up.h"

#include <QApplication>
#include <QtTest>

using namespace kvizaro;

class TestWarmUp : public QObject {
    Q_OBJECT

private slots:
    void anyOrderOfCallsEndsTheThread_data() {
        QTest::addColumn<QString>("calls");
        QTest::newRow("start-up fails before the application") << QString();
        QTest::newRow("normal start-up") << QStringLiteral("finish");
        QTest::newRow("finished twice") << QStringLiteral("finish finish");
    }

    void anyOrderOfCallsEndsTheThread() {
        QFETCH(QString, calls);
        StartupWarmUp warmUp;
        for (qsizetype n = calls.split(QLatin1Char(' '), Qt::SkipEmptyParts).size(); n > 0; --n) {
            warmUp.finish();
        }
        // Leaving the scope joins whatever is left; a hang here fails the test by its time limit.
    }
};

QTEST_MAIN(TestWarmUp)
#include "tst_warm_up.moc"
