// What a read or a write does after a failed step: later steps are skipped, but every
// profile is still visited, reported and committed.
#include "faulty_service.h"
#include "mouse_fixture.h"

#include "device/progress_messenger.h"

TEST_F(MouseTest, ReadFailingInTheFirstProfileStillVisitsTheOthers) {
    auto config = NewConfig();
    CMouse prepare(Entry(kProductRefresh), Factory());
    ASSERT_TRUE(prepare.Initialize(config.get()));
    // Preparing reads the DPI limits, so only the read goes through the faulty service.
    CMouse mouse(Entry(kProductRefresh), FaultyFactory(Factory(), {IDpi::IID, {0}}));
    config->SetAcceleration(3); // pending, to prove the final commit

    EXPECT_FALSE(mouse.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_FALSE(Ifc(*config).IsAnyModified());
    // Profiles after the failure keep their prepared defaults: their steps were skipped.
    EXPECT_NE(config->GetDPIStageCount(config->GetProfile(1)), 3u);
}

TEST_F(MouseTest, LegacyDpiFailureDoesNotStopTheProfileWrite) {
    std::string serial;
    ASSERT_EQ(m_emulator->Unplug(m_emulator->AttachedSerials().at(0)), S_OK);
    ASSERT_EQ(m_emulator->Plug(kProductLegacy, serial), S_OK);
    auto config = NewConfig();
    auto prepared = ReadMouse(*config, kProductLegacy);
    CMouse mouse(Entry(kProductLegacy), FaultyFactory(Factory(), {IDpi::IID, {0, 1, 2}}));
    IMouseProfile* first = config->GetProfile(0);
    config->SetDPIStageCount(2, first);
    config->SetLedColour(LED_LOGO, 0x00ABCDEF, first);
    ASSERT_TRUE(WriteAndWait(mouse, *config));

    auto fresh = NewConfig();
    CMouse reader(Entry(kProductLegacy), Factory());
    ASSERT_TRUE(reader.Initialize(fresh.get()));
    ASSERT_TRUE(reader.Transfer(fresh.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(fresh->GetLedColour(LED_LOGO, fresh->GetProfile(0)), 0x00ABCDEFu);
}

TEST_F(MouseTest, MacroWithUnreadableEventsIsDroppedFromImportAndRead) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    CMacro* macro = config->AddMacro(u"Saved");
    macro->SetEvents({{MET_DELAY, 25, 0}});
    ASSERT_TRUE(WriteAndWait(*mouse, *config));
    const std::u16string path = plat_u16(m_folder.Path() + "/saved.kvm");
    ASSERT_TRUE(mouse->ExportMacro(path, macro));
    config->RemoveMacro(macro);

    CMouse faulty(Entry(kProductRefresh), FaultyFactory(Factory(), {IDpi::IID, {}, true}));
    EXPECT_FALSE(faulty.ImportMacro(path, config.get()));
    EXPECT_EQ(config->FindMacroByName(u"Saved"), nullptr);

    EXPECT_FALSE(faulty.Transfer(config.get(), kTransferRead, MASK_MACROS));
    EXPECT_EQ(config->GetMacroCount(), 0);
}
