// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinFileReader.h"

#include <algorithm>
#include <exception>
#include <span>

#include "platform/SkinWindow.h"
#include "skin/ColorTable.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/KeyboardLayoutSetting.h"
#include "skin/LangElement.h"
#include "skin/LangTable.h"
#include "skin/LoadProgress.h"
#include "skin/PanelBitmap.h"
#include "skin/SkinDataItems.h"
#include "skin/SkinText.h"
#include "skin/keyboard/KeyboardDef.h"

namespace skinload {

using namespace skinxml;

void SkinFileReader::AddItem(std::unique_ptr<CGUIItem> item)
{
    if (!item)
        return;
    items_.Add(std::move(item));
    ++stats_.itemsAdded;
}

CGUIItem* SkinFileReader::FindEarlier(int id, std::initializer_list<int> kinds) const
{
    if (id < 0)
        return nullptr;
    for (CGUIItem* item : items_.Items())
        if (item->id == id)
            for (int kind : kinds)
                if (item->kind == kind)
                    return item;
    return nullptr;
}

SkinRect ReadPartRect(const Node& part)
{
    const SkinRect rect = ReadRectElement(Child(part, "RECT"));
    if (rect.IsWithinSkinLimits())
        return rect;
    qCWarning(lcSkinLoader) << "RECT of" << part.name() << ToQString(Attr(part, "name")) << "ignored: it lies beyond"
                            << kSkinMaxExtent << "pixels";
    return SkinRect{};
}

void SkinFileReader::ReadCommon(const Node& node, SkinElement& element, const char* elementName, int kind)
{
    element.elementName = elementName;
    element.itemName = Attr(node, "name");
    element.id = LookupItemId(std::string_view(node.attribute("name").value()));
    element.kind = kind;
    if (auto rect = CurrentRectOverride(element.id))
        element.rect = SkinRect{rect->left, rect->top, rect->right, rect->bottom};
    else
        element.rect = ReadRectElement(Child(node, "RECT"));
    element.parentWindow = owner_;
}

SkinBitmap SkinFileReader::LoadBitmap(std::u16string file, ResourceType type)
{
    SkinBitmap bitmap;
    bitmap.file = Trimmed(std::move(file));
    if (bitmap.file.empty())
        return bitmap;
    bitmap.image = CResourceCache::Instance().Image(bitmap.file, type);
    if (bitmap.image.isNull()) {
        ++stats_.missingFiles;
        qCWarning(lcSkinLoader) << "skin bitmap not found:" << ToQString(bitmap.file);
    }
    return bitmap;
}

SkinBitmap SkinFileReader::ReadBitmap(const Node& node, std::string_view childName, ResourceType type, int itemId)
{
    if (itemId >= 0) {
        if (auto replaced = CurrentOverride(itemId, Utf8ToUtf16(childName)))
            return LoadBitmap(*replaced, type);
    }
    const Node child = Child(node, childName);
    if (!child)
        return {};
    return LoadBitmap(ElementText(child), type);
}

StateBitmaps SkinFileReader::ReadStateBitmaps(const Node& node, int itemId, ResourceType thumbType)
{
    StateBitmaps bitmaps;
    bitmaps.normal = ReadBitmap(node, "SBMN", thumbType, itemId);
    bitmaps.over = ReadBitmap(node, "SBMO", thumbType, itemId);
    bitmaps.down = ReadBitmap(node, "SBMD", ResourceType::Image, itemId);
    bitmaps.disabled = ReadBitmap(node, "SBMDS", ResourceType::Image, itemId);
    bitmaps.mask = ReadBitmap(node, "SBMM", ResourceType::Image, itemId);
    const auto colorOf = [&node](std::string_view name) -> COLORREF {
        const Node child = Child(node, name);
        const pugi::xml_attribute attribute = child.attribute("fontclr");
        return attribute ? LookupColor(attribute.value()) : 0;
    };
    bitmaps.normalTextColor = colorOf("SBMN");
    bitmaps.overTextColor = colorOf("SBMO");
    bitmaps.downTextColor = colorOf("SBMD");
    bitmaps.disabledTextColor = colorOf("SBMDS");
    return bitmaps;
}

const CFontItem* SkinFileReader::FontByName(std::u16string_view name)
{
    int fontId = LookupItemId(name);
    if (fontId < 0)
        return nullptr;
    fontId = CurrentReplacementFont(fontId);
    if (auto* font = dynamic_cast<const CFontItem*>(FindEarlier(fontId, {ItemKind::FONT})))
        return font;
    // Fonts of "Language.xml" serve every window.
    const CGUIItems* shared = SharedSkinItems();
    if (shared && shared != &items_)
        return dynamic_cast<const CFontItem*>(shared->FindById(fontId, ItemKind::FONT));
    return nullptr;
}

const CFontItem* SkinFileReader::ResolveFont(const Node& node, int itemId)
{
    std::u16string name;
    if (auto overridden = CurrentOverride(itemId, u"fontid"))
        name = *overridden;
    else if (HasAttr(node, "fontid"))
        name = Attr(node, "fontid");
    else
        return nullptr;
    return FontByName(name);
}

CapsMode SkinFileReader::ReadCaps(const Node& node, int itemId)
{
    if (auto overridden = CurrentOverride(itemId, u"caps"))
        return ParseCaps(*overridden);
    return ParseCaps(Attr(node, "caps"));
}

TextLooks SkinFileReader::ReadTextLooks(const Node& node, int itemId)
{
    TextLooks looks;
    looks.font = ResolveFont(node, itemId);
    looks.caps = ReadCaps(node, itemId);
    looks.justify = ParseJustify(node);
    looks.multiline = IntAttr(node, "multiline");
    return looks;
}

TooltipInfo SkinFileReader::ReadTooltip(const Node& node)
{
    TooltipInfo tooltip;
    tooltip.text = Attr(node, "tooltip");
    tooltip.prefix = Attr(node, "ttprefix");
    tooltip.side = ParseTooltipSide(node.attribute("ttpos").value());
    tooltip.enabled = BoolAttr(node, "ttenabled", true);
    return tooltip;
}

// Slider tracks are bitmap items too (kind 25), so a reference to a bitmap item
// accepts either kind.
CGUIItem* SkinFileReader::ResolveBitmapItem(const Node& node, const char* attribute)
{
    if (!HasAttr(node, attribute))
        return nullptr;
    return FindEarlier(LookupItemId(std::string_view(node.attribute(attribute).value())),
                       {ItemKind::BITMAPITEM, ItemKind::SLIDERTRACK});
}

CSkinWindow* SkinFileReader::ResolveParentWindow(const Node& node)
{
    CGUIItem* item = ResolveBitmapItem(node, "windowid");
    return item && item->window ? item->window : owner_;
}

ListColors SkinFileReader::ReadListColors(const Node& node)
{
    ListColors colors;
    colors.fontColor = ColorAttr(node, "fontclr");
    colors.fontColorHighlight = ColorAttr(node, "fontclrhi");
    colors.fontColorSelected = ColorAttr(node, "fontclrsel");
    colors.disabledFontColor = ColorAttr(node, "disbfontclr");
    colors.backColor = ColorAttr(node, "backclr");
    colors.backColorHighlight = ColorAttr(node, "backclrhi");
    colors.backColorSelected = ColorAttr(node, "backclrsel");
    colors.disabledBackColor = ColorAttr(node, "disbbackclr");
    colors.borderColor = ColorAttr(node, "bdrclr");
    colors.disabledBorderColor = ColorAttr(node, "disbbdrclr");
    return colors;
}

std::optional<ScrollBarInfo> SkinFileReader::ReadScrollBar(const Node& node)
{
    const Node scroll = Child(node, "VSCROLL");
    if (!scroll)
        return std::nullopt;
    ScrollBarInfo info;
    info.top = ReadBitmap(scroll, "VSBMP_TOP", ResourceType::Image);
    info.bottom = ReadBitmap(scroll, "VSBMP_BOT", ResourceType::Image);
    info.arrowUp = ReadBitmap(scroll, "VSBMP_AUP", ResourceType::Image);
    info.arrowDown = ReadBitmap(scroll, "VSBMP_ADN", ResourceType::Image);
    info.channel = ReadBitmap(scroll, "VSBMP_SPN", ResourceType::Image);
    info.thumb = ReadBitmap(scroll, "VSBMP_TMB", ResourceType::Image);
    info.borderWidth = std::min(IntAttr(scroll, "bdrwidth"), kSkinMaxExtent);
    return info;
}

std::optional<FillInfo> SkinFileReader::ReadFillInfo(const Node& node)
{
    const Node fill = Child(node, "FILLINFO");
    if (!fill)
        return std::nullopt;
    FillInfo info;
    info.rect = ReadPartRect(fill);
    info.fillColor = ColorAttr(fill, "fillclr");
    info.backColor = ColorAttr(fill, "backclr");
    return info;
}

NamedBitmap SkinFileReader::ReadNamedBitmap(const Node& node)
{
    NamedBitmap bitmap;
    bitmap.name = Attr(node, "name");
    bitmap.data = ReadBitmap(node, "BMPDATA", ResourceType::Image);
    bitmap.mask = ReadBitmap(node, "BMPMASK", ResourceType::Image);
    bitmap.rect = ReadPartRect(node);
    bitmap.states = ReadStateBitmaps(node, -1);
    return bitmap;
}

std::vector<ListColumnInfo> SkinFileReader::ReadColumns(const Node& node)
{
    std::vector<ListColumnInfo> columns;
    for (Node column = node.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN")) {
        auto columnKind = LookupListColumnKind(column.attribute("name").value());
        auto cellKind = LookupCellControlKind(column.attribute("type").value());
        if (!columnKind || !cellKind)
            continue; // an unknown column name or type skips the column
        ListColumnInfo info;
        info.columnKind = *columnKind;
        info.cellKind = *cellKind;
        info.width = std::min(IntAttr(column, "width"), kSkinMaxExtent);
        info.headerText = Trimmed(ElementText(column));
        info.tooltip = Attr(column, "tooltip");
        if (info.cellKind == CellControlKind::CHECKBOX) {
            info.exclusive = BoolAttr(column, "exclusive", false);
            info.checkBitmaps = ReadStateBitmaps(column, -1);
        }
        columns.push_back(std::move(info));
    }
    return columns;
}

void SkinFileReader::BuildControl(std::string_view elementName, std::unique_ptr<SkinElement> element)
{
    ControlFactory factory = FindControlFactory(elementName);
    if (!factory) {
        ++stats_.missingFactory;
        qCWarning(lcSkinLoader) << "no control is registered for" << elementName.data() << "- item"
                                << ToQString(element->itemName) << "skipped";
        return;
    }
    if (!element->rect.IsWithinSkinLimits()) {
        ++stats_.factoryDeclined;
        const SkinRect& r = element->rect;
        qCWarning(lcSkinLoader) << "item" << ToQString(element->itemName) << "refused: its RECT" << r.left << r.top
                                << r.right << r.bottom << "lies beyond" << kSkinMaxExtent << "pixels";
        return;
    }
    ControlContext context;
    context.owner = owner_;
    context.items = &items_;
    std::unique_ptr<CGUIItem> item;
    try {
        item = factory(*element, context);
    } catch (const std::exception& error) {
        qCWarning(lcSkinLoader) << "building" << elementName.data() << "failed:" << error.what();
        item.reset();
    }
    if (!item) {
        ++stats_.factoryDeclined;
        return;
    }
    // The factory builds the object; the item fields are the loader's to set.
    item->id = element->id;
    item->kind = element->kind;
    item->owner = owner_;
    // The skin's name for the item names its window, for assistive tools and logs.
    if (item->window && !element->itemName.empty())
        item->window->setObjectName(ToQString(element->itemName));
    AddItem(std::move(item));
}

// ---- sections -------------------------------------------------------------------

void SkinFileReader::ReadControls(const Node& list, const char* elementName)
{
    for (Node node = list.child(elementName); node; node = node.next_sibling(elementName)) {
        const int id = LookupItemId(std::string_view(node.attribute("name").value()));
        if (id < 0) {
            ++stats_.skippedUnknownName;
            continue;
        }
        auto element = ParseControl(node, elementName);
        if (element)
            BuildControl(elementName, std::move(element));
    }
}

void SkinFileReader::ReadLanguages(const Node& list)
{
    LangElementContext context;
    context.itemIdOf = [](std::u16string_view name) { return LookupItemId(name); };
    context.readLangFile = [](std::u16string_view fileName) -> std::optional<std::vector<char>> {
        const CacheEntry* entry = CResourceCache::Instance().Get(ResourceType::LanguageFile, fileName);
        if (!entry)
            return std::nullopt;
        return std::vector<char>(entry->bytes.begin(), entry->bytes.end());
    };
    context.languageFilter = LanguageFilter();
    for (Node node = list.child("LANG"); node; node = node.next_sibling("LANG")) {
        const int id = LookupItemId(std::string_view(node.attribute("name").value()));
        if (id < 0) {
            ++stats_.skippedUnknownName;
            continue;
        }
        auto table = ReadLangElement(node, context);
        if (!table)
            continue;
        AddItem(std::make_unique<CLanguageTableItem>(id, owner_, std::move(table)));
    }
}

bool SkinFileReader::ReadKeyboardDef(const Node& node)
{
    const int id = LookupItemId(std::string_view(node.attribute("name").value()));
    if (id < 0) {
        ++stats_.skippedUnknownName;
        return false;
    }
    if (keyboardDefRead_)
        return true; // the root's definition was read already
    CKeyboardDef& definition = CKeyboardDef::Instance();
    const std::u16string file = Attr(node, "file");
    const CacheEntry* data = CResourceCache::Instance().Get(ResourceType::BinaryFile, file);
    if (!data) {
        ++stats_.missingFiles;
        qCWarning(lcSkinLoader) << "keyboard definition file not found:" << ToQString(file);
        return false;
    }
    const auto bytes = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data->bytes.constData()),
                                                static_cast<std::size_t>(data->bytes.size()));
    if (!definition.LoadDefinition(bytes))
        return false;
    if (HasAttr(node, "kbddefaults")) {
        const CacheEntry* defaults =
            CResourceCache::Instance().Get(ResourceType::BinaryFile, Attr(node, "kbddefaults"));
        if (defaults)
            definition.LoadDefaults(
                std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(defaults->bytes.constData()),
                                         static_cast<std::size_t>(defaults->bytes.size())));
        else
            ++stats_.missingFiles;
    }
    keyboardDefRead_ = true;
    AddItem(std::make_unique<CKeyboardDefItem>(id, owner_, definition));
    return true;
}

void SkinFileReader::ReadKeyboardLayouts(const Node& list)
{
    for (Node node = list.child("KBLAYOUT"); node; node = node.next_sibling("KBLAYOUT")) {
        const int id = LookupItemId(std::string_view(node.attribute("name").value()));
        if (id < 0) {
            ++stats_.skippedUnknownName;
            continue;
        }
        AddItem(std::make_unique<CKeyboardLayoutSetting>(id, owner_, Attr(node, "kbdlayout"), Attr(node, "kbditems")));
    }
}

void SkinFileReader::ReadFonts(const Node& list)
{
    for (Node node = list.child("FONT"); node; node = node.next_sibling("FONT")) {
        const int id = LookupItemId(std::string_view(node.attribute("name").value()));
        if (id < 0) {
            ++stats_.skippedUnknownName;
            continue;
        }
        FontDescription description;
        description.typeface = Attr(node, "typeface").substr(0, 31);
        description.pitch = std::max(0, IntAttr(node, "pitch"));
        description.boldLevel = std::max(0, IntAttr(node, "boldlevel"));
        description.width = std::max(0, IntAttr(node, "width"));
        description.fontFile = Trimmed(ElementText(node));
        if (!description.fontFile.empty() &&
            !CResourceCache::Instance().Get(ResourceType::FontFile, description.fontFile)) {
            // The font is still made from its description.
            ++stats_.missingFiles;
            qCWarning(lcSkinLoader) << "font file not found:" << ToQString(description.fontFile);
        }
        AddItem(std::make_unique<CFontItem>(id, owner_, std::move(description)));
    }
}

void SkinFileReader::ReadKeyboardKeys(const Node& list)
{
    CGUIItem* parent = ResolveBitmapItem(list, "windowid");
    keyParent_ = parent && parent->window ? parent->window : owner_;
    StateBitmaps shared;
    if (const Node bitmaps = Child(list, "BUTTONBITMAPS")) {
        shared = ReadStateBitmaps(bitmaps, -1);
        sharedKeyBitmaps_ = &shared;
    }
    ReadControls(list, "KBDKEY");
    sharedKeyBitmaps_ = nullptr;
    keyParent_ = nullptr;
}

void SkinFileReader::ReadSection(const Node& root, int step)
{
    switch (step) {
    case 0:
        if (Node list = root.child("LANGLIST"))
            ReadLanguages(list);
        break;
    case 1:
        if (Node definition = root.child("KEYBOARDDEF"))
            ReadKeyboardDef(definition);
        break;
    case 2:
        if (Node list = root.child("KBLAYOUTLIST"))
            ReadKeyboardLayouts(list);
        break;
    case 3:
        if (Node list = root.child("FONTLIST"))
            ReadFonts(list);
        break;
    case 4:
        if (Node list = root.child("BITMAPLIST"))
            for (const char* name : {"BITMAPITEM", "SLIDERTRACK", "BITMAPWINDOW"})
                ReadControls(list, name);
        break;
    case 5:
        if (Node list = root.child("BUTTONLIST"))
            for (const char* name : {"BUTTON", "AVIBUTTON"})
                ReadControls(list, name);
        break;
    case 6:
        if (Node list = root.child("SLIDERLIST"))
            for (const char* name : {"VSLIDER", "HSLIDERM", "HSLIDERMAPM", "DMARKER"})
                ReadControls(list, name);
        break;
    case 7:
        if (Node list = root.child("TEXTLIST"))
            ReadControls(list, "TEXTITEM");
        break;
    case 8:
        if (Node list = root.child("DPISTAGELIST"))
            ReadControls(list, "DPISTAGEWINDOW");
        break;
    case 9:
        if (Node list = root.child("MACRODISPLAYLIST"))
            ReadControls(list, "MACRODISPLAY");
        break;
    case 10:
        if (Node list = root.child("LISTLIST"))
            for (const char* name : {"LISTCTRL", "COMBO", "COMBOCOLOR"})
                ReadControls(list, name);
        break;
    case 11:
        if (Node list = root.child("LISTPANELLIST"))
            ReadControls(list, "LISTPANEL");
        break;
    case 12:
        if (Node list = root.child("EDITCTRLLIST"))
            for (const char* name : {"EDITCTRL", "EDITCTRLSK", "EDITCTRLSKMMO"})
                ReadControls(list, name);
        break;
    case 13:
        if (Node list = root.child("KBDKEYLIST"))
            ReadKeyboardKeys(list);
        break;
    case 14:
        if (Node list = root.child("PROGRESSPANELLIST"))
            ReadControls(list, "PROGRESSPANELITEM");
        break;
    default:
        break;
    }
}

constexpr int kSectionCount = 15;

bool SkinFileReader::Read(const pugi::xml_document& document, std::u16string_view displayName, bool observable)
{
    const Node root = document.document_element();
    const std::string_view rootName = root.name();

    if (rootName == "GUIPANEL") {
        const Node background = Child(root, "BACKGROUND");
        const Node mask = Child(root, "MASK");
        if (!background || !mask)
            return false;
    } else if (rootName != "KEYBOARD" && rootName != "ITEMLIST") {
        return false;
    }

    CLoadProgressNotifier notifier;
    std::optional<ScopedLoadNotifierPublication> publication;
    if (observable)
        publication.emplace(&notifier);
    notifier.SendFileName(displayName);

    if (rootName == "KEYBOARD") {
        const Node definition = root.child("KEYBOARDDEF");
        if (!definition || !ReadKeyboardDef(definition))
            return false;
    } else if (rootName == "GUIPANEL") {
        AddItem(std::make_unique<CPanelBitmap>(
            kPanelBackgroundId, owner_, LoadBitmap(ElementText(Child(root, "BACKGROUND")), ResourceType::Image)));
        AddItem(std::make_unique<CPanelBitmap>(kPanelMaskId, owner_,
                                               LoadBitmap(ElementText(Child(root, "MASK")), ResourceType::Image)));
    }

    for (int step = 0; step < kSectionCount; ++step) {
        notifier.SendProgress(6 * step);
        ReadSection(root, step);
    }
    notifier.SendProgress(100);
    return true;
}

} // namespace skinload
