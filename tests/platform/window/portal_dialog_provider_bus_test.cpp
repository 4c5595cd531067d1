// The desktop portal's file chooser, against a stand-in portal on a private session bus:
// what the request carries, how each kind of answer comes back, and that the wait ends
// when the portal never answers or leaves the bus.
#include "platform/window/portal_dialog_provider.h"
#include "tests/device/dbus/private_bus.h"

#include <sdbus-c++/sdbus-c++.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

using namespace plat;
using namespace std::chrono_literals;
using Options = std::map<std::string, sdbus::Variant>;
using PatternList = std::vector<sdbus::Struct<std::uint32_t, std::string>>;
using PortalFilters = std::vector<sdbus::Struct<std::string, PatternList>>;

constexpr char kPortalName[] = "org.freedesktop.portal.Desktop";
constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kChooser[] = "org.freedesktop.portal.FileChooser";
constexpr char kRequest[] = "org.freedesktop.portal.Request";

// What the stand-in does with a request.
enum class Reply {
    Answer,      // answers on the request path the caller asked for
    AnswerLater, // answers a while later on a path of its own, as an older portal does
    Malformed,   // answers with "uris" of the wrong type
    Silent,      // never answers
    Vanish,      // leaves the bus without answering
};

struct Call {
    std::string method;
    std::string title;
    Options options;
};

class FakePortal {
public:
    FakePortal() {
        m_bus = sdbus::createSessionBusConnection(kPortalName);
        m_object = sdbus::createObject(*m_bus, kPortalPath);
        for (const std::string method : {"OpenFile", "SaveFile"})
            m_object->registerMethod(method).onInterface(kChooser).implementedAs(
                [this, method](sdbus::Result<sdbus::ObjectPath>&& result, const std::string&,
                               const std::string& title, const Options& options) {
                    OnCall(method, std::move(result), title, options);
                });
        m_object->finishRegistration();
        m_bus->enterEventLoopAsync();
    }
    ~FakePortal() { m_bus->leaveEventLoop(); }

    void Script(Reply reply, std::uint32_t code = 0, std::string uri = {}) {
        std::lock_guard lock(m_mutex);
        m_reply = reply;
        m_code = code;
        m_uri = std::move(uri);
    }
    std::vector<Call> Calls() {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    int Closed() {
        std::lock_guard lock(m_mutex);
        return m_closed;
    }

private:
    // The path the caller expects: its unique name without ':' and with '_' for '.'.
    std::string ExpectedPath(const Options& options) const {
        std::string sender = m_object->getCurrentlyProcessedMessage()->getSender();
        sender.erase(0, 1);
        std::replace(sender.begin(), sender.end(), '.', '_');
        const auto token = options.find("handle_token");
        return std::string(kPortalPath) + "/request/" + sender + "/" +
               (token != options.end() ? token->second.get<std::string>() : "none");
    }

    void OnCall(const std::string& method, sdbus::Result<sdbus::ObjectPath>&& result,
                const std::string& title, const Options& options) {
        std::unique_lock lock(m_mutex);
        m_calls.push_back({method, title, options});
        const Reply reply = m_reply;
        const std::string path = reply == Reply::AnswerLater
                                     ? std::string(kPortalPath) + "/request/elsewhere/1"
                                     : ExpectedPath(options);
        auto request = sdbus::createObject(*m_bus, path);
        request->registerMethod("Close").onInterface(kRequest).implementedAs([this] {
            std::lock_guard inner(m_mutex);
            ++m_closed;
        });
        request->registerSignal("Response").onInterface(kRequest).withParameters<std::uint32_t, Options>();
        request->finishRegistration();
        result.returnResults(sdbus::ObjectPath(path));

        Options results;
        if (reply == Reply::Malformed)
            results["uris"] = sdbus::Variant(m_uri);
        else if (!m_uri.empty())
            results["uris"] = sdbus::Variant(std::vector<std::string>{m_uri});
        const std::uint32_t code = m_code;
        lock.unlock();
        switch (reply) {
        case Reply::AnswerLater:
            // Time for the caller to start listening on a path it did not know.
            std::this_thread::sleep_for(300ms);
            [[fallthrough]];
        case Reply::Answer:
        case Reply::Malformed:
            request->emitSignal("Response").onInterface(kRequest).withArguments(code, results);
            break;
        case Reply::Vanish:
            m_bus->releaseName(kPortalName);
            break;
        case Reply::Silent:
            break;
        }
        m_requests.push_back(std::move(request));
    }

    std::unique_ptr<sdbus::IConnection> m_bus;
    std::unique_ptr<sdbus::IObject> m_object;
    std::vector<std::unique_ptr<sdbus::IObject>> m_requests; // the loop thread's only
    std::mutex m_mutex;
    Reply m_reply{Reply::Answer};
    std::uint32_t m_code{0};
    std::string m_uri;
    std::vector<Call> m_calls;
    int m_closed{0};
};

class FixedColor final : public DialogProvider {
public:
    std::optional<std::u16string> ChooseFile(const FileRequest&) override { return std::nullopt; }
    std::optional<COLORREF> ChooseColor(const ColorRequest&) override { return RGB(1, 2, 3); }
};

class PortalTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_bus.Started()); }

    static FileRequest OpenRequest() {
        FileRequest request;
        request.title = u"Import profile";
        request.filters = {{u"Profiles", {u"*.kvx"}}, {u"All files", {u"*"}}};
        request.initialFolder = u"/home/user/Profiles";
        request.initialName = u"ignored.kvx";
        return request;
    }
    // Runs the request; the answer and how long the caller waited.
    std::optional<std::u16string> Choose(const FileRequest& request, std::chrono::milliseconds* waited,
                                         std::chrono::milliseconds timeout = 15min) {
        PortalDialogProvider provider(nullptr, timeout);
        const auto start = std::chrono::steady_clock::now();
        auto chosen = provider.ChooseFile(request);
        *waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        return chosen;
    }

    PrivateBus m_bus;
};

TEST_F(PortalTest, TheRequestCarriesTitleFiltersFolderAndName) {
    FakePortal portal;
    portal.Script(Reply::Answer, 0, "file:///tmp/x.kvx");
    std::chrono::milliseconds waited{};
    ASSERT_TRUE(Choose(OpenRequest(), &waited));
    FileRequest save = OpenRequest();
    save.save = true;
    save.initialName = u"Profil é.kvx";
    ASSERT_TRUE(Choose(save, &waited));

    const std::vector<Call> calls = portal.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].method, "OpenFile");
    EXPECT_EQ(calls[1].method, "SaveFile");
    EXPECT_EQ(calls[0].title, "Import profile");
    for (const Call& call : calls) {
        const auto filters = call.options.at("filters").get<PortalFilters>();
        ASSERT_EQ(filters.size(), 2u);
        EXPECT_EQ(filters[0].get<0>(), "Profiles");
        ASSERT_EQ(filters[0].get<1>().size(), 1u);
        EXPECT_EQ(filters[0].get<1>()[0].get<0>(), 0u) << "a glob pattern";
        EXPECT_EQ(filters[0].get<1>()[0].get<1>(), "*.kvx");
        EXPECT_EQ(filters[1].get<0>(), "All files");
        const std::string folder = "/home/user/Profiles";
        std::vector<std::uint8_t> bytes(folder.begin(), folder.end());
        bytes.push_back(0);
        EXPECT_EQ(call.options.at("current_folder").get<std::vector<std::uint8_t>>(), bytes);
    }
    EXPECT_EQ(calls[0].options.count("current_name"), 0u) << "an open dialog names no file";
    EXPECT_EQ(calls[1].options.at("current_name").get<std::string>(), "Profil \xC3\xA9.kvx");
}

TEST_F(PortalTest, EachKindOfAnswerComesBack) {
    const struct {
        const char* what;
        Reply reply;
        std::uint32_t code;
        std::string uri;
        std::optional<std::u16string> chosen;
    } cases[] = {
        {"a chosen file", Reply::Answer, 0, "file:///tmp/My%20Profiles/b%C3%A9.kvx",
         u"/tmp/My Profiles/bé.kvx"},
        {"cancelled", Reply::Answer, 1, "file:///tmp/x.kvx", std::nullopt},
        {"ended otherwise", Reply::Answer, 2, {}, std::nullopt},
        {"no file chosen", Reply::Answer, 0, {}, std::nullopt},
        {"not a local file", Reply::Answer, 0, "https://example.org/x.kvx", std::nullopt},
        {"on the portal's own path", Reply::AnswerLater, 0, "file:///srv/a.kvx", u"/srv/a.kvx"},
        {"malformed", Reply::Malformed, 0, "file:///tmp/x.kvx", std::nullopt},
    };
    FakePortal portal;
    for (const auto& c : cases) {
        portal.Script(c.reply, c.code, c.uri);
        std::chrono::milliseconds waited{};
        EXPECT_EQ(Choose(OpenRequest(), &waited), c.chosen) << c.what;
        EXPECT_LT(waited, 5s) << c.what;
    }
}

TEST_F(PortalTest, TheWaitEndsWhenThePortalNeverAnswersOrLeaves) {
    FakePortal portal;
    std::chrono::milliseconds waited{};
    portal.Script(Reply::Silent);
    EXPECT_EQ(Choose(OpenRequest(), &waited, 400ms), std::nullopt);
    EXPECT_GE(waited, 400ms);
    EXPECT_LT(waited, 5s);
    // The portal is told to take its forgotten dialog down.
    for (int i = 0; i < 500 && portal.Closed() == 0; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(portal.Closed(), 1);

    portal.Script(Reply::Vanish);
    EXPECT_EQ(Choose(OpenRequest(), &waited), std::nullopt);
    EXPECT_LT(waited, 5s) << "a portal that left will not answer";
}

TEST_F(PortalTest, WithoutAPortalNothingIsChosenAndColoursGoToTheFallback) {
    EXPECT_FALSE(PortalDialogProvider::Available());
    std::chrono::milliseconds waited{};
    EXPECT_EQ(Choose(OpenRequest(), &waited), std::nullopt);
    EXPECT_LT(waited, 5s);
    {
        FakePortal portal;
        EXPECT_TRUE(PortalDialogProvider::Available());
    }
    EXPECT_EQ(PortalDialogProvider(std::make_unique<FixedColor>()).ChooseColor({}), RGB(1, 2, 3));
    EXPECT_EQ(PortalDialogProvider(nullptr).ChooseColor({}), std::nullopt);
}

} // namespace
