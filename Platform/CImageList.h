// Classes in this file:
//   CImageList - an owned image list; move-only. A list view shown with one gets rows at
//                least as high as its images, which is how the lists force their row height.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList
{
    // Data members
    HIMAGELIST m_hImageList = nullptr;

public:
    CImageList() = default;
    ~CImageList() { Destroy(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept
    {
        if (this != &other)
        {
            Destroy();
            m_hImageList = other.Detach();
        }
        return *this;
    }

    // Attributes
    HIMAGELIST GetHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    bool IsNull() const { return m_hImageList == nullptr; }

    // Operations
    // An empty list of images of the given size; false when one exists already or it cannot
    // be made.
    bool Create(int width, int height, UINT flags = ILC_COLOR32, int initial = 0, int grow = 1)
    {
        if (m_hImageList)
            return false;
        m_hImageList = ::ImageList_Create(width, height, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    bool Destroy()
    {
        if (!m_hImageList)
            return false;
        const bool destroyed = ::ImageList_Destroy(m_hImageList) != FALSE;
        m_hImageList = nullptr;
        return destroyed;
    }
    HIMAGELIST Detach()
    {
        HIMAGELIST list = m_hImageList;
        m_hImageList = nullptr;
        return list;
    }
};
