// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/accessibility/AccessiblePopup.h"

#include "controls/TextItem.h"
#include "popups/PopupBox.h"

#include <QAccessible>
#include <algorithm>
#include <vector>

namespace {

QString WordsFromFileName(const std::string& fileName)
{
    QString base = QString::fromStdString(fileName);
    if (const qsizetype dot = base.lastIndexOf(QLatin1Char('.')); dot > 0)
        base.truncate(dot);
    QString words;
    for (qsizetype i = 0; i < base.size(); ++i) {
        const QChar c = base[i];
        if (c == QLatin1Char('_')) {
            words += QLatin1Char(' ');
            continue;
        }
        const bool wordStart = i > 0 && c.isUpper() && base[i - 1].isLower();
        if (wordStart)
            words += QLatin1Char(' ');
        words += words.isEmpty() ? c : c.toLower();
    }
    return words.simplified();
}

} // namespace

QString PopupHeading(const CPopupBox& popup)
{
    std::vector<const CTextItem*> labels;
    for (const QWidget* child : popup.findChildren<QWidget*>())
        if (const auto* label = dynamic_cast<const CTextItem*>(child);
            label && !label->GetText().simplified().isEmpty())
            labels.push_back(label);
    auto topmost = [&popup](const CTextItem* a, const CTextItem* b) {
        const QPoint pa = a->mapTo(&popup, QPoint()), pb = b->mapTo(&popup, QPoint());
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    };
    std::stable_sort(labels.begin(), labels.end(), topmost);
    for (const CTextItem* label : labels) {
        const QString name = label->objectName().toUpper();
        if (name.contains(QLatin1String("HEADING")) || name.contains(QLatin1String("HEADER")))
            return label->GetText().simplified();
    }
    if (!labels.empty())
        return labels.front()->GetText().simplified();
    return WordsFromFileName(popup.RunName());
}

CAccessiblePopup::CAccessiblePopup(CPopupBox* popup) : QAccessibleWidget(popup, QAccessible::Dialog) {}

QString CAccessiblePopup::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return PopupHeading(*static_cast<const CPopupBox*>(widget()));
    return QAccessibleWidget::text(t);
}

namespace {

QAccessibleInterface* CreatePopupInterface(const QString&, QObject* object)
{
    if (auto* popup = object && object->isWidgetType() ? dynamic_cast<CPopupBox*>(object) : nullptr)
        return new CAccessiblePopup(popup);
    return nullptr;
}

} // namespace

void InstallPopupAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(CreatePopupInterface);
        return true;
    }();
    (void)installed;
}
