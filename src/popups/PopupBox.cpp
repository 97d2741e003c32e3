// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/PopupBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ModalService.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

Q_LOGGING_CATEGORY(lcPopups, "zemko.tovik.popups")

namespace {

// Dialog base units of the 8-point dialog font at 96 dots per inch: a dialog unit
// is a quarter of the average character width across, an eighth of its height down.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// The near-black of the panels, for a popup whose skin has no background picture.
const QColor kFallbackBackground(12, 14, 16);

int DialogUnitsToPixels(int units, int baseUnit, int divisor)
{
    // Rounded to the nearest pixel, as the platform's MulDiv does.
    return (units * baseUnit + divisor / 2) / divisor;
}

// A button caption from the language, or the key without its "$" when the
// language lacks it.
QString ButtonCaption(std::u16string_view key)
{
    const std::u16string text = TranslateText(key);
    return QString::fromStdU16String(text == key ? text.substr(1) : text);
}

} // namespace

CPopupBox::CPopupBox(int templateId, std::u16string skinFile, QWidget* parent)
    : CGUIPanel(std::move(skinFile), parent, Qt::Dialog | Qt::FramelessWindowHint), templateId_(templateId)
{
    EnableClientAreaDrag(true);
}

CPopupBox::~CPopupBox() = default;

std::optional<QSize> CPopupBox::TemplatePixelSize(int templateId)
{
    struct Size {
        int id, width, height;
    };
    static constexpr Size kSizes[] = {
        {PopupTemplate::Warning, 316, 185},
        {PopupTemplate::Progress, 316, 183},
        {PopupTemplate::Entry, 317, 183},
        {PopupTemplate::DpiStages, 316, 184},
        {PopupTemplate::Preview, 317, 183},
        {PopupTemplate::TempDpi, 316, 184},
        {PopupTemplate::SurfaceCalibration, 316, 184},
    };
    for (const Size& size : kSizes)
        if (size.id == templateId)
            return QSize(DialogUnitsToPixels(size.width, kBaseUnitX, 4),
                         DialogUnitsToPixels(size.height, kBaseUnitY, 8));
    return std::nullopt;
}

std::string CPopupBox::RunName() const
{
    return QString::fromStdU16String(SkinFile()).toStdString();
}

int CPopupBox::DoModal()
{
    if (used_)
        return IDCANCEL; // a popup is never reused
    used_ = true;
    // Until the skin says otherwise the window has its template's size.
    if (auto size = TemplatePixelSize(templateId_))
        resize(*size);
    if (Create()) {
        if (!OnInitDialog())
            return IDCANCEL;
    } else if (OffersPlainFallback()) {
        qCWarning(lcPopups) << "popup skin" << RunName().c_str() << "did not load; a plain window stands in";
        BuildPlainFallback();
    } else {
        qCWarning(lcPopups) << "popup skin" << RunName().c_str()
                            << "did not load; the popup cannot be answered without it and counts as cancelled";
        return IDCANCEL;
    }
    if (QWidget* over = parentWidget()) {
        const QRect area = over->window()->geometry();
        move(area.center() - rect().center());
    }
    const int result = RunModal(*this, RunName());
    OnRunEnded();
    return result == IDOK ? IDOK : IDCANCEL;
}

std::u16string CPopupBox::FallbackText() const
{
    // "ConfirmDeletePopup.xml" reads "Confirm Delete".
    std::u16string name = SkinFile();
    if (const auto slash = name.find_last_of(u"/\\"); slash != std::u16string::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.rfind(u'.'); dot != std::u16string::npos)
        name.erase(dot);
    if (name.size() > 5 && name.ends_with(u"Popup"))
        name.erase(name.size() - 5);
    std::u16string words;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c == u'_') {
            words.push_back(u' ');
            continue;
        }
        if (i > 0 && c >= u'A' && c <= u'Z' && name[i - 1] >= u'a' && name[i - 1] <= u'z')
            words.push_back(u' ');
        words.push_back(c);
    }
    return words;
}

void CPopupBox::BuildPlainFallback()
{
    plainFallback_ = true;
    auto* text = new QLabel(QString::fromStdU16String(FallbackText()), this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setStyleSheet(QStringLiteral("color: #E0E0E0;"));
    auto* ok = new QPushButton(ButtonCaption(u"$OK"), this);
    auto* cancel = new QPushButton(ButtonCaption(u"$Cancel"), this);
    ok->setObjectName(QStringLiteral("fallbackOk"));
    cancel->setObjectName(QStringLiteral("fallbackCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
}

bool CPopupBox::OnInitDialog()
{
    BindItems();
    return true;
}

bool CPopupBox::OnCommand(CGUIItem* sender)
{
    if (!sender || sender->kind != ItemKind::BUTTON)
        return false;
    if (sender->id == ItemId::BUTTON_POPUP_OK) {
        OnOK();
        return true;
    }
    if (sender->id == ItemId::BUTTON_POPUP_CANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CPopupBox::OnOK()
{
    EndModal(IDOK);
}

void CPopupBox::OnCancel()
{
    EndModal(IDCANCEL);
}

LRESULT CPopupBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Buttons send their window; text items send their item id.
        CGUIItem* sender = Items().FindByHandle(reinterpret_cast<const IMessageTarget*>(lParam));
        if (!sender && LOWORD(wParam) != 0)
            sender = Items().FindById(int(LOWORD(wParam)), ItemKind::TEXTITEM);
        if (OnCommand(sender))
            return 0;
    }
    return CGUIPanel::WindowProc(msg, wParam, lParam);
}

void CPopupBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        return;
    default:
        CGUIPanel::keyPressEvent(event);
    }
}

void CPopupBox::closeEvent(QCloseEvent* event)
{
    if (IsInModalRun())
        OnCancel();
    CGUIPanel::closeEvent(event);
}

void CPopupBox::paintEvent(QPaintEvent* event)
{
    if (Background().isNull())
        QPainter(this).fillRect(rect(), kFallbackBackground);
    CGUIPanel::paintEvent(event);
}
