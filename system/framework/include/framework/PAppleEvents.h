// Receives the four required Apple events (open application, open
// documents, print documents, quit). The first handler object constructed
// installs the handlers with itself as their reference constant; later ones
// install nothing, and destroying any of them removes the handlers.
#pragma once

#include <AppleEvents.h>

class PAppleEventRequiredSuiteHandler {
public:
    PAppleEventRequiredSuiteHandler();
    virtual ~PAppleEventRequiredSuiteHandler();
    virtual OSErr reqAEOpenApp(const AEDesc* theEvent, AEDesc* reply) = 0;
    virtual OSErr reqAEOpenDocs(const AEDesc* theEvent, AEDesc* reply) = 0;
    virtual OSErr reqAEPrintDocs(const AEDesc* theEvent, AEDesc* reply) = 0;
    virtual OSErr reqAEQuitApp(const AEDesc* theEvent, AEDesc* reply) = 0;

    PAppleEventRequiredSuiteHandler(const PAppleEventRequiredSuiteHandler&) = delete;
    PAppleEventRequiredSuiteHandler& operator=(const PAppleEventRequiredSuiteHandler&) = delete;
};

extern AEEventHandlerUPP _doAEOpenAppProcPtr;
extern AEEventHandlerUPP _doAEOpenDocsProcPtr;
extern AEEventHandlerUPP _doAEPrintDocsProcPtr;
extern AEEventHandlerUPP _doAEQuitAppProcPtr;

// The installed routines: refCon is the handler object.
OSErr _DoAEOpenApp(const AEDesc* theEvent, AEDesc* reply, long refCon);
OSErr _DoAEOpenDocs(const AEDesc* theEvent, AEDesc* reply, long refCon);
OSErr _DoAEPrintDocs(const AEDesc* theEvent, AEDesc* reply, long refCon);
OSErr _DoAEQuitApp(const AEDesc* theEvent, AEDesc* reply, long refCon);
