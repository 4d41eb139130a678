#include "fake_platform.h"
#include "gui.h"
#include "literoj.h"
#include "look.h"
#include "panel.h"
#include "text.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QtTest>

#include <random>

using namespace kvizaro;
using kvizaro::test::click;
using kvizaro::test::FakePlatform;
using kvizaro::test::hover;

namespace {

// The wizard alone, with what it asks of the main window written down in order; "restore" also notes
// whether the wizard was still shown when it asked.
struct WizardWindows {
    explicit WizardWindows(QSize screen = {1024, 768}) {
        platform.screen = screen;
        wizard = std::make_unique<TLiteroj>(platform);
        QObject::connect(wizard.get(), &TLiteroj::mainWindowMinimiseWanted, wizard.get(),
                         [this] { mainWindowWishes << QStringLiteral("minimise"); });
        QObject::connect(wizard.get(), &TLiteroj::mainWindowRestoreWanted, wizard.get(), [this] {
            mainWindowWishes << (wizard->isVisible() ? QStringLiteral("restore while shown")
                                                     : QStringLiteral("restore"));
        });
    }
    void activate() {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(wizard.get(), &activation);
    }
    template <typename Control = QWidget> Control* find(const char* name) const {
        return wizard->findChild<Control*>(QString::fromLatin1(name));
    }
    QString bevels() const {
        return QString::number(find<Panel>("FinButono")->bevelWidth()) +
               QString::number(find<Panel>("ReButono")->bevelWidth());
    }

    FakePlatform platform;
    std::unique_ptr<TLiteroj> wizard;
    QStringList mainWindowWishes;
};

const char* const InstructionLines[] = {
    "A számítógéped nem tudja megjeleníteni az eszperantó ékezetes betűit.",
    "",
    "Ha szeretnéd a programot rendesen, ékezetes eszperantó betűkkel használni, telepítsd az \"Esperanto ",
    "L3 Sans Serif\" betűtípust.",
    "",
    "1. Nyisd meg a Start Menüben a Vezérlőpultot (Windows 95, 98, NT, ME, 2000-ben \"Start Menü\" majd ",
    "     \"Beállítások\" majd \"Vezérlőpult\")!",
    "",
    "2. A Vezérlőpultban nyisd meg a \"Betűtípusok\" mappát!",
    "",
    "3. A \"Fájl\" menüben válaszd ki az \"Új betűtípus telepítését\".",
    "",
    "4. A megjelenő megnyitó dobozban válaszd ki az Kvizaro mappáját (ahonnan a programot indítottad)!",
    "",
    "5. Nézd meg, be van-e kapcsolva a \"Betűkészlet másolása a Fonts mappába\". Ha nincs, kapcsold be!",
    "",
    "6. Ha megjelent az \"Esperanto L3 Sans Serif\" a listában, kattints rá a nevére majd az \"OK\"  gombra!",
    "",
    "7. Az eszperantó ékezetes betűk csak a program újbóli elindítása alkalmával lesznek láthatók.",
    "",
    "8. Az eszperantó betűk sikeres telepítése esetén ez a szöveg többé nem jelenik meg.",
};

} // namespace

class TestWizard : public QObject {
    Q_OBJECT

private slots:
    void formGeometry_data();
    void formGeometry();
    void formLook_data();
    void formLook();
    void windowLook();
    void instructionText();
    void onlyMemoTakesFocus();

    void activationCentresAndAsksToMinimiseMainWindow_data();
    void activationCentresAndAsksToMinimiseMainWindow();
    void everyActivationAsksAgain();
    void closingAsksToRestoreMainWindow_data();
    void closingAsksToRestoreMainWindow();
    void restartStartsNewInstanceThenEnds();
    void failedRestartSaysSoAndGoesOn();

    void hoverBevels_data();
    void hoverBevels();
    void controlsWithoutHandlerKeepBevels_data();
    void controlsWithoutHandlerKeepBevels();

    void randomUseNeverBreaks();
};

void TestWizard::formGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Image1") << "Image1" << QRect(10, 10, 55, 55);
    QTest::newRow("Panel1") << "Panel1" << QRect(75, 10, 537, 55);
    QTest::newRow("Memo1") << "Memo1" << QRect(10, 75, 612, 340);
    QTest::newRow("FinButono") << "FinButono" << QRect(10, 425, 301, 25);
    QTest::newRow("ReButono") << "ReButono" << QRect(321, 425, 301, 25);
}

void TestWizard::formGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    WizardWindows w;
    auto* control = w.wizard->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->parentWidget(), w.wizard.get());
}

void TestWizard::formLook_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Panel1") << "Panel1" << hu("Hiba történt!") << int(Qt::AlignLeft) << int(Panel::None) << 32
                            << true;
    QTest::newRow("FinButono") << "FinButono" << hu("Használom a programot így") << int(Qt::AlignHCenter)
                               << int(Panel::Raised) << 16 << false;
    QTest::newRow("ReButono") << "ReButono" << hu("Újraindítom a programot") << int(Qt::AlignHCenter)
                              << int(Panel::Raised) << 13 << true;
}

void TestWizard::formLook() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, alignment);
    QFETCH(int, bevel);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    WizardWindows w;
    auto* panel = w.wizard->findChild<Panel*>(name);
    QVERIFY(panel != nullptr);
    QCOMPARE(panel->caption(), caption);
    QCOMPARE(int(panel->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(int(panel->bevelOuter()), bevel);
    QCOMPARE(panel->bevelWidth(), 1);
    QCOMPARE(panel->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(panel->font().pixelSize(), pixelSize);
    QCOMPARE(panel->font().bold(), bold);
    QCOMPARE(panel->accessibleName(), caption);
}

void TestWizard::windowLook() {
    WizardWindows w;
    QCOMPARE(w.wizard->objectName(), QStringLiteral("Literoj"));
    QCOMPARE(w.wizard->windowTitle(), hu("Kvizaro - Első indítás varázsló"));
    const Qt::WindowFlags flags = w.wizard->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint) && !flags.testFlag(Qt::WindowMinimizeButtonHint) &&
            !flags.testFlag(Qt::WindowMaximizeButtonHint) && !flags.testFlag(Qt::WindowSystemMenuHint));
    QCOMPARE(w.wizard->size(), QSize(632, 453));
    QCOMPARE(w.wizard->minimumSize(), QSize(632, 453));
    QCOMPARE(w.wizard->maximumSize(), QSize(632, 453));
    QCOMPARE(w.wizard->font().pixelSize(), 11);
    QCOMPARE(w.wizard->palette().color(QPalette::Window), systemColour(SystemColour::ButtonFace));
    QVERIFY(w.wizard->isHidden());
    QCOMPARE(w.find<QLabel>("Image1")->pixmap().size(), QSize(55, 55));
    QCOMPARE(w.find<QLabel>("Image1")->accessibleName(), hu("Figyelmeztetés"));
}

void TestWizard::instructionText() {
    WizardWindows w;
    auto* memo = w.find<QPlainTextEdit>("Memo1");
    QStringList expected;
    for (const char* line : InstructionLines) {
        expected << QString::fromUtf8(line);
    }
    QCOMPARE(expected.size(), 21);
    QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')), expected);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->frameShape(), QFrame::NoFrame);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(memo->font().pixelSize(), 13);
    QCOMPARE(memo->viewport()->cursor().shape(), Qt::WaitCursor);
    QCOMPARE(memo->palette().color(QPalette::Base), systemColour(SystemColour::ButtonFace));
    QCOMPARE(memo->accessibleName(), hu("Telepítési útmutató"));
}

void TestWizard::onlyMemoTakesFocus() {
    // The panels never take the focus by a click, so of the form's tab order only the memo does.
    WizardWindows w;
    QStringList focusable;
    for (const QWidget* child : w.wizard->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::ClickFocus) {
            focusable << child->objectName();
        }
    }
    QCOMPARE(focusable, QStringList{QStringLiteral("Memo1")});
}

void TestWizard::activationCentresAndAsksToMinimiseMainWindow_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("640x480") << QSize(640, 480) << QPoint(0, 0);
    QTest::newRow("1024x768") << QSize(1024, 768) << QPoint(192, 144);
    QTest::newRow("600x400") << QSize(600, 400) << QPoint(-20, -40);
    QTest::newRow("639x479") << QSize(639, 479) << QPoint(0, 0);
}

void TestWizard::activationCentresAndAsksToMinimiseMainWindow() {
    QFETCH(QSize, screen);
    QFETCH(QPoint, origin);
    WizardWindows w(screen);
    QVERIFY(w.mainWindowWishes.isEmpty());
    w.activate();
    QCOMPARE(w.wizard->pos(), origin);
    QCOMPARE(w.mainWindowWishes, QStringList{QStringLiteral("minimise")});
}

void TestWizard::everyActivationAsksAgain() {
    WizardWindows w;
    w.activate();
    w.wizard->move(5, 5);
    w.activate();
    QCOMPARE(w.mainWindowWishes, QStringList(2, QStringLiteral("minimise")));
    QCOMPARE(w.wizard->pos(), QPoint(192, 144));
}

void TestWizard::closingAsksToRestoreMainWindow_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("button") << true;
    QTest::newRow("window-system") << false;
}

void TestWizard::closingAsksToRestoreMainWindow() {
    QFETCH(bool, byButton);
    WizardWindows w;
    showWindow(w.wizard.get());
    w.activate();
    if (byButton) {
        click(w.find("FinButono"));
    } else {
        QVERIFY(w.wizard->close());
    }
    QVERIFY(w.wizard->isHidden());
    QCOMPARE(w.mainWindowWishes,
             (QStringList{QStringLiteral("minimise"), QStringLiteral("restore while shown")}));
    QVERIFY(w.platform.exitCodes.isEmpty());
    QCOMPARE(w.platform.newInstances, 0);
}

// Ending without a new instance would leave the learner with nothing at all.
void TestWizard::failedRestartSaysSoAndGoesOn() {
    WizardWindows w;
    w.platform.newInstanceStarts = false;
    w.wizard->show();
    w.activate();
    click(w.find("ReButono"));
    QCOMPARE(w.platform.newInstances, 1);
    QCOMPARE(w.platform.errors.size(), 1);
    QVERIFY(w.platform.exitCodes.isEmpty());
    QVERIFY(w.wizard->isVisible());
}

void TestWizard::restartStartsNewInstanceThenEnds() {
    WizardWindows w;
    w.activate();
    click(w.find("ReButono"));
    QCOMPARE(w.platform.newInstances, 1);
    QCOMPARE(w.platform.exitCodes, QList<int>{0});
    // It ends at once: no close handler restores the main window first.
    QCOMPARE(w.mainWindowWishes, QStringList{QStringLiteral("minimise")});
}

void TestWizard::hoverBevels_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("expected");
    QTest::newRow("finish") << "Literoj"
                            << "FinButono"
                            << "21";
    QTest::newRow("restart") << "Literoj"
                             << "ReButono"
                             << "12";
    QTest::newRow("finish-then-restart") << "FinButono"
                                         << "ReButono"
                                         << "12";
    QTest::newRow("restart-then-finish") << "ReButono"
                                         << "FinButono"
                                         << "21";
    QTest::newRow("finish-then-background") << "FinButono"
                                            << "Literoj"
                                            << "11";
    QTest::newRow("restart-then-background") << "ReButono"
                                             << "Literoj"
                                             << "11";
}

void TestWizard::hoverBevels() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, expected);
    WizardWindows w;
    auto named = [&w](const QString& name) {
        return name == QLatin1String("Literoj") ? w.wizard.get() : w.wizard->findChild<QWidget*>(name);
    };
    hover(named(first));
    hover(named(second));
    QCOMPARE(w.bevels(), expected);
}

void TestWizard::controlsWithoutHandlerKeepBevels_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("picture") << "Image1";
    QTest::newRow("heading") << "Panel1";
    QTest::newRow("memo") << "Memo1";
}

void TestWizard::controlsWithoutHandlerKeepBevels() {
    QFETCH(QString, control);
    WizardWindows w;
    hover(w.find("ReButono"));
    auto* target = w.wizard->findChild<QWidget*>(control);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(target)) {
        target = memo->viewport();
    }
    hover(target);
    QCOMPARE(w.bevels(), QStringLiteral("12"));
}

void TestWizard::randomUseNeverBreaks() {
    WizardWindows w;
    std::mt19937 random(6101U);
    std::uniform_int_distribution<int> pick(0, 99);
    QList<QWidget*> controls = w.wizard->findChildren<QWidget*>();
    controls << w.wizard.get();
    for (int step = 0; step < 3000; ++step) {
        QWidget* control = controls[pick(random) % controls.size()];
        switch (pick(random) % 4) {
        case 0:
            hover(control);
            break;
        case 1:
            click(control);
            break;
        case 2:
            w.activate();
            break;
        default:
            showWindow(w.wizard.get());
            break;
        }
        const QString bevels = w.bevels();
        QVERIFY(bevels == QLatin1String("11") || bevels == QLatin1String("21") ||
                bevels == QLatin1String("12"));
        QCOMPARE(w.platform.exitCodes.size(), w.platform.newInstances);
    }
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
