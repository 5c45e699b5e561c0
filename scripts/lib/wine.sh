# Shared shell functions for running our Windows programs under Wine.
# Sourced by scripts/test, scripts/run, scripts/wine-exec and the benchmarks.
#
# A run owns one prefix (WINEPREFIX), one Xvfb display and one wineserver. Everything started is
# stopped by PID at the end (wine_run_stop), never by name, so parallel runs on one machine do not
# kill each other.

QUINTAREL_ROOT=${QUINTAREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QUINTAREL_BUILD=${QUINTAREL_BUILD:-$QUINTAREL_ROOT/build}

wine_loader() {
  case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    win64) echo /usr/lib/wine/wine64 ;;
  esac
}

# The 32-bit loader is an i386 ELF program; some kernels (and sandboxes) refuse to execute 32-bit
# code at all. Asking it for its version tells us without side effects.
wine_arch_runnable() {
  local loader
  loader=$(wine_loader "$1")
  [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1
}

wine_locale_dir() {
  local dir=$QUINTAREL_BUILD/locale
  if [ ! -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    rm -rf "$dir/ja_JP.UTF-8"
    # Without a real ja_JP.UTF-8 locale Wine passes Shift-JIS arguments garbled. localedef
    # may warn with a non-zero status and still write the locale: its files decide.
    local output
    output=$(localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>&1) || true
    if [ ! -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
      echo "wine: localedef could not make the ja_JP.UTF-8 locale in $dir:" >&2
      echo "$output" >&2
      return 1
    fi
  fi
  echo "$dir"
}

# Exports the variables every Wine process of a run needs. $1 = arch, $2 = prefix directory.
wine_export_env() {
  export WINEARCH=$1
  export WINEPREFIX=$2
  export WINEDEBUG=${WINEDEBUG_OVERRIDE:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  export WINELOADER
  WINELOADER=$(wine_loader "$1")
  export WINESERVER=/usr/lib/wine/wineserver
  LOCPATH=$(wine_locale_dir) || return 1
  export LOCPATH
  # Bash itself cannot load the private locale; only its children can, so keep it quiet.
  { export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8; } 2>/dev/null
}

wine_reg_file() {
  # REGEDIT5 files are UTF-16LE; the Japanese face names survive only that way.
  local out=$1
  {
    printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "MS UI Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif"; do
      printf '"%s"="IPAPGothic"\r\n' "$face"
    done
    for face in "ＭＳ ゴシック" "MS Gothic"; do printf '"%s"="IPAGothic"\r\n' "$face"; done
    for face in "ＭＳ Ｐ明朝" "MS PMincho"; do printf '"%s"="IPAPMincho"\r\n' "$face"; done
    for face in "ＭＳ 明朝" "MS Mincho"; do printf '"%s"="IPAMincho"\r\n' "$face"; done
    # Windows links its UI fonts to fonts of other scripts (Hangul, symbols and emoji); Wine
    # falls back to the links of "Microsoft Sans Serif" for every font under a double-byte
    # code page. A REG_MULTI_SZ of "file,face" entries.
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    printf '"Microsoft Sans Serif"=hex(7):%s\r\n' \
      "$(printf 'gulim.ttf,Baekmuk Gulim\0Symbola_hint.ttf,Symbola\0\0' | iconv -f UTF-8 -t UTF-16LE |
         od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')"
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="shell"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"shell"="1024x768"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"=""\r\n'
    printf '\r\n[HKEY_CLASSES_ROOT\\.txt]\r\n@="txtfile"\r\n'
    # Without it the shell knows no programs and gives every .exe the plain document icon.
    printf '\r\n[HKEY_CLASSES_ROOT\\.exe]\r\n@="exefile"\r\n'
    printf '\r\n[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\r\n@="notepad.exe \\"%%1\\""\r\n'
  } | iconv -f UTF-8 -t UTF-16LE > "$out"
}

# Builds, once per build tree and arch, a finished prefix that runs copy cheaply. Any step that
# fails fails the set-up, and the template is marked complete only after every step succeeded
# and was checked, so a broken one is never reused.
wine_template() {
  local arch=$1
  local template=$QUINTAREL_BUILD/wine-template-$arch
  local reg="$QUINTAREL_BUILD/wine-template-$arch.reg"
  # A template made from other registry settings is made again.
  wine_reg_file "$reg" || return 1
  if [ -f "$template/.complete" ] && cmp -s "$reg" "$template/.complete"; then
    echo "$template"
    return
  fi
  rm -rf "$template"
  # Inside an if, set -e does not act: every step says itself that it failed.
  if ! (
    wine_export_env "$arch" "$template" || exit 1
    unset DISPLAY
    if ! "$WINELOADER" wineboot -i >"$QUINTAREL_BUILD/wine-template-$arch.log" 2>&1; then
      echo "wine: wineboot failed for the $arch template:" >&2
      tail -20 "$QUINTAREL_BUILD/wine-template-$arch.log" >&2
      exit 1
    fi
    if ! "$WINELOADER" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1; then
      echo "wine: regedit could not import $reg" >&2
      exit 1
    fi
    # Wine's own fonts (marlett.ttf draws the title-bar buttons) come in Debian's fonts-wine.
    local fonts="$template/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    if ! compgen -G "/usr/share/wine/fonts/*.ttf" >/dev/null ||
      ! cp /usr/share/wine/fonts/*.ttf "$fonts/" || [ ! -f "$fonts/marlett.ttf" ]; then
      echo "wine: Wine's fonts are missing (/usr/share/wine/fonts, package fonts-wine)" >&2
      exit 1
    fi
    # The registry reaches disk only when the server exits.
    "$WINESERVER" -w
    if [ ! -f "$template/system.reg" ] ||
      ! grep -q 'Fonts\\\\Replacements' "$template/user.reg"; then
      echo "wine: the template's registry lacks what wineboot and regedit were to write" >&2
      exit 1
    fi
  ) >&2; then
    echo "wine: could not make the $arch template prefix in $template" >&2
    WINEPREFIX=$template /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    rm -rf "$template"
    return 1
  fi
  cp "$reg" "$template/.complete"
  echo "$template"
}

winepath_of() {
  # Z: maps the Unix root in every prefix.
  local p=$1
  echo "Z:${p//\//\\}"
}

# A fresh prefix copied from the template. $1 = arch, $2 = target directory.
wine_fresh_prefix() {
  local template
  template=$(wine_template "$1") || return 1
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  cp -a "$template" "$2"
}

# Starts Xvfb on a free display and exports DISPLAY; records its PID for wine_run_stop.
wine_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local num
  read -r -t 20 num <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${num:-}" ]; then
    echo "wine: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$num"
  export XVFB_PID
}

# Keeps one wineserver up for the whole run: process starts drop from about 1 s to 0.15 s.
wine_start_server() {
  "$WINESERVER" -p &
  WINESERVER_PID=$!
  export WINESERVER_PID
  "$WINELOADER" cmd /c exit >/dev/null 2>&1 || true
}

wine_run_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -x "${WINESERVER:-}" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "${WINESERVER_PID:-}" ]; then
    kill "$WINESERVER_PID" 2>/dev/null || true
    wait "$WINESERVER_PID" 2>/dev/null || true
    WINESERVER_PID=""
  fi
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
