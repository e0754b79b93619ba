// The library's check bitmaps, filed as its resources. On Windows the resource script holds them.
#include "CheckBitmaps.h"

#ifndef _WIN32
#include "CheckBitmapData.h"

#include <emu/Resources.h>

namespace {

using check_bitmaps::kCheckImages;
using check_bitmaps::kSmallCheckImages;
constexpr WORD kLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

} // namespace

EMU_RESOURCE(RT_BITMAP, MAKEINTRESOURCEA(IDB_CHECK_IMAGES), kLanguage, kCheckImages.data(),
             kCheckImages.size());
EMU_RESOURCE(RT_BITMAP, MAKEINTRESOURCEA(IDB_CHECK_IMAGES_SMALL), kLanguage, kSmallCheckImages.data(),
             kSmallCheckImages.size());
#endif
