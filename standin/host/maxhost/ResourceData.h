// Portable reading of compiled Win32 resources (.res files, string blocks, dialog templates).
// Header-only and free of <windows.h>, so that Linux hosts, tests and Windows test programs share
// one parser.
#pragma once

#include "res/ByteReader.h"
#include "res/DialogTemplate.h"
#include "res/ResFile.h"
#include "res/ResName.h"
#include "res/StringBlock.h"
#include "res/Utf16.h"
