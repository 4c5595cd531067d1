// In-process lighting of a profile: the light list, each light, and its colour, brightness
// and effect parts (base queries on the light).
#include "service/local_mouse_object.h"

namespace {

// A light of a profile, by its position in the model's light list.
class LightObject : protected LocalMouseObject {
public:
    LightObject(const LocalContext& context, const plat::GUID& id, uint32_t index)
        : LocalMouseObject(context), m_id(id), m_index(index) {}

protected:
    HRESULT ReadLight(const std::function<HRESULT(const LightMemory&)>& read) const {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            return m_index < profile.lights.size() ? read(profile.lights[m_index]) : E_NOT_FOUND;
        });
    }
    HRESULT ChangeLight(const std::function<void(LightMemory&)>& change) const {
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor&) {
            if (m_index >= profile.lights.size()) {
                return E_NOT_FOUND;
            }
            change(profile.lights[m_index]);
            return S_OK;
        });
    }

    plat::GUID m_id;
    uint32_t m_index;
};

class LocalLightColor : public ILightColor, LightObject {
public:
    using LightObject::LightObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetColor(uint32_t color) override {
        if (color > 0xFFFFFF) {
            return E_INVALIDARG;
        }
        return ChangeLight([color](LightMemory& light) { light.color = color; });
    }
    HRESULT GetColor(uint32_t& color) override {
        return ReadLight([&](const LightMemory& light) {
            color = light.color;
            return S_OK;
        });
    }
};

class LocalLightBrightness : public ILightBrightness, LightObject {
public:
    using LightObject::LightObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetBrightness(uint32_t percent) override {
        if (percent > 100) {
            return E_INVALIDARG;
        }
        return ChangeLight([percent](LightMemory& light) { light.brightness = percent; });
    }
    HRESULT GetBrightness(uint32_t& percent) override {
        return ReadLight([&](const LightMemory& light) {
            percent = light.brightness;
            return S_OK;
        });
    }
};

class LocalLightEffect : public ILightEffect, LightObject {
public:
    using LightObject::LightObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetEffect(uint32_t effect, uint32_t first, uint32_t second) override {
        if (effect > kMaxLightEffect) {
            return E_INVALIDARG;
        }
        return ChangeLight([=](LightMemory& light) {
            light.effect = effect;
            light.effectFirst = first;
            light.effectSecond = second;
        });
    }
    HRESULT GetEffect(uint32_t& effect, uint32_t& first, uint32_t& second) override {
        return ReadLight([&](const LightMemory& light) {
            effect = light.effect;
            first = light.effectFirst;
            second = light.effectSecond;
            return S_OK;
        });
    }
};

class LocalLight : public ILight, LightObject, public std::enable_shared_from_this<LocalLight> {
public:
    using LightObject::LightObject;
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid == ILight::IID) {
            return Offer(shared_from_this(), out);
        }
        if (iid == ILightColor::IID) {
            return Offer(std::make_shared<LocalLightColor>(Context(), m_id, m_index), out);
        }
        if (iid == ILightBrightness::IID) {
            return Offer(std::make_shared<LocalLightBrightness>(Context(), m_id, m_index), out);
        }
        if (iid == ILightEffect::IID) {
            return Offer(std::make_shared<LocalLightEffect>(Context(), m_id, m_index), out);
        }
        return E_NOINTERFACE;
    }
    HRESULT TurnOn() override {
        return ChangeLight([](LightMemory& light) { light.on = true; });
    }
    HRESULT TurnOff() override {
        return ChangeLight([](LightMemory& light) { light.on = false; });
    }
    HRESULT GetState(bool& on) override {
        return ReadLight([&](const LightMemory& light) {
            on = light.on;
            return S_OK;
        });
    }
    HRESULT GetNumber(uint32_t& number) override {
        return ReadLight([&](const LightMemory& light) {
            number = light.number;
            return S_OK;
        });
    }
};

class LocalLighting : public ILighting, LocalMouseObject {
public:
    LocalLighting(const LocalContext& context, const plat::GUID& id) : LocalMouseObject(context), m_id(id) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetLight(uint32_t index, std::shared_ptr<ILight>& light) override {
        light.reset();
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            if (index >= profile.lights.size()) {
                return E_NO_MORE_ITEMS;
            }
            light = std::make_shared<LocalLight>(Context(), m_id, index);
            return S_OK;
        });
    }

private:
    plat::GUID m_id;
};

} // namespace

std::shared_ptr<IServiceObject> MakeLocalProfileLighting(const LocalContext& context, const plat::GUID& id) {
    return std::make_shared<LocalLighting>(context, id);
}
