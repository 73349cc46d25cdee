#include "KeyDefFileWriter.h"

#include "KeyId.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace
{
template <typename T>
void Append(std::vector<uint8_t>& bytes, T value)
{
    size_t offset = bytes.size();
    bytes.resize(offset + sizeof(value));
    memcpy(bytes.data() + offset, &value, sizeof(value));
}

void AppendScanEntry(std::vector<uint8_t>& bytes, int16_t code, uint8_t flag)
{
    Append(bytes, code);
    Append(bytes, flag);
    Append(bytes, static_cast<uint8_t>(0));
}
}

std::vector<uint8_t> MakeKeyDefinitionFile(const std::vector<FakeKeyDefinitions::Key>& keys)
{
    std::vector<uint8_t> bytes;
    Append(bytes, static_cast<int32_t>(keys.size()));
    for (const FakeKeyDefinitions::Key& key : keys) {
        int32_t nameBytes = key.name.GetLength() * 2;
        Append(bytes, nameBytes);
        for (int i = 0; i < key.name.GetLength(); ++i)
            Append(bytes, static_cast<uint16_t>(key.name[i]));
        Append(bytes, static_cast<int16_t>(-1));
        Append(bytes, static_cast<int16_t>(-1));
        int entries = 0;
        if (key.scan.flag != KeyScan::kPlain) {
            AppendScanEntry(bytes, key.scan.flag == KeyScan::kE0 ? 0xE0 : 0xE1, key.scan.flag);
            ++entries;
        }
        AppendScanEntry(bytes, static_cast<int16_t>(key.scan.scanCode), 0);
        ++entries;
        for (; entries < 10; ++entries)
            AppendScanEntry(bytes, 0, 0);
        bytes.resize(bytes.size() + 3 * 40, 0);
    }
    return bytes;
}

std::vector<uint8_t> MakeKeyDefaultsFile(const std::vector<FakeKeyDefinitions::Key>& keys)
{
    std::vector<uint8_t> bytes;
    Append(bytes, static_cast<uint32_t>(keys.size()));
    for (const FakeKeyDefinitions::Key& key : keys) {
        Append(bytes, HashKeyName(key.name));
        Append(bytes, static_cast<int32_t>(key.scan.scanCode | (key.scan.flag << 16)));
    }
    return bytes;
}

void WriteBinaryFile(const CString& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = _wfopen(path, L"wb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    fclose(file);
}
