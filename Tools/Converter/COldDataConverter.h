// Classes in this file:
//   COldDataConverter - turns the old INI data into the converted model: macros first, then
//                       profiles and their key maps, then the references between them.
#pragma once

#include "CMWData.h"
#include "CMessageLog.h"
#include "COldIniReader.h"
#include "IKeyLookup.h"
#include "OldData.h"

class COldDataConverter
{
public:
    COldDataConverter(const IKeyLookup& keys, COldIniReader& reader, CMessageLog& log);

    // Every file of "User Macros"; false (with its error line) when the folder cannot be
    // listed, the macro list cannot be made or a macro file has no events.
    bool ConvertMacros(CMWData& data);
    // The first data.GetProfileCount() old profiles with their key maps.
    void ConvertProfiles(const OldData& old, CMWData& data);
    // Macro assignments take the stored macro name (or fall back to their default when the
    // macro is missing or has no event), profile switches the target profile's name.
    void ResolveReferences(CMWData& data);

    // The entry of key position p before any old assignment: its key or button and default.
    CMWEntry MakeDefaultEntry(int position) const;
    // The current assignment of an entry from its old key record. profile is the old profile
    // the record belongs to (for its launch paths), profileCount the number converted.
    CMWAssignment ConvertKeyRecord(const OldKeyRecord& record, const CMWEntry& entry, const OldProfile& profile,
        int keymap, int position, int profileCount);
    // One old macro event (code, flag word); false (with its warning) when it cannot be.
    bool ConvertMacroEvent(uint8_t code, uint32_t word, CMWMacroEvent& event);

    // The file name of a macro path without folder and extension, warning when the
    // extension is not ".ini".
    CString MacroNameOfPath(const CString& path);

private:
    // Implementation
    void ConvertProfile(const OldData& old, int index, CMWProfile& profile);
    std::unique_ptr<CMWKeymap> ConvertKeymap(const OldProfile& old, int keymap, int profileCount);
    bool ConvertMacroFile(const CString& path, CMWMacro& macro);
    const CMWMacro* FindWrittenMacro(const CMWData& data, const CString& name) const;

    // Data members
    const IKeyLookup& m_keys;
    COldIniReader& m_reader;
    CMessageLog& m_log;
};
