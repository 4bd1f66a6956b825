// Portable reading of compiled Win32 resources (.res files, string blocks, dialog templates).
// Header-only and free of <windows.h>, so that Linux hosts, tests and Windows test programs share
// one parser.
#pragma once

#include "winres/ByteReader.h"
#include "winres/DialogTemplate.h"
#include "winres/ResFile.h"
#include "winres/ResName.h"
#include "winres/StringBlock.h"
#include "winres/Utf16.h"
