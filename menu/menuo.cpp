#include "menuo.h"

#include "failure.h"
#include "look.h"
#include "panel.h"
#include "platform.h"
#include "sugo.h"
#include "tasko.h"
#include "text.h"
#include "ui_menuo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWheelEvent>

namespace kvizaro {

namespace {

constexpr QSize BoardSize{640, 480};
const QColor ExitHoverColour{255, 0, 0};
const QColor ExitHoverFontColour{255, 255, 255};

enum ActionCode : std::uint8_t {
    FirstPage = 0,
    FirstSlot = 1,
    LastSlot = 8,
    PageAtScrollPosition = 20,
    HelpButton1 = 51,
    HelpButton2 = 52,
    HelpButton3 = 53,
    WebLink = 61,
};

enum HoverCode : std::uint8_t {
    Board = 0,
    ExitButton = 41,
};

} // namespace

TMenuo::TMenuo(Platform& platform, const std::filesystem::path& contentFile, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::Menuo>()),
      platform_(platform) {
    ui->setupUi(this);
    applyFormLook(this);
    move(DesignOrigin);
    // The window's own colour is only the backdrop around the board; the board's controls keep the
    // desktop's window colour.
    QPalette boardColours = ui->Tablo->palette();
    boardColours.setBrush(QPalette::Window, QApplication::palette().window());
    ui->Tablo->setPalette(boardColours);
    ui->SBildo->setCaption(QString::fromUtf8(MakerWebAddress));
    slots_ = {ui->MenuEro01, ui->MenuEro02, ui->MenuEro03, ui->MenuEro04,
              ui->MenuEro05, ui->MenuEro06, ui->MenuEro07, ui->MenuEro08};
    helpButtons_ = {ui->SugoT1, ui->SugoT2, ui->SugoT3};
    ui->Csuszka->setSingleStep(MenuModel::LineStep);
    ui->Csuszka->setPageStep(MenuModel::PageStep);
    connectControls();

    Indul(contentFile);
}

void TMenuo::Indul(const std::filesystem::path& contentFile) {
    // An exception here ends the loading as a failed read does: reported, and the run goes on without
    // content.
    try {
        LoadResult loaded = LoadContent(contentFile);
        ContentLines = std::move(loaded.lines);
        loadError_ = std::move(loaded.error);
        // A file that holds no lessons at all must not pass for an empty menu.
        if (!loadError_ && !FindBlock(ContentLines, MenuBlockName)) {
            loadError_ = noLessonsText(contentFile);
        }
    } catch (const std::exception& error) {
        loadError_ = failureMessage(error);
    }
}

TMenuo::~TMenuo() = default;

void TMenuo::connectControls() {
    connect(ui->Tablo, &Panel::mouseMoved, this, [this] { Highlight(Board); }); // TaMO
    for (int k = 1; k <= SlotCount; ++k) {
        const auto code = static_cast<std::uint8_t>(k);
        Panel* slot = slots_[static_cast<std::size_t>(k - 1)];
        connect(slot, &Panel::clicked, this, [this, code] { MenuAction(code); });   // M01Cl .. M08Cl
        connect(slot, &Panel::mouseMoved, this, [this, code] { Highlight(code); }); // ME01MO .. ME08MO
    }
    const std::array<std::uint8_t, 3> helpCodes = {HelpButton1, HelpButton2, HelpButton3};
    for (std::size_t i = 0; i < helpButtons_.size(); ++i) {
        const std::uint8_t code = helpCodes[i];
        connect(helpButtons_[i], &Panel::clicked, this, [this, code] { MenuAction(code); });   // S1Cl ..
        connect(helpButtons_[i], &Panel::mouseMoved, this, [this, code] { Highlight(code); }); // St1MO ..
    }
    connect(ui->SBildo, &Panel::clicked, this, [this] { MenuAction(WebLink); });     // WECl
    connect(ui->SBildo, &Panel::mouseMoved, this, [this] { Highlight(WebLink); });   // WEMO
    connect(ui->Kilep, &Panel::clicked, this, [this] { platform_.exitNow(0); });     // KiClick
    connect(ui->Kilep, &Panel::mouseMoved, this, [this] { Highlight(ExitButton); }); // KilMO
    connect(ui->Csuszka, &QScrollBar::valueChanged, this,
            [this] { MenuAction(PageAtScrollPosition); }); // CsCh

    // The scroll bar is left without keepMouseMoves: it needs the moves to drag its thumb, and without
    // mouse tracking the moves over it never reach the board anyway.
    ui->Csuszka->installEventFilter(this);
    keepMouseMoves(ui->Ulo);
    for (Panel* slot : slots_) {
        slot->installEventFilter(this);
    }
}

void TMenuo::setWindows(TTasko& task, TSugo& help) {
    task_ = &task;
    help_ = &help;
}

void TMenuo::returnFromSheet() {
    setEnabled(true);
    ui->Tablo->show();
}

// ---------------------------------------------------------------------------------------------------------
// First activation

// The first-time work runs at the first showing or the first activation, whichever comes first. The
// window then reaches the screen at its full size at once, and a window manager that does not activate
// a newly started program cannot leave the menu empty.
bool TMenuo::event(QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
        MainStart();
    }
    return QWidget::event(event);
}

void TMenuo::MainStart() {
    if (!FirstActivation) {
        return;
    }
    const QSize screen = platform_.screenSize();
    move(0, 0);
    resize(screen);
    ui->Tablo->move(ui->Tablo->pos() + centredOrigin(screen, BoardSize));
    BuildMenu();
    MenuAction(FirstPage);
    // The scroll bar holds the keys at first, as when it was the only control that took the focus; the
    // buttons before it in the tab order are reached by Tab.
    ui->Csuszka->setFocus();
    if (!platform_.canShowEsperantoLetters(esperantoFont())) {
        // Asked for once the main window is up, so that the wizard ends up in front and active.
        QTimer::singleShot(0, this, [this] { emit fontWizardWanted(); });
    }
    FirstActivation = false;
}

void TMenuo::closeEvent(QCloseEvent* event) {
    event->accept();
    emit mainWindowClosed();
}

// ---------------------------------------------------------------------------------------------------------
// The menu model and its pages

void TMenuo::BuildMenu() {
    model_.BuildMenu(ContentLines);
    for (int button = 1; button <= MenuModel::HelpButtons; ++button) {
        helpButtons_[std::size_t(button - 1)]->setCaption(fromWindows1250(model_.helpCaption(button)));
    }
    ui->Csuszka->setMaximum(model_.lastPosition());
}

void TMenuo::MenuAction(std::uint8_t code) {
    switch (code) {
    case FirstPage:
        model_.showFirstPage();
        showPage();
        break;
    case PageAtScrollPosition:
        model_.showPageAt(ui->Csuszka->value());
        showPage();
        break;
    case HelpButton1:
        showHelpBlock(model_.HelpBlock1());
        break;
    case HelpButton2:
        showHelpBlock(model_.HelpBlock2());
        break;
    case HelpButton3:
        showHelpBlock(model_.HelpBlock3());
        break;
    case WebLink:
        platform_.openUrl(QString::fromUtf8(MakerWebAddress));
        break;
    default:
        if (code >= FirstSlot && code <= LastSlot) {
            chooseSlot(code);
        }
        break;
    }
}

// Slots that show no entry (only a menu shorter than the slots has them) are left as they are.
void TMenuo::showPage() {
    for (int k = 1; k <= SlotCount; ++k) {
        if (const int entry = model_.entryInSlot(k)) {
            showEntry(k, entry);
        }
    }
    repaint();
}

// A row that does nothing when chosen (a heading) is no button to a screen reader nor a Tab stop.
void TMenuo::showEntry(int slot, int entry) {
    slots_[static_cast<std::size_t>(slot - 1)]->setActsOnClick(model_.raisesUnderMouse(slot));
    SetSlotCaption(slot, fromWindows1250(model_.EntryCaption(entry)));
    SetSlotHeading(slot, model_.isHeading(entry));
}

void TMenuo::SetSlotCaption(int slot, const QString& caption) {
    if (slot >= 1 && slot <= SlotCount) {
        slots_[static_cast<std::size_t>(slot - 1)]->setCaption(caption);
    }
}

void TMenuo::SetSlotHeading(int slot, bool heading) {
    if (slot >= 1 && slot <= SlotCount) {
        slots_[static_cast<std::size_t>(slot - 1)]->setBold(heading);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Actions

void TMenuo::chooseSlot(int slot) {
    const SlotChoice choice = model_.chooseSlot(slot);
    if (choice.kind == SlotChoice::Kind::ShowHelp) {
        showHelpBlock(choice.block);
        return;
    }
    if (choice.kind != SlotChoice::Kind::OpenSheet || task_ == nullptr) {
        return;
    }
    task_->StartSheet(slots_[static_cast<std::size_t>(slot - 1)]->caption(), choice.block, ContentLines);
    showWindow(task_);
    setEnabled(false);
    ui->Tablo->hide();
    if (QLineEdit* answer = task_->answerBox()) {
        answer->setFocus();
    }
}

void TMenuo::showHelpBlock(const std::string& block) {
    if (help_ == nullptr) {
        return;
    }
    help_->LoadBlock(block, ContentLines);
    help_->showHelp();
}

// ---------------------------------------------------------------------------------------------------------
// Hover highlighting

Panel* TMenuo::hoverTarget(std::uint8_t code) const {
    if (code >= FirstSlot && code <= LastSlot) {
        return slots_[static_cast<std::size_t>(code - 1)];
    }
    switch (code) {
    case ExitButton:
        return ui->Kilep;
    case HelpButton1:
    case HelpButton2:
    case HelpButton3:
        return helpButtons_[static_cast<std::size_t>(code - HelpButton1)];
    case WebLink:
        return ui->SBildo;
    default:
        return nullptr;
    }
}

void TMenuo::putInRestLook(Panel* button) const {
    button->setHovered(false);
    if (button == ui->Kilep) {
        button->setColor(systemColour(SystemColour::ButtonFace));
        button->setFontColor(systemColour(SystemColour::WindowText));
    }
}

void TMenuo::Highlight(std::uint8_t code) {
    Panel* target = hoverTarget(code);
    if (target != nullptr || code == Board) {
        for (Panel* button : {ui->SBildo, ui->Kilep}) {
            if (button != target) {
                putInRestLook(button);
            }
        }
        for (Panel* button : slots_) {
            if (button != target) {
                putInRestLook(button);
            }
        }
        for (Panel* button : helpButtons_) {
            if (button != target) {
                putInRestLook(button);
            }
        }
    }
    if (code >= FirstSlot && code <= LastSlot) {
        if (model_.raisesUnderMouse(code)) {
            target->setHovered(true);
        }
    } else if (target != nullptr) {
        target->setHovered(true);
        if (code == ExitButton) {
            target->setColor(ExitHoverColour);
            target->setFontColor(ExitHoverFontColour);
        }
    }
    repaint();
}

// ---------------------------------------------------------------------------------------------------------
// Keyboard

void TMenuo::keyPressEvent(QKeyEvent* event) {
    MeKP(event);
}

void TMenuo::keyReleaseEvent(QKeyEvent* event) {
    MeKU(event);
}

bool TMenuo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched != ui->Csuszka) {
        scrollByWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched != ui->Csuszka || !isKey) {
        return QWidget::eventFilter(watched, event);
    }
    // Each key reaches MeKP and MeKU once: here, then the scroll bar moves on its own keys, and the key is
    // kept from travelling on to this window, whose handlers would see it a second time.
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress) {
        MeKP(key);
    } else {
        MeKU(key);
    }
    static_cast<QObject*>(ui->Csuszka)->event(event);
    key->accept();
    return true;
}

// The wheel over the list moves it as the scroll bar's arrows do, one row a notch, within the same range;
// the scroll bar's own wheel handling would move it by several rows. High-resolution wheels and touchpads
// send parts of a notch, which add up.
void TMenuo::scrollByWheel(QWheelEvent* event) {
    constexpr int Notch = QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / Notch;
    wheelRemainder_ -= notches * Notch;
    if (notches != 0) {
        ui->Csuszka->setValue(ui->Csuszka->value() - notches * ui->Csuszka->singleStep());
    }
    event->accept();
}

void TMenuo::MeKP(const QKeyEvent* event) {
    if (const std::optional<std::uint8_t> slot = MenuModel::slotForKeyText(event->text().toStdU16String())) {
        MenuAction(*slot);
    }
}

void TMenuo::MeKU(const QKeyEvent* event) {
    if (isPhysicalRelease(event) && isEscapeKey(event)) {
        platform_.exitNow(0);
    }
}

} // namespace kvizaro
