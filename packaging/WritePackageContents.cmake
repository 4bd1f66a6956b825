# Writes <bundle_dir>/PackageContents.xml from <template>, with one component for each
# Contents/<year>/Nacreen.dlt the bundle holds and, if Contents/OSL holds shaders, an OSL folder
# component. Run at install time, after the bundle's files are in place; needs bundle_dir, version
# and template.
#
# 3ds Max loads a library only into the releases from its component's SeriesMin to SeriesMax, and
# since 3ds Max 2021 no longer into a later release that is binary compatible: each library names
# its own year as both. The OSL shaders are source code, tied to no SDK, so they have no upper
# bound.
file(GLOB years RELATIVE ${bundle_dir}/Contents ${bundle_dir}/Contents/*/Nacreen.dlt)
list(TRANSFORM years REPLACE "/Nacreen.dlt$" "")
list(FILTER years INCLUDE REGEX "^[0-9][0-9][0-9][0-9]$")
list(SORT years)

set(components "")
foreach(year ${years})
    string(APPEND components
        "  <Components Description=\"plugins parts\">\n"
        "    <RuntimeRequirements OS=\"Win64\" Platform=\"3ds Max\" SeriesMin=\"${year}\" SeriesMax=\"${year}\" />\n"
        "    <ComponentEntry\n"
        "        AppName=\"Nacreen\"\n"
        "        Version=\"${version}\"\n"
        "        ModuleName=\"./Contents/${year}/Nacreen.dlt\"\n"
        "        AppDescription=\"Nacreen coating Texmap for 3ds Max ${year}.\" />\n"
        "  </Components>\n")
endforeach()

file(GLOB shaders ${bundle_dir}/Contents/OSL/*.osl)
if(shaders)
    set(first_year 2024)
    if(years)
        list(GET years 0 first_year)
    endif()
    string(APPEND components
        "  <Components Description=\"osl folder parts\">\n"
        "    <RuntimeRequirements OS=\"Win64\" Platform=\"3ds Max\" SeriesMin=\"${first_year}\" />\n"
        "    <ComponentEntry\n"
        "        AppName=\"Nacreen OSL\"\n"
        "        Version=\"${version}\"\n"
        "        ModuleName=\"./Contents/OSL\"\n"
        "        AppDescription=\"Nacreen as an OSL shader, for the OSL Map.\" />\n"
        "  </Components>\n")
endif()

list(JOIN years ", " listed)
message(STATUS "Writing ${bundle_dir}/PackageContents.xml: Nacreen.dlt for 3ds Max ${listed}")
configure_file(${template} ${bundle_dir}/PackageContents.xml @ONLY)
