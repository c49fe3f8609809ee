# Sourced by the scripts: installs the Debian packages a step needs, once.
# Usage: need_packages pkg...

need_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# What every build needs.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libjpeg62-turbo-dev
                qt6-charts-dev libqt6charts6 libqt6opengl6-dev
                libgl-dev fonts-dejavu-core qt6-tools-dev qt6-l10n-tools)

jobs() { nproc 2>/dev/null || echo 2; }

# A font with the full-width punctuation of the list texts; the window falls back to it.
# Qt's own texts (dialog buttons) in the user's language.
RUN_PACKAGES=(fonts-wqy-microhei qt6-translations-l10n)

# What scripts/package needs beyond a build: dpkg-shlibdeps and dpkg-buildflags, the icon renderer.
PACKAGE_PACKAGES=(dpkg-dev librsvg2-bin)

# What scripts/check-package needs to validate and install the package.
CHECK_PACKAGE_PACKAGES=(desktop-file-utils appstream lintian man-db binutils imagemagick xvfb xauth)

# Packages that only some tests need: installed when possible; without them
# those tests skip with a message saying what is missing.
want_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" && continue
        if [ "$(id -u)" -eq 0 ]; then
            # tshark would otherwise stop to ask who may capture.
            echo "wireshark-common wireshark-common/install-setuid boolean false" | debconf-set-selections 2>/dev/null || true
            [ -n "${MH_APT_UPDATED:-}" ] || { apt-get update -qq || true; MH_APT_UPDATED=1; }
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" \
                || echo "Could not install $p; the tests that need it will be skipped." >&2
        else
            echo "Optional package $p is missing (sudo apt-get install -y $p); the tests that need it will be skipped." >&2
        fi
    done
}

# Read by the capture tests.
TEST_OPTIONAL_PACKAGES=(tshark xvfb xauth)
