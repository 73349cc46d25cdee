// Classes in this file:
//   CAPMSlider - the stage slider (HSLIDERMAPM element): tickers (horizontal thumbs) that
//                split a value range into stages, each painted in its stage colour under a
//                faint copy of the page's picture. A ticker's move reaches the parent and
//                the owner window as WM_GUI_SLIDER_POSCHANGING, a click on a stage as
//                WM_GUI_SLIDER_STAGE_CLICKED.
#pragma once

#include "CPHSlider.h"
#include "CSliderTrack.h"

#include <memory>
#include <vector>

class CAPMSlider : public CSliderTrack
{
    // Data members
    std::vector<std::unique_ptr<CPHSlider>> m_tickers;
    std::vector<COLORREF> m_stageColours;
    int m_min = 1;
    int m_max = 32;
    CRect m_rect;
    HWND m_hOwnerWnd = nullptr;
    HBITMAP m_hTickerNormal = nullptr;
    HBITMAP m_hTickerHover = nullptr;
    CBitmap m_overlay;
    BYTE m_overlayAlpha = 50;
    CString m_caption;
    bool m_freeTickers = false;

public:
    CAPMSlider() = default;
    ~CAPMSlider() override;

    // Attributes
    int GetTickerCount() const { return static_cast<int>(m_tickers.size()); }
    // The ticker; null outside the tickers.
    CPHSlider* GetTicker(int index) const;
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    bool IsFreeTickers() const { return m_freeTickers; }
    const std::vector<COLORREF>& GetStageColours() const { return m_stageColours; }
    // A stage's colour; black for a stage the colour list does not reach.
    COLORREF GetStageColour(int stage) const;
    // The stage of a click at x of the client area: the tickers from the first whose value
    // is not above the value there.
    int StageAt(int x) const;
    // The painted x of a value over a width of usable pixels.
    static int ValuePixel(int value, int min, int max, int usable);

    // Operations
    bool CreateTrack(int x, int y, int cx, int cy, CWnd* parent) override;
    // The tickers' pictures (the store's DIBs; each ticker copies them).
    void SetTickerBitmaps(HBITMAP normal, HBITMAP hover);
    // The overlay: the section of the page picture under the slider.
    void SetOverlay(const CBitmap* picture, const RECT& section);
    void SetOwnerWindow(HWND owner) { m_hOwnerWnd = owner; }
    void SetCaption(const CString& caption) { m_caption = caption; }
    void SetFreeTickers(bool free) { m_freeTickers = free; }
    // The value range of every ticker.
    void SetRange(int min, int max);
    // A new ticker with that item id, over the whole range; its stage gets black.
    CPHSlider* AddTicker(int id);
    void SetStageColours(const std::vector<COLORREF>& colours);
    // Spreads the tickers evenly over the range.
    void SetDefaultStages();
    // Greys rising from black for every stage but the last.
    void SetDefaultColors();
    // Each ticker held between its neighbours.
    void SetTickerCapRanges();
    // Each ticker over the whole range.
    void RemoveTickerCapRanges();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ApplyCapRanges();
    CRect TickerTrack() const;
    int TickerWidth() const;
    void OnTickerMoved(WPARAM value, LPARAM id);
    void OnLButtonUp(int x);
    void OnPaint();
};
