#include "AssignmentTexts.h"

#include "CKeypadConfig.h"
#include "CKeystroke.h"
#include "CLangTable.h"
#include "GuidText.h"
#include "IKeypadConfig.h"
#include "NamedReferences.h"
#include "Vocabulary.h"

namespace
{
const wchar_t* const kDpadLabelKeys[] = { L"$d-padnorth", L"$d-padsouth", L"$d-padwest", L"$d-padeast",
    L"$d-padnw", L"$d-padne", L"$d-padsw", L"$d-padse" };
constexpr int kFirstDpadButton = 20;
constexpr int kDpadButtonCount = 8;
// The second cycling keymap function, shown like kind 32.
constexpr int kAssignKeymap33 = 33;

// The playback modes 1 to 4 by name; any other mode reads as mode 1.
const wchar_t* const kPlaybackModeKeys[] = { L"$PlayOnce", L"$PlayMultipleTimes",
    L"$ToggleContinuousPlaybackOn/OffUsingAssignedKey", L"$PlayWhileAssignedKeyIsPressed" };

const wchar_t kCurrentAssignmentKey[] = L"$CurrentAssignment";
const wchar_t kWhileHeldKey[] = L"$whileheld";
const wchar_t kCycleKey[] = L"$cycle";
const wchar_t kDefaultKey[] = L"$Default";
const wchar_t kKeymapKey[] = L"$keymap";

// The single-key payload: scan code, virtual key, flag byte.
constexpr int kFlagByte = 4;

struct Modifier
{
    uint8_t bit;
    const wchar_t* name;
};

const Modifier kModifiers[] = { { kKeystrokeShift, L"Shift" }, { kKeystrokeCtrl, L"Ctrl" },
    { kKeystrokeAlt, L"Alt" } };

uint16_t PayloadShort(const CAssignment& assignment, int byte)
{
    return static_cast<uint16_t>(assignment.payload[byte] | (assignment.payload[byte + 1] << 8));
}

GUID PayloadGuid(const CAssignment& assignment)
{
    return GuidFromWords(assignment.GetWord(0), assignment.GetWord(1), assignment.GetWord(2), assignment.GetWord(3));
}

CString Joined(const wchar_t* format, const CString& first, const CString& second)
{
    CString text;
    text.Format(format, first.GetString(), second.GetString());
    return text;
}

CString KindLabel(int kind, const CLangTable* language)
{
    const wchar_t* name = GetKeyFunctionName(kind);
    return name ? TranslateIn(language, name) : CString();
}

CString FileNameOf(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

int KeymapIndex(const IKeypadProfile& profile, const CKeymap* keymap)
{
    for (int index = 0; keymap && index < profile.GetKeymapCount(); ++index)
    {
        if (profile.GetKeymap(index) == keymap)
            return index;
    }
    return -1;
}

// The label of the keymap the assignment refers to; empty when it no longer exists.
CString ReferencedKeymap(const IKeypadProfile* profile, const CAssignment& assignment, const CLangTable* language)
{
    if (!profile)
        return CString();
    int index = -1;
    if (IsNamedReferenceKind(assignment.kind))
        index = FindKeymapByLabel(*profile, GetReferenceName(assignment), language);
    else if (!IsNullGuid(PayloadGuid(assignment)))
        index = KeymapIndex(*profile, profile->FindKeymapByGUID(PayloadGuid(assignment)));
    return index < 0 ? CString() : GetKeymapLabel(*profile, index, language);
}

CString ReferencedMacro(const IKeypadConfig& config, const CAssignment& assignment)
{
    const CMacro* macro = assignment.kind == kAssignMacroByName
        ? config.FindMacroByName(GetReferenceName(assignment))
        : (IsNullGuid(PayloadGuid(assignment)) ? nullptr : config.FindMacroByGUID(PayloadGuid(assignment)));
    return macro ? CString(macro->GetName()) : CString();
}

CString ReferencedProfile(const IKeypadConfig& config, const CAssignment& assignment)
{
    const IKeypadProfile* profile = assignment.kind == kAssignProfileByName
        ? config.FindProfileByName(GetReferenceName(assignment))
        : (IsNullGuid(PayloadGuid(assignment)) ? nullptr : config.FindProfileByGUID(PayloadGuid(assignment)));
    return profile ? profile->GetName() : CString();
}

CString ReferencedApplication(const IKeypadConfig& config, const CAssignment& assignment)
{
    const CKvApp* application = assignment.kind == kAssignLaunchProgramByName
        ? config.FindApplicationByName(GetReferenceName(assignment))
        : (IsNullGuid(PayloadGuid(assignment)) ? nullptr : config.FindApplicationByGUID(PayloadGuid(assignment)));
    return application ? FileNameOf(application->m_path) : CString();
}

CString PlaybackModeText(const CAssignment& assignment, const CLangTable* language)
{
    const uint32_t mode = assignment.GetWord(CAssignment::kMacroModeWord);
    const uint32_t index = mode >= 1 && mode <= 4 ? mode - 1 : 0;
    return TranslateIn(language, kPlaybackModeKeys[index]);
}

CString JoystickText(const CAssignment& assignment, const CLangTable* language)
{
    const wchar_t* axisKey = nullptr;
    const wchar_t* directionKey = nullptr;
    if (!GetJoystickAxisText(assignment.payload, axisKey, directionKey))
        return CString();
    return Joined(L"%s %s", TranslateIn(language, axisKey), TranslateIn(language, directionKey));
}

// The text after the label; empty when the label stands alone.
CString DetailText(const CAssignment& assignment, const IKeypadConfig& config, const CLangTable* language)
{
    const IKeypadProfile* profile = config.GetActiveProfile();
    switch (assignment.kind)
    {
    case kAssignSingleKey:
        return GetSingleKeyText(assignment);
    case kAssignMacro:
    case kAssignMacroByName:
    {
        const CString name = ReferencedMacro(config, assignment);
        return name.IsEmpty() ? name : Joined(L"%s (%s)", name, PlaybackModeText(assignment, language));
    }
    case kAssignProfile:
    case kAssignProfileByName:
        return ReferencedProfile(config, assignment);
    case kAssignKeymap30:
    case kAssignKeymap31:
        return ReferencedKeymap(profile, assignment, language);
    case kAssignKeymap34:
    case kAssignKeymap35:
    {
        const CString name = ReferencedKeymap(profile, assignment, language);
        return name.IsEmpty() ? name : Joined(L"%s (%s)", name, TranslateIn(language, kWhileHeldKey));
    }
    case kAssignLaunchProgram:
    case kAssignLaunchProgramByName:
        return ReferencedApplication(config, assignment);
    case kAssignJoystick:
        return JoystickText(assignment, language);
    default:
        break;
    }
    return CString();
}
}

const wchar_t* GetDpadLabelKey(int button)
{
    const int index = button - kFirstDpadButton;
    return index >= 0 && index < kDpadButtonCount ? kDpadLabelKeys[index] : nullptr;
}

CString TranslateIn(const CLangTable* language, const wchar_t* text)
{
    CString result = text ? text : L"";
    if (language && text)
        language->Lookup(text, result);
    return result;
}

AssignmentTextResult GetAssignmentText(int button, const CAssignment& assignment, const IKeypadConfig& config,
    const CLangTable* language)
{
    AssignmentTextResult result;
    const IKeypadProfile* profile = config.GetActiveProfile();
    if (!profile || !profile->CanAssignKind(assignment.kind, static_cast<tKeypadButton>(button)))
    {
        result.m_text = kUnavailableText;
        return result;
    }
    result.m_toolTip = TranslateIn(language, kCurrentAssignmentKey);
    const CString label = KindLabel(assignment.kind, language);
    if (assignment.kind == kAssignDefaultKey)
    {
        const wchar_t* dpad = GetDpadLabelKey(button);
        result.m_text = dpad ? TranslateIn(language, dpad) : label;
        return result;
    }
    if (assignment.kind == kAssignKeymap32 || assignment.kind == kAssignKeymap33)
    {
        result.m_text = Joined(L"%s %s", label, L"(" + TranslateIn(language, kCycleKey) + L")");
        return result;
    }
    const CString detail = DetailText(assignment, config, language);
    result.m_text = detail.IsEmpty() ? label : Joined(L"%s: %s", label, detail);
    return result;
}

CString GetDefaultRowText(int button, IKeypadConfig& config, const CLangTable* language)
{
    CString text;
    if (const wchar_t* dpad = GetDpadLabelKey(button))
        text = TranslateIn(language, dpad);
    else
    {
        const bool wheel = button >= kButtonWheelClick && button <= kButtonWheelDown;
        CAssignment fallback;
        const auto found = g_defaultButtonKeys.find(static_cast<tKeypadButton>(button));
        if (wheel)
            config.GetDefaultAssignment(&fallback, static_cast<tKeypadButton>(button));
        else if (found != g_defaultButtonKeys.end())
            config.GetDefaultKeyAssignment(&fallback, found->second);
        text = wheel ? CString() : GetSingleKeyText(fallback);
        if (text.IsEmpty())
            text = KindLabel(fallback.kind, language);
    }
    return Joined(L"%s (%s)", text, TranslateIn(language, kDefaultKey));
}

CString GetSingleKeyText(const CAssignment& assignment)
{
    const uint16_t scanCode = PayloadShort(assignment, 0);
    const uint16_t virtualKey = PayloadShort(assignment, 2);
    const uint8_t flags = assignment.payload[kFlagByte];
    CString name;
    if ((scanCode == 0 && virtualKey == 0) ||
        !GetKeyDisplayName(virtualKey, name, scanCode, (flags & kKeystrokeExtended) != 0))
        return CString();
    CString text;
    for (const Modifier& modifier : kModifiers)
    {
        if (flags & modifier.bit)
            text += CString(modifier.name) + L"+";
    }
    return text + name;
}

CString GetKeymapLabel(const IKeypadProfile& profile, int index, const CLangTable* language)
{
    const CKeymap* keymap = profile.GetKeymap(index);
    if (!keymap)
        return CString();
    bool unique = !keymap->GetName().IsEmpty();
    for (int other = 0; unique && other < profile.GetKeymapCount(); ++other)
    {
        const CKeymap* otherKeymap = profile.GetKeymap(other);
        unique = other == index || !otherKeymap || otherKeymap->GetName() != keymap->GetName();
    }
    if (unique)
        return keymap->GetName();
    CString label;
    label.Format(L"%s %d", TranslateIn(language, kKeymapKey).GetString(), index + 1);
    return label;
}

int FindKeymapByLabel(const IKeypadProfile& profile, const CString& label, const CLangTable* language)
{
    if (label.IsEmpty())
        return -1;
    for (int index = 0; index < profile.GetKeymapCount(); ++index)
    {
        if (GetKeymapLabel(profile, index, language) == label)
            return index;
    }
    return -1;
}
