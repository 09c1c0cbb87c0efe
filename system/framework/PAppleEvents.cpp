#include "framework/PAppleEvents.h"

AEEventHandlerUPP _doAEOpenAppProcPtr = nullptr;
AEEventHandlerUPP _doAEOpenDocsProcPtr = nullptr;
AEEventHandlerUPP _doAEPrintDocsProcPtr = nullptr;
AEEventHandlerUPP _doAEQuitAppProcPtr = nullptr;

namespace {

PAppleEventRequiredSuiteHandler* handlerOf(long refCon)
{
    return reinterpret_cast<PAppleEventRequiredSuiteHandler*>(refCon);
}

} // namespace

OSErr _DoAEOpenApp(const AEDesc* theEvent, AEDesc* reply, long refCon)
{
    return handlerOf(refCon)->reqAEOpenApp(theEvent, reply);
}

OSErr _DoAEOpenDocs(const AEDesc* theEvent, AEDesc* reply, long refCon)
{
    return handlerOf(refCon)->reqAEOpenDocs(theEvent, reply);
}

OSErr _DoAEPrintDocs(const AEDesc* theEvent, AEDesc* reply, long refCon)
{
    return handlerOf(refCon)->reqAEPrintDocs(theEvent, reply);
}

OSErr _DoAEQuitApp(const AEDesc* theEvent, AEDesc* reply, long refCon)
{
    return handlerOf(refCon)->reqAEQuitApp(theEvent, reply);
}

PAppleEventRequiredSuiteHandler::PAppleEventRequiredSuiteHandler()
{
    if (_doAEOpenAppProcPtr)
        return;
    _doAEOpenAppProcPtr = NewAEEventHandlerUPP(_DoAEOpenApp);
    _doAEOpenDocsProcPtr = NewAEEventHandlerUPP(_DoAEOpenDocs);
    _doAEPrintDocsProcPtr = NewAEEventHandlerUPP(_DoAEPrintDocs);
    _doAEQuitAppProcPtr = NewAEEventHandlerUPP(_DoAEQuitApp);
    long refCon = reinterpret_cast<long>(this);
    AEInstallEventHandler(kCoreEventClass, kAEOpenApplication, _doAEOpenAppProcPtr, refCon, false);
    AEInstallEventHandler(kCoreEventClass, kAEOpenDocuments, _doAEOpenDocsProcPtr, refCon, false);
    AEInstallEventHandler(kCoreEventClass, kAEPrintDocuments, _doAEPrintDocsProcPtr, refCon, false);
    AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, _doAEQuitAppProcPtr, refCon, false);
}

PAppleEventRequiredSuiteHandler::~PAppleEventRequiredSuiteHandler()
{
    if (!_doAEOpenAppProcPtr)
        return;
    AERemoveEventHandler(kCoreEventClass, kAEOpenApplication, _doAEOpenAppProcPtr, false);
    AERemoveEventHandler(kCoreEventClass, kAEOpenDocuments, _doAEOpenDocsProcPtr, false);
    AERemoveEventHandler(kCoreEventClass, kAEPrintDocuments, _doAEPrintDocsProcPtr, false);
    AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, _doAEQuitAppProcPtr, false);
    DisposeAEEventHandlerUPP(_doAEOpenAppProcPtr);
    DisposeAEEventHandlerUPP(_doAEOpenDocsProcPtr);
    DisposeAEEventHandlerUPP(_doAEPrintDocsProcPtr);
    DisposeAEEventHandlerUPP(_doAEQuitAppProcPtr);
    _doAEOpenAppProcPtr = nullptr;
    _doAEOpenDocsProcPtr = nullptr;
    _doAEPrintDocsProcPtr = nullptr;
    _doAEQuitAppProcPtr = nullptr;
}
