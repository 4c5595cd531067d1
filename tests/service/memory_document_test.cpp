// The stored document and the profile and macro files: round trips, and refusal of
// anything the mouse could not hold.
#include "service/event_block.h"
#include "service/factory_state.h"
#include "service/memory_document.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>

namespace {

const ModelDescriptor& Refresh() {
    return *FindModel(kProductRefresh);
}
const ModelDescriptor& Legacy() {
    return *FindModel(kProductLegacy);
}

MouseMemory SampleMemory() {
    MouseMemory memory = MakeFactoryMemory(Refresh());
    memory.profiles[1].name = u"Spiel \u00fc";
    memory.profiles[1].application = u"/usr/bin/game";
    memory.profiles[1].stages = {{800, 1600}};
    memory.profiles[1].activeStage = 0;
    memory.macros.push_back(
        {plat::GUID{1, 2, 3, {4}}, u"Copy", {0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 5, 0, 0, 0}});
    memory.accelerationOn = true;
    memory.pollingInterval = kInterval125Hz;
    return memory;
}

TEST(MemoryDocument, RoundTripsEveryField) {
    const MouseMemory memory = SampleMemory();
    MouseMemory read;
    ASSERT_TRUE(MemoryFromText(MemoryToText(memory, Refresh()), Refresh(), read));
    EXPECT_EQ(read, memory);
}

TEST(MemoryDocument, RefusesDocumentsTheMouseCouldNotHold) {
    using Edit = std::function<void(nlohmann::json&)>;
    const struct {
        const char* name;
        Edit edit;
    } cases[] = {
        {"another format", [](nlohmann::json& d) { d["format"] = "kavox-profile"; }},
        {"a newer version", [](nlohmann::json& d) { d["version"] = 2; }},
        {"another product", [](nlohmann::json& d) { d["productId"] = 23; }},
        {"stage above the range",
         [](nlohmann::json& d) {
             d["profiles"][0]["stages"][0] = {6500, 6500};
         }},
        {"stage off the step",
         [](nlohmann::json& d) {
             d["profiles"][0]["stages"][0] = {850, 850};
         }},
        {"negative number", [](nlohmann::json& d) { d["pollingInterval"] = -1; }},
        {"unknown polling code", [](nlohmann::json& d) { d["pollingInterval"] = 3; }},
        {"active profile not held",
         [](nlohmann::json& d) { d["activeProfile"] = "{00000000-0000-0000-0000-000000000009}"; }},
        {"duplicate profile ids", [](nlohmann::json& d) { d["profiles"][1]["id"] = d["profiles"][0]["id"]; }},
        {"no profiles", [](nlohmann::json& d) { d["profiles"] = nlohmann::json::array(); }},
        {"function of the wrong length",
         [](nlohmann::json& d) { d["profiles"][0]["functions"][0] = "0100"; }},
        {"function not hex",
         [](nlohmann::json& d) { d["profiles"][0]["functions"][0] = std::string(64, 'z'); }},
        {"missing light", [](nlohmann::json& d) { d["profiles"][0]["lights"].erase(0); }},
        {"brightness above 100",
         [](nlohmann::json& d) { d["profiles"][0]["lights"][0]["brightness"] = 101; }},
        {"broken macro block", [](nlohmann::json& d) { d["macros"][0]["events"] = "0000000002000000"; }},
        {"empty profile name", [](nlohmann::json& d) { d["profiles"][0]["name"] = ""; }},
        {"name of the wrong type", [](nlohmann::json& d) { d["profiles"][0]["name"] = 5; }},
    };
    const std::string good = MemoryToText(SampleMemory(), Refresh());
    for (const auto& c : cases) {
        nlohmann::json document = nlohmann::json::parse(good);
        c.edit(document);
        MouseMemory read;
        EXPECT_FALSE(MemoryFromText(document.dump(), Refresh(), read)) << c.name;
    }
    MouseMemory read;
    EXPECT_FALSE(MemoryFromText(good.substr(0, good.size() / 2), Refresh(), read)) << "truncated";
    EXPECT_FALSE(MemoryFromText("\xff\xfe", Refresh(), read)) << "not text";
}

TEST(ProfileFile, RoundTripsWithoutItsIdentity) {
    const ProfileMemory profile = SampleMemory().profiles[1];
    ProfileMemory read;
    ASSERT_TRUE(ParseProfileFile(ProfileFileText(profile, Refresh()), Refresh(), read));
    EXPECT_TRUE(read.id.IsNull());
    read.id = profile.id;
    EXPECT_EQ(read, profile);
}

TEST(ProfileFile, RefusesStagesOutsideTheImportingModel) {
    ProfileMemory profile = MakeFactoryProfile(Refresh(), u"Fast");
    profile.stages = {{6400, 6400}};
    profile.activeStage = 0;
    ProfileMemory read;
    EXPECT_TRUE(ParseProfileFile(ProfileFileText(profile, Refresh()), Refresh(), read));
    EXPECT_FALSE(ParseProfileFile(ProfileFileText(profile, Refresh()), Legacy(), read));
}

TEST(MacroFile, RoundTripsAndRefusesOtherFiles) {
    const MacroMemory macro = SampleMemory().macros[0];
    MacroMemory read;
    ASSERT_TRUE(ParseMacroFile(MacroFileText(macro), read));
    EXPECT_EQ(read.name, macro.name);
    EXPECT_EQ(read.events, macro.events);
    EXPECT_FALSE(ParseMacroFile(ProfileFileText(SampleMemory().profiles[0], Refresh()), read));
    EXPECT_FALSE(ParseMacroFile("{}", read));
}

} // namespace
