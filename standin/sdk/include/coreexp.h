// Export decoration of the SDK libraries (core, geom, maxutil, paramblk2). The stand-in builds
// them as one shared library: on Windows the library exports what the plug-in imports, on Linux
// everything public keeps default visibility.
#pragma once

#if defined(_WIN32)
#if defined(MAX_STANDIN_BUILDING)
#define MAX_STANDIN_EXPORT __declspec(dllexport)
#else
#define MAX_STANDIN_EXPORT __declspec(dllimport)
#endif
#else
#define MAX_STANDIN_EXPORT __attribute__((visibility("default")))
#endif

#define CoreExport MAX_STANDIN_EXPORT
#define UtilExport MAX_STANDIN_EXPORT
#define GeomExport MAX_STANDIN_EXPORT
#define PB2Export MAX_STANDIN_EXPORT
#define DllExport MAX_STANDIN_EXPORT

// Legacy forms the SDK keeps only so that overriding them fails to compile.
#define MAX_SEALED final
#define MAX_DEPRECATED [[deprecated]]
