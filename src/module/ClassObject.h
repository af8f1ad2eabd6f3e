#pragma once

#include "host/IClassRegistrar.h"

namespace Nerolith {

// A class object that is a static of the module. Each joins one module-wide
// singly linked list as it is constructed (the newest at the head), and the
// entry point registers the list from head to tail.
class ClassObject {
public:
    ClassObject();
    virtual ~ClassObject();
    ClassObject(const ClassObject&) = delete;
    ClassObject& operator=(const ClassObject&) = delete;

    virtual Host::ClassRegistration Registration() = 0;

    ClassObject* Next() const { return next_; }
    static ClassObject* Head();

private:
    ClassObject* next_;
};

} // namespace Nerolith
