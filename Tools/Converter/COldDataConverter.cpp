#include "COldDataConverter.h"

#include "ConversionTables.h"

#include <algorithm>
#include <cstring>

namespace
{
// An index name such as "Racing(2)" is what importing a profile of an existing name gives.
bool LooksLikeImportedName(const CString& name)
{
    int open = name.ReverseFind(L'(');
    return open >= 0 && name.Find(L')', open + 1) >= 0 && name.GetLength() - open < 4;
}

uint8_t ConvertPlayMode(uint8_t oldMode)
{
    return oldMode <= 3 ? static_cast<uint8_t>(oldMode + 1) : 0;
}
}

COldDataConverter::COldDataConverter(const IKeyLookup& keys, COldIniReader& reader, CMessageLog& log)
    : m_keys(keys), m_reader(reader), m_log(log)
{
}

bool COldDataConverter::ConvertMacros(CMWData& data)
{
    std::vector<CString> paths;
    if (!m_reader.ListMacroFiles(paths)) {
        m_log.Print(L"ERROR! Inconsistent or spurious macro data\n");
        return false;
    }
    if (paths.size() > CMWData::kMaxMacros) {
        m_log.Print(L"WARNING: %d macro files found, only the first %d are converted\n",
            static_cast<int>(paths.size()), static_cast<int>(CMWData::kMaxMacros));
        paths.resize(CMWData::kMaxMacros);
    }
    if (!data.InitMacros(paths.size())) {
        m_log.Print(L"ERROR! Failed to initialise Macro list, no macros will be imported\n");
        return false;
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!ConvertMacroFile(paths[i], data.m_macros[i])) {
            m_log.Print(L"ERROR! Inconsistent or spurious macro data\n");
            return false;
        }
    }
    return true;
}

bool COldDataConverter::ConvertMacroFile(const CString& path, CMWMacro& macro)
{
    std::vector<uint8_t> buffer;
    int count = m_reader.ReadMacroFile(path, buffer);
    if (count <= 0)
        return false;
    macro.m_name = MacroNameOfPath(path);
    macro.m_events.assign(static_cast<size_t>(std::min(count, static_cast<int>(CMWMacro::kMaxEvents))), CMWMacroEvent());
    for (size_t i = 0; i < macro.m_events.size(); ++i) {
        const uint8_t* bytes = buffer.data() + COldIniReader::kMacroEventBytes * i;
        uint32_t word;
        memcpy(&word, bytes + 4, sizeof(word));
        if (!ConvertMacroEvent(bytes[0], word, macro.m_events[i])) {
            macro.m_events[i] = CMWMacroEvent();
            m_log.Print(L"ERROR! Macro %s: element at position %d failed to process\n", macro.m_name.GetString(),
                static_cast<int>(i));
        }
    }
    return true;
}

CString COldDataConverter::MacroNameOfPath(const CString& path)
{
    int dot = path.ReverseFind(L'.');
    int slash = path.ReverseFind(L'\\');
    if (dot <= slash || path.Mid(dot, 4).CompareNoCase(L".ini") != 0)
        m_log.Print(L"WARNING: %s may not be ini file format\n", path.GetString());
    // A name without a dot runs to the end.
    int end = dot > slash ? dot : path.GetLength();
    return path.Mid(slash + 1, end - slash - 1);
}

bool COldDataConverter::ConvertMacroEvent(uint8_t code, uint32_t word, CMWMacroEvent& event)
{
    if (code == 0) {
        m_log.Print(L"WARNING: Ignoring null key value in macro\n");
        return false;
    }
    if (code == kOldDelayCode) {
        event.type = CMWMacroEvent::kDelay;
        event.value = word;
        return true;
    }
    uint32_t press = 0;
    uint32_t release = 0;
    bool isMouse = OldMouseCodeFlags(code, press, release);
    KeyScan scan = isMouse ? KeyScan() : LookUpKeyByName(m_keys, OldKeyCodeName(code));
    if (!isMouse && scan.scanCode == 0)
        return false;
    if (word != 0 && word != 1)
        m_log.Print(L"WARNING: Spurious value - %d specified for macro element flags\n", static_cast<int>(word));
    bool isRelease = word == 0;
    if (isMouse) {
        event.type = CMWMacroEvent::kMouseButton;
        event.value = isRelease ? release : press;
        return true;
    }
    // The raw-input flags: break, E0 and E1.
    uint32_t flags = isRelease ? 1 : 0;
    if (scan.flag == KeyScan::kE0)
        flags |= 2;
    else if (scan.flag == KeyScan::kE1)
        flags |= 4;
    event.type = CMWMacroEvent::kKey;
    event.value = scan.scanCode | (flags << 16);
    return true;
}

void COldDataConverter::ConvertProfiles(const OldData& old, CMWData& data)
{
    for (int i = 0; i < data.GetProfileCount(); ++i) {
        CMWProfile& profile = data.m_profiles[static_cast<size_t>(i)];
        ConvertProfile(old, i, profile);
        if (i == old.header.onboardProfile)
            data.m_activeProfile = &profile;
    }
}

void COldDataConverter::ConvertProfile(const OldData& old, int index, CMWProfile& profile)
{
    const OldProfile& source = old.profiles[static_cast<size_t>(index)];
    if (source.indexName.CompareNoCase(source.fileName) != 0) {
        if (LooksLikeImportedName(source.indexName))
            m_log.Print(L"INFO: Suspected profile import %s found\n", source.indexName.GetString());
        else
            m_log.Print(L"WARNING: Profile names in ini files %s and %s do not match - Possible data corruption\n",
                source.fileName.GetString(), source.indexName.GetString());
        profile.SetName(source.indexName);
    } else {
        profile.SetName(source.fileName);
    }
    if (!source.application.IsEmpty())
        profile.SetApplication(source.application);
    for (int k = 0; k < CMWProfile::kKeymapCount; ++k) {
        profile.m_keymaps[k] = ConvertKeymap(source, k, old.header.profileCount);
        if (k == source.activeKeymap)
            profile.m_activeKeymap = profile.m_keymaps[k].get();
    }
    profile.m_switchFlag = source.switchFlag == 1;
    profile.m_brightness = std::clamp(source.brightness, 1, 100);
}

std::unique_ptr<CMWKeymap> COldDataConverter::ConvertKeymap(const OldProfile& old, int keymap, int profileCount)
{
    auto converted = std::make_unique<CMWKeymap>();
    for (int p = 0; p < CMWKeymap::kEntryCount; ++p) {
        CMWEntry entry = MakeDefaultEntry(p);
        if (entry.id == 0)
            continue;
        entry.current = ConvertKeyRecord(old.GetRecord(keymap, p), entry, old, keymap, p, profileCount);
        converted->m_entries[p] = entry;
    }
    return converted;
}

CMWEntry COldDataConverter::MakeDefaultEntry(int position) const
{
    const KeyPositionDefault& preset = GetKeyPositionDefault(position);
    CMWEntry entry;
    if (preset.IsButton()) {
        entry.kind = CMWEntry::kButton;
        entry.id = preset.buttonId;
        entry.defaultAssignment = CMWAssignment::MouseButton(preset.mouseButton);
    } else {
        KeyScan scan = LookUpKeyByName(m_keys, preset.keyName);
        if (scan.scanCode == 0)
            return CMWEntry();
        entry.kind = CMWEntry::kKey;
        entry.id = ConverterKeyCode(scan);
        entry.defaultAssignment = CMWAssignment::KeyStroke(scan.scanCode, scan.flag != KeyScan::kPlain);
    }
    entry.defaultAssignment.SetId(entry.id);
    entry.current = entry.defaultAssignment;
    return entry;
}

CMWAssignment COldDataConverter::ConvertKeyRecord(const OldKeyRecord& record, const CMWEntry& entry,
    const OldProfile& profile, int keymap, int position, int profileCount)
{
    if (record.GetCode() == 0)
        return entry.defaultAssignment;
    CMWAssignment assignment = OldCodeTemplate(record.GetCode());
    if (assignment.GetType() == CMWAssignment::kEmpty) {
        m_log.Print(L"WARNING: Profile %s, Keymap %d, key %d: old assignment code %d is unknown\n"
                    L"       Reassigning to default...\n",
            profile.indexName.GetString(), keymap + 1, position, static_cast<int>(record.GetCode()));
        return entry.defaultAssignment;
    }
    switch (assignment.GetType()) {
    case CMWAssignment::kMacro:
        assignment.m_text = record.GetText();
        assignment.SetPayloadByte(CMWAssignment::kMacroPlayMode, ConvertPlayMode(record.GetPlayMode()));
        assignment.SetPayloadByte(CMWAssignment::kMacroCount, static_cast<uint8_t>(record.GetValue() & 0xFF));
        break;
    case CMWAssignment::kProfileSwitch:
        if (record.GetOperand() >= profileCount) {
            m_log.Print(L"WARNING: Profile %s, Keymap %d, key %d switches to profile %d, which was not converted\n"
                        L"       Reassigning to default...\n",
                profile.indexName.GetString(), keymap + 1, position, static_cast<int>(record.GetOperand()));
            return entry.defaultAssignment;
        }
        assignment.m_reference = record.GetOperand();
        break;
    case CMWAssignment::kKeyStroke: {
        const wchar_t* name = OldKeyCodeName(record.GetOperand());
        KeyScan scan = LookUpKeyByName(m_keys, name);
        if (scan.scanCode == 0) {
            m_log.Print(L"WARNING: Profile %s, Keymap %d, key %d: old key code %d has no key\n"
                        L"       Reassigning to default...\n",
                profile.indexName.GetString(), keymap + 1, position, static_cast<int>(record.GetOperand()));
            return entry.defaultAssignment;
        }
        assignment = CMWAssignment::KeyStroke(scan.scanCode, scan.flag != KeyScan::kPlain);
        break;
    }
    case CMWAssignment::kLaunch:
        assignment.m_text = m_reader.ReadLaunchPath(profile.indexName, keymap, position);
        break;
    case CMWAssignment::kJoystickAxis: {
        uint8_t axis[kAxisRecordBytes];
        GetAxisRecord(record.GetOperand(), OldCodeTakesAxisMaximum(record.GetCode()), axis);
        assignment.SetPayloadBytes(0, axis, sizeof(axis));
        break;
    }
    case CMWAssignment::kKeymapFunction: {
        uint32_t mode = assignment.GetPayloadU32(0);
        if (mode == CMWAssignment::kKeymapSwitch && record.GetFlag() != 0)
            mode = CMWAssignment::kKeymapSwitchLatched;
        assignment.ClearPayload();
        assignment.SetPayloadU32(0, mode);
        break;
    }
    default:
        break;
    }
    assignment.SetId(entry.id);
    return assignment;
}

const CMWMacro* COldDataConverter::FindWrittenMacro(const CMWData& data, const CString& name) const
{
    for (const CMWMacro& macro : data.m_macros) {
        if (macro.m_name.CompareNoCase(name) == 0 && macro.HasWrittenEvents())
            return &macro;
    }
    return nullptr;
}

void COldDataConverter::ResolveReferences(CMWData& data)
{
    for (CMWProfile& profile : data.m_profiles) {
        for (auto& keymap : profile.m_keymaps) {
            if (!keymap)
                continue;
            for (CMWEntry& entry : keymap->m_entries) {
                CMWAssignment& current = entry.current;
                if (current.GetType() == CMWAssignment::kMacro) {
                    CString name = MacroNameOfPath(current.m_text);
                    const CMWMacro* macro = FindWrittenMacro(data, name);
                    if (macro) {
                        current.m_text = macro->m_name;
                    } else {
                        m_log.Print(L"ERROR! assigned macro - %s could not be found\n       Reassigning to default...\n",
                            name.GetString());
                        current = entry.defaultAssignment;
                    }
                } else if (current.GetType() == CMWAssignment::kProfileSwitch
                           && current.GetPayloadU32(0) == CMWAssignment::kSwitchToProfile && current.m_reference >= 0
                           && current.m_reference < data.GetProfileCount()) {
                    current.m_text = data.m_profiles[static_cast<size_t>(current.m_reference)].GetName();
                }
            }
        }
    }
}
