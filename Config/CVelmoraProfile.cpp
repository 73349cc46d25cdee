#include "CVelmoraProfile.h"

#include <iterator>

namespace
{
// The kinds this keypad supports, in the order the assignment pages list them.
const int kSupportedKinds[] = {
    kAssignSingleKey, kAssignMacro, kAssignKeymap30, kAssignKeymap34, kAssignKeymap32,
    kAssignClick, kAssignMenu, kAssignUniversalScrolling, kAssignDoubleClick, kAssignForward,
    kAssignBackward, kAssignScrollUp, kAssignScrollDown, kAssignJoystick, kAssignProfile,
    kAssignLaunchProgram, kAssignButtonOff, kAssignDefaultKey,
};
}

CVelmoraProfile::CVelmoraProfile(const CString& name)
    : CKeypadProfile(name)
{
}

CVelmoraProfile::CVelmoraProfile(const CVelmoraProfile& other)
    : CKeypadProfile()
{
    CKeypadProfile::CopyFrom(other);
}

bool CVelmoraProfile::CanAssignKind(int kind, tKeypadButton) const
{
    const int folded = FoldPairedKind(kind);
    for (int supported : kSupportedKinds) {
        if (supported == folded)
            return true;
    }
    return false;
}

bool CVelmoraProfile::IsAssignmentKindSupported(int kind) const
{
    return CanAssignKind(kind, tKeypadButton(0));
}

void CVelmoraProfile::GetSupportedAssignmentKinds(std::vector<int>* out) const
{
    if (!out)
        return;
    out->assign(std::begin(kSupportedKinds), std::end(kSupportedKinds));
}

void CVelmoraProfile::Reserved()
{
}

CString CVelmoraProfile::GetName() const
{
    return CKeypadProfile::GetName();
}

GUID*CVelmoraProfile::GetGUID(GUID* out) const
{
    return CKeypadProfile::GetGUID(out);
}

bool CVelmoraProfile::HasFileName() const
{
    return CKeypadProfile::HasFileName();
}

void CVelmoraProfile::SetName(const CString& name)
{
    CKeypadProfile::SetName(name);
}

void CVelmoraProfile::SetGUID(GUID id)
{
    CKeypadProfile::SetGUID(id);
}

CString CVelmoraProfile::GetApplicationName() const
{
    return CKeypadProfile::GetApplicationName();
}

void CVelmoraProfile::SetApplicationName(const CString& name)
{
    CKeypadProfile::SetApplicationName(name);
}

CString CVelmoraProfile::GetFileName() const
{
    return CKeypadProfile::GetFileName();
}

CString CVelmoraProfile::GetApplicationPath() const
{
    return CKeypadProfile::GetApplicationPath();
}

void CVelmoraProfile::SetApplicationPath(const CString& path)
{
    CKeypadProfile::SetApplicationPath(path);
}

void CVelmoraProfile::SetKeyAssignment(int keyId, CAssignment assignment, CKeymap* keymap)
{
    CKeypadProfile::SetKeyAssignment(keyId, assignment, keymap);
}

CAssignment*CVelmoraProfile::GetKeyAssignment(CAssignment* out, int keyId, CKeymap* keymap)
{
    return CKeypadProfile::GetKeyAssignment(out, keyId, keymap);
}

void CVelmoraProfile::SetButtonAssignment(tKeypadButton button, CAssignment assignment, CKeymap* keymap)
{
    CKeypadProfile::SetButtonAssignment(button, assignment, keymap);
}

CAssignment*CVelmoraProfile::GetButtonAssignment(CAssignment* out, tKeypadButton button, CKeymap* keymap)
{
    return CKeypadProfile::GetButtonAssignment(out, button, keymap);
}

int CVelmoraProfile::GetKeymapCount() const
{
    return CKeypadProfile::GetKeymapCount();
}

CKeymap*CVelmoraProfile::AddKeymap(const CString& name)
{
    return CKeypadProfile::AddKeymap(name);
}

CKeymap*CVelmoraProfile::AddKeymapCopy(const CKeymap* keymap)
{
    return CKeypadProfile::AddKeymapCopy(keymap);
}

CKeymap*CVelmoraProfile::FindKeymapByGUID(GUID id) const
{
    return CKeypadProfile::FindKeymapByGUID(id);
}

CKeymap*CVelmoraProfile::FindKeymapByName(const CString& name) const
{
    return CKeypadProfile::FindKeymapByName(name);
}

CKeymap*CVelmoraProfile::GetKeymap(int index) const
{
    return CKeypadProfile::GetKeymap(index);
}

void CVelmoraProfile::RemoveAllKeymaps()
{
    CKeypadProfile::RemoveAllKeymaps();
}

void CVelmoraProfile::SetCurrentKeymap(CKeymap* keymap)
{
    CKeypadProfile::SetCurrentKeymap(keymap);
}

CKeymap*CVelmoraProfile::GetCurrentKeymap() const
{
    return CKeypadProfile::GetCurrentKeymap();
}

void CVelmoraProfile::SetAutoSwitch(bool on)
{
    CKeypadProfile::SetAutoSwitch(on);
}

bool CVelmoraProfile::GetAutoSwitch() const
{
    return CKeypadProfile::GetAutoSwitch();
}

void CVelmoraProfile::SetOsdEnabled(bool on)
{
    CKeypadProfile::SetOsdEnabled(on);
}

bool CVelmoraProfile::IsOsdEnabled() const
{
    return CKeypadProfile::IsOsdEnabled();
}

void CVelmoraProfile::SetOption(int option)
{
    CKeypadProfile::SetOption(option);
}

bool CVelmoraProfile::GetOption() const
{
    return CKeypadProfile::GetOption();
}

void CVelmoraProfile::SetLedState(tLEDType led, bool on)
{
    CKeypadProfile::SetLedState(led, on);
}

bool CVelmoraProfile::GetLedState(tLEDType led) const
{
    return CKeypadProfile::GetLedState(led);
}

void CVelmoraProfile::SetLedColour(tLEDType led, COLORREF colour)
{
    CKeypadProfile::SetLedColour(led, colour);
}

COLORREF CVelmoraProfile::GetLedColour(tLEDType led) const
{
    return CKeypadProfile::GetLedColour(led);
}

void CVelmoraProfile::SetLedEffect(tLEDType led, tLEDEffect effect)
{
    CKeypadProfile::SetLedEffect(led, effect);
}

tLEDEffect CVelmoraProfile::GetLedEffect(tLEDType led) const
{
    return CKeypadProfile::GetLedEffect(led);
}

void CVelmoraProfile::SetLedBrightness(tLEDType led, unsigned int percent)
{
    CKeypadProfile::SetLedBrightness(led, percent);
}

unsigned int CVelmoraProfile::GetLedBrightness(tLEDType led) const
{
    return CKeypadProfile::GetLedBrightness(led);
}

bool CVelmoraProfile::IsKeyItemChanged(int type, int keyId) const
{
    return CKeypadProfile::IsKeyItemChanged(type, keyId);
}

bool CVelmoraProfile::IsLedItemChanged(int type, tLEDType led) const
{
    return CKeypadProfile::IsLedItemChanged(type, led);
}

bool CVelmoraProfile::IsCategoryChanged(int id) const
{
    return CKeypadProfile::IsCategoryChanged(id);
}

bool CVelmoraProfile::IsChanged() const
{
    return CKeypadProfile::IsChanged();
}

void CVelmoraProfile::AcceptChanges()
{
    CKeypadProfile::AcceptChanges();
}

bool CVelmoraProfile::SaveToFile(CString& pathOut, const CString& folder, const CString& extension)
{
    return CKeypadProfile::SaveToFile(pathOut, folder, extension);
}

bool CVelmoraProfile::LoadFromFile(const CString& name, const CString& folder, const CString& extension)
{
    return CKeypadProfile::LoadFromFile(name, folder, extension);
}
