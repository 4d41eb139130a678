// What a screen reader learns of a Panel. A panel button is a push button named by its caption, with a
// press action; a panel that shows text is a label whose name and text are its caption; an empty panel
// (a dividing line, an unused menu slot, a colour) is left out. Label panels point at what they label.
#pragma once

#include <QAccessibleWidget>

namespace kvizaro {

class Panel;

class PanelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PanelAccessible(Panel* panel);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

    // The caption as read-only text.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    Panel* panel() const;
    bool isShownText() const;
    QString description() const;
};

// Registers PanelAccessible for every Panel; called by the first Panel, later calls do nothing.
void installPanelAccessibility();

} // namespace kvizaro
