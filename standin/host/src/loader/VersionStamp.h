// The SDK version stamp that LibVersion returns, checked against the one this host was built for.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// A library is accepted when it was built for the same release and SDK interface number as the
// host; the SDK revision changes only in binary-compatible ways and is not compared.
bool IsCompatibleVersionStamp(ULONG stamp);

// "0x69784200 (release 27000, API 66, revision 0)".
std::string DescribeVersionStamp(ULONG stamp);

} // namespace standin
