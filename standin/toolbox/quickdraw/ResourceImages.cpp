// GetPicture and GetCIcon: the resource's bytes through the decoders. The
// resource itself stays with the Resource Manager; callers own what these
// return (KillPicture, DisposeCIcon).
#include "quickdraw/PictureData.h"

#include <MacMemory.h>
#include <Resources.h>

namespace {

template<typename Result, typename Decode> Result fromResource(ResType type, short id, Decode decode)
{
    Handle h = GetResource(type, id);
    if (!h || !*h)
        return nullptr;
    return decode(*h, size_t(GetHandleSize(h)));
}

} // namespace

PicHandle GetPicture(short pictureID)
{
    return fromResource<PicHandle>('PICT', pictureID, toolbox::pictureFromBytes);
}

CIconHandle GetCIcon(short iconID)
{
    return fromResource<CIconHandle>('cicn', iconID, toolbox::cIconFromBytes);
}
