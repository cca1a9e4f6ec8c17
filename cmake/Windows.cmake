# The Windows build: the Qt layer's Windows half, the icon and manifest
# resources, and one self-contained GUI program (no console window, no DLL
# beside it). Included from the top-level CMakeLists.txt when WIN32.

enable_language(RC)

target_sources(klobbet_qt PRIVATE
    src/window/qt/windows/whole_scale.cpp
    src/window/qt/windows/detectable_repeat.cpp
    src/window/qt/windows/layout_keys.cpp
    src/window/qt/windows/skip_taskbar.cpp
    src/window/qt/windows/native_frame.cpp
    src/window/qt/windows/window_placement.cpp
    src/window/qt/windows/close_requests.cpp
    src/window/qt/windows/show_message_box.cpp
    src/window/qt/windows/game_fonts.cpp
    src/window/qt/windows/precise_sleep.cpp
    src/window/qt/windows/last_frame.cpp
)
# Windows 10's calls for monitors' scales (GetDpiForWindow and the like).
target_compile_definitions(klobbet_qt PRIVATE _WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
target_link_libraries(klobbet_qt PUBLIC user32 shcore dwmapi winmm)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(klobbet_icon_drawings "${KLOBBET_ART_DIR}/icons/16.png" "${KLOBBET_ART_DIR}/icons/24.png"
    "${KLOBBET_ART_DIR}/icon.png" "${KLOBBET_ART_DIR}/icons/48.png"
    "${KLOBBET_ART_DIR}/icons/64.png" "${KLOBBET_ART_DIR}/icons/128.png"
    "${KLOBBET_ART_DIR}/icons/256.png")
set(KLOBBET_ICO "${CMAKE_CURRENT_BINARY_DIR}/klobbet.ico")
add_custom_command(OUTPUT "${KLOBBET_ICO}"
    COMMAND Python3::Interpreter "${CMAKE_CURRENT_SOURCE_DIR}/tools/windows/make_ico.py"
            "${KLOBBET_ICO}" ${klobbet_icon_drawings}
    DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tools/windows/make_ico.py" ${klobbet_icon_drawings}
    VERBATIM)
configure_file(src/window/qt/windows/klobbet.rc.in "${CMAKE_CURRENT_BINARY_DIR}/klobbet.rc" @ONLY)
set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/klobbet.rc" PROPERTIES
    OBJECT_DEPENDS "${KLOBBET_ICO};${CMAKE_CURRENT_SOURCE_DIR}/src/window/qt/windows/klobbet.manifest")

function(klobbet_windows_program target)
    target_sources(${target} PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/klobbet.rc")
    # A GUI program: a console one opens a console window beside the game.
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE TRUE)
    # The compiler's own runtime too, or libgcc_s_seh-1.dll must travel
    # with the program.
    target_link_options(${target} PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()

# The bench's floor (a message box, then a window), built as the game is.
add_executable(klobbet_bench_floor EXCLUDE_FROM_ALL bench/floor_program.cpp)
target_link_libraries(klobbet_bench_floor PRIVATE Qt6::Widgets)
klobbet_windows_program(klobbet_bench_floor)
