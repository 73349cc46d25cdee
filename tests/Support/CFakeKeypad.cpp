#include "CFakeKeypad.h"

namespace
{
constexpr int kProductId = 0x0111;
constexpr int kProfileCount = 20;
}

bool CFakeKeypad::Initialize(IKeypadConfig*)
{
    return true;
}

void CFakeKeypad::Shutdown()
{
}

bool CFakeKeypad::IsBusy()
{
    return false;
}

bool CFakeKeypad::ImportMacro(CString, IKeypadConfig*)
{
    return false;
}

bool CFakeKeypad::ExportMacro(CString, CMacro*)
{
    return false;
}

bool CFakeKeypad::HasMacro(CMacro*)
{
    return false;
}

bool CFakeKeypad::ImportProfile(CString, IKeypadConfig*)
{
    return false;
}

bool CFakeKeypad::ExportProfile(CString, IKeypadProfile*)
{
    return false;
}

bool CFakeKeypad::HasProfile(IKeypadProfile*)
{
    return false;
}

bool CFakeKeypad::EnterCaptureMode()
{
    return true;
}

bool CFakeKeypad::LeaveCaptureMode()
{
    return true;
}

bool CFakeKeypad::QueryOption(int)
{
    return false;
}

bool CFakeKeypad::SyncConfig(IKeypadConfig*, int, uint16_t)
{
    return true;
}

bool CFakeKeypad::IsConnected()
{
    return true;
}

bool CFakeKeypad::GetVersionText(CString& out)
{
    out = L"1.05";
    return true;
}

bool CFakeKeypad::QueryOption2(int)
{
    return false;
}

bool CFakeKeypad::CheckDevice()
{
    return true;
}

int CFakeKeypad::GetProductId()
{
    return kProductId;
}

const wchar_t* CFakeKeypad::GetDisplayName()
{
    return L"Velmora";
}

int CFakeKeypad::GetDeviceProfileCount()
{
    return kProfileCount;
}

void CFakeKeypad::AddProgressWindow(HWND)
{
}

void CFakeKeypad::RemoveProgressWindow(HWND)
{
}

int CFakeKeypad::GetStatus()
{
    return 0;
}

bool CFakeKeypad::FinishWrite(IKeypadConfig*)
{
    return true;
}

std::vector<CString> CFakeKeypad::GetProfilesWithoutApplication()
{
    return {};
}
