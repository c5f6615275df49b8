# Installs the Debian packages that building, running and testing need,
# through sudo when not root. Sourced by scripts/run, scripts/test and
# scripts/package.

# orv_install_packages PACKAGE...: installs those that are missing.
orv_install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installation des paquets manquants : ${missing[*]}"
    $(orv_sudo) apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $(orv_sudo) apt-get install -y -qq "${missing[@]}" >/dev/null
}

# "sudo" when not root, nothing otherwise.
orv_sudo() {
    [ "$(id -u)" -ne 0 ] && echo sudo
    return 0
}

orv_install_deps() {
    # desktop-file-utils, appstream, man-db and shared-mime-info check the
    # installed tree; wfrench is the list the default dictionary is made from;
    # libsqlite3-dev is the clue base's database.
    orv_install_packages cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl1-mesa-dev \
        fonts-liberation fonts-dejavu-core python3 qt6-svg-dev libqt6printsupport6 \
        desktop-file-utils appstream man-db shared-mime-info wfrench libsqlite3-dev "$@"
}
