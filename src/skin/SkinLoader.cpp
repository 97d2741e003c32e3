#include "skin/SkinLoader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <exception>
#include <span>

#include <pugixml.hpp>

#include <QFile>
#include <QLoggingCategory>

#include "platform/SkinWindow.h"
#include "skin/AppPaths.h"
#include "skin/ColorTable.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/KeyboardLayoutSetting.h"
#include "skin/LangElement.h"
#include "skin/LangTable.h"
#include "skin/LoadProgress.h"
#include "skin/PanelBitmap.h"
#include "skin/ResourceCache.h"
#include "skin/SkinDataItems.h"
#include "skin/SkinText.h"
#include "skin/keyboard/KeyboardDef.h"

Q_LOGGING_CATEGORY(lcSkinLoader, "zt.skin.loader")

namespace {

std::atomic<const CGUIItems*> g_sharedItems{nullptr};

using Node = pugi::xml_node;

// ---- small readers -----------------------------------------------------------------

bool NameMatches(const Node& node, std::string_view name, bool ignoreCase)
{
    return ignoreCase ? EqualsIgnoreAsciiCase(node.name(), name) : name == node.name();
}

// The element names RECT, SBMM, BMPMASK, BACKGROUND and MASK are matched without
// regard to letter case; every other element name exactly.
Node Child(const Node& node, std::string_view name)
{
    const bool ignoreCase = EqualsIgnoreAsciiCase(name, "RECT") || EqualsIgnoreAsciiCase(name, "SBMM") ||
                            EqualsIgnoreAsciiCase(name, "BMPMASK") || EqualsIgnoreAsciiCase(name, "BACKGROUND") ||
                            EqualsIgnoreAsciiCase(name, "MASK");
    for (Node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && NameMatches(child, name, ignoreCase))
            return child;
    return {};
}

std::u16string Attr(const Node& node, const char* name)
{
    return Utf8ToUtf16(node.attribute(name).value());
}

bool HasAttr(const Node& node, const char* name)
{
    return static_cast<bool>(node.attribute(name));
}

int IntAttr(const Node& node, const char* name)
{
    return ParseLeadingInt(node.attribute(name).value());
}

bool BoolAttr(const Node& node, const char* name, bool whenAbsent)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    return attribute ? ParseSkinBool(attribute.value()) : whenAbsent;
}

SkinColor ColorAttr(const Node& node, const char* name)
{
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return std::nullopt;
    return LookupColor(attribute.value());
}

std::u16string Trimmed(std::u16string text)
{
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!text.empty() && isSpace(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::u16string ElementText(const Node& node)
{
    return Utf8ToUtf16(node.child_value());
}

SkinRect ReadRectElement(const Node& rect)
{
    SkinRect result;
    if (!rect)
        return result;
    result.top = IntAttr(rect, "top");
    result.left = IntAttr(rect, "left");
    result.right = IntAttr(rect, "right");
    result.bottom = IntAttr(rect, "bottom");
    return result;
}

Justify ParseJustify(const Node& node)
{
    const char* value = node.attribute("justify").value();
    if (value[0] == 'C')
        return Justify::Centre;
    if (value[0] == 'R')
        return Justify::Right;
    return Justify::Left;
}

TooltipSide ParseTooltipSide(const char* value)
{
    switch (value[0]) {
    case 'R':
        return TooltipSide::Right;
    case 'T':
        return TooltipSide::Top;
    case 'B':
        return TooltipSide::Bottom;
    default:
        return TooltipSide::Left;
    }
}

CapsMode ParseCaps(std::u16string_view value)
{
    if (value.empty())
        return CapsMode::AsWritten;
    if (value.front() == u'U')
        return CapsMode::Upper;
    if (value.front() == u'L')
        return CapsMode::Lower;
    return CapsMode::AsWritten;
}

// ---- the reader of one file ------------------------------------------------------------

class SkinFileReader {
public:
    SkinFileReader(CGUIItems& items, CSkinWindow* owner, SkinLoadStats& stats)
        : items_(items), owner_(owner), stats_(stats)
    {
    }

    bool Read(const pugi::xml_document& document, std::u16string_view displayName, bool observable);

private:
    // Common attributes.
    void ReadCommon(const Node& node, SkinElement& element, const char* elementName, int kind);
    SkinBitmap ReadBitmap(const Node& node, std::string_view childName, ResourceType type, int itemId = -1);
    SkinBitmap LoadBitmap(std::u16string file, ResourceType type);
    StateBitmaps ReadStateBitmaps(const Node& node, int itemId, ResourceType thumbType = ResourceType::Image);
    const CFontItem* ResolveFont(const Node& node, int itemId);
    const CFontItem* FontByName(std::u16string_view name);
    CapsMode ReadCaps(const Node& node, int itemId);
    TextLooks ReadTextLooks(const Node& node, int itemId);
    TooltipInfo ReadTooltip(const Node& node);
    CGUIItem* ResolveBitmapItem(const Node& node, const char* attribute);
    CSkinWindow* ResolveParentWindow(const Node& node);
    ListColors ReadListColors(const Node& node);
    std::optional<ScrollBarInfo> ReadScrollBar(const Node& node);
    std::optional<FillInfo> ReadFillInfo(const Node& node);
    NamedBitmap ReadNamedBitmap(const Node& node);
    std::vector<ListColumnInfo> ReadColumns(const Node& node);

    // Sections.
    void ReadSection(const Node& root, int step);
    void ReadLanguages(const Node& list);
    bool ReadKeyboardDef(const Node& node);
    void ReadKeyboardLayouts(const Node& list);
    void ReadFonts(const Node& list);
    void ReadControls(const Node& list, const char* elementName);
    void ReadKeyboardKeys(const Node& list);

    std::unique_ptr<SkinElement> ParseControl(const Node& node, std::string_view elementName);
    void BuildControl(const Node& node, std::string_view elementName, std::unique_ptr<SkinElement> element);
    void AddItem(std::unique_ptr<CGUIItem> item);

    CGUIItem* FindEarlier(int id, std::initializer_list<int> kinds) const;

    CGUIItems& items_;
    CSkinWindow* owner_;
    SkinLoadStats& stats_;
    bool keyboardDefRead_ = false;
    // Shared bitmaps and parent of the keys of one KBDKEYLIST.
    const StateBitmaps* sharedKeyBitmaps_ = nullptr;
    CSkinWindow* keyParent_ = nullptr;
};

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
    info.borderWidth = IntAttr(scroll, "bdrwidth");
    return info;
}

std::optional<FillInfo> SkinFileReader::ReadFillInfo(const Node& node)
{
    const Node fill = Child(node, "FILLINFO");
    if (!fill)
        return std::nullopt;
    FillInfo info;
    info.rect = ReadRectElement(Child(fill, "RECT"));
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
    bitmap.rect = ReadRectElement(Child(node, "RECT"));
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
        info.width = IntAttr(column, "width");
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

// ---- element parsers ------------------------------------------------------------------

struct ControlKind {
    const char* element;
    int kind;
};

constexpr ControlKind kControlKinds[] = {
    {"BITMAPITEM", ItemKind::BITMAPITEM},
    {"SLIDERTRACK", ItemKind::SLIDERTRACK},
    {"BITMAPWINDOW", ItemKind::BITMAPWINDOW},
    {"BUTTON", ItemKind::BUTTON},
    {"AVIBUTTON", ItemKind::AVIBUTTON},
    {"VSLIDER", ItemKind::VSLIDER},
    {"HSLIDERM", ItemKind::HSLIDERM},
    {"HSLIDERMAPM", ItemKind::HSLIDERMAPM},
    {"DMARKER", ItemKind::DMARKER},
    {"TEXTITEM", ItemKind::TEXTITEM},
    {"DPISTAGEWINDOW", ItemKind::DPISTAGEWINDOW},
    {"MACRODISPLAY", ItemKind::MACRODISPLAY},
    {"LISTCTRL", ItemKind::LISTCTRL},
    {"COMBO", ItemKind::COMBO},
    {"COMBOCOLOR", ItemKind::COMBOCOLOR},
    {"LISTPANEL", ItemKind::LISTPANEL},
    {"EDITCTRL", ItemKind::EDITCTRL},
    {"EDITCTRLSK", ItemKind::EDITCTRLSK},
    {"EDITCTRLSKMMO", ItemKind::EDITCTRLSK},
    {"KBDKEY", ItemKind::KBDKEY},
    {"PROGRESSPANELITEM", ItemKind::PROGRESSPANELITEM},
};

const ControlKind* FindControlKind(std::string_view elementName)
{
    for (const auto& entry : kControlKinds)
        if (elementName == entry.element)
            return &entry;
    return nullptr;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseControl(const Node& node, std::string_view elementName)
{
    const ControlKind* control = FindControlKind(elementName);
    if (!control)
        return nullptr;
    const int id = LookupItemId(std::string_view(node.attribute("name").value()));
    const auto common = [&](SkinElement& element) { ReadCommon(node, element, control->element, control->kind); };

    if (elementName == "BITMAPITEM") {
        auto element = std::make_unique<BitmapItemElement>();
        common(*element);
        element->bitmaps = ReadStateBitmaps(node, id);
        element->tooltip = ReadTooltip(node);
        element->moveable = BoolAttr(node, "moveable", false);
        return element;
    }
    if (elementName == "SLIDERTRACK") {
        auto element = std::make_unique<SliderTrackElement>();
        common(*element);
        element->bitmaps = ReadStateBitmaps(node, id);
        element->fill = ReadFillInfo(node);
        return element;
    }
    if (elementName == "BITMAPWINDOW") {
        auto element = std::make_unique<BitmapWindowElement>();
        common(*element);
        element->bitmaps = ReadStateBitmaps(node, id);
        element->text = ReadTextLooks(node, id);
        element->fontColor = ColorAttr(node, "fontclr");
        element->tooltip = ReadTooltip(node);
        for (Node child = node.child("BITMAPITEM"); child; child = child.next_sibling("BITMAPITEM")) {
            BitmapItemElement bitmap;
            ReadCommon(child, bitmap, "BITMAPITEM", ItemKind::BITMAPITEM);
            bitmap.bitmaps = ReadStateBitmaps(child, bitmap.id);
            bitmap.tooltip = ReadTooltip(child);
            bitmap.moveable = BoolAttr(child, "moveable", false);
            bitmap.assignType = IntAttr(child, "assntype");
            element->children.push_back(std::move(bitmap));
        }
        return element;
    }
    if (elementName == "BUTTON") {
        auto element = std::make_unique<ButtonElement>();
        common(*element);
        element->parentWindow = ResolveParentWindow(node);
        element->caption = Attr(node, "caption");
        element->text = ReadTextLooks(node, id);
        element->fontColor = ColorAttr(node, "fontclr");
        element->bitmaps = ReadStateBitmaps(node, id);
        element->tooltip = ReadTooltip(node);
        element->isCheckBox = BoolAttr(node, "ischeckbox", false);
        element->leftMargin = IntAttr(node, "lmargin");
        return element;
    }
    if (elementName == "AVIBUTTON") {
        auto element = std::make_unique<AVIButtonElement>();
        common(*element);
        element->videoFile = Trimmed(ElementText(Child(node, "VIDEO")));
        element->soundFile = Trimmed(ElementText(Child(node, "SOUND")));
        if (!element->videoFile.empty()) {
            element->videoData = CResourceCache::Instance().Bytes(element->videoFile, ResourceType::BinaryFile);
            if (element->videoData.isEmpty())
                ++stats_.missingFiles;
        }
        return element;
    }
    if (elementName == "VSLIDER") {
        auto element = std::make_unique<VSliderElement>();
        common(*element);
        element->thumb = ReadStateBitmaps(node, id, ResourceType::WindowsBitmap);
        element->track = ResolveBitmapItem(node, "trackid");
        element->tooltip = ReadTooltip(node);
        return element;
    }
    if (elementName == "HSLIDERM") {
        auto element = std::make_unique<HSliderMElement>();
        common(*element);
        for (Node stage = Child(node, "STAGES").child("STAGE"); stage; stage = stage.next_sibling("STAGE")) {
            SliderStage entry;
            entry.name = Trimmed(ElementText(stage));
            entry.id = LookupItemId(entry.name);
            element->stages.push_back(std::move(entry));
        }
        element->thumb = ReadStateBitmaps(node, id, ResourceType::WindowsBitmap);
        element->track = ResolveBitmapItem(node, "trackid");
        element->tooltip = ReadTooltip(node);
        element->interactive = BoolAttr(node, "interactive", true);
        return element;
    }
    if (elementName == "HSLIDERMAPM") {
        auto element = std::make_unique<HSliderMAPMElement>();
        common(*element);
        element->thumb = ReadStateBitmaps(node, id, ResourceType::WindowsBitmap);
        element->track = ResolveBitmapItem(node, "trackid");
        element->tooltip = ReadTooltip(node);
        return element;
    }
    if (elementName == "DMARKER") {
        auto element = std::make_unique<DMarkerElement>();
        common(*element);
        element->bitmaps = ReadStateBitmaps(node, id);
        element->mark = ReadBitmap(node, "MARK", ResourceType::Image);
        return element;
    }
    if (elementName == "TEXTITEM") {
        auto element = std::make_unique<TextItemElement>();
        common(*element);
        element->textKey = Attr(node, "textkey");
        element->parentWindow = ResolveParentWindow(node);
        if (HasAttr(node, "checkboxid"))
            element->checkBox =
                FindEarlier(LookupItemId(std::string_view(node.attribute("checkboxid").value())), {ItemKind::BUTTON});
        element->text = ReadTextLooks(node, id);
        element->fontColor = ColorAttr(node, "fontclr");
        element->fontColorHighlight = ColorAttr(node, "fontclrhi");
        element->disabledFontColor = ColorAttr(node, "disbfontclr");
        element->tooltip = ReadTooltip(node);
        element->interactive = BoolAttr(node, "interactive", false);
        return element;
    }
    if (elementName == "DPISTAGEWINDOW") {
        auto element = std::make_unique<DPIStageWindowElement>();
        common(*element);
        element->text = ReadTextLooks(node, id);
        element->fontColor = ColorAttr(node, "fontclr");
        element->tooltip = ReadTooltip(node);
        for (Node info = node.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
            element->bitmaps.push_back(ReadNamedBitmap(info));
        for (Node area = node.child("TEXTAREA"); area; area = area.next_sibling("TEXTAREA"))
            element->textAreas.push_back(
                TextArea{Attr(area, "name"), Attr(area, "textkey"), ReadRectElement(Child(area, "RECT"))});
        return element;
    }
    if (elementName == "MACRODISPLAY") {
        auto element = std::make_unique<MacroDisplayElement>();
        common(*element);
        element->maxEvents = IntAttr(node, "max");
        element->readOnly = BoolAttr(node, "readonly", false);
        for (Node info = node.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
            element->bitmapInfos.push_back(ReadNamedBitmap(info));
        element->borderWidth = IntAttr(node, "bdrwidth");
        element->leftMargin = IntAttr(node, "lmargin");
        element->scrollBar = ReadScrollBar(node);
        element->colors = ReadListColors(node);
        element->text = ReadTextLooks(node, id);
        element->keyDown = ReadBitmap(node, "MDBMP_KEYDN", ResourceType::Image);
        element->keyUp = ReadBitmap(node, "MDBMP_KEYUP", ResourceType::Image);
        element->mouse = ReadBitmap(node, "MDBMP_MSE", ResourceType::Image);
        element->mouseHighlight = ReadBitmap(node, "MDBMP_MSEH", ResourceType::Image);
        element->clock = ReadBitmap(node, "MDBMP_CLK", ResourceType::Image);
        element->clockHighlight = ReadBitmap(node, "MDBMP_CLKH", ResourceType::Image);
        element->columns = ReadColumns(node);
        return element;
    }
    if (elementName == "LISTCTRL") {
        auto element = std::make_unique<ListCtrlElement>();
        common(*element);
        element->scrollBar = ReadScrollBar(node);
        if (const Node header = Child(node, "LISTHDR")) {
            ListHeaderInfo info;
            info.backColor = ColorAttr(header, "backclr");
            info.fontColor = ColorAttr(header, "fontclr");
            for (Node bitmap = header.child("BMPINFO"); bitmap; bitmap = bitmap.next_sibling("BMPINFO"))
                info.bitmapInfos.push_back(ReadNamedBitmap(bitmap));
            info.borderWidth = IntAttr(header, "bdrwidth");
            element->header = std::move(info);
        }
        element->columns = ReadColumns(node);
        element->colors = ReadListColors(node);
        element->text = ReadTextLooks(node, id);
        element->sorted = BoolAttr(node, "sorted", false);
        return element;
    }
    if (elementName == "COMBO" || elementName == "COMBOCOLOR") {
        auto element = std::make_unique<ComboElement>();
        common(*element);
        element->isColor = elementName == "COMBOCOLOR";
        element->colors = ReadListColors(node);
        element->text = ReadTextLooks(node, id);
        element->tooltip = ReadTooltip(node);
        element->borderWidth = IntAttr(node, "bdrwidth");
        if (!element->isColor) {
            element->leftMargin = IntAttr(node, "lmargin");
            element->rightMargin = IntAttr(node, "rmargin");
            element->sorted = BoolAttr(node, "sorted", false);
        }
        if (const Node list = Child(node, "CLIST")) {
            element->listHeight = IntAttr(list, "height");
            element->listWidth = IntAttr(list, "width");
        }
        if (const Node box = Child(node, "CBOX")) {
            ComboBoxInfo info;
            info.rect = ReadRectElement(Child(box, "RECT"));
            info.bitmaps = ReadStateBitmaps(box, -1);
            info.hasArrow = BoolAttr(box, "hasarrow", false);
            element->box = std::move(info);
        }
        for (Node entry = Child(node, "COMBOITEMS").child("COMBOITEM"); entry;
             entry = entry.next_sibling("COMBOITEM")) {
            std::u16string text = Trimmed(ElementText(entry));
            if (text.empty())
                text = Attr(entry, "textkey");
            element->entries.push_back(std::move(text));
        }
        return element;
    }
    if (elementName == "LISTPANEL") {
        auto element = std::make_unique<ListPanelElement>();
        common(*element);
        element->colors = ReadListColors(node);
        element->text = ReadTextLooks(node, id);
        element->borderWidth = IntAttr(node, "bdrwidth");
        element->leftMargin = IntAttr(node, "lmargin");
        element->rightMargin = IntAttr(node, "rmargin");
        element->sorted = BoolAttr(node, "sorted", false);
        element->dynamic = BoolAttr(node, "dynamic", true);
        if (const Node list = Child(node, "CLIST"))
            element->listHeight = IntAttr(list, "height");
        element->scrollBar = ReadScrollBar(node);
        for (Node entry = Child(node, "LISTPANELITEMS").child("LISTPANELITEM"); entry;
             entry = entry.next_sibling("LISTPANELITEM")) {
            ListPanelEntry row;
            row.text = Trimmed(ElementText(entry));
            if (row.text.empty())
                row.text = Attr(entry, "textkey");
            row.tooltip = Attr(entry, "tooltip");
            row.disabled = BoolAttr(entry, "disabled", false);
            element->entries.push_back(std::move(row));
        }
        return element;
    }
    if (elementName == "EDITCTRL" || elementName == "EDITCTRLSK" || elementName == "EDITCTRLSKMMO") {
        auto element = std::make_unique<EditCtrlElement>();
        common(*element);
        element->variant = elementName == "EDITCTRL"     ? EditCtrlElement::Variant::Text
                           : elementName == "EDITCTRLSK" ? EditCtrlElement::Variant::SingleKey
                                                         : EditCtrlElement::Variant::SingleKeyWithModifiers;
        element->colors = ReadListColors(node);
        element->text = ReadTextLooks(node, id);
        element->tooltip = ReadTooltip(node);
        element->borderWidth = IntAttr(node, "bdrwidth");
        element->maxLength = IntAttr(node, "max");
        return element;
    }
    if (elementName == "KBDKEY") {
        auto element = std::make_unique<KbdKeyElement>();
        common(*element);
        if (keyParent_)
            element->parentWindow = keyParent_;
        element->bitmaps = ReadStateBitmaps(node, id);
        if (sharedKeyBitmaps_) {
            // Keys take the list's shared bitmaps for every state they do not name.
            auto fill = [](SkinBitmap& own, const SkinBitmap& shared) {
                if (own.file.empty())
                    own = shared;
            };
            fill(element->bitmaps.normal, sharedKeyBitmaps_->normal);
            fill(element->bitmaps.over, sharedKeyBitmaps_->over);
            fill(element->bitmaps.down, sharedKeyBitmaps_->down);
            fill(element->bitmaps.disabled, sharedKeyBitmaps_->disabled);
            fill(element->bitmaps.mask, sharedKeyBitmaps_->mask);
        }
        if (const Node info = Child(node, "BMPINFO"))
            element->bitmapInfo = ReadNamedBitmap(info);
        element->text = ReadTextLooks(node, id);
        element->caption = Attr(node, "caption");
        element->keyName = Attr(node, "kbddefid");
        element->tooltip = ReadTooltip(node);
        element->isCheckBox = BoolAttr(node, "ischeckbox", false);
        return element;
    }
    if (elementName == "PROGRESSPANELITEM") {
        auto element = std::make_unique<ProgressPanelElement>();
        common(*element);
        element->colors = ReadListColors(node);
        element->borderWidth = IntAttr(node, "bdrwidth");
        element->fill = ReadFillInfo(node);
        for (Node info = Child(node, "TEXTINFOLIST").child("TEXTINFO"); info; info = info.next_sibling("TEXTINFO")) {
            TextInfo text;
            text.name = Attr(info, "name");
            text.id = LookupItemId(text.name);
            text.rect = ReadRectElement(Child(info, "RECT"));
            text.fontColor = ColorAttr(info, "fontclr");
            text.backColor = ColorAttr(info, "backclr");
            text.font = ResolveFont(info, text.id);
            text.textKey = Attr(info, "textkey");
            element->texts.push_back(std::move(text));
        }
        return element;
    }
    return nullptr;
}

void SkinFileReader::BuildControl(const Node& node, std::string_view elementName, std::unique_ptr<SkinElement> element)
{
    (void)node;
    ControlFactory factory = FindControlFactory(elementName);
    if (!factory) {
        ++stats_.missingFactory;
        qCWarning(lcSkinLoader) << "no control is registered for" << elementName.data() << "- item"
                                << ToQString(element->itemName) << "skipped";
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
            BuildControl(node, elementName, std::move(element));
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

std::u16string BaseName(std::u16string_view path)
{
    const std::size_t slash = path.find_last_of(u"/\\");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

bool LoadDocument(CGUIItems& items, const pugi::xml_document& document, std::u16string_view displayName,
                  CSkinWindow* owner, bool observable, SkinLoadStats* stats)
{
    SkinLoadStats local;
    SkinFileReader reader(items, owner, stats ? *stats : local);
    return reader.Read(document, displayName, observable);
}

} // namespace

void SetSharedSkinItems(const CGUIItems* items)
{
    g_sharedItems.store(items);
}

const CGUIItems* SharedSkinItems()
{
    return g_sharedItems.load();
}

bool LoadSkinFromMemory(CGUIItems& items, std::string_view xml, std::u16string_view displayName, CSkinWindow* owner,
                        bool observable, SkinLoadStats* stats)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        qCWarning(lcSkinLoader) << "skin file" << ToQString(displayName)
                                << "is not well-formed:" << parsed.description();
        return false;
    }
    return LoadDocument(items, document, BaseName(displayName), owner, observable, stats);
}

bool LoadSkinFile(CGUIItems& items, std::u16string_view fileName, CSkinWindow* owner, bool observable,
                  SkinLoadStats* stats)
{
    if (!IsSafeResourceName(fileName)) {
        qCWarning(lcSkinLoader) << "refusing skin file name" << ToQString(fileName);
        return false;
    }
    QFile file(ToQString(GetAppDirectory() + u"xml/" + std::u16string(fileName)));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcSkinLoader) << "cannot open skin file" << file.fileName();
        return false;
    }
    // Skin files are a few kilobytes; anything this large is not one.
    constexpr qint64 kMaxSkinFileBytes = 16 * 1024 * 1024;
    if (file.size() > kMaxSkinFileBytes) {
        qCWarning(lcSkinLoader) << "skin file" << file.fileName() << "is too large to be a skin";
        return false;
    }
    const QByteArray content = file.readAll();
    return LoadSkinFromMemory(items, std::string_view(content.constData(), static_cast<std::size_t>(content.size())),
                              fileName, owner, observable, stats);
}
