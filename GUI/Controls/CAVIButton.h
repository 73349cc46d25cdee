// Classes in this file:
//   CAVIButton - the animated button (AVIBUTTON element): shows a still picture and, on a
//                double click, plays its animation once from the program's resources in an
//                animation control laid over it.
#pragma once

#include "CAnimateCtrl.h"
#include "CBitmap.h"
#include "CButton.h"
#include "CGUIItem.h"

class CAVIButton : public CButton, public CGUIItem
{
public:
    // The window part's handle; the item record keeps its own copy.
    using CButton::m_hWnd;

private:
    // Data members
    const CBitmap* m_pStill = nullptr;
    CAnimateCtrl m_animation;
    CString m_animationName;
    CString m_soundName;
    bool m_opened = false;
    bool m_playing = false;

public:
    CAVIButton() = default;
    ~CAVIButton() override = default;

    // Attributes
    const CString& GetAnimationName() const { return m_animationName; }
    const CString& GetSoundName() const { return m_soundName; }
    bool IsOpened() const { return m_opened; }
    bool IsPlaying() const { return m_playing; }
    HWND GetAnimationWindow() const { return m_animation.m_hWnd; }

    // Operations
    // A visible owner-drawn child button with control id 0.
    bool Create(const RECT& rect, CWnd* parent);
    // The skin store's picture, shown while no animation plays.
    void SetStillBitmap(const CBitmap* still);
    // The name of the animation's AVI resource in the program.
    void SetAnimationName(const CString& name) { m_animationName = name; }
    void SetSoundName(const CString& name) { m_soundName = name; }
    // Creates the animation control over the button on first use, opens the animation
    // once, and plays it once from the first to the last frame; false when the animation
    // cannot be opened or played.
    bool Play();

protected:
    // Implementation
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnAnimationStopped();
    void DrawItem(const DRAWITEMSTRUCT& item);
};
