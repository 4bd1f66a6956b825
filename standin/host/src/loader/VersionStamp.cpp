#include "VersionStamp.h"

#include <plugapi.h>

#include <cstdio>

namespace standin {

bool IsCompatibleVersionStamp(ULONG stamp) {
    const ULONG host = VERSION_3DSMAX;
    return GET_MAX_RELEASE(stamp) == GET_MAX_RELEASE(host) &&
           GET_MAX_API_NUM(stamp) == GET_MAX_API_NUM(host);
}

std::string DescribeVersionStamp(ULONG stamp) {
    char text[96];
    std::snprintf(text, sizeof text, "0x%08lX (release %lu, API %lu, revision %lu)",
                  static_cast<unsigned long>(stamp),
                  static_cast<unsigned long>(GET_MAX_RELEASE(stamp)),
                  static_cast<unsigned long>(GET_MAX_API_NUM(stamp)),
                  static_cast<unsigned long>(GET_MAX_SDK_REV(stamp)));
    return text;
}

} // namespace standin
