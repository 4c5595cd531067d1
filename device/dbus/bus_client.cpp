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

// The bus thread starts with the first subscription: until then calls go straight out on
// the calling thread, without a hand-over to the bus thread.
BusClient::BusClient() : m_connection(sdbus::createSessionBusConnection()) {}

BusClient::~BusClient() {
    if (m_listening) {
        m_connection->leaveEventLoop();
    }
    m_match.reset();
}

std::unique_ptr<sdbus::IProxy> BusClient::MakeProxy(const std::string& path) {
    return sdbus::createProxy(*m_connection, bus::kServiceName, path);
}

HRESULT BusClient::StartListening() {
    if (m_listening) {
        return S_OK;
    }
    const std::string rule = std::string("type='signal',path_namespace='") + bus::kRootPath + "'";
    const HRESULT hr = Guard([&] {
        m_match = m_connection->addMatch(rule, [this](sdbus::Message& message) { Dispatch(message); });
        m_connection->enterEventLoopAsync();
    });
    m_listening = SUCCEEDED(hr);
    return hr;
}

void BusClient::Dispatch(sdbus::Message& message) {
    const std::string path = message.getPath();
    const std::string interface = message.getInterfaceName();
    const std::string member = message.getMemberName();
    std::vector<std::shared_ptr<const Subscription>> targets;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [cookie, subscription] : m_subscriptions) {
            if (subscription->path == path && subscription->interface == interface &&
                subscription->member == member) {
                targets.push_back(subscription);
            }
        }
    }
    for (const auto& target : targets) {
        try {
            message.rewind(true);
            target->handler(message);
        } catch (...) {
            // A malformed signal is dropped; the bus thread keeps running.
        }
    }
}

HRESULT BusClient::Subscribe(const std::string& path, const char* interface, const char* member,
                             std::function<void(sdbus::Message&)> handler, uint32_t& cookie) {
    cookie = 0;
    std::lock_guard lock(m_mutex);
    const HRESULT hr = StartListening();
    if (FAILED(hr)) {
        return hr;
    }
    cookie = m_nextCookie++;
    m_subscriptions.emplace(cookie, std::make_shared<const Subscription>(
                                        Subscription{path, interface, member, std::move(handler)}));
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
