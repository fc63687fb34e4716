#pragma once

// Root of the program's class tree. It only gives every object a virtual
// destructor, so an owning pointer to a base deletes the whole object.
class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;
};
