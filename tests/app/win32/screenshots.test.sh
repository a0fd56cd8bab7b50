#!/usr/bin/env bash
# Screenshots of the main window as a user sees it: the demo program (the real program
# on the simulated Kadu) in English and Chinese, on a normal and on a 3840 x 2160
# screen. Saved as build artefacts in BUILD_DIR/screenshots; fails when the window does
# not appear at its size or shows an empty picture.
#   screenshots.test.sh BUILD_DIR
set -uo pipefail
build=$1
shots="$build/screenshots"
mkdir -p "$shots"
source "$(dirname "$0")/../../../scripts/wine-env"
# A prefix and display of its own: the screen sizes differ from the other tests'.
export WINEPREFIX="$build/wineprefix-screens"
failed=0

run_on_screen() {  # width height tag
  local width=$1 height=$2 tag=$3 fd_file xvfb
  fd_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 "${width}x${height}x24" -nolisten tcp >"$fd_file" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do [[ -s "$fd_file" ]] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  lumivar_wine_prepare_prefix

  local expected=800x600
  [[ $tag == 4k ]] && expected=1600x1200
  for language in EN ZH; do
    local folder shot window size colours
    folder=$(mktemp -d)
    cp "$build/bin/T507CtrlDemo.exe" "$folder/"
    cp -r "$build/bin/res" "$folder/"
    printf '[Settings]\nLanguage=%s\nMinToTray=0\n' "$language" >"$folder/settings.ini"
    wine "$folder/T507CtrlDemo.exe" >/dev/null 2>&1 &
    local program=$!
    window=
    for _ in $(seq 1 150); do
      window=$(xwininfo -root -tree 2>/dev/null | awk '/"Lumivar utility"/ {print $1; exit}')
      [[ -n "$window" ]] && break
      sleep 0.1
    done
    shot="$shots/main-$language-$tag.png"
    if [[ -z "$window" ]]; then
      echo "FAILED: no main window ($language, $tag)"
      failed=1
    else
      sleep 2  # connected, read and painted
      import -window "$window" "$shot"
      size=$(identify -format '%wx%h' "$shot")
      colours=$(identify -format '%k' "$shot")
      if [[ "$size" != "$expected" || "$colours" -lt 100 ]]; then
        echo "FAILED: $shot is $size with $colours colours, expected $expected with a picture"
        failed=1
      else
        echo "ok: $shot ($size, $colours colours)"
      fi
    fi
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    rm -rf "$folder"
  done
  wineserver -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}

run_on_screen 1920 1080 normal
run_on_screen 3840 2160 4k
exit $failed
