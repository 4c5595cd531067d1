// The root of the tracked values: a setting that remembers the value last agreed with the
// mouse, so the device writer can send only what changed and the main window can tell
// whether Apply has anything to do.
#pragma once

class CCategory {
public:
    virtual ~CCategory() = default;

    // True when the current value differs from the committed one.
    virtual bool IsModified() const = 0;
    // Makes the committed value equal to the current one. There is no revert: discarding
    // edits means reading the mouse again.
    virtual void Commit() = 0;

protected:
    CCategory() = default;
    CCategory(const CCategory&) = default;
    CCategory(CCategory&&) = default;
    CCategory& operator=(const CCategory&) = default;
    CCategory& operator=(CCategory&&) = default;
};
