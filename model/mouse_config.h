// The mouse-wide settings of a mouse with a sensor: the polling-rate list and the chosen
// rate, acceleration, lift-off distance and surface calibration.
#pragma once

#include "model/base_config.h"

#include <map>

template <typename T> class CMouseConfig : public CBaseConfig<T> {
public:
    // The device reports at most this many polling rates.
    static constexpr int kMaxPollingRates = 5;

    void SetAccelerationRange(uint32_t min, uint32_t max) override;
    void SetAccelerationOn(bool on) override;
    bool GetAccelerationOn() const override { return m_catAccelerationOn.Get(); }
    void SetAcceleration(uint32_t level) override;
    uint32_t GetAcceleration() const override { return m_catAcceleration.Get(); }
    uint32_t GetAccelerationMin() const override { return m_accelerationMin; }
    uint32_t GetAccelerationMax() const override { return m_accelerationMax; }

    // Keeps the first five rates; rates stored earlier under higher indexes stay readable
    // by index but are no longer counted.
    void SetPollingRates(const std::vector<uint32_t>& rates) override;
    int GetPollingRateCount() const override { return m_pollingRateCount; }
    uint32_t GetPollingRateValue(int index) const override;
    void SetPollingRate(tPollingRate rate, int unused) override;
    tPollingRate GetPollingRate() const override { return m_catPollingRate.Get(); }

    void SetLiftOffRange(uint32_t min, uint32_t max) override;
    uint32_t GetLiftOffMin() const override { return m_liftOffMin; }
    uint32_t GetLiftOffMax() const override { return m_liftOffMax; }
    void SetLiftOffDistance(uint32_t distance) override;
    uint32_t GetLiftOffDistance() const override { return m_catLiftOffDistance.Get(); }
    void SetLiftOffAutomatic(bool on) override;
    bool GetLiftOffAutomatic() const override { return m_catLiftOffAutomatic.Get(); }
    void SetSurfaceCalibration(bool on) override;
    bool GetSurfaceCalibration() const override { return m_catSurfaceCalibration.Get(); }

    void Reserved65(int, int) override {}
    bool Reserved66() const override { return false; }
    void Reserved67(int, int) override {}
    bool Reserved68() const override { return false; }
    int Reserved134() const override { return 0; }
    int Reserved135() const override { return 0; }
    int Reserved136() const override { return 0; }
    int Reserved137() const override { return 0; }
    int Reserved138() const override { return 0; }
    int Reserved139() const override { return 0; }
    int Reserved144() const override { return 0; }
    int Reserved145() const override { return 0; }

protected:
    CMouseConfig();

private:
    std::map<int, uint32_t> m_pollingRates;
    int m_pollingRateCount = 0;
    tPollingRate m_pollingRate = -1;
    CCatPollingRate m_catPollingRate;

    uint32_t m_accelerationMin = 0;
    uint32_t m_accelerationMax = 0;
    uint32_t m_acceleration = 0;
    CCatUInt m_catAcceleration;
    bool m_accelerationOn = false;
    CCatBool m_catAccelerationOn;

    uint32_t m_liftOffMin = 0;
    uint32_t m_liftOffMax = 100;
    uint32_t m_liftOffDistance = 0;
    CCatUInt m_catLiftOffDistance;
    bool m_liftOffAutomatic = false;
    CCatBool m_catLiftOffAutomatic;
    bool m_surfaceCalibration = false;
    CCatBool m_catSurfaceCalibration;
};

extern template class CMouseConfig<CCorvantisRefreshProfile>;
