// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the default skin: near-black panels, dark-grey frames and neon-cyan
// highlights. The neon shades are the colour table's NEON_* entries, so bitmaps and
// the colours named in the skin files match.
#include <QColor>

namespace theme {

inline const QColor kWindow{11, 11, 11}; // BLACK2
inline const QColor kPanel{18, 20, 22};
inline const QColor kPanelLight{26, 29, 32};
inline const QColor kFrame{43, 43, 43};        // DARKGREY2
inline const QColor kFrameLight{58, 58, 58};   // DARKGREY
inline const QColor kGreyText{119, 112, 105};  // MIDGREY
inline const QColor kWhite{254, 254, 254};     // NEON_HIGHLIGHT
inline const QColor kCyan{111, 232, 237};      // NEON_TAB_SELECT
inline const QColor kCyanBorder{11, 110, 129}; // NEON_PANEL_BORDER
inline const QColor kCyanDeep{5, 46, 54};      // NEON_PANEL_BACKGROUND
inline const QColor kCyanMid{10, 81, 94};      // NEON_PANEL_HIGHLIGHT
inline const QColor kComboBack{3, 24, 28};     // NEON_COMBO_BK
inline const QColor kMagenta{255, 0, 255};     // cut-away parts of a window
inline const QColor kRecordRed{220, 52, 60};

} // namespace theme
