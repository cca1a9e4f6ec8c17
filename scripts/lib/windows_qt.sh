# Qt for Windows, cross-built static from Debian's own qt6-base source with
# mingw-w64, once, into a cache outside the checkout. Sourced by
# scripts/windows after scripts/lib/packages.sh.
#
# The host Qt's version (6.4.2 on Debian 12, 6.8.2 on Debian 13): a
# cross-built Qt needs the host tools (moc, rcc, uic and their CMake files)
# of the very same version; another version would first need its host half
# built too.

# What cross-building Qt and the game needs from Debian.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev cmake ninja-build perl python3
                        qt6-base-dev qt6-base-dev-tools)
# What makes the setup program and the zip out of it.
WINDOWS_RELEASE_PACKAGES=(nsis zip)

# Debian keeps Qt's host CMake files in the multiarch folder, not below the
# host prefix where Qt looks by default.
QT_HOST_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)/cmake

# Only what the game and its tests use: the windows platform plugin and the
# Windows style (windowsvista, modernwindows in 6.8) come with Widgets.
# Debian's tarball drops the wintab headers (so no tablet events), and
# without Direct2D Qt 6.4.2 cannot link its DirectWrite 3 font database.
# Direct2D would only add a second Windows platform plugin that the game
# never loads, so it stays off where Qt builds without it. Qt 6.8 does not:
# its font database declares a font loader whenever DirectWrite is on but
# defines it only with Direct2D.
# qt_windows_options sets them once the host Qt's version is known.
QT_WINDOWS_OPTIONS=()

qt_windows_options() {
    local direct2d=-no-direct2d
    if dpkg --compare-versions "$(qt_source_version)" ge 6.8~; then
        direct2d=
    fi
    QT_WINDOWS_OPTIONS=(
        -release -static -static-runtime -xplatform win32-g++
        -nomake examples -nomake tests -no-pkg-config
        -no-opengl -no-dbus ${direct2d:+"$direct2d"} -no-icu -no-feature-vulkan
        -no-feature-directwrite3 -no-feature-tabletevent
        -no-feature-sql -no-feature-network -no-feature-printsupport
        -no-feature-concurrent -no-feature-xml
        -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-harfbuzz -no-freetype -no-fontconfig
    )
}

qt_windows_cache_dir() {
    echo "${KLOBBET_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/klobbet-qt-windows}"
}

qt_source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

# The mingw toolchain for CMake. Qt's own toolchain file names this one by
# its absolute path, so it lives in the cache beside the Qt built with it.
mingw_toolchain() {
    cat <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# pkg-config would otherwise answer with the Linux host's libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
EOF
}

# The cache entry's name: Qt's source version, the compiler's and a digest
# of the options (set by qt_windows_options first) and toolchain, so that
# changing any of them builds anew.
qt_windows_key() {
    local compiler
    compiler=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
    local digest
    digest=$({
        echo "$compiler"
        printf '%s\n' "${QT_WINDOWS_OPTIONS[@]}"
        mingw_toolchain
    } | sha256sum | cut -c1-12)
    echo "qt-$(qt_source_version)-mingw-${compiler%%-*}-$digest"
}

# The folder of the Qt for Windows, built if the cache has none yet. It is
# built in a folder of its own and renamed into place only when installed
# whole, so an interrupted build is never taken for a finished one.
qt_windows_prefix() {
    local cache key
    cache=$(qt_windows_cache_dir)
    qt_windows_options
    key=$(qt_windows_key)
    local prefix=$cache/$key
    if [ -d "$prefix" ]; then
        echo "$prefix"
        return 0
    fi
    mkdir -p "$cache"
    # One build of a kind at a time: a second run waits for the first and
    # takes what it built. What an interrupted build left goes.
    exec {lock}>"$cache/$key.lock"
    flock "$lock"
    if [ -d "$prefix" ]; then
        exec {lock}>&-
        echo "$prefix"
        return 0
    fi
    rm -rf "$cache/.building-$key".*
    # Written before the build and kept: the finished Qt names it.
    local toolchain=$cache/$key.toolchain.cmake
    mingw_toolchain >"$toolchain.tmp"
    mv "$toolchain.tmp" "$toolchain"

    local work
    work=$(mktemp -d "$cache/.building-$key.XXXXXX")
    echo "Building Qt for Windows into $prefix (once; about half an hour on two cores)" >&2
    local started=$SECONDS
    (
        set -e
        cd "$work"
        qt_windows_source >&2
        mkdir build
        cd build
        ../source/configure -prefix "$prefix" "${QT_WINDOWS_OPTIONS[@]}" \
            -qt-host-path /usr -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR="$QT_HOST_CMAKE_DIR" >"$work/configure.log" 2>&1 ||
            { tail -40 "$work/configure.log" >&2; exit 1; }
        nice cmake --build . --parallel "${KLOBBET_JOBS:-2}" >"$work/build.log" 2>&1 ||
            { grep -B5 -A20 -m3 'FAILED\|error:' "$work/build.log" >&2; exit 1; }
        # The prefix is not relocatable: install below a staging root, then
        # move the tree that now sits at the prefix's path into place.
        DESTDIR="$work/staged" cmake --install . >"$work/install.log" 2>&1
    ) || {
        echo "Qt for Windows did not build; its logs are in $work" >&2
        exec {lock}>&-
        return 1
    }
    mv -T "$work/staged$prefix" "$prefix"
    rm -rf "$work"
    exec {lock}>&-
    echo "Qt for Windows built in $((SECONDS - started)) s" >&2
    echo "$prefix"
}

# Debian's qt6-base source of the host Qt's version, into ./source. apt
# reads sources only from deb-src lines: they are added for the archives
# the machine already installs from.
qt_windows_source() {
    local list=/etc/apt/sources.list.d/klobbet-deb-src
    if ! apt-get source --print-uris "qt6-base=$(qt_source_version)" >/dev/null 2>&1; then
        local deb822
        for deb822 in /etc/apt/sources.list.d/*.sources; do
            # The pattern itself, where the folder has none.
            [ -f "$deb822" ] && [ "$deb822" != "$list.sources" ] || continue
            sed 's/^Types: deb$/Types: deb-src/' "$deb822"
            echo
        done | as_root tee "$list.sources" >/dev/null
        if [ -f /etc/apt/sources.list ]; then
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee "$list.list" >/dev/null
        fi
        as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
    fi
    mkdir -p download
    (cd download && apt-get source -qq --download-only "qt6-base=$(qt_source_version)")
    dpkg-source -x download/qt6-base_*.dsc source >/dev/null
}

# Cross-builds the game from a source folder (argument 1) into a build
# folder (argument 2) against the cached Qt for Windows, building that Qt
# first if need be.
build_windows_game() {
    local source=$1 build=$2 qt
    qt=$(qt_windows_prefix)
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKLOBBET_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
    nice cmake --build "$build" --parallel "${KLOBBET_JOBS:-2}" >&2
}
