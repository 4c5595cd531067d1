// Prints, for each mouse model, the configuration a new profile gets: what a user sees in
// the configurator before anything has been read from a mouse.
#include "model/assign_type.h"
#include "model/corvantis_refresh_config.h"
#include "platform/text/utf.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Named {
    int32_t code;
    const char* name;
};

constexpr Named kButtonNames[] = {
    {MB_LEFT, "Left button"},        {MB_RIGHT, "Right button"}, {MB_WHEEL, "Wheel click"},
    {MB_BUTTON4, "Button 4"},        {MB_BUTTON5, "Button 5"},   {MB_CENTER_FRONT, "Centre front"},
    {MB_CENTER_REAR, "Centre rear"}, {MB_SCROLL_UP, "Wheel up"}, {MB_SCROLL_DOWN, "Wheel down"},
};

constexpr Named kKindNames[] = {
    {AT_NONE, "nothing"},
    {AT_CLICK, "click"},
    {AT_MENU, "menu"},
    {AT_UNIVERSAL_SCROLLING, "universal scrolling"},
    {AT_DOUBLE_CLICK, "double-click"},
    {AT_SINGLE_KEY, "single key"},
    {AT_MACRO, "macro"},
    {AT_BUTTON_OFF, "button off"},
    {AT_ON_THE_FLY_SENSITIVITY, "on-the-fly sensitivity"},
    {AT_DPI_STAGE_UP, "DPI stage up"},
    {AT_DPI_STAGE_DOWN, "DPI stage down"},
    {AT_TEMPORARY_DPI, "temporary DPI"},
    {AT_PROFILE, "profile"},
    {AT_BACKWARD, "backward"},
    {AT_FORWARD, "forward"},
    {AT_SCROLL_UP, "scroll up"},
    {AT_SCROLL_DOWN, "scroll down"},
};

template <size_t N> std::string NameOf(const Named (&table)[N], int32_t code) {
    for (const Named& entry : table) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return "code " + std::to_string(code);
}

std::string Utf8(const std::u16string& text) {
    return plat::Utf16ToUtf8(text);
}

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

void PrintStages(IMouseProfile& profile) {
    std::printf("  DPI stages           %u in use, at most %u\n", profile.GetDPIStageCount(),
                profile.GetMaxDPIStages());
    for (int stage = 1; stage <= static_cast<int>(profile.GetMaxDPIStages()); ++stage) {
        const bool active = stage == profile.GetActiveStage();
        if (profile.GetStageSeparateAxes(stage)) {
            std::printf("    %s stage %d  %5u x %u DPI%s\n", active ? "*" : " ", stage,
                        profile.GetStageDPIX(stage), profile.GetStageDPIY(stage),
                        active ? "   (active)" : "");
        } else {
            std::printf("    %s stage %d  %5u DPI%s\n", active ? "*" : " ", stage, profile.GetStageDPI(stage),
                        active ? "   (active)" : "");
        }
    }
    uint32_t min = 0, max = 0, step = 0;
    profile.GetDPIRange(min, max, step);
    std::printf("  DPI range            %u to %u in steps of %u\n", min, max, step);
    std::printf("  Sensitivity          %u DPI, axes %s\n", profile.GetSensitivityDPI(),
                profile.GetSensitivitySeparateAxes() ? "separate" : "joined");
}

void PrintButtons(IMouseProfile& profile) {
    std::printf("  Buttons\n");
    for (const Named& button : kButtonNames) {
        const AssignmentRecord record = profile.GetButtonAssignment(static_cast<tMouseButton>(button.code));
        std::printf("    %-14s kind %2d  %s\n", button.name, record.kind,
                    NameOf(kKindNames, record.kind).c_str());
    }
}

void PrintLights(IMouseProfile& profile) {
    std::printf("  Lights               scroll wheel %s, logo %s\n",
                OnOff(profile.GetLedState(LED_SCROLLWHEEL)), OnOff(profile.GetLedState(LED_LOGO)));
    std::printf("  On-screen display    DPI %s, profile %s\n", OnOff(profile.GetDPIOSD()),
                OnOff(profile.GetProfileOSD()));
}

void PrintMouseWide(const IMouseConfig& config, tCorvantisModel model) {
    std::printf("  Polling rate         index %d (the mouse reports the list of rates)\n",
                config.GetPollingRate());
    std::printf("  Acceleration         %s, level %u (range %u to %u until a mouse reports it)\n",
                OnOff(config.GetAccelerationOn()), config.GetAcceleration(), config.GetAccelerationMin(),
                config.GetAccelerationMax());
    if (model == tCorvantisModel::Refresh) {
        std::printf("  Lift-off             %s, distance %u (range %u to %u)\n",
                    config.GetLiftOffAutomatic() ? "automatic" : "custom", config.GetLiftOffDistance(),
                    config.GetLiftOffMin(), config.GetLiftOffMax());
        std::printf("  Surface calibration  %s\n", OnOff(config.GetSurfaceCalibration()));
    }
}

void PrintModel(const char* title, tCorvantisModel model) {
    // Nothing is saved, so the configuration may point at a folder that does not exist.
    const std::u16string nowhere =
        plat::Utf8ToUtf16((std::filesystem::temp_directory_path() / "kavox-none/").string());
    CCorvantisRefreshConfig config(model, nowhere);
    IMouseConfig& mouse = config;
    IMouseProfile* profile = mouse.CreateProfile(u"Profile1");
    mouse.SetActiveProfile(profile);

    std::printf("%s\n", title);
    std::printf("  Profile name         %s\n", Utf8(profile->GetName()).c_str());
    PrintStages(*profile);
    PrintButtons(*profile);
    PrintLights(*profile);
    PrintMouseWide(mouse, model);
    std::printf("\n");
}

} // namespace

int main() {
    std::printf("Kavox Corvantis: the defaults of a new profile\n\n");
    PrintModel("Refresh model (product id 47)", tCorvantisModel::Refresh);
    PrintModel("Legacy model (product id 23)", tCorvantisModel::Legacy);
    return 0;
}
