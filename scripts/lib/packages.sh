# Installs the Debian packages that are missing, and only those, so that a
# second run installs nothing. Uses sudo when not root.

# Runs a command as root: directly when root already, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the game needs.
BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libxcb1-dev
                libxcb-xkb-dev libxcb-randr0-dev libgl-dev fonts-dejavu-core)

# The desktops the game is tested under, besides a bare X server: the window
# managers metacity, xfwm4, openbox, GNOME's mutter and Plasma's kwin (with
# Plasma's own frame, breeze), and the Wayland compositors weston (with
# XWayland), mutter and kwin, for Qt's Wayland platform; each session runs
# its own D-Bus session bus.
DESKTOP_PACKAGES=(metacity xfwm4 openbox mutter kwin-x11 kwin-wayland breeze weston xwayland
                  qt6-wayland wmctrl dbus-daemon)

# What the Windows game's tests run it with: Wine, with Wine's own stand-ins
# for Windows' fonts, on openbox (one of the desktops above).
WINE_PACKAGES=(wine wine64 fonts-wine)
