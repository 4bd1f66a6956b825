// Export decoration of the host library's API (max_standin_host).
#pragma once

#if defined(_WIN32)
#if defined(MAXHOST_BUILDING)
#define MAXHOST_API __declspec(dllexport)
#else
#define MAXHOST_API __declspec(dllimport)
#endif
#else
#define MAXHOST_API __attribute__((visibility("default")))
#endif
