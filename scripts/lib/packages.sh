# SPDX-License-Identifier: GPL-3.0-or-later
# Debian packages for the scripts that need some; sourced, not run. Debian 12, as root or with
# sudo.
#
#   as_root CMD...            CMD as root (through sudo when not root)
#   apt_get ARG...            apt-get as root, asking nothing, and waiting for another apt or
#                             dpkg run (other scripts may be installing) instead of failing
#   package_installed PKG     true when dpkg has PKG installed (PKG may be name:arch)
#   missing_packages PKG...   those of PKG... not installed, one a line
#   update_lists              apt-get update, once more after 30 s when it fails; when it still
#                             fails (a mirror mid-sync on one index) says so and goes on with
#                             the lists that did come
#   install_missing PKG...    installs those of PKG... not installed, naming them on stderr;
#                             apt-get update runs first, once per script, and only when
#                             something is missing; nothing goes to stdout

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Through env, since sudo does not pass the caller's environment on.
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 "$@"
}

package_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

missing_packages() {
    local p
    for p in "$@"; do package_installed "$p" || echo "$p"; done
}

update_lists() {
    apt_get update -qq || { sleep 30; apt_get update -qq; } ||
        echo "$(basename "$0" .sh): apt-get update failed; going on with the lists there are" >&2
}

_packages_updated=0
install_missing() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "$(basename "$0" .sh): installing ${missing[*]}" >&2
    if [ $_packages_updated = 0 ]; then
        # When the update fails, the install says whether the lists there are will do.
        update_lists
        _packages_updated=1
    fi
    apt_get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
