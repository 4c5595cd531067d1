// Connection, signal subscriptions and error translation of the proxies.
#include "device/dbus/bus_client.h"

#include <cstdlib>
#include <cstring>

namespace {

struct NamedStatus {
    const char* name;
    HRESULT hr;
};

constexpr NamedStatus kBusStatuses[] = {
    {"org.freedesktop.DBus.Error.NoReply", E_TIMEOUT},
    {"org.freedesktop.DBus.Error.Timeout", E_TIMEOUT},
    {"org.freedesktop.DBus.Error.TimedOut", E_TIMEOUT},
    {"org.freedesktop.DBus.Error.ServiceUnknown", E_SERVICE_UNAVAILABLE},
    {"org.freedesktop.DBus.Error.NameHasNoOwner", E_SERVICE_UNAVAILABLE},
    {"org.freedesktop.DBus.Error.Spawn.ChildExited", E_SERVICE_UNAVAILABLE},
    {"org.freedesktop.DBus.Error.UnknownObject", E_NOT_FOUND},
    {"org.freedesktop.DBus.Error.UnknownInterface", E_NOINTERFACE},
    {"org.freedesktop.DBus.Error.UnknownMethod", E_NOINTERFACE},
    {"org.freedesktop.DBus.Error.InvalidArgs", E_INVALIDARG},
};

} // namespace

HRESULT StatusOf(const sdbus::Error& error) {
    const std::string& name = error.getName();
    if (name.rfind(bus::kErrorPrefix, 0) == 0) {
        const std::string& message = error.getMessage();
        char* end = nullptr;
        const unsigned long code = std::strtoul(message.c_str(), &end, 16);
        if (end != message.c_str() && code >= 0x80000000UL && code <= 0xFFFFFFFFUL) {
            return static_cast<HRESULT>(static_cast<uint32_t>(code));
        }
        return E_FAIL;
    }
    for (const NamedStatus& status : kBusStatuses) {
        if (name == status.name) {
            return status.hr;
        }
    }
    return E_FAIL;
}

HRESULT Guard(const std::function<void()>& call) {
    try {
        call();
        return S_OK;
    } catch (const sdbus::Error& error) {
        return StatusOf(error);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

BusClient::BusClient() : m_connection(sdbus::createSessionBusConnection()) {
    m_connection->enterEventLoopAsync();
}

BusClient::~BusClient() {
    {
        std::lock_guard lock(m_mutex);
        m_subscriptions.clear();
    }
    m_connection->leaveEventLoop();
}

std::unique_ptr<sdbus::IProxy> BusClient::MakeProxy(const std::string& path) {
    return sdbus::createProxy(*m_connection, bus::kServiceName, path);
}

HRESULT BusClient::Subscribe(const std::string& path, const char* interface, const char* member,
                             std::function<void(sdbus::Message&)> handler, uint32_t& cookie) {
    cookie = 0;
    const std::string rule =
        "type='signal',path='" + path + "',interface='" + interface + "',member='" + member + "'";
    sdbus::Slot slot;
    const HRESULT hr = Guard([&] {
        slot = m_connection->addMatch(rule, [handler = std::move(handler)](sdbus::Message& message) {
            try {
                handler(message);
            } catch (...) {
                // A malformed signal is dropped; the bus thread keeps running.
            }
        });
    });
    if (FAILED(hr)) {
        return hr;
    }
    std::lock_guard lock(m_mutex);
    cookie = m_nextCookie++;
    m_subscriptions.emplace(cookie, std::move(slot));
    return S_OK;
}

HRESULT BusClient::Unsubscribe(uint32_t cookie) {
    std::lock_guard lock(m_mutex);
    return m_subscriptions.erase(cookie) != 0 ? S_OK : E_NO_CONNECTION;
}

std::string BusObject::DevicePath() const {
    const std::string devices = std::string(bus::kRootPath) + "/device/";
    const size_t end = m_path.find('/', devices.size());
    return end == std::string::npos ? m_path : m_path.substr(0, end);
}

std::vector<uint8_t> GuidToBytes(const plat::GUID& id) {
    std::vector<uint8_t> bytes(16);
    id.ToBytes(bytes.data());
    return bytes;
}

HRESULT GuidFromBytes(const std::vector<uint8_t>& bytes, plat::GUID& id) {
    if (bytes.size() != 16) {
        return E_UNEXPECTED;
    }
    id = plat::GUID::FromBytes(bytes.data());
    return S_OK;
}
