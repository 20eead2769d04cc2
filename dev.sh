#!/usr/bin/env bash
# Everything a newcomer (and CI) needs in one command: installs the Debian packages that are
# missing, configures, builds, then runs the demo or the tests.
#
#   ./dev.sh demo [zarimark arguments]   the scenario runner (the built-in demo by default)
#   ./dev.sh test [ctest arguments]      every test
#
# ZM_BUILD_DIR (default build) and ZM_CMAKE_ARGS (extra configure arguments) change the build.
set -euo pipefail
cd "$(dirname "$0")"

install_missing_packages() {
    local missing=()
    while read -r package; do
        [[ -z "$package" || "$package" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done < .ci/packages
    [[ ${#missing[@]} -eq 0 ]] && return
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
    local dir=${ZM_BUILD_DIR:-build}
    # shellcheck disable=SC2086
    cmake -S . -B "$dir" -G Ninja ${ZM_CMAKE_ARGS:-} > /dev/null
    cmake --build "$dir" -j "$(nproc)"
}

command=${1:-demo}
shift || true
case "$command" in
demo)
    install_missing_packages
    build
    exec "./${ZM_BUILD_DIR:-build}/bin/zarimark" "$@"
    ;;
test)
    install_missing_packages
    build
    exec ctest --test-dir "${ZM_BUILD_DIR:-build}" --output-on-failure -j "$(nproc)" "$@"
    ;;
*)
    echo "usage: ./dev.sh demo|test [arguments]" >&2
    exit 2
    ;;
esac
