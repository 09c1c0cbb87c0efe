#include "files/FinderInfo.h"

namespace toolbox {

namespace {

UInt32 get32(const FinderInfoBytes& b, size_t at)
{
    return UInt32(b[at]) << 24 | UInt32(b[at + 1]) << 16 | UInt32(b[at + 2]) << 8 | UInt32(b[at + 3]);
}

UInt16 get16(const FinderInfoBytes& b, size_t at)
{
    return UInt16(b[at] << 8 | b[at + 1]);
}

void put32(FinderInfoBytes& b, size_t at, UInt32 v)
{
    b[at] = uint8_t(v >> 24);
    b[at + 1] = uint8_t(v >> 16);
    b[at + 2] = uint8_t(v >> 8);
    b[at + 3] = uint8_t(v);
}

void put16(FinderInfoBytes& b, size_t at, UInt16 v)
{
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v);
}

} // namespace

FInfo decodeFInfo(const FinderInfoBytes& b)
{
    FInfo info {};
    info.fdType = get32(b, 0);
    info.fdCreator = get32(b, 4);
    info.fdFlags = get16(b, 8);
    info.fdLocation.v = SInt16(get16(b, 10));
    info.fdLocation.h = SInt16(get16(b, 12));
    info.fdFldr = SInt16(get16(b, 14));
    return info;
}

FXInfo decodeFXInfo(const FinderInfoBytes& b)
{
    FXInfo info {};
    info.fdIconID = SInt16(get16(b, 16));
    for (int i = 0; i < 3; ++i)
        info.fdReserved[i] = SInt16(get16(b, size_t(18 + 2 * i)));
    info.fdScript = SInt8(b[24]);
    info.fdXFlags = SInt8(b[25]);
    info.fdComment = SInt16(get16(b, 26));
    info.fdPutAway = SInt32(get32(b, 28));
    return info;
}

void encodeFInfo(const FInfo& info, FinderInfoBytes& b)
{
    put32(b, 0, info.fdType);
    put32(b, 4, info.fdCreator);
    put16(b, 8, info.fdFlags);
    put16(b, 10, UInt16(info.fdLocation.v));
    put16(b, 12, UInt16(info.fdLocation.h));
    put16(b, 14, UInt16(info.fdFldr));
}

} // namespace toolbox
