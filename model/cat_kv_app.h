// The tracked value of one application record, which lives in the configuration's list.
#pragma once

#include "model/category.h"
#include "model/kv_app.h"

class CCatKvApp : public CCategory {
public:
    explicit CCatKvApp(CKvApp* live) : m_live(live) {}

    CKvApp* Get() const { return m_live; }

    // Names compare with letter case: "App.exe" and "app.exe" are different records.
    bool IsModified() const override {
        return !(m_live->profileGuid == m_saved.profileGuid) || m_live->name != m_saved.name;
    }
    void Commit() override { m_saved = *m_live; }

private:
    CKvApp* m_live;
    CKvApp m_saved;
};
