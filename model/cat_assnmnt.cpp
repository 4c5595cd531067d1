#include "model/cat_assnmnt.h"

#include <cstring>

bool CCatAssnmnt::IsModified() const {
    return m_current.kind != m_committed.kind ||
           std::memcmp(m_current.payload.data(), m_committed.payload.data(), kAssignmentPayloadSize) != 0;
}
