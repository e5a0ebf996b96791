#include "render/CacheInfo.h"

#include "render/Color.h"

namespace lw::render {

TsCacheInfo BgRequestToCacheInfo(const TsBgRequest& request) {
    if (request.Kind == 2 && request.Bitmap != nullptr)
        return CacheInfoFromBitmap(*request.Bitmap, request.OffsetX, request.OffsetY);
    return CacheInfoFromColor(ResolveColor(request.Color));
}

}  // namespace lw::render
