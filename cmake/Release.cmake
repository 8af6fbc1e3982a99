# The project's version is the one version source: the newest release in the metainfo and the
# newest entry of debian/changelog must name it. TELLWICK_RELEASE_DATE is that release's date.
set(_metainfo_file ${PROJECT_SOURCE_DIR}/src/resources/desktop/org.orvosoft.Tellwick.metainfo.xml)
file(READ ${_metainfo_file} _metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\" date=\"([^\"]*)\"" _ "${_metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest release in ${_metainfo_file} is \"${CMAKE_MATCH_1}\", the "
        "project's version ${PROJECT_VERSION}: add a <release> for it.")
endif()
set(TELLWICK_RELEASE_DATE ${CMAKE_MATCH_2})

set(_changelog_file ${PROJECT_SOURCE_DIR}/debian/changelog)
if(EXISTS ${_changelog_file})
    file(STRINGS ${_changelog_file} _entry LIMIT_COUNT 1)
    string(REGEX MATCH "^tellwick \\(([^-)]*)" _ "${_entry}")
    if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "The newest entry of ${_changelog_file} is for \"${CMAKE_MATCH_1}\", "
            "the project's version ${PROJECT_VERSION}: add an entry for it (dch -v).")
    endif()
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_metainfo_file} ${_changelog_file})
