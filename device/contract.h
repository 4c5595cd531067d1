// The device service contract: every object, record and identifier through which the
// programs reach the mouse. Two implementations exist: the D-Bus proxies in device/dbus/
// (the real service, kavox-deviced) and the in-process objects of the service's own
// emulation library (tests of the device object run on those, without a bus).
//
// Conventions shared by every interface:
// - Every method returns an HRESULT-style status: negative is failure, callers test the sign.
// - Methods keep the order of the service's method numbers; the number is given beside each
//   (0 to 2 are the base methods every object has: QueryInterface stands for them here).
// - Texts, records and arrays come back as owned C++ values; nothing is freed by hand.
// - Objects are shared: one object may answer several interface ids (a light answers its
//   colour, brightness and effect parts), so they are handed out as std::shared_ptr.
// - Objects may be used from any thread, one call at a time per object. Event sinks are
//   called on a thread of the implementation's choosing (the D-Bus proxies use their bus
//   thread): a sink must hand its work to its own thread and must not call back into the
//   service from inside the callback.
#pragma once

#include "platform/text/guid.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using HRESULT = int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
// HRESULTs made from system error codes the service reports.
constexpr HRESULT E_FILE_NOT_FOUND = static_cast<HRESULT>(0x80070002);
constexpr HRESULT E_INVALID_DATA = static_cast<HRESULT>(0x8007000D);
constexpr HRESULT E_INSUFFICIENT_BUFFER = static_cast<HRESULT>(0x8007007A);
constexpr HRESULT E_NO_MORE_ITEMS = static_cast<HRESULT>(0x80070103);
constexpr HRESULT E_NOT_FOUND = static_cast<HRESULT>(0x80070490);
constexpr HRESULT E_TIMEOUT = static_cast<HRESULT>(0x800705B4);
// The enumerator cannot be created: no bus, or no service answers on it.
constexpr HRESULT E_SERVICE_UNAVAILABLE = static_cast<HRESULT>(0x80080005);
// An event source does not offer the requested event interface.
constexpr HRESULT E_NO_CONNECTION = static_cast<HRESULT>(0x80040200);
// The mouse's memory is full (profiles or macros).
constexpr HRESULT E_LIMIT_REACHED = static_cast<HRESULT>(0x80070008);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// ---------------------------------------------------------------------------------------
// Identifiers
// ---------------------------------------------------------------------------------------

constexpr plat::GUID CLSID_DeviceEnumerator{
    0x5A1C0E42, 0x7B19, 0x4D63, {0x9E, 0x2F, 0x3C, 0x8D, 0x41, 0xA0, 0xB7, 0xE5}};

// Device-interface classes that appear in device paths of arrival and removal events.
constexpr plat::GUID GUID_DEVINTERFACE_HID{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr plat::GUID GUID_DEVINTERFACE_MOUSE{
    0x378DE44C, 0x56EF, 0x11D1, {0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD}};

constexpr uint32_t kKavoxVendorId = 0x2B4C;
constexpr uint32_t kProductRefresh = 47;
constexpr uint32_t kProductLegacy = 23;

// Property ids of the property store.
constexpr uint32_t kPropertyApplicationName = 0x80000002;
constexpr uint32_t kPropertyProfileFlags = 0x80000003;
// Bits of the profile flags.
constexpr uint32_t kProfileFlagApplicationLink = 0x1;
constexpr uint32_t kProfileFlagDpiDisplay = 0x2;
constexpr uint32_t kProfileFlagProfileDisplay = 0x4;
// Size in bytes of the application-name property buffer (127 characters and a terminator).
constexpr uint32_t kApplicationNameBytes = 256;

// Values of the on-the-fly recording mode.
constexpr uint32_t kRecordingOff = 1;
constexpr uint32_t kRecordingOn = 2;

// Lift-off modes of the sensor.
constexpr uint32_t kLiftOffAutomatic = 1;
constexpr uint32_t kLiftOffCustom = 2;

// Polling interval codes (milliseconds between reports).
constexpr uint32_t kInterval1000Hz = 1;
constexpr uint32_t kInterval500Hz = 2;
constexpr uint32_t kInterval125Hz = 8;

// ---------------------------------------------------------------------------------------
// Records
// ---------------------------------------------------------------------------------------

// What device method 3 fills. The text is the device's name as the service gives it.
struct DeviceInformation {
    uint32_t reserved = 0;
    uint32_t productId = 0;
    uint32_t otherMajor = 0;
    uint32_t otherMinor = 0;
    uint32_t firmwareMajor = 0;
    uint32_t firmwareMinor = 0;
    std::u16string text;
};

// A DPI value pair.
struct DpiPair {
    uint32_t x = 0;
    uint32_t y = 0;
    friend bool operator==(const DpiPair&, const DpiPair&) = default;
};

// DPI method 5. The second word is the number of stages the profile can hold.
struct DpiHeader {
    uint32_t version = 1;
    uint32_t maxStages = 0;
};

// Buttons method 5 (and the keys interface). Second word: number of buttons; third: the
// bit set of their flags.
struct ButtonHeader {
    uint32_t version = 1;
    uint32_t count = 0;
    uint32_t flags = 0;
};

// What one button does: 32 bytes, little-endian, laid out as
// 0 version (always 1), 4 button flag, 8 function type, 12..31 function data.
struct FunctionRecord {
    static constexpr size_t kSize = 32;
    static constexpr size_t kDataSize = 20;

    uint32_t version = 1;
    uint32_t buttonFlag = 0;
    uint32_t functionType = 0;
    std::array<uint8_t, kDataSize> data{};

    std::array<uint8_t, kSize> ToBytes() const;
    static FunctionRecord FromBytes(const uint8_t* bytes); // reads kSize bytes

    friend bool operator==(const FunctionRecord&, const FunctionRecord&) = default;
};

// Function types a record may carry.
constexpr uint32_t kFunctionTypeLimit = 12; // types 0..12 are known

// Events of a macro travel as one block: a 32-bit zero, a 32-bit event count, then eight
// bytes per event (type 1 mouse, 2 key, 3 delay). The service keeps blocks as they came.
using MacroEventBlock = std::vector<uint8_t>;

// ---------------------------------------------------------------------------------------
// Base of every service object
// ---------------------------------------------------------------------------------------

class IServiceObject {
public:
    virtual ~IServiceObject() = default;
    // Methods 0-2. The same object or a part of it under another interface id;
    // E_NOINTERFACE when the object does not offer it.
    virtual HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) = 0;
};

// A typed query: `iid` names the interface, T is its C++ class.
template <class T> HRESULT QueryAs(IServiceObject& object, std::shared_ptr<T>& out) {
    out.reset();
    std::shared_ptr<IServiceObject> any;
    const HRESULT hr = object.QueryInterface(T::IID, any);
    if (FAILED(hr)) {
        return hr;
    }
    out = std::dynamic_pointer_cast<T>(any);
    return out ? S_OK : E_NOINTERFACE;
}

// ---------------------------------------------------------------------------------------
// Events (connection points)
// ---------------------------------------------------------------------------------------

// Virtual base, so one object may implement several event interfaces.
class IEventSink {
public:
    virtual ~IEventSink() = default;
};

// DPI events of the active profile.
class _IDPIEvents : public virtual IEventSink {
public:
    static constexpr plat::GUID IID{
        0xC2F7A094, 0x5D61, 0x4B38, {0xA7, 0xE0, 0x91, 0xD4, 0x3B, 0x5E, 0x2F, 0x06}};
    virtual void OnDpiChanged(int32_t x, int32_t y) = 0; // method 3
};

class _IProfileManagerEvents : public virtual IEventSink {
public:
    static constexpr plat::GUID IID{
        0xD5A09E13, 0x7F42, 0x4C6B, {0xB3, 0x91, 0x0E, 0x8C, 0x27, 0xA4, 0xD5, 0xF1}};
    virtual void OnActiveProfileChanged(const plat::GUID& profile) = 0; // method 3
};

// Kind 1 asks the desktop to open `path`.
class _IApplicationEvent : public virtual IEventSink {
public:
    static constexpr plat::GUID IID{
        0xF1C84D27, 0x6B3E, 0x4A95, {0x9D, 0x02, 0x7A, 0x6E, 0x5B, 0x18, 0xC3, 0x4D}};
    virtual void OnLaunch(int32_t kind, const std::u16string& path) = 0; // method 3
};

// An object that raises events: stands for the connection-point container and its points.
class IEventSource {
public:
    virtual ~IEventSource() = default;
    // E_NO_CONNECTION when the source has no point for `eventIid`, E_INVALIDARG when the
    // sink does not implement it.
    virtual HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink,
                           uint32_t& cookie) = 0;
    virtual HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) = 0;
};

// ---------------------------------------------------------------------------------------
// Enumerator and device
// ---------------------------------------------------------------------------------------

class IDevice;

class IDeviceEnumerator : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x6E2B9F17, 0x0C4A, 0x4E58, {0xA1, 0xD3, 0x7F, 0x95, 0xC2, 0xE4, 0xB0, 0x18}};
    // 3: the attached device at `index`; E_NO_MORE_ITEMS past the last one.
    virtual HRESULT GetDevice(uint32_t index, std::shared_ptr<IDevice>& device) = 0;
};

class IDevice : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xC1BF1DFD, 0x92E5, 0x42D1, {0xAF, 0x5A, 0x6C, 0x29, 0x0C, 0x0A, 0x09, 0x3E}};
    virtual HRESULT GetInformation(DeviceInformation& info) = 0; // 3
    // 4: a device-level feature: profile manager, macro manager, polling, acceleration,
    // sensor, application-launch source, on-the-fly recording, power interfaces.
    virtual HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) = 0;
};

template <class T> HRESULT GetDeviceFeature(IDevice& device, std::shared_ptr<T>& out) {
    out.reset();
    std::shared_ptr<IServiceObject> any;
    const HRESULT hr = device.GetFeature(T::IID, any);
    if (FAILED(hr)) {
        return hr;
    }
    out = std::dynamic_pointer_cast<T>(any);
    return out ? S_OK : E_NOINTERFACE;
}

// Base query on the device.
class IDeviceInfo : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x1D8E4C73, 0x95A2, 0x4B06, {0x8F, 0x3E, 0xA2, 0xC6, 0x7D, 0x19, 0xE5, 0x4B}};
    // 3: the vendor id and the product id.
    virtual HRESULT GetIds(uint32_t& vendorId, uint32_t& productId) = 0;
};

// Base query on the device: the second version query (capability 16).
class IDeviceVersion : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x7F8585E3, 0x39EA, 0x470B, {0x85, 0xAB, 0xAC, 0xB6, 0x67, 0x26, 0x5B, 0x11}};
    virtual HRESULT GetVersion(uint32_t& major, uint32_t& minor) = 0; // 3
};

// Base queries on the device that neither model answers; declared for completeness.
class IDeviceOption : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x70773693, 0x1BC9, 0x44DB, {0xB8, 0xFB, 0xE9, 0x5C, 0xA7, 0xFF, 0x10, 0x30}};
    virtual HRESULT GetValue(bool& value) = 0; // 5
};
constexpr plat::GUID IID_IDeviceSecondOption{
    0x29E7D506, 0xE306, 0x41A8, {0xA4, 0x27, 0xB1, 0xA7, 0x88, 0xA2, 0x7C, 0x52}};

// ---------------------------------------------------------------------------------------
// Profiles
// ---------------------------------------------------------------------------------------

class IProfile;

// Device feature; also the source of _IProfileManagerEvents.
class IProfileManager : public IServiceObject, public IEventSource {
public:
    static constexpr plat::GUID IID{
        0x9F3A6B28, 0x4E71, 0x40C9, {0xB5, 0xD2, 0x18, 0xE7, 0xA3, 0xF6, 0x0C, 0x94}};
    virtual HRESULT GetProfile(uint32_t index, std::shared_ptr<IProfile>& profile) = 0;        // 3
    virtual HRESULT FindProfile(const plat::GUID& id, std::shared_ptr<IProfile>& profile) = 0; // 4
    virtual HRESULT SetActiveProfile(IProfile& profile) = 0;                                   // 5
    virtual HRESULT GetActiveProfile(std::shared_ptr<IProfile>& profile) = 0;                  // 6
    // 7: a new profile with a GUID the service assigns; E_LIMIT_REACHED when the mouse is full.
    virtual HRESULT CreateProfile(std::shared_ptr<IProfile>& profile) = 0;
    // 8: E_ACCESSDENIED for the active profile.
    virtual HRESULT DeleteProfile(IProfile& profile) = 0;
    virtual HRESULT GetProfileCount(uint32_t& count) = 0; // 9
    // 10: a profile file becomes a new profile. The file is checked whole before anything
    // changes; E_INVALID_DATA for a file that is not a profile file.
    virtual HRESULT ImportProfile(const std::u16string& path, std::shared_ptr<IProfile>& profile) = 0;
};

class IProfile : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xE802782D, 0x59DC, 0x424B, {0xA2, 0x4E, 0x1D, 0x19, 0x4A, 0x61, 0x92, 0x70}};
    // 3: a per-profile feature: buttons, keys, lighting, DPI (also the DPI event source),
    // property store.
    virtual HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) = 0;
    virtual HRESULT GetGuid(plat::GUID& id) = 0;                  // 4
    virtual HRESULT GetName(std::u16string& name) = 0;            // 5
    virtual HRESULT SetName(const std::u16string& name) = 0;      // 6: 1 to 255 characters
    virtual HRESULT IsActive(bool& active) = 0;                   // 7
    virtual HRESULT ExportToFile(const std::u16string& path) = 0; // 8
};

template <class T> HRESULT GetProfileFeature(IProfile& profile, std::shared_ptr<T>& out) {
    out.reset();
    std::shared_ptr<IServiceObject> any;
    const HRESULT hr = profile.GetFeature(T::IID, any);
    if (FAILED(hr)) {
        return hr;
    }
    out = std::dynamic_pointer_cast<T>(any);
    return out ? S_OK : E_NOINTERFACE;
}

constexpr size_t kMaxNameLength = 255;

class IPropertyStore : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xA3E5C702, 0x1B94, 0x4F6D, {0x8E, 0x21, 0x5D, 0x07, 0xC9, 0xB3, 0xF4, 0x18}};
    // 3: at most `capacity` bytes of the property. The application name reads as UTF-16LE
    // with a terminating zero; the flags read as a 32-bit little-endian word, so a 2-byte
    // read gives its low half.
    virtual HRESULT ReadProperty(uint32_t property, uint32_t capacity, std::vector<uint8_t>& data) = 0;
    // 4: the application name as UTF-16LE of at most 256 bytes, zero-terminated within them
    // (all zero clears it); the flags as a 4-byte word: low 16 bits the flag bits, high 16
    // bits their new value (0 or 1).
    virtual HRESULT WriteProperty(uint32_t property, const std::vector<uint8_t>& data) = 0;
};

// The DPI feature of a profile. It is also the profile's DPI event source (_IDPIEvents): it
// raises DPI changed while its profile is the active one and its stage or sensitivity changes.
class IDpi : public IServiceObject, public IEventSource {
public:
    static constexpr plat::GUID IID{
        0xB8D41F6A, 0x2C37, 0x4E90, {0x9A, 0x15, 0x6F, 0x2E, 0x08, 0xD7, 0xC3, 0xB9}};
    virtual HRESULT GetSensitivity(DpiPair& sensitivity) = 0;    // 3
    virtual HRESULT SetSensitivity(uint32_t x, uint32_t y) = 0;  // 4
    virtual HRESULT GetHeader(DpiHeader& header) = 0;            // 5
    virtual HRESULT GetActiveStage(uint32_t& index) = 0;         // 6
    virtual HRESULT SetActiveStage(uint32_t index) = 0;          // 7
    virtual HRESULT GetStages(std::vector<DpiPair>& stages) = 0; // 8
    // 9: 1 to the header's maximum stages; every value within the range and on its step.
    virtual HRESULT SetStages(const std::vector<DpiPair>& stages) = 0;
    virtual HRESULT GetRange(uint32_t& minimum, uint32_t& maximum, uint32_t& step) = 0; // 10
};
// The tray asks for the DPI event source by this name; it is the DPI feature.
using IDpiEventSource = IDpi;

class IButtons : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x2CE18F8F, 0x6025, 0x447D, {0xBC, 0xED, 0x9F, 0xD1, 0x03, 0x86, 0x74, 0x87}};
    // 3: up to `capacity` records, one per button in the order of the button flags.
    virtual HRESULT GetFunctions(uint32_t capacity, std::vector<FunctionRecord>& records) = 0;
    // 4: each record replaces the function of the button its flag names.
    virtual HRESULT SetFunctions(const std::vector<FunctionRecord>& records) = 0;
    virtual HRESULT GetHeader(ButtonHeader& header) = 0; // 5
};

// Key assignments (capability 3); neither model offers them. A record's second word is the
// key identifier.
class IKeys : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x7EB2579B, 0x9670, 0x450D, {0xB5, 0x1A, 0xD6, 0xF2, 0xC0, 0x53, 0x5E, 0xD3}};
    virtual HRESULT GetFunctions(uint32_t capacity, std::vector<FunctionRecord>& records) = 0; // 3
    virtual HRESULT SetFunctions(const std::vector<FunctionRecord>& records) = 0;              // 4
    virtual HRESULT GetHeader(ButtonHeader& header) = 0;                                       // 5
};

// ---------------------------------------------------------------------------------------
// Lighting
// ---------------------------------------------------------------------------------------

class ILight;

class ILighting : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xE002D086, 0xFB6F, 0x4351, {0xB3, 0x8A, 0xE2, 0x4A, 0xAD, 0xBC, 0x4F, 0x07}};
    // 3: E_NO_MORE_ITEMS past the last light.
    virtual HRESULT GetLight(uint32_t index, std::shared_ptr<ILight>& light) = 0;
};

// A light; its colour, brightness and effect parts are base queries on it.
class ILight : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xFDD24078, 0xDC03, 0x410A, {0xB0, 0x8E, 0xB7, 0x61, 0xEB, 0x90, 0x90, 0x09}};
    virtual HRESULT TurnOn() = 0;                    // 3
    virtual HRESULT TurnOff() = 0;                   // 4
    virtual HRESULT GetState(bool& on) = 0;          // 5
    virtual HRESULT GetNumber(uint32_t& number) = 0; // 6: 1 to 12
};

// Colours are 0x00BBGGRR.
class ILightColor : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x1919FC91, 0xA6A5, 0x403E, {0xBD, 0xF1, 0xF4, 0x98, 0x3D, 0x5F, 0x0F, 0xF7}};
    virtual HRESULT SetColor(uint32_t color) = 0;  // 3
    virtual HRESULT GetColor(uint32_t& color) = 0; // 4
};

class ILightBrightness : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x6AFB53AD, 0xEDB9, 0x4011, {0x99, 0x5A, 0x0C, 0xC2, 0x8B, 0x6C, 0x24, 0x04}};
    virtual HRESULT SetBrightness(uint32_t percent) = 0;  // 3: 0 to 100
    virtual HRESULT GetBrightness(uint32_t& percent) = 0; // 4
};

// Effects 0 (steady) to 5; the two parameters are kept as given.
class ILightEffect : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xBAD22B1D, 0x6E1E, 0x4F4D, {0x90, 0xB3, 0xF3, 0x38, 0xF9, 0xFE, 0xBA, 0x3B}};
    virtual HRESULT SetEffect(uint32_t effect, uint32_t first, uint32_t second) = 0;    // 3
    virtual HRESULT GetEffect(uint32_t& effect, uint32_t& first, uint32_t& second) = 0; // 4
};
constexpr uint32_t kMaxLightEffect = 5;

// ---------------------------------------------------------------------------------------
// Mouse-wide settings
// ---------------------------------------------------------------------------------------

class IAcceleration : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x21B63CD1, 0x9EE6, 0x421D, {0x94, 0x87, 0x63, 0x56, 0x00, 0x7C, 0x34, 0x67}};
    virtual HRESULT TurnOn() = 0;                  // 3
    virtual HRESULT TurnOff() = 0;                 // 4
    virtual HRESULT GetState(bool& on) = 0;        // 5
    virtual HRESULT SetLevel(uint32_t level) = 0;  // 6: 1 to 10
    virtual HRESULT GetLevel(uint32_t& level) = 0; // 7
};
constexpr uint32_t kMinAccelerationLevel = 1;
constexpr uint32_t kMaxAccelerationLevel = 10;

class IPolling : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x2C59467D, 0xC4B6, 0x4B0D, {0x8A, 0x0E, 0x62, 0xE7, 0x68, 0xC6, 0x7E, 0x19}};
    virtual HRESULT GetInterval(uint32_t& code) = 0;            // 3
    virtual HRESULT SetInterval(uint32_t code) = 0;             // 4: 1, 2 or 8
    virtual HRESULT GetRates(std::vector<uint32_t>& rates) = 0; // 5: in Hz, fastest first
};

// Lift-off and surface calibration (capability 18).
class ISensor : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x032432FF, 0xC67D, 0x46F2, {0x8B, 0xD2, 0xDB, 0x00, 0x74, 0xA9, 0x7E, 0x03}};
    virtual HRESULT GetCalibration(bool& on) = 0;               // 3
    virtual HRESULT CalibrationOn() = 0;                        // 4
    virtual HRESULT CalibrationOff() = 0;                       // 5
    virtual HRESULT GetLiftOffMode(uint32_t& mode) = 0;         // 6
    virtual HRESULT SetLiftOffMode(uint32_t mode) = 0;          // 7: 1 automatic, 2 custom
    virtual HRESULT GetLiftOffDistance(uint32_t& distance) = 0; // 8
    virtual HRESULT SetLiftOffDistance(uint32_t distance) = 0;  // 9: 0 to 100
};
constexpr uint32_t kMaxLiftOffDistance = 100;

// ---------------------------------------------------------------------------------------
// Macros
// ---------------------------------------------------------------------------------------

class IMacro;

class IMacroManager : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x8A16998B, 0x405C, 0x4289, {0xA5, 0x8F, 0xA2, 0x98, 0x1E, 0x4E, 0xB5, 0x20}};
    virtual HRESULT GetMacro(uint32_t index, std::shared_ptr<IMacro>& macro) = 0;        // 3
    virtual HRESULT FindMacro(const plat::GUID& id, std::shared_ptr<IMacro>& macro) = 0; // 4
    // 5: a new, empty macro with a GUID the service assigns.
    virtual HRESULT CreateMacro(std::shared_ptr<IMacro>& macro) = 0;
    virtual HRESULT DeleteMacro(IMacro& macro) = 0;     // 6
    virtual HRESULT GetMacroCount(uint32_t& count) = 0; // 7
    // 8: a macro file becomes a new macro, checked whole before anything changes.
    virtual HRESULT ImportMacro(const std::u16string& path, std::shared_ptr<IMacro>& macro) = 0;
};

class IMacro : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x502D7A13, 0x6777, 0x4213, {0x94, 0x0A, 0x0D, 0xD9, 0x70, 0x6E, 0x7E, 0xBC}};
    virtual HRESULT GetGuid(plat::GUID& id) = 0;                  // 3
    virtual HRESULT GetName(std::u16string& name) = 0;            // 4
    virtual HRESULT SetName(const std::u16string& name) = 0;      // 5: 1 to 255 characters
    virtual HRESULT ExportToFile(const std::u16string& path) = 0; // 6
    virtual HRESULT GetEvents(MacroEventBlock& block) = 0;        // 7
    // 8: the block must be well formed (header, count, known event types).
    virtual HRESULT SetEvents(const MacroEventBlock& block) = 0;
};
constexpr uint32_t kMaxMacroEvents = 4096;

// ---------------------------------------------------------------------------------------
// Events and recording of the device
// ---------------------------------------------------------------------------------------

// Device feature: the source of _IApplicationEvent.
class IApplicationLaunchSource : public IServiceObject, public IEventSource {
public:
    static constexpr plat::GUID IID{
        0xE7B32C58, 0x9A06, 0x4D1F, {0x8C, 0x74, 0x3F, 0x51, 0xD0, 0xA6, 0xB9, 0x2E}};
};

// Device feature: on-the-fly macro recording. Mode 1 ends recording, 2 starts it.
class IOnTheFlyRecording : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x97C2D423, 0x5481, 0x48EB, {0x85, 0x92, 0x3F, 0xF4, 0xBC, 0x78, 0xAA, 0x4F}};
    virtual HRESULT GetMode(uint32_t& mode) = 0; // 3
    virtual HRESULT SetMode(uint32_t mode) = 0;  // 4
};

// ---------------------------------------------------------------------------------------
// Power (capabilities 9, 14, 15): declared; neither model offers them.
// ---------------------------------------------------------------------------------------

class IPowerManager : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x76E74623, 0xE62A, 0x47E9, {0x84, 0x01, 0xB7, 0xD5, 0xAA, 0x1E, 0xC9, 0xD2}};
    virtual HRESULT GetEntryCount(uint32_t& count) = 0;                                          // 3
    virtual HRESULT GetEntry(uint32_t index, std::vector<uint8_t>& entry) = 0;                   // 4
    virtual HRESULT SetEntries(const std::vector<std::vector<uint8_t>>& entries) = 0;            // 5
    virtual HRESULT GetAssignments(uint32_t capacity, std::vector<FunctionRecord>& records) = 0; // 6
    virtual HRESULT SetAssignments(const std::vector<FunctionRecord>& records) = 0;              // 7
};

class IPowerReadings : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0x1D9ACEAF, 0xD793, 0x4F3E, {0x92, 0x38, 0x30, 0xC7, 0x2D, 0x8D, 0xAA, 0x11}};
    virtual HRESULT GetPowerValue(uint32_t& value) = 0;        // 3
    virtual HRESULT GetFlashWarningValue(uint32_t& value) = 0; // 4
};

class IPowerSettings : public IServiceObject {
public:
    static constexpr plat::GUID IID{
        0xA6341748, 0xDAFF, 0x41FD, {0xA3, 0x7E, 0x61, 0x40, 0x46, 0x1A, 0x47, 0xA5}};
    virtual HRESULT GetReducedBrightness(uint32_t& value) = 0; // 3
    virtual HRESULT SetReducedBrightness(uint32_t value) = 0;  // 4
    virtual HRESULT GetIdleTime(uint32_t& value) = 0;          // 5
    virtual HRESULT SetIdleTime(uint32_t value) = 0;           // 6
    virtual HRESULT GetFlashWarningStage(uint32_t& value) = 0; // 7
    virtual HRESULT SetFlashWarningStage(uint32_t value) = 0;  // 8
};

// ---------------------------------------------------------------------------------------
// On the bus (kavox-deviced on the session bus; the proxies of device/dbus/ speak this)
// ---------------------------------------------------------------------------------------
//
// Root object: the enumerator, with the Emulator control interface. One object per device
// (<root>/device/<serial>), profile (<device>/profile/<32 hex digits of the GUID>), light
// (<profile>/light/<index>) and macro (<device>/macro/<32 hex digits>). Each object carries
// the interfaces of its features: "<kBusInterfacePrefix><Name>" with Name as below. GUIDs
// travel as 16 bytes ("ay"), texts as UTF-8. A failure is the error
// "<kBusErrorPrefix><Name>" whose message starts with the HRESULT as "0x%08X".
namespace bus {
constexpr const char* kServiceName = "com.kavox.DeviceService1";
constexpr const char* kRootPath = "/com/kavox/DeviceService1";
constexpr const char* kErrorPrefix = "com.kavox.DeviceService1.Error.";

constexpr const char* kEnumerator = "com.kavox.DeviceService1.Enumerator";
constexpr const char* kEmulator = "com.kavox.DeviceService1.Emulator";
constexpr const char* kDevice = "com.kavox.DeviceService1.Device";
constexpr const char* kDeviceInfo = "com.kavox.DeviceService1.DeviceInfo";
constexpr const char* kDeviceVersion = "com.kavox.DeviceService1.DeviceVersion";
constexpr const char* kProfileManager = "com.kavox.DeviceService1.ProfileManager";
constexpr const char* kProfile = "com.kavox.DeviceService1.Profile";
constexpr const char* kPropertyStore = "com.kavox.DeviceService1.PropertyStore";
constexpr const char* kDpi = "com.kavox.DeviceService1.Dpi";
constexpr const char* kDpiEvents = "com.kavox.DeviceService1.DpiEvents";
constexpr const char* kButtons = "com.kavox.DeviceService1.Buttons";
constexpr const char* kLighting = "com.kavox.DeviceService1.Lighting";
constexpr const char* kLight = "com.kavox.DeviceService1.Light";
constexpr const char* kLightColor = "com.kavox.DeviceService1.LightColor";
constexpr const char* kLightBrightness = "com.kavox.DeviceService1.LightBrightness";
constexpr const char* kLightEffect = "com.kavox.DeviceService1.LightEffect";
constexpr const char* kAcceleration = "com.kavox.DeviceService1.Acceleration";
constexpr const char* kPolling = "com.kavox.DeviceService1.Polling";
constexpr const char* kSensor = "com.kavox.DeviceService1.Sensor";
constexpr const char* kMacroManager = "com.kavox.DeviceService1.MacroManager";
constexpr const char* kMacro = "com.kavox.DeviceService1.Macro";
constexpr const char* kApplicationLaunch = "com.kavox.DeviceService1.ApplicationLaunch";
constexpr const char* kOnTheFlyRecording = "com.kavox.DeviceService1.OnTheFlyRecording";

// Signals: DeviceArrived(s devicePath) and DeviceRemoved(s devicePath) on the root object
// (Enumerator), once per device-interface class (HID, mouse); on a device object
// DpiChanged(i x, i y) (DpiEvents), ActiveProfileChanged(ay) (ProfileManager) and
// Launch(i kind, s path) (ApplicationLaunch).
} // namespace bus

// ---------------------------------------------------------------------------------------
// Creating the enumerator
// ---------------------------------------------------------------------------------------

// How the device object reaches the service: the D-Bus build passes CreateDeviceEnumerator
// (device/dbus/), tests pass an in-process emulator.
using DeviceEnumeratorFactory = std::function<HRESULT(std::shared_ptr<IDeviceEnumerator>&)>;
