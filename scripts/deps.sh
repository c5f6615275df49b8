# Installs the Debian packages that building, running and testing need,
# through sudo when not root. Sourced by scripts/run and scripts/test.
orv_install_deps() {
    # desktop-file-utils, appstream, man-db and shared-mime-info check the
    # installed tree; wfrench is the list the default dictionary is made from.
    local pkgs=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl1-mesa-dev
                fonts-liberation fonts-dejavu-core python3 qt6-svg-dev libqt6printsupport6
                desktop-file-utils appstream man-db shared-mime-info wfrench "$@")
    local missing=()
    for p in "${pkgs[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installation des paquets manquants : ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}
