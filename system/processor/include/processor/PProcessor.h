// PProcessor: the one object through which the application and the startup
// item identify the processor and the machine and reach the registers.
//
// PVR, HID1, DefL2CR, the clocks and the machine model are read once, when
// the object is built; L2CR, HID0 and the temperature are read afresh on
// every request, so each call sees changes made by another program. A program
// calls PProcessor::InitPProcessor() once (the startup item only after the
// kernel extension is loaded) and then uses theProcessor; the static
// processorDestroyer deletes it at exit.
#pragma once

#include <MacTypes.h>

class PProcessor {
public:
    static void InitPProcessor();

    ConstStringPtr getName() const { return name; }
    ConstStringPtr getMachineName() const { return machineName; }
    UInt32 getSpeed() const { return speedHz; }
    UInt32 getBusSpeed() const { return busSpeedHz; }
    UInt32 getPVR() const { return pvr; }
    UInt32 getDefaultL2CR() const { return defL2CR; }
    UInt32 getHID1() const { return hid1; }

    UInt32 getTemperature() const; // degrees Celsius; callers show it signed
    UInt32 getL2CR() const;
    UInt32 getHID0() const;
    UInt32 getL2CacheSpeed() const; // hertz; 0 when the cache is off or has no clock

    void setL2CR(UInt32 newL2CR);
    void setHID0Bits(UInt32 bitsToSet);
    void clearHID0Bits(UInt32 bitsToClear);

protected:
    PProcessor();
    virtual ~PProcessor();
    void lookupMachineName();

    ConstStringPtr name; // a constant of the name table, never owned
    UInt32 speedHz;
    UInt32 busSpeedHz;
    UInt32 pvr;
    UInt32 defL2CR;
    UInt32 hid1;
    Str255 machineName;

private:
    friend class PProcessorDestroyer;
    PProcessor(const PProcessor&) = delete;
    PProcessor& operator=(const PProcessor&) = delete;
};

extern PProcessor* theProcessor;

// Deletes theProcessor at program exit.
class PProcessorDestroyer {
public:
    ~PProcessorDestroyer();
};

extern PProcessorDestroyer processorDestroyer;
