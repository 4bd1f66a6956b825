// The texts of Nacreen.dlt's string table as the host must read them, indexed by string id:
// ids 1 to 17 exist, ids 0 and 18 do not.
#pragma once

#include <cstddef>

namespace nacreen_test {

constexpr const wchar_t* kNacreenStrings[] = {
    nullptr, // id 0 is not in the table
    L"Nacreen coating Texmap.",
    L"Standard",
    L"Nacreen",
    L"Nacreen Parameters",
    L"ThicknessMin",
    L"ThicknessMax",
    L"nMedium",
    L"nFilm",
    L"nInternal",
    L"ThicknessMap",
    L"UseThicknessMap",
    L"Gamma",
    L"HueShift",
    L"Saturation",
    L"Homepage",
    L"Base Article",
    L"Output",
    nullptr, // nor is id 18
};

constexpr std::size_t kNacreenStringIds = sizeof(kNacreenStrings) / sizeof(kNacreenStrings[0]);

} // namespace nacreen_test
