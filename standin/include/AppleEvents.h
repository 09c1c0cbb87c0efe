// AppleEvents.h: the Apple Event Manager, as far as the required suite goes.
//
// Provided: NewAEEventHandlerUPP, DisposeAEEventHandlerUPP,
// AEInstallEventHandler, AERemoveEventHandler, AEGetEventHandler,
// AEProcessAppleEvent, AEGetAttributePtr (keyEventClassAttr and
// keyEventIDAttr), AEInitializeDesc, AEDisposeDesc.
//
// Simplifications:
// - Events come only from the layer itself: 'aevt'/'oapp' once at launch, and
//   'aevt'/'quit' when the desktop asks the program to end (the window's close
//   button, SIGTERM or SIGINT, or an event script). They carry no parameters.
// - System handlers (isSysHandler true) share one table with application
//   handlers but are looked up only when no application handler matches.
// - The handler's reference constant is a long, wide enough for a pointer.
#pragma once

#include <Events.h>
#include <MacTypes.h>

typedef FourCharCode DescType;
typedef FourCharCode AEKeyword;
typedef FourCharCode AEEventClass;
typedef FourCharCode AEEventID;

struct OpaqueAEDataStorageType;
typedef OpaqueAEDataStorageType* AEDataStorageType;
typedef AEDataStorageType* AEDataStorage;

struct AEDesc {
    DescType descriptorType;
    AEDataStorage dataHandle;
};
typedef AEDesc AppleEvent;
typedef AEDesc AEAddressDesc;

typedef OSErr (*AEEventHandlerProcPtr)(
    const AppleEvent* theAppleEvent, AppleEvent* reply, long handlerRefcon);
typedef AEEventHandlerProcPtr AEEventHandlerUPP;

enum : AEEventClass {
    kCoreEventClass = 'aevt',
};

enum : AEEventID {
    kAEOpenApplication = 'oapp',
    kAEOpenDocuments = 'odoc',
    kAEPrintDocuments = 'pdoc',
    kAEQuitApplication = 'quit',
    kAEReopenApplication = 'rapp',
};

enum : DescType {
    typeNull = 'null',
    typeAppleEvent = 'aevt',
    typeType = 'type',
    typeWildCard = '****',
};

enum : AEKeyword {
    keyEventClassAttr = 'evcl',
    keyEventIDAttr = 'evid',
};

enum : OSErr {
    errAECoercionFail = -1700,
    errAEDescNotFound = -1701,
    errAEEventNotHandled = -1708,
    errAEHandlerNotFound = -1717,
    errAENotAppleEvent = -1707,
};

AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerProcPtr userRoutine);
void DisposeAEEventHandlerUPP(AEEventHandlerUPP userUPP);

// Installs (or replaces) the handler for the class and ID.
OSErr AEInstallEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP handler,
    long handlerRefcon, Boolean isSysHandler);
// Removes the handler for the class and ID if it is `handler`;
// errAEHandlerNotFound otherwise.
OSErr AERemoveEventHandler(
    AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP handler, Boolean isSysHandler);
OSErr AEGetEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID, AEEventHandlerUPP* handler,
    long* handlerRefcon, Boolean isSysHandler);
// Calls the handler installed for the high-level event and returns its
// result; errAEEventNotHandled when there is none; errAENotAppleEvent when
// theEventRecord is not a kHighLevelEvent.
OSErr AEProcessAppleEvent(const EventRecord* theEventRecord);

// Reads the class ('evcl') or ID ('evid') of an event given to a handler, as typeType.
OSErr AEGetAttributePtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword, DescType desiredType,
    DescType* actualType, void* dataPtr, Size maximumSize, Size* actualSize);
void AEInitializeDesc(AEDesc* desc);
OSErr AEDisposeDesc(AEDesc* theAEDesc);
