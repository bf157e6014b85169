#pragma once
// The base of the drawing objects: a wrapper that owns one object of the layer's object table.

#include "platform/gdi/GdiTypes.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; } // NOLINT

    // Takes ownership of the object: the wrapper deletes it when destroyed. FALSE for a null handle
    // or when the wrapper already holds one.
    BOOL Attach(HGDIOBJ object);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    // Deletes the held object (if any). FALSE when there was none.
    BOOL DeleteObject();

    int GetObject(int size, LPVOID out) const;
    DWORD GetObjectType() const;

    // A wrapper for any handle, owned by the layer and never deleting the object; valid for the
    // life of the process. Null for a null handle.
    static CGdiObject* FromHandle(HGDIOBJ object);

protected:
    // Replaces the held object with a new one (deleting the old).
    BOOL TakeNew(HGDIOBJ object);
    bool m_borrowed = false; // a wrapper the layer gives out for a handle: never deletes
    friend class CGdiObjectTable;
};
