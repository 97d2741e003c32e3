// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleEvents.h"

#include "controls/ListPanelPopup.h"
#include "platform/ModalService.h"
#include "skin/FontItem.h"
#include "skin/SkinElements.h"
#include "skin/TextFormat.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int kCheckHitHalfWidth = 6;

// A format of the caller's is filled safely: only an integer conversion gets the value.
QString ProgressLabel(const CXListCtrl::Cell& cell)
{
    const std::u16string format =
        cell.progressFormat.isEmpty() ? std::u16string(u"%d%%") : cell.progressFormat.toStdU16String();
    return QString::fromStdU16String(FormatWithFallback(format, u"%d%%", {cell.progress.value_or(0)}));
}

} // namespace

CXListCtrl::CXListCtrl(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::LISTCTRL, nullptr, itemOwner), font_(DefaultControlFont())
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
    setFocusPolicy(Qt::StrongFocus);
}

std::unique_ptr<CXListCtrl> CXListCtrl::FromElement(const ListCtrlElement& element, CSkinWindow* itemOwner)
{
    auto list = std::make_unique<CXListCtrl>(element.id, element.parentWindow, itemOwner, element.rect);
    Looks looks;
    const ListColors& c = element.colors;
    looks.text = c.fontColor.value_or(looks.text);
    looks.back = c.backColor.value_or(looks.back);
    looks.textHighlight = c.fontColorHighlight.value_or(looks.textHighlight);
    looks.backHighlight = c.backColorHighlight.value_or(looks.backHighlight);
    looks.border = c.borderColor.value_or(looks.border);
    if (element.header) {
        looks.headerText = element.header->fontColor.value_or(looks.headerText);
        looks.headerBack = element.header->backColor.value_or(looks.headerBack);
        looks.headerBorder = std::max(0, element.header->borderWidth);
        // The first header bitmap that loaded is the header's picture.
        for (const NamedBitmap& bitmap : element.header->bitmapInfos) {
            if (bitmap.data.IsLoaded()) {
                looks.headerBitmap = MakeHeaderBitmap(bitmap.data.image, bitmap.mask.image);
                break;
            }
        }
    }
    list->SetLooks(looks);
    if (element.text.font)
        list->SetFont(element.text.font->Font());
    list->SetSorted(element.sorted);
    if (element.scrollBar)
        list->SetScrollBar(*element.scrollBar);
    for (const auto& info : element.columns) {
        Column column;
        column.columnKind = info.columnKind;
        column.cellKind = info.cellKind;
        column.width = std::max(0, info.width);
        column.header = MakeCaption(info.headerText);
        column.tooltip = info.tooltip.empty() ? QString() : MakeTooltip(info.tooltip);
        column.exclusive = info.exclusive;
        column.unchecked = info.checkBitmaps.normal.image;
        column.checked = info.checkBitmaps.down.image;
        column.mask = info.checkBitmaps.mask.image;
        list->AddColumn(column);
    }
    list->show();
    return list;
}

QImage CXListCtrl::MakeHeaderBitmap(const QImage& data, const QImage& mask)
{
    if (data.isNull())
        return {};
    QImage image = data.convertToFormat(QImage::Format_ARGB32);
    if (mask.isNull())
        return image;
    // A mask of another size only cuts where it overlaps the bitmap.
    const QImage cut = mask.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(image.width(), cut.width());
    const int h = std::min(image.height(), cut.height());
    for (int y = 0; y < h; ++y) {
        const auto* maskLine = reinterpret_cast<const QRgb*>(cut.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            if ((maskLine[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

int CXListCtrl::VisibleRows() const
{
    return std::max(1, (height() - kHeaderHeight) / kRowHeight);
}

void CXListCtrl::ScrollTo(int top)
{
    EndEdit();
    topRow_ = std::clamp(top, 0, std::max(0, RowCount() - VisibleRows()));
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

void CXListCtrl::SetScrollBar(const ScrollBarInfo& info)
{
    delete scrollBar_;
    scrollBar_ = new CVScrollBar(this, this, info, QRect(0, kHeaderHeight, width(), height() - kHeaderHeight));
}

ScrollState CXListCtrl::GetScrollState() const
{
    return ScrollState{RowCount(), VisibleRows(), topRow_};
}

LRESULT CXListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_VSCROLL) {
        ScrollTo(ApplyScrollCode(GetScrollState(), wParam));
        return 0;
    }
    return CSkinWindow::WindowProc(msg, wParam, lParam);
}

void CXListCtrl::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        ScrollTo(topRow_ - notches);
    event->accept();
}

void CXListCtrl::AddColumn(const Column& column)
{
    columns_.push_back(column);
    for (auto& row : rows_)
        row.cells.resize(columns_.size());
    update();
}

int CXListCtrl::AddRow(int userValue, const QString& firstCellText)
{
    Row row{userValue, std::vector<Cell>(columns_.size())};
    if (!row.cells.empty())
        row.cells[0].text = firstCellText;
    auto at = rows_.end();
    if (sorted_) {
        at = std::upper_bound(rows_.begin(), rows_.end(), firstCellText, [](const QString& text, const Row& r) {
            return text.compare(r.cells.empty() ? QString() : r.cells[0].text, Qt::CaseInsensitive) < 0;
        });
    }
    const int index = int(at - rows_.begin());
    rows_.insert(at, std::move(row));
    if (selected_ >= index)
        ++selected_;
    if (scrollBar_)
        scrollBar_->Sync();
    update();
    return index;
}

void CXListCtrl::DeleteAllRows()
{
    CancelEdit();
    rows_.clear();
    selected_ = -1;
    topRow_ = 0;
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

void CXListCtrl::SelectRow(int row)
{
    selected_ = row >= 0 && row < RowCount() ? row : -1;
    update();
}

void CXListCtrl::EnsureVisible(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    if (row < topRow_)
        ScrollTo(row);
    else if (row >= topRow_ + VisibleRows())
        ScrollTo(row - VisibleRows() + 1);
}

int CXListCtrl::ColumnOfKind(int columnKind) const
{
    for (int column = 0; column < ColumnCount(); ++column)
        if (columns_[std::size_t(column)].columnKind == columnKind)
            return column;
    return -1;
}

int CXListCtrl::RowUserValue(int row) const
{
    return row >= 0 && row < RowCount() ? rows_[std::size_t(row)].userValue : -1;
}

int CXListCtrl::FindRow(int userValue) const
{
    for (int row = 0; row < RowCount(); ++row) {
        if (rows_[std::size_t(row)].userValue == userValue)
            return row;
    }
    return -1;
}

CXListCtrl::Cell* CXListCtrl::CellAt(int row, int column)
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return nullptr;
    return &rows_[std::size_t(row)].cells[std::size_t(column)];
}

const CXListCtrl::Cell* CXListCtrl::CellAt(int row, int column) const
{
    return const_cast<CXListCtrl*>(this)->CellAt(row, column);
}

bool CXListCtrl::SetCellText(int row, int column, const QString& text)
{
    Cell* cell = CellAt(row, column);
    if (!cell)
        return false;
    cell->text = text;
    update();
    return true;
}

QString CXListCtrl::CellText(int row, int column) const
{
    const Cell* cell = CellAt(row, column);
    return cell ? cell->text : QString();
}

bool CXListCtrl::SetCellChecked(int row, int column, bool checked)
{
    Cell* cell = CellAt(row, column);
    if (!cell)
        return false;
    cell->checked = checked;
    update();
    return true;
}

bool CXListCtrl::IsCellChecked(int row, int column) const
{
    const Cell* cell = CellAt(row, column);
    return cell && cell->checked;
}

bool CXListCtrl::SetCellProgress(int row, int column, int percent, const QString& format)
{
    Cell* cell = CellAt(row, column);
    if (!cell)
        return false;
    cell->progress = std::clamp(percent, 0, 100);
    cell->progressFormat = format;
    update();
    return true;
}

QString CXListCtrl::CellProgressText(int row, int column) const
{
    const Cell* cell = CellAt(row, column);
    if (!cell || !cell->progress)
        return {};
    return ProgressLabel(*cell);
}

bool CXListCtrl::SetCellChoices(int row, int column, const std::vector<QString>& choices, int chosen)
{
    Cell* cell = CellAt(row, column);
    if (!cell)
        return false;
    cell->choices = choices;
    cell->chosen = chosen >= 0 && chosen < int(choices.size()) ? chosen : -1;
    cell->text = cell->chosen >= 0 ? choices[std::size_t(cell->chosen)] : QString();
    update();
    return true;
}

void CXListCtrl::SetLooks(const Looks& looks)
{
    looks_ = looks;
    update();
}

QRect CXListCtrl::CellRect(int row, int column) const
{
    int left = 0;
    for (int c = 0; c < column && c < ColumnCount(); ++c)
        left += columns_[std::size_t(c)].width;
    const int width = column < ColumnCount() ? columns_[std::size_t(column)].width : 0;
    return QRect(left, kHeaderHeight + (row - topRow_) * kRowHeight, width, kRowHeight);
}

int CXListCtrl::RowAt(const QPoint& point) const
{
    if (point.y() < kHeaderHeight)
        return -1;
    const int row = topRow_ + (point.y() - kHeaderHeight) / kRowHeight;
    return row < RowCount() ? row : -1;
}

int CXListCtrl::CellColumnAt(int row, const QPoint& point) const
{
    for (int column = 0; column < ColumnCount(); ++column) {
        QRect rect = CellRect(row, column);
        if (columns_[std::size_t(column)].cellKind == CellKind::CHECKBOX) {
            const int centre = rect.center().x();
            rect = QRect(centre - kCheckHitHalfWidth, rect.top(), 2 * kCheckHitHalfWidth, rect.height());
        }
        if (rect.contains(point))
            return column;
    }
    return -1;
}

CSkinWindow* CXListCtrl::NotifyTarget() const
{
    return owner ? owner : GetParentWindow();
}

void CXListCtrl::ToggleCheck(int row, int column)
{
    const Column& info = columns_[std::size_t(column)];
    Cell& cell = rows_[std::size_t(row)].cells[std::size_t(column)];
    if (info.exclusive) {
        // An exclusive column keeps exactly the clicked row checked; clicking it again changes nothing.
        if (cell.checked)
            return;
        for (auto& other : rows_)
            other.cells[std::size_t(column)].checked = false;
        cell.checked = true;
    } else {
        cell.checked = !cell.checked;
    }
    update();
    const int32_t state = cell.checked ? 1 : 0;
    SendCellRecord(WM_LIST_CHECK_TOGGLED, row, column, &state);
    UpdateHeaderCheck(column);
}

bool CXListCtrl::ShowHeaderCheck(int column, bool show)
{
    if (column < 0 || column >= ColumnCount() || columns_[std::size_t(column)].cellKind != CellKind::CHECKBOX)
        return false;
    columns_[std::size_t(column)].headerCheckShown = show;
    UpdateHeaderCheck(column);
    return true;
}

bool CXListCtrl::IsHeaderCheckShown(int column) const
{
    return column >= 0 && column < ColumnCount() && columns_[std::size_t(column)].headerCheckShown;
}

bool CXListCtrl::IsHeaderChecked(int column) const
{
    return IsHeaderCheckShown(column) && columns_[std::size_t(column)].headerChecked;
}

void CXListCtrl::UpdateHeaderCheck(int column)
{
    Column& info = columns_[std::size_t(column)];
    if (!info.headerCheckShown)
        return;
    info.headerChecked = !rows_.empty() && std::all_of(rows_.begin(), rows_.end(), [column](const Row& row) {
        return row.cells[std::size_t(column)].checked;
    });
    update();
}

void CXListCtrl::SendCellRecord(UINT msg, int row, int column, const void* value)
{
    ListCellRecord record{RowUserValue(row), column, value};
    if (CSkinWindow* target = NotifyTarget())
        target->SendMessage(msg, reinterpret_cast<WPARAM>(GetHandle()), reinterpret_cast<LPARAM>(&record));
}

void CXListCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    // Whatever the press is for, an edit in progress ends first.
    EndEdit();
    KillTimer(kComboTimer);
    KillTimer(kFileDialogTimer);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        ShowContextMenu(point);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const int row = RowAt(point);
    if (row < 0)
        return;
    selected_ = row;
    const int column = CellColumnAt(row, point);
    if (column >= 0)
        currentColumn_ = column;
    if (column >= 0 && columns_[std::size_t(column)].cellKind == CellKind::CHECKBOX)
        ToggleCheck(row, column);
    if (column >= 0 && columns_[std::size_t(column)].cellKind == CellKind::COMBO) {
        // Only the arrow box at the cell's right end opens the choices.
        const QRect cell = CellRect(row, column);
        if (point.x() >= cell.right() - (cell.height() - 4) - 1) {
            comboRow_ = row;
            comboColumn_ = column;
            comboByKeyboard_ = false;
            SetTimer(kComboTimer, kComboDelayMs);
        }
    }
    if (column >= 0 && BrowseBoxRect(row, column).contains(point)) {
        // The dialog opens after the press has been handled, so that the list does
        // not hold the mouse while the dialog runs.
        fileRowValue_ = RowUserValue(row);
        fileColumn_ = column;
        SetTimer(kFileDialogTimer, 0);
    }
    update();
    // The owner may have refilled the rows while it heard of the check.
    if (row >= RowCount())
        return;
    if (CSkinWindow* target = NotifyTarget())
        target->SendMessage(WM_LIST_ROW_CLICKED, WPARAM(uint32_t(rows_[std::size_t(row)].userValue)),
                            reinterpret_cast<LPARAM>(GetHandle()));
}

void CXListCtrl::ClickRow(int row)
{
    selected_ = row;
    EnsureVisible(row);
    update();
    AnnounceEvent(this, QAccessible::Selection, row * std::max(1, ColumnCount()));
    if (CSkinWindow* target = NotifyTarget())
        target->SendMessage(WM_LIST_ROW_CLICKED, WPARAM(uint32_t(rows_[std::size_t(row)].userValue)),
                            reinterpret_cast<LPARAM>(GetHandle()));
}

bool CXListCtrl::ClickCheck(int row, int column)
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount() ||
        columns_[std::size_t(column)].cellKind != CellKind::CHECKBOX)
        return false;
    ToggleCheck(row, column);
    // The owner may have refilled the rows while it heard of the check.
    if (row < RowCount())
        ClickRow(row);
    return true;
}

void CXListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const int row = RowAt(point);
    const int column = row >= 0 ? CellColumnAt(row, point) : -1;
    if (column < 0)
        return;
    SendCellRecord(WM_LIST_CELL_DOUBLE_CLICKED, row, column, nullptr);
    if (columns_[std::size_t(column)].cellKind == CellKind::EDIT)
        BeginEdit(row, column);
}

bool CXListCtrl::BeginEdit(int row, int column)
{
    if (!CellAt(row, column) || columns_[std::size_t(column)].cellKind != CellKind::EDIT)
        return false;
    EndEdit();
    if (!editor_) {
        editor_ = new QLineEdit(this);
        editor_->setFrame(false);
        editor_->setContextMenuPolicy(Qt::NoContextMenu);
        editor_->installEventFilter(this);
    }
    editRow_ = row;
    editColumn_ = column;
    editOriginal_ = CellText(row, column);
    editor_->setFont(font_);
    editor_->setGeometry(CellRect(row, column).adjusted(1, 1, -1, -1));
    editor_->setText(editOriginal_);
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
    return true;
}

void CXListCtrl::EndEdit()
{
    if (editRow_ < 0)
        return;
    const int row = editRow_;
    const int column = editColumn_;
    editRow_ = -1;
    editColumn_ = -1;
    const QString text = editor_ ? editor_->text() : editOriginal_;
    if (editor_)
        editor_->hide();
    // Only a changed text is stored and reported.
    if (text != editOriginal_ && CellAt(row, column)) {
        SetCellText(row, column, text);
        const std::u16string value = text.toStdU16String();
        SendCellRecord(WM_LIST_CELL_EDITED, row, column, value.c_str());
    }
}

void CXListCtrl::CancelEdit()
{
    if (editRow_ < 0)
        return;
    editRow_ = -1;
    editColumn_ = -1;
    if (editor_)
        editor_->hide();
}

bool CXListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                EndEdit();
                return true;
            }
            if (key == Qt::Key_Escape) {
                CancelEdit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            EndEdit();
        }
    }
    return CSkinWindow::eventFilter(watched, event);
}

void CXListCtrl::OnTimer(UINT id)
{
    if (id == kComboTimer) {
        KillTimer(kComboTimer);
        OpenComboList();
        return;
    }
    if (id == kFileDialogTimer) {
        KillTimer(kFileDialogTimer);
        OpenFileDialog();
        return;
    }
    CSkinWindow::OnTimer(id);
}

QRect CXListCtrl::BrowseBoxRect(int row, int column) const
{
    if (!CellAt(row, column) || columns_[std::size_t(column)].cellKind != CellKind::FILEDIALOG)
        return {};
    const QRect cell = CellRect(row, column);
    const int side = cell.height() - 4;
    return QRect(cell.right() - side - 1, cell.top() + 2, side, side);
}

void CXListCtrl::OpenFileDialog()
{
    // The row is known by its user value: the rows may be refilled meanwhile.
    const int userValue = fileRowValue_;
    const int column = fileColumn_;
    fileColumn_ = -1;
    if (!CellAt(FindRow(userValue), column))
        return;
    FileDialogRequest request;
    request.filter = std::u16string(kFileCellFilter);
    const auto path = GetOpenFileName(request);
    const int nowRow = FindRow(userValue);
    if (!path || path->empty() || !CellAt(nowRow, column))
        return;
    // The cell shows the program's file name with its extension; the owner gets the path.
    SetCellText(nowRow, column, QFileInfo(QString::fromStdU16String(*path)).fileName());
    SendCellRecord(WM_LIST_APP_CELL_CHANGED, nowRow, column, path->c_str());
}

void CXListCtrl::OpenComboList()
{
    Cell* cell = CellAt(comboRow_, comboColumn_);
    if (!cell || cell->choices.empty())
        return;
    const QRect rect = CellRect(comboRow_, comboColumn_);
    CListPanelItem list(-1, nullptr, SkinRect{0, 0, rect.width(), 0});
    for (const auto& choice : cell->choices)
        list.AddShownEntry(choice);
    const int height = CListPanelRows::kRowHeight * int(cell->choices.size()) + 2 * list.ShownBorderWidth();
    const int row = comboRow_;
    const int column = comboColumn_;
    const int chosen = ShowListPanelPopup(height, this, list, rect.left(), rect.bottom() + 1, nullptr,
                                          comboByKeyboard_ ? cell->chosen : -1);
    // The rows may have changed while the list was open.
    cell = CellAt(row, column);
    if (chosen < 0 || !cell || chosen >= int(cell->choices.size()))
        return;
    cell->chosen = chosen;
    cell->text = cell->choices[std::size_t(chosen)];
    update();
}

void CXListCtrl::ShowContextMenu(const QPoint& point)
{
    if (!contextMenu_)
        return;
    const int row = RowAt(point);
    SendCellRecord(WM_LIST_CONTEXT_MENU_OPENING, row, 0, nullptr);
    const int chosen = ShowListPanelPopup(0, this, *contextMenu_, point.x(), point.y());
    if (chosen >= 0 && chosen < contextMenu_->RowCount())
        ActOnMenuEntry(row, chosen);
}

bool CXListCtrl::ChooseMenuEntry(int row, std::u16string_view key)
{
    if (!contextMenu_ || !CellAt(row, 0))
        return false;
    // The owner sets the entries' states for the row first, as for the menu shown.
    SendCellRecord(WM_LIST_CONTEXT_MENU_OPENING, row, 0, nullptr);
    for (int entry = 0; entry < contextMenu_->RowCount(); ++entry) {
        if (contextMenu_->EntryAt(entry).key == key && !contextMenu_->IsRowDisabled(entry)) {
            ActOnMenuEntry(row, entry);
            return true;
        }
    }
    return false;
}

void CXListCtrl::ActOnMenuEntry(int row, int chosen)
{
    const auto& entry = contextMenu_->EntryAt(chosen);
    if (entry.key == u"$AssignApplication") {
        FileDialogRequest request;
        request.filter = u"*.exe|*.exe||";
        const auto path = GetOpenFileName(request);
        if (!path || !CellAt(row, kApplicationColumn))
            return;
        // The program's file name with its extension, without the folder.
        const QString name = QFileInfo(QString::fromStdU16String(*path)).fileName();
        SetCellText(row, kApplicationColumn, name);
        const std::u16string value = name.toStdU16String();
        SendCellRecord(WM_LIST_APP_CELL_CHANGED, row, kApplicationColumn, value.c_str());
    } else if (entry.key == u"$UnassignApplication") {
        if (!CellAt(row, kApplicationColumn))
            return;
        SetCellText(row, kApplicationColumn, QString());
        const std::u16string empty;
        SendCellRecord(WM_LIST_APP_CELL_CHANGED, row, kApplicationColumn, empty.c_str());
        if (SetCellChecked(row, kAutoSwitchColumn, false)) {
            const int32_t state = 0;
            SendCellRecord(WM_LIST_CHECK_TOGGLED, row, kAutoSwitchColumn, &state);
        }
    } else {
        const std::u16string text = entry.text.toStdU16String();
        SendCellRecord(WM_LIST_CONTEXT_MENU_CHOSEN, row, 0, text.c_str());
    }
}

void CXListCtrl::DrawCell(QPainter& painter, const QRect& rect, const Column& column, const Cell& cell,
                          bool selected) const
{
    const QColor text = ToQColor(selected ? looks_.textHighlight : looks_.text);
    if (cell.progress) {
        const QRect frame = rect.adjusted(2, 3, -3, -4);
        painter.setPen(text);
        painter.drawRect(frame);
        const QRect inner = frame.adjusted(1, 1, 0, 0);
        const QRect bar(inner.left(), inner.top(), inner.width() * *cell.progress / 100, inner.height());
        painter.fillRect(bar, ToQColor(looks_.border).lighter(220));
        const QString label = ProgressLabel(cell);
        // Drawn twice so the text stays readable over the bar and over the rest.
        painter.save();
        painter.setClipRect(bar);
        painter.setPen(ToQColor(looks_.back));
        painter.drawText(inner, Qt::AlignCenter, label);
        painter.setClipRect(QRect(bar.right() + 1, inner.top(), inner.right() - bar.right(), inner.height()));
        painter.setPen(text);
        painter.drawText(inner, Qt::AlignCenter, label);
        painter.restore();
        return;
    }
    if (column.cellKind == CellKind::CHECKBOX) {
        const QImage& image = cell.checked ? column.checked : column.unchecked;
        if (!image.isNull()) {
            painter.drawImage(QPoint(rect.center().x() - image.width() / 2, rect.center().y() - image.height() / 2),
                              image);
        } else {
            const QRect box(rect.center().x() - 5, rect.center().y() - 5, 10, 10);
            painter.setPen(text);
            painter.drawRect(box);
            if (cell.checked)
                painter.fillRect(box.adjusted(2, 2, -1, -1), text);
        }
        return;
    }
    QRect textRect = rect.adjusted(4, 0, -2, 0);
    if (column.cellKind == CellKind::FILEDIALOG) {
        // The browse box: a small square with three dots at the right end.
        const int side = rect.height() - 4;
        const QRect box(rect.right() - side - 1, rect.top() + 2, side, side);
        painter.setPen(text);
        painter.drawRect(box);
        for (int dot = -1; dot <= 1; ++dot)
            painter.fillRect(QRect(box.center().x() + 3 * dot - 1, box.bottom() - 4, 2, 2), text);
        textRect.setRight(box.left() - 2);
    }
    if (column.cellKind == CellKind::COMBO) {
        // The closed combo: the text and a square box with a small arrow at the right end.
        const int side = rect.height() - 4;
        const QRect box(rect.right() - side - 1, rect.top() + 2, side, side);
        painter.setPen(text);
        painter.drawRect(box);
        const QPoint c = box.center();
        const QPoint arrow[3] = {QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)};
        painter.setBrush(text);
        painter.drawPolygon(arrow, 3);
        painter.setBrush(Qt::NoBrush);
        textRect.setRight(box.left() - 2);
    }
    painter.setPen(text);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(cell.text, Qt::ElideRight, textRect.width()));
}

QRect CXListCtrl::HeaderRect(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return {};
    int left = 0;
    for (int c = 0; c < column; ++c)
        left += columns_[std::size_t(c)].width;
    return QRect(left, 0, columns_[std::size_t(column)].width, kHeaderHeight);
}

int CXListCtrl::HeaderColumnAt(const QPoint& point) const
{
    if (point.y() < 0 || point.y() >= kHeaderHeight || point.x() < 0)
        return -1;
    int left = 0;
    for (int column = 0; column < ColumnCount(); ++column) {
        const int width = columns_[std::size_t(column)].width;
        if (point.x() < left + width)
            return column;
        left += width;
    }
    return -1;
}

QString CXListCtrl::HeaderTooltipAt(const QPoint& point) const
{
    const int column = HeaderColumnAt(point);
    return column < 0 ? QString() : columns_[std::size_t(column)].tooltip;
}

bool CXListCtrl::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return CSkinWindow::event(event);
    // Each column's tip belongs to its header cell and goes when the pointer leaves it.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = HeaderTooltipAt(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, HeaderRect(HeaderColumnAt(help->pos())));
    }
    return true;
}

void CXListCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(looks_.back));
    painter.setFont(font_);
    int left = 0;
    for (const auto& column : columns_) {
        const QRect header(left, 0, column.width, kHeaderHeight);
        painter.fillRect(header, ToQColor(looks_.headerBack));
        if (!looks_.headerBitmap.isNull())
            painter.drawImage(header, looks_.headerBitmap);
        if (looks_.headerBorder > 0) {
            painter.setPen(ToQColor(looks_.border));
            painter.drawRect(header.adjusted(0, 0, -1, -1));
        }
        painter.setPen(ToQColor(looks_.headerText));
        if (column.headerCheckShown) {
            const QRect box(header.center().x() - 5, header.center().y() - 5, 10, 10);
            painter.drawRect(box);
            if (column.headerChecked)
                painter.fillRect(box.adjusted(2, 2, -1, -1), ToQColor(looks_.headerText));
        } else {
            painter.drawText(header.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             column.header);
        }
        left += column.width;
    }
    for (int row = topRow_; row < RowCount(); ++row) {
        const QRect rowRect(0, kHeaderHeight + (row - topRow_) * kRowHeight, width(), kRowHeight);
        if (rowRect.top() >= height())
            break;
        const bool selected = row == selected_;
        if (selected)
            painter.fillRect(rowRect, ToQColor(looks_.backHighlight));
        for (int column = 0; column < ColumnCount(); ++column)
            DrawCell(painter, CellRect(row, column), columns_[std::size_t(column)],
                     rows_[std::size_t(row)].cells[std::size_t(column)], selected);
    }
    DrawCurrentCellMark(painter);
    painter.setPen(ToQColor(looks_.border));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
