// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CGUIPanel`: a window drawn from a panel skin file (a page or a popup). Creating
// it loads the file with the panel as owner, sizes the window to the background
// bitmap, cuts its shape from the mask bitmap and paints the background; the items
// of the file (its controls among them) live in the panel's collection. The mask
// is needed only for the shape: once that is cut, its picture is let go.
#include <string>

#include <QImage>

#include "platform/SkinWindow.h"
#include "skin/GUIItems.h"
#include "skin/SkinGeometry.h"

class CGUIPanel : public CSkinWindow {
public:
    // A panel from a skin file (relative to xml/).
    CGUIPanel(std::u16string skinFile, QWidget* parent, Qt::WindowFlags flags = {});
    // A panel of a fixed rectangle, without a file.
    CGUIPanel(const SkinRect& rect, QWidget* parent, Qt::WindowFlags flags = {});
    ~CGUIPanel() override;

    // Makes the load observable (a progress popup may listen); set before Create().
    void SetObservableLoad(bool observable) { observable_ = observable; }

    // Loads the file (when there is one) and lays the window out. Returns false when
    // the file did not load; the window then keeps the size it had.
    bool Create();
    // Frees the background and the items, and clears the loaded flag.
    void Destroy();

    bool IsLoaded() const { return loaded_; }
    CGUIItems& Items() { return items_; }
    const CGUIItems& Items() const { return items_; }
    const QImage& Background() const { return background_; }
    const std::u16string& SkinFile() const { return skinFile_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Tab and Shift+Tab follow the controls as the window shows them (see
    // FocusNavigation.h); panels inside a window leave it to their window.
    bool focusNextPrevChild(bool next) override;

private:
    std::u16string skinFile_;
    SkinRect rect_;
    CGUIItems items_;
    QImage background_;
    bool loaded_ = false;
    bool observable_ = false;
};
