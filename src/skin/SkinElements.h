// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parsed form of every skin element: what the loader read from the XML, with
// names already turned into item ids, colour names into colours, file names into
// images from the resource cache and references into the items they name. A
// control's factory receives one of these and needs nothing else from the file.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>

#include "skin/FontItem.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CSkinWindow;

// Common to every element that becomes an item.
struct SkinElement {
    virtual ~SkinElement() = default;

    std::string elementName; // e.g. "BUTTON", exactly as in the file
    std::u16string itemName; // the `name` attribute as written
    int id = -1;
    int kind = ItemKind::Unset;
    SkinRect rect; // own `RECT`, or the current language's override of it
    // Where a control is created: the window of the `windowid` bitmap item when it
    // resolves, else the load's owner (may be null).
    CSkinWindow* parentWindow = nullptr;
};

// Looks and text attributes that most controls share.
struct TextLooks {
    const CFontItem* font = nullptr; // resolved `fontid` (kind 12), or none
    CapsMode caps = CapsMode::AsWritten;
    Justify justify = Justify::Left;
    int multiline = 0;
};

// `FILLINFO`: a fill rectangle and its colours.
struct FillInfo {
    SkinRect rect;
    SkinColor fillColor;
    SkinColor backColor;
};

// `VSCROLL`: the six bitmaps of a skinned vertical scroll bar.
struct ScrollBarInfo {
    SkinBitmap top, bottom, arrowUp, arrowDown, channel, thumb;
    int borderWidth = 0;
    // Width of the widest bitmap plus the border width.
    int Width() const;
};

// `BMPINFO`: a named bitmap with its mask and rectangle.
struct NamedBitmap {
    std::u16string name;
    SkinBitmap data; // BMPDATA
    SkinBitmap mask; // BMPMASK
    SkinRect rect;
    StateBitmaps states; // state bitmaps, where a BMPINFO carries them (key buttons)
};

// The colours of list-like controls; each only when present.
struct ListColors {
    SkinColor fontColor, fontColorHighlight, fontColorSelected, disabledFontColor;
    SkinColor backColor, backColorHighlight, backColorSelected, disabledBackColor;
    SkinColor borderColor, disabledBorderColor;
};

struct ListColumnInfo {
    int columnKind = -1; // list-column kind from `name`
    int cellKind = -1;   // cell control kind from `type`
    int width = 0;
    std::u16string headerText; // the element's text
    std::u16string tooltip;
    bool exclusive = false;    // check-box columns
    StateBitmaps checkBitmaps; // SBMN unchecked, SBMD checked, SBMM mask
};

// ---- data elements ---------------------------------------------------------------

struct FontElement : SkinElement {
    FontDescription description;
};

struct LangElement : SkinElement {
    std::u16string file;
    struct FontSwap {
        int searchId = -1;
        int replaceId = -1;
    };
    std::vector<FontSwap> fontReplacements;
    struct Override {
        int itemId = -1;
        std::u16string attribute;
        std::u16string value;
        std::optional<SkinRect> rect;
    };
    std::vector<Override> overrides;
    struct ColumnOverride {
        std::u16string column;
        std::u16string attribute;
        std::u16string value;
    };
    std::vector<ColumnOverride> columnOverrides;
};

struct KeyboardDefElement : SkinElement {
    std::u16string file;
    std::u16string defaultsFile;
    QByteArray fileData;
    QByteArray defaultsData;
};

struct KbLayoutElement : SkinElement {
    std::u16string layout; // `kbdlayout`
    std::u16string items;  // `kbditems`
};

// ---- control elements --------------------------------------------------------------

struct BitmapItemElement : SkinElement {
    StateBitmaps bitmaps; // SBMN and SBMM are used
    TooltipInfo tooltip;
    bool moveable = false;
    int assignType = 0; // `assntype` of a bitmap inside a BITMAPWINDOW
};

struct SliderTrackElement : SkinElement {
    StateBitmaps bitmaps; // SBMN, SBMDS, SBMM
    std::optional<FillInfo> fill;
};

struct BitmapWindowElement : SkinElement {
    StateBitmaps bitmaps;
    TextLooks text;
    SkinColor fontColor;
    TooltipInfo tooltip;
    std::vector<BitmapItemElement> children;
};

struct ButtonElement : SkinElement {
    StateBitmaps bitmaps;
    TextLooks text;
    std::u16string caption;
    SkinColor fontColor;
    TooltipInfo tooltip;
    bool isCheckBox = false;
    int leftMargin = 0;
};

struct AVIButtonElement : SkinElement {
    std::u16string videoFile; // in bin/
    std::u16string soundFile; // in bin/
    QByteArray videoData;     // empty when the clip could not be read
};

struct VSliderElement : SkinElement {
    StateBitmaps thumb; // SBMN, SBMO, SBMM (Windows bitmaps)
    CGUIItem* track = nullptr;
    TooltipInfo tooltip;
};

struct SliderStage {
    std::u16string name;
    int id = -1;
};

struct HSliderMElement : SkinElement {
    std::vector<SliderStage> stages;
    StateBitmaps thumb;
    CGUIItem* track = nullptr;
    TooltipInfo tooltip;
    bool interactive = true;
};

struct HSliderMAPMElement : SkinElement {
    StateBitmaps thumb;
    CGUIItem* track = nullptr;
    TooltipInfo tooltip;
};

struct DMarkerElement : SkinElement {
    StateBitmaps bitmaps; // SBMN
    SkinBitmap mark;      // MARK
};

struct TextItemElement : SkinElement {
    std::u16string textKey;
    CGUIItem* checkBox = nullptr; // resolved `checkboxid` (a BUTTON)
    TextLooks text;
    SkinColor fontColor, fontColorHighlight, disabledFontColor;
    TooltipInfo tooltip;
    bool interactive = false;
};

struct TextArea {
    std::u16string name;
    std::u16string textKey;
    SkinRect rect;
};

struct DPIStageWindowElement : SkinElement {
    TextLooks text;
    SkinColor fontColor;
    TooltipInfo tooltip;
    std::vector<NamedBitmap> bitmaps;
    std::vector<TextArea> textAreas;
};

struct MacroDisplayElement : SkinElement {
    int maxEvents = 0;
    bool readOnly = false;
    std::vector<NamedBitmap> bitmapInfos;
    int borderWidth = 0;
    int leftMargin = 0;
    std::optional<ScrollBarInfo> scrollBar;
    ListColors colors;
    TextLooks text;
    SkinBitmap keyDown, keyUp, mouse, mouseHighlight, clock, clockHighlight; // MDBMP_*
    std::vector<ListColumnInfo> columns;
};

struct ListHeaderInfo {
    SkinColor backColor;
    SkinColor fontColor;
    std::vector<NamedBitmap> bitmapInfos;
    int borderWidth = 0;
};

struct ListCtrlElement : SkinElement {
    std::optional<ScrollBarInfo> scrollBar;
    std::optional<ListHeaderInfo> header;
    std::vector<ListColumnInfo> columns;
    ListColors colors;
    TextLooks text;
    bool sorted = false;
};

struct ComboBoxInfo {
    SkinRect rect;
    StateBitmaps bitmaps; // the mask of a colour box
    bool hasArrow = false;
};

struct ComboElement : SkinElement {
    bool isColor = false; // COMBOCOLOR
    ListColors colors;
    TextLooks text;
    TooltipInfo tooltip;
    int borderWidth = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    bool sorted = false;
    int listHeight = 0; // CLIST
    int listWidth = 0;
    std::optional<ComboBoxInfo> box; // CBOX
    std::vector<std::u16string> entries;
};

struct ListPanelEntry {
    std::u16string text;
    std::u16string tooltip;
    bool disabled = false;
};

struct ListPanelElement : SkinElement {
    ListColors colors;
    TextLooks text;
    int borderWidth = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    bool sorted = false;
    bool dynamic = true;
    int listHeight = 0; // CLIST
    std::optional<ScrollBarInfo> scrollBar;
    std::vector<ListPanelEntry> entries;
};

struct EditCtrlElement : SkinElement {
    enum class Variant { Text, SingleKey, SingleKeyWithModifiers };
    Variant variant = Variant::Text;
    ListColors colors;
    TextLooks text;
    TooltipInfo tooltip;
    int borderWidth = 0;
    int maxLength = 0;
};

struct KbdKeyElement : SkinElement {
    StateBitmaps bitmaps; // own, else the list's shared BUTTONBITMAPS
    std::optional<NamedBitmap> bitmapInfo;
    TextLooks text;
    std::u16string caption;
    std::u16string keyName; // `kbddefid`
    TooltipInfo tooltip;
    bool isCheckBox = false;
};

struct TextInfo {
    int id = -1;
    std::u16string name;
    SkinRect rect;
    SkinColor fontColor;
    SkinColor backColor;
    const CFontItem* font = nullptr;
    std::u16string textKey;
};

struct ProgressPanelElement : SkinElement {
    ListColors colors;
    int borderWidth = 0;
    std::optional<FillInfo> fill;
    std::vector<TextInfo> texts;
};
