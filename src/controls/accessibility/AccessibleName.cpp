// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleName.h"

#include "controls/TextItem.h"
#include "skin/LangTable.h"

#include <QStringList>
#include <QWidget>

namespace {

// Item names start with their kind; the kind is the role, not part of the name.
constexpr const char* kKindPrefixes[] = {"BUTTON_", "TEXT_",   "SLIDER_", "COMBO_", "LIST_",
                                         "EDIT_",   "BITMAP_", "PANEL_",  "STAGE_"};

} // namespace

QString TextFromSkinName(const QString& skinName)
{
    if (skinName.isEmpty())
        return {};
    const LangTranslation translated = TranslateWithCurrent((QStringLiteral("$") + skinName).toStdU16String());
    if (translated.found && !translated.text.empty())
        return QString::fromStdU16String(translated.text).simplified();
    return WordsFromSkinName(skinName);
}

QString WordsFromSkinName(const QString& skinName)
{
    QString rest = skinName;
    for (const char* prefix : kKindPrefixes) {
        if (rest.startsWith(QLatin1String(prefix), Qt::CaseInsensitive) && rest.size() > int(qstrlen(prefix))) {
            rest = rest.mid(int(qstrlen(prefix)));
            break;
        }
    }
    QString words = rest.toLower();
    words.replace(QLatin1Char('_'), QLatin1Char(' '));
    words = words.simplified();
    if (!words.isEmpty())
        words[0] = words[0].toUpper();
    return words;
}

QString LabelBeside(const QWidget& control)
{
    const QWidget* window = control.window();
    if (!window || !control.isVisible())
        return {};
    const QRect area(control.mapTo(window, QPoint(0, 0)), control.size());
    const int middle = area.center().y();
    QString best;
    int bestGap = kLabelReach + 1;
    for (const QObject* object : window->findChildren<QObject*>()) {
        const auto* label = dynamic_cast<const CTextItem*>(object);
        if (!label || label == &control || !label->isVisible() || label->IsInteractive() || label->LinkedCheckBox())
            continue;
        const QString text = label->GetText().simplified();
        if (text.isEmpty())
            continue;
        const QRect box(label->mapTo(window, QPoint(0, 0)), label->size());
        const int gap = area.left() - box.right();
        if (box.top() <= middle && middle <= box.bottom() && gap >= -1 && gap < bestGap) {
            best = text;
            bestGap = gap;
        }
    }
    return best;
}

QString AccessibleControlName(const QWidget& widget, const QString& caption)
{
    QString name = caption.simplified();
    if (name.isEmpty())
        name = widget.accessibleName().simplified();
    if (name.isEmpty())
        name = widget.toolTip().simplified();
    if (name.isEmpty())
        name = TextFromSkinName(widget.objectName());
    return name;
}
