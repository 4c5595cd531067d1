// The client side of the service's bus: one session-bus connection per enumerator, shared
// by every proxy handed out from it, with a thread of its own that receives signals. Method
// calls block the calling thread until the reply or the bus's time-out, and never throw:
// D-Bus errors become the status codes they carry.
#pragma once

#include "device/contract.h"

#include <sdbus-c++/sdbus-c++.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

class BusClient {
public:
    // Throws sdbus::Error when the session bus cannot be reached.
    BusClient();
    ~BusClient();

    std::unique_ptr<sdbus::IProxy> MakeProxy(const std::string& path);

    // Calls `handler` for every `member` signal of `interface` from `path`, on the bus thread.
    HRESULT Subscribe(const std::string& path, const char* interface, const char* member,
                      std::function<void(sdbus::Message&)> handler, uint32_t& cookie);
    HRESULT Unsubscribe(uint32_t cookie);

private:
    std::unique_ptr<sdbus::IConnection> m_connection;
    std::mutex m_mutex;
    std::map<uint32_t, sdbus::Slot> m_subscriptions;
    uint32_t m_nextCookie = 1;
};

// The status a failed call reports: the HRESULT of a service error, else the nearest code.
HRESULT StatusOf(const sdbus::Error& error);

// Runs a bus call, turning any exception into a status.
HRESULT Guard(const std::function<void()>& call);

template <class... Out> struct CallResults { std::tuple<Out&...> refs; };
template <class... Out> CallResults<Out...> Into(Out&... out) {
    return {std::tie(out...)};
}

// Base of every proxy: the object's path and a proxy for it on the shared connection.
class BusObject {
public:
    BusObject(std::shared_ptr<BusClient> client, std::string path)
        : m_client(std::move(client)), m_path(std::move(path)), m_proxy(m_client->MakeProxy(m_path)) {}

protected:
    template <class... Out, class... In>
    HRESULT Call(const char* interface, const char* method, CallResults<Out...> results, const In&... in) {
        return Guard([&] {
            std::apply(
                [&](auto&... out) {
                    m_proxy->callMethod(method).onInterface(interface).withArguments(in...).storeResultsTo(
                        out...);
                },
                results.refs);
        });
    }

    // The device object's path, where the device's signals come from.
    std::string DevicePath() const;

    std::shared_ptr<BusClient> m_client;
    std::string m_path;
    std::unique_ptr<sdbus::IProxy> m_proxy;
};

std::vector<uint8_t> GuidToBytes(const plat::GUID& id);
HRESULT GuidFromBytes(const std::vector<uint8_t>& bytes, plat::GUID& id);

// Proxies for the objects at a path, by the interface id asked for.
std::shared_ptr<IServiceObject> MakeDeviceFeatureProxy(const std::shared_ptr<BusClient>& client,
                                                       const plat::GUID& iid, const std::string& path);
std::shared_ptr<IServiceObject> MakeProfileFeatureProxy(const std::shared_ptr<BusClient>& client,
                                                        const plat::GUID& iid, const std::string& path);
std::shared_ptr<IProfile> MakeProfileProxy(const std::shared_ptr<BusClient>& client, const std::string& path);
std::shared_ptr<IMacro> MakeMacroProxy(const std::shared_ptr<BusClient>& client, const std::string& path);
std::shared_ptr<ILight> MakeLightProxy(const std::shared_ptr<BusClient>& client, const std::string& path);
