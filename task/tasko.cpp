#include "tasko.h"

#include "announcer.h"
#include "answer_marking.h"
#include "esperanto.h"
#include "hiba.h"
#include "look.h"
#include "panel.h"
#include "sugo.h"
#include "text.h"
#include "ui_tasko.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

namespace kvizaro {

namespace {

const QColor NextHoverColour(0, 255, 255);
const QColor BackHoverColour(255, 255, 0);
const QColor LettersHoverColour(0, 255, 0);

// Texts put into the display panels begin with one blank.
QString displayed(const QString& text) {
    return QLatin1Char(' ') + text;
}

// A panel of the answer and its marking, in pixels and in words.
void showMarked(Panel* panel, const std::string& shown, const std::optional<TextMarks>& marks) {
    panel->setCaption(displayed(fromLatin3(shown)));
    const CaptionMarks placed =
        marks ? captionMarks(*marks, shown, displayed(QString()).size()) : CaptionMarks{};
    panel->setMarks(placed);
    panel->setAccessibleDescription(marksDescription(panel->caption(), placed));
}

void highlight(Panel* button, bool on, const QColor& colour) {
    button->setHovered(on);
    button->setColor(on ? colour : systemColour(SystemColour::ButtonFace));
    button->repaint();
}

const ContentLines NoLines;

} // namespace

TTasko::TTasko(Platform& platform, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Tasko>()), platform_(platform) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    applyFormLook(this);
    // Moves over the answer box and the progress bar must not reach the background, which would reset
    // the highlight of the buttons.
    keepMouseMoves(ui->Valasz);
    // The answer box has no length limit; a line edit's default would cut answers at 32,767 characters.
    ui->Valasz->setMaxLength(std::numeric_limits<int>::max());
    keepMouseMoves(ui->Progreso);
    ui->Valasz->installEventFilter(this);
    ui->Ismetles->installEventFilter(this);
    ui->Attekintes->installEventFilter(this);
    showEndButtons(false);
    announcer_ = new Announcer(this);

    connect(ui->Sekva, &Panel::clicked, this, &TTasko::SeCl);
    connect(ui->Eliro, &Panel::clicked, this, &TTasko::EICl);
    connect(ui->ELiteroj, &Panel::clicked, this, &TTasko::HeCl);
    connect(ui->Ismetles, &Panel::clicked, this, &TTasko::IsCl);
    connect(ui->Attekintes, &Panel::clicked, this, &TTasko::AtCl);
    connect(ui->Pleto, &Panel::mouseMoved, this, [this] { HighlightButtons(OverBackground); });
    connect(ui->Sekva, &Panel::mouseMoved, this, [this] { HighlightButtons(OverNext); });
    connect(ui->Eliro, &Panel::mouseMoved, this, [this] { HighlightButtons(OverBack); });
    connect(ui->ELiteroj, &Panel::mouseMoved, this, [this] { HighlightButtons(OverLetters); });
    connect(ui->Ismetles, &Panel::mouseMoved, this, [this] { HighlightButtons(OverRepeat); });
    connect(ui->Attekintes, &Panel::mouseMoved, this, [this] { HighlightButtons(OverReview); });
    labelControls();
}

// Each label panel carries the name of the control it stands beside, with a T in front.
void TTasko::labelControls() {
    ui->TDemando->setLabelFor(ui->Demando);
    ui->TRespondo->setLabelFor(ui->Respondo);
    ui->TSolvo->setLabelFor(ui->Solvo);
    ui->TGxusta->setLabelFor(ui->Gxusta);
    ui->TKerdes->setLabelFor(ui->Kerdes);
    ui->TValasz->setLabelFor(ui->Valasz);
    ui->Panel1->setLabelFor(ui->Progreso);
}

TTasko::~TTasko() = default;

void TTasko::setWindows(THiba& notice, TSugo& help) {
    notice_ = &notice;
    help_ = &help;
}

void TTasko::returnFromNotice() {
    drill_.acknowledgeNotice();
    setEnabled(true);
    setVisible(true);
    // Disabling the window took the focus from its control; left to Qt it would go to the first button.
    focusAfterAnswer()->setFocus();
    activateWindow();
}

QLineEdit* TTasko::answerBox() const {
    return ui->Valasz;
}

void TTasko::StartSheet(const QString& title, const std::string& sheetBlockName, const ContentLines& lines) {
    sheetTitle_ = title;
    ui->Titolo->setCaption(title);
    clearDisplays();
    drill_.startSheet(sheetBlockName, lines);
    showAdvance();
}

// What a sheet and a round start from: the answer row back, no feedback, no end state.
void TTasko::clearDisplays() {
    ui->Valasz->clear();
    showEndButtons(false);
    setAskingControls(true);
    ui->Mesagxo->setCaption({});
    ui->Rezulto->setVisible(false);
    ui->Progreso->setValue(0);
    for (Panel* feedback : {ui->TRezulto, ui->Demando, ui->Respondo, ui->Solvo, ui->Gxusta}) {
        feedback->setCaption({});
    }
    for (Panel* answer : {ui->Respondo, ui->Solvo}) {
        answer->setMarks({});
        answer->setAccessibleDescription({});
    }
    ui->Valasz->setAccessibleDescription({});
    for (Panel* leadOn : {ui->Eliro, ui->Ismetles}) {
        leadOn->setAccessibleDescription({});
    }
}

// What AdvanceSheet put in place: the feedback of the answer it evaluated, if any, the totals, the next
// question or the end state, and the notice after a wrong answer, in front of all of it.
void TTasko::showAdvance() {
    if (const std::optional<Evaluation>& evaluation = drill_.lastEvaluation()) {
        showEvaluation(*evaluation);
    }
    ShowTotals();
    if (drill_.ended()) {
        enterEndState();
    } else {
        ui->Kerdes->setCaption(displayed(fromLatin3(drill_.currentQuestionText())));
    }
    if (const std::optional<Evaluation>& evaluation = drill_.lastEvaluation()) {
        announce(*evaluation);
    }
    if (drill_.state() == DrillState::Notice) {
        raiseNotice();
    }
}

void TTasko::showEvaluation(const Evaluation& evaluation) {
    ui->Demando->setCaption(displayed(fromLatin3(evaluation.question)));
    showMarked(ui->Solvo, XToLatin3(evaluation.instruction), evaluation.marks.model);
    showMarked(ui->Respondo, XToLatin3(evaluation.answer), evaluation.marks.answer);
    ui->Progreso->setValue(evaluation.score.progress);
    ui->Gxusta->setCaption(QString::fromStdString(verdictText(evaluation.right)));
    ui->Rezulto->setVisible(true);
    ui->TRezulto->setCaption(QString::fromStdString(successRateText(evaluation.score.successRate)));
    const ResultColour colour = evaluation.score.resultColour;
    ui->Rezulto->setColor(QColor(colour.red, colour.green, colour.blue));
}

void TTasko::ShowTotals() {
    ui->TSumo->setCaption(QString::fromStdString(totalsText(drill_.answeredCount(), drill_.RightCount())));
}

// Without a notice window there is nobody to acknowledge the wrong answer: the drill goes on at once.
void TTasko::raiseNotice() {
    if (notice_ == nullptr) {
        drill_.acknowledgeNotice();
        return;
    }
    const std::optional<Evaluation>& evaluation = drill_.lastEvaluation();
    notice_->showNotice(evaluation ? QString::fromStdString(explanationText(*evaluation)) : QString());
    setEnabled(false);
    hide();
}

void TTasko::enterEndState() {
    setAskingControls(false);
    ui->Mesagxo->setCaption(QString::fromUtf8(EndMessage.data(), qsizetype(EndMessage.size())));
    if (drill_.offersRepeat()) {
        const QString repeat = QString::fromStdString(repeatButtonText(drill_.wrongAnswers().size()));
        ui->Ismetles->setCaption(repeat);
        ui->Ismetles->setAccessibleName(repeat);
        showEndButtons(true);
    }
    endStateFocus()->setFocus();
}

void TTasko::showEndButtons(bool on) {
    ui->Ismetles->setVisible(on);
    ui->Attekintes->setVisible(on);
}

// What leads on from an ended sheet takes the focus there; this is the one place that says what it is.
QWidget* TTasko::endStateFocus() const {
    if (ui->Ismetles->isVisibleTo(this)) {
        return ui->Ismetles;
    }
    return ui->Eliro;
}

QWidget* TTasko::focusAfterAnswer() const {
    return drill_.ended() ? endStateFocus() : ui->Valasz;
}

// After every answer a screen reader hears the verdict and what comes next. While the answer box keeps
// the focus a notification says it; the answer box after the notice, and the button that takes the focus
// at the end, carry it as their description, which the reader speaks with the control it comes to.
void TTasko::announce(const Evaluation& evaluation) {
    QString next = ui->Mesagxo->caption();
    if (!drill_.ended()) {
        next = ui->TKerdes->caption() + ui->Kerdes->caption();
    }
    const QString announcement =
        QString::fromStdString(verdictText(evaluation.right)).trimmed() + QLatin1Char(' ') + next;
    focusAfterAnswer()->setAccessibleDescription(announcement);
    if (drill_.state() != DrillState::Notice && !drill_.ended()) {
        announcer_->announce(announcement);
    } else {
        announcer_->hide();
    }
}

void TTasko::setAskingControls(bool on) {
    const QList<QWidget*> askingControls{ui->Kerdes, ui->TKerdes, ui->Valasz, ui->TValasz, ui->Sekva};
    for (QWidget* control : askingControls) {
        control->setEnabled(on);
    }
    for (QWidget* control : askingControls) {
        control->setVisible(on);
    }
}

void TTasko::submitAnswer() {
    const bool taken = drill_.submitAnswer(toLatin3(ui->Valasz->text()));
    ui->Valasz->clear();
    if (taken) {
        showAdvance();
    }
}

void TTasko::SeCl() {
    submitAnswer();
}

void TTasko::VaKU(const QKeyEvent& event) {
    if (isEnterKey(&event)) {
        // Answered by keyboard: the focus is marked when it reaches a button at the end.
        setAttribute(Qt::WA_KeyboardFocusChange);
        submitAnswer();
    }
    if (isEscapeKey(&event)) {
        close();
    }
}

void TTasko::EICl() {
    close();
}

// Before any sheet there are no lines to read the typing help from: the help window then shows nothing.
void TTasko::HeCl() {
    if (help_ == nullptr) {
        return;
    }
    const ContentLines* lines = drill_.SheetLines();
    help_->LoadBlock(TypingHelpBlockName, lines != nullptr ? *lines : NoLines);
    help_->showHelp();
}

// A round starts like a sheet, under the sheet's title marked as a repetition, with the answer box ready.
void TTasko::IsCl() {
    if (!drill_.startRepeatRound()) {
        return;
    }
    ui->Titolo->setCaption(sheetTitle_ +
                           QString::fromUtf8(RepeatTitleSuffix.data(), qsizetype(RepeatTitleSuffix.size())));
    clearDisplays();
    showAdvance();
    ui->Valasz->setFocus();
}

void TTasko::AtCl() {
    if (help_ == nullptr) {
        return;
    }
    QStringList review;
    for (const std::string& line : drill_.reviewLines()) {
        review << QString::fromStdString(line);
    }
    help_->loadText(review);
    help_->showHelp();
}

// "Hibásak újra (N)" stands where "Következő" stood and shares its colour; "Hibáim" opens the help window
// like "Eszperantó betűk!" and shares that one's.
void TTasko::HighlightButtons(int code) {
    if (code < OverBackground || code > OverReview) {
        return;
    }
    highlight(ui->Eliro, code == OverBack, BackHoverColour);
    highlight(ui->Sekva, code == OverNext, NextHoverColour);
    highlight(ui->ELiteroj, code == OverLetters, LettersHoverColour);
    highlight(ui->Ismetles, code == OverRepeat, NextHoverColour);
    highlight(ui->Attekintes, code == OverReview, LettersHoverColour);
}

void TTasko::closeEvent(QCloseEvent* event) {
    emit sheetClosed();
    event->accept();
}

// Valasz acts on the release of Enter and Escape; a disabled answer box (the end state) takes no keys, and
// the releases of a held key do nothing. The end state's buttons act on the release of Enter while they
// have the focus, and take it from the button itself, which would otherwise act on it a second time.
bool TTasko::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ui->Ismetles || watched == ui->Attekintes) && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isPhysicalRelease(key) || !isEnterKey(key)) {
            return QWidget::eventFilter(watched, event);
        }
        key->accept();
        watched == ui->Ismetles ? IsCl() : AtCl();
        return true;
    }
    if (watched == ui->Valasz && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!ui->Valasz->isEnabled() || !isPhysicalRelease(key) || !(isEnterKey(key) || isEscapeKey(key))) {
            return QWidget::eventFilter(watched, event);
        }
        key->accept();
        VaKU(*key);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kvizaro
