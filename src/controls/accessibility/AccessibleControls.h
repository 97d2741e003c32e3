// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Accessibility interfaces of the skinned controls. Each reads the control it
// stands for at the moment it is asked, so names, values and states always match
// what is drawn; none keeps a copy.
#include "controls/accessibility/AccessibleRowChild.h"

#include <QAccessibleWidget>

class CBitmapBtn;
class CTextItem;
class CSliderBase;
class CListPanelRows;
class CDropdownListItem;
class CEditItem;
class CDPIStageWindow;
class CProgressPanelItem;

// Push button, check box, radio-style choice or page tab; pressing it clicks it
// as the pointer does.
class CAccessibleButton : public QAccessibleWidget {
public:
    explicit CAccessibleButton(CBitmapBtn* button);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CBitmapBtn* Button() const;
};

// A label. An empty label draws nothing and is not announced; a clickable one is
// a button, and can be pressed as one.
class CAccessibleText : public QAccessibleWidget {
public:
    explicit CAccessibleText(CTextItem* item);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CTextItem* Item() const;
};

// A slider thumb with its range and step; setting the value moves the thumb and
// notifies as a finished drag does.
class CAccessibleSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CAccessibleSlider(CSliderBase* slider);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    CSliderBase* Slider() const;
};

// The rows of a list panel, each row a child.
class CAccessibleList : public QAccessibleWidget {
public:
    explicit CAccessibleList(CListPanelRows* rows);
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    CListPanelRows* Rows() const;

private:
    // Row interfaces made so far, by row; the accessibility cache owns them until
    // this list's interface goes.
    mutable CAccessibleChildIds<int> rows_;
};

// A drop-down; the colour drop-down announces its colour as a hex value. The
// choice on show is also its read-only text: Qt's AT-SPI bridge passes no value
// text on, so without it a screen reader on Linux hears the drop-down's name but
// never what is chosen in it.
class CAccessibleDropdown : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit CAccessibleDropdown(CDropdownListItem* dropdown);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    // Opening the list, as Space does; answered before the list runs.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    CDropdownListItem* Dropdown() const;
    QString Shown() const;
};

// An edit field: its value is the text typed in it.
class CAccessibleEdit : public QAccessibleWidget {
public:
    explicit CAccessibleEdit(CEditItem* edit);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

private:
    CEditItem* Edit() const;
};

// A sensitivity stage: a choice among the stages, named by its heading, its
// value the sensitivity it holds; pressing it chooses it.
class CAccessibleStageWindow : public QAccessibleWidget {
public:
    explicit CAccessibleStageWindow(CDPIStageWindow* stage);
    QAccessible::Role role() const override { return QAccessible::RadioButton; }
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CDPIStageWindow* Stage() const;
};

// The bar of a progress window: its value the percent done, named by what is
// under way (its first line), the step in progress its description. Only the
// work moves it; an assistive tool cannot.
class CAccessibleProgress : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CAccessibleProgress(CProgressPanelItem* panel);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    CProgressPanelItem* Panel() const;
};
