# The notices klobbet.exe travels with (Qt's licence, where its source and
# build recipe are, the licences of the code Qt bundles; see
# tools/windows/third_party_notices.py), made once for each cached Qt from
# the very source and configure options that Qt is built from. Sourced
# after scripts/lib/packages.sh and scripts/lib/windows_qt.sh.

# Prints the path of the notices of the Qt that qt_windows_prefix builds,
# kept beside it in the cache. They are written under a name of their own
# and renamed once whole, so a run stopped half-way leaves nothing that
# could be taken for them.
qt_windows_notices() {
    # Found from this file, before changing folders.
    local tool
    tool=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows/third_party_notices.py")
    local cache key
    cache=$(qt_windows_cache_dir)
    qt_windows_options
    key=$(qt_windows_key)
    local notices=$cache/$key.notices.txt
    if [ ! -f "$notices" ]; then
        mkdir -p "$cache"
        local work partial
        work=$(mktemp -d)
        partial=$(mktemp "$cache/.notices-$key.XXXXXX")
        echo "Writing the notices of Qt for Windows into $notices (once)" >&2
        # Chained with &&: set -e would not hold in a subshell whose status
        # is tested.
        if ! (cd "$work" && qt_windows_source >&2 &&
              python3 "$tool" source "$partial" --qt-version "$(qt_source_version)" \
                  --configure-options="${QT_WINDOWS_OPTIONS[*]}"); then
            rm -rf "$work" "$partial"
            echo "The notices of Qt for Windows could not be written" >&2
            return 1
        fi
        rm -rf "$work"
        # mktemp's file is the owner's alone; the notices are for everyone.
        chmod 644 "$partial"
        mv -f "$partial" "$notices"
    fi
    echo "$notices"
}
