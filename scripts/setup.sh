# Shared by ./run and ./test: installs the Debian packages the build needs and
# builds into a folder. Sourced, not run.

# sqlite3 (the program) builds the large company of the full-disk test;
# clang-format checks the layout of the sources.
CZX_PACKAGES="build-essential cmake ninja-build pkg-config libsqlite3-dev sqlite3 googletest \
libgtest-dev qt6-base-dev qt6-charts-dev qt6-pdf-dev libgl-dev fonts-dejavu-core clang-format"

czx_install_packages() {
    local missing=()
    for package in $CZX_PACKAGES; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null
    else
        echo "These Debian packages are missing. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        return 1
    fi
}

# czx_build DIR [cmake options...]
czx_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null &&
        cmake --build "$dir" -j "$(nproc)"
}
