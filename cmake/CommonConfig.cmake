# Compile settings every target of the project shares, carried by one INTERFACE target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_AUTOMOC ON)

add_library(tellwick_options INTERFACE)
target_compile_options(tellwick_options INTERFACE
    -Wall -Wextra -pedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast -Wcast-qual
    $<$<BOOL:${TELLWICK_WERROR}>:-Werror>)
target_compile_definitions(tellwick_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
target_include_directories(tellwick_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(TELLWICK_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(tellwick_options INTERFACE ${_san})
    target_link_options(tellwick_options INTERFACE ${_san})
endif()
if(TELLWICK_BUILD_FUZZ)
    # Coverage feedback for the fuzzers must reach the libraries they call into.
    target_compile_options(tellwick_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
