// The in-process service objects: what the mouse accepts, what it refuses, and that a
// refusal changes nothing.
#include "emulator_fixture.h"

#include "platform/text/utf.h"

#include <fstream>

namespace {

std::vector<uint8_t> Utf16Bytes(std::u16string_view text, size_t size) {
    std::vector<uint8_t> bytes(size, 0);
    for (size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(text[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return bytes;
}

std::u16string Name(IProfile& profile) {
    std::u16string name;
    EXPECT_EQ(profile.GetName(name), S_OK);
    return name;
}

TEST_F(EmulatorTest, EnumeratesOneRefreshMouseByDefault) {
    DeviceInformation info;
    ASSERT_EQ(Device()->GetInformation(info), S_OK);
    EXPECT_EQ(info.productId, kProductRefresh);
    EXPECT_EQ(info.firmwareMajor, 1u);
    EXPECT_EQ(info.firmwareMinor, 7u);
    EXPECT_EQ(info.text, u"Kavox Corvantis Refresh");

    std::shared_ptr<IDevice> none;
    EXPECT_EQ(m_enumerator->GetDevice(1, none), E_NO_MORE_ITEMS);

    std::shared_ptr<IDeviceInfo> ids;
    ASSERT_EQ(QueryAs(*Device(), ids), S_OK);
    uint32_t vendor = 0, product = 0;
    EXPECT_EQ(ids->GetIds(vendor, product), S_OK);
    EXPECT_EQ(vendor, kKavoxVendorId);
    EXPECT_EQ(product, kProductRefresh);
}

TEST_F(EmulatorTest, OffersTheSensorOnlyOnTheRefreshModel) {
    std::string serial;
    ASSERT_EQ(m_emulator->Plug(kProductLegacy, serial), S_OK);
    std::shared_ptr<ISensor> sensor;
    EXPECT_EQ(GetDeviceFeature(*Device(0), sensor), S_OK);
    EXPECT_EQ(GetDeviceFeature(*Device(1), sensor), E_NOINTERFACE);
    std::shared_ptr<IPowerSettings> power;
    EXPECT_EQ(GetDeviceFeature(*Device(0), power), E_NOINTERFACE);
}

TEST_F(EmulatorTest, CreatesRenamesAndDeletesProfiles) {
    auto manager = Profiles();
    std::shared_ptr<IProfile> created;
    ASSERT_EQ(manager->CreateProfile(created), S_OK);
    plat::GUID id;
    ASSERT_EQ(created->GetGuid(id), S_OK);
    EXPECT_FALSE(id.IsNull());
    EXPECT_EQ(created->SetName(u"Shooter"), S_OK);

    std::shared_ptr<IProfile> found;
    ASSERT_EQ(manager->FindProfile(id, found), S_OK);
    EXPECT_EQ(Name(*found), u"Shooter");

    EXPECT_EQ(manager->DeleteProfile(*created), S_OK);
    EXPECT_EQ(manager->FindProfile(id, found), E_NOT_FOUND);
    EXPECT_EQ(created->SetName(u"Gone"), E_NOT_FOUND);
}

TEST_F(EmulatorTest, RefusesToDeleteTheActiveProfile) {
    auto manager = Profiles();
    std::shared_ptr<IProfile> active;
    ASSERT_EQ(manager->GetActiveProfile(active), S_OK);
    EXPECT_EQ(manager->DeleteProfile(*active), E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, static_cast<HRESULT>(0x80070005));
    uint32_t count = 0;
    EXPECT_EQ(manager->GetProfileCount(count), S_OK);
    EXPECT_EQ(count, 3u);
}

TEST_F(EmulatorTest, HoldsAtMostTwentyProfiles) {
    auto manager = Profiles();
    std::shared_ptr<IProfile> created;
    for (int i = 3; i < 20; ++i) {
        ASSERT_EQ(manager->CreateProfile(created), S_OK);
    }
    EXPECT_EQ(manager->CreateProfile(created), E_LIMIT_REACHED);
}

TEST_F(EmulatorTest, RefusesBadNames) {
    auto profile = Profile(0);
    for (const std::u16string& name :
         {std::u16string(), std::u16string(256, u'a'), std::u16string(u"a\0b", 3)}) {
        EXPECT_EQ(profile->SetName(name), E_INVALIDARG);
    }
    EXPECT_EQ(profile->SetName(std::u16string(255, u'a')), S_OK);
}

TEST_F(EmulatorTest, StoresTheApplicationNameAndFlags) {
    std::shared_ptr<IPropertyStore> store;
    ASSERT_EQ(GetProfileFeature(*Profile(0), store), S_OK);
    EXPECT_EQ(store->WriteProperty(kPropertyApplicationName, Utf16Bytes(u"game.exe", 256)), S_OK);
    std::vector<uint8_t> data;
    ASSERT_EQ(store->ReadProperty(kPropertyApplicationName, 256, data), S_OK);
    EXPECT_EQ(data, Utf16Bytes(u"game.exe", 18));

    // Link on, then profile display off: each write touches only its own bit.
    EXPECT_EQ(store->WriteProperty(kPropertyProfileFlags, {0x01, 0x00, 0x01, 0x00}), S_OK);
    EXPECT_EQ(store->WriteProperty(kPropertyProfileFlags, {0x04, 0x00, 0x00, 0x00}), S_OK);
    ASSERT_EQ(store->ReadProperty(kPropertyProfileFlags, 2, data), S_OK);
    EXPECT_EQ(data, (std::vector<uint8_t>{0x03, 0x00}));
}

TEST_F(EmulatorTest, RefusesBadPropertyWrites) {
    std::shared_ptr<IPropertyStore> store;
    ASSERT_EQ(GetProfileFeature(*Profile(0), store), S_OK);
    const struct {
        const char* name;
        uint32_t property;
        std::vector<uint8_t> data;
    } cases[] = {
        {"128 characters fill the buffer without a terminator", kPropertyApplicationName,
         Utf16Bytes(std::u16string(128, u'x'), 256)},
        {"more than 256 bytes", kPropertyApplicationName, Utf16Bytes(u"a", 258)},
        {"odd size", kPropertyApplicationName, {0x61, 0x00, 0x00}},
        {"nothing", kPropertyApplicationName, {}},
        {"flag word too short", kPropertyProfileFlags, {0x01, 0x00}},
        {"unknown flag bit", kPropertyProfileFlags, {0x08, 0x00, 0x01, 0x00}},
        {"flag value 2", kPropertyProfileFlags, {0x01, 0x00, 0x02, 0x00}},
        {"unknown property", 0x80000004, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store->WriteProperty(c.property, c.data), E_INVALIDARG) << c.name;
    }
    EXPECT_EQ(store->WriteProperty(kPropertyApplicationName, Utf16Bytes(std::u16string(127, u'x'), 256)),
              S_OK);
    std::vector<uint8_t> data;
    EXPECT_EQ(store->ReadProperty(kPropertyApplicationName, 200, data), E_INSUFFICIENT_BUFFER);
}

TEST_F(EmulatorTest, ChecksDpiStagesAgainstTheModel) {
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(GetProfileFeature(*Profile(0), dpi), S_OK);
    uint32_t low = 0, high = 0, step = 0;
    ASSERT_EQ(dpi->GetRange(low, high, step), S_OK);
    EXPECT_EQ(std::make_tuple(low, high, step), std::make_tuple(100u, 6400u, 100u));
    DpiHeader header;
    ASSERT_EQ(dpi->GetHeader(header), S_OK);
    EXPECT_EQ(header.maxStages, 5u);

    const std::vector<std::vector<DpiPair>> refused = {
        {}, {{6500, 6500}}, {{0, 0}}, {{850, 850}}, std::vector<DpiPair>(6, {800, 800})};
    for (const auto& stages : refused) {
        EXPECT_EQ(dpi->SetStages(stages), E_INVALIDARG) << stages.size();
    }
    EXPECT_EQ(dpi->SetStages({{800, 1600}, {1800, 1800}}), S_OK);
    std::vector<DpiPair> read;
    ASSERT_EQ(dpi->GetStages(read), S_OK);
    EXPECT_EQ(read, (std::vector<DpiPair>{{800, 1600}, {1800, 1800}}));
    EXPECT_EQ(dpi->SetActiveStage(2), E_INVALIDARG);
    EXPECT_EQ(dpi->SetSensitivity(6401, 800), E_INVALIDARG);
}

TEST_F(EmulatorTest, WritesFunctionRecordsOfKnownButtonsOnly) {
    std::shared_ptr<IButtons> buttons;
    ASSERT_EQ(GetProfileFeature(*Profile(0), buttons), S_OK);
    ButtonHeader header;
    ASSERT_EQ(buttons->GetHeader(header), S_OK);
    EXPECT_EQ(header.count, 9u);
    EXPECT_EQ(header.flags, 0x79Fu);

    FunctionRecord stage3;
    stage3.buttonFlag = 512;
    stage3.functionType = 4;
    stage3.data[0] = 3;
    stage3.data[4] = 2;
    EXPECT_EQ(buttons->SetFunctions({stage3}), S_OK);

    FunctionRecord unknown = stage3;
    unknown.buttonFlag = 64;
    FunctionRecord badVersion = stage3;
    badVersion.version = 2;
    FunctionRecord badType = stage3;
    badType.functionType = 13;
    for (const FunctionRecord& record : {unknown, badVersion, badType}) {
        // A refused record in a batch leaves the valid ones before it unwritten too.
        FunctionRecord first = stage3;
        first.buttonFlag = 1;
        EXPECT_EQ(buttons->SetFunctions({first, record}), E_INVALIDARG);
    }
    std::vector<FunctionRecord> records;
    ASSERT_EQ(buttons->GetFunctions(16, records), S_OK);
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[0].functionType, 1u) << "left button still clicks";
    EXPECT_EQ(records[7], stage3);
    ASSERT_EQ(buttons->GetFunctions(2, records), S_OK);
    EXPECT_EQ(records.size(), 2u);
}

TEST_F(EmulatorTest, HasThreeLightsWithParts) {
    std::shared_ptr<ILighting> lighting;
    ASSERT_EQ(GetProfileFeature(*Profile(0), lighting), S_OK);
    std::vector<uint32_t> numbers;
    std::shared_ptr<ILight> light;
    for (uint32_t i = 0; SUCCEEDED(lighting->GetLight(i, light)); ++i) {
        uint32_t number = 0;
        ASSERT_EQ(light->GetNumber(number), S_OK);
        numbers.push_back(number);
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 4, 7}));

    ASSERT_EQ(lighting->GetLight(1, light), S_OK);
    std::shared_ptr<ILightColor> color;
    std::shared_ptr<ILightBrightness> brightness;
    std::shared_ptr<ILightEffect> effect;
    ASSERT_EQ(QueryAs(*light, color), S_OK);
    ASSERT_EQ(QueryAs(*light, brightness), S_OK);
    ASSERT_EQ(QueryAs(*light, effect), S_OK);
    EXPECT_EQ(color->SetColor(0x00FF00), S_OK);
    EXPECT_EQ(color->SetColor(0x1000000), E_INVALIDARG);
    EXPECT_EQ(brightness->SetBrightness(101), E_INVALIDARG);
    EXPECT_EQ(effect->SetEffect(6, 0, 0), E_INVALIDARG);
    EXPECT_EQ(effect->SetEffect(3, 7, 9), S_OK);
    EXPECT_EQ(light->TurnOff(), S_OK);
    uint32_t value = 0, first = 0, second = 0;
    bool on = true;
    EXPECT_EQ(color->GetColor(value), S_OK);
    EXPECT_EQ(value, 0x00FF00u);
    EXPECT_EQ(effect->GetEffect(value, first, second), S_OK);
    EXPECT_EQ(std::make_tuple(value, first, second), std::make_tuple(3u, 7u, 9u));
    EXPECT_EQ(light->GetState(on), S_OK);
    EXPECT_FALSE(on);
}

TEST_F(EmulatorTest, ChecksMouseWideSettings) {
    std::shared_ptr<IAcceleration> acceleration;
    std::shared_ptr<IPolling> polling;
    std::shared_ptr<ISensor> sensor;
    std::shared_ptr<IOnTheFlyRecording> recording;
    ASSERT_EQ(GetDeviceFeature(*Device(), acceleration), S_OK);
    ASSERT_EQ(GetDeviceFeature(*Device(), polling), S_OK);
    ASSERT_EQ(GetDeviceFeature(*Device(), sensor), S_OK);
    ASSERT_EQ(GetDeviceFeature(*Device(), recording), S_OK);
    EXPECT_EQ(acceleration->SetLevel(0), E_INVALIDARG);
    EXPECT_EQ(acceleration->SetLevel(11), E_INVALIDARG);
    EXPECT_EQ(acceleration->SetLevel(10), S_OK);
    EXPECT_EQ(polling->SetInterval(4), E_INVALIDARG);
    EXPECT_EQ(polling->SetInterval(kInterval125Hz), S_OK);
    std::vector<uint32_t> rates;
    EXPECT_EQ(polling->GetRates(rates), S_OK);
    EXPECT_EQ(rates, (std::vector<uint32_t>{1000, 500, 125}));
    EXPECT_EQ(sensor->SetLiftOffMode(3), E_INVALIDARG);
    EXPECT_EQ(sensor->SetLiftOffDistance(101), E_INVALIDARG);
    EXPECT_EQ(sensor->SetLiftOffDistance(20), S_OK);
    EXPECT_EQ(recording->SetMode(0), E_INVALIDARG);
    EXPECT_EQ(recording->SetMode(kRecordingOff), S_OK);
}

TEST_F(EmulatorTest, KeepsMacroEventsAndRefusesBrokenBlocks) {
    auto macros = Macros();
    std::shared_ptr<IMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro), S_OK);
    const MacroEventBlock good = {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(macro->SetEvents(good), S_OK);
    EXPECT_EQ(macro->SetEvents({0, 0, 0, 0, 5, 0, 0, 0}), E_INVALIDARG);
    MacroEventBlock read;
    ASSERT_EQ(macro->GetEvents(read), S_OK);
    EXPECT_EQ(read, MacroEventBlock(good.begin(), good.begin() + 16));

    EXPECT_EQ(macros->DeleteMacro(*macro), S_OK);
    EXPECT_EQ(macro->GetEvents(read), E_NOT_FOUND);
    EXPECT_EQ(macro->ExportToFile(plat::Utf8ToUtf16(FilePath("gone.kvm"))), E_NOT_FOUND);
}

TEST_F(EmulatorTest, ExportsAndImportsMacroFiles) {
    auto macros = Macros();
    std::shared_ptr<IMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro), S_OK);
    ASSERT_EQ(macro->SetName(u"Copy"), S_OK);
    ASSERT_EQ(macro->SetEvents({0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 50, 0, 0, 0}), S_OK);
    const std::u16string path = plat::Utf8ToUtf16(FilePath("copy.kvm"));
    ASSERT_EQ(macro->ExportToFile(path), S_OK);

    std::shared_ptr<IMacro> imported;
    ASSERT_EQ(macros->ImportMacro(path, imported), S_OK);
    plat::GUID a, b;
    macro->GetGuid(a);
    imported->GetGuid(b);
    EXPECT_NE(a, b);
    std::u16string name;
    imported->GetName(name);
    EXPECT_EQ(name, u"Copy");

    std::ofstream(FilePath("bad.kvm"))
        << "{\"format\":\"kavox-macro\",\"version\":1,\"macro\":{\"name\":\"x\"}}";
    EXPECT_EQ(macros->ImportMacro(plat::Utf8ToUtf16(FilePath("bad.kvm")), imported), E_INVALID_DATA);
    EXPECT_EQ(macros->ImportMacro(plat::Utf8ToUtf16(FilePath("missing.kvm")), imported), E_FILE_NOT_FOUND);
    uint32_t count = 0;
    macros->GetMacroCount(count);
    EXPECT_EQ(count, 2u);
}

TEST_F(EmulatorTest, ExportsAndImportsProfileFiles) {
    auto profile = Profile(1);
    const std::u16string path = plat::Utf8ToUtf16(FilePath("gaming.kvp"));
    ASSERT_EQ(profile->ExportToFile(path), S_OK);
    std::shared_ptr<IProfile> imported;
    ASSERT_EQ(Profiles()->ImportProfile(path, imported), S_OK);
    EXPECT_EQ(Name(*imported), u"Gaming");
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(GetProfileFeature(*imported, dpi), S_OK);
    std::vector<DpiPair> stages;
    dpi->GetStages(stages);
    EXPECT_EQ(stages.size(), 3u);

    std::ofstream(FilePath("bad.kvp")) << "not json";
    EXPECT_EQ(Profiles()->ImportProfile(plat::Utf8ToUtf16(FilePath("bad.kvp")), imported), E_INVALID_DATA);
    uint32_t count = 0;
    Profiles()->GetProfileCount(count);
    EXPECT_EQ(count, 4u);
}

} // namespace
