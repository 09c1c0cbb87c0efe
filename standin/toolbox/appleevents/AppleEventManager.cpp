// The Apple Event Manager: a table of handlers by event class and ID, and
// dispatch of the high-level events the event queue delivers.
#include <AppleEvents.h>

#include <cstring>
#include <vector>

// What an Apple event descriptor made by this layer points to.
struct OpaqueAEDataStorageType {
    AEEventClass eventClass;
    AEEventID eventID;
};

namespace {

struct Handler {
    AEEventClass eventClass;
    AEEventID eventID;
    AEEventHandlerUPP routine;
    long refCon;
    bool system;
};

std::vector<Handler>& handlers()
{
    static std::vector<Handler> table;
    return table;
}

Handler* find(AEEventClass eventClass, AEEventID eventID, bool system)
{
    for (auto& h : handlers()) {
        if (h.eventClass == eventClass && h.eventID == eventID && h.system == system)
            return &h;
    }
    return nullptr;
}

} // namespace

AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerProcPtr userRoutine)
{
    return userRoutine;
}

void DisposeAEEventHandlerUPP(AEEventHandlerUPP)
{
}

OSErr AEInstallEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP handler,
    long handlerRefcon, Boolean isSysHandler)
{
    if (!handler)
        return errAEHandlerNotFound;
    bool system = isSysHandler != 0;
    if (Handler* existing = find(theAEEventClass, theAEEventID, system)) {
        existing->routine = handler;
        existing->refCon = handlerRefcon;
        return noErr;
    }
    handlers().push_back(Handler {theAEEventClass, theAEEventID, handler, handlerRefcon, system});
    return noErr;
}

OSErr AERemoveEventHandler(
    AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP handler, Boolean isSysHandler)
{
    auto& table = handlers();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it->eventClass == theAEEventClass && it->eventID == theAEEventID
            && it->system == (isSysHandler != 0) && (handler == nullptr || it->routine == handler)) {
            table.erase(it);
            return noErr;
        }
    }
    return errAEHandlerNotFound;
}

OSErr AEGetEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP* handler,
    long* handlerRefcon, Boolean isSysHandler)
{
    Handler* h = find(theAEEventClass, theAEEventID, isSysHandler != 0);
    if (!h)
        return errAEHandlerNotFound;
    if (handler)
        *handler = h->routine;
    if (handlerRefcon)
        *handlerRefcon = h->refCon;
    return noErr;
}

OSErr AEProcessAppleEvent(const EventRecord* theEventRecord)
{
    if (!theEventRecord || theEventRecord->what != kHighLevelEvent)
        return errAENotAppleEvent;
    AEEventClass eventClass = AEEventClass(theEventRecord->message);
    AEEventID eventID = (AEEventID(UInt16(theEventRecord->where.v)) << 16) | UInt16(theEventRecord->where.h);
    Handler* h = find(eventClass, eventID, false);
    if (!h)
        h = find(eventClass, eventID, true);
    if (!h)
        return errAEEventNotHandled;

    OpaqueAEDataStorageType data {eventClass, eventID};
    AEDataStorageType dataPointer = &data;
    AppleEvent event {typeAppleEvent, &dataPointer};
    AppleEvent reply {typeNull, nullptr};
    // Copy what the handler needs before the call: it may remove itself.
    AEEventHandlerUPP routine = h->routine;
    long refCon = h->refCon;
    return routine(&event, &reply, refCon);
}

OSErr AEGetAttributePtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword, DescType desiredType,
    DescType* actualType, void* dataPtr, Size maximumSize, Size* actualSize)
{
    if (!theAppleEvent || theAppleEvent->descriptorType != typeAppleEvent || !theAppleEvent->dataHandle)
        return errAENotAppleEvent;
    const OpaqueAEDataStorageType* data = *theAppleEvent->dataHandle;
    FourCharCode value;
    if (theAEKeyword == keyEventClassAttr)
        value = data->eventClass;
    else if (theAEKeyword == keyEventIDAttr)
        value = data->eventID;
    else
        return errAEDescNotFound;
    if (desiredType != typeType && desiredType != typeWildCard)
        return errAECoercionFail;
    if (actualType)
        *actualType = typeType;
    if (actualSize)
        *actualSize = sizeof value;
    if (dataPtr && maximumSize > 0)
        std::memcpy(dataPtr, &value, size_t(maximumSize) < sizeof value ? size_t(maximumSize) : sizeof value);
    return noErr;
}

void AEInitializeDesc(AEDesc* desc)
{
    if (desc) {
        desc->descriptorType = typeNull;
        desc->dataHandle = nullptr;
    }
}

OSErr AEDisposeDesc(AEDesc* theAEDesc)
{
    AEInitializeDesc(theAEDesc);
    return noErr;
}
