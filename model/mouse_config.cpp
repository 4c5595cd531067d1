#include "model/mouse_config.h"

#include "model/category_id.h"
#include "model/corvantis_refresh_profile.h"

#include "model/range_clamp.h"

#include <algorithm>

template <typename T> CMouseConfig<T>::CMouseConfig() {
    this->Register(CAT_ACCELERATION, &m_catAcceleration);
    this->Register(CAT_ACCELERATION_ON, &m_catAccelerationOn);
    this->Register(CAT_POLLING_RATE, &m_catPollingRate);
    this->Register(CAT_LIFT_OFF_DISTANCE, &m_catLiftOffDistance);
    this->Register(CAT_LIFT_OFF_AUTOMATIC, &m_catLiftOffAutomatic);
    this->Register(CAT_SURFACE_CALIBRATION, &m_catSurfaceCalibration);
}

template <typename T> void CMouseConfig<T>::SetAccelerationRange(uint32_t min, uint32_t max) {
    m_accelerationMin = min;
    m_accelerationMax = max;
}

template <typename T> void CMouseConfig<T>::SetAccelerationOn(bool on) {
    m_accelerationOn = on;
    m_catAccelerationOn.Set(on);
}

template <typename T> void CMouseConfig<T>::SetAcceleration(uint32_t level) {
    m_acceleration = ClampToRange(level, m_accelerationMin, m_accelerationMax);
    m_catAcceleration.Set(m_acceleration);
}

template <typename T> void CMouseConfig<T>::SetPollingRates(const std::vector<uint32_t>& rates) {
    m_pollingRateCount = static_cast<int>(std::min<size_t>(rates.size(), kMaxPollingRates));
    for (int i = 0; i < m_pollingRateCount; ++i) {
        m_pollingRates[i] = rates[static_cast<size_t>(i)];
    }
}

template <typename T> uint32_t CMouseConfig<T>::GetPollingRateValue(int index) const {
    const auto it = m_pollingRates.find(index);
    return it == m_pollingRates.end() ? 0 : it->second;
}

template <typename T> void CMouseConfig<T>::SetPollingRate(tPollingRate rate, int /*unused*/) {
    m_pollingRate = rate;
    m_catPollingRate.Set(rate);
}

template <typename T> void CMouseConfig<T>::SetLiftOffRange(uint32_t min, uint32_t max) {
    m_liftOffMin = min;
    m_liftOffMax = max;
}

template <typename T> void CMouseConfig<T>::SetLiftOffDistance(uint32_t distance) {
    m_liftOffDistance = ClampToRange(distance, m_liftOffMin, m_liftOffMax);
    m_catLiftOffDistance.Set(m_liftOffDistance);
}

template <typename T> void CMouseConfig<T>::SetLiftOffAutomatic(bool on) {
    m_liftOffAutomatic = on;
    m_catLiftOffAutomatic.Set(on);
}

template <typename T> void CMouseConfig<T>::SetSurfaceCalibration(bool on) {
    m_surfaceCalibration = on;
    m_catSurfaceCalibration.Set(on);
}

template class CMouseConfig<CCorvantisRefreshProfile>;
