// Classes in this file:
//   CXListCtrl - the skinned multi-column list (LISTCTRL element): a report-view list whose
//                cells it draws itself, with typed columns (text, check box, drop-down
//                "combo", application file picker), rows addressed by a key of the owner's
//                choosing, a skinned header, an optional skinned scroll bar and an optional
//                right-click menu. Everything the user does is reported to the owner window
//                by private messages carrying a CXListCellRecord.
#pragma once

#include "CFont.h"
#include "CGUIItem.h"
#include "CGenericPanel.h"
#include "CImageList.h"
#include "CListCtrl.h"
#include "CListPanelSettings.h"
#include "CToolTipCtrl.h"
#include "CXHeaderCtrl.h"
#include "CXListCell.h"
#include "CXListColumn.h"

#include <map>
#include <memory>
#include <vector>

class CBmpInfo;
class CListPanelItem;
class CVScrollBar;
class CXComboList;
class IFileChooser;

class CXListCtrl : public CListCtrl, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CListCtrl::m_hWnd;

    // At most this many columns.
    static constexpr int kMaxColumns = 10;
    // Every row is at least this high, forced by the image list.
    static constexpr int kRowHeight = 18;
    // Around the centre of a check-box cell only this square takes clicks.
    static constexpr int kCheckHitSize = 12;

private:
    // Data members
    std::map<int, CXListColumn> m_columns;
    CXHeaderCtrl m_header;
    bool m_headerSubclassed = false;
    CImageList m_rowImages;
    CToolTipCtrl m_toolTip;
    std::vector<std::unique_ptr<CXListRow>> m_rows;
    HWND m_hOwner = nullptr;
    std::unique_ptr<CXComboList> m_pComboList;
    bool m_comboPending = false;
    int m_comboRow = -1;
    int m_comboSubItem = -1;
    // The pressed drop button, in screen coordinates.
    CRect m_comboButtonRect;
    CFont m_comboFont;
    CFont m_boldFont;
    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_selectedTextColour = 0;
    COLORREF m_backColour = 0;
    COLORREF m_selectedBackColour = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
    int m_borderWidth = 1;
    CGenericPanel m_frame;
    std::unique_ptr<CVScrollBar> m_pScrollBar;
    CListPanelItem* m_pMenu = nullptr;
    IFileChooser* m_pFileChooser;
    int m_rowHeight = kRowHeight;
    bool m_sorted = false;
    std::unique_ptr<CBmpInfo> m_pBmpInfo;

public:
    CXListCtrl();
    ~CXListCtrl() override;

    // Attributes
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    // The column id whose sub-item index it is; -1 when none.
    int GetColumnId(int subItem) const;
    // The sub-item index of a column id; -1 when none.
    int GetSubItem(int columnId) const;
    const CXListColumn* FindColumn(int columnId) const;
    CXHeaderCtrl& GetHeader() { return m_header; }
    CVScrollBar* GetScrollBar() const { return m_pScrollBar.get(); }
    CXComboList* GetComboList() const { return m_pComboList.get(); }
    bool IsComboPending() const { return m_comboPending; }
    const CGenericPanel& GetFrame() const { return m_frame; }
    CListPanelItem* GetMenu() const { return m_pMenu; }
    const CBmpInfo* GetBmpInfo() const { return m_pBmpInfo.get(); }
    int GetRowHeight() const { return m_rowHeight; }
    bool IsSorted() const { return m_sorted; }
    // How many rows hold a cell record (one for every row of the list).
    int GetRecordCount() const { return static_cast<int>(m_rows.size()); }
    int GetSelectedRowKey() const;
    // The key of the row at that index; -1 when none.
    int GetRowKey(int row) const;
    // The row index of a key; -1 when none.
    int FindRowByKey(int rowKey) const;
    CString GetCellText(int rowKey, int columnId) const;
    // -1 when the row, the column or its check box does not exist.
    int GetCheckbox(int rowKey, int columnId) const;
    // The cell, for its owner to set its look; null when the row or column does not exist.
    CXListCell* GetCell(int rowKey, int columnId);
    COLORREF GetTextColour() const { return m_textColour; }
    COLORREF GetBackColour() const { return m_backColour; }
    COLORREF GetSelectedTextColour() const { return m_selectedTextColour; }
    COLORREF GetSelectedBackColour() const { return m_selectedBackColour; }
    COLORREF GetBorderColour() const { return m_borderColour; }
    int GetBorderWidth() const { return m_borderWidth; }
    // The rectangle of one cell in client coordinates; false for a row or column that does
    // not exist.
    bool GetCellRect(int row, int subItem, RECT* rect) const;

    // A comparison for SortItems: the two rows' texts in the column at sub-item index
    // subItem, ignoring case.
    static int CALLBACK CompareRowsByText(LPARAM first, LPARAM second, LPARAM subItem);

    // Operations
    // Creates the frame panel (border width 0 without a border) at rect in parent, the list
    // inside it, and with scroll pictures the skinned bar in a strip at its right. The
    // owner of the messages is parent. Without a header the list shows none.
    bool Create(const RECT& rect, CWnd* parent, bool hasBorder, int borderWidth, bool hasHeader,
        const CVScrollValues* scroll, UINT id = 0xFFFF);
    // Refused (-1) when the id exists, 10 columns exist, or the id or the kind is -1; else
    // the column's index.
    int AddColumn(int columnId, const CXListColumn& definition, const CString& title, int width);
    // Inserts a row at index with the index as its key; the row's index, -1 for a negative
    // index or a failed insertion.
    int InsertRow(int index);
    bool SetCellText(int rowKey, int columnId, const CString& text);
    // Sets the check state and brings the column's header image in step; 0 when the row
    // or column is not found, else 1.
    int SetCheckbox(int rowKey, int columnId, int state);
    // Makes a combo cell of the cell with its strings; an empty cell takes the string at
    // the initial selection.
    bool SetComboStrings(int rowKey, int columnId, const std::vector<CString>& strings, int initialSelection = 0,
        int listHeight = 10);
    bool SetCellBold(int rowKey, int columnId, bool bold);
    // The first cell's state: a row that is not enabled ignores clicks.
    bool SetRowEnabled(int rowKey, bool enabled);
    void SetRowColors(int row, COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack);
    void SetTextColour(COLORREF colour);
    void SetSelectedTextColour(COLORREF colour);
    void SetBackColour(COLORREF colour);
    void SetSelectedBackColour(COLORREF colour);
    void SetBorderColour(COLORREF colour);
    void SetBorderWidth(int width) { m_borderWidth = width; }
    void SetHeaderColours(COLORREF back, COLORREF text);
    void SetMenu(CListPanelItem* menu) { m_pMenu = menu; }
    // The chooser "$AssignApplication" asks for the application; the system's dialog unless
    // set (null restores it).
    void SetFileChooser(IFileChooser* chooser);
    void SetSorted(bool sorted) { m_sorted = sorted; }
    void SetBmpInfo(std::unique_ptr<CBmpInfo> record);
    // Sets the list's font; the bold and combo fonts are made from it.
    void SetListFont(HFONT font);
    void Show(bool show) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassWindow() override;

private:
    void SubclassHeader();
    void ApplyFrameColours();
    CXListRow* RowRecord(int row) const;
    CXListCell* Cell(int row, int subItem) const;
    void FreeRow(LPARAM data);
    void FreeAllRows();
    LRESULT Notify(UINT message, int rowKey, int column, const void* value) const;
    void RepaintCell(int row, int subItem);
    void UpdateHeaderImage(int subItem);
    void UpdateThumb();
    void UpdateThumbIfMoved();
    int SelectedRow() const;
    int ColumnAt(int row, POINT point) const;
    void OnLButtonDown(POINT point);
    void OnCheckboxClick(int row, int subItem);
    void OnComboClick(int row, int subItem, POINT point);
    void OnRButtonDown(POINT point);
    void RunMenuCommand(int row, const CString& command);
    void AssignApplication(int row);
    void UnassignApplication(int row);
    void OnDoubleClick(POINT point);
    void OnTimer(UINT_PTR id);
    void OnComboMessage(UINT message);
    void OpenComboList(int row, int subItem);
    void DestroyComboList();
    void TakeComboSelection();
    void EndComboPending();
    void OnVScroll(WPARAM wParam);
    bool OnEraseBackground(HDC dc);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawRow(HDC target, int row);
    void DrawCell(HDC dc, int row, int subItem, const CRect& rect, bool selected);
    void DrawComboCell(HDC dc, const CXListCell& cell, const CRect& rect, bool pressed);
    void DrawCheckCell(HDC dc, const CXListColumn& column, const CXListCell& cell, const CRect& rect, COLORREF back);
    void CellColours(int row, bool selected, COLORREF& text, COLORREF& back) const;
};
