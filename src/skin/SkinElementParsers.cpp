// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace

// One entry per control element: its name in the skin file, the item kind it
// becomes and its parser. A new element kind is one more entry here.
struct SkinFileReader::ControlKind {
    const char* element;
    int kind;
    ControlParser parse;
};

template <class Element>
std::unique_ptr<Element> SkinFileReader::NewElement(const Node& node, const ControlKind& control)
{
    auto element = std::make_unique<Element>();
    ReadCommon(node, *element, control.element, control.kind);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseBitmapItem(const Node& node, const ControlKind& control)
{
    auto element = NewElement<BitmapItemElement>(node, control);
    element->bitmaps = ReadStateBitmaps(node, element->id);
    element->tooltip = ReadTooltip(node);
    element->moveable = BoolAttr(node, "moveable", false);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseSliderTrack(const Node& node, const ControlKind& control)
{
    auto element = NewElement<SliderTrackElement>(node, control);
    element->bitmaps = ReadStateBitmaps(node, element->id);
    element->fill = ReadFillInfo(node);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseBitmapWindow(const Node& node, const ControlKind& control)
{
    auto element = NewElement<BitmapWindowElement>(node, control);
    element->bitmaps = ReadStateBitmaps(node, element->id);
    element->text = ReadTextLooks(node, element->id);
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

std::unique_ptr<SkinElement> SkinFileReader::ParseButton(const Node& node, const ControlKind& control)
{
    auto element = NewElement<ButtonElement>(node, control);
    element->parentWindow = ResolveParentWindow(node);
    element->caption = Attr(node, "caption");
    element->text = ReadTextLooks(node, element->id);
    element->fontColor = ColorAttr(node, "fontclr");
    element->bitmaps = ReadStateBitmaps(node, element->id);
    element->tooltip = ReadTooltip(node);
    element->isCheckBox = BoolAttr(node, "ischeckbox", false);
    element->leftMargin = IntAttr(node, "lmargin");
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseAVIButton(const Node& node, const ControlKind& control)
{
    auto element = NewElement<AVIButtonElement>(node, control);
    element->videoFile = Trimmed(ElementText(Child(node, "VIDEO")));
    element->soundFile = Trimmed(ElementText(Child(node, "SOUND")));
    if (!element->videoFile.empty()) {
        element->videoData = CResourceCache::Instance().Bytes(element->videoFile, ResourceType::BinaryFile);
        if (element->videoData.isEmpty())
            ++stats_.missingFiles;
    }
    return element;
}

template <class Slider>
std::unique_ptr<Slider> SkinFileReader::NewSlider(const Node& node, const ControlKind& control)
{
    auto element = NewElement<Slider>(node, control);
    element->thumb = ReadStateBitmaps(node, element->id, ResourceType::WindowsBitmap);
    element->track = ResolveBitmapItem(node, "trackid");
    element->tooltip = ReadTooltip(node);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseVSlider(const Node& node, const ControlKind& control)
{
    return NewSlider<VSliderElement>(node, control);
}

std::unique_ptr<SkinElement> SkinFileReader::ParseHSliderM(const Node& node, const ControlKind& control)
{
    auto element = NewSlider<HSliderMElement>(node, control);
    for (Node stage = Child(node, "STAGES").child("STAGE"); stage; stage = stage.next_sibling("STAGE")) {
        SliderStage entry;
        entry.name = Trimmed(ElementText(stage));
        entry.id = LookupItemId(entry.name);
        element->stages.push_back(std::move(entry));
    }
    element->interactive = BoolAttr(node, "interactive", true);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseHSliderMAPM(const Node& node, const ControlKind& control)
{
    return NewSlider<HSliderMAPMElement>(node, control);
}

std::unique_ptr<SkinElement> SkinFileReader::ParseDMarker(const Node& node, const ControlKind& control)
{
    auto element = NewElement<DMarkerElement>(node, control);
    element->bitmaps = ReadStateBitmaps(node, element->id);
    element->mark = ReadBitmap(node, "MARK", ResourceType::Image);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseTextItem(const Node& node, const ControlKind& control)
{
    auto element = NewElement<TextItemElement>(node, control);
    element->textKey = Attr(node, "textkey");
    element->parentWindow = ResolveParentWindow(node);
    if (HasAttr(node, "checkboxid"))
        element->checkBox =
            FindEarlier(LookupItemId(std::string_view(node.attribute("checkboxid").value())), {ItemKind::BUTTON});
    element->text = ReadTextLooks(node, element->id);
    element->fontColor = ColorAttr(node, "fontclr");
    element->fontColorHighlight = ColorAttr(node, "fontclrhi");
    element->disabledFontColor = ColorAttr(node, "disbfontclr");
    element->tooltip = ReadTooltip(node);
    element->interactive = BoolAttr(node, "interactive", false);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseDPIStageWindow(const Node& node, const ControlKind& control)
{
    auto element = NewElement<DPIStageWindowElement>(node, control);
    element->text = ReadTextLooks(node, element->id);
    element->fontColor = ColorAttr(node, "fontclr");
    element->tooltip = ReadTooltip(node);
    for (Node info = node.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
        element->bitmaps.push_back(ReadNamedBitmap(info));
    for (Node area = node.child("TEXTAREA"); area; area = area.next_sibling("TEXTAREA"))
        element->textAreas.push_back(TextArea{Attr(area, "name"), Attr(area, "textkey"), ReadPartRect(area)});
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseMacroDisplay(const Node& node, const ControlKind& control)
{
    auto element = NewElement<MacroDisplayElement>(node, control);
    element->maxEvents = IntAttr(node, "max");
    element->readOnly = BoolAttr(node, "readonly", false);
    for (Node info = node.child("BMPINFO"); info; info = info.next_sibling("BMPINFO"))
        element->bitmapInfos.push_back(ReadNamedBitmap(info));
    element->borderWidth = SizeAttr(node, "bdrwidth");
    element->leftMargin = IntAttr(node, "lmargin");
    element->scrollBar = ReadScrollBar(node);
    element->colors = ReadListColors(node);
    element->text = ReadTextLooks(node, element->id);
    element->keyDown = ReadBitmap(node, "MDBMP_KEYDN", ResourceType::Image);
    element->keyUp = ReadBitmap(node, "MDBMP_KEYUP", ResourceType::Image);
    element->mouse = ReadBitmap(node, "MDBMP_MSE", ResourceType::Image);
    element->mouseHighlight = ReadBitmap(node, "MDBMP_MSEH", ResourceType::Image);
    element->clock = ReadBitmap(node, "MDBMP_CLK", ResourceType::Image);
    element->clockHighlight = ReadBitmap(node, "MDBMP_CLKH", ResourceType::Image);
    element->columns = ReadColumns(node);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseListCtrl(const Node& node, const ControlKind& control)
{
    auto element = NewElement<ListCtrlElement>(node, control);
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
    element->text = ReadTextLooks(node, element->id);
    element->sorted = BoolAttr(node, "sorted", false);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseCombo(const Node& node, const ControlKind& control)
{
    auto element = NewElement<ComboElement>(node, control);
    element->isColor = control.kind == ItemKind::COMBOCOLOR;
    element->colors = ReadListColors(node);
    element->text = ReadTextLooks(node, element->id);
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
    for (Node entry = Child(node, "COMBOITEMS").child("COMBOITEM"); entry; entry = entry.next_sibling("COMBOITEM")) {
        std::u16string text = Trimmed(ElementText(entry));
        if (text.empty())
            text = Attr(entry, "textkey");
        element->entries.push_back(std::move(text));
    }
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseListPanel(const Node& node, const ControlKind& control)
{
    auto element = NewElement<ListPanelElement>(node, control);
    element->colors = ReadListColors(node);
    element->text = ReadTextLooks(node, element->id);
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

template <EditCtrlElement::Variant variant>
std::unique_ptr<SkinElement> SkinFileReader::ParseEditCtrl(const Node& node, const ControlKind& control)
{
    auto element = NewElement<EditCtrlElement>(node, control);
    element->variant = variant;
    element->colors = ReadListColors(node);
    element->text = ReadTextLooks(node, element->id);
    element->tooltip = ReadTooltip(node);
    element->borderWidth = SizeAttr(node, "bdrwidth");
    element->maxLength = IntAttr(node, "max");
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseKbdKey(const Node& node, const ControlKind& control)
{
    auto element = NewElement<KbdKeyElement>(node, control);
    if (keyParent_)
        element->parentWindow = keyParent_;
    element->bitmaps = ReadStateBitmaps(node, element->id);
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
    element->text = ReadTextLooks(node, element->id);
    element->caption = Attr(node, "caption");
    element->keyName = Attr(node, "kbddefid");
    element->tooltip = ReadTooltip(node);
    element->isCheckBox = BoolAttr(node, "ischeckbox", false);
    return element;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseProgressPanel(const Node& node, const ControlKind& control)
{
    auto element = NewElement<ProgressPanelElement>(node, control);
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

const SkinFileReader::ControlKind* SkinFileReader::FindControlKind(std::string_view elementName)
{
    using Variant = EditCtrlElement::Variant;
    static constexpr ControlKind kControlKinds[] = {
        {"BITMAPITEM", ItemKind::BITMAPITEM, &SkinFileReader::ParseBitmapItem},
        {"SLIDERTRACK", ItemKind::SLIDERTRACK, &SkinFileReader::ParseSliderTrack},
        {"BITMAPWINDOW", ItemKind::BITMAPWINDOW, &SkinFileReader::ParseBitmapWindow},
        {"BUTTON", ItemKind::BUTTON, &SkinFileReader::ParseButton},
        {"AVIBUTTON", ItemKind::AVIBUTTON, &SkinFileReader::ParseAVIButton},
        {"VSLIDER", ItemKind::VSLIDER, &SkinFileReader::ParseVSlider},
        {"HSLIDERM", ItemKind::HSLIDERM, &SkinFileReader::ParseHSliderM},
        {"HSLIDERMAPM", ItemKind::HSLIDERMAPM, &SkinFileReader::ParseHSliderMAPM},
        {"DMARKER", ItemKind::DMARKER, &SkinFileReader::ParseDMarker},
        {"TEXTITEM", ItemKind::TEXTITEM, &SkinFileReader::ParseTextItem},
        {"DPISTAGEWINDOW", ItemKind::DPISTAGEWINDOW, &SkinFileReader::ParseDPIStageWindow},
        {"MACRODISPLAY", ItemKind::MACRODISPLAY, &SkinFileReader::ParseMacroDisplay},
        {"LISTCTRL", ItemKind::LISTCTRL, &SkinFileReader::ParseListCtrl},
        {"COMBO", ItemKind::COMBO, &SkinFileReader::ParseCombo},
        {"COMBOCOLOR", ItemKind::COMBOCOLOR, &SkinFileReader::ParseCombo},
        {"LISTPANEL", ItemKind::LISTPANEL, &SkinFileReader::ParseListPanel},
        {"EDITCTRL", ItemKind::EDITCTRL, &SkinFileReader::ParseEditCtrl<Variant::Text>},
        {"EDITCTRLSK", ItemKind::EDITCTRLSK, &SkinFileReader::ParseEditCtrl<Variant::SingleKey>},
        {"EDITCTRLSKMMO", ItemKind::EDITCTRLSK, &SkinFileReader::ParseEditCtrl<Variant::SingleKeyWithModifiers>},
        {"KBDKEY", ItemKind::KBDKEY, &SkinFileReader::ParseKbdKey},
        {"PROGRESSPANELITEM", ItemKind::PROGRESSPANELITEM, &SkinFileReader::ParseProgressPanel},
    };
    for (const ControlKind& entry : kControlKinds)
        if (elementName == entry.element)
            return &entry;
    return nullptr;
}

std::unique_ptr<SkinElement> SkinFileReader::ParseControl(const Node& node, std::string_view elementName)
{
    const ControlKind* control = FindControlKind(elementName);
    return control ? (this->*control->parse)(node, *control) : nullptr;
}

} // namespace skinload
