#include "CMacroDisplayItem.h"

#include "CBitmap.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CLangTable.h"
#include "CListPanel.h"
#include "CListPanelLevel.h"
#include "CRawInputDevices.h"
#include "CSelectObject.h"
#include "CVScrollBar.h"
#include "GUIMessages.h"
#include "ListDrawing.h"

#include <windowsx.h>

#include <algorithm>

namespace
{
constexpr int kColumnIcon = 5;        // LCITEM_MCREVENT_ICON
constexpr int kColumnDescription = 6; // LCITEM_MCREVENT_DESCRIP
constexpr int kImageWidth = 28;
constexpr int kImageHeight = 18;
constexpr int kImageCount = 10;
constexpr int kDefaultRowHeight = 19;
constexpr int kWheelNotch = 120;
constexpr UINT kScrollBarId = 0xFFFF;
constexpr int kOptionRowHeight = 18;
constexpr int kOptionBorder = 1;
constexpr int kOptionMargin = 4;
constexpr int kOptionMinimumWidth = 80;
// Posted to the list itself: the list view places its label edit after announcing it, so
// the edit is moved over the description once that is done.
constexpr UINT kPlaceDelayEdit = WM_APP + 0x126;

// The names of the mouse buttons by event value; a value past the table is an unknown
// button (imported macros may carry any value).
const wchar_t* const kButtonNames[] = { L"<null>", L"$LeftButton", L"$RightButton", L"$Wheel", L"$Button4",
    L"$Button5", L"$RightSideFrontButton", L"$RightSideRearButton" };
const wchar_t kUnknownButtonName[] = L"$UnknownButton";

const wchar_t kInsertDelayCommand[] = L"$InsertDelay";
const wchar_t kDeleteCommand[] = L"$Delete";
const wchar_t kEditCommand[] = L"$Edit";

UINT TextFormatOf(int columnFormat)
{
    switch (columnFormat & LVCFMT_JUSTIFYMASK)
    {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}
}

CMacroDisplayItem::CMacroDisplayItem(bool readOnly, CMacroRecorder::Clock clock)
    : m_recorder(std::move(clock)), m_readOnly(readOnly)
{
    InitRawMouseButtonMap();
    FillOptionLists();
}

CMacroDisplayItem::~CMacroDisplayItem()
{
    DestroyWindow();
}

const CBitmap* CMacroDisplayItem::GetEventBitmap(int kind) const
{
    return kind >= 0 && kind < kBitmapCount ? m_bitmaps[kind] : nullptr;
}

int CMacroDisplayItem::GetRowBitmapKind(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return -1;
    const int kind = static_cast<int>(GetItemData(row));
    if ((GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) == 0)
        return kind;
    if (kind == kRowDelay)
        return kRowDelaySelected;
    if (kind == kRowMouse)
        return kRowMouseSelected;
    return kind;
}

int CMacroDisplayItem::GetSelectedIndex() const
{
    return m_hWnd ? GetNextItem(-1, LVNI_SELECTED) : -1;
}

CString CMacroDisplayItem::EventText(const CMacroEvent& event)
{
    CString text;
    switch (event.type)
    {
    case CMacroEvent::kKeystroke:
    {
        const int virtualKey = (static_cast<uint32_t>(event.value) >> 16) & 0xFFFF;
        const int scanCode = static_cast<uint32_t>(event.value) & 0xFFFF;
        if (!GetKeyDisplayName(virtualKey, text, scanCode, (event.extra & CMacroEvent::kExtendedKey) != 0))
            text.Empty();
        break;
    }
    case CMacroEvent::kMouseButton:
    {
        const bool known = event.value >= 0 && event.value < static_cast<int32_t>(std::size(kButtonNames));
        const CString key = FormatString(L"%s%s", known ? kButtonNames[event.value] : kUnknownButtonName,
            (event.extra & 0xFF) == CMacroEvent::kKeyUp ? L"Up" : L"Down");
        LookupText(key, text);
        break;
    }
    case CMacroEvent::kDelay:
    {
        CString seconds;
        LookupText(L"$secondsdelay", seconds);
        text.Format(L"%.3f %s", static_cast<double>(static_cast<float>(event.value) / 1000.0f), seconds.GetString());
        break;
    }
    default:
        break;
    }
    return text;
}

int CMacroDisplayItem::RowKindOf(const CMacroEvent& event)
{
    switch (event.type)
    {
    case CMacroEvent::kKeystroke:
        return (event.extra & 0xFF) == CMacroEvent::kKeyUp ? kRowKeyUp : kRowKeyDown;
    case CMacroEvent::kDelay:
        return kRowDelay;
    case CMacroEvent::kMouseButton:
        return kRowMouse;
    default:
        return -1;
    }
}

bool CMacroDisplayItem::ParseDelay(const CString& text, int32_t& milliseconds)
{
    CString digits(text);
    digits.Trim();
    if (digits.IsEmpty() || digits.GetLength() > 8)
        return false;
    int32_t value = 0;
    for (int i = 0; i < digits.GetLength(); ++i)
    {
        const wchar_t ch = digits[i];
        if (ch < L'0' || ch > L'9')
            return false;
        value = value * 10 + (ch - L'0');
    }
    if (value < 1 || value > CMacroRecorder::kLongestDelay)
        return false;
    milliseconds = value;
    return true;
}

bool CMacroDisplayItem::Create(CWnd* parent, const RECT& rect, int borderWidth, HFONT font, const CVScrollValues* scroll)
{
    m_font = font;
    if (!m_frame.Create(rect, parent, borderWidth))
        return false;
    m_frame.SetColours(m_colours.back, m_borderColour);
    const int scrollWidth = scroll ? scroll->GetBarWidth() : 0;
    const CRect inner = m_frame.GetInnerRect();
    const CRect listRect(inner.left, inner.top, inner.right - scrollWidth, inner.bottom);
    const DWORD style = WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_EDITLABELS | LVS_SHOWSELALWAYS;
    if (!CListCtrl::Create(style, listRect, parent, 0))
        return false;
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InitFlatScrollBars();
    SetBkColor(m_colours.back);
    SetTextBkColor(m_colours.back);
    if (m_font)
    {
        SetFont(m_font, false);
        LOGFONTW logFont = {};
        if (::GetObjectW(m_font, sizeof(logFont), &logFont) == sizeof(logFont))
        {
            m_rowHeight = logFont.lfHeight > 0 ? logFont.lfHeight + 4 : kDefaultRowHeight;
            logFont.lfWeight = FW_BOLD;
            m_boldFont.CreateFontIndirect(&logFont);
        }
    }
    if (m_images.Create(kImageWidth, kImageHeight, ILC_COLOR4, kImageCount, kImageCount))
        SetImageList(m_images, LVSIL_SMALL);
    if (scrollWidth > 0)
    {
        auto bar = std::make_unique<CVScrollBar>();
        const CRect barRect(listRect.right, inner.top, inner.right, inner.bottom);
        if (bar->Create(barRect, parent, m_hWnd, kScrollBarId))
        {
            bar->SetBitmaps(*scroll);
            bar->SetColours(m_colours.back, m_borderColour);
            m_pScrollBar = std::move(bar);
        }
    }
    UpdateScrollBar();
    return true;
}

bool CMacroDisplayItem::AddColumn(int columnId, int width, int format)
{
    const int subItem = static_cast<int>(m_columns.size());
    if (!m_hWnd || InsertColumn(subItem, L"", width, format, subItem) != subItem)
        return false;
    m_columns[subItem] = { columnId, subItem, format };
    return true;
}

void CMacroDisplayItem::SetEventBitmap(int kind, const CBitmap* bitmap)
{
    if (kind < 0 || kind >= kBitmapCount)
        return;
    m_bitmaps[kind] = bitmap && !bitmap->IsNull() ? bitmap : nullptr;
    if (m_hWnd)
        Invalidate(false);
}

void CMacroDisplayItem::SetColours(const Colours& colours, COLORREF border)
{
    m_colours = colours;
    m_borderColour = border;
    if (!m_hWnd)
        return;
    SetBkColor(m_colours.back);
    SetTextBkColor(m_colours.back);
    m_frame.SetColours(m_colours.back, m_borderColour);
    if (m_pScrollBar)
        m_pScrollBar->SetColours(m_colours.back, m_borderColour);
    Invalidate(true);
}

void CMacroDisplayItem::SetItemToolTipText(const CString& text)
{
    if (!m_hWnd)
        return;
    CString shown;
    LookupText(text, shown);
    shown.Replace(L"\\n", L" ");
    m_toolTip.SetToolText(this, shown);
}

void CMacroDisplayItem::Show(bool show)
{
    const int command = show ? SW_SHOW : SW_HIDE;
    m_frame.ShowWindow(command);
    ShowWindow(command);
    if (m_pScrollBar && !m_recording)
        m_pScrollBar->ShowWindow(command);
}

void CMacroDisplayItem::FillOptionLists()
{
    m_options[kOptionsKey] = { CListEntry(kEditCommand), CListEntry(kInsertDelayCommand), CListEntry(kDeleteCommand) };
    m_options[kOptionsMouse] = { CListEntry(kInsertDelayCommand), CListEntry(kDeleteCommand) };
    m_options[kOptionsDelay] = { CListEntry(kEditCommand), CListEntry(kInsertDelayCommand), CListEntry(kDeleteCommand) };
}

bool CMacroDisplayItem::ToggleRecording()
{
    if (m_readOnly || !m_hWnd)
        return false;
    if (m_recording)
    {
        g_rawInputDevices.Unregister();
        m_recording = false;
        if (m_pScrollBar)
            m_pScrollBar->ShowWindow(SW_SHOW);
        UpdateScrollBar();
        return false;
    }
    // The registration is process-wide and held by one window at a time: recording takes
    // it over from a key field, which reads key messages until the next registration.
    g_rawInputDevices.Unregister();
    g_rawInputDevices.AddUsage(kHidUsageKeyboard);
    g_rawInputDevices.AddUsage(kHidUsageMouse);
    if (!g_rawInputDevices.Register(m_hWnd))
    {
        g_rawInputDevices.Unregister();
        return false;
    }
    m_recorder.Reset();
    m_recording = true;
    if (m_pScrollBar)
        m_pScrollBar->ShowWindow(SW_HIDE);
    return true;
}

bool CMacroDisplayItem::SetEvents(const std::vector<CMacroEvent>& events)
{
    if (m_recording || !m_hWnd)
        return false;
    DeleteAllEvents();
    for (const CMacroEvent& event : events)
        AddEventRow(event, -1);
    Invalidate(true);
    return GetItemCount() > 0;
}

void CMacroDisplayItem::DeleteAllEvents()
{
    m_events.clear();
    if (!m_hWnd)
        return;
    DeleteAllItems();
    UpdateScrollBar();
    Invalidate(true);
}

bool CMacroDisplayItem::ReplaceEvent(int index, const CMacroEvent& event)
{
    if (m_readOnly || !m_hWnd || index < 0 || index >= static_cast<int>(m_events.size()))
        return false;
    // An event that makes no row would leave the list one event short.
    if (RowKindOf(event) < 0)
        return false;
    DeleteItem(index);
    m_events.erase(m_events.begin() + index);
    const int row = AddEventRow(event, index);
    Notify(WM_GUI_MACRO_CHANGED);
    Invalidate(true);
    return row >= 0;
}

bool CMacroDisplayItem::StartPreview(const std::vector<CMacroEvent>& events)
{
    if (!m_readOnly || !m_hWnd)
        return false;
    StopPreview();
    DeleteAllEvents();
    m_previewEvents = events;
    m_previewCursor = 0;
    m_previewing = true;
    PreviewStep();
    return true;
}

void CMacroDisplayItem::StopPreview()
{
    if (m_hWnd)
        KillTimer(kPreviewTimer);
    m_previewing = false;
    m_previewEvents.clear();
    m_previewCursor = 0;
}

void CMacroDisplayItem::PreviewStep()
{
    while (m_previewCursor < m_previewEvents.size())
    {
        const CMacroEvent event = m_previewEvents[m_previewCursor++];
        if (event.type == CMacroEvent::kDelay)
        {
            const int32_t delay = std::min(std::max(event.value, 0), CMacroRecorder::kLongestDelay);
            SetTimer(kPreviewTimer, static_cast<UINT>(delay));
            Invalidate(true);
            return;
        }
        AddEventRow(event, -1);
    }
    FinishPreview();
}

void CMacroDisplayItem::FinishPreview()
{
    StopPreview();
    DeleteAllEvents();
    Notify(WM_GUI_MACRO_PLAYBACK_DONE);
}

void CMacroDisplayItem::ClearSelection()
{
    if (m_hWnd)
        SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void CMacroDisplayItem::SelectRow(int row)
{
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(row, false);
}

void CMacroDisplayItem::ExecuteCommand(const CString& command)
{
    if (!m_hWnd || m_readOnly)
        return;
    const int selected = GetSelectedIndex();
    if (command.CompareNoCase(kInsertDelayCommand) == 0)
    {
        if (AddEventRow(CMacroRecorder::MakeDelay(m_recorder.GetDefaultDelay()), selected < 0 ? 0 : selected + 1) >= 0)
            Notify(WM_GUI_MACRO_CHANGED);
        return;
    }
    if (selected < 0 || selected >= static_cast<int>(m_events.size()))
        return;
    if (command.CompareNoCase(kDeleteCommand) == 0)
    {
        if (selected + 1 < GetItemCount())
            SelectRow(selected + 1);
        else
            ClearSelection();
        DeleteItem(selected);
        m_events.erase(m_events.begin() + selected);
        UpdateScrollBar();
        Invalidate(true);
        Notify(WM_GUI_MACRO_CHANGED);
        return;
    }
    if (command.CompareNoCase(kEditCommand) == 0)
    {
        const int32_t type = m_events[static_cast<size_t>(selected)].type;
        if (type == CMacroEvent::kKeystroke)
            Notify(WM_GUI_MACRO_EDIT_EVENT);
        else if (type == CMacroEvent::kDelay)
            EditLabel(selected);
    }
}

int CMacroDisplayItem::AddEventRow(const CMacroEvent& event, int index)
{
    const int kind = RowKindOf(event);
    if (kind < 0 || !m_hWnd)
        return -1;
    const int count = GetItemCount();
    // An index outside the rows appends, so rows and events always stay in step.
    const bool append = index < 0 || index > count;
    const int row = InsertItem(append ? count : index, L"", kind);
    if (row < 0)
        return -1;
    const CString text = EventText(event);
    for (const auto& entry : m_columns)
        if (entry.second.columnId == kColumnDescription)
            SetItemText(row, entry.second.subItem, text);
    EnsureVisible(row, false);
    UpdateScrollBar();
    if (append)
    {
        m_events.push_back(event);
        ClearSelection();
    }
    else
    {
        m_events.insert(m_events.begin() + row, event);
        SelectRow(row);
    }
    return row;
}

void CMacroDisplayItem::OnRawKeyboard(const RAWKEYBOARD& report)
{
    if (m_readOnly || !m_recording)
        return;
    AppendRecorded(m_recorder.OnRawKeyboard(report, m_events.empty()));
}

void CMacroDisplayItem::OnRawMouse(const RAWMOUSE& report)
{
    if (m_readOnly || !m_recording)
        return;
    AppendRecorded(m_recorder.OnRawMouse(report, m_events.empty()));
}

void CMacroDisplayItem::AppendRecorded(const std::vector<CMacroEvent>& recorded)
{
    for (const CMacroEvent& event : recorded)
        AddEventRow(event, -1);
    if (!recorded.empty())
        Invalidate(false);
}

void CMacroDisplayItem::Notify(UINT message) const
{
    HWND target = m_notifyWnd ? m_notifyWnd : GetParentHandle();
    if (target)
        ::SendMessageW(target, message, 0, static_cast<LPARAM>(m_id));
}

void CMacroDisplayItem::UpdateScrollBar()
{
    if (m_pScrollBar)
        m_pScrollBar->UpdateThumb();
}

bool CMacroDisplayItem::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message)
    {
    case WM_INPUT: // void OnInput(LPARAM rawInput): decodes and forwards the report
        OnInput(lParam);
        result = Default();
        return true;
    case WM_TIMER: // void PreviewStep(): the preview's delay has passed
        if (wParam != kPreviewTimer)
            break;
        KillTimer(kPreviewTimer);
        if (m_previewing)
            PreviewStep();
        return true;
    case kPlaceDelayEdit: // void PlaceDelayEdit(int row)
        PlaceDelayEdit(static_cast<int>(wParam));
        return true;
    case WM_LBUTTONDOWN: // bool OnLeftButtonDown(POINT point): true when swallowed
        if (OnLeftButtonDown(point))
            return true;
        break;
    case WM_LBUTTONDBLCLK: // the read-only list takes no clicks
        if (m_readOnly)
            return true;
        break;
    case WM_RBUTTONDOWN: // void OnRightButtonDown(POINT point): the option list
        OnRightButtonDown(point);
        return true;
    case WM_RBUTTONUP: // the option list opened on the way down
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return true;
    case WM_KEYDOWN: // bool OnKeyMessage(...): true when swallowed
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (OnKeyMessage(message, wParam, lParam))
            return true;
        break;
    case WM_MOUSEWHEEL: // void OnMouseWheel(short delta)
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case WM_VSCROLL: // void OnVScroll(WPARAM wParam): from the skinned bar
        OnVScroll(wParam);
        return true;
    case WM_NCCALCSIZE: // the list never shows its own scroll bars
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0);
        break;
    case WM_DESTROY: // a list destroyed while recording ends the registration
        KillTimer(kPreviewTimer);
        if (m_recording)
        {
            g_rawInputDevices.Unregister();
            m_recording = false;
        }
        break;
    default:
        break;
    }
    return CListCtrl::OnWndMsg(message, wParam, lParam, result);
}

bool CMacroDisplayItem::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CListCtrl::OnChildNotify(message, wParam, lParam, result);
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code)
    {
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return true;
    case LVN_BEGINLABELEDITW:
        result = OnBeginLabelEdit(*reinterpret_cast<const NMLVDISPINFOW*>(lParam));
        return true;
    case LVN_ENDLABELEDITW:
        OnEndLabelEdit(*reinterpret_cast<const NMLVDISPINFOW*>(lParam));
        // The row text is rebuilt here, never taken from the edit.
        result = FALSE;
        return true;
    default:
        return false;
    }
}

void CMacroDisplayItem::OnInput(LPARAM rawInput)
{
    if (m_readOnly)
        return;
    RAWKEYBOARD keyboard = {};
    RAWMOUSE mouse = {};
    if (ReadRawKeyboardReport(rawInput, keyboard))
        OnRawKeyboard(keyboard);
    else if (ReadRawMouseReport(rawInput, mouse))
        OnRawMouse(mouse);
    UpdateScrollBar();
}

bool CMacroDisplayItem::OnLeftButtonDown(POINT point)
{
    if (m_readOnly)
        return true;
    const int row = HitTest(point);
    if (row < 0 || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) == 0)
        return false;
    // Clicking a selected row starts a label edit: only delay rows have one.
    return static_cast<int>(GetItemData(row)) != kRowDelay;
}

void CMacroDisplayItem::OnRightButtonDown(POINT point)
{
    if (m_readOnly || m_recording || m_editingLabel)
        return;
    const int row = HitTest(point);
    if (row < 0)
        return;
    SelectRow(row);
    SetFocus();
    const int kind = static_cast<int>(GetItemData(row));
    const OptionList list = kind == kRowDelay ? kOptionsDelay : kind == kRowMouse ? kOptionsMouse : kOptionsKey;
    POINT screen = point;
    ClientToScreen(&screen);
    OpenOptionList(list, screen);
}

void CMacroDisplayItem::OpenOptionList(OptionList list, POINT screenPoint)
{
    CListPanelSettings settings;
    settings.m_font = m_font;
    settings.m_borderWidth = kOptionBorder;
    settings.m_leftMargin = kOptionMargin;
    settings.m_colours[LISTCLR_FONT] = m_colours.text;
    settings.m_colours[LISTCLR_FONT_HI] = m_colours.selectedText;
    settings.m_colours[LISTCLR_BACK] = m_colours.back;
    settings.m_colours[LISTCLR_BACK_HI] = m_colours.selectedBack;
    settings.m_colours[LISTCLR_BORDER] = m_borderColour;
    int width = kOptionMinimumWidth;
    {
        CClientDC dc(m_hWnd);
        CSelectObject selectFont(dc, m_font ? m_font : GetFont());
        for (const CListEntry& entry : m_options[list])
        {
            CRect measured(0, 0, 0, 0);
            dc.DrawText(TranslateText(entry.m_text), &measured, DT_SINGLELINE | DT_CALCRECT);
            width = std::max(width, measured.Width() + 2 * kOptionMargin + 2 * kOptionBorder);
        }
    }
    settings.m_width = width;
    const std::unique_ptr<CListPanelLevel> level = CListPanelLevel::Copy(settings, m_options[list]);
    const int height = static_cast<int>(m_options[list].size()) * kOptionRowHeight + 2 * kOptionBorder;
    const CRect screen(screenPoint.x, screenPoint.y, screenPoint.x + width, screenPoint.y + height);
    std::vector<CString> chosen;
    if (CListPanel::Run(this, *level, &chosen, screen) == CListPanel::kChosen && !chosen.empty())
        ExecuteCommand(chosen.front());
}

bool CMacroDisplayItem::OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_readOnly || m_editingLabel)
        return false;
    const bool autoRepeat = (lParam & (1 << 30)) != 0;
    const bool swallow = KeystrokeFromMessage(m_keystroke, message, wParam, lParam);
    return swallow && message == WM_KEYDOWN && !autoRepeat;
}

void CMacroDisplayItem::OnMouseWheel(short delta)
{
    const int notches = delta / kWheelNotch;
    if (notches == 0)
        return;
    CRect first;
    const int rowHeight = GetItemRect(0, &first, LVIR_BOUNDS) && first.Height() > 0 ? first.Height() : m_rowHeight;
    Scroll(0, -notches * rowHeight);
    UpdateScrollBar();
}

void CMacroDisplayItem::OnVScroll(WPARAM wParam)
{
    SCROLLINFO info = {};
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(SB_VERT, &info))
        return;
    const int code = LOWORD(wParam);
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)
    {
        const int wanted = std::min(std::max(static_cast<int>(static_cast<short>(HIWORD(wParam))), info.nMin),
            LastScrollPosition(info));
        CRect first;
        const int rowHeight = GetItemRect(0, &first, LVIR_BOUNDS) && first.Height() > 0 ? first.Height() : m_rowHeight;
        Scroll(0, (wanted - info.nPos) * rowHeight);
        UpdateScrollBar();
        return;
    }
    if (code == SB_LINEDOWN && info.nPos >= LastScrollPosition(info))
        return;
    DefWindowProc(WM_VSCROLL, wParam, 0);
    UpdateScrollBar();
}

LRESULT CMacroDisplayItem::OnBeginLabelEdit(const NMLVDISPINFOW& info)
{
    const int row = info.item.iItem;
    if (m_readOnly || m_recording || row < 0 || row >= static_cast<int>(m_events.size())
        || m_events[static_cast<size_t>(row)].type != CMacroEvent::kDelay)
        return TRUE;
    HWND edit = GetEditControl();
    if (!edit)
        return TRUE;
    m_editingLabel = true;
    ::SetWindowTextW(edit, FormatString(L"%d", m_events[static_cast<size_t>(row)].value));
    ::SendMessageW(edit, EM_LIMITTEXT, kDelayEditChars, 0);
    PostMessage(kPlaceDelayEdit, static_cast<WPARAM>(row));
    return FALSE;
}

void CMacroDisplayItem::PlaceDelayEdit(int row)
{
    HWND edit = GetEditControl();
    if (!m_editingLabel || !edit)
        return;
    for (const auto& entry : m_columns)
    {
        if (entry.second.columnId != kColumnDescription)
            continue;
        const CRect cell = CellRect(row, entry.second.subItem);
        ::SetWindowPos(edit, nullptr, cell.left, cell.top, cell.Width(), cell.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
}

void CMacroDisplayItem::OnEndLabelEdit(const NMLVDISPINFOW& info)
{
    m_editingLabel = false;
    const int row = info.item.iItem;
    // No text: the edit was cancelled.
    if (!info.item.pszText || row < 0 || row >= static_cast<int>(m_events.size()))
        return;
    CMacroEvent& event = m_events[static_cast<size_t>(row)];
    int32_t milliseconds = 0;
    if (event.type != CMacroEvent::kDelay || !ParseDelay(info.item.pszText, milliseconds))
        return;
    event.value = milliseconds;
    const CString text = EventText(event);
    for (const auto& entry : m_columns)
        if (entry.second.columnId == kColumnDescription)
            SetItemText(row, entry.second.subItem, text);
    Invalidate(false);
    Notify(WM_GUI_MACRO_CHANGED);
}

LRESULT CMacroDisplayItem::OnCustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
    {
        if (!m_events.empty())
            return CDRF_NOTIFYITEMDRAW;
        CRect client;
        GetClientRect(&client);
        CDCHandle dc(draw.nmcd.hdc);
        dc.FillSolidRect(client, m_colours.back);
        return CDRF_SKIPDEFAULT;
    }
    case CDDS_ITEMPREPAINT:
        DrawRow(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

CRect CMacroDisplayItem::CellRect(int row, int subItem) const
{
    CRect bounds;
    if (!GetItemRect(row, &bounds, LVIR_BOUNDS))
        return CRect(0, 0, 0, 0);
    int left = bounds.left;
    for (const auto& entry : m_columns)
    {
        if (entry.second.subItem >= subItem)
            break;
        left += GetColumnWidth(entry.second.subItem);
    }
    return CRect(left, bounds.top, left + GetColumnWidth(subItem), bounds.bottom);
}

void CMacroDisplayItem::DrawRow(HDC dc, int row)
{
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    CRect bounds;
    if (!GetItemRect(row, &bounds, LVIR_BOUNDS))
        return;
    CDCHandle target(dc);
    target.FillSolidRect(bounds, m_colours.back);
    for (const auto& entry : m_columns)
        DrawCell(dc, row, entry.second, CellRect(row, entry.second.subItem), selected);
}

void CMacroDisplayItem::DrawCell(HDC dc, int row, const Column& column, const CRect& cell, bool selected)
{
    CDCHandle target(dc);
    target.FillSolidRect(cell, m_colours.back);
    if (column.columnId == kColumnIcon)
    {
        const CBitmap* bitmap = GetEventBitmap(GetRowBitmapKind(row));
        if (!bitmap)
            return;
        const CSize size = bitmap->GetSize();
        CDC source;
        if (!source.CreateCompatibleDC(dc))
            return;
        CSelectObject selectBitmap(source, bitmap->GetSafeHandle());
        const int width = std::min(static_cast<int>(size.cx), cell.Width());
        const int height = std::min(static_cast<int>(size.cy), cell.Height());
        target.BitBlt(cell.left + (cell.Width() - width) / 2, cell.top + (cell.Height() - height) / 2, width, height,
            source, 0, 0, SRCCOPY);
        return;
    }
    if (column.columnId != kColumnDescription)
        return;
    if (selected)
        target.FillSolidRect(cell, m_colours.selectedBack);
    target.SetBkMode(TRANSPARENT);
    target.SetTextColor(selected ? m_colours.selectedText : m_colours.text);
    HFONT font = m_boldFont.GetHandle() ? m_boldFont.GetHandle() : (m_font ? m_font : GetFont());
    CSelectObject selectFont(dc, font);
    CRect text = cell;
    target.DrawText(GetItemText(row, column.subItem), &text,
        TextFormatOf(column.format) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
