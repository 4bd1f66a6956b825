// Version of the SDK the plug-in is built against: 3ds Max 2025.
#pragma once

#define MAX_VERSION_MAJOR 27
#define MAX_VERSION_MINOR 0
#define MAX_VERSION_POINT 0
#define MAX_PRODUCT_YEAR_NUMBER 2025
#define MAX_PRODUCT_VERSION_MAJOR 2025
