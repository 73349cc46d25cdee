#include "KeyTranslation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t DataWord(const ServiceAssignment& record, size_t offset)
{
    uint32_t value = 0;
    std::memcpy(&value, record.data + offset, sizeof value);
    return value;
}

CAssignment WithWords(int kind, std::initializer_list<std::pair<int, uint32_t>> words)
{
    CAssignment assignment;
    assignment.kind = kind;
    for (const auto& word : words)
        assignment.SetWord(word.first, word.second);
    return assignment;
}

TEST(KeyTranslation, EveryKindWithATemplateReadsBackAsTheLowestKindSharingIt)
{
    struct Case { int kind; int readBack; uint32_t type; };
    const Case cases[] = {
        { 1, 1, 1 }, { 2, 2, 1 }, { 3, 3, 1 }, { 4, 4, 1 }, { 8, 8, 1 }, { 10, 10, 1 }, { 13, 13, 1 },
        { 14, 14, 1 }, { 46, 46, 1 }, { 47, 47, 1 }, { 54, 54, 1 }, { 55, 55, 1 },
        { 5, 5, 5 }, { 6, 6, 8 }, { 7, 6, 8 }, { 9, 9, 6 },
        { 16, 16, 4 }, { 17, 16, 4 }, { 18, 16, 4 }, { 19, 16, 4 }, { 20, 16, 4 },
        { 24, 24, 3 }, { 23, 23, 3 }, { 21, 21, 3 }, { 22, 21, 3 }, { 25, 21, 3 }, { 29, 21, 3 },
        { 33, 33, 12 }, { 32, 32, 12 }, { 30, 30, 12 }, { 31, 30, 12 }, { 34, 34, 12 }, { 35, 34, 12 },
        { 75, 75, 9 }, { 78, 78, 11 }, { 79, 79, 11 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        CAssignment assignment;
        assignment.kind = c.kind;
        const ServiceAssignment record = MakeServiceAssignment(assignment, 0x1E);
        EXPECT_EQ(1u, record.header);
        EXPECT_EQ(0x1Eu, record.code);
        EXPECT_EQ(c.type, record.type);
        EXPECT_EQ(c.readBack, ReadServiceAssignment(record).kind);
    }
}

TEST(KeyTranslation, FunctionKindsCarryTheirFunctionNumber)
{
    const int kinds[] = { 8, 1, 2, 3, 47, 46, 54, 55, 10, 13, 14, 4 };
    for (uint32_t i = 0; i < 12; ++i) {
        ServiceAssignment record{};
        ASSERT_TRUE(GetServiceTemplate(kinds[i], record));
        EXPECT_EQ(i, DataWord(record, 0)) << kinds[i];
    }
}

TEST(KeyTranslation, ReferencesKeepTheirGuidAndMacrosTheirPlayMode)
{
    const CAssignment profile = WithWords(21, { { 0, 0x11111111 }, { 1, 0x22 }, { 2, 0x33 }, { 3, 0x44 } });
    const ServiceAssignment profileRecord = MakeServiceAssignment(profile, 3);
    EXPECT_EQ(3u, DataWord(profileRecord, 0));              // sub-kind
    EXPECT_EQ(0x11111111u, DataWord(profileRecord, 4));     // GUID at record offset 16
    EXPECT_TRUE(AssignmentEquals(profile, ReadServiceAssignment(profileRecord)));

    const CAssignment keymap = WithWords(34, { { 0, 7 }, { 3, 9 } });
    EXPECT_TRUE(AssignmentEquals(keymap, ReadServiceAssignment(MakeServiceAssignment(keymap, 8))));
    const CAssignment application = WithWords(75, { { 0, 5 }, { 2, 6 } });
    EXPECT_TRUE(AssignmentEquals(application, ReadServiceAssignment(MakeServiceAssignment(application, 8))));

    // Play modes 1 2 3 4 travel as 1 2 4 3; the repeat count keeps one byte.
    const uint32_t deviceModes[] = { 0, 1, 2, 4, 3, 0 };
    for (uint32_t mode = 0; mode <= 5; ++mode) {
        SCOPED_TRACE(mode);
        const CAssignment macro = WithWords(6, { { 0, 0xABCD }, { 130, mode }, { 131, 0x105 } });
        const ServiceAssignment record = MakeServiceAssignment(macro, 0x10);
        EXPECT_EQ(deviceModes[mode], record.data[16]);
        EXPECT_EQ(0x05, record.data[17]);
        const CAssignment back = ReadServiceAssignment(record);
        EXPECT_EQ(0xABCDu, back.GetWord(0));
        EXPECT_EQ(mode <= 4 ? mode : 0u, back.GetWord(130));
        EXPECT_EQ(5u, back.GetWord(131));
    }
}

TEST(KeyTranslation, PauseAndNumLockShareScanCode69)
{
    // Pause: virtual key 19 in the high half; it goes out with the extended bit.
    const CAssignment pause = WithWords(5, { { 0, (19u << 16) | 69 } });
    const ServiceAssignment pauseRecord = MakeServiceAssignment(pause, 69);
    EXPECT_EQ(0x1000000u, DataWord(pauseRecord, 2));
    const CAssignment pauseBack = ReadServiceAssignment(pauseRecord);
    EXPECT_EQ((19u << 16) | 69, pauseBack.GetWord(0));
    EXPECT_EQ(0u, pauseBack.GetWord(1));

    const CAssignment numLock = WithWords(5, { { 0, 69 } });
    const CAssignment numLockBack = ReadServiceAssignment(MakeServiceAssignment(numLock, 69));
    EXPECT_EQ((144u << 16) | 69, numLockBack.GetWord(0));

    // Any other key keeps its code and flag bits.
    const CAssignment up = WithWords(5, { { 0, 0x48 }, { 1, 0x1 } });
    const ServiceAssignment upRecord = MakeServiceAssignment(up, 0x20048);
    EXPECT_EQ(0x48u, DataWord(upRecord, 0) & 0xFFFF);
    EXPECT_EQ(0x1000000u, DataWord(upRecord, 2));
    EXPECT_TRUE(AssignmentEquals(up, ReadServiceAssignment(upRecord)));
}

TEST(KeyTranslation, ModifierBitsMapBothWays)
{
    const std::pair<uint8_t, uint32_t> pairs[] = {
        { 0x1, 0x1000000 }, { 0x2, 0x2000000 }, { 0x4, 0x4000000 }, { 0x8, 0x8000000 }, { 0xF, 0xF000000 }, { 0, 0 },
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(pair.second, ModifierBitsToDevice(pair.first));
        EXPECT_EQ(pair.first, ModifierBitsFromDevice(pair.second));
    }
    EXPECT_EQ(0u, ModifierBitsToDevice(0xF0));
}

TEST(KeyTranslation, JoystickKindsKeepTheirData)
{
    CAssignment raw;
    raw.kind = 78;
    const uint8_t bytes[6] = { 1, 2, 3, 4, 5, 6 };
    std::memcpy(raw.payload, bytes, 6);
    const ServiceAssignment rawRecord = MakeServiceAssignment(raw, 0x11);
    EXPECT_EQ(1u, DataWord(rawRecord, 0));
    EXPECT_EQ(0, std::memcmp(rawRecord.data + 4, bytes, 6));
    EXPECT_TRUE(AssignmentEquals(raw, ReadServiceAssignment(rawRecord)));

    const CAssignment button = WithWords(79, { { 0, 7 } });
    const ServiceAssignment buttonRecord = MakeServiceAssignment(button, 0x11);
    EXPECT_EQ(8u, DataWord(buttonRecord, 0));
    EXPECT_TRUE(AssignmentEquals(button, ReadServiceAssignment(buttonRecord)));
    EXPECT_EQ(0u, JoystickButtonToValue(25));
    EXPECT_EQ(0u, JoystickValueToButton(1));
}

TEST(KeyTranslation, KindZeroAndUnknownTypesHaveNoTemplate)
{
    CAssignment defaultKey;
    defaultKey.kind = 0;
    ServiceAssignment zero{};
    EXPECT_FALSE(GetServiceTemplate(0, zero));
    const ServiceAssignment record = MakeServiceAssignment(defaultKey, 0x2C);
    EXPECT_EQ(0u, record.type);
    EXPECT_EQ(0x2Cu, record.code);
    for (BYTE byte : record.data)
        EXPECT_EQ(0, byte);
    // The zero record is not added to the table, so a type 0 record still matches nothing.
    EXPECT_EQ(-1, FindAssignmentKind(record));
    EXPECT_FALSE(GetServiceTemplate(0, zero));

    ServiceAssignment unknown{};
    unknown.type = 7;
    EXPECT_EQ(-1, ReadServiceAssignment(unknown).kind);
    unknown.type = 1;
    unknown.data[0] = 12;   // no function 12
    EXPECT_EQ(-1, FindAssignmentKind(unknown));
}

TEST(KeyTranslation, WheelButtonsMapToBitsAndCodes)
{
    const struct { int button; uint32_t bit; uint32_t code; } cases[] = {
        { 17, 0x4, 3 }, { 18, 0x80, 8 }, { 19, 0x100, 9 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bit, ButtonToDeviceBit(c.button));
        EXPECT_EQ(c.button, DeviceBitToButton(c.bit));
        EXPECT_EQ(c.code, ButtonToDeviceCode(c.button));
        EXPECT_EQ(c.button, DeviceCodeToButton(c.code));
    }
    EXPECT_EQ(0u, ButtonToDeviceBit(1));
    EXPECT_EQ(0, DeviceBitToButton(0x8));
    EXPECT_EQ(0, DeviceCodeToButton(4));
}

TEST(KeyTranslation, MacroEventsGoOutAndComeBack)
{
    const std::vector<CMacroEvent> events = {
        { CMacroEvent::kKeystroke, 0x1E, 255 },                     // a down
        { CMacroEvent::kKeystroke, 0x1E, 1 },                       // a up
        { CMacroEvent::kKeystroke, 0x48, 255 + 256 },               // Up Arrow down (extended)
        { CMacroEvent::kMouseButton, 2, 255 },                      // right button down
        { CMacroEvent::kMouseButton, 5, 1 },                        // button 5 up
        { CMacroEvent::kDelay, 250, 0 },
        { CMacroEvent::kKeystroke, (19 << 16) | 69, 255 },          // Pause down
        { CMacroEvent::kKeystroke, (144 << 16) | 69, 1 },          // Num Lock up
    };
    const std::vector<uint8_t> block = MacroEventsToMacroData(events);
    ASSERT_EQ(events.size() * 8 + 16, block.size());
    uint32_t words[2 + 16];
    std::memcpy(words, block.data(), sizeof words);
    EXPECT_EQ(0u, words[0]);
    EXPECT_EQ(8u, words[1]);
    const uint32_t expected[] = { 2, 0x1E, 2, 0x1001E, 2, 0x20048, 1, 0x4, 1, 0x200, 3, 250, 2, 0x20045, 2, 0x10045 };
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(expected[i], words[2 + i]) << i;

    std::vector<CMacroEvent> back;
    ASSERT_TRUE(MacroDataToMacroEvents(block.data(), block.size(), back));
    ASSERT_EQ(events.size(), back.size());
    for (size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(events[i].type, back[i].type);
        EXPECT_EQ(events[i].value, back[i].value);
        EXPECT_EQ(events[i].extra, back[i].extra);
    }
}

TEST(KeyTranslation, MacroKeyEventsWithTheE1FlagReadBackAsPause)
{
    // Converted macros mark Pause with the E1 flag (0x4), with or without the break flag.
    struct Case { uint32_t value; int32_t extra; };
    const Case cases[] = {
        { 0x40045, 255 },   // E1, make
        { 0x50045, 1 },     // E1, break
        { 0x4001D, 255 },   // E1 with the first byte of the Pause sequence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const uint32_t block[] = { 0, 1, 2, c.value, 0, 0 };
        std::vector<CMacroEvent> events;
        ASSERT_TRUE(MacroDataToMacroEvents(reinterpret_cast<const uint8_t*>(block), sizeof block, events));
        ASSERT_EQ(1u, events.size());
        EXPECT_EQ(CMacroEvent::kKeystroke, events[0].type);
        EXPECT_EQ((19 << 16) | 69, events[0].value);
        EXPECT_EQ(c.extra, events[0].extra);
    }
}

TEST(KeyTranslation, UnmatchedMouseEventsAndMalformedBlocks)
{
    // (button, state) without a code goes out as code 0.
    const std::vector<uint8_t> block = MacroEventsToMacroData({ { CMacroEvent::kMouseButton, 9, 255 } });
    uint32_t code = 99;
    std::memcpy(&code, block.data() + 12, 4);
    EXPECT_EQ(0u, code);

    std::vector<CMacroEvent> events;
    EXPECT_FALSE(MacroDataToMacroEvents(block.data(), block.size(), events));   // code 0 has no button
    const uint32_t tooMany[] = { 0, 5, 3, 10 };
    EXPECT_FALSE(MacroDataToMacroEvents(reinterpret_cast<const uint8_t*>(tooMany), sizeof tooMany, events));
    EXPECT_FALSE(MacroDataToMacroEvents(nullptr, 0, events));
    const uint32_t empty[] = { 0, 0 };
    EXPECT_FALSE(MacroDataToMacroEvents(reinterpret_cast<const uint8_t*>(empty), sizeof empty, events));
    EXPECT_TRUE(events.empty());
}

TEST(KeyTranslation, VersionTextsAndLedIndexes)
{
    EXPECT_STREQ(L"1.05", VersionText(true, 1, 5));
    EXPECT_STREQ(L"2.10", VersionText(true, 2, 10));
    EXPECT_STREQ(L"0.00", VersionText(false, 7, 7));
    EXPECT_EQ(0, LedIndexFromDeviceId(1));
    EXPECT_EQ(10, LedIndexFromDeviceId(11));
    EXPECT_EQ(-1, LedIndexFromDeviceId(0));
    EXPECT_EQ(-1, LedIndexFromDeviceId(12));
}

}
