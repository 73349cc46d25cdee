// Classes in this file:
//   CListPanel - the modal window of a drop list or pop-up menu: a framed list of rows at a
//                fixed screen rectangle. A click on a row ends it with 1 and the row's text
//                (and those of the second-level rows chosen) in the result path; anything
//                else ends it with 2.
#pragma once

#include "CListPanelLevel.h"
#include "CPopupBox.h"

#include <memory>
#include <vector>

class CListPanelList;

class CListPanel : public CPopupBox
{
    // Data members
    const CListPanelLevel& m_level;
    std::vector<CString>* m_pResult;
    CRect m_screenRect;
    int m_borderFloor = 0;
    int m_borderCeiling = 1;
    std::unique_ptr<CListPanelList> m_pList;
    bool m_finished = false;

public:
    // Results of a run.
    static constexpr INT_PTR kChosen = 1;
    static constexpr INT_PTR kClosed = 2;

    CListPanel(CWnd* parent, const CListPanelLevel& level, std::vector<CString>* result, const RECT& screenRect);
    ~CListPanel() override;

    // Attributes
    const CListPanelLevel& GetLevel() const { return m_level; }
    CListPanelList* GetList() const { return m_pList.get(); }

    // The dialog template of every list panel; a program with its own blank template sets it
    // once at start-up, before any panel opens.
    static UINT GetTemplateId();
    static void SetTemplateId(UINT templateId);

    // Operations
    // Runs a panel for the level modally: kChosen or kClosed (also when it cannot open).
    static INT_PTR Run(CWnd* parent, const CListPanelLevel& level, std::vector<CString>* result, const RECT& screenRect);

protected:
    // Implementation
    bool OnInitDialog() override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnCancel() override;

private:
    void OnPaint();
    void Finish(INT_PTR result);
};
