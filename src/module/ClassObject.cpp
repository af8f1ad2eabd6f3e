#include "module/ClassObject.h"

namespace Nerolith {
namespace {

ClassObject*& ListHead()
{
    static ClassObject* head = nullptr;
    return head;
}

} // namespace

ClassObject::ClassObject() : next_(ListHead()) { ListHead() = this; }

ClassObject::~ClassObject()
{
    for (ClassObject** link = &ListHead(); *link != nullptr; link = &(*link)->next_) {
        if (*link == this) {
            *link = next_;
            break;
        }
    }
}

ClassObject* ClassObject::Head() { return ListHead(); }

} // namespace Nerolith
