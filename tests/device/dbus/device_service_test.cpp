// The service over a private bus, through the proxies the programs use: activation, every
// object reached, refusals with their status codes, events, files, persistence and the
// registry table.
#include "device/dbus/device_enumerator.h"
#include "platform/os/registry.h"
#include "platform/text/utf.h"
#include "private_bus.h"

#include <gtest/gtest.h>
#include <sdbus-c++/sdbus-c++.h>

#include <condition_variable>
#include <fstream>
#include <mutex>

namespace {

class DeviceServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_bus.Started());
        ASSERT_EQ(CreateDeviceEnumerator(m_enumerator), S_OK);
    }

    std::shared_ptr<IDevice> Device(uint32_t index = 0) {
        std::shared_ptr<IDevice> device;
        EXPECT_EQ(m_enumerator->GetDevice(index, device), S_OK);
        return device;
    }

    std::shared_ptr<IProfileManager> Profiles() {
        std::shared_ptr<IProfileManager> manager;
        EXPECT_EQ(GetDeviceFeature(*Device(), manager), S_OK);
        return manager;
    }

    std::shared_ptr<IProfile> Profile(uint32_t index) {
        std::shared_ptr<IProfile> profile;
        EXPECT_EQ(Profiles()->GetProfile(index, profile), S_OK);
        return profile;
    }

    std::u16string PathOf(const char* name) const { return plat::Utf8ToUtf16(m_bus.Folder() + "/" + name); }

    PrivateBus m_bus;
    std::shared_ptr<IDeviceEnumerator> m_enumerator;
};

TEST_F(DeviceServiceTest, ActivationStartsTheServiceWithOneRefreshMouse) {
    EXPECT_GT(m_bus.ServicePid(), 0);
    DeviceInformation info;
    ASSERT_EQ(Device()->GetInformation(info), S_OK);
    EXPECT_EQ(info.productId, kProductRefresh);
    EXPECT_EQ(info.text, u"Kavox Corvantis Refresh");
    std::shared_ptr<IDevice> none;
    EXPECT_EQ(m_enumerator->GetDevice(1, none), E_NO_MORE_ITEMS);
}

TEST_F(DeviceServiceTest, ReachesEveryObject) {
    auto device = Device();
    std::shared_ptr<IDeviceInfo> info;
    std::shared_ptr<IDeviceVersion> version;
    ASSERT_EQ(QueryAs(*device, info), S_OK);
    ASSERT_EQ(QueryAs(*device, version), S_OK);
    uint32_t a = 0, b = 0;
    EXPECT_EQ(info->GetIds(a, b), S_OK);
    EXPECT_EQ(b, kProductRefresh);
    EXPECT_EQ(version->GetVersion(a, b), S_OK);
    EXPECT_EQ(a * 100 + b, 107u);

    std::shared_ptr<IAcceleration> acceleration;
    std::shared_ptr<IPolling> polling;
    std::shared_ptr<ISensor> sensor;
    std::shared_ptr<IOnTheFlyRecording> recording;
    std::shared_ptr<IMacroManager> macros;
    ASSERT_EQ(GetDeviceFeature(*device, acceleration), S_OK);
    ASSERT_EQ(GetDeviceFeature(*device, polling), S_OK);
    ASSERT_EQ(GetDeviceFeature(*device, sensor), S_OK);
    ASSERT_EQ(GetDeviceFeature(*device, recording), S_OK);
    ASSERT_EQ(GetDeviceFeature(*device, macros), S_OK);
    std::vector<uint32_t> rates;
    EXPECT_EQ(polling->GetRates(rates), S_OK);
    EXPECT_EQ(rates, (std::vector<uint32_t>{1000, 500, 125}));
    EXPECT_EQ(recording->SetMode(kRecordingOff), S_OK);
    bool on = false;
    EXPECT_EQ(sensor->GetCalibration(on), S_OK);
    std::shared_ptr<IPowerReadings> power;
    EXPECT_EQ(GetDeviceFeature(*device, power), E_NOINTERFACE);

    uint32_t count = 0;
    ASSERT_EQ(Profiles()->GetProfileCount(count), S_OK);
    for (uint32_t i = 0; i < count; ++i) {
        auto profile = Profile(i);
        std::shared_ptr<IPropertyStore> store;
        std::shared_ptr<IDpi> dpi;
        std::shared_ptr<IButtons> buttons;
        std::shared_ptr<ILighting> lighting;
        ASSERT_EQ(GetProfileFeature(*profile, store), S_OK);
        ASSERT_EQ(GetProfileFeature(*profile, dpi), S_OK);
        ASSERT_EQ(GetProfileFeature(*profile, buttons), S_OK);
        ASSERT_EQ(GetProfileFeature(*profile, lighting), S_OK);
        std::vector<FunctionRecord> records;
        EXPECT_EQ(buttons->GetFunctions(9, records), S_OK);
        EXPECT_EQ(records.size(), 9u);
        std::shared_ptr<ILight> light;
        uint32_t lights = 0;
        for (; SUCCEEDED(lighting->GetLight(lights, light)); ++lights) {
            std::shared_ptr<ILightEffect> effect;
            ASSERT_EQ(QueryAs(*light, effect), S_OK);
            uint32_t e = 0, p1 = 0, p2 = 0;
            EXPECT_EQ(effect->GetEffect(e, p1, p2), S_OK);
        }
        EXPECT_EQ(lights, 3u);
    }
}

TEST_F(DeviceServiceTest, CreatesRenamesAndDeletesAProfileAndRefusesTheActiveOne) {
    auto manager = Profiles();
    std::shared_ptr<IProfile> created;
    ASSERT_EQ(manager->CreateProfile(created), S_OK);
    ASSERT_EQ(created->SetName(u"Sniper \u00e9"), S_OK);
    plat::GUID id;
    ASSERT_EQ(created->GetGuid(id), S_OK);
    std::shared_ptr<IProfile> found;
    ASSERT_EQ(manager->FindProfile(id, found), S_OK);
    std::u16string name;
    EXPECT_EQ(found->GetName(name), S_OK);
    EXPECT_EQ(name, u"Sniper \u00e9");
    EXPECT_EQ(manager->DeleteProfile(*created), S_OK);
    EXPECT_EQ(manager->FindProfile(id, found), E_NOT_FOUND);

    std::shared_ptr<IProfile> active;
    ASSERT_EQ(manager->GetActiveProfile(active), S_OK);
    EXPECT_EQ(manager->DeleteProfile(*active), static_cast<HRESULT>(0x80070005));
}

TEST_F(DeviceServiceTest, AnswersBadArgumentsWithErrors) {
    auto profile = Profile(0);
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(GetProfileFeature(*profile, dpi), S_OK);
    EXPECT_EQ(dpi->SetStages({{99999, 100}}), E_INVALIDARG);
    EXPECT_EQ(dpi->SetActiveStage(77), E_INVALIDARG);
    EXPECT_EQ(profile->SetName(std::u16string(300, u'n')), E_INVALIDARG);
    std::shared_ptr<IProfile> none;
    EXPECT_EQ(Profiles()->FindProfile(plat::GUID{7, 7, 7, {7}}, none), E_NOT_FOUND);
    std::shared_ptr<IMacroManager> macros;
    ASSERT_EQ(GetDeviceFeature(*Device(), macros), S_OK);
    std::shared_ptr<IMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro), S_OK);
    EXPECT_EQ(macro->SetEvents({1, 2, 3}), E_INVALIDARG);

    // What a careless client could send that the proxies never would.
    auto connection = sdbus::createSessionBusConnection();
    auto raw = sdbus::createProxy(*connection, bus::kServiceName,
                                  std::string(bus::kRootPath) + "/device/KV002F0001");
    try {
        raw->callMethod("FindProfile")
            .onInterface(bus::kProfileManager)
            .withArguments(std::vector<uint8_t>{1, 2, 3});
        FAIL() << "a three-byte GUID was accepted";
    } catch (const sdbus::Error& error) {
        EXPECT_EQ(error.getName(), "com.kavox.DeviceService1.Error.InvalidArgument");
        EXPECT_EQ(error.getMessage().substr(0, 10), "0x80070057");
    }
    EXPECT_GT(m_bus.ServicePid(), 0) << "the service is still running";
}

struct Events : _IDPIEvents, _IProfileManagerEvents, _IApplicationEvent {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<int32_t, int32_t>> dpi;
    std::vector<plat::GUID> profiles;
    std::vector<std::u16string> launches;

    void OnDpiChanged(int32_t x, int32_t y) override {
        Add([&] { dpi.emplace_back(x, y); });
    }
    void OnActiveProfileChanged(const plat::GUID& id) override {
        Add([&] { profiles.push_back(id); });
    }
    void OnLaunch(int32_t, const std::u16string& path) override {
        Add([&] { launches.push_back(path); });
    }

    template <class F> void Add(F add) {
        std::lock_guard lock(mutex);
        add();
        changed.notify_all();
    }
    template <class P> bool WaitFor(P done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), done);
    }
};

TEST_F(DeviceServiceTest, ClientsReceiveTheMouseEvents) {
    auto events = std::make_shared<Events>();
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(GetProfileFeature(*Profile(0), dpi), S_OK);
    uint32_t dpiCookie = 0, profileCookie = 0, launchCookie = 0;
    ASSERT_EQ(dpi->Advise(_IDPIEvents::IID, events, dpiCookie), S_OK);
    ASSERT_EQ(Profiles()->Advise(_IProfileManagerEvents::IID, events, profileCookie), S_OK);
    std::shared_ptr<IApplicationLaunchSource> launch;
    ASSERT_EQ(GetDeviceFeature(*Device(), launch), S_OK);
    ASSERT_EQ(launch->Advise(_IApplicationEvent::IID, events, launchCookie), S_OK);

    ASSERT_EQ(m_bus.DeviceCtl("dpi-up"), 0);
    EXPECT_TRUE(events->WaitFor([&] { return !events->dpi.empty(); }));
    ASSERT_EQ(m_bus.DeviceCtl("profile-next"), 0);
    EXPECT_TRUE(events->WaitFor([&] { return !events->profiles.empty(); }));
    ASSERT_EQ(m_bus.DeviceCtl("launch 1 /tmp/readme.txt"), 0);
    EXPECT_TRUE(events->WaitFor([&] { return !events->launches.empty(); }));

    std::lock_guard lock(events->mutex);
    EXPECT_EQ(events->dpi.at(0), std::make_pair(1600, 1600));
    plat::GUID second;
    Profile(1)->GetGuid(second);
    EXPECT_EQ(events->profiles.at(0), second);
    EXPECT_EQ(events->launches.at(0), u"/tmp/readme.txt");
    EXPECT_EQ(dpi->Unadvise(_IDPIEvents::IID, dpiCookie), S_OK);
    EXPECT_EQ(dpi->Unadvise(_IDPIEvents::IID, dpiCookie), E_NO_CONNECTION);
}

TEST_F(DeviceServiceTest, PlugAndUnplugAnnounceDevicePaths) {
    auto connection = sdbus::createSessionBusConnection();
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> paths;
    auto slot = connection->addMatch("type='signal',interface='com.kavox.DeviceService1.Enumerator'",
                                     [&](sdbus::Message& message) {
                                         std::string path;
                                         message >> path;
                                         std::lock_guard lock(mutex);
                                         paths.push_back(message.getMemberName() + " " + path);
                                         changed.notify_all();
                                     });
    connection->enterEventLoopAsync();
    std::string serial;
    ASSERT_EQ(m_bus.DeviceCtl("plug legacy", &serial), 0);
    EXPECT_EQ(serial, "KV00170001\n");
    ASSERT_EQ(m_bus.DeviceCtl("unplug KV00170001"), 0);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return paths.size() == 4; }));
    EXPECT_EQ(paths[0],
              "DeviceArrived \\\\?\\HID#VID_2B4C&PID_0017#KV00170001#{4D1E55B2-F16F-11CF-88CB-001111000030}");
    EXPECT_EQ(paths[1],
              "DeviceArrived \\\\?\\HID#VID_2B4C&PID_0017#KV00170001#{378DE44C-56EF-11D1-BC8C-00A0C91405DD}");
    EXPECT_EQ(paths[2].substr(0, 14), "DeviceRemoved ");
    EXPECT_NE(m_bus.DeviceCtl("unplug KV00170001"), 0);
}

TEST_F(DeviceServiceTest, AcknowledgedChangesSurviveAKilledService) {
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(Profile(1)->SetName(u"Name " + plat::Utf8ToUtf16(std::to_string(i))), S_OK);
    }
    m_bus.KillService();
    ASSERT_EQ(CreateDeviceEnumerator(m_enumerator), S_OK);
    std::u16string name;
    ASSERT_EQ(Profile(1)->GetName(name), S_OK);
    EXPECT_EQ(name, u"Name 19");
}

TEST_F(DeviceServiceTest, WritesTheRegistryProfileTable) {
    auto profile = Profile(1);
    std::shared_ptr<IPropertyStore> store;
    ASSERT_EQ(GetProfileFeature(*profile, store), S_OK);
    std::vector<uint8_t> app(256, 0);
    app[0] = 'g';
    ASSERT_EQ(store->WriteProperty(kPropertyApplicationName, app), S_OK);
    ASSERT_EQ(store->WriteProperty(kPropertyProfileFlags, {1, 0, 1, 0}), S_OK);
    ASSERT_EQ(Profiles()->SetActiveProfile(*profile), S_OK);
    plat::GUID id;
    profile->GetGuid(id);

    const auto table =
        plat::RegistryKey::Open(plat::RegistryHive::LocalMachine,
                                u"SOFTWARE\\KAVOX\\0.01\\{2C7E1A95-B3D4-4F08-96A1-5E0B8C7D3F26}\\PROFILES");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->ReadString(u"ActiveProfile"), plat::GuidToString(id));
    EXPECT_EQ(table->SubKeys().size(), 3u);
    const auto key = table->OpenSubKey(plat::GuidToString(id));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString(u"Name"), u"Gaming");
    EXPECT_EQ(key->ReadBinary(u"AppPath"), (std::vector<uint8_t>{1, 1, 0, 0, 'g', 0, 0, 0}));
    const auto model = plat::RegistryKey::Open(
        plat::RegistryHive::LocalMachine, u"SOFTWARE\\KAVOX\\0.01\\{2C7E1A95-B3D4-4F08-96A1-5E0B8C7D3F26}");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->ReadBinary(u"ProfileOsd"), std::vector<uint8_t>{1});
}

TEST_F(DeviceServiceTest, RoundTripsProfileAndMacroFiles) {
    ASSERT_EQ(Profile(2)->ExportToFile(PathOf("office.kvp")), S_OK);
    std::shared_ptr<IProfile> imported;
    ASSERT_EQ(Profiles()->ImportProfile(PathOf("office.kvp"), imported), S_OK);
    std::u16string name;
    imported->GetName(name);
    EXPECT_EQ(name, u"Office");

    std::shared_ptr<IMacroManager> macros;
    ASSERT_EQ(GetDeviceFeature(*Device(), macros), S_OK);
    std::shared_ptr<IMacro> macro;
    ASSERT_EQ(macros->CreateMacro(macro), S_OK);
    const MacroEventBlock events = {0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 20, 0, 0, 0};
    ASSERT_EQ(macro->SetEvents(events), S_OK);
    ASSERT_EQ(macro->ExportToFile(PathOf("wait.kvm")), S_OK);
    std::shared_ptr<IMacro> copy;
    ASSERT_EQ(macros->ImportMacro(PathOf("wait.kvm"), copy), S_OK);
    MacroEventBlock read;
    EXPECT_EQ(copy->GetEvents(read), S_OK);
    EXPECT_EQ(read, events);

    std::ofstream(m_bus.Folder() + "/broken.kvp") << "{\"format\":\"kavox-profile\",\"version\":1}";
    EXPECT_EQ(Profiles()->ImportProfile(PathOf("broken.kvp"), imported), E_INVALID_DATA);
    ASSERT_EQ(macros->DeleteMacro(*macro), S_OK);
    EXPECT_EQ(macro->ExportToFile(PathOf("gone.kvm")), E_NOT_FOUND);
}

TEST(DeviceServiceAbsent, CreatingTheEnumeratorFailsWithoutABus) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kavox-bus", 1);
    std::shared_ptr<IDeviceEnumerator> enumerator;
    EXPECT_EQ(CreateDeviceEnumerator(enumerator), E_SERVICE_UNAVAILABLE);
    EXPECT_FALSE(enumerator);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

} // namespace
