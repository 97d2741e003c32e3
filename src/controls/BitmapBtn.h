// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CBitmapBtn`: the skinned push button and check box. It draws one of its state
// bitmaps (normal, over, down, disabled) cut to its own size, shaped by its mask,
// with its caption on top, and tells its parent window about clicks with
// WM_COMMAND (control id 0, code BN_CLICKED, lParam the button's window).
#include <QImage>
#include <QString>

#include "controls/ControlDrawing.h"
#include "platform/SkinWindow.h"
#include "skin/FontItem.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class CBitmapItem;

// Timer id of the blinking look.
constexpr UINT kBlinkTimerId = 16;

// What a button stands for to assistive tools. Check boxes say so themselves;
// a push button that its owner keeps highlighted as the chosen one of a set is a
// radio-style choice or a page tab, and its highlight is its checked state.
enum class ButtonRole { Push, RadioChoice, PageTab };

class CBitmapBtn : public CSkinWindow, public CGUIItem {
public:
    // Creates the button at `rect` (in the parent's client coordinates), visible.
    CBitmapBtn(const SkinRect& rect, QWidget* parent);
    // Creates and configures a button from its skin element.
    static std::unique_ptr<CBitmapBtn> FromElement(const ButtonElement& element);

    // Cuts each bitmap to the given rectangle of its source; with a mask also cuts
    // the mask and, the first time, shapes the window from it.
    void SetBitmaps(const QImage& normal, const QImage& over, const QImage& down, const QImage& disabled,
                    const QImage& mask, const SkinRect& cut);

    void SetCheckBox(bool isCheckBox) { isCheckBox_ = isCheckBox; }
    bool IsCheckBox() const { return isCheckBox_; }
    // Whether a click flips the checked state (check boxes toggle by default).
    void SetToggles(bool toggles) { toggles_ = toggles; }
    bool Toggles() const { return toggles_; }
    void SetChecked(bool checked);
    bool IsChecked() const { return checked_; }
    // Drawn as if hovered, without the pointer being over it.
    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return highlighted_; }
    void SetButtonRole(ButtonRole role) { role_ = role; }
    ButtonRole GetButtonRole() const { return role_; }
    // The hover look, also set by a label linked to this check box.
    void SetHover(bool hover);
    bool IsHover() const { return hover_; }
    bool IsPressed() const { return pressed_; }
    // A bitmap item whose bitmap replaces every state bitmap (null: none).
    void SetBitmapItem(const CBitmapItem* item);

    void SetFont(const CFontItem* font);
    // Text colours per state: normal, over, down/checked, disabled (0: the default).
    void SetColours(COLORREF normal, COLORREF over, COLORREF down, COLORREF disabled);
    void SetCaption(std::u16string_view key, CapsMode caps = CapsMode::AsWritten);
    const QString& Caption() const { return caption_; }
    void SetTextFormat(const DrawTextFormat& format) { format_ = format; }
    void SetLeftMargin(int margin) { leftMargin_ = margin; }
    void SetTooltip(std::u16string_view key);

    // Alternates the drawn image between the normal and the over bitmap every
    // `period` milliseconds; 0 stops blinking.
    void Blink(UINT period);
    bool IsBlinking() const { return HasTimer(kBlinkTimerId); }

    // Flips the checked state as a click does and notifies the parent; used by a
    // linked label. Returns false when the button is disabled.
    bool ClickFromLabel();

    // The image the next paint draws (before the mask), for the state as it is now.
    const QImage& ChosenImage() const;
    // The text colour the next paint uses.
    COLORREF ChosenTextColour() const;

    void Show(int flag) override { CGUIItem::Show(flag); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Space clicks the button; Enter clicks it too unless it is a check box, where
    // Enter keeps its meaning for the window (OK).
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnTimer(UINT id) override;

private:
    void NotifyParent();
    void AnnounceChecked();

    QImage normal_, over_, down_, disabled_, mask_;
    bool regionSet_ = false;
    COLORREF colours_[4] = {0, 0, 0, 0};
    QString caption_;
    const CFontItem* font_ = nullptr;
    DrawTextFormat format_ = ButtonTextFormat(Justify::Left, 0);
    int leftMargin_ = 0;
    bool isCheckBox_ = false;
    bool toggles_ = true;
    bool checked_ = false;
    bool hover_ = false;
    bool highlighted_ = false;
    bool pressed_ = false;
    bool blinkPhase_ = false;
    const CBitmapItem* bitmapItem_ = nullptr;
    ButtonRole role_ = ButtonRole::Push;
};
