// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reader of one skin file, used by the skin loader: it walks the sections of a
// parsed document in their fixed order, turns each element into its parsed struct
// and builds the item, directly for data elements and through the registered
// factories for controls.
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <QLoggingCategory>

#include "skin/GUIItems.h"
#include "skin/ResourceCache.h"
#include "skin/SkinElements.h"
#include "skin/SkinLoader.h"
#include "skin/SkinXml.h"

Q_DECLARE_LOGGING_CATEGORY(lcSkinLoader)

namespace skinload {

using skinxml::Node;

// The RECT of a part of an item (a text area, a fill, a named bitmap); empty, with
// the reason logged, when it lies beyond the skin limits: the item is still built,
// without that part's size.
SkinRect ReadPartRect(const Node& part);

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

    // Control elements: the kind table finds the parser of an element name.
    struct ControlKind;
    using ControlParser = std::unique_ptr<SkinElement> (SkinFileReader::*)(const Node& node,
                                                                           const ControlKind& control);
    static const ControlKind* FindControlKind(std::string_view elementName);
    // Nothing for an element name that is no control.
    std::unique_ptr<SkinElement> ParseControl(const Node& node, std::string_view elementName);
    template <class Element>
    std::unique_ptr<Element> NewElement(const Node& node, const ControlKind& control);
    // A slider element with its thumb, track and tooltip read.
    template <class Slider>
    std::unique_ptr<Slider> NewSlider(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseBitmapItem(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseSliderTrack(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseBitmapWindow(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseButton(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseAVIButton(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseVSlider(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseHSliderM(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseHSliderMAPM(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseDMarker(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseTextItem(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseDPIStageWindow(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseMacroDisplay(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseListCtrl(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseCombo(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseListPanel(const Node& node, const ControlKind& control);
    template <EditCtrlElement::Variant variant>
    std::unique_ptr<SkinElement> ParseEditCtrl(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseKbdKey(const Node& node, const ControlKind& control);
    std::unique_ptr<SkinElement> ParseProgressPanel(const Node& node, const ControlKind& control);
    void BuildControl(std::string_view elementName, std::unique_ptr<SkinElement> element);
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

} // namespace skinload
