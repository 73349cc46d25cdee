#include "COnScreenNotice.h"

#include <objbase.h>

COnScreenNotice::~COnScreenNotice()
{
    m_text.DestroyWindow();
    m_slider.DestroyWindow();
    if (m_comInitialised)
        CoUninitialize();
}

HRESULT COnScreenNotice::Create()
{
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(com))
        return E_FAIL;
    m_comInitialised = true;
    if (!m_text.Create() || !m_slider.Create())
        return E_FAIL;
    return S_OK;
}

void COnScreenNotice::Show(const wchar_t* text)
{
    m_text.Show(text);
}
