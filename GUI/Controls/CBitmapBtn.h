// Classes in this file:
//   CBitmapBtn - the skinned bitmap button (BUTTON element): four state images scaled to the
//                button, an optional mask shaping it, a translated caption, hover tracking
//                by mouse capture, an optional check-box state, and blinking between the
//                normal and pressed images on a timer.
#pragma once

#include "CBitmap.h"
#include "CButton.h"
#include "CDCHandle.h"
#include "CGUIItem.h"
#include "CToolTipCtrl.h"

class CBitmapBtn : public CButton, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CButton::m_hWnd;

public:
    // The timer that swaps the blink image.
    static constexpr UINT_PTR kBlinkTimerId = 16;

    // The caption colour slots, in the order of the state images.
    enum CaptionState
    {
        kNormal,
        kHover,
        kPressed,
        kDisabled,
        kStateCount
    };

private:
    // Data members
    CToolTipCtrl m_toolTip;
    CBitmap m_images[kStateCount];
    CBitmap m_mask;
    const CBitmap* m_pBlinkImage = nullptr;
    bool m_checked = false;
    bool m_checkBox = false;
    bool m_toggleOnClick = true;
    bool m_hovering = false;
    bool m_highlighted = false;
    CString m_caption;
    HFONT m_font = nullptr;
    COLORREF m_captionColours[kStateCount] = { 0xFEFEFE, 0xFEFEFE, 0xFEFEFE, 0xFEFEFE };
    UINT m_textFormat = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    int m_captionOffset = 0;
    UINT m_blinkInterval = 500;

public:
    CBitmapBtn() = default;
    ~CBitmapBtn() override = default;

    // Attributes
    bool IsChecked() const { return m_checked; }
    bool IsCheckBox() const { return m_checkBox; }
    bool IsHovering() const { return m_hovering; }
    bool IsHighlighted() const { return m_highlighted; }
    bool GetToggleOnClick() const { return m_toggleOnClick; }
    const CString& GetCaption() const { return m_caption; }
    UINT GetTextFormat() const { return m_textFormat; }
    int GetCaptionOffset() const { return m_captionOffset; }
    bool IsBlinking() const { return m_pBlinkImage != nullptr; }
    UINT GetBlinkInterval() const { return m_blinkInterval; }

    // Operations
    // An owner-drawn child button without a tab stop.
    bool Create(const RECT& rect, CWnd* parent, DWORD style);
    // The state images scaled to width x height (null images stay empty); with a mask the
    // window takes its region from the scaled mask.
    void SetBitmaps(CBitmap* normal, CBitmap* hover, CBitmap* pressed, CBitmap* disabled, int width, int height,
        CBitmap* mask = nullptr);
    void SetChecked(bool checked);
    void SetCheckBox(bool checkBox) { m_checkBox = checkBox; }
    void SetToggleOnClick(bool toggle) { m_toggleOnClick = toggle; }
    // Set by a text label the button belongs to: drawn as hover.
    void SetHighlighted(bool highlighted);
    // The caption: the language table's translation of the text, the case mode applied
    // (1 upper, 2 lower), the first literal backslash-n turned into a line break. The shown
    // caption is also the window text.
    void SetButtonText(const CString& text, int caseMode);
    void SetCaptionColour(CaptionState state, COLORREF colour);
    void SetTextFormat(UINT format) { m_textFormat = format; }
    void SetCaptionOffset(int offset) { m_captionOffset = offset < 0 ? 0 : offset; }
    void SetFontHandle(HFONT font) { m_font = font; }
    void SetItemToolTipText(const CString& text);
    void SetBlinkInterval(UINT milliseconds) { m_blinkInterval = milliseconds; }
    // Blinking draws the pressed and the normal image in turn, whatever the button's state,
    // swapping them on every tick of timer 16 at the blink interval; stopping returns to
    // the state image.
    bool StartBlinking();
    void StopBlinking();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The image and caption colour for the owner-draw state.
    virtual const CBitmap& StateImage(UINT itemState) const;
    virtual COLORREF CaptionColour(UINT itemState) const;
    const CBitmap& Image(CaptionState state) const { return m_images[state]; }
    COLORREF StateColour(CaptionState state) const { return m_captionColours[state]; }
    void SetCaption(const CString& caption);
    // Draws the caption over the state image; a control that shows a picture in place of
    // its caption overrides it.
    virtual void DrawCaption(CDCHandle& dc, const CRect& rect, UINT itemState);

private:
    void OnMouseMove(UINT flags, POINT point);
    void OnBlinkTick();
    bool OnLButtonDown();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawImage(CDCHandle& dc, const CRect& rect, const CBitmap& image) const;
};

// A copy of the picture scaled to width x height; empty when there is no picture.
CBitmap ScaleBitmap(const CBitmap* picture, int width, int height);
// The shown form of a skin text: translated, the case mode applied, the first literal
// backslash-n turned into CR LF.
CString ShownText(const CString& text, int caseMode, bool* translated = nullptr);
// Makes the item's top-level window active when it is not (a click on a skinned control).
void ActivateRootWindow(HWND wnd);
// The default control font: bold Arial, 14 pixels.
HFONT DefaultControlFont();
