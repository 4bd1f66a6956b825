// Marks the few symbols that the host looks up in Nacreen.dlt. On Windows the module definition
// file decides what is exported (with fixed ordinals); elsewhere everything is hidden by default
// and only these are made visible.
#pragma once

#if defined(_WIN32)
#define NACREEN_EXPORT
#else
#define NACREEN_EXPORT __attribute__((visibility("default")))
#endif
