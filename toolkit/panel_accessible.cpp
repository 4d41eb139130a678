#include "panel_accessible.h"

#include "panel.h"

#include <QAccessible>

namespace kvizaro {

namespace {

// A caption as a reader compares it: without the blanks around it and a label's colon.
QString spoken(QString text) {
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

// Whether `name` tells more than `caption` already does ("Kérdés" beside "Kérdés:" does not; "1. menüpont"
// beside a lesson's title does).
bool addsTo(const QString& name, const QString& caption) {
    return !spoken(caption).startsWith(spoken(name), Qt::CaseInsensitive);
}

const QList<Panel*> labelsOf(const Panel* labelled) {
    QList<Panel*> labels;
    if (const QWidget* parent = labelled->parentWidget()) {
        for (Panel* sibling : parent->findChildren<Panel*>(Qt::FindDirectChildrenOnly)) {
            if (sibling->labelFor() == labelled) {
                labels.append(sibling);
            }
        }
    }
    return labels;
}

QAccessibleInterface* panelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(Panel::staticMetaObject.className()) && object != nullptr) {
        return new PanelAccessible(static_cast<Panel*>(object));
    }
    return nullptr;
}

} // namespace

PanelAccessible::PanelAccessible(Panel* panel) : QAccessibleWidget(panel) {}

Panel* PanelAccessible::panel() const {
    return static_cast<Panel*>(widget());
}

bool PanelAccessible::isShownText() const {
    return !panel()->caption().isEmpty();
}

// Panels that hold others (the boards) stay in the tree as plain panes so that their controls are found.
QAccessible::Role PanelAccessible::role() const {
    if (panel()->isButton()) {
        return QAccessible::Button;
    }
    return isShownText() ? QAccessible::StaticText : QAccessible::Pane;
}

QAccessible::State PanelAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const bool holdsControls = !panel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
    if (!isShownText() && !holdsControls) {
        state.invisible = true;
    }
    return state;
}

QString PanelAccessible::text(QAccessible::Text kind) const {
    switch (kind) {
    case QAccessible::Name:
        return isShownText() ? panel()->caption() : QString();
    case QAccessible::Description:
        return description();
    default:
        return QAccessibleWidget::text(kind);
    }
}

// The forms gave every panel a fixed name; beside the caption it is kept only where it tells more (the
// number of a menu slot, what the web link is), and a description set at run time wins.
QString PanelAccessible::description() const {
    if (!panel()->accessibleDescription().isEmpty()) {
        return panel()->accessibleDescription();
    }
    const QString formName = panel()->accessibleName();
    bool adds = !formName.isEmpty() && addsTo(formName, panel()->caption());
    for (const Panel* label : labelsOf(panel())) {
        adds = adds && addsTo(formName, label->caption());
    }
    return adds ? formName : panel()->toolTip();
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
PanelAccessible::relations(QAccessible::Relation match) const {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> found = QAccessibleWidget::relations(match);
    if (match & QAccessible::Labelled) {
        if (QWidget* labelled = panel()->labelFor()) {
            if (QAccessibleInterface* target = QAccessible::queryAccessibleInterface(labelled)) {
                found.append({target, QAccessible::Labelled});
            }
        }
    }
    if (match & QAccessible::Label) {
        for (Panel* label : labelsOf(panel())) {
            if (QAccessibleInterface* source = QAccessible::queryAccessibleInterface(label)) {
                found.append({source, QAccessible::Label});
            }
        }
    }
    return found;
}

void* PanelAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface && isShownText() && !panel()->isButton()) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QStringList PanelAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (panel()->isButton()) {
        names.prepend(pressAction());
    }
    return names;
}

void PanelAccessible::doAction(const QString& action) {
    if (action == pressAction()) {
        panel()->press();
        return;
    }
    QAccessibleWidget::doAction(action);
}

QStringList PanelAccessible::keyBindingsForAction(const QString& action) const {
    if (action == pressAction() && panel()->isButton()) {
        return {QStringLiteral("Space"), QStringLiteral("Return")};
    }
    return QAccessibleWidget::keyBindingsForAction(action);
}

void PanelAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString PanelAccessible::text(int startOffset, int endOffset) const {
    return panel()->caption().mid(startOffset, endOffset - startOffset);
}

int PanelAccessible::characterCount() const {
    return int(panel()->caption().size());
}

// Where each letter stands is the painter's business; a reader needs the text, not its pixels.
QRect PanelAccessible::characterRect(int) const {
    return {};
}

int PanelAccessible::offsetAtPoint(const QPoint&) const {
    return -1;
}

QString PanelAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void installPanelAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(panelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kvizaro
