# Sourced by the scripts: installs the Debian packages a step needs when
# they are missing (as root, or through sudo), or says what to install.
ensure_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing ${missing[*]} ..."
  local run=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
      run=(sudo)
    else
      echo "Please install as root: apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${run[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null ||
    { "${run[@]}" apt-get update >/dev/null && "${run[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null; }
}
