#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the tests need and the
# machine lacks. Called by ./run and ./test; safe to call again (does nothing when all is there).
set -euo pipefail

pacotes=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libgdal-dev gdal-bin gdal-data proj-bin proj-data
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation locales
  python3 python3-xlwt python3-gdal poppler-utils
  xvfb xauth ccache
  mdbtools mdbtools-dev libfreexl-dev qt6-translations-l10n
  clang libclang-rt-14-dev
)

faltando=()
for p in "${pacotes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltando+=("$p")
  fi
done

if ((${#faltando[@]})); then
  echo "Instalando pacotes que faltam: ${faltando[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltando[@]}"
fi

# Portuguese (Brazil) regional settings for the program and the tests.
if ! locale -a 2>/dev/null | grep -qi '^pt_BR\.utf-\?8$'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *\(pt_BR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^pt_BR.UTF-8 UTF-8' /etc/locale.gen || echo 'pt_BR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
