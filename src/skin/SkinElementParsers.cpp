// The parsers of the control elements: one struct per element kind, filled from its
// attributes and children with references resolved to earlier items.
#include "skin/SkinFileReader.h"

#include "skin/ColorTable.h"
#include "skin/ItemIds.h"
#include "skin/SkinText.h"

#include <algorithm>

namespace skinload {

using namespace skinxml;

namespace {

// A width or height from the file, cut down to the skin limit.
int SizeAttr(const Node& node, const char* name)
{
    return std::min(IntAttr(node, name), kSkinMaxExtent);
}

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

} // namespace

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
            if (!bitmap.rect.IsWithinSkinLimits()) {
                qCWarning(lcSkinLoader) << "item" << ToQString(bitmap.itemName) << "refused: its RECT lies beyond"
                                        << kSkinMaxExtent << "pixels";
                continue;
            }
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
            element->textAreas.push_back(TextArea{Attr(area, "name"), Attr(area, "textkey"), ReadPartRect(area)});
        return element;
    }
    if (elementName == "MACRODISPLAY") {
        auto element = std::make_unique<MacroDisplayElement>();
        common(*element);
        element->maxEvents = IntAttr(node, "max");
        element->readOnly = BoolAttr(node, "readonly", false);
        for (Node info = node.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
            element->bitmapInfos.push_back(ReadNamedBitmap(info));
        element->borderWidth = SizeAttr(node, "bdrwidth");
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
            info.borderWidth = SizeAttr(header, "bdrwidth");
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
        element->borderWidth = SizeAttr(node, "bdrwidth");
        if (!element->isColor) {
            element->leftMargin = IntAttr(node, "lmargin");
            element->rightMargin = IntAttr(node, "rmargin");
            element->sorted = BoolAttr(node, "sorted", false);
        }
        if (const Node list = Child(node, "CLIST")) {
            element->listHeight = SizeAttr(list, "height");
            element->listWidth = SizeAttr(list, "width");
        }
        if (const Node box = Child(node, "CBOX")) {
            ComboBoxInfo info;
            info.rect = ReadPartRect(box);
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
        element->borderWidth = SizeAttr(node, "bdrwidth");
        element->leftMargin = IntAttr(node, "lmargin");
        element->rightMargin = IntAttr(node, "rmargin");
        element->sorted = BoolAttr(node, "sorted", false);
        element->dynamic = BoolAttr(node, "dynamic", true);
        if (const Node list = Child(node, "CLIST"))
            element->listHeight = SizeAttr(list, "height");
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
        element->borderWidth = SizeAttr(node, "bdrwidth");
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
        element->borderWidth = SizeAttr(node, "bdrwidth");
        element->fill = ReadFillInfo(node);
        for (Node info = Child(node, "TEXTINFOLIST").child("TEXTINFO"); info; info = info.next_sibling("TEXTINFO")) {
            TextInfo text;
            text.name = Attr(info, "name");
            text.id = LookupItemId(text.name);
            text.rect = ReadPartRect(info);
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

} // namespace skinload
