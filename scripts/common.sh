# Shared steps of the two README commands: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PELION_BUILD_DIR:-$ROOT/build}"
JOBS="${PELION_JOBS:-$(nproc)}"
# Paths inside the checkout are hashed relative to it, so clones in other folders share the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"

install_missing_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -v '^\s*#' "$ROOT/scripts/debian-packages.txt" | sed '/^\s*$/d')
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        echo "== all Debian packages present"
        return
    fi
    echo "== installing missing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local dir="$1"; shift
    echo "== building in $dir"
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$JOBS"
}
