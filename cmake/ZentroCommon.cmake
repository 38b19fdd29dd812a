# One interface target that every target of the project links: warnings,
# strict Qt defines and the sanitizer switch live here and nowhere else.
add_library(zentro_options INTERFACE)
target_compile_options(zentro_options INTERFACE -Wall -Wextra)
target_compile_definitions(zentro_options INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_UP_TO=0x060000)
if(ZENTRO_SANITIZE)
    target_compile_options(zentro_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(zentro_options INTERFACE -fsanitize=address,undefined)
endif()

# The Qt headers nearly every file includes, compiled once for the whole
# build: the libraries and tests that use widgets reuse this one
# precompiled header. Its flags are the ones they all share;
# should a target's differ, the compiler reads the headers as usual (and
# -Winvalid-pch says so).
option(ZENTRO_PCH "Precompile the common Qt headers once for every target" ON)
if(ZENTRO_PCH AND NOT ZENTRO_FUZZ)
    find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
    add_library(zentro_pch OBJECT ${PROJECT_SOURCE_DIR}/cmake/pch.cpp)
    target_link_libraries(zentro_pch PRIVATE zentro_options Qt6::Widgets)
    target_precompile_headers(zentro_pch PRIVATE
        <QAction> <QApplication> <QComboBox> <QEvent> <QImage> <QLabel> <QLineEdit> <QList>
        <QMenu> <QMouseEvent> <QObject> <QPainter> <QPointer> <QString> <QStringList> <QTimer>
        <QToolButton> <QVariant> <QWidget>)
endif()
function(zentro_use_pch name)
    if(TARGET zentro_pch)
        target_precompile_headers(${name} REUSE_FROM zentro_pch)
    endif()
endfunction()

# zentro_add_library(<name> [SOURCES ...] [PUBLIC ...] [PRIVATE ...])
# A static library of one layer or component. It links only the layers
# below it (scripts/check-layers holds the includes to the same order):
# PUBLIC what its public headers need, PRIVATE the rest. Sources may also
# be added later with target_sources (the windows library gathers its
# folders that way).
function(zentro_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC zentro_options ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    # The layout file and the emoticons' addresses are Qt Core alone.
    if(NOT name MATCHES "^zentro_(layoutfile|resaddress)$")
        zentro_use_pch(${name})
    endif()
endfunction()

# zentro_add_test(<name> LABEL unit|widget|webengine|e2e SOURCES ... LIBS ...
#                 [PLATFORM offscreen|xvfb] [TIMEOUT s])
# One Qt Test executable per subject. Widget tests default to the offscreen
# platform; X-level tests (xvfb) run one at a time because they share the
# display and the pointer.
function(zentro_add_test name)
    cmake_parse_arguments(ARG "" "LABEL;PLATFORM;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    target_link_libraries(${name} PRIVATE zentro_options Qt6::Test ${ARG_LIBS})
    if(ARG_LIBS MATCHES "zentro_(windows|htmlview|commandbars|popup|controls|base)")
        zentro_use_pch(${name})
    endif()
    # A test that holds HTML views links the engine's library, which the
    # program itself only loads when its first view starts.
    if("zentro_windows" IN_LIST ARG_LIBS OR "zentro_htmlview" IN_LIST ARG_LIBS)
        target_link_libraries(${name} PRIVATE zentro_htmlengine)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_PLATFORM)
        set(ARG_PLATFORM offscreen)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set(env
        "QTWEBENGINE_DISABLE_SANDBOX=1"
        "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --disable-dev-shm-usage"
        "ZENTRO_BINARY=$<TARGET_FILE:zentro>"
        # The HTML engine's own library frees some of its objects with a
        # sized delete of a base type: not ours to fix, so not reported.
        "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:new_delete_type_mismatch=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        "LANG=C.UTF-8")
    if(ARG_PLATFORM STREQUAL "offscreen")
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    else()
        list(APPEND env "QT_QPA_PLATFORM=xcb")
        set_property(TEST ${name} PROPERTY RESOURCE_LOCK xdisplay)
    endif()
    set_property(TEST ${name} PROPERTY ENVIRONMENT "${env}")
    set_property(TEST ${name} PROPERTY LABELS ${ARG_LABEL})
    set_property(TEST ${name} PROPERTY TIMEOUT ${ARG_TIMEOUT})
    # A step that cannot run here says so with QSKIP: ctest then reports
    # the test as skipped, with the reason in its output, and the summary of
    # a run lists it.
    set_property(TEST ${name} PROPERTY SKIP_REGULAR_EXPRESSION "SKIP   : ")
endfunction()

# zentro_add_desktop_test(<test> <desktop>)
# Runs <test> again as <test>@<desktop> on a display of its own that
# tests/e2e/desktop starts and stops (a window manager, a Wayland
# compositor, several monitors, a scale of 2).
function(zentro_add_desktop_test test desktop)
    get_test_property(${test} ENVIRONMENT env)
    get_test_property(${test} LABELS labels)
    add_test(NAME ${test}@${desktop}
        COMMAND ${PROJECT_SOURCE_DIR}/tests/e2e/desktop ${desktop} $<TARGET_FILE:${test}>)
    set_tests_properties(${test}@${desktop} PROPERTIES
        ENVIRONMENT "${env}" LABELS "${labels};desktop" TIMEOUT 300 RESOURCE_LOCK desktop
        SKIP_REGULAR_EXPRESSION "SKIP   : ")
endfunction()
