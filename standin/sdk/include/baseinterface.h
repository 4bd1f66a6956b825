// Interface identity and the interface-server base of every SDK object.
#pragma once

#include "maxtypes.h"

class Interface_ID : public MaxHeapOperators {
    ulong a = 0xffffffff;
    ulong b = 0xffffffff;

public:
    constexpr Interface_ID() = default;
    constexpr Interface_ID(ulong aa, ulong bb) : a(aa), b(bb) {}
    ulong PartA() const { return a; }
    ulong PartB() const { return b; }
    bool operator==(const Interface_ID& id) const { return a == id.a && b == id.b; }
    bool operator!=(const Interface_ID& id) const { return !(*this == id); }
};

class BaseInterface;

class CoreExport InterfaceServer : public MaxHeapOperators {
public:
    virtual ~InterfaceServer();
    // Objects of this stand-in publish no extension interfaces.
    virtual BaseInterface* GetInterface(Interface_ID id);
    template <class InterfaceType> InterfaceType* GetTypedInterface() {
        return static_cast<InterfaceType*>(GetInterface(InterfaceType::ID));
    }
};

class CoreExport BaseInterface : public InterfaceServer {
public:
    virtual Interface_ID GetID() { return Interface_ID(0, 0); }
    virtual void DeleteInterface() {}
};

class CoreExport BaseInterfaceServer : public InterfaceServer {
public:
    BaseInterface* GetInterface(Interface_ID id) override;
};
