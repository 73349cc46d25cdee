// Classes in this file:
//   CMacroDisplayItem - the macro event list (MACRODISPLAY element): one row per macro event
//                       with an icon and a description. The editable list records keys and
//                       mouse buttons from raw input with the delays between them, edits
//                       delays in place and inserts and deletes events from a right-click
//                       option list; the read-only list plays a macro back as a preview.
//
// States: idle, recording (ToggleRecording) and, on the read-only list, previewing (from
// StartPreview to the end of the playback or StopPreview). Changes reach the parent (or the
// notify window) as WM_GUI_MACRO_CHANGED, WM_GUI_MACRO_EDIT_EVENT and
// WM_GUI_MACRO_PLAYBACK_DONE, with the item id in lParam.
#pragma once

#include "CFont.h"
#include "CGUIItem.h"
#include "CGenericPanel.h"
#include "CImageList.h"
#include "CListCtrl.h"
#include "CListEntry.h"
#include "CListPanelSettings.h"
#include "CMacro.h"
#include "CMacroRecorder.h"
#include "CToolTipCtrl.h"

#include <map>
#include <memory>
#include <vector>

class CBitmap;
class CVScrollBar;

class CMacroDisplayItem : public CListCtrl, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CListCtrl::m_hWnd;

    // A row's kind, kept as its item data; the selected variants only pick a bitmap.
    enum RowKind : int
    {
        kRowKeyDown = 0,
        kRowKeyUp = 1,
        kRowDelay = 2,
        kRowDelaySelected = 3,
        kRowMouse = 4,
        kRowMouseSelected = 5,
    };
    static constexpr int kBitmapCount = 6;

    // The right-click option lists, by the selected row's event.
    enum OptionList : int
    {
        kOptionsKey = 0,
        kOptionsMouse = 1,
        kOptionsDelay = 2,
    };
    static constexpr int kOptionListCount = 3;

    // A column of the list: its skin column id (LCITEM_*), sub-item and list-view format.
    struct Column
    {
        int columnId;
        int subItem;
        int format;
    };

    struct Colours
    {
        COLORREF text = 0xFFFFFF;
        COLORREF selectedText = 0;
        COLORREF back = 0;
        COLORREF selectedBack = 0xFFFFFF;
    };

    static constexpr UINT_PTR kPreviewTimer = 32;
    static constexpr int kDelayEditChars = 7;

private:
    // Data members
    std::map<int, Column> m_columns;
    const CBitmap* m_bitmaps[kBitmapCount] = {};
    CImageList m_images;
    CToolTipCtrl m_toolTip;
    CGenericPanel m_frame;
    std::unique_ptr<CVScrollBar> m_pScrollBar;
    int m_rowHeight = 19;
    Colours m_colours;
    COLORREF m_borderColour = 0xFFFFFF;
    HFONT m_font = nullptr;
    CFont m_boldFont;
    std::vector<CMacroEvent> m_events;
    CMacroRecorder m_recorder;
    // The last key message translated while the list has the focus.
    CKeystroke m_keystroke;
    std::vector<CListEntry> m_options[kOptionListCount];
    const bool m_readOnly;
    bool m_recording = false;
    bool m_editingLabel = false;
    HWND m_notifyWnd = nullptr;
    // The preview plays its own copy, so that the caller may change its events meanwhile.
    std::vector<CMacroEvent> m_previewEvents;
    size_t m_previewCursor = 0;
    bool m_previewing = false;

public:
    explicit CMacroDisplayItem(bool readOnly, CMacroRecorder::Clock clock = nullptr);
    ~CMacroDisplayItem() override;

    // Attributes
    bool IsReadOnly() const { return m_readOnly; }
    bool IsRecording() const { return m_recording; }
    bool IsPreviewing() const { return m_previewing; }
    bool IsEditingLabel() const { return m_editingLabel; }
    const std::vector<CMacroEvent>& GetEvents() const { return m_events; }
    int GetRowHeight() const { return m_rowHeight; }
    const Colours& GetColours() const { return m_colours; }
    const std::map<int, Column>& GetColumns() const { return m_columns; }
    CVScrollBar* GetScrollBar() const { return m_pScrollBar.get(); }
    const CGenericPanel& GetFrame() const { return m_frame; }
    const std::vector<CListEntry>& GetOptionList(OptionList list) const { return m_options[list]; }
    const CBitmap* GetEventBitmap(int kind) const;
    // The kind of the row's bitmap as drawn now (the selected variant of a selected delay
    // or mouse row); -1 for no row.
    int GetRowBitmapKind(int row) const;
    int GetSelectedIndex() const;
    bool GetIgnoreDelays() const { return m_recorder.GetIgnoreDelays(); }
    void SetIgnoreDelays(bool ignore) { m_recorder.SetIgnoreDelays(ignore); }
    bool GetUseDefaultDelay() const { return m_recorder.GetUseDefaultDelay(); }
    void SetUseDefaultDelay(bool use) { m_recorder.SetUseDefaultDelay(use); }
    int GetDefaultDelay() const { return m_recorder.GetDefaultDelay(); }
    void SetDefaultDelay(int milliseconds) { m_recorder.SetDefaultDelay(milliseconds); }
    void SetExemptWindow(HWND wnd) { m_recorder.SetExemptWindow(wnd); }
    // The window told of changes instead of the parent.
    void SetNotifyWindow(HWND wnd) { m_notifyWnd = wnd; }

    // The description of an event as its row shows it.
    static CString EventText(const CMacroEvent& event);
    // The row kind of an event; -1 for an event of no known type.
    static int RowKindOf(const CMacroEvent& event);
    // A typed delay: a decimal number from 1 to 16777215 (blanks around it allowed); false
    // for anything else.
    static bool ParseDelay(const CString& text, int32_t& milliseconds);

    // Operations
    // The frame at the rectangle, the list inside its border less the scroll bar's width
    // at the right, and the bar (when given pictures) beside it; all children of parent.
    bool Create(CWnd* parent, const RECT& rect, int borderWidth, HFONT font, const CVScrollValues* scroll);
    // After Create: the next column (LCITEM_* id, width, LVCFMT_* format); false when it
    // cannot be inserted.
    bool AddColumn(int columnId, int width, int format);
    void SetEventBitmap(int kind, const CBitmap* bitmap);
    void SetColours(const Colours& colours, COLORREF border);
    void SetItemToolTipText(const CString& text);
    void Show(bool show) override;

    // Starts or stops recording; the new state. Refused (false) on the read-only list.
    bool ToggleRecording();
    // Shows the events; refused while recording. True when at least one row exists.
    bool SetEvents(const std::vector<CMacroEvent>& events);
    void DeleteAllEvents();
    // Puts the event in place of the one at the index (the row selected); refused on the
    // read-only list and for an index outside the events.
    bool ReplaceEvent(int index, const CMacroEvent& event);
    // Plays the events (read-only list only): rows appear one by one, the delays waited.
    bool StartPreview(const std::vector<CMacroEvent>& events);
    // Ends a preview without telling the parent.
    void StopPreview();
    void ClearSelection();
    // A right-click command: "$InsertDelay", "$Delete" or "$Edit".
    void ExecuteCommand(const CString& command);

    // One decoded raw report, as WM_INPUT brings it; recorded only while recording.
    void OnRawKeyboard(const RAWKEYBOARD& report);
    void OnRawMouse(const RAWMOUSE& report);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillOptionLists();
    // Adds the event's row at the index (-1 or outside the rows: appended); the row, or -1.
    int AddEventRow(const CMacroEvent& event, int index);
    void SelectRow(int row);
    void AppendRecorded(const std::vector<CMacroEvent>& recorded);
    void Notify(UINT message) const;
    void UpdateScrollBar();
    void PreviewStep();
    void FinishPreview();
    void OnRightButtonDown(POINT point);
    void OpenOptionList(OptionList list, POINT screenPoint);
    bool OnLeftButtonDown(POINT point);
    void OnInput(LPARAM rawInput);
    bool OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseWheel(short delta);
    void OnVScroll(WPARAM wParam);
    LRESULT OnBeginLabelEdit(const NMLVDISPINFOW& info);
    void PlaceDelayEdit(int row);
    void OnEndLabelEdit(const NMLVDISPINFOW& info);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawRow(HDC dc, int row);
    void DrawCell(HDC dc, int row, const Column& column, const CRect& cell, bool selected);
    CRect CellRect(int row, int subItem) const;
};
