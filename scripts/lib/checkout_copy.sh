# Copies the checkout's files, committed or not, minus what git ignores,
# into a folder (argument 1), so that a release is built from the sources
# alone and leaves the checkout as it was. Outside git, everything but
# build/ and .git/ is copied.
copy_checkout() {
    local dest=$1
    mkdir -p "$dest"
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do
                # A file deleted but not yet committed is still listed.
                if [ -e "$file" ] || [ -L "$file" ]; then
                    printf '%s\0' "$file"
                fi
            done |
            tar --null -T - -cf - | tar -C "$dest" -xf -
    else
        tar --exclude=./build --exclude=./.git -cf - . | tar -C "$dest" -xf -
    fi
}
