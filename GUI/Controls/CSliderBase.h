// Classes in this file:
//   CSliderBase - one draggable slider thumb: a bitmap window on its track whose position is
//                 a step of a range. It reports its value (base + step) to its parent with
//                 WM_GUI_SLIDER_POSCHANGING while dragged across a step and
//                 WM_GUI_SLIDER_POSCHANGED when released, tells its track where it stands
//                 and asks the track to show its value in a tracking tooltip. The
//                 horizontal and vertical thumbs supply the geometry.
#pragma once

#include "CBitmap.h"
#include "CGUIItem.h"
#include "CMouseTracker.h"
#include "CPoint.h"
#include "CRect.h"
#include "CString.h"
#include "CWnd.h"

#include <map>

class CSliderTrack;

class CSliderBase : public CWnd, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CWnd::m_hWnd;

protected:
    // Data members
    CSliderTrack* m_pTrack = nullptr;
    CBitmap m_normal;
    CBitmap m_hover;
    CBitmap m_mask;
    int m_thumbWidth = 0;
    int m_thumbHeight = 0;
    bool m_dragging = false;
    bool m_enabled = true;
    bool m_hovering = false;
    CMouseTracker m_mouse;
    int m_rangeMin = 0;
    int m_rangeMax = 0;
    int m_base = 0;
    int m_step = 0;
    int m_multiplier = 1;
    // The leading edge's pixel limits and the step-to-pixel map, in the track's coordinates.
    int m_low = 0;
    int m_high = 0;
    float m_pixelsPerStep = 0.0f;
    int m_halfWidth = 0;
    int m_halfHeight = 0;
    std::map<int, int> m_positions;
    CRect m_trackRect;
    int m_fixed = 0;
    CString m_prefix;
    CString m_valueText;
    CString m_caption;
    CPoint m_tipOffset;
    int m_tipPosition = 0;
    bool m_tipEnabled = true;
    // The cap range in steps.
    int m_capLow = 1;
    int m_capHigh = 32;

public:
    CSliderBase() = default;
    ~CSliderBase() override;

    // Attributes
    int GetStep() const { return m_step; }
    int GetValue() const { return m_base + m_step; }
    int GetBase() const { return m_base; }
    int GetRangeMin() const { return m_rangeMin; }
    int GetRangeMax() const { return m_rangeMax; }
    int GetLow() const { return m_low; }
    int GetHigh() const { return m_high; }
    float GetPixelsPerStep() const { return m_pixelsPerStep; }
    // The leading edge's pixel of a step (the low limit outside the map).
    int GetStepPixel(int step) const;
    CSize GetThumbSize() const { return CSize(m_thumbWidth, m_thumbHeight); }
    const CString& GetValueText() const { return m_valueText; }
    const CString& GetCaption() const { return m_caption; }
    CPoint GetTipOffset() const { return m_tipOffset; }
    int GetTipPosition() const { return m_tipPosition; }
    bool IsTipEnabled() const { return m_tipEnabled; }
    bool IsDragging() const { return m_dragging; }
    bool IsHovering() const { return m_hovering; }
    bool IsEnabled() const { return m_enabled; }
    // The cap range as values.
    int GetCapLow() const { return m_base + m_capLow; }
    int GetCapHigh() const { return m_base + m_capHigh; }

    // Operations
    // Creates the thumb as a visible child of owner (its track) with its item id as control
    // id. The pictures are copied; the mask (white transparent), or with colorKey every
    // pixel of the normal picture's top-left colour, is cut out of its region. rect is the
    // track's area in the owner: the thumb's centre runs from its left to its right edge
    // (top to bottom for a vertical thumb).
    bool CreateThumb(HBITMAP normal, CWnd* owner, HBITMAP hover, HBITMAP mask, bool colorKey, const RECT& rect);
    // The thumb's size and track area without a window (CreateThumb calls it).
    void SetGeometry(int thumbWidth, int thumbHeight, const RECT& track);
    // Steps first to last, reported as base + step.
    void SetSteps(int base, int first, int last);
    void SetMultiplier(int multiplier) { m_multiplier = multiplier; }
    void SetToolTipEnabled(bool enabled) { m_tipEnabled = enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    // The tooltip's prefix, caption (a language key) and position code (left, right, top,
    // bottom); the track makes its tooltip for them.
    void SetToolTip(const CString& prefix, const CString& captionKey, int position);
    // A click on the track at (x, y): the thumb's centre goes to the step there.
    void SetPosFromPoint(int x, int y);
    // Called by a track that goes away before its thumb.
    void ForgetTrack(const CSliderTrack* track);

    virtual void RecalcPositions() = 0;
    // A mouse move while dragging, the point in the thumb's client coordinates.
    virtual void TrackTo(UINT flags, int x, int y) = 0;
    // The step of a leading-edge position in the track's coordinates.
    virtual int PositionToStep(int x, int y) const = 0;
    // Clamps and stores the step; with move the thumb goes there.
    virtual void SetPos(int step, bool move) = 0;

protected:
    // Implementation
    // Where the thumb's window stands on a step, in the track's coordinates.
    virtual CPoint StepOrigin(int step) const = 0;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    int ClampStep(int step) const;
    // The point of the thumb's client area in its track's coordinates.
    POINT ToTrack(int x, int y) const;
    void UpdateValueText(int multiplier);
    void SendToTrack(UINT message, int value) const;
    void PostToTrack(UINT message) const;

private:
    void OnLButtonDown();
    void OnMouseMove(UINT flags, int x, int y);
    void OnMouseLeave();
    void OnLButtonUp();
    void OnPaint();
};
