// Classes in this file:
//   CDPIStagePicture - a picture record of a stage tile (BMPINFO child): its item id, picture,
//                      mask and rectangle.
//   CDPIStageText    - a text record of a stage tile (TEXTAREA child): its item id, text and
//                      rectangle.
//   CDPIStageWindow  - the sensitivity-stage tile (DPISTAGEWINDOW element): a framed heading
//                      over one value box, or two for separate x and y values; a click
//                      selects it and tells the parent.
#pragma once

#include "CBitmap.h"
#include "CFont.h"
#include "CGUIItem.h"
#include "CRect.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"

#include <vector>

class CDPIStagePicture
{
public:
    // Data members
    int m_id = -1;
    const CBitmap* m_pPicture = nullptr;
    const CBitmap* m_pMask = nullptr;
    CRect m_rect;
};

class CDPIStageText
{
public:
    // Data members
    int m_id = -1;
    CString m_text;
    CRect m_rect;
};

class CDPIStageWindow : public CStatic, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CStatic::m_hWnd;

private:
    // Data members
    CDPIStagePicture m_frame;
    CDPIStagePicture m_selectedFrame;
    CDPIStagePicture m_singleBox;
    CDPIStagePicture m_xBox;
    CDPIStagePicture m_yBox;
    CDPIStageText m_headingArea;
    CDPIStageText m_xLabel;
    CDPIStageText m_yLabel;
    CString m_heading;
    int m_x = 0;
    int m_y = 0;
    int m_single = 0;
    bool m_separateXY = false;
    HFONT m_font = nullptr;
    CFont m_defaultFont;
    bool m_enabled = true;
    bool m_selected = false;
    int m_stageIndex = 0;
    int m_caseMode = 0;
    CToolTipCtrl m_toolTip;

public:
    CDPIStageWindow() = default;
    ~CDPIStageWindow() override = default;

    // Attributes
    const CString& GetHeading() const { return m_heading; }
    bool IsSelected() const { return m_selected; }
    int GetStageIndex() const { return m_stageIndex; }

    // Operations
    // Creates the tile and takes its pictures and texts by name: DPIFRAME, DPIFRAMESELECTED,
    // DPIWIN, DPIWINX, DPIWINY; HEADING, DPIX, DPIY.
    bool Create(const RECT& rect, CWnd* parent, const std::vector<CDPIStagePicture>& pictures,
        const std::vector<CDPIStageText>& texts);
    // The heading: translated, its case changed by the case mode, the first "\n" a line break.
    void SetHeading(const CString& key);
    void SetToolTip(const CString& key);
    void SetFontHandle(HFONT font) { m_font = font; }
    void SetCaseMode(int mode) { m_caseMode = mode; }
    void SetStageIndex(int index) { m_stageIndex = index; }
    void SetValues(int x, int y);
    void SetSingleValue(int value);
    void SetSeparateXY(bool separate);
    void SetEnabled(bool enabled);
    void SetSelected(bool selected);

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnLButtonUp();
    void OnPaint();
    void DrawPicture(HDC dc, const CDPIStagePicture& picture, const CBitmap* replacement) const;
    void DrawValue(HDC dc, const CRect& box, int value) const;
    HFONT ShownFont();
};
