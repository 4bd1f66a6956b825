// Version of the SDK the plug-in is built against: 3ds Max 2025. The product version counts
// releases (27), the year number names them; a build may define any of these beforehand.
#pragma once

#ifndef MAX_VERSION_MAJOR
#define MAX_VERSION_MAJOR 27
#endif
#ifndef MAX_VERSION_MINOR
#define MAX_VERSION_MINOR 0
#endif
#ifndef MAX_VERSION_POINT
#define MAX_VERSION_POINT 0
#endif
#ifndef MAX_PRODUCT_VERSION_MAJOR
#define MAX_PRODUCT_VERSION_MAJOR 27
#endif
#ifndef MAX_PRODUCT_YEAR_NUMBER
#define MAX_PRODUCT_YEAR_NUMBER 2025
#endif
