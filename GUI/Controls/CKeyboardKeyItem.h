// Classes in this file:
//   CKeyboardKeyItem - a key of the on-screen keyboard (KBDKEY element): a bitmap button for
//                      one key of the key definitions, captioned with the key's Windows
//                      name unless the skin gives a caption, and reporting the mouse over
//                      it and clicks on it to its notify window; with a picture record
//                      it shows the record's picture instead of its caption.
#pragma once

#include "CBitmapBtn.h"
#include "CBmpInfo.h"

#include <cstdint>
#include <memory>

class CKeyboardKeyItem : public CBitmapBtn
{
    // Data members
    int32_t m_keyId = 0;
    bool m_hasKeyId = false;
    uint16_t m_virtualKey = 0;
    int16_t m_scanCode = 0;
    uint8_t m_extended = 0;
    HWND m_notifyWnd = nullptr;
    std::unique_ptr<CBmpInfo> m_pBmpInfo;

public:
    CKeyboardKeyItem() = default;
    ~CKeyboardKeyItem() override = default;

    // Attributes
    int32_t GetKeyId() const { return m_keyId; }
    uint16_t GetVirtualKey() const { return m_virtualKey; }
    int16_t GetScanCode() const { return m_scanCode; }
    bool IsExtended() const { return m_extended != 0; }
    const CBmpInfo* GetBmpInfo() const { return m_pBmpInfo.get(); }

    // Operations
    // Takes the key's scan code and extended flag from the key definitions and its virtual
    // key from the keyboard layout; without a caption yet, the key's Windows name becomes
    // the caption.
    void SetKey(int32_t keyId);
    void SetNotifyWindow(HWND wnd) { m_notifyWnd = wnd; }
    // The key draws the record's picture for its state in place of its caption.
    void SetBmpInfo(std::unique_ptr<CBmpInfo> record);

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    const CBitmap& StateImage(UINT itemState) const override;
    COLORREF CaptionColour(UINT itemState) const override;
    void DrawCaption(CDCHandle& dc, const CRect& rect, UINT itemState) override;

private:
    void NotifyKey(UINT message);
};
