// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleControls.h"

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"
#include "controls/ProgressPanelItem.h"
#include "controls/SliderBase.h"
#include "controls/TextItem.h"
#include "controls/accessibility/AccessibleListRow.h"
#include "controls/accessibility/AccessibleName.h"

#include <QLineEdit>
#include <QTimer>

namespace {

// "#RRGGBB" for a colour stored as 0x00BBGGRR.
QString HexColour(COLORREF colour)
{
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(colour), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(colour), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(colour), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// The words of a label linked to this check box; a check box drawn without a
// caption is named by the label beside it, as a sighted user reads it.
QString LinkedLabelText(const CBitmapBtn& button)
{
    const QWidget* parent = button.parentWidget();
    if (!parent)
        return {};
    for (const QObject* sibling : parent->children())
        if (const auto* label = dynamic_cast<const CTextItem*>(sibling); label && label->LinkedCheckBox() == &button)
            return label->GetText();
    return {};
}

// A press may open a popup, whose own event loop runs until it closes. The tool
// that asked (over AT-SPI, a D-Bus call awaiting its answer) would hang all that
// time, so the act comes just after the request is answered, as Qt's own buttons do.
template <typename Act>
void ActAfterAnswering(QObject* control, Act act)
{
    QTimer::singleShot(0, control, std::move(act));
}

// The label a sighted user reads for a row of choices ("Scroll wheel" before "On"
// and "Off"): the label beside the row's first choice. Empty when none.
QString ChoiceRowLabel(const CBitmapBtn& button)
{
    const QWidget* parent = button.parentWidget();
    if (!parent)
        return {};
    const int middle = button.geometry().center().y();
    const CBitmapBtn* first = &button;
    for (const QObject* sibling : parent->children()) {
        const auto* other = dynamic_cast<const CBitmapBtn*>(sibling);
        if (!other || !other->isVisible() || other->GetButtonRole() != button.GetButtonRole())
            continue;
        const QRect box = other->geometry();
        if (box.top() <= middle && middle <= box.bottom() && box.left() < first->geometry().left())
            first = other;
    }
    return LabelBeside(*first);
}

} // namespace

// ---- buttons ---------------------------------------------------------------------

CAccessibleButton::CAccessibleButton(CBitmapBtn* button) : QAccessibleWidget(button, QAccessible::Button) {}

CBitmapBtn* CAccessibleButton::Button() const
{
    return static_cast<CBitmapBtn*>(widget());
}

QAccessible::Role CAccessibleButton::role() const
{
    if (Button()->IsCheckBox())
        return Button()->Toggles() ? QAccessible::CheckBox : QAccessible::RadioButton;
    switch (Button()->GetButtonRole()) {
    case ButtonRole::RadioChoice:
        return QAccessible::RadioButton;
    case ButtonRole::PageTab:
        return QAccessible::PageTab;
    case ButtonRole::Push:
        break;
    }
    return QAccessible::Button;
}

QString CAccessibleButton::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        QString caption = Button()->Caption();
        if (caption.trimmed().isEmpty() && Button()->IsCheckBox())
            caption = LinkedLabelText(*Button());
        return AccessibleControlName(*Button(), caption);
    }
    case QAccessible::Description: {
        // A choice's caption ("Off") says little alone; its row says what it is for.
        const QString tip = Button()->toolTip();
        if (tip.isEmpty() && role() == QAccessible::RadioButton)
            return ChoiceRowLabel(*Button());
        return tip;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CAccessibleButton::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const CBitmapBtn* button = Button();
    state.pressed = button->IsPressed();
    state.hotTracked = button->IsHover();
    if (button->IsCheckBox()) {
        state.checkable = true;
        state.checked = button->IsChecked();
    } else if (button->GetButtonRole() != ButtonRole::Push) {
        state.checkable = true;
        state.checked = button->IsHighlighted();
        state.selected = button->IsHighlighted();
        state.selectable = true;
    }
    return state;
}

QStringList CAccessibleButton::actionNames() const
{
    if (!Button()->isEnabled())
        return {};
    return {role() == QAccessible::CheckBox ? toggleAction() : pressAction()};
}

void CAccessibleButton::doAction(const QString& actionName)
{
    if (actionName != pressAction() && actionName != toggleAction())
        return;
    ActAfterAnswering(Button(), [button = Button()] { button->ClickFromLabel(); });
}

// ---- labels ----------------------------------------------------------------------

CAccessibleText::CAccessibleText(CTextItem* item) : QAccessibleWidget(item, QAccessible::StaticText) {}

CTextItem* CAccessibleText::Item() const
{
    return static_cast<CTextItem*>(widget());
}

QAccessible::Role CAccessibleText::role() const
{
    return Item()->IsInteractive() ? QAccessible::Button : QAccessible::StaticText;
}

QString CAccessibleText::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return Item()->GetText().simplified();
    case QAccessible::Description:
        return Item()->toolTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CAccessibleText::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // A label without words is decoration: nothing to say.
    if (Item()->GetText().trimmed().isEmpty())
        state.invisible = true;
    state.hotTracked = Item()->IsHover();
    return state;
}

QStringList CAccessibleText::actionNames() const
{
    if (!Item()->IsInteractive() || !Item()->isEnabled())
        return {};
    return {pressAction()};
}

void CAccessibleText::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        ActAfterAnswering(Item(), [item = Item()] { item->Click(); });
}

// ---- sliders ---------------------------------------------------------------------

CAccessibleSlider::CAccessibleSlider(CSliderBase* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

CSliderBase* CAccessibleSlider::Slider() const
{
    return static_cast<CSliderBase*>(widget());
}

void* CAccessibleSlider::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CAccessibleSlider::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // A thumb runs on its track, so the label beside the track names it as
        // the eye reads it; failing that, its own name or its track's.
        const QWidget& host = Slider()->Track() ? *static_cast<QWidget*>(Slider()->Track()) : *Slider();
        QString name = Slider()->accessibleName();
        if (name.isEmpty())
            name = LabelBeside(host);
        if (name.isEmpty())
            name = AccessibleControlName(*Slider(), QString());
        if (name.isEmpty() && Slider()->Track())
            name = AccessibleControlName(*Slider()->Track(), QString());
        return name;
    }
    case QAccessible::Value:
        return Slider()->TooltipLabel().isEmpty() ? QString::number(Slider()->GetValue()) : Slider()->TooltipLabel();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CAccessibleSlider::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // The thumb keeps its own enabled flag: a disabled slider is still a live window.
    state.disabled = state.disabled || !Slider()->IsSliderEnabled();
    state.pressed = Slider()->IsDragging();
    state.hotTracked = Slider()->IsHover();
    return state;
}

QStringList CAccessibleSlider::actionNames() const
{
    if (!Slider()->IsSliderEnabled())
        return {};
    return {increaseAction(), decreaseAction()};
}

void CAccessibleSlider::doAction(const QString& actionName)
{
    CSliderBase* slider = Slider();
    const double step = double(slider->GetStep());
    if (actionName == increaseAction())
        slider->MoveToValue(std::min<double>(slider->GetValue() + step, slider->GetMax()));
    else if (actionName == decreaseAction())
        slider->MoveToValue(std::max<double>(slider->GetValue() - step, slider->GetMin()));
}

QVariant CAccessibleSlider::currentValue() const
{
    return Slider()->GetValue();
}

void CAccessibleSlider::setCurrentValue(const QVariant& value)
{
    bool ok = false;
    const double wanted = value.toDouble(&ok);
    if (!ok)
        return;
    Slider()->MoveToValue(std::clamp<double>(wanted, Slider()->GetMin(), Slider()->GetMax()));
}

QVariant CAccessibleSlider::maximumValue() const
{
    return Slider()->GetMax();
}

QVariant CAccessibleSlider::minimumValue() const
{
    return Slider()->GetMin();
}

QVariant CAccessibleSlider::minimumStepSize() const
{
    return double(Slider()->GetStep());
}

// ---- list panels -----------------------------------------------------------------

CAccessibleList::CAccessibleList(CListPanelRows* rows)
    : QAccessibleWidget(rows, dynamic_cast<CListPanelPopupList*>(rows) ? QAccessible::PopupMenu : QAccessible::List)
{
}

CListPanelRows* CAccessibleList::Rows() const
{
    return static_cast<CListPanelRows*>(widget());
}

QString CAccessibleList::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return AccessibleControlName(*Rows(), QString());
    if (t == QAccessible::Value)
        return Rows()->Panel().SelectionText();
    return QAccessibleWidget::text(t);
}

int CAccessibleList::childCount() const
{
    return Rows()->Panel().RowCount();
}

QAccessibleInterface* CAccessibleList::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return rows_.Get(index, [&] { return new CAccessibleListRow(Rows(), index); });
}

int CAccessibleList::indexOfChild(const QAccessibleInterface* child) const
{
    return IndexOfRowChild(child, this, childCount());
}

// ---- drop-downs ------------------------------------------------------------------

CAccessibleDropdown::CAccessibleDropdown(CDropdownListItem* dropdown)
    : QAccessibleWidget(dropdown, QAccessible::ComboBox)
{
}

CDropdownListItem* CAccessibleDropdown::Dropdown() const
{
    return static_cast<CDropdownListItem*>(widget());
}

void* CAccessibleDropdown::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CAccessibleDropdown::Shown() const
{
    if (const auto* colour = dynamic_cast<const CDropdownColorButton*>(Dropdown()))
        return HexColour(colour->ShownColour());
    return Dropdown()->BoxText();
}

QString CAccessibleDropdown::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return AccessibleControlName(*Dropdown(), QString());
    case QAccessible::Value:
        return Shown();
    default:
        return QAccessibleWidget::text(t);
    }
}

QString CAccessibleDropdown::text(int startOffset, int endOffset) const
{
    const QString shown = Shown();
    // -1 as the end means "to the end", as AT-SPI clients ask for the whole text.
    if (endOffset < 0 || endOffset > shown.size())
        endOffset = int(shown.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return shown.mid(startOffset, endOffset - startOffset);
}

int CAccessibleDropdown::characterCount() const
{
    return int(Shown().size());
}

void CAccessibleDropdown::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
}

QString CAccessibleDropdown::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}

QStringList CAccessibleDropdown::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (!Dropdown()->IsDisabled() && Dropdown()->IsInteractive() && Dropdown()->isEnabled())
        names << showMenuAction() << pressAction();
    return names;
}

void CAccessibleDropdown::doAction(const QString& actionName)
{
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    ActAfterAnswering(Dropdown(), [dropdown = Dropdown()] { dropdown->OpenAtChoice(); });
}

QAccessible::State CAccessibleDropdown::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.disabled = state.disabled || Dropdown()->IsDisabled();
    state.expandable = true;
    const bool open = Dropdown()->IsOpen() || (dynamic_cast<const CDropdownColorButton*>(Dropdown()) &&
                                               static_cast<const CDropdownColorButton*>(Dropdown())->IsPaletteOpen());
    state.expanded = open;
    state.collapsed = !open;
    state.hasPopup = true;
    return state;
}

// ---- edit fields -----------------------------------------------------------------

CAccessibleEdit::CAccessibleEdit(CEditItem* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

CEditItem* CAccessibleEdit::Edit() const
{
    return static_cast<CEditItem*>(widget());
}

QString CAccessibleEdit::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return AccessibleControlName(*Edit(), QString());
    if (t == QAccessible::Value)
        return Edit()->GetText();
    return QAccessibleWidget::text(t);
}

QAccessible::State CAccessibleEdit::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    const QLineEdit* line = Edit()->Edit();
    state.focused = state.focused || (line && line->hasFocus());
    state.readOnly = line && line->isReadOnly();
    return state;
}

// ---- stage windows ---------------------------------------------------------------

CAccessibleStageWindow::CAccessibleStageWindow(CDPIStageWindow* stage)
    : QAccessibleWidget(stage, QAccessible::RadioButton)
{
}

CDPIStageWindow* CAccessibleStageWindow::Stage() const
{
    return static_cast<CDPIStageWindow*>(widget());
}

QString CAccessibleStageWindow::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // "Stage 2: 1600", so that the number is heard with the stage even where
        // the value is not asked for.
        QString heading = Stage()->AreaText(u"HEADING").simplified();
        if (heading.isEmpty())
            heading = AccessibleControlName(*Stage(), QString());
        return heading + QStringLiteral(": ") + Stage()->ValuesText();
    }
    case QAccessible::Value:
        return Stage()->ValuesText();
    case QAccessible::Description:
        return Stage()->toolTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CAccessibleStageWindow::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Stage()->IsSelected();
    state.selectable = true;
    state.selected = Stage()->IsSelected();
    return state;
}

QStringList CAccessibleStageWindow::actionNames() const
{
    if (!Stage()->isEnabled() || !Stage()->IsClickable())
        return {};
    return {pressAction()};
}

void CAccessibleStageWindow::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        Stage()->Choose();
}

// ---- progress bars ---------------------------------------------------------------

CAccessibleProgress::CAccessibleProgress(CProgressPanelItem* panel) : QAccessibleWidget(panel, QAccessible::ProgressBar)
{
}

CProgressPanelItem* CAccessibleProgress::Panel() const
{
    return static_cast<CProgressPanelItem*>(widget());
}

void* CAccessibleProgress::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CAccessibleProgress::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // Before a source reports, the bar is about what its window says is under way.
        if (QString line = Panel()->LineText(0).simplified(); !line.isEmpty())
            return line;
        if (QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Panel()->QWidget::window());
            window && window->object() != Panel())
            return window->text(QAccessible::Name);
        return AccessibleControlName(*Panel(), QString());
    }
    case QAccessible::Description:
        return Panel()->LineText(1).simplified();
    case QAccessible::Value:
        return Panel()->PercentText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QVariant CAccessibleProgress::currentValue() const
{
    return Panel()->Percent();
}
