#include "ConverterDriver.h"

#include "CMWData.h"
#include "COldDataConverter.h"
#include "COldIniReader.h"
#include "OldData.h"

#include <cstdio>
#include <memory>

namespace
{
struct FileCloser
{
    void operator()(FILE* file) const { fclose(file); }
};

// Data folders hold a path and the trailing backslash within MAX_PATH.
constexpr int kMaxFolderChars = MAX_PATH - 1;

CString ProgramName(const wchar_t* path)
{
    CString text(path ? path : L"");
    return text.Mid(text.ReverseFind(L'\\') + 1);
}

bool LoadKeyData(IKeyDefinitions& keys, const CString& programFolder, CMessageLog& log)
{
    CString definitionsPath = programFolder + L"kbddef.dat";
    std::optional<std::vector<uint8_t>> definitions = ReadWholeFile(definitionsPath);
    if (!definitions || !keys.LoadKeyDefinitions(definitions->data(), definitions->size())) {
        log.Print(L"ERROR! Key definition file %s is missing or invalid - nothing was converted\n",
            definitionsPath.GetString());
        return false;
    }
    // The default keystrokes are carried for completeness; the conversion does not need them.
    CString defaultsPath = programFolder + L"velmodef.dat";
    std::optional<std::vector<uint8_t>> defaults = ReadWholeFile(defaultsPath);
    if (defaults && !keys.LoadKeyDefaults(defaults->data(), defaults->size()))
        log.Print(L"WARNING: Key defaults file %s is invalid and was ignored\n", defaultsPath.GetString());
    return true;
}

bool ReadAndConvert(const CString& dataFolder, const IKeyLookup& keys, CMessageLog& log,
    std::unique_ptr<CMWData>& converted)
{
    COldIniReader reader(dataFolder, log);
    auto old = std::make_unique<OldData>();
    if (!reader.ReadAllProfiles(*old) || old->header.profileCount == 0)
        return false;
    auto data = std::make_unique<CMWData>(old->header.profileCount);
    COldDataConverter converter(keys, reader, log);
    if (!converter.ConvertMacros(*data))
        return false;
    converter.ConvertProfiles(*old, *data);
    converter.ResolveReferences(*data);
    converted = std::move(data);
    return true;
}
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const CString& path)
{
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path, L"rb"));
    if (!file || fseek(file.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    long size = ftell(file.get());
    if (size < 0 || fseek(file.get(), 0, SEEK_SET) != 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!bytes.empty() && fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

int RunConverter(int argc, const wchar_t* const* argv, IKeyDefinitions& keys, const ConverterEnvironment& environment,
    CMessageLog& log)
{
    if (argc > 2) {
        log.Print(L"Usage: %s [folder]", ProgramName(argc > 0 ? argv[0] : nullptr).GetString());
        return kExitConverted;
    }
    CString dataFolder = environment.defaultDataFolder;
    if (argc == 2) {
        CString argument(argv[1]);
        if (argument.IsEmpty()) {
            log.Print(L"ERROR! The folder argument is empty - nothing was converted\n");
            return kExitNothingConverted;
        }
        if (argument.GetLength() + 1 > kMaxFolderChars) {
            log.Print(L"ERROR! The folder %s is longer than a path can be - nothing was converted\n",
                argument.GetString());
            return kExitNothingConverted;
        }
        dataFolder = FormatString(L"%s\\", argument.GetString());
    }
    if (!LoadKeyData(keys, environment.programFolder, log))
        return kExitNothingConverted;
    std::unique_ptr<CMWData> data;
    if (!ReadAndConvert(dataFolder, keys, log, data)) {
        log.Print(L"PARSE ERROR! Nothing was converted\n");
        return kExitNothingConverted;
    }
    CRegistryWriter writer(environment.registryRoot, environment.storePath, log, environment.newGuid);
    if (writer.Write(*data) == CRegistryWriter::Result::Failed) {
        log.Print(L"ERROR! The registry store could not be written completely\n");
        return kExitRegistryFailed;
    }
    return kExitConverted;
}
