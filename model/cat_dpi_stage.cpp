#include "model/cat_dpi_stage.h"

bool CCatDPIStage::IsModified() const {
    if (m_current.separateAxes != m_committed.separateAxes) {
        return true;
    }
    switch (m_current.separateAxes) {
    case 0:
        return m_current.dpi != m_committed.dpi;
    case 1:
        return m_current.dpiX != m_committed.dpiX || m_current.dpiY != m_committed.dpiY;
    default:
        return true; // setters store only 0 or 1; anything else never settles
    }
}
