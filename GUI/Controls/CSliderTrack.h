// Classes in this file:
//   CSliderTrack - the track a slider thumb runs on (SLIDERTRACK element): its picture with
//                  an optional fill bar up to the thumb, a tracking tooltip with the thumb's
//                  value, and the relay of the thumb's messages to the page. A click on the
//                  track moves the thumb there.
#pragma once

#include "CBitmap.h"
#include "CBitmapItem.h"
#include "CRect.h"
#include "CToolTipCtrl.h"

class CSliderBase;

class CSliderTrack : public CBitmapItem
{
protected:
    // Data members
    CBitmap m_picture;
    CSliderBase* m_pThumb = nullptr;
    bool m_fillEnabled = false;
    COLORREF m_fillColour;
    COLORREF m_backColour;
    CRect m_fillRect;
    // The fill's moving edge from the thumb's last message: its right edge for a
    // horizontal thumb, its top edge for a vertical one; none before the first message.
    bool m_hasFillEdge = false;
    bool m_fillVertical = false;
    int m_fillEdge = 0;
    CToolTipCtrl m_valueTip;
    bool m_tipShown = false;
    int m_tipPosition = 0;
    bool m_toolAdded = false;

public:
    explicit CSliderTrack(COLORREF fill = 0xFFFFFF, COLORREF back = 0);
    ~CSliderTrack() override;

    // Attributes
    CSliderBase* GetThumb() const { return m_pThumb; }
    bool IsTipShown() const { return m_tipShown; }
    HWND GetToolTipWindow() const { return m_valueTip.m_hWnd; }
    // The fill bar as painted now: the fill rectangle with the thumb's edge applied.
    CRect GetFillRect() const;
    bool IsFillEnabled() const { return m_fillEnabled; }
    const CBitmap& GetPicture() const { return m_picture; }

    // Operations
    // A visible child of parent with the item id as control id.
    virtual bool CreateTrack(int x, int y, int cx, int cy, CWnd* parent);
    // Keeps a copy of the picture at the track's size; a mask shapes the window.
    void SetPicture(const CBitmap* picture, const CBitmap* mask);
    void SetFill(const RECT& rect);
    void SetThumb(CSliderBase* thumb) { m_pThumb = thumb; }
    void ForgetThumb(const CSliderBase* thumb);
    // Makes the tooltip once, when the thumb exists and shows tips, at that position code.
    bool CreateToolTip(int position);
    // The thumb's caption, else its value, at the thumb.
    void ShowThumbTip();
    void HideThumbTip();
    // Moves the tooltip beside the thumb when the thumb stands somewhere new.
    void PositionTip();
    void Show(bool show) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ActivateTip(const CString& text);
    void PaintTrack(HDC dc) const;

private:
    void OnThumbMoved(bool vertical, int edge);
    void OnPaint();
};
